// The gradient fill's bands, band rectangles and bar lengths.
#include <gtest/gtest.h>

#include "widgets/progress/GradientBands.h"

namespace {

const uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

// The colour of each pixel the bands cover, in order.
std::vector<uint32_t> Pixels(const std::vector<GradientBand>& bands)
{
    std::vector<uint32_t> out;
    for (const GradientBand& b : bands)
        out.insert(out.end(), static_cast<size_t>(b.width), b.colour);
    return out;
}

} // namespace

TEST(GradientBands, BlackToWhiteOverAHundredPixelsUsesSinglePrecisionSteps)
{
    const std::vector<GradientBand> bands = GradientBuildBands({kBlack, kWhite}, {100.0}, 100, 0, -1, kGradientNoLimit);
    ASSERT_EQ(100u, bands.size());
    for (const GradientBand& b : bands)
        EXPECT_EQ(1, b.width);
    EXPECT_EQ(0x323232u, bands[20].colour) << "50, not 51";
    EXPECT_EQ(0xFCFCFCu, bands[99].colour) << "252";
    EXPECT_EQ(0u, bands[0].colour);
}

TEST(GradientBands, BandsAreCappedByLengthAndByTheColourLimit)
{
    // 255 steps over 10 pixels: 10 bands one pixel wide.
    EXPECT_EQ(10u, GradientBuildBands({kBlack, kWhite}, {100.0}, 10, 0, -1, kGradientNoLimit).size());
    // A palette device's limit of 236 over two segments: 118 steps each.
    const auto bands = GradientBuildBands({kBlack, kWhite, kBlack}, {50.0, 50.0}, 1000, 0, -1, 236);
    EXPECT_EQ(236u, bands.size());
    // Equal colours: one band over the whole segment.
    const auto flat = GradientBuildBands({0x123456, 0x123456}, {100.0}, 40, 0, -1, kGradientNoLimit);
    ASSERT_EQ(1u, flat.size());
    EXPECT_EQ(40, flat[0].width);
}

TEST(GradientBands, ThreeColoursSplitTheTrackInHalves)
{
    const uint32_t red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000;
    const auto pixels = Pixels(GradientBuildBands({red, green, blue}, {50.0, 50.0}, 200, 0, -1, kGradientNoLimit));
    ASSERT_EQ(200u, pixels.size());
    EXPECT_EQ(red, pixels[0]);
    EXPECT_EQ(green, pixels[100]) << "the second segment starts at 100 with its first colour";
    EXPECT_NE(green, pixels[99]);
    EXPECT_EQ(0u, pixels[199] & 0xFF) << "no red left near the end";
}

TEST(GradientBands, APartialRangeKeepsTheLayoutOfTheWholeTrack)
{
    const auto whole = Pixels(GradientBuildBands({kBlack, kWhite}, {100.0}, 200, 0, -1, kGradientNoLimit));
    const auto part = Pixels(GradientBuildBands({kBlack, kWhite}, {100.0}, 200, 30, 90, kGradientNoLimit));
    ASSERT_EQ(60u, part.size());
    for (size_t i = 0; i < part.size(); ++i)
        EXPECT_EQ(whole[30 + i], part[i]) << i;
    EXPECT_TRUE(GradientBuildBands({kBlack, kWhite}, {100.0}, 200, 50, 50, kGradientNoLimit).empty());
}

TEST(GradientBands, OneColourIsOneBandOfTheSpan)
{
    const auto bands = GradientBuildBands({0xABCDEF}, {}, 200, 20, 70, kGradientNoLimit);
    ASSERT_EQ(1u, bands.size());
    EXPECT_EQ(50, bands[0].width);
}

TEST(GradientBands, BandRectanglesFollowTheDirection)
{
    const GradientRect r = {10, 20, 110, 70}; // 100 wide, 50 high
    const struct
    {
        int direction, a, z;
        GradientRect expected;
    } cases[] = {{0, 5, 15, {15, 20, 25, 70}},
                 {1, 5, 15, {95, 20, 105, 70}},
                 {2, 5, 15, {10, 25, 110, 35}},
                 {3, 5, 15, {10, 55, 110, 65}},
                 {0, 0, -1, {10, 20, 110, 70}},
                 {3, 0, -1, {10, 20, 110, 70}}};
    for (const auto& c : cases) {
        const GradientRect got = GradientBandRect(r, c.direction, c.a, c.z);
        EXPECT_EQ(c.expected.left, got.left) << c.direction;
        EXPECT_EQ(c.expected.top, got.top) << c.direction;
        EXPECT_EQ(c.expected.right, got.right) << c.direction;
        EXPECT_EQ(c.expected.bottom, got.bottom) << c.direction;
    }
}

TEST(GradientBands, BarLengthsAndEmptyRanges)
{
    EXPECT_EQ(50, GradientBarLength(200, 25, 0, 100));
    EXPECT_EQ(200, GradientBarLength(200, 100, 0, 100));
    EXPECT_EQ(0, GradientBarLength(200, 7, 7, 7)) << "an empty range draws no bar";
    EXPECT_EQ(0, GradientBarLength(200, 120, 0, 100));
    EXPECT_EQ(66, GradientBarLength(200, 1, 0, 3));
}
