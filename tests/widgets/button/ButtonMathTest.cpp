// The flat button's darkened resting copy and its top-bar inset.
#include <gtest/gtest.h>

#include "widgets/button/ButtonMath.h"

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

} // namespace

TEST(ButtonMath, ThePixelsOfAKindOneImageDarkenByTwelvePercent)
{
    const struct
    {
        uint32_t in, out;
    } cases[] = {{Rgb(200, 100, 255), Rgb(176, 88, 224)},
                 {Rgb(0, 0, 0), Rgb(0, 0, 0)},
                 {Rgb(255, 255, 255), Rgb(224, 224, 224)},
                 {Rgb(1, 9, 50), Rgb(0, 7, 44)}};
    for (const auto& c : cases)
        EXPECT_EQ(c.out, FlatButtonDarken(c.in, Rgb(255, 0, 255))) << std::hex << c.in;
}

TEST(ButtonMath, KeyColouredPixelsStayAsTheyAre)
{
    EXPECT_EQ(Rgb(255, 0, 255), FlatButtonDarken(Rgb(255, 0, 255), Rgb(255, 0, 255)));
    EXPECT_EQ(Rgb(224, 0, 224), FlatButtonDarken(Rgb(255, 0, 255), Rgb(0, 255, 0)));
}

TEST(ButtonMath, TheTopBarKeepsAFifthOfTheWidthFromEachEnd)
{
    EXPECT_EQ(20, FlatButtonTopBarInset(100));
    EXPECT_EQ(7, FlatButtonTopBarInset(37));
    EXPECT_EQ(0, FlatButtonTopBarInset(4));
}
