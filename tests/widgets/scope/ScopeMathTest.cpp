// The scope control's arithmetic: margins, level lines, the top pixel and
// the waveform columns. Portable: runs natively too.
#include <gtest/gtest.h>

#include "widgets/scope/ScopeMath.h"

TEST(ScopeMath, TheLeftMarginCountsTheLimitsDigitsAndTheDecimals)
{
    EXPECT_EQ(4, ScopeLeftMargin(-10, 10, 3));
    EXPECT_EQ(2, ScopeLeftMargin(0, 100, 0));
    EXPECT_EQ(3, ScopeLeftMargin(0, 0, 3));
    EXPECT_EQ(3, ScopeLeftMargin(-1000, 5, 0));
    EXPECT_EQ(1, ScopeLeftMargin(0.5, 0.9, 1)) << "digits of limits below 1 count 0";
}

TEST(ScopeMath, LevelLines)
{
    const ScopeLine half = ScopeLevelLine(21.74, 97, 100);
    EXPECT_EQ(97, half.x);
    EXPECT_EQ(75, half.yFrom);
    EXPECT_EQ(25, half.yTo) << "75 down to 26: 50 pixels";
    const ScopeLine none = ScopeLevelLine(0, 5, 100);
    EXPECT_EQ(none.yFrom, none.yTo);
    const ScopeLine full = ScopeLevelLine(43.48, 5, 100);
    EXPECT_EQ(100, full.yFrom);
    EXPECT_EQ(0, full.yTo) << "43.48 or more fills the whole height";
    EXPECT_DOUBLE_EQ(50.0, ScopeLevelLength(21.74, 100));
}

TEST(ScopeMath, TheTopPixelIsClearedForAFullLineOrAPreviousValueAtTheTop)
{
    // Range 0..100 on a 100-pixel plot: one pixel per unit.
    EXPECT_TRUE(ScopeClearsTop(100, 0, 1.0, 0, 100, 10));
    EXPECT_FALSE(ScopeClearsTop(99, 0, 1.0, 0, 100, 10));
    EXPECT_TRUE(ScopeClearsTop(10, 0, 1.0, 0, 100, 100));
    EXPECT_FALSE(ScopeClearsTop(10, 0, 1.0, 0, 100, 99.5));
}

TEST(ScopeMath, WaveColumnsFollowOneAnother)
{
    double x = 0;
    for (int expected = 1; expected <= 3; ++expected) {
        const ScopeLine column = ScopeWaveColumn(x, 80, 50);
        EXPECT_EQ(expected, column.x);
        EXPECT_EQ(60, column.yFrom);
        EXPECT_EQ(20, column.yTo);
        x = column.x;
    }
}
