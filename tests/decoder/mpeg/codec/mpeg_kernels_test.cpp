// The filterbank kernels: the SSE2 ones give the plain ones' results, value
// for value, over random input (full scale, clipping, silence, equalizer
// gains, both output strides); and the codec's tables, computed with our
// own arithmetic, equal the C library's correctly rounded values.
#include <gtest/gtest.h>

#include <math.h>
#include <stdint.h>
#include <string.h>
#include <vector>

#include "decoder/mpeg/layer3_hybrid_kernels.h"
#include "decoder/mpeg/mpeg_math.h"
#include "decoder/mpeg/mpeg_simd.h"
#include "decoder/mpeg/mpeg_synth.h"
#include "decoder/mpeg/mpeg_synth_kernels.h"
#include "tests/decoder/mpeg/codec/mpeg_kernel_scope.h"

namespace {

const double PI = 3.14159265358979323846;

// Deterministic pseudo-random floats in [-scale, scale).
class Noise
{
public:
    explicit Noise(uint32_t seed) : m_state(seed) {}
    float Next(float scale)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (float((m_state >> 8) & 0xFFFFFF) / 8388608.0f - 1.0f) * scale;
    }

private:
    uint32_t m_state;
};

void RequireSimd()
{
    if (!mpeg_simd_built())
        GTEST_SKIP() << "the SSE2 kernels are not built (TAVRIX_MPEG_SIMD off or no SSE2)";
}

TEST(MpegKernels, SimdKernelsAreSelectedWhenBuilt)
{
    EXPECT_EQ(mpeg_simd_built(), mpeg_simd_selected());
    {
        mpeg_test::KernelScope plain(false);
        EXPECT_FALSE(mpeg_simd_selected());
    }
    EXPECT_EQ(mpeg_simd_built(), mpeg_simd_selected());
}

// Blocks of every kind through two synthesis states, one per kernel set.
TEST(MpegKernels, SynthesisGivesThePlainKernelsSamples)
{
    RequireSimd();
    struct block_kind
    {
        float scale;   // subband amplitude (1.0 is full scale)
        int bands;     // nonzero lowest subbands
        bool gains;
        int stride;
    };
    const block_kind kinds[] = {
        {0.0f, 32, false, 1},  {1e-6f, 32, false, 1}, {0.02f, 32, false, 2}, {0.3f, 32, false, 1},
        {2.0f, 32, false, 2},  {0.05f, 4, false, 1},  {0.05f, 32, true, 2},  {8.0f, 32, true, 1},
    };
    mpeg_synth simd;
    mpeg_synth plain;
    float gains[32];
    Noise noise(12345);
    for (float& g : gains)
        g = 1.0f + noise.Next(0.9f);
    size_t compared = 0;
    size_t clipped = 0;
    for (int round = 0; round < 40; ++round) {
        for (const block_kind& kind : kinds) {
            simd.set_gains(kind.gains ? gains : nullptr);
            plain.set_gains(kind.gains ? gains : nullptr);
            float sb[32] = {};
            for (int k = 0; k < kind.bands; ++k)
                sb[k] = noise.Next(kind.scale);
            int16_t a[64];
            int16_t b[64];
            memset(a, 0x55, sizeof(a));
            memset(b, 0x55, sizeof(b));
            {
                mpeg_test::KernelScope scope(true);
                simd.block(sb, 0, a, kind.stride);
            }
            {
                mpeg_test::KernelScope scope(false);
                plain.block(sb, 0, b, kind.stride);
            }
            ASSERT_EQ(0, memcmp(a, b, sizeof(a))) << "round " << round << ", scale " << kind.scale;
            for (int j = 0; j < 32; ++j)
                clipped += a[j * kind.stride] == 32767 || a[j * kind.stride] == -32768;
            compared += 32;
        }
    }
    EXPECT_EQ(40u * 8u * 32u, compared);
    EXPECT_GT(clipped, 0u); // the loud blocks did reach the clipping
}

TEST(MpegKernels, ImdctGivesThePlainKernelsValues)
{
    RequireSimd();
    const layer3_imdct_tables& t = layer3_imdct_tables_get();
    Noise noise(777);
    const float scales[] = {0.0f, 1e-8f, 0.001f, 0.5f, 3000.0f};
    for (int round = 0; round < 200; ++round) {
        const float scale = scales[round % 5];
        float in[18];
        float start[18];
        for (int i = 0; i < 18; ++i) {
            in[i] = noise.Next(scale);
            start[i] = noise.Next(scale);
        }
        for (int kind = 0; kind < 5; ++kind) {
            float overlap_a[18];
            float overlap_b[18];
            float out_a[18];
            float out_b[18];
            memcpy(overlap_a, start, sizeof(start));
            memcpy(overlap_b, start, sizeof(start));
            if (kind < 4 && kind != 2) {
                layer3_imdct_long_sse2(t, in, t.window[kind], overlap_a, out_a);
                layer3_imdct_long_plain(t, in, t.window[kind], overlap_b, out_b);
            } else {
                layer3_imdct_short_sse2(t, in, overlap_a, out_a);
                layer3_imdct_short_plain(t, in, overlap_b, out_b);
            }
            ASSERT_EQ(0, memcmp(out_a, out_b, sizeof(out_a))) << "round " << round << ", kind " << kind;
            ASSERT_EQ(0, memcmp(overlap_a, overlap_b, sizeof(overlap_a))) << "round " << round;
        }
    }
}

// Tables: our arithmetic against the C library, after rounding to float
// (the precision the tables keep).
TEST(MpegTables, OwnFunctionsEqualTheCLibraryAtTheTablesPoints)
{
    int compared = 0;
    for (int i = 0; i <= 8206; ++i, ++compared)
        ASSERT_EQ(float(pow(double(i), 4.0 / 3.0)), float(mpeg_math::pow43(double(i)))) << i;
    for (int k = 0; k < 18; ++k)
        for (int n = 0; n < 18; ++n, ++compared)
            ASSERT_EQ(float(cos(PI / 18.0 * (n + 0.5) * (k + 0.5))),
                      float(mpeg_math::cos_pi((n + 0.5) * (k + 0.5) / 18.0)))
                << k << " " << n;
    for (int k = 0; k < 6; ++k)
        for (int n = 0; n < 6; ++n, ++compared)
            ASSERT_EQ(float(cos(PI / 6.0 * (n + 0.5) * (k + 0.5))),
                      float(mpeg_math::cos_pi((n + 0.5) * (k + 0.5) / 6.0)));
    for (int i = 0; i < 36; ++i, ++compared)
        ASSERT_EQ(float(sin(PI / 36.0 * (i + 0.5))), float(mpeg_math::sin_pi((i + 0.5) / 36.0))) << i;
    for (int i = 0; i < 12; ++i, ++compared)
        ASSERT_EQ(float(sin(PI / 12.0 * (i + 0.5))), float(mpeg_math::sin_pi((i + 0.5) / 12.0))) << i;
    for (int i = 0; i < 64; ++i, ++compared)
        ASSERT_EQ(float(pow(2.0, 1.0 - i / 3.0)), float(mpeg_math::exp2_ratio(3 - i, 3))) << i;
    for (int pos = 0; pos < 6; ++pos, ++compared) {
        const double r = tan(pos * PI / 12.0);
        const double q = mpeg_math::tan_pi(pos / 12.0);
        ASSERT_EQ(float(r / (1.0 + r)), float(q / (1.0 + q))) << pos;
        ASSERT_EQ(float(1.0 / (1.0 + r)), float(1.0 / (1.0 + q))) << pos;
    }
    for (int k = 0; k <= 16; ++k, ++compared) {
        ASSERT_EQ(float(pow(0.70710678118654752, double(k))), float(mpeg_math::pow_int(0.70710678118654752, k)));
        ASSERT_EQ(float(pow(0.84089641525371454, double(k))), float(mpeg_math::pow_int(0.84089641525371454, k)));
    }
    EXPECT_EQ(8207 + 324 + 36 + 36 + 12 + 64 + 6 + 17, compared);
}

TEST(MpegTables, ExactValuesAreExact)
{
    EXPECT_EQ(1.0, mpeg_math::cos_pi(0.0));
    EXPECT_EQ(0.0, mpeg_math::sin_pi(0.0));
    EXPECT_EQ(1.0, mpeg_math::sin_pi(0.5));
    EXPECT_EQ(-1.0, mpeg_math::cos_pi(1.0));
    EXPECT_EQ(3.0, mpeg_math::cbrt(27.0));
    EXPECT_EQ(16.0, mpeg_math::pow43(8.0));
    EXPECT_EQ(0.25, mpeg_math::exp2_ratio(-6, 3));
    EXPECT_EQ(4.0, mpeg_math::exp2_ratio(4, 2));
    EXPECT_EQ(0.5, mpeg_math::exp2_ratio(-3, 3));
}

// The synthesis DCT's factors are written out; they are the C library's to
// the last bit.
TEST(MpegTables, DctFactorsAreTheCLibrarysToTheLastBit)
{
    for (int n = 32; n >= 2; n /= 2) {
        const double* f = mpeg_synth_dct_factors(n);
        for (int k = 0; k < n / 2; ++k)
            EXPECT_EQ(0.5 / cos((2 * k + 1) * PI / (2.0 * n)), f[k]) << n << " " << k;
    }
}

} // namespace
