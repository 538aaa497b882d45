#include "foundation/drawing/HexToColor.h"

#include <gtest/gtest.h>

namespace {

TEST(HexToColorTest, RedGreenBlueTextBecomesWindowsOrder)
{
    const struct { const char* text; COLORREF colour; } cases[] = {
        {"", 0x00FF00},         // empty: green
        {"FF0000", 0x0000FF},
        {"00FF00", 0x00FF00},
        {"0000FF", 0xFF0000},
        {"123456", 0x563412},
        {"0x123456", 0x563412},
        {"0Xabcdef", 0xEFCDAB},
        {"abcdef", 0xEFCDAB},
        {"12G4", 0x120000},     // reading stops at 'G'
        {"zz", 0x000000},
        {"FFF", 0xFF0F00},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.colour, HexToColor(c.text)) << '"' << c.text << '"';
}

} // namespace
