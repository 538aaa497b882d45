// Layer III accuracy: the ISO/IEC 11172-4 conformance streams against their
// reference output, and files made with lame against mpg123's decoding of
// the same files. Every sample within one step, RMS within full accuracy,
// with the SSE2 filterbank kernels; the plain kernels give the same PCM.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/decoder/mpeg/codec/mpeg_kernel_scope.h"
#include "tests/decoder/mpeg/layer3/layer3_test_support.h"
#include "tests/support/TestSupport.h"

namespace {

// 2^-15 / sqrt(12) of full scale, in 16-bit steps.
const double kFullAccuracyRms = 0.29;

struct stream_case
{
    const char* name;
    int channels;
    int rate;
};

void PrintTo(const stream_case& c, std::ostream* os)
{
    *os << c.name;
}

void ExpectWithinFullAccuracy(const layer3_test::DecodeResult& r, const std::vector<int16_t>& reference)
{
    ASSERT_FALSE(reference.empty());
    EXPECT_EQ(0, r.invalid);
    // Compared over the reference's length, which the decoding must reach.
    ASSERT_GE(r.pcm.size(), reference.size());
    const layer3_test::Difference d = layer3_test::Compare(r.pcm, reference, reference.size());
    EXPECT_LE(d.max, 1);
    EXPECT_LE(d.rms, kFullAccuracyRms);
}

class Layer3Conformance : public ::testing::TestWithParam<stream_case>
{
};

TEST_P(Layer3Conformance, DecodesWithinFullAccuracy)
{
    const stream_case& c = GetParam();
    const std::string bit = tavrix_test::TestDataPath(std::string("mpeg-conformance/") + c.name + ".bit");
    TAVRIX_REQUIRE_TESTDATA(bit);
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(bit, bytes)) << bit;
    const std::vector<int16_t> reference = layer3_test::ReadPcm(
        tavrix_test::TestDataPath(std::string("mpeg-conformance/") + c.name + ".pcm"));

    const layer3_test::DecodeResult r = mpeg_test::DecodeOnBothPaths([&] { return layer3_test::Decode(bytes); });
    EXPECT_EQ(c.channels, r.channels);
    EXPECT_EQ(c.rate, r.rate);
    ExpectWithinFullAccuracy(r, reference);
}

INSTANTIATE_TEST_SUITE_P(Streams, Layer3Conformance,
                         ::testing::Values(stream_case{"l3-compl", 1, 48000},
                                           stream_case{"l3-he_32khz", 1, 32000},
                                           stream_case{"l3-he_44khz", 1, 44100},
                                           stream_case{"l3-he_48khz", 1, 48000},
                                           stream_case{"l3-hecommon", 2, 44100},
                                           stream_case{"l3-si", 1, 44100},
                                           stream_case{"l3-si_block", 1, 44100},
                                           stream_case{"l3-si_huff", 1, 44100}),
                         [](const ::testing::TestParamInfo<stream_case>& info) {
                             std::string n = info.param.name + 3;
                             for (char& ch : n)
                                 if (ch == '-')
                                     ch = '_';
                             return n;
                         });

TEST(Layer3Conformance, FreeFormatStreamIsRefused)
{
    const std::string bit = tavrix_test::TestDataPath("mpeg-conformance/l3-he_free.bit");
    TAVRIX_REQUIRE_TESTDATA(bit);
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(bit, bytes)) << bit;
    ASSERT_GT(bytes.size(), 10000u);
    const layer3_test::DecodeResult r = mpeg_test::DecodeOnBothPaths([&] { return layer3_test::Decode(bytes); });
    EXPECT_EQ(0, r.frames);
    EXPECT_TRUE(r.pcm.empty());
}

class Layer3AgainstMpg123 : public ::testing::TestWithParam<stream_case>
{
};

TEST_P(Layer3AgainstMpg123, DecodesWithinFullAccuracy)
{
    const stream_case& c = GetParam();
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath(std::string(c.name) + ".mp3"), bytes));
    const std::vector<int16_t> reference =
        layer3_test::ReadPcm(tavrix_test::MediaPath(std::string(c.name) + ".pcm"));

    const layer3_test::DecodeResult r = mpeg_test::DecodeOnBothPaths([&] { return layer3_test::Decode(bytes); });
    EXPECT_EQ(c.channels, r.channels);
    EXPECT_EQ(c.rate, r.rate);
    EXPECT_EQ(reference.size(), r.pcm.size());
    ExpectWithinFullAccuracy(r, reference);
}

INSTANTIATE_TEST_SUITE_P(LameFiles, Layer3AgainstMpg123,
                         ::testing::Values(stream_case{"l3_m1_stereo_cbr", 2, 44100},
                                           stream_case{"l3_m1_joint_vbr", 2, 44100},
                                           stream_case{"l3_m1_mono_48k", 1, 48000},
                                           stream_case{"l3_m1_joint_32k", 2, 32000},
                                           stream_case{"l3_m1_clicks", 2, 44100},
                                           stream_case{"l3_m2_joint_22k", 2, 22050},
                                           stream_case{"l3_m2_mono_24k", 1, 24000},
                                           stream_case{"l3_m2_stereo_16k_vbr", 2, 16000},
                                           stream_case{"l3_m2_clicks", 2, 22050},
                                           stream_case{"l3_m25_joint_11k", 2, 11025},
                                           stream_case{"l3_m25_mono_12k", 1, 12000},
                                           stream_case{"l3_m25_stereo_8k", 2, 8000}),
                         [](const ::testing::TestParamInfo<stream_case>& info) {
                             return std::string(info.param.name + 3);
                         });

// The channel layouts of the output: one channel of a stereo stream is the
// same as that channel of the stereo output, and the mix stays within a step
// of the mean of both.
TEST(Layer3Channels, SelectionsMatchTheStereoOutput)
{
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("l3_m1_joint_vbr.mp3"), bytes));
    const layer3_test::DecodeResult both = layer3_test::Decode(bytes, 0);
    const layer3_test::DecodeResult left = layer3_test::Decode(bytes, 1);
    const layer3_test::DecodeResult right = layer3_test::Decode(bytes, 2);
    const layer3_test::DecodeResult mix = layer3_test::Decode(bytes, 3);
    ASSERT_EQ(2, both.channels);
    ASSERT_EQ(1, left.channels);
    ASSERT_EQ(both.pcm.size(), left.pcm.size() * 2);
    ASSERT_EQ(both.pcm.size(), right.pcm.size() * 2);
    ASSERT_EQ(both.pcm.size(), mix.pcm.size() * 2);
    int worst_mix = 0;
    size_t differing = 0;
    for (size_t i = 0; i < left.pcm.size(); ++i) {
        ASSERT_EQ(both.pcm[2 * i], left.pcm[i]) << i;
        ASSERT_EQ(both.pcm[2 * i + 1], right.pcm[i]) << i;
        if (both.pcm[2 * i] != both.pcm[2 * i + 1])
            ++differing;
        const int mean = (int(both.pcm[2 * i]) + int(both.pcm[2 * i + 1])) / 2;
        const int diff = abs(mean - int(mix.pcm[i]));
        worst_mix = diff > worst_mix ? diff : worst_mix;
    }
    EXPECT_GT(differing, left.pcm.size() / 2); // the channels do differ
    EXPECT_LE(worst_mix, 2);
}

// Rate reduction: half rate transforms and synthesizes the lower 16
// subbands only and gives half the samples.
TEST(Layer3Channels, HalfRateGivesHalfTheSamples)
{
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("l3_m1_stereo_cbr.mp3"), bytes));
    const layer3_test::DecodeResult full = layer3_test::Decode(bytes, 0, 0);
    const layer3_test::DecodeResult half = layer3_test::Decode(bytes, 0, 1);
    EXPECT_EQ(44100, full.rate);
    EXPECT_EQ(22050, half.rate);
    EXPECT_EQ(0, half.invalid);
    EXPECT_EQ(full.frames, half.frames);
    EXPECT_EQ(full.pcm.size(), half.pcm.size() * 2);
    bool sound = false;
    for (int16_t v : half.pcm)
        sound = sound || v > 1000 || v < -1000;
    EXPECT_TRUE(sound);
}

} // namespace
