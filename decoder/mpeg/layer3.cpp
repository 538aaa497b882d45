// Layer III frame decoding: side information, main data from the bit
// reservoir, then per granule the spectra of all channels and the hybrid
// stage of the channels the output uses.
#include "decoder/mpeg/layer3_internal.h"

#include <new>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "decoder/mpeg/mpeg_synth.h"

namespace {

void clear_state(mpeg_layer3_state* state)
{
    memset(state, 0, sizeof(*state));
}

bool is_short_block(const layer3_granule_info& gi)
{
    return gi.window_switching && gi.block_type == 2;
}

} // namespace

int layer3_granule_spectrum(mpeg_layer3_state* state, const layer3_frame_facts& facts,
                            const layer3_side_info& si, int gr, layer3_bits& bits,
                            size_t granule_start)
{
    size_t pos = granule_start;
    for (int ch = 0; ch < si.channels; ++ch) {
        const layer3_granule_info& gi = si.gr[gr][ch];
        const size_t end = pos + size_t(gi.part2_3_length);
        if (end > bits.size_bits())
            return DK_ERR_INVALID_FRAME; // main data runs past what the reservoir holds
        bits.set_position(pos);
        if (facts.lsf)
            layer3_scalefactors_read_lsf(gi, facts.intensity_stereo && ch == 1, bits, &state->sf[ch]);
        else
            layer3_scalefactors_read_mpeg1(gi, si.scfsi[ch], gr, bits, &state->sf[ch]);
        if (bits.position() > end)
            return DK_ERR_INVALID_FRAME;
        const int result =
            layer3_huffman_decode(gi, state->sf[ch], *facts.bands, facts.lsf, bits, end, &state->spec[ch]);
        if (result < 0)
            return result;
        pos = end;
    }
    if (si.channels == 2 && (facts.ms_stereo || facts.intensity_stereo))
        layer3_stereo_process(facts, si.gr[gr][1], state->sf[1], &state->spec[0], &state->spec[1]);
    return 0;
}

mpeg_layer3_state* mpeg_layer3_new()
{
    mpeg_layer3_state* state = new (std::nothrow) mpeg_layer3_state;
    if (state)
        clear_state(state);
    return state;
}

void mpeg_layer3_delete(mpeg_layer3_state* state)
{
    delete state;
}

void mpeg_layer3_reset(mpeg_layer3_state* state)
{
    clear_state(state);
}

int mpeg_layer3_decode(mpeg_layer3_state* state, const mpeg_frame& frame, mpeg_output& out)
{
    const mpeg_frame_header& h = frame.header;
    layer3_side_info si;
    mpeg_bits side(frame.body, frame.body_size > 0 ? size_t(frame.body_size) : 0);
    if (layer3_sideinfo_read(h, side, &si) < 0)
        return DK_ERR_INVALID_FRAME;

    layer3_frame_facts facts;
    facts.lsf = mpeg_is_lsf(h);
    facts.channels = si.channels;
    facts.ms_stereo = h.mode == MPEG_MODE_JOINT_STEREO && (h.mode_extension & 2);
    facts.intensity_stereo = h.mode == MPEG_MODE_JOINT_STEREO && (h.mode_extension & 1);
    facts.bands = &layer3_bands(h);

    mpeg_bits reservoir;
    if (!frame.main_data_reader(si.main_data_begin, &reservoir)) {
        // Not enough main data held (start of stream, after a seek): a
        // silent frame of full length, and a fresh start for the next.
        for (int gr = 0; gr < si.granules; ++gr)
            out.silent_granule();
        clear_state(state);
        return 0;
    }
    const size_t own = frame.main_data_size > 0 ? size_t(frame.main_data_size) : 0;
    layer3_bits bits(frame.main_data - si.main_data_begin, size_t(si.main_data_begin) + own);

    const int limit = out.subband_limit();
    size_t granule_start = 0;
    for (int gr = 0; gr < si.granules; ++gr) {
        const int result = layer3_granule_spectrum(state, facts, si, gr, bits, granule_start);
        if (result < 0)
            return result;
        for (int ch = 0; ch < si.channels; ++ch)
            granule_start += size_t(si.gr[gr][ch].part2_3_length);

        for (int ch = 0; ch < si.channels; ++ch) {
            if (si.channels == 2 && !out.needs_channel(ch))
                continue;
            const layer3_granule_info& gi = si.gr[gr][ch];
            layer3_spectrum& spec = state->spec[ch];
            layer3_reorder_short(gi, *facts.bands, &spec);
            layer3_alias_reduce(gi, &spec);
            int subbands = is_short_block(gi) ? 32 : (spec.nonzero + 17) / 18;
            if (subbands > limit)
                subbands = limit;
            layer3_imdct_granule(gi, spec, subbands, state->overlap[ch], state->hybrid[ch]);
            layer3_frequency_invert(state->hybrid[ch]);
        }
        out.granule(state->hybrid[0], si.channels == 2 ? state->hybrid[1] : nullptr);
    }
    return 0;
}
