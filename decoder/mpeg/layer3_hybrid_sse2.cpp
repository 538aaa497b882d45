// The layer III IMDCT in SSE2 registers, four outputs of a transform at a
// time: each lane sums its products in the plain kernel's order and is
// windowed with the same products, so the results are the plain kernel's.
#include "decoder/mpeg/layer3_hybrid_kernels.h"

#if defined(TAVRIX_MPEG_SIMD) && defined(__SSE2__)

#include <emmintrin.h>

void layer3_imdct_long_sse2(const layer3_imdct_tables& t, const float* in, const float* window,
                            float* overlap, float* out)
{
    // z[n] = sum over k of in[k] c[k][n], k in order, for n < 20 (18 used).
    __m128 z0 = _mm_setzero_ps();
    __m128 z1 = _mm_setzero_ps();
    __m128 z2 = _mm_setzero_ps();
    __m128 z3 = _mm_setzero_ps();
    __m128 z4 = _mm_setzero_ps();
    for (int k = 0; k < 18; ++k) {
        const __m128 x = _mm_set1_ps(in[k]);
        const float* c = t.dct18[k];
        z0 = _mm_add_ps(z0, _mm_mul_ps(x, _mm_loadu_ps(c)));
        z1 = _mm_add_ps(z1, _mm_mul_ps(x, _mm_loadu_ps(c + 4)));
        z2 = _mm_add_ps(z2, _mm_mul_ps(x, _mm_loadu_ps(c + 8)));
        z3 = _mm_add_ps(z3, _mm_mul_ps(x, _mm_loadu_ps(c + 12)));
        z4 = _mm_add_ps(z4, _mm_mul_ps(x, _mm_loadu_ps(c + 16)));
    }
    alignas(16) float z[20];
    _mm_store_ps(z, z0);
    _mm_store_ps(z + 4, z1);
    _mm_store_ps(z + 8, z2);
    _mm_store_ps(z + 12, z3);
    _mm_store_ps(z + 16, z4);
    // Windowing and overlap as the plain kernel does them (a vector built
    // from single values would stall on their stores).
    layer3_imdct_long_window(z, window, overlap, out);
}

void layer3_imdct_short_sse2(const layer3_imdct_tables& t, const float* in, float* overlap, float* out)
{
    // The cosines as [k][n], n padded to 8.
    alignas(16) float c[6][8];
    for (int k = 0; k < 6; ++k) {
        for (int n = 0; n < 6; ++n)
            c[k][n] = t.dct6[n][k];
        c[k][6] = c[k][7] = 0.0f;
    }
    const float* window = t.window[2];
    alignas(16) float y[36] = {};
    for (int w = 0; w < 3; ++w) {
        __m128 lo = _mm_setzero_ps();
        __m128 hi = _mm_setzero_ps();
        for (int k = 0; k < 6; ++k) {
            const __m128 x = _mm_set1_ps(in[3 * k + w]);
            lo = _mm_add_ps(lo, _mm_mul_ps(x, _mm_load_ps(c[k])));
            hi = _mm_add_ps(hi, _mm_mul_ps(x, _mm_load_ps(c[k] + 4)));
        }
        alignas(16) float z[8];
        _mm_store_ps(z, lo);
        _mm_store_ps(z + 4, hi);
        // The window's 12 samples before windowing: z[i + 3] (i < 3),
        // -z[8 - i] (i < 9), -z[i - 9]; each is added to what the earlier
        // windows left there (dst - z w is dst + (-z) w).
        alignas(16) float s[12];
        for (int i = 0; i < 3; ++i) {
            s[i] = z[i + 3];
            s[8 - i] = -z[i];
            s[5 - i] = -z[i + 3];
            s[9 + i] = -z[i];
        }
        float* dst = y + 6 + 6 * w;
        for (int i = 0; i < 12; i += 4)
            _mm_storeu_ps(dst + i, _mm_add_ps(_mm_loadu_ps(dst + i), _mm_mul_ps(_mm_load_ps(s + i), _mm_loadu_ps(window + i))));
    }
    for (int i = 0; i < 16; i += 4) {
        _mm_storeu_ps(out + i, _mm_add_ps(_mm_loadu_ps(overlap + i), _mm_load_ps(y + i)));
        _mm_storeu_ps(overlap + i, _mm_loadu_ps(y + 18 + i));
    }
    for (int i = 16; i < 18; ++i) {
        out[i] = overlap[i] + y[i];
        overlap[i] = y[i + 18];
    }
}

#else

// Without SSE2 kernels (mpeg_simd_selected() is then always false) the
// entry points are the plain kernels.
void layer3_imdct_long_sse2(const layer3_imdct_tables& t, const float* in, const float* window,
                            float* overlap, float* out)
{
    layer3_imdct_long_plain(t, in, window, overlap, out);
}

void layer3_imdct_short_sse2(const layer3_imdct_tables& t, const float* in, float* overlap, float* out)
{
    layer3_imdct_short_plain(t, in, overlap, out);
}

#endif
