// The skinned controls' arithmetic: the lit part of a level meter, a
// field's text rectangle and flags, and the knob's positions and dot.
#include <gtest/gtest.h>

#include "skin/fields/FieldGeometry.h"
#include "skin/knob/KnobGeometry.h"

TEST(MeterLitSpan, LightsFromTheBottomOrFromEitherSide)
{
    const struct
    {
        bool vertical, reverse;
        int width, height, level;
        int from, to;
    } cases[] = {
        {true, false, 20, 100, 37, 63, 100},   // the bottom 37 rows
        {true, true, 20, 100, 37, 63, 100},    // reverse means nothing upright
        {true, false, 20, 100, 0, 100, 100},
        {true, false, 20, 100, 100, 0, 100},
        {true, false, 10, 57, 50, 28, 57},     // 28.5 unlit rows: 28
        {false, false, 80, 10, 50, 0, 40},     // the left 40 columns
        {false, true, 80, 10, 50, 40, 80},     // the right 40 columns
        {false, true, 80, 10, 0, 80, 80},
        {false, false, 80, 10, 100, 0, 80},
        {false, false, 80, 10, 150, 0, 80},    // kept within the meter
        {true, false, 20, 100, 130, 30, 100},  // not clipped: |130 - 100| rows unlit
    };
    for (const auto& c : cases) {
        const MeterSpan span = MeterLitSpan(c.vertical, c.reverse, c.width, c.height, c.level);
        EXPECT_EQ(c.from, span.from) << c.vertical << c.reverse << " level " << c.level;
        EXPECT_EQ(c.to, span.to) << c.vertical << c.reverse << " level " << c.level;
    }
    EXPECT_EQ(0, MeterLitSpan(true, false, 0, 0, 50).Length());
}

TEST(FieldTextRect, BorderAndStatusInset)
{
    const struct
    {
        bool border, status;
        int left, top, right, bottom;
    } cases[] = {
        {false, false, 0, 0, 100, 20},
        {true, false, 1, 1, 99, 19},
        {false, true, 3, 0, 100, 20},
        {true, true, 4, 1, 99, 19},
    };
    for (const auto& c : cases) {
        const FieldRect r = FieldTextRect(100, 20, c.border, c.status);
        EXPECT_EQ(c.left, r.left);
        EXPECT_EQ(c.top, r.top);
        EXPECT_EQ(c.right, r.right);
        EXPECT_EQ(c.bottom, r.bottom);
    }
}

TEST(FieldTextFlags, AlignmentOnSingleLineWithEllipsis)
{
    EXPECT_EQ(0x8820u, FieldTextFlags(0));
    EXPECT_EQ(0x8821u, FieldTextFlags(1));
    EXPECT_EQ(0x8822u, FieldTextFlags(2));
    EXPECT_EQ(0x8820u, FieldTextFlags(3));
}

TEST(KnobGeometry, PositionsRunFromTheMinimumToOnePastTheMaximum)
{
    EXPECT_EQ(30, KnobClampPosition(0, 30, 329));
    EXPECT_EQ(30, KnobClampPosition(30, 30, 329));
    EXPECT_EQ(329, KnobClampPosition(329, 30, 329));
    EXPECT_EQ(330, KnobClampPosition(330, 30, 329));
    EXPECT_EQ(330, KnobClampPosition(1000, 30, 329));
}

TEST(KnobGeometry, TheDotTurnsClockwiseFromLowerLeft)
{
    const KnobPoint centre{30, 30};
    const int r = 24;
    // 180 straight up, 90 left, 270 right; a 6 x 6 dot is centred on its point.
    const struct
    {
        int position;
        int x, y;
    } cases[] = {{180, 27, 3}, {90, 3, 27}, {270, 51, 27}, {360, 27, 51}};
    for (const auto& c : cases) {
        const KnobPoint dot = KnobDotOrigin(c.position, r, centre, 6, 6);
        EXPECT_NEAR(c.x, dot.x, 1) << c.position;
        EXPECT_NEAR(c.y, dot.y, 1) << c.position;
    }
    // 30 and 330 lie 30 degrees either side of straight down.
    const KnobPoint low = KnobDotOrigin(30, 100, KnobPoint{0, 0}, 2, 2);
    const KnobPoint high = KnobDotOrigin(330, 100, KnobPoint{0, 0}, 2, 2);
    EXPECT_NEAR(-51, low.x, 1);
    EXPECT_NEAR(49, high.x, 1);
    EXPECT_EQ(high.y, low.y);
    EXPECT_GT(low.y, 80);
}

TEST(KnobGeometry, ADotWithoutASizeCountsAsTwoByTwo)
{
    const KnobPoint a = KnobDotOrigin(180, 30, KnobPoint{30, 30}, 0, 0);
    const KnobPoint b = KnobDotOrigin(180, 30, KnobPoint{30, 30}, 2, 2);
    EXPECT_EQ(b.x, a.x);
    EXPECT_EQ(b.y, a.y);
    EXPECT_EQ(29, a.x);
    EXPECT_EQ(-1, a.y);
}

TEST(KnobGeometry, SizesFromTheBitmaps)
{
    const KnobPoint origin = KnobImageOrigin(60, 50, 40, 30);
    EXPECT_EQ(10, origin.x);
    EXPECT_EQ(10, origin.y);
    EXPECT_EQ(24, KnobDotRadius(60, 6));
    EXPECT_EQ(14, KnobDotRadius(41, 7));   // 20 - 3 - 3: halves toward zero
}
