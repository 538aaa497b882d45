// Layer III hybrid filterbank stages: short-block reorder, alias reduction,
// IMDCT with windowing and overlap, frequency inversion.
//
// The 36-point IMDCT of 18 values is an 18-point DCT-IV whose outputs are
// mirrored and negated into the 36 samples; the 12-point IMDCT of a short
// window is a 6-point DCT-IV in the same way.
#include "decoder/mpeg/layer3_internal.h"

#include "decoder/mpeg/layer3_hybrid_kernels.h"
#include "decoder/mpeg/mpeg_math.h"
#include "decoder/mpeg/mpeg_simd.h"

#include <string.h>

namespace {

// Alias-reduction butterflies: cs = 1 / sqrt(1 + c^2), ca = c / sqrt(1 + c^2).
const float alias_cs[8] = {0.85749293f, 0.88174200f, 0.94962865f, 0.98331459f,
                           0.99551782f, 0.99916056f, 0.99989920f, 0.99999316f};
const float alias_ca[8] = {-0.51449576f, -0.47173197f, -0.31337745f, -0.18191320f,
                           -0.09457419f, -0.04096558f, -0.01419856f, -0.00369997f};

} // namespace

layer3_imdct_tables::layer3_imdct_tables()
{
    for (int k = 0; k < 18; ++k)
        for (int n = 0; n < 20; ++n)
            dct18[k][n] = n < 18 ? float(mpeg_math::cos_pi((n + 0.5) * (k + 0.5) / 18.0)) : 0.0f;
    for (int n = 0; n < 6; ++n)
        for (int k = 0; k < 6; ++k)
            dct6[n][k] = float(mpeg_math::cos_pi((n + 0.5) * (k + 0.5) / 6.0));
    for (int i = 0; i < 36; ++i)
        window[0][i] = float(mpeg_math::sin_pi((i + 0.5) / 36.0));
    for (int i = 0; i < 18; ++i)
        window[1][i] = window[0][i];
    for (int i = 18; i < 24; ++i)
        window[1][i] = 1.0f;
    for (int i = 24; i < 30; ++i)
        window[1][i] = float(mpeg_math::sin_pi((i - 18 + 0.5) / 12.0));
    for (int i = 30; i < 36; ++i)
        window[1][i] = 0.0f;
    for (int i = 0; i < 6; ++i)
        window[3][i] = 0.0f;
    for (int i = 6; i < 12; ++i)
        window[3][i] = float(mpeg_math::sin_pi((i - 6 + 0.5) / 12.0));
    for (int i = 12; i < 18; ++i)
        window[3][i] = 1.0f;
    for (int i = 18; i < 36; ++i)
        window[3][i] = window[0][i];
    for (int i = 0; i < 36; ++i)
        window[2][i] = i < 12 ? float(mpeg_math::sin_pi((i + 0.5) / 12.0)) : 0.0f;
}

const layer3_imdct_tables& layer3_imdct_tables_get()
{
    static const layer3_imdct_tables t;
    return t;
}

void layer3_imdct_long_plain(const layer3_imdct_tables& t, const float* in, const float* window, float* overlap, float* out)
{
    float z[20] = {};
    for (int k = 0; k < 18; ++k) {
        const float x = in[k];
        const float* c = t.dct18[k];
        for (int n = 0; n < 20; ++n)
            z[n] += x * c[n];
    }
    layer3_imdct_long_window(z, window, overlap, out);
}

void layer3_imdct_short_plain(const layer3_imdct_tables& t, const float* in, float* overlap, float* out)
{
    float y[36];
    memset(y, 0, sizeof(y));
    const float* window = t.window[2];
    for (int w = 0; w < 3; ++w) {
        float z[6];
        for (int n = 0; n < 6; ++n) {
            float sum = 0.0f;
            for (int k = 0; k < 6; ++k)
                sum += in[3 * k + w] * t.dct6[n][k];
            z[n] = sum;
        }
        float* dst = y + 6 + 6 * w;
        for (int i = 0; i < 3; ++i)
            dst[i] += z[i + 3] * window[i];
        for (int i = 3; i < 9; ++i)
            dst[i] -= z[8 - i] * window[i];
        for (int i = 9; i < 12; ++i)
            dst[i] -= z[i - 9] * window[i];
    }
    for (int i = 0; i < 18; ++i) {
        out[i] = overlap[i] + y[i];
        overlap[i] = y[i + 18];
    }
}

void layer3_reorder_short(const layer3_granule_info& gi, const layer3_band_table& bands,
                          layer3_spectrum* spec)
{
    if (!(gi.window_switching && gi.block_type == 2))
        return;
    const int first = gi.mixed_block ? 3 : 0;
    float tmp[576];
    const int16_t* sb = bands.short_bounds;
    const int begin = sb[first] * 3;
    for (int band = first; band < 13; ++band) {
        const int start = sb[band] * 3;
        const int width = sb[band + 1] - sb[band];
        for (int w = 0; w < 3; ++w)
            for (int f = 0; f < width; ++f)
                tmp[start + 3 * f + w] = spec->xr[start + w * width + f];
    }
    memcpy(spec->xr + begin, tmp + begin, sizeof(float) * size_t(576 - begin));
}

void layer3_alias_reduce(const layer3_granule_info& gi, layer3_spectrum* spec)
{
    const bool is_short = gi.window_switching && gi.block_type == 2;
    if (is_short && !gi.mixed_block)
        return;
    int subbands = (spec->nonzero + 17) / 18;
    int last = is_short ? 1 : (subbands < 31 ? subbands : 31);
    float* xr = spec->xr;
    for (int sb = 1; sb <= last; ++sb) {
        float* lo = xr + 18 * sb - 1;
        float* hi = xr + 18 * sb;
        for (int i = 0; i < 8; ++i) {
            const float a = lo[-i];
            const float b = hi[i];
            lo[-i] = a * alias_cs[i] - b * alias_ca[i];
            hi[i] = b * alias_cs[i] + a * alias_ca[i];
        }
    }
    if (!is_short) {
        const int reach = 18 * (last + 1);
        if (spec->nonzero > 0 && reach > spec->nonzero)
            spec->nonzero = reach > 576 ? 576 : reach;
    }
}

void layer3_imdct_granule(const layer3_granule_info& gi, const layer3_spectrum& spec, int subbands,
                          float overlap[32][18], float out[32][18])
{
    const layer3_imdct_tables& t = layer3_imdct_tables_get();
    const bool simd = mpeg_simd_selected();
    const bool is_short = gi.window_switching && gi.block_type == 2;
    const int long_type = gi.window_switching ? gi.block_type : 0;
    int sb = 0;
    for (; sb < subbands; ++sb) {
        const float* in = spec.xr + 18 * sb;
        // A mixed block's two lowest subbands take the normal long window,
        // whatever its block type (as the reference decoder does it).
        const bool mixed_low = gi.window_switching && gi.mixed_block && sb < 2;
        const float* window = t.window[mixed_low ? 0 : long_type];
        if (is_short && !mixed_low) {
            if (simd)
                layer3_imdct_short_sse2(t, in, overlap[sb], out[sb]);
            else
                layer3_imdct_short_plain(t, in, overlap[sb], out[sb]);
        } else if (simd) {
            layer3_imdct_long_sse2(t, in, window, overlap[sb], out[sb]);
        } else {
            layer3_imdct_long_plain(t, in, window, overlap[sb], out[sb]);
        }
    }
    for (; sb < 32; ++sb) {
        memcpy(out[sb], overlap[sb], sizeof(float) * 18);
        memset(overlap[sb], 0, sizeof(float) * 18);
    }
}

void layer3_frequency_invert(float out[32][18])
{
    for (int sb = 1; sb < 32; sb += 2)
        for (int i = 1; i < 18; i += 2)
            out[sb][i] = -out[sb][i];
}
