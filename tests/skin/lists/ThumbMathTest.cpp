// The thumbnail list's arithmetic: icon spacing, the picture's fit in its
// icon rectangle, the reflection and the text's two lines.
#include "skin/thumblist/ThumbMath.h"

#include <gtest/gtest.h>

using namespace thumb_math;

TEST(ThumbMath, IconSpacingFillsTheWidthWithWholeColumnsAndNeverDividesByZero)
{
    struct Case
    {
        int width;
        int spacing;
    };
    const Case cases[] = {
        {700, 140},   // 5 columns of 140
        {720, 144},   // 5 columns, the rest shared out
        {279, 279},   // 1 column
        {280, 140},   // 2 columns
        {1000, 142},  // 7 columns: 1000 / 7
        {139, 139},   // narrower than one column: one column of its width
        {1, 1},
        {0, 1},       // no width: at least 1
        {-50, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.spacing, IconSpacing(c.width)) << c.width;
}

TEST(ThumbMath, BandsDependOnTheSelection)
{
    EXPECT_EQ(11, ThumbBands(100, true).top);
    EXPECT_EQ(11, ThumbBands(100, true).bottom);
    EXPECT_EQ(25, ThumbBands(100, false).top);
    EXPECT_EQ(12, ThumbBands(100, false).bottom);
    EXPECT_EQ(0, ThumbBands(0, false).top);
}

TEST(ThumbMath, APictureIsFittedByItsWidenedProportionAndCentred)
{
    struct Case
    {
        int pw, ph, w, h;
        bool selected;
        Rect expected;   // x, y, width, height
    };
    const Case cases[] = {
        // 100 x 100 in 100 x 100, not selected: box 63 high (25 + 12 bands);
        // 110 * 100 / 100 = 110 > 100 * 100 / 63 = 158? no: 110 <= 158, so by height.
        {100, 100, 100, 100, false, {(100 - 69) / 2, 25, 69, 63}},
        // Selected: box 78 high (11 + 11): height 78, width 110 * 78 / 100 = 85.
        {100, 100, 100, 100, true, {7, 11, 85, 78}},
        // A wide picture: 290 x 100 -> 300 : 100 > 100 : 63, by width: height 100 * 100 / 300 = 33.
        {290, 100, 100, 100, false, {0, 25 + (63 - 33) / 2, 100, 33}},
        // A tall narrow icon rectangle 40 x 100: (110 * 100 / 100 = 110) > 40 * 100 / 63 = 63: by width.
        {100, 100, 40, 100, false, {0, 25 + (63 - 36) / 2, 40, 36}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pw << "x" << c.ph << " in " << c.w << "x" << c.h
                                        << (c.selected ? " selected" : ""));
        const Rect r = FitThumb(c.pw, c.ph, c.w, c.h, c.selected);
        EXPECT_EQ(c.expected.x, r.x);
        EXPECT_EQ(c.expected.y, r.y);
        EXPECT_EQ(c.expected.width, r.width);
        EXPECT_EQ(c.expected.height, r.height);
        EXPECT_LE(r.width, c.w);
        EXPECT_GE(r.x, 0);
    }
}

TEST(ThumbMath, APictureOrBoxWithoutSizeDrawsNothing)
{
    const Rect cases[] = {
        FitThumb(0, 100, 100, 100, false), FitThumb(100, 0, 100, 100, false),
        FitThumb(100, 100, 0, 100, false), FitThumb(100, 100, 100, 0, false),
        FitThumb(-5, 100, 100, 100, true),
    };
    for (const Rect& r : cases) {
        EXPECT_EQ(0, r.width);
        EXPECT_EQ(0, r.height);
    }
}

TEST(ThumbMath, TheReflectionFadesLinearlyToNothing)
{
    EXPECT_EQ(17, ReflectionHeight(69, false));   // 25 %
    EXPECT_EQ(11, ReflectionHeight(78, true));    // 15 %
    EXPECT_EQ(0, ReflectionHeight(0, true));
    EXPECT_EQ(255, ReflectionAlpha(0, 17));
    EXPECT_EQ(255 * 9 / 17, ReflectionAlpha(8, 17));
    EXPECT_EQ(255 / 17, ReflectionAlpha(16, 17));
    EXPECT_EQ(0, ReflectionAlpha(17, 17));
    EXPECT_EQ(0, ReflectionAlpha(0, 0));
    for (int k = 1; k < 17; ++k)
        EXPECT_LT(ReflectionAlpha(k, 17), ReflectionAlpha(k - 1, 17)) << k;
}

TEST(ThumbMath, TheTextSplitsAtALineBreakAfterItsFirstCharacter)
{
    struct Case
    {
        const char* text;
        const char* first;
        const char* second;
        bool two;
    };
    const Case cases[] = {
        {"Album\nArtist", "Album", "Artist", true},
        {"Album\r\nArtist", "Album", "Artist", true},
        {"A\nB", "A", "B", true},
        {"Just one line", "Just one line", "", false},
        {"\nStarts with a break", "\nStarts with a break", "", false},
        {"", "", "", false},
        {"Album\n", "Album", "", true},
    };
    for (const Case& c : cases) {
        const TextLines lines = SplitThumbText(c.text);
        EXPECT_EQ(c.first, lines.first) << c.text;
        EXPECT_EQ(c.second, lines.second) << c.text;
        EXPECT_EQ(c.two, lines.twoLines) << c.text;
    }
}
