// Streams written bit by bit for what the encoders do not write: intensity
// stereo (MPEG-1 and MPEG-2) and MPEG-2 mixed blocks. The decoded spectra
// are checked against values computed from the standards' formulas.
#include <gtest/gtest.h>

#include <math.h>
#include <memory>
#include <string.h>

#include "decoder/mpeg/layer3_internal.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "tests/decoder/mpeg/layer3/layer3_test_support.h"

namespace {

const double kPi = 3.14159265358979323846;

using layer3_test::BitWriter;

// Scale factor band boundaries (long bands) of ISO/IEC 11172-3 at 44.1 kHz
// and ISO/IEC 13818-3 at 22.05 kHz; short bands at 22.05 kHz.
const int kLong44[23] = {0, 4, 8, 12, 16, 20, 24, 30, 36, 44, 52, 62, 74, 90, 110, 134, 162, 196, 238, 288, 342, 418, 576};
const int kLong22[23] = {0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576};
const int kShort22[14] = {0, 4, 8, 12, 18, 24, 32, 42, 56, 74, 100, 132, 174, 192};

int BandOf(const int* bounds, int line)
{
    int band = 0;
    while (bounds[band + 1] <= line)
        ++band;
    return band;
}

// Quantized test values in -1..1.
int Pattern(int i)
{
    static const int values[4] = {0, 1, -1, 1};
    return values[(i * 5 + 1) % 4];
}

// Huffman table 1 of the standard: (0,0) 1, (0,1) 001, (1,0) 01, (1,1) 000,
// each nonzero value followed by its sign (1 negative).
void PutPair(BitWriter& w, int x, int y)
{
    static const uint32_t code[2][2] = {{1, 1}, {1, 0}};
    static const int length[2][2] = {{1, 3}, {2, 3}};
    const int ax = x != 0;
    const int ay = y != 0;
    w.Put(code[ax][ay], length[ax][ay]);
    if (x)
        w.Put(x < 0, 1);
    if (y)
        w.Put(y < 0, 1);
}

// count1 table B: the 4-bit code 15 - (v * 8 + w * 4 + x * 2 + y), then
// the signs.
void PutQuadB(BitWriter& w, const int* v)
{
    int index = 0;
    for (int k = 0; k < 4; ++k)
        index = index * 2 + (v[k] != 0);
    w.Put(uint32_t(15 - index), 4);
    for (int k = 0; k < 4; ++k)
        if (v[k])
            w.Put(v[k] < 0, 1);
}

layer3_granule_info LongGranule(int part2_3_length, int big_values, int global_gain, int scalefac_compress)
{
    layer3_granule_info g;
    memset(&g, 0, sizeof(g));
    g.part2_3_length = part2_3_length;
    g.big_values = big_values;
    g.global_gain = global_gain;
    g.scalefac_compress = scalefac_compress;
    g.table_select[0] = g.table_select[1] = g.table_select[2] = 1;
    g.region0_count = 15;
    g.region1_count = 7;
    return g;
}

struct SpectrumRun
{
    std::unique_ptr<mpeg_layer3_state, void (*)(mpeg_layer3_state*)> state{mpeg_layer3_new(), mpeg_layer3_delete};
    int result = 0;
};

// Parses the side information as written and decodes granule 0's spectra.
void DecodeSpectra(uint32_t word, const layer3_side_info& written, const BitWriter& main, SpectrumRun* run)
{
    const mpeg_frame_header h = layer3_test::Header(word);
    const std::string side = layer3_test::SideInfo(h, written);
    layer3_side_info si;
    mpeg_bits side_bits(reinterpret_cast<const uint8_t*>(side.data()), side.size());
    ASSERT_EQ(0, layer3_sideinfo_read(h, side_bits, &si));
    const layer3_frame_facts facts = {mpeg_is_lsf(h), si.channels,
                                      h.mode == MPEG_MODE_JOINT_STEREO && (h.mode_extension & 2) != 0,
                                      h.mode == MPEG_MODE_JOINT_STEREO && (h.mode_extension & 1) != 0,
                                      &layer3_bands(h)};
    const std::string bytes = main.Bytes();
    layer3_bits bits(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    run->result = layer3_granule_spectrum(run->state.get(), facts, si, 0, bits, 0);
}

struct intensity_case
{
    int mode_extension; // 1 intensity, 3 intensity and mid/side
    int intensity_scale;
};

class Layer3IntensityMpeg1 : public ::testing::TestWithParam<intensity_case>
{
};

// Left channel coded up to line 200; right channel nonzero only below line
// 8, so intensity bands start at band 2. Positions 7 and 9 are illegal.
TEST_P(Layer3IntensityMpeg1, BandsFollowTheStandardsRatios)
{
    const intensity_case c = GetParam();
    const int pos[21] = {3, 2, 0, 1, 2, 3, 4, 5, 6, 7, 9, 6, 5, 4, 3, 2, 1, 0, 7, 3, 6};
    const int right_values[8] = {1, -1, 1, 0, 0, 1, 0, 0};

    BitWriter left;
    for (int i = 0; i < 200; i += 2)
        PutPair(left, Pattern(i), Pattern(i + 1));
    BitWriter right; // scalefac_compress 15: 4 bits for bands 0-10, 3 for 11-20
    for (int band = 0; band < 21; ++band)
        right.Put(uint32_t(pos[band]), band < 11 ? 4 : 3);
    for (int i = 0; i < 8; i += 2)
        PutPair(right, right_values[i], right_values[i + 1]);
    BitWriter main;
    main.Append(left);
    main.Append(right);

    layer3_side_info si;
    memset(&si, 0, sizeof(si));
    si.gr[0][0] = LongGranule(int(left.Bits()), 100, 210, 0);
    si.gr[0][1] = LongGranule(int(right.Bits()), 4, 214, 15);
    si.gr[1][0] = LongGranule(0, 0, 210, 0);
    si.gr[1][1] = LongGranule(0, 0, 210, 0);
    SpectrumRun run;
    DecodeSpectra(0xFFFB9044u | uint32_t(c.mode_extension << 4), si, main, &run);
    ASSERT_EQ(0, run.result);

    const bool ms = (c.mode_extension & 2) != 0;
    const layer3_spectrum& l = run.state->spec[0];
    const layer3_spectrum& r = run.state->spec[1];
    for (int i = 0; i < 576; ++i) {
        const int band = BandOf(kLong44, i);
        const double x = i < 200 ? Pattern(i) : 0.0;
        // The right channel's own value: gain 2^((214 - 210) / 4) and its
        // scale factor with multiplier 0.5.
        const double own = (i < 8 ? right_values[i] : 0) * 2.0 * pow(2.0, -0.5 * pos[band < 21 ? band : 20]);
        double el;
        double er;
        const int p = pos[band < 21 ? band : 20];
        if (band >= 2 && p < 7) {
            const double ratio = tan(p * kPi / 12.0);
            const double kl = p == 6 ? 1.0 : ratio / (1.0 + ratio);
            const double kr = p == 6 ? 0.0 : 1.0 / (1.0 + ratio);
            el = x * kl;
            er = x * kr;
        } else if (ms) {
            el = (x + own) / sqrt(2.0);
            er = (x - own) / sqrt(2.0);
        } else {
            el = x;
            er = own;
        }
        ASSERT_NEAR(el, l.xr[i], 1e-5) << "line " << i << " band " << band;
        ASSERT_NEAR(er, r.xr[i], 1e-5) << "line " << i << " band " << band;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, Layer3IntensityMpeg1,
                         ::testing::Values(intensity_case{1, 0}, intensity_case{3, 0}));

class Layer3IntensityMpeg2 : public ::testing::TestWithParam<intensity_case>
{
};

// MPEG-2 at 22.05 kHz: the right channel's scalefac_compress selects the
// intensity partition (3 bits for bands 0-6, 7-13 and 14-20); position 7 is
// the illegal one; the ratio follows intensity_scale.
TEST_P(Layer3IntensityMpeg2, BandsFollowTheStandardsRatios)
{
    const intensity_case c = GetParam();
    const int pos[21] = {2, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3};
    const int right_values[6] = {1, -1, 1, 0, 1, 0};
    // slen 3, 3, 3: (3 * 36 + 3 * 6 + 3) << 1, plus the intensity scale.
    const int right_sfc = (129 << 1) | c.intensity_scale;

    BitWriter left;
    for (int i = 0; i < 200; i += 2)
        PutPair(left, Pattern(i), Pattern(i + 1));
    BitWriter right;
    for (int band = 0; band < 21; ++band)
        right.Put(uint32_t(pos[band]), 3);
    for (int i = 0; i < 6; i += 2)
        PutPair(right, right_values[i], right_values[i + 1]);
    BitWriter main;
    main.Append(left);
    main.Append(right);

    layer3_side_info si;
    memset(&si, 0, sizeof(si));
    si.gr[0][0] = LongGranule(int(left.Bits()), 100, 210, 0);
    si.gr[0][1] = LongGranule(int(right.Bits()), 3, 218, right_sfc);
    SpectrumRun run;
    DecodeSpectra(0xFFF38044u | uint32_t(c.mode_extension << 4), si, main, &run);
    ASSERT_EQ(0, run.result);

    const bool ms = (c.mode_extension & 2) != 0;
    const double io = c.intensity_scale ? 1.0 / sqrt(2.0) : pow(2.0, -0.25);
    const layer3_spectrum& l = run.state->spec[0];
    const layer3_spectrum& r = run.state->spec[1];
    for (int i = 0; i < 576; ++i) {
        const int band = BandOf(kLong22, i);
        const int p = pos[band < 21 ? band : 20];
        const double x = i < 200 ? Pattern(i) : 0.0;
        const double own = (i < 6 ? right_values[i] : 0) * 4.0 * pow(2.0, -0.5 * p);
        double el;
        double er;
        if (band >= 1 && p != 7) {
            double kl = 1.0;
            double kr = 1.0;
            if (p & 1)
                kl = pow(io, (p + 1) / 2);
            else if (p)
                kr = pow(io, p / 2);
            el = x * kl;
            er = x * kr;
        } else if (ms) {
            el = (x + own) / sqrt(2.0);
            er = (x - own) / sqrt(2.0);
        } else {
            el = x;
            er = own;
        }
        ASSERT_NEAR(el, l.xr[i], 1e-5) << "line " << i << " band " << band;
        ASSERT_NEAR(er, r.xr[i], 1e-5) << "line " << i << " band " << band;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, Layer3IntensityMpeg2,
                         ::testing::Values(intensity_case{1, 0}, intensity_case{1, 1}, intensity_case{3, 0}));

// Intensity stereo in a short-block granule: per window, the bands above the
// right channel's last nonzero band of that window.
TEST(Layer3IntensityShort, EachWindowHasItsOwnBound)
{
    // MPEG-1 44.1 kHz, both channels short blocks, table 1 everywhere.
    const int short44[14] = {0, 4, 8, 12, 16, 22, 30, 40, 52, 66, 84, 106, 136, 192};
    BitWriter left;
    for (int i = 0; i < 400; i += 2)
        PutPair(left, Pattern(i), Pattern(i + 1));
    // Right channel: window 0 nonzero in band 0, window 1 in band 2,
    // window 2 nothing; positions 0..6 per window and band.
    int right_line[576] = {};
    right_line[0 * 3 + 1] = 1;            // band 0, window 0
    right_line[8 * 3 + 1 * 4 + 2] = -1;   // band 2, window 1
    BitWriter right;
    int pos[13][3];
    for (int band = 0; band < 12; ++band)
        for (int w = 0; w < 3; ++w) {
            pos[band][w] = (band + 2 * w) % 7;
            right.Put(uint32_t(pos[band][w]), 3);
        }
    for (int w = 0; w < 3; ++w)
        pos[12][w] = pos[11][w];
    for (int i = 0; i < 40; i += 2)
        PutPair(right, right_line[i], right_line[i + 1]);
    BitWriter main;
    main.Append(left);
    main.Append(right);

    layer3_side_info si;
    memset(&si, 0, sizeof(si));
    for (int ch = 0; ch < 2; ++ch) {
        layer3_granule_info& g = si.gr[0][ch];
        g.part2_3_length = int(ch ? right.Bits() : left.Bits());
        g.big_values = ch ? 20 : 200;
        g.global_gain = 210;
        g.scalefac_compress = ch ? 13 : 0; // 13: slen 3 and 3
        g.window_switching = 1;
        g.block_type = 2;
        g.table_select[0] = g.table_select[1] = 1;
    }
    si.gr[1][0] = LongGranule(0, 0, 210, 0);
    si.gr[1][1] = LongGranule(0, 0, 210, 0);
    SpectrumRun run;
    DecodeSpectra(0xFFFB9054u, si, main, &run); // joint stereo, intensity only
    ASSERT_EQ(0, run.result);

    const int first_is[3] = {1, 3, 0};
    for (int band = 0; band < 13; ++band) {
        const int width = short44[band + 1] - short44[band];
        for (int w = 0; w < 3; ++w) {
            for (int f = 0; f < width; ++f) {
                const int i = short44[band] * 3 + w * width + f;
                const double x = i < 400 ? Pattern(i) : 0.0;
                const double own = right_line[i] * pow(2.0, -0.5 * pos[band][w]);
                const int p = pos[band][w];
                double el = x;
                double er = own;
                if (band >= first_is[w]) {
                    const double ratio = tan(p * kPi / 12.0);
                    el = p == 6 ? x : x * ratio / (1.0 + ratio);
                    er = p == 6 ? 0.0 : x / (1.0 + ratio);
                }
                ASSERT_NEAR(el, run.state->spec[0].xr[i], 1e-5) << "band " << band << " window " << w;
                ASSERT_NEAR(er, run.state->spec[1].xr[i], 1e-5) << "band " << band << " window " << w;
            }
        }
    }
}

// An MPEG-2 mixed block reads 6 long and 27 short scale factors (by the
// partition table's mixed column), and the Huffman data after them decodes
// from the right position.
TEST(Layer3MixedBlockMpeg2, ReadsItsScaleFactors)
{
    const int sf_long[6] = {0, 1, 2, 3, 1, 2};
    const int sf_short[13][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 2, 3}, {0, 1, 2}, {3, 3, 0},
                                 {5, 0, 7}, {1, 2, 3}, {4, 6, 2}, {1, 0, 1}, {0, 1, 1}, {1, 0, 0},
                                 {0, 0, 0}};
    const int subblock_gain[3] = {1, 0, 2};
    // scalefac_compress 205: slen 2, 2, 3, 1 (partition table 0, mixed
    // column 6, 9, 9, 9).
    BitWriter main;
    for (int band = 0; band < 6; ++band)
        main.Put(uint32_t(sf_long[band]), 2);
    for (int band = 3; band < 12; ++band)
        for (int w = 0; w < 3; ++w)
            main.Put(uint32_t(sf_short[band][w]), band < 6 ? 2 : band < 9 ? 3 : 1);
    EXPECT_EQ(66u, main.Bits());
    for (int i = 0; i < 300; i += 2)
        PutPair(main, Pattern(i), Pattern(i + 1));
    for (int i = 300; i < 380; i += 4) {
        const int q[4] = {Pattern(i + 1), Pattern(i + 2), Pattern(i + 3), Pattern(i)};
        PutQuadB(main, q);
    }

    layer3_side_info si;
    memset(&si, 0, sizeof(si));
    layer3_granule_info& g = si.gr[0][0];
    g.part2_3_length = int(main.Bits());
    g.big_values = 150;
    g.global_gain = 220;
    g.scalefac_compress = 205;
    g.window_switching = 1;
    g.block_type = 2;
    g.mixed_block = 1;
    g.table_select[0] = g.table_select[1] = 1;
    for (int w = 0; w < 3; ++w)
        g.subblock_gain[w] = subblock_gain[w];
    g.scalefac_scale = 1;
    g.count1_table = 1;
    SpectrumRun run;
    DecodeSpectra(0xFFF380C4u, si, main, &run); // MPEG-2 22.05 kHz single channel
    ASSERT_EQ(0, run.result);

    const layer3_spectrum& s = run.state->spec[0];
    int last = 0;
    for (int i = 0; i < 576; ++i) {
        int q = 0;
        if (i < 300)
            q = Pattern(i);
        else if (i < 380) {
            const int base = i - (i - 300) % 4;
            const int quad[4] = {Pattern(base + 1), Pattern(base + 2), Pattern(base + 3), Pattern(base)};
            q = quad[(i - 300) % 4];
        }
        double gain;
        if (i < 36) {
            gain = pow(2.0, 0.25 * (220 - 210)) * pow(2.0, -1.0 * sf_long[i / 6]);
        } else {
            const int band = BandOf(kShort22, i / 3);
            const int width = kShort22[band + 1] - kShort22[band];
            const int w = (i - kShort22[band] * 3) / width;
            gain = pow(2.0, 0.25 * (220 - 210 - 8 * subblock_gain[w])) * pow(2.0, -1.0 * sf_short[band][w]);
        }
        ASSERT_NEAR(q * gain, s.xr[i], 1e-5) << "line " << i;
        if (q)
            last = i + 1;
    }
    EXPECT_EQ(last, s.nonzero);
}

} // namespace
