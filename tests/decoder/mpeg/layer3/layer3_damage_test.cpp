// Damaged layer III input: invalid side information, Huffman data running
// past its granule, main data missing from the reservoir, corrupted files.
// The decoder refuses the frame (-700) or outputs a silent frame, and never
// reads or writes outside its buffers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string.h>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/layer3_internal.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "decoder/mpeg/mpeg_synth.h"
#include "tests/decoder/mpeg/layer3/layer3_test_support.h"
#include "tests/support/TestSupport.h"

namespace {

using layer3_test::BitWriter;

const uint32_t kMono44 = 0xFFFB90C4u; // MPEG-1 layer III, 128 kbit/s, 44.1 kHz, single channel

// Huffman table 1 pairs of a fixed pattern.
void PutPairs(BitWriter& w, int pairs)
{
    static const int values[4] = {0, 1, -1, 1};
    static const uint32_t code[2][2] = {{1, 1}, {1, 0}};
    static const int length[2][2] = {{1, 3}, {2, 3}};
    for (int p = 0; p < pairs; ++p) {
        const int x = values[(2 * p) % 4];
        const int y = values[(2 * p + 1 + p / 3) % 4];
        w.Put(code[x != 0][y != 0], length[x != 0][y != 0]);
        if (x)
            w.Put(x < 0, 1);
        if (y)
            w.Put(y < 0, 1);
    }
}

struct TestFrame
{
    layer3_side_info si;
    std::string main;
    int reservoir = 0;
};

// A valid single-channel frame: two granules of 100 table-1 pairs.
TestFrame ValidFrame()
{
    TestFrame f;
    memset(&f.si, 0, sizeof(f.si));
    BitWriter main;
    for (int gr = 0; gr < 2; ++gr) {
        BitWriter part;
        PutPairs(part, 100);
        layer3_granule_info& g = f.si.gr[gr][0];
        g.part2_3_length = int(part.Bits());
        g.big_values = 100;
        g.global_gain = 190 + 4 * gr;
        g.table_select[0] = g.table_select[1] = g.table_select[2] = 1;
        g.region0_count = 7;
        g.region1_count = 7;
        main.Append(part);
    }
    f.main = main.Bytes();
    return f;
}

struct FrameRun
{
    std::unique_ptr<mpeg_layer3_state, void (*)(mpeg_layer3_state*)> state{mpeg_layer3_new(), mpeg_layer3_delete};
    mpeg_output out;
    int16_t pcm[2304];

    int Decode(const TestFrame& f, uint32_t word = kMono44)
    {
        const std::string side = layer3_test::SideInfo(layer3_test::Header(word), f.si);
        const mpeg_frame frame = layer3_test::MakeFrame(word, side, f.main, f.reservoir);
        out.configure(frame.header, 0, 0);
        memset(pcm, 0x55, sizeof(pcm));
        out.begin(pcm);
        return mpeg_layer3_decode(state.get(), frame, out);
    }
};

bool AllZero(const int16_t* pcm, int count)
{
    for (int i = 0; i < count; ++i)
        if (pcm[i] != 0)
            return false;
    return true;
}

TEST(Layer3Damage, ValidFrameDecodes)
{
    FrameRun run;
    ASSERT_EQ(0, run.Decode(ValidFrame()));
    EXPECT_EQ(1152, run.out.samples_written());
    EXPECT_FALSE(AllZero(run.pcm, 1152));
}

struct damage_case
{
    const char* name;
    std::function<void(TestFrame&)> damage;
};

class Layer3DamagedFrame : public ::testing::TestWithParam<damage_case>
{
};

TEST_P(Layer3DamagedFrame, IsRefusedAsInvalid)
{
    TestFrame f = ValidFrame();
    GetParam().damage(f);
    FrameRun run;
    EXPECT_EQ(DK_ERR_INVALID_FRAME, run.Decode(f));
    // The decoder goes on: the next good frame decodes.
    EXPECT_EQ(0, run.Decode(ValidFrame()));
    EXPECT_EQ(1152, run.out.samples_written());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Layer3DamagedFrame,
    ::testing::Values(
        damage_case{"BigValuesAbove288", [](TestFrame& f) { f.si.gr[1][0].big_values = 289; }},
        damage_case{"BlockType0WithWindowSwitching",
                    [](TestFrame& f) {
                        f.si.gr[0][0].window_switching = 1;
                        f.si.gr[0][0].block_type = 0;
                    }},
        damage_case{"HuffmanDataPastTheGranule", [](TestFrame& f) { f.si.gr[0][0].part2_3_length -= 40; }},
        damage_case{"GranuleLongerThanTheMainData",
                    [](TestFrame& f) { f.si.gr[1][0].part2_3_length = 4095; }},
        damage_case{"UndefinedTable4", [](TestFrame& f) { f.si.gr[0][0].table_select[0] = 4; }},
        damage_case{"UndefinedTable14", [](TestFrame& f) { f.si.gr[1][0].table_select[1] = 14; }},
        damage_case{"ScaleFactorsPastTheGranule",
                    [](TestFrame& f) {
                        f.si.gr[0][0].scalefac_compress = 15;
                        f.si.gr[0][0].part2_3_length = 20;
                    }}),
    [](const ::testing::TestParamInfo<damage_case>& info) { return std::string(info.param.name); });

// Main data that begins in the reservoir is found there.
TEST(Layer3Reservoir, MainDataBeginsInEarlierFramesBytes)
{
    FrameRun plain;
    ASSERT_EQ(0, plain.Decode(ValidFrame()));
    // 37 bytes of older data, then main data whose first 10 bytes came
    // with the previous frame.
    TestFrame f = ValidFrame();
    f.main = std::string(37, '\x5a') + f.main;
    f.reservoir = 37 + 10;
    f.si.main_data_begin = 10;
    FrameRun from_reservoir;
    ASSERT_EQ(0, from_reservoir.Decode(f));
    EXPECT_EQ(0, memcmp(plain.pcm, from_reservoir.pcm, sizeof(int16_t) * 1152));
}

// A main_data_begin beyond the bytes held gives a silent frame of full
// length, no error, and clears the overlap.
TEST(Layer3Reservoir, MissingMainDataGivesSilence)
{
    FrameRun run;
    ASSERT_EQ(0, run.Decode(ValidFrame()));
    bool overlap_used = false;
    for (int sb = 0; sb < 32; ++sb)
        for (int i = 0; i < 18; ++i)
            overlap_used = overlap_used || run.state->overlap[0][sb][i] != 0.0f;
    ASSERT_TRUE(overlap_used);

    TestFrame missing = ValidFrame();
    missing.si.main_data_begin = 100;
    missing.reservoir = 99;
    missing.main = std::string(99, '\x7f') + missing.main;
    EXPECT_EQ(0, run.Decode(missing));
    EXPECT_EQ(1152, run.out.samples_written());
    EXPECT_TRUE(AllZero(run.pcm, 1152));
    for (int sb = 0; sb < 32; ++sb)
        for (int i = 0; i < 18; ++i)
            ASSERT_EQ(0.0f, run.state->overlap[0][sb][i]);
}

// Decoding from a frame in the middle of a file, as after a seek: frames
// whose main data lies before the cut are silent, with no error; once a
// frame decodes, the output from the next frame on is that of the whole
// file (the overlap and the filterbank history have caught up).
TEST(Layer3Reservoir, StartInTheMiddleOfAStream)
{
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("l3_m1_stereo_cbr.mp3"), bytes));
    size_t offset = 0;
    int first_begin = 0;
    for (int frame = 0; frame < 60; ++frame) {
        ASSERT_LT(offset + 6, bytes.size());
        const uint32_t word = mpeg_read_u32_be(reinterpret_cast<const uint8_t*>(bytes.data() + offset));
        ASSERT_TRUE(mpeg_is_sync(word));
        const uint8_t* side = reinterpret_cast<const uint8_t*>(bytes.data() + offset + 4);
        first_begin = (side[0] << 1) | (side[1] >> 7);
        if (frame >= 20 && first_begin > 0)
            break;
        offset += size_t(mpeg_frame_size(layer3_test::Header(word)));
    }
    ASSERT_GT(first_begin, 0) << "no frame with reservoir use found";
    const layer3_test::DecodeResult whole = layer3_test::Decode(bytes);
    const layer3_test::DecodeResult tail = layer3_test::Decode(bytes.substr(offset));
    EXPECT_EQ(0, tail.invalid);
    ASSERT_GT(tail.frames, 10);
    const size_t frame_samples = 1152 * 2;
    ASSERT_EQ(0u, whole.pcm.size() % frame_samples);
    ASSERT_EQ(0u, tail.pcm.size() % frame_samples);
    const size_t cut = whole.pcm.size() - tail.pcm.size();

    size_t silent = 0;
    while (silent < 5 && AllZero(tail.pcm.data() + silent * frame_samples, int(frame_samples)))
        ++silent;
    EXPECT_GE(silent, 1u);
    EXPECT_LT(silent, 5u);
    for (size_t i = (silent + 1) * frame_samples; i < tail.pcm.size(); ++i)
        ASSERT_EQ(whole.pcm[cut + i], tail.pcm[i]) << i;
}

// A short-block granule whose content lies in the lowest subbands: the
// quiet subbands above still output the overlap the previous long granule
// left there (their IMDCT input is zero), and their overlap becomes zero.
TEST(Layer3Overlap, ShortGranuleKeepsTheOverlapOfQuietSubbands)
{
    const uint32_t mono22 = 0xFFF380C4u; // MPEG-2 layer III, 64 kbit/s, 22.05 kHz, single channel
    FrameRun run;

    TestFrame loud; // a long block with content in every subband
    memset(&loud.si, 0, sizeof(loud.si));
    BitWriter a;
    PutPairs(a, 288);
    layer3_granule_info& ga = loud.si.gr[0][0];
    ga.part2_3_length = int(a.Bits());
    ga.big_values = 288;
    ga.global_gain = 200;
    ga.table_select[0] = ga.table_select[1] = ga.table_select[2] = 1;
    ga.region0_count = 7;
    ga.region1_count = 7;
    loud.main = a.Bytes();
    ASSERT_EQ(0, run.Decode(loud, mono22));
    float overlap[32][18];
    memcpy(overlap, run.state->overlap[0], sizeof(overlap));
    bool high_overlap = false;
    for (int sb = 16; sb < 32; ++sb)
        for (int i = 0; i < 18; ++i)
            high_overlap = high_overlap || overlap[sb][i] != 0.0f;
    ASSERT_TRUE(high_overlap);

    TestFrame quiet; // short blocks, content below line 36 only
    memset(&quiet.si, 0, sizeof(quiet.si));
    BitWriter b;
    PutPairs(b, 18);
    layer3_granule_info& gb = quiet.si.gr[0][0];
    gb.part2_3_length = int(b.Bits());
    gb.big_values = 18;
    gb.global_gain = 200;
    gb.window_switching = 1;
    gb.block_type = 2;
    gb.table_select[0] = gb.table_select[1] = 1;
    quiet.main = b.Bytes();
    ASSERT_EQ(0, run.Decode(quiet, mono22));
    for (int sb = 2; sb < 32; ++sb)
        for (int i = 0; i < 18; ++i) {
            const float expect = (sb & 1) && (i & 1) ? -overlap[sb][i] : overlap[sb][i];
            ASSERT_FLOAT_EQ(expect, run.state->hybrid[0][sb][i]) << "subband " << sb << " sample " << i;
            ASSERT_EQ(0.0f, run.state->overlap[0][sb][i]);
        }
}

// Corrupted copies of real files decode to the end without going outside
// any buffer; every decoded frame gives at most a full frame of samples.
TEST(Layer3Damage, CorruptedFilesDecodeSafely)
{
    const char* names[] = {"l3_m1_joint_vbr.mp3", "l3_m2_clicks.mp3", "l3_m25_stereo_8k.mp3"};
    for (const char* name : names) {
        std::string bytes;
        ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath(name), bytes)) << name;
        uint32_t seed = 12345;
        for (int copy = 0; copy < 20; ++copy) {
            std::string damaged = bytes;
            for (int k = 0; k < 40; ++k) {
                seed = seed * 1664525u + 1013904223u;
                const size_t at = (seed >> 8) % damaged.size();
                seed = seed * 1664525u + 1013904223u;
                damaged[at] = char(seed >> 24);
            }
            const layer3_test::DecodeResult r = layer3_test::Decode(damaged);
            EXPECT_LE(r.pcm.size(), size_t(r.frames) * 2304u) << name << " copy " << copy;
            EXPECT_GT(r.frames, 0) << name << " copy " << copy;
        }
    }
}

} // namespace
