// Layer III side information and the scale factor band tables.
#include "decoder/mpeg/layer3_internal.h"

#include "decoder/engine/decoder_errors.h"

namespace {

// ISO/IEC 11172-3 table B.8 and ISO/IEC 13818-3 table B.2 (MPEG-2.5 uses
// the lower rows' pattern).
const layer3_band_table band_tables[9] = {
    // 44.1 kHz
    {{0, 4, 8, 12, 16, 20, 24, 30, 36, 44, 52, 62, 74, 90, 110, 134, 162, 196, 238, 288, 342, 418, 576},
     {0, 4, 8, 12, 16, 22, 30, 40, 52, 66, 84, 106, 136, 192}},
    // 48 kHz
    {{0, 4, 8, 12, 16, 20, 24, 30, 36, 42, 50, 60, 72, 88, 106, 128, 156, 190, 230, 276, 330, 384, 576},
     {0, 4, 8, 12, 16, 22, 28, 38, 50, 64, 80, 100, 126, 192}},
    // 32 kHz
    {{0, 4, 8, 12, 16, 20, 24, 30, 36, 44, 54, 66, 82, 102, 126, 156, 194, 240, 296, 364, 448, 550, 576},
     {0, 4, 8, 12, 16, 22, 30, 42, 58, 78, 104, 138, 180, 192}},
    // 22.05 kHz
    {{0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 24, 32, 42, 56, 74, 100, 132, 174, 192}},
    // 24 kHz
    {{0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 114, 136, 162, 194, 232, 278, 332, 394, 464, 540, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 136, 180, 192}},
    // 16 kHz
    {{0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    // 11.025 kHz
    {{0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    // 12 kHz
    {{0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    // 8 kHz
    {{0, 12, 24, 36, 48, 60, 72, 88, 108, 132, 160, 192, 232, 280, 336, 400, 476, 566, 568, 570, 572, 574, 576},
     {0, 8, 16, 24, 36, 52, 72, 96, 124, 160, 162, 164, 166, 192}},
};

} // namespace

const layer3_band_table& layer3_bands(const mpeg_frame_header& h)
{
    int index = h.sampling_index > 2 ? 0 : h.sampling_index;
    if (h.version == MPEG_VERSION_2)
        index += 3;
    else if (h.version == MPEG_VERSION_2_5)
        index += 6;
    return band_tables[index];
}

int layer3_sideinfo_read(const mpeg_frame_header& h, mpeg_bits& bits, layer3_side_info* si)
{
    const bool lsf = mpeg_is_lsf(h);
    const int nch = h.mode == MPEG_MODE_SINGLE_CHANNEL ? 1 : 2;
    si->channels = nch;
    si->granules = lsf ? 1 : 2;
    if (lsf) {
        si->main_data_begin = int(bits.read(8));
        si->private_bits = int(bits.read(nch == 1 ? 1 : 2));
    } else {
        si->main_data_begin = int(bits.read(9));
        si->private_bits = int(bits.read(nch == 1 ? 5 : 3));
    }
    for (int ch = 0; ch < 2; ++ch)
        for (int band = 0; band < 4; ++band)
            si->scfsi[ch][band] = (!lsf && ch < nch) ? int(bits.read_bit()) : 0;

    for (int gr = 0; gr < si->granules; ++gr) {
        for (int ch = 0; ch < nch; ++ch) {
            layer3_granule_info& g = si->gr[gr][ch];
            g.part2_3_length = int(bits.read(12));
            g.big_values = int(bits.read(9));
            g.global_gain = int(bits.read(8));
            g.scalefac_compress = int(bits.read(lsf ? 9 : 4));
            g.window_switching = int(bits.read_bit());
            if (g.window_switching) {
                g.block_type = int(bits.read(2));
                g.mixed_block = int(bits.read_bit());
                g.table_select[0] = int(bits.read(5));
                g.table_select[1] = int(bits.read(5));
                g.table_select[2] = 0;
                for (int w = 0; w < 3; ++w)
                    g.subblock_gain[w] = int(bits.read(3));
                // Implied by the standard: region 1 starts after 8 long
                // bands (or 3 short ones), there is no region 2.
                g.region0_count = g.block_type == 2 && !g.mixed_block ? 8 : 7;
                g.region1_count = 20 - g.region0_count;
                if (g.block_type == 0)
                    return DK_ERR_INVALID_FRAME;
            } else {
                g.block_type = 0;
                g.mixed_block = 0;
                for (int r = 0; r < 3; ++r)
                    g.table_select[r] = int(bits.read(5));
                for (int w = 0; w < 3; ++w)
                    g.subblock_gain[w] = 0;
                g.region0_count = int(bits.read(4));
                g.region1_count = int(bits.read(3));
            }
            g.preflag = lsf ? 0 : int(bits.read_bit());
            g.scalefac_scale = int(bits.read_bit());
            g.count1_table = int(bits.read_bit());
            if (g.big_values > 288)
                return DK_ERR_INVALID_FRAME;
        }
    }
    if (bits.overrun())
        return DK_ERR_INVALID_FRAME;
    return 0;
}
