// The layer III stages one by one against the standard's definitions: the
// Huffman tables and their look-up decoding, the IMDCT with its windows and
// overlap, alias reduction, reorder, frequency inversion and mid/side.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include "decoder/mpeg/layer3_internal.h"
#include "decoder/mpeg/mpeg_huffman.h"
#include "tests/decoder/mpeg/layer3/layer3_test_support.h"

namespace {

const double kPi = 3.14159265358979323846;

using layer3_test::BitWriter;

// A small deterministic generator for test spectra.
struct Lcg
{
    uint32_t state;
    explicit Lcg(uint32_t seed) : state(seed) {}
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    float Value() { return float(int(Next() % 2001) - 1000) / 1000.0f; }
};

layer3_granule_info Granule(int window_switching, int block_type, int mixed)
{
    layer3_granule_info gi;
    memset(&gi, 0, sizeof(gi));
    gi.window_switching = window_switching;
    gi.block_type = block_type;
    gi.mixed_block = mixed;
    return gi;
}

// Every code table is a complete prefix code: no code word is the start of
// another and the lengths fill the code space exactly (Kraft sum 1).
TEST(Layer3Huffman, TablesAreCompletePrefixCodes)
{
    std::vector<const mpeg_huffman_source*> sources;
    for (int t = 1; t < 32; ++t)
        if (mpeg_huffman_sources[t].size)
            sources.push_back(&mpeg_huffman_sources[t]);
    sources.push_back(&mpeg_huffman_count1_sources[0]);
    sources.push_back(&mpeg_huffman_count1_sources[1]);
    ASSERT_EQ(29u + 2u, sources.size()); // tables 1-31 but 4 and 14, and the count1 pair
    for (const mpeg_huffman_source* s : sources) {
        const int n = s->size * s->size;
        double kraft = 0.0;
        for (int i = 0; i < n; ++i) {
            ASSERT_GE(s->lengths[i], 1);
            ASSERT_LE(s->lengths[i], 19);
            EXPECT_EQ(0u, uint32_t(s->codes[i]) >> s->lengths[i]);
            kraft += ldexp(1.0, -s->lengths[i]);
            for (int j = 0; j < n; ++j) {
                if (i == j || s->lengths[i] > s->lengths[j])
                    continue;
                EXPECT_NE(uint32_t(s->codes[i]), uint32_t(s->codes[j]) >> (s->lengths[j] - s->lengths[i]))
                    << "code " << i << " is a prefix of " << j;
            }
        }
        EXPECT_DOUBLE_EQ(1.0, kraft);
    }
}

TEST(Layer3Huffman, LinbitsAsTheStandardLists)
{
    const int expected[32] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              1, 2, 3, 4, 6, 8, 10, 13, 4, 5, 6, 7, 8, 9, 11, 13};
    for (int t = 0; t < 32; ++t)
        EXPECT_EQ(expected[t], mpeg_huffman_sources[t].linbits) << t;
    EXPECT_FALSE(mpeg_huffman_table_valid(4));
    EXPECT_FALSE(mpeg_huffman_table_valid(14));
    EXPECT_TRUE(mpeg_huffman_table_valid(0));
}

// Every symbol of every table, written one after another, decodes back in
// order through the look-up tables.
TEST(Layer3Huffman, EverySymbolDecodes)
{
    for (int t = 1; t < 32; ++t) {
        const mpeg_huffman_source& s = mpeg_huffman_sources[t];
        if (!s.size)
            continue;
        BitWriter w;
        for (int i = 0; i < s.size * s.size; ++i)
            w.Put(s.codes[i], s.lengths[i]);
        const std::string bytes = w.Bytes();
        layer3_bits bits(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        for (int i = 0; i < s.size * s.size; ++i)
            ASSERT_EQ(((i / s.size) << 4) | (i % s.size), mpeg_huffman_pair(t, bits)) << "table " << t;
        EXPECT_EQ(w.Bits(), bits.position());
    }
    for (int t = 0; t < 2; ++t) {
        const mpeg_huffman_source& s = mpeg_huffman_count1_sources[t];
        BitWriter w;
        for (int i = 15; i >= 0; --i)
            w.Put(s.codes[i], s.lengths[i]);
        const std::string bytes = w.Bytes();
        layer3_bits bits(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        for (int i = 15; i >= 0; --i)
            ASSERT_EQ(i, mpeg_huffman_quad(t, bits));
    }
}

TEST(Layer3Bits, ReadsPastTheEndAsZeroAndReportsIt)
{
    const uint8_t data[3] = {0xA5, 0xFF, 0x81};
    layer3_bits bits(data, sizeof(data));
    EXPECT_EQ(0xAu, bits.read(4));
    EXPECT_EQ(0x5FF8u, bits.read(16));
    EXPECT_FALSE(bits.overrun());
    EXPECT_EQ(0x10u, bits.read(8)); // 4 real bits, 4 past the end
    EXPECT_TRUE(bits.overrun());
}

// The standard's IMDCT: x_i = sum_k X_k cos(pi / 2n (2i + 1 + n / 2)(2k + 1)).
void DirectImdct(const float* in, int n, double* out)
{
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int k = 0; k < n / 2; ++k)
            sum += in[k] * cos(kPi / (2.0 * n) * (2 * i + 1 + n / 2.0) * (2 * k + 1));
        out[i] = sum;
    }
}

double LongWindow(int type, int i)
{
    switch (type) {
    case 1:
        return i < 18 ? sin(kPi / 36 * (i + 0.5)) : i < 24 ? 1.0 : i < 30 ? sin(kPi / 12 * (i - 18 + 0.5)) : 0.0;
    case 3:
        return i < 6 ? 0.0 : i < 12 ? sin(kPi / 12 * (i - 6 + 0.5)) : i < 18 ? 1.0 : sin(kPi / 36 * (i + 0.5));
    default:
        return sin(kPi / 36 * (i + 0.5));
    }
}

// Output and new overlap of one subband by the standard's formulas.
void ExpectedSubband(const layer3_granule_info& gi, int sb, const float* in, const float* overlap,
                     double* out, double* next_overlap)
{
    double z[36] = {};
    const bool is_short = gi.window_switching && gi.block_type == 2 && !(gi.mixed_block && sb < 2);
    if (is_short) {
        for (int w = 0; w < 3; ++w) {
            float x[6];
            for (int k = 0; k < 6; ++k)
                x[k] = in[3 * k + w];
            double y[12];
            DirectImdct(x, 12, y);
            for (int i = 0; i < 12; ++i)
                z[6 + 6 * w + i] += y[i] * sin(kPi / 12 * (i + 0.5));
        }
    } else {
        double y[36];
        DirectImdct(in, 36, y);
        const int type = gi.window_switching && !(gi.mixed_block && sb < 2) ? gi.block_type : 0;
        for (int i = 0; i < 36; ++i)
            z[i] = y[i] * LongWindow(type, i);
    }
    for (int i = 0; i < 18; ++i) {
        out[i] = overlap[i] + z[i];
        next_overlap[i] = z[18 + i];
    }
}

struct block_case
{
    int window_switching;
    int block_type;
    int mixed;
};

class Layer3Imdct : public ::testing::TestWithParam<block_case>
{
};

TEST_P(Layer3Imdct, MatchesTheStandardsFormula)
{
    const block_case c = GetParam();
    const layer3_granule_info gi = Granule(c.window_switching, c.block_type, c.mixed);
    Lcg rnd(7 + c.block_type);
    layer3_spectrum spec;
    for (float& v : spec.xr)
        v = rnd.Value();
    spec.nonzero = 576;
    float overlap[32][18];
    for (auto& row : overlap)
        for (float& v : row)
            v = rnd.Value();
    float before[32][18];
    memcpy(before, overlap, sizeof(before));
    float out[32][18];
    layer3_imdct_granule(gi, spec, 32, overlap, out);
    for (int sb = 0; sb < 32; ++sb) {
        double expect[18];
        double expect_overlap[18];
        ExpectedSubband(gi, sb, spec.xr + 18 * sb, before[sb], expect, expect_overlap);
        for (int i = 0; i < 18; ++i) {
            ASSERT_NEAR(expect[i], out[sb][i], 2e-5) << "subband " << sb << " sample " << i;
            ASSERT_NEAR(expect_overlap[i], overlap[sb][i], 2e-5) << "subband " << sb << " sample " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BlockTypes, Layer3Imdct,
                         ::testing::Values(block_case{0, 0, 0}, block_case{1, 1, 0}, block_case{1, 3, 0},
                                           block_case{1, 2, 0}, block_case{1, 2, 1}, block_case{1, 1, 1},
                                           block_case{1, 3, 1}));

// After a short-block granule only the subbands that were not transformed
// output their overlap; the transformed ones keep their fresh output.
TEST(Layer3Imdct, OverlapPassSkipsTransformedSubbands)
{
    const layer3_granule_info gi = Granule(1, 2, 0);
    Lcg rnd(99);
    layer3_spectrum spec;
    for (float& v : spec.xr)
        v = rnd.Value();
    spec.nonzero = 576;
    float overlap[32][18];
    for (auto& row : overlap)
        for (float& v : row)
            v = rnd.Value();
    float before[32][18];
    memcpy(before, overlap, sizeof(before));
    float out[32][18];
    const int transformed = 12;
    layer3_imdct_granule(gi, spec, transformed, overlap, out);
    for (int sb = 0; sb < 32; ++sb) {
        double expect[18];
        double expect_overlap[18];
        ExpectedSubband(gi, sb, spec.xr + 18 * sb, before[sb], expect, expect_overlap);
        for (int i = 0; i < 18; ++i) {
            if (sb < transformed) {
                ASSERT_NEAR(expect[i], out[sb][i], 2e-5) << sb;
                ASSERT_NEAR(expect_overlap[i], overlap[sb][i], 2e-5) << sb;
            } else {
                ASSERT_EQ(before[sb][i], out[sb][i]) << sb;
                ASSERT_EQ(0.0f, overlap[sb][i]) << sb;
            }
        }
    }
}

TEST(Layer3Alias, ButterfliesAsTheStandardDefines)
{
    static const double c[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
    for (int mixed = 0; mixed < 2; ++mixed) {
        const layer3_granule_info gi = mixed ? Granule(1, 2, 1) : Granule(0, 0, 0);
        Lcg rnd(3);
        layer3_spectrum spec;
        for (float& v : spec.xr)
            v = rnd.Value();
        spec.nonzero = 576;
        const int last = mixed ? 1 : 31;
        double x[576];
        for (int i = 0; i < 576; ++i)
            x[i] = spec.xr[i];
        for (int sb = 1; sb <= last; ++sb)
            for (int i = 0; i < 8; ++i) {
                const double cs = 1.0 / sqrt(1.0 + c[i] * c[i]);
                const double ca = c[i] / sqrt(1.0 + c[i] * c[i]);
                const double bu = x[18 * sb - 1 - i];
                const double bd = x[18 * sb + i];
                x[18 * sb - 1 - i] = bu * cs - bd * ca;
                x[18 * sb + i] = bd * cs + bu * ca;
            }
        layer3_alias_reduce(gi, &spec);
        for (int i = 0; i < 576; ++i)
            ASSERT_NEAR(x[i], spec.xr[i], 1e-6) << "mixed " << mixed << " line " << i;
    }
    // A short-block granule gets no butterflies.
    layer3_spectrum spec;
    for (int i = 0; i < 576; ++i)
        spec.xr[i] = float(i);
    spec.nonzero = 576;
    layer3_alias_reduce(Granule(1, 2, 0), &spec);
    for (int i = 0; i < 576; ++i)
        ASSERT_EQ(float(i), spec.xr[i]);
}

// Content in the lowest subband only reaches the next one through the
// butterflies; the transformed extent follows.
TEST(Layer3Alias, ExtentGrowsByOneSubband)
{
    layer3_spectrum spec;
    memset(&spec, 0, sizeof(spec));
    spec.xr[17] = 1.0f;
    spec.nonzero = 18;
    layer3_alias_reduce(Granule(0, 0, 0), &spec);
    EXPECT_NE(0.0f, spec.xr[18]);
    EXPECT_EQ(36, spec.nonzero);
}

TEST(Layer3Reorder, ShortBandsInterleaveTheirWindows)
{
    mpeg_frame_header h = layer3_test::Header(0xFFFB9044u); // MPEG-1 44.1 kHz
    const layer3_band_table& bands = layer3_bands(h);
    for (int mixed = 0; mixed < 2; ++mixed) {
        layer3_spectrum spec;
        for (int i = 0; i < 576; ++i)
            spec.xr[i] = float(i);
        layer3_reorder_short(Granule(1, 2, mixed), bands, &spec);
        const int first = mixed ? 3 : 0;
        for (int i = 0; i < bands.short_bounds[first] * 3; ++i)
            ASSERT_EQ(float(i), spec.xr[i]);
        for (int band = first; band < 13; ++band) {
            const int start = bands.short_bounds[band];
            const int width = bands.short_bounds[band + 1] - start;
            for (int w = 0; w < 3; ++w)
                for (int f = 0; f < width; ++f)
                    ASSERT_EQ(float(3 * start + w * width + f), spec.xr[3 * (start + f) + w]);
        }
    }
}

TEST(Layer3FrequencyInversion, NegatesOddSamplesOfOddSubbands)
{
    float out[32][18];
    for (int sb = 0; sb < 32; ++sb)
        for (int i = 0; i < 18; ++i)
            out[sb][i] = 1.0f;
    layer3_frequency_invert(out);
    for (int sb = 0; sb < 32; ++sb)
        for (int i = 0; i < 18; ++i)
            ASSERT_EQ((sb & 1) && (i & 1) ? -1.0f : 1.0f, out[sb][i]);
}

// A mid/side frame whose side channel alone reaches high: both channels are
// reconstructed and transformed up to that content.
TEST(Layer3Stereo, MidSideTakesTheLargerExtent)
{
    mpeg_frame_header h = layer3_test::Header(0xFFFB9064u);
    layer3_frame_facts facts = {false, 2, true, false, &layer3_bands(h)};
    layer3_spectrum mid;
    layer3_spectrum side;
    memset(&mid, 0, sizeof(mid));
    memset(&side, 0, sizeof(side));
    mid.xr[3] = 1.0f;
    mid.nonzero = 4;
    side.xr[3] = 0.5f;
    side.xr[400] = 2.0f;
    side.nonzero = 401;
    layer3_scalefactors sf;
    memset(&sf, 0, sizeof(sf));
    layer3_stereo_process(facts, Granule(0, 0, 0), sf, &mid, &side);
    EXPECT_EQ(401, mid.nonzero);
    EXPECT_EQ(401, side.nonzero);
    const float r = 0.70710678f;
    EXPECT_FLOAT_EQ(1.5f * r, mid.xr[3]);
    EXPECT_FLOAT_EQ(0.5f * r, side.xr[3]);
    EXPECT_FLOAT_EQ(2.0f * r, mid.xr[400]);
    EXPECT_FLOAT_EQ(-2.0f * r, side.xr[400]);
}

} // namespace
