// The bitmap slider's arithmetic: position and pixel mappings, clamping,
// dragging limits, grab offsets and keys, and sliders without travel.
#include <gtest/gtest.h>

#include "widgets/slider/SliderMath.h"

TEST(SliderMath, TheWorkedExampleMapsBothWays)
{
    const SliderAxis axis = {0, 100, 200, 20};
    const struct
    {
        int position;
        int pixel;
    } cases[] = {{50, 100}, {0, 10}, {100, 190}, {25, 55}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.pixel, SliderPosToPixel(axis, c.position)) << c.position;
        EXPECT_EQ(c.position, SliderPixelToPos(axis, c.pixel)) << c.pixel;
    }
}

TEST(SliderMath, AnOddThumbCanMapTheLastPixelPastTheMaximum)
{
    const SliderAxis axis = {0, 100, 101, 21}; // half 10, travel 80
    EXPECT_EQ(0, SliderPixelToPos(axis, 10));
    EXPECT_EQ(101, SliderPixelToPos(axis, 101 - 10)) << "past the maximum ...";
    EXPECT_EQ(100, SliderClamp(SliderPixelToPos(axis, 91), 0, 100)) << "... until SetPos clamps it";
}

TEST(SliderMath, NoTravelOrAnEmptyRangeNeverDivides)
{
    const SliderAxis cases[] = {{5, 5, 200, 20}, {0, 100, 20, 20}, {0, 100, 10, 20}, {0, 100, 0, 0}};
    for (const SliderAxis& axis : cases) {
        EXPECT_EQ(axis.thumb / 2, SliderPosToPixel(axis, 50));
        EXPECT_EQ(axis.minimum, SliderPixelToPos(axis, 7));
    }
}

TEST(SliderMath, ClampingLetsTheMinimumWinOverAnInvertedRange)
{
    EXPECT_EQ(100, SliderClamp(150, 0, 100));
    EXPECT_EQ(0, SliderClamp(-3, 0, 100));
    EXPECT_EQ(40, SliderClamp(40, 0, 100));
    EXPECT_EQ(10, SliderClamp(7, 10, 5)) << "minimum above maximum";
}

TEST(SliderMath, DraggingStaysWithinHalfAThumbOfTheEnds)
{
    const SliderAxis axis = {0, 100, 200, 20};
    EXPECT_EQ(10, SliderDragPixel(axis, -50, 0, false));
    EXPECT_EQ(190, SliderDragPixel(axis, 500, 0, false));
    EXPECT_EQ(95, SliderDragPixel(axis, 100, 5, true));
    // A channel shorter than the thumb: horizontal ends at the upper bound,
    // vertical at the lower one.
    const SliderAxis tight = {0, 100, 10, 20};
    EXPECT_EQ(0, SliderDragPixel(tight, 5, 0, false));
    EXPECT_EQ(10, SliderDragPixel(tight, 5, 0, true));
}

TEST(SliderMath, AGrabWithinHalfAThumbKeepsTheOffset)
{
    const SliderAxis axis = {0, 100, 200, 20};
    EXPECT_EQ(4, SliderGrabOffset(axis, 50, 104));
    EXPECT_EQ(-10, SliderGrabOffset(axis, 50, 90));
    EXPECT_EQ(0, SliderGrabOffset(axis, 50, 111)) << "the thumb jumps";
}

TEST(SliderMath, KeysGiveTheirPositions)
{
    const struct
    {
        unsigned key;
        int expected;
    } cases[] = {{0x21, 30}, {0x22, 70}, {0x23, 100}, {0x24, 0},
                 {0x25, 49},          {0x26, 49}, {0x27, 51},  {0x28, 51}};
    for (const auto& c : cases) {
        int position = -1;
        ASSERT_TRUE(SliderKeyPosition(c.key, 50, 0, 100, 20, &position)) << c.key;
        EXPECT_EQ(c.expected, position) << c.key;
    }
    int unchanged = 7;
    EXPECT_FALSE(SliderKeyPosition(0x41, 50, 0, 100, 20, &unchanged));
    EXPECT_EQ(7, unchanged);
}
