// Polyphase synthesis subband filter of ISO/IEC 11172-3 and the output
// stage: channel layout, equalizer gains, rate reduction, 16-bit PCM.
#include "decoder/mpeg/mpeg_synth.h"

#include "decoder/mpeg/mpeg_simd.h"
#include "decoder/mpeg/mpeg_synth_kernels.h"

#include <math.h>
#include <string.h>

namespace {

// Synthesis window D[i] of the standard in units of 2^-16.
const int32_t kWindow[512] = {
    0, -1, -1, -1, -1, -1, -1, -2, -2, -2, -2, -3, -3, -4, -4, -5,
    -5, -6, -7, -7, -8, -9, -10, -11, -13, -14, -16, -17, -19, -21, -24, -26,
    -29, -31, -35, -38, -41, -45, -49, -53, -58, -63, -68, -73, -79, -85, -91, -97,
    -104, -111, -117, -125, -132, -139, -147, -154, -161, -169, -176, -183, -190, -196, -202, -208,
    213, 218, 222, 225, 227, 228, 228, 227, 224, 221, 215, 208, 200, 189, 177, 163,
    146, 127, 106, 83, 57, 29, -2, -36, -72, -111, -153, -197, -244, -294, -347, -401,
    -459, -519, -581, -645, -711, -779, -848, -919, -991, -1064, -1137, -1210, -1283, -1356, -1428, -1498,
    -1567, -1634, -1698, -1759, -1817, -1870, -1919, -1962, -2001, -2032, -2057, -2075, -2085, -2087, -2080, -2063,
    2037, 2000, 1952, 1893, 1822, 1739, 1644, 1535, 1414, 1280, 1131, 970, 794, 605, 402, 185,
    -45, -288, -545, -814, -1095, -1388, -1692, -2006, -2330, -2663, -3004, -3351, -3705, -4063, -4425, -4788,
    -5153, -5517, -5879, -6237, -6589, -6935, -7271, -7597, -7910, -8209, -8491, -8755, -8998, -9219, -9416, -9585,
    -9727, -9838, -9916, -9959, -9966, -9935, -9863, -9750, -9592, -9389, -9139, -8840, -8492, -8092, -7640, -7134,
    6574, 5959, 5288, 4561, 3776, 2935, 2037, 1082, 70, -998, -2122, -3300, -4533, -5818, -7154, -8540,
    -9975, -11455, -12980, -14548, -16155, -17799, -19478, -21189, -22929, -24694, -26482, -28289, -30112, -31947, -33791, -35640,
    -37489, -39336, -41176, -43006, -44821, -46617, -48390, -50137, -51853, -53534, -55178, -56778, -58333, -59838, -61289, -62684,
    -64019, -65290, -66494, -67629, -68692, -69679, -70590, -71420, -72169, -72835, -73415, -73908, -74313, -74630, -74856, -74992,
    75038, 74992, 74856, 74630, 74313, 73908, 73415, 72835, 72169, 71420, 70590, 69679, 68692, 67629, 66494, 65290,
    64019, 62684, 61289, 59838, 58333, 56778, 55178, 53534, 51853, 50137, 48390, 46617, 44821, 43006, 41176, 39336,
    37489, 35640, 33791, 31947, 30112, 28289, 26482, 24694, 22929, 21189, 19478, 17799, 16155, 14548, 12980, 11455,
    9975, 8540, 7154, 5818, 4533, 3300, 2122, 998, -70, -1082, -2037, -2935, -3776, -4561, -5288, -5959,
    6574, 7134, 7640, 8092, 8492, 8840, 9139, 9389, 9592, 9750, 9863, 9935, 9966, 9959, 9916, 9838,
    9727, 9585, 9416, 9219, 8998, 8755, 8491, 8209, 7910, 7597, 7271, 6935, 6589, 6237, 5879, 5517,
    5153, 4788, 4425, 4063, 3705, 3351, 3004, 2663, 2330, 2006, 1692, 1388, 1095, 814, 545, 288,
    45, -185, -402, -605, -794, -970, -1131, -1280, -1414, -1535, -1644, -1739, -1822, -1893, -1952, -2000,
    2037, 2063, 2080, 2087, 2085, 2075, 2057, 2032, 2001, 1962, 1919, 1870, 1817, 1759, 1698, 1634,
    1567, 1498, 1428, 1356, 1283, 1210, 1137, 1064, 991, 919, 848, 779, 711, 645, 581, 519,
    459, 401, 347, 294, 244, 197, 153, 111, 72, 36, 2, -29, -57, -83, -106, -127,
    -146, -163, -177, -189, -200, -208, -215, -221, -224, -227, -228, -228, -227, -225, -222, -218,
    213, 208, 202, 196, 190, 183, 176, 169, 161, 154, 147, 139, 132, 125, 117, 111,
    104, 97, 91, 85, 79, 73, 68, 63, 58, 53, 49, 45, 41, 38, 35, 31,
    29, 26, 24, 21, 19, 17, 16, 14, 13, 11, 10, 9, 8, 7, 7, 6,
    5, 5, 4, 4, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1,
};

// 1 / (2 cos((2k + 1) pi / 2N)) for N = 32, 16, 8, 4 and 2, k < N / 2,
// written out to the last bit so that no build depends on its C library's
// cos (the tests compare them with it).
const double kDct32[16] = {
    0x1.004f09436640ep-1, 0x1.02cd16f3ace41p-1, 0x1.07e8b5b5db921p-1, 0x1.0fe4d0830706dp-1,
    0x1.1b306f118428cp-1, 0x1.2a7673c047c11p-1, 0x1.3eb8dc44206e3p-1, 0x1.59807a9b3c084p-1,
    0x1.7d33dbad48055p-1, 0x1.adbf3c99f0119p-1, 0x1.f1f476cd7dae5p-1, 0x1.2b606a5cbb0c5p+0,
    0x1.7bf23658f321ap+0, 0x1.07655e3e0a354p+1, 0x1.b42c833d72dfp+1,  0x1.46148bea939ecp+3,
};
const double kDct16[8] = {
    0x1.013d19c61d971p-1, 0x1.0b84f03ebe15ep-1, 0x1.22467d1065a74p-1, 0x1.4b2c398bbe3c6p-1,
    0x1.938900b7d421p-1,  0x1.0f8892a4eced7p+0, 0x1.b8f24b0406142p+0, 0x1.4679380e538d4p+2,
};
const double kDct8[4] = {0x1.0503ed17cba53p-1, 0x1.33e37a1e0173ep-1, 0x1.ccc9aefb18d57p-1,
                         0x1.480d9d073b426p+1};
const double kDct4[2] = {0x1.1517a7bdb3895p-1, 0x1.4e7ae9144f0fbp+0};
const double kDct2[1] = {0x1.6a09e667f3bccp-1};

// The window at 16-bit output scale (D x 32768), built once, in doubles
// (the values are those of floats: D x 32768 has at most 18 significant bits).
struct synth_tables
{
    double window[512];

    synth_tables()
    {
        for (int i = 0; i < 512; ++i)
            window[i] = static_cast<float>(kWindow[i] * 0.5);
    }
};

const synth_tables& tables()
{
    static const synth_tables t;
    return t;
}

// Fast DCT-II, X[m] = sum x[k] cos((2k + 1) m pi / 2N), by halving: the
// even outputs are the half-size DCT of the folded sums, the odd ones come
// from the half-size DCT of the folded differences scaled by
// 1 / (2 cos((2k + 1) pi / 2N)).
template <int N>
struct fast_dct
{
    static void run(const double* in, double* out)
    {
        const double* f = mpeg_synth_dct_factors(N);
        double a[N / 2], b[N / 2], ea[N / 2], eb[N / 2];
        for (int k = 0; k < N / 2; ++k) {
            a[k] = in[k] + in[N - 1 - k];
            b[k] = (in[k] - in[N - 1 - k]) * f[k];
        }
        fast_dct<N / 2>::run(a, ea);
        fast_dct<N / 2>::run(b, eb);
        for (int m = 0; m < N / 2 - 1; ++m) {
            out[2 * m] = ea[m];
            out[2 * m + 1] = eb[m] + eb[m + 1];
        }
        out[N - 2] = ea[N / 2 - 1];
        out[N - 1] = eb[N / 2 - 1];
    }
};

template <>
struct fast_dct<1>
{
    static void run(const double* in, double* out) { out[0] = in[0]; }
};

inline int16_t clip16(double v)
{
    if (v >= 32767.0)
        return 32767;
    if (v <= -32768.0)
        return -32768;
    return static_cast<int16_t>(v);
}

} // namespace

mpeg_synth::mpeg_synth() : m_offset(0), m_has_gains(false)
{
    tables();
    reset();
    for (float& g : m_gains)
        g = 1.0f;
}

void mpeg_synth::reset()
{
    memset(m_v, 0, sizeof(m_v));
    m_offset = 0;
}

void mpeg_synth::set_gains(const float* gains32)
{
    m_has_gains = gains32 != nullptr;
    for (int i = 0; i < 32; ++i)
        m_gains[i] = gains32 ? gains32[i] : 1.0f;
}

void mpeg_synth::block(const float* subbands, int shift, int16_t* out, int stride)
{
    m_offset = (m_offset - 64) & 1023;
    const float* gains = m_has_gains ? m_gains : nullptr;
    if (shift == 0 && mpeg_simd_selected()) {
        mpeg_synth_matrix_sse2(subbands, gains, m_v + m_offset);
        mpeg_synth_window_sse2(m_v, m_offset, out, stride);
    } else {
        mpeg_synth_matrix_plain(subbands, gains, shift, m_v + m_offset);
        mpeg_synth_window_plain(m_v, m_offset, shift, out, stride);
    }
}

void mpeg_synth_matrix_plain(const float* subbands, const float* gains, int shift, double* v)
{
    const int limit = 32 >> shift;
    double s[32];
    for (int k = 0; k < limit; ++k)
        s[k] = gains ? subbands[k] * gains[k] : subbands[k];
    for (int k = limit; k < 32; ++k)
        s[k] = 0.0;

    // V[i] = sum S[k] cos((16 + i)(2k + 1) pi / 64), i = 0..63, all taken
    // from the 32 DCT values X[m] = sum S[k] cos((2k + 1) m pi / 64); V is
    // kept at float precision, in doubles.
    double x[32];
    fast_dct<32>::run(s, x);
    for (int i = 0; i < 16; ++i)
        v[i] = static_cast<float>(x[16 + i]);
    v[16] = 0.0;
    for (int i = 17; i < 48; ++i)
        v[i] = static_cast<float>(-x[48 - i]);
    for (int i = 48; i < 64; ++i)
        v[i] = static_cast<float>(-x[i - 48]);
}

const double* mpeg_synth_window_table()
{
    return tables().window;
}

const double* mpeg_synth_dct_factors(int n)
{
    switch (n) {
    case 32:
        return kDct32;
    case 16:
        return kDct16;
    case 8:
        return kDct8;
    case 4:
        return kDct4;
    default:
        return kDct2;
    }
}

void mpeg_synth_window_plain(const double* v, int o, int shift, int16_t* out, int stride)
{
    // Each output sums 16 products of the window and the V history; at
    // reduced rate only every (1 << shift)-th output.
    const double* window = tables().window;
    const int step = 1 << shift;
    for (int j = 0; j < 32; j += step) {
        double sum = 0.0;
        for (int i = 0; i < 8; ++i) {
            sum += v[(o + 128 * i + j) & 1023] * window[64 * i + j];
            sum += v[(o + 128 * i + 96 + j) & 1023] * window[64 * i + 32 + j];
        }
        *out = shift == 0 ? clip16(floor(sum + 0.5)) : clip16(sum);
        out += stride;
    }
}

void mpeg_synth::silent(int shift, int16_t* out, int stride)
{
    for (int j = 0; j < (32 >> shift); ++j) {
        *out = 0;
        out += stride;
    }
}

mpeg_output::mpeg_output()
    : m_layout(OUT_STEREO), m_shift(0), m_rate(0), m_pcm_channels(2), m_pcm(nullptr), m_written(0)
{
}

void mpeg_output::reset()
{
    m_synth[0].reset();
    m_synth[1].reset();
}

void mpeg_output::set_gains(int channel, const float* gains32)
{
    m_synth[channel & 1].set_gains(gains32);
}

void mpeg_output::configure(const mpeg_frame_header& header, int selection, int quality)
{
    m_rate = mpeg_sample_rate(header);
    m_shift = 0;
    if (quality == 1 && m_rate >= 32000)
        m_shift = 1;
    else if (quality == 2)
        m_shift = m_rate >= 32000 ? 2 : (m_rate >= 16000 ? 1 : 0);
    m_rate >>= m_shift;

    if (header.mode == MPEG_MODE_SINGLE_CHANNEL)
        m_layout = OUT_MONO;
    else if (selection == MPEG_SELECT_LEFT)
        m_layout = OUT_LEFT;
    else if (selection == MPEG_SELECT_RIGHT)
        m_layout = OUT_RIGHT;
    else if (selection == MPEG_SELECT_MIX)
        m_layout = OUT_MIX;
    else
        m_layout = OUT_STEREO;
    m_pcm_channels = m_layout == OUT_STEREO ? 2 : 1;
}

void mpeg_output::begin(int16_t* pcm)
{
    m_pcm = pcm;
    m_written = 0;
}

bool mpeg_output::needs_channel(int ch) const
{
    switch (m_layout) {
    case OUT_MONO:
    case OUT_LEFT:
        return ch == 0;
    case OUT_RIGHT:
        return ch == 1;
    default:
        return ch == 0 || ch == 1;
    }
}

void mpeg_output::block(const float* left, const float* right)
{
    const int n = 32 >> m_shift;
    int16_t* out = m_pcm + m_written * m_pcm_channels;
    switch (m_layout) {
    case OUT_MONO:
    case OUT_LEFT:
        m_synth[0].block(left, m_shift, out, 1);
        break;
    case OUT_RIGHT:
        m_synth[1].block(right ? right : left, m_shift, out, 1);
        break;
    case OUT_STEREO:
        m_synth[0].block(left, m_shift, out, 2);
        m_synth[1].block(right ? right : left, m_shift, out + 1, 2);
        break;
    case OUT_MIX: {
        float mix[32];
        for (int k = 0; k < n; ++k)
            mix[k] = right ? (left[k] + right[k]) * 0.5f : left[k];
        m_synth[0].block(mix, m_shift, out, 1);
        break;
    }
    }
    m_written += n;
}

void mpeg_output::granule(const float (*left)[18], const float (*right)[18])
{
    float l[32];
    float r[32];
    for (int slot = 0; slot < 18; ++slot) {
        for (int sb = 0; sb < 32; ++sb) {
            l[sb] = left ? left[sb][slot] : 0.0f;
            if (right)
                r[sb] = right[sb][slot];
        }
        block(l, right ? r : nullptr);
    }
}

void mpeg_output::silent_block()
{
    int16_t* out = m_pcm + m_written * m_pcm_channels;
    for (int c = 0; c < m_pcm_channels; ++c)
        mpeg_synth::silent(m_shift, out + c, m_pcm_channels);
    m_written += 32 >> m_shift;
}

void mpeg_output::silent_granule()
{
    for (int slot = 0; slot < 18; ++slot)
        silent_block();
}
