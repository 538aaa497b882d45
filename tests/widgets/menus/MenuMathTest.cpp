// The owner-drawn menus' arithmetic: colour blends, the operating system
// classes, the styles a loader keeps, item and title sizes, the shadow and
// the image lists' pictures.
#include <gtest/gtest.h>

#include "widgets/menus/MenuMath.h"

using namespace menu_math;

TEST(MenuMath, ColourBlendsPerChannel)
{
    const struct
    {
        const char* what;
        Colour got, want;
    } cases[] = {
        {"black by 60 of 200", ScaleTowardBlack(60, Rgb(200, 100, 0)), Rgb(153, 76, 0)},
        {"white by 60 of 200", ScaleTowardWhite(60, Rgb(200, 100, 0)), Rgb(213, 136, 60)},
        {"by 0 keeps", ScaleTowardBlack(0, 0x123456), 0x123456},
        {"white by 255 is white", ScaleTowardWhite(255, 0x123456), 0xFFFFFF},
        {"86/14", Blend86(Rgb(255, 0, 100), Rgb(0, 255, 200)), Rgb(219, 35, 114)},
        {"70/30", Blend70(Rgb(255, 0, 100), Rgb(0, 255, 200)), Rgb(178, 76, 130)},
        {"blend of white stays white", Blend86(0xFFFFFF, 0xFFFFFF), 0xFFFFFF},
        {"alpha 220", AlphaMix(Rgb(212, 208, 200), 0xFFFFFF, 220), Rgb(248, 247, 246)},
        {"alpha to none", AlphaMix(0x123456, kNoColour, 100), kNoColour},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.want, c.got) << c.what;
}

TEST(MenuMath, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(3, MulDivRound(5, 1, 2));
    EXPECT_EQ(-3, MulDivRound(-5, 1, 2));
    EXPECT_EQ(2, MulDivRound(9, 1, 4));
    EXPECT_EQ(-1, MulDivRound(1, 1, 0)) << "a zero divisor answers -1 as MulDiv does";
}

TEST(MenuMath, OsClassesOfTheVersions)
{
    const struct
    {
        bool win95;
        int byte, major, minor, want;
    } cases[] = {{true, 3, 3, 95, 0},  {true, 4, 4, 0, 2},  {true, 4, 4, 10, 3}, {true, 4, 4, 90, 4},
                 {false, 3, 3, 51, 1}, {false, 4, 4, 0, 5}, {false, 5, 5, 0, 6}, {false, 5, 5, 1, 7},
                 {false, 6, 6, 1, 7},  {false, 10, 10, 0, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(c.want, OsClass(c.win95, c.byte, c.major, c.minor)) << c.major << "." << c.minor;
}

TEST(MenuMath, UnderWineEveryOwnBorderStyleBecomesItsSystemBorderTwin)
{
    for (unsigned s = 0; s < 14; ++s) {
        EXPECT_EQ(s, StyleUnderLoader(s, false));
        unsigned want = (s <= 10 && s % 2 == 0) ? s + 1 : s;
        EXPECT_EQ(want, StyleUnderLoader(s, true)) << s;
    }
}

TEST(MenuMath, StylesAndTheirPainters)
{
    const Painter want[12] = {Painter::Classic, Painter::Classic, Painter::Flat,   Painter::Flat,
                              Painter::Classic, Painter::Classic, Painter::Shaded, Painter::Shaded,
                              Painter::Scheme,  Painter::Scheme,  Painter::Scheme, Painter::Scheme};
    for (unsigned s = 0; s < 12; ++s) {
        Painter p = Painter::Flat;
        ASSERT_TRUE(PainterOfStyle(s, p)) << s;
        EXPECT_EQ(want[s], p) << s;
    }
    Painter p;
    EXPECT_FALSE(PainterOfStyle(12, p));
}

TEST(MenuMath, PlainItemSizesPerMeasurer)
{
    const Size icon{16, 15};
    const struct
    {
        Painter painter;
        Size text;
        int cyMenu;
        bool sub;
        Size want;
    } cases[] = {
        {Painter::Classic, {50, 13}, 19, false, {84, 19}},
        {Painter::Classic, {50, 13}, 10, false, {84, 19}},  // icon height + 4
        {Painter::Shaded, {50, 13}, 10, false, {84, 21}},   // icon height + 6
        {Painter::Shaded, {50, 30}, 19, false, {84, 30}},   // a tall text
        {Painter::Flat, {50, 13}, 19, false, {81, 22}},     // 19 is not > 23: icon height + 7
        {Painter::Flat, {50, 13}, 19, true, {91, 22}},
        {Painter::Scheme, {50, 13}, 30, true, {102, 30}},
        {Painter::Scheme, {50, 40}, 30, false, {87, 40}},
    };
    for (const auto& c : cases) {
        Size s = MeasurePlainItem(c.painter, c.text, icon, c.cyMenu, c.sub);
        EXPECT_EQ(c.want.cx, s.cx) << static_cast<int>(c.painter) << " " << c.text.cx;
        EXPECT_EQ(c.want.cy, s.cy) << static_cast<int>(c.painter) << " " << c.text.cy;
    }
}

TEST(MenuMath, TitleSizes)
{
    const struct
    {
        unsigned flags;
        Size image;
        int check;
        Size want;
    } cases[] = {
        {64, {0, 0}, 13, {80, 19}},
        {64 | kTitleEtched, {0, 0}, 13, {80, 27}},
        {64, {18, 17}, 13, {98, 19}},
        {66, {0, 0}, 13, {6, 0}},
        {66, {0, 0}, 0, {19, 0}},
        {66 | kTitleEtched, {0, 0}, 0, {27, 0}},
        {66 | kTitleRounded, {0, 0}, 0, {23, 0}},
        {66, {24, 24}, 0, {24, 0}},
    };
    for (const auto& c : cases) {
        Size s = MeasureTitle(Size{80, 19}, c.image, c.flags, c.check);
        EXPECT_EQ(c.want.cx, s.cx) << c.flags;
        EXPECT_EQ(c.want.cy, s.cy) << c.flags;
    }
}

TEST(MenuMath, ShadowFactorsFadeInwardAndRampAtTheEnds)
{
    EXPECT_EQ(225, ShadowFactor(1, 0));
    EXPECT_EQ(195, ShadowFactor(2, 0));
    EXPECT_EQ(165, ShadowFactor(3, 0));
    EXPECT_EQ(135, ShadowFactor(4, 0));
    EXPECT_EQ(249, ShadowFactor(1, 1));
    EXPECT_EQ(159, ShadowFactor(4, 4));
    EXPECT_EQ(Rgb(100, 50, 0), Darken(Rgb(200, 100, 0), 127)) << "half rounds to the nearest";
    EXPECT_EQ(Rgb(176, 88, 0), Darken(Rgb(200, 100, 0), 225));
}

TEST(MenuMath, BandColoursStepFromFirstToLast)
{
    EXPECT_EQ(Rgb(0, 0, 0), BandColour(0, Rgb(100, 200, 50), 0, 10));
    EXPECT_EQ(Rgb(50, 100, 25), BandColour(0, Rgb(100, 200, 50), 5, 10));
    EXPECT_EQ(Rgb(100, 200, 50), BandColour(0, Rgb(100, 200, 50), 10, 10));
    EXPECT_EQ(Rgb(150, 100, 50), BandColour(Rgb(200, 0, 100), Rgb(100, 200, 0), 5, 10));
}

TEST(MenuMath, ShadedAndGreyedPictures)
{
    EXPECT_EQ(Rgb(205, 161, 0), ShadedPixel(Rgb(255, 200, 0)));
    // grey of (30, 60, 90) is 60; tint (200, 100, 0)
    EXPECT_EQ(Rgb((110 * 60 + 145 * 200) / 256, (110 * 60 + 145 * 100) / 256, (110 * 60) / 256),
              GreyedPixel(Rgb(30, 60, 90), Rgb(200, 100, 0)));
}
