// Layer III joint stereo: mid/side (L = (M + S) / sqrt 2, R = (M - S) /
// sqrt 2) and intensity stereo as ISO/IEC 11172-3 and 13818-3 define it.
// Intensity bands start above the right channel's last nonzero line (per
// window for short blocks); there the left channel carries the sum and the
// right channel's scale factors the position. An illegal position leaves
// the band to mid/side or plain stereo.
#include "decoder/mpeg/layer3_internal.h"

#include "decoder/mpeg/mpeg_math.h"

namespace {

const float INV_SQRT2 = 0.70710678118654752f;

void band_plain(bool ms, float* l, float* r, int count)
{
    if (!ms)
        return;
    for (int i = 0; i < count; ++i) {
        const float m = l[i];
        const float s = r[i];
        l[i] = (m + s) * INV_SQRT2;
        r[i] = (m - s) * INV_SQRT2;
    }
}

void band_intensity(float kl, float kr, float* l, float* r, int count)
{
    for (int i = 0; i < count; ++i) {
        const float x = l[i];
        l[i] = x * kl;
        r[i] = x * kr;
    }
}

// Left and right factors of an intensity position; false when illegal.
bool intensity_factors(const layer3_frame_facts& facts, const layer3_scalefactors& sf, int pos,
                       int max, float* kl, float* kr)
{
    if (pos >= max)
        return false;
    if (!facts.lsf) {
        if (pos == 6) {
            *kl = 1.0f;
            *kr = 0.0f;
            return true;
        }
        const double ratio = mpeg_math::tan_pi(double(pos) / 12.0);
        *kl = float(ratio / (1.0 + ratio));
        *kr = float(1.0 / (1.0 + ratio));
        return true;
    }
    const double io = sf.intensity_scale ? 0.70710678118654752 : 0.84089641525371454;
    if (pos == 0) {
        *kl = *kr = 1.0f;
    } else if (pos & 1) {
        *kl = float(mpeg_math::pow_int(io, (pos + 1) / 2));
        *kr = 1.0f;
    } else {
        *kl = 1.0f;
        *kr = float(mpeg_math::pow_int(io, pos / 2));
    }
    return true;
}

bool all_zero(const float* v, int count)
{
    for (int i = 0; i < count; ++i)
        if (v[i] != 0.0f)
            return false;
    return true;
}

void stereo_long_bands(const layer3_frame_facts& facts, const layer3_scalefactors& sf, int bands,
                       int limit_line, layer3_spectrum* left, layer3_spectrum* right)
{
    const int16_t* bound = facts.bands->long_bounds;
    // First band at or above the right channel's last nonzero line.
    int last = 0;
    for (int i = limit_line - 1; i >= 0; --i)
        if (right->xr[i] != 0.0f) {
            last = i + 1;
            break;
        }
    for (int band = 0; band < bands; ++band) {
        const int start = bound[band];
        const int count = bound[band + 1] - start;
        float kl = 1.0f;
        float kr = 1.0f;
        const int src = band == 21 ? 20 : band;
        if (start >= last &&
            intensity_factors(facts, sf, sf.l[src], sf.is_max_l[src], &kl, &kr))
            band_intensity(kl, kr, left->xr + start, right->xr + start, count);
        else
            band_plain(facts.ms_stereo, left->xr + start, right->xr + start, count);
    }
}

} // namespace

void layer3_stereo_process(const layer3_frame_facts& facts, const layer3_granule_info& gi_right,
                           const layer3_scalefactors& sf_right, layer3_spectrum* left,
                           layer3_spectrum* right)
{
    const int extent = left->nonzero > right->nonzero ? left->nonzero : right->nonzero;
    if (!facts.intensity_stereo) {
        if (facts.ms_stereo)
            band_plain(true, left->xr, right->xr, extent);
        left->nonzero = right->nonzero = extent;
        return;
    }

    const bool is_short = gi_right.window_switching && gi_right.block_type == 2;
    if (!is_short) {
        // Intensity bands lie above the right channel's content and below
        // the left channel's, so the larger extent covers both.
        stereo_long_bands(facts, sf_right, 22, 576, left, right);
        left->nonzero = right->nonzero = extent;
        return;
    }

    const int16_t* sb = facts.bands->short_bounds;
    const int first_short = gi_right.mixed_block ? 3 : 0;
    // Per window, the first short band above the right channel's content.
    int start_band[3] = {first_short, first_short, first_short};
    bool short_content = false;
    for (int w = 0; w < 3; ++w) {
        for (int band = 12; band >= first_short; --band) {
            const int width = sb[band + 1] - sb[band];
            if (!all_zero(right->xr + sb[band] * 3 + w * width, width)) {
                start_band[w] = band + 1;
                short_content = true;
                break;
            }
        }
    }
    if (gi_right.mixed_block) {
        const int long_bands = facts.lsf ? 6 : 8;
        const int long_end = facts.bands->long_bounds[long_bands];
        if (short_content)
            band_plain(facts.ms_stereo, left->xr, right->xr, long_end);
        else
            stereo_long_bands(facts, sf_right, long_bands, long_end, left, right);
    }
    for (int band = first_short; band < 13; ++band) {
        const int width = sb[band + 1] - sb[band];
        const int src = band == 12 ? 11 : band;
        for (int w = 0; w < 3; ++w) {
            const int start = sb[band] * 3 + w * width;
            float kl = 1.0f;
            float kr = 1.0f;
            if (band >= start_band[w] &&
                intensity_factors(facts, sf_right, sf_right.s[src][w], sf_right.is_max_s[src], &kl, &kr))
                band_intensity(kl, kr, left->xr + start, right->xr + start, width);
            else
                band_plain(facts.ms_stereo, left->xr + start, right->xr + start, width);
        }
    }
    // Short blocks are transformed in full anyway.
    left->nonzero = right->nonzero = 576;
}
