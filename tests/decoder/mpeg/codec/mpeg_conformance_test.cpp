// Layers I and II against the ISO/IEC 11172-4 conformance streams and
// against a reference decoder's output of layer II files made at test
// time: every sample within one step, RMS error within full accuracy.
#include <gtest/gtest.h>

#include <string>

#include "tests/decoder/mpeg/codec/mpeg_kernel_scope.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"
#include "tests/support/TestSupport.h"

namespace {

// 2^-15 / sqrt(12) of full scale, in 16-bit steps.
const double kFullAccuracyRms = 0.29;

struct stream_case
{
    const char* name;
    int channels;
    int samples_per_frame;
    bool equal_length;
};

class MpegConformance : public ::testing::TestWithParam<stream_case>
{
};

TEST_P(MpegConformance, DecodesWithinFullAccuracy)
{
    const stream_case& c = GetParam();
    const std::string bit = tavrix_test::TestDataPath(std::string("mpeg-conformance/") + c.name + ".bit");
    TAVRIX_REQUIRE_TESTDATA(bit);
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(bit, bytes)) << bit;
    const std::vector<int16_t> reference = mpeg_test::ReadPcm(
        tavrix_test::TestDataPath(std::string("mpeg-conformance/") + c.name + ".pcm"));
    ASSERT_FALSE(reference.empty());

    const mpeg_test::DecodeResult r = mpeg_test::DecodeOnBothPaths([&] { return mpeg_test::Decode(bytes); });
    EXPECT_EQ(-514, r.last);
    EXPECT_EQ(0, r.invalid);
    ASSERT_GT(r.frames, 0);
    EXPECT_EQ(c.channels, r.channels);
    const size_t decoded = static_cast<size_t>(r.frames) * c.samples_per_frame * c.channels;
    ASSERT_EQ(decoded, r.pcm.size());
    if (c.equal_length)
        EXPECT_EQ(reference.size(), decoded);
    else
        EXPECT_LE(decoded, reference.size());

    const mpeg_test::Difference d = mpeg_test::Compare(r.pcm, reference, decoded);
    EXPECT_EQ(decoded, d.compared);
    EXPECT_LE(d.max, 1) << c.name;
    EXPECT_LE(d.rms, kFullAccuracyRms) << c.name;
}

const stream_case kStreams[] = {
    {"l1-fl1", 2, 384, false},   {"l1-fl2", 2, 384, false},   {"l1-fl3", 2, 384, false},
    {"l1-fl4", 1, 384, false},   {"l1-fl5", 2, 384, false},   {"l1-fl6", 2, 384, false},
    {"l1-fl7", 2, 384, false},   {"l1-fl8", 2, 384, false},   {"l2-fl10", 2, 1152, false},
    {"l2-fl11", 2, 1152, false}, {"l2-fl12", 2, 1152, false}, {"l2-fl13", 1, 1152, false},
    {"l2-fl14", 2, 1152, false}, {"l2-fl15", 2, 1152, false}, {"l2-fl16", 2, 1152, false},
    {"l2-test32", 2, 1152, true},
};

std::string StreamName(const ::testing::TestParamInfo<stream_case>& info)
{
    std::string name = info.param.name;
    for (char& ch : name)
        if (ch == '-')
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Streams, MpegConformance, ::testing::ValuesIn(kStreams), StreamName);

// Layer II files made with twolame and decoded by mpg123 when the test
// media were made.
struct fixture_case
{
    const char* name;
    int channels;
    int rate;
};

class MpegReferenceDecoder : public ::testing::TestWithParam<fixture_case>
{
};

TEST_P(MpegReferenceDecoder, MatchesWithinOneStep)
{
    const fixture_case& c = GetParam();
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath(std::string(c.name) + ".mp2"), bytes));
    const std::vector<int16_t> reference =
        mpeg_test::ReadPcm(tavrix_test::MediaPath(std::string(c.name) + ".pcm"));
    ASSERT_FALSE(reference.empty());
    const mpeg_test::DecodeResult r = mpeg_test::DecodeOnBothPaths([&] { return mpeg_test::Decode(bytes); });
    EXPECT_EQ(c.channels, r.channels);
    EXPECT_EQ(c.rate, r.rate);
    EXPECT_EQ(reference.size(), r.pcm.size());
    const mpeg_test::Difference d = mpeg_test::Compare(r.pcm, reference, r.pcm.size());
    EXPECT_GT(d.compared, 10000u);
    EXPECT_LE(d.max, 1);
    EXPECT_LE(d.rms, kFullAccuracyRms);
}

const fixture_case kFixtures[] = {
    {"mp2_stereo48", 2, 48000},
    {"mp2_joint44", 2, 44100},
    {"mp2_mono24", 1, 24000},
};

std::string FixtureName(const ::testing::TestParamInfo<fixture_case>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Twolame, MpegReferenceDecoder, ::testing::ValuesIn(kFixtures), FixtureName);

} // namespace
