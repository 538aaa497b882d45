// The synthesis windowing in SSE2 registers: four outputs per pass, each
// in its own double lane (two registers), summing its 16 products of
// float-valued history and window in the plain kernel's order. Products of
// two floats are exact in double precision, so every lane rounds exactly as
// the plain kernel's sum does.
#include "decoder/mpeg/mpeg_synth_kernels.h"

#include "decoder/mpeg/mpeg_simd.h"

#if defined(TAVRIX_MPEG_SIMD) && defined(__SSE2__)

#include <emmintrin.h>

namespace {

// floor(sum + 0.5) clipped to 16 bits, for the two lanes of sum, as two
// 32-bit integers in the low half of the result.
inline __m128i round_clip(__m128d sum)
{
    // Clipping before the rounding gives the same result: floor is
    // monotonic and the bounds are whole numbers.
    const __m128d x = _mm_min_pd(_mm_max_pd(_mm_add_pd(sum, _mm_set1_pd(0.5)), _mm_set1_pd(-32768.0)),
                                 _mm_set1_pd(32767.0));
    const __m128i t = _mm_cvttpd_epi32(x); // toward zero
    // Below zero a fraction truncates up: one less there.
    const __m128d above = _mm_cmpgt_pd(_mm_cvtepi32_pd(t), x);
    const __m128i fix = _mm_shuffle_epi32(_mm_castpd_si128(above), _MM_SHUFFLE(3, 3, 2, 0));
    return _mm_add_epi32(t, fix);
}

#define MPEG_INLINE inline __attribute__((always_inline))

const double* const kFactors32 = mpeg_synth_dct_factors(32);
const double* const kFactors16 = mpeg_synth_dct_factors(16);
const double* const kFactors8 = mpeg_synth_dct_factors(8);
const double* const kFactors4 = mpeg_synth_dct_factors(4);
const double* const kFactors2 = mpeg_synth_dct_factors(2);

template <int N>
MPEG_INLINE const double* factors()
{
    return N == 32 ? kFactors32 : N == 16 ? kFactors16 : N == 8 ? kFactors8 : kFactors4;
}

// The fast DCT of the plain kernel (mpeg_synth.cpp) on N values held as
// N / 2 pairs: every output comes from the same sums, differences and
// products in the same order.
template <int N>
struct dct_sse2
{
    static MPEG_INLINE void run(const __m128d* in, __m128d* out)
    {
        const int V = N / 4; // pairs in each half
        const double* f = factors<N>();
        __m128d a[V], b[V], ea[V], eb[V];
        // a[k] = in[k] + in[N - 1 - k], b[k] = (in[k] - in[N - 1 - k]) f[k].
#pragma GCC unroll 8
        for (int p = 0; p < V; ++p) {
            const __m128d lo = in[p];
            const __m128d hi = _mm_shuffle_pd(in[N / 2 - 1 - p], in[N / 2 - 1 - p], 1);
            a[p] = _mm_add_pd(lo, hi);
            b[p] = _mm_mul_pd(_mm_sub_pd(lo, hi), _mm_loadu_pd(f + 2 * p));
        }
        dct_sse2<N / 2>::run(a, ea);
        dct_sse2<N / 2>::run(b, eb);
        // out[2m] = ea[m], out[2m + 1] = eb[m] + eb[m + 1], the last eb alone.
#pragma GCC unroll 8
        for (int q = 0; q < V - 1; ++q) {
            const __m128d odd = _mm_add_pd(eb[q], _mm_shuffle_pd(eb[q], eb[q + 1], 1));
            out[2 * q] = _mm_unpacklo_pd(ea[q], odd);
            out[2 * q + 1] = _mm_unpackhi_pd(ea[q], odd);
        }
        const __m128d last = eb[V - 1];
        const __m128d odd = _mm_add_sd(last, _mm_unpackhi_pd(last, last));
        out[2 * V - 2] = _mm_unpacklo_pd(ea[V - 1], odd);
        out[2 * V - 1] = _mm_unpackhi_pd(ea[V - 1], odd);
    }
};

template <>
struct dct_sse2<2>
{
    static MPEG_INLINE void run(const __m128d* in, __m128d* out)
    {
        const __m128d v = in[0];
        const __m128d hi = _mm_unpackhi_pd(v, v);
        const __m128d sum = _mm_add_sd(v, hi);
        const __m128d difference = _mm_mul_sd(_mm_sub_sd(v, hi), _mm_load_sd(kFactors2));
        out[0] = _mm_unpacklo_pd(sum, difference);
    }
};

// Values rounded to float, kept in double; negated.
MPEG_INLINE __m128d to_float(__m128d x)
{
    return _mm_cvtps_pd(_mm_cvtpd_ps(x));
}
MPEG_INLINE __m128d negated(__m128d x)
{
    return _mm_xor_pd(x, _mm_set1_pd(-0.0));
}

} // namespace

void mpeg_synth_matrix_sse2(const float* subbands, const float* gains, double* v)
{
    __m128d s[16];
    for (int k = 0; k < 8; ++k) {
        __m128 x = _mm_loadu_ps(subbands + 4 * k);
        if (gains)
            x = _mm_mul_ps(x, _mm_loadu_ps(gains + 4 * k));
        s[2 * k] = _mm_cvtps_pd(x);
        s[2 * k + 1] = _mm_cvtps_pd(_mm_movehl_ps(x, x));
    }
    __m128d x[16];
    dct_sse2<32>::run(s, x);
    // V: x[16 + i] (i < 16), 0, -x[48 - i] (i < 48), -x[i - 48].
    for (int p = 0; p < 8; ++p) {
        _mm_storeu_pd(v + 2 * p, to_float(x[8 + p]));
        _mm_storeu_pd(v + 48 + 2 * p, negated(to_float(x[p])));
    }
    _mm_storeu_pd(v + 16, _mm_unpackhi_pd(_mm_setzero_pd(), negated(to_float(x[15]))));
    // v[i], v[i + 1] for even i from 18: -x[48 - i], -x[47 - i].
    for (int i = 18; i < 48; i += 2) {
        const int hi = (48 - i) / 2;
        _mm_storeu_pd(v + i, negated(to_float(_mm_shuffle_pd(x[hi], x[hi - 1], 2))));
    }
}

void mpeg_synth_window_sse2(const double* v, int o, int16_t* out, int stride)
{
    const double* window = mpeg_synth_window_table();
    alignas(16) int16_t pcm[32];
    for (int j = 0; j < 32; j += 8) {
        __m128d s0 = _mm_setzero_pd();
        __m128d s1 = _mm_setzero_pd();
        __m128d s2 = _mm_setzero_pd();
        __m128d s3 = _mm_setzero_pd();
        for (int i = 0; i < 8; ++i) {
            const double* a = v + ((o + 128 * i) & 1023) + j;
            const double* b = v + ((o + 128 * i + 96) & 1023) + j;
            const double* wa = window + 64 * i + j;
            const double* wb = wa + 32;
            s0 = _mm_add_pd(s0, _mm_mul_pd(_mm_loadu_pd(a), _mm_loadu_pd(wa)));
            s1 = _mm_add_pd(s1, _mm_mul_pd(_mm_loadu_pd(a + 2), _mm_loadu_pd(wa + 2)));
            s2 = _mm_add_pd(s2, _mm_mul_pd(_mm_loadu_pd(a + 4), _mm_loadu_pd(wa + 4)));
            s3 = _mm_add_pd(s3, _mm_mul_pd(_mm_loadu_pd(a + 6), _mm_loadu_pd(wa + 6)));
            s0 = _mm_add_pd(s0, _mm_mul_pd(_mm_loadu_pd(b), _mm_loadu_pd(wb)));
            s1 = _mm_add_pd(s1, _mm_mul_pd(_mm_loadu_pd(b + 2), _mm_loadu_pd(wb + 2)));
            s2 = _mm_add_pd(s2, _mm_mul_pd(_mm_loadu_pd(b + 4), _mm_loadu_pd(wb + 4)));
            s3 = _mm_add_pd(s3, _mm_mul_pd(_mm_loadu_pd(b + 6), _mm_loadu_pd(wb + 6)));
        }
        const __m128i lo = _mm_unpacklo_epi64(round_clip(s0), round_clip(s1));
        const __m128i hi = _mm_unpacklo_epi64(round_clip(s2), round_clip(s3));
        _mm_store_si128(reinterpret_cast<__m128i*>(pcm + j), _mm_packs_epi32(lo, hi));
    }
    for (int j = 0; j < 32; ++j)
        out[stride * j] = pcm[j];
}

#else

void mpeg_synth_matrix_sse2(const float* subbands, const float* gains, double* v)
{
    mpeg_synth_matrix_plain(subbands, gains, 0, v);
}

void mpeg_synth_window_sse2(const double* v, int o, int16_t* out, int stride)
{
    mpeg_synth_window_plain(v, o, 0, out, stride);
}

#endif
