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

} // namespace

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

void mpeg_synth_window_sse2(const double* v, int o, int16_t* out, int stride)
{
    mpeg_synth_window_plain(v, o, 0, out, stride);
}

#endif
