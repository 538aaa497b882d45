#include "foundation/shell/DisplayCharMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DisplayCharMap, HoldsTheSeventyEightCharactersOfTheDisplay)
{
    BuildDisplayCharMap();
    EXPECT_EQ(78, DisplayCharMap.GetCount());
    std::string expected = " !\"#%&'()*+,-./0123456789:";
    for (char c = 'A'; c <= 'Z'; ++c)
        expected += c;
    for (char c = 'a'; c <= 'z'; ++c)
        expected += c;
    for (int c = 1; c < 256; ++c) {
        uint16_t code = 0;
        const bool inMap = DisplayCharMap.Lookup(static_cast<char>(c), code) != 0;
        EXPECT_EQ(expected.find(static_cast<char>(c)) != std::string::npos, inMap) << c;
        if (inMap) {
            EXPECT_EQ(((c % 16) << 8) | (c / 16), code) << c;
        }
    }
}

TEST(DisplayCharMap, CellCodesAndGaps)
{
    BuildDisplayCharMap();
    const struct {
        char c;
        uint16_t code;
    } cells[] = {{'0', 0x0003}, {'A', 0x0104}, {'z', 0x0A07}, {' ', 0x0002}, {':', 0x0A03}, {'/', 0x0F02}};
    for (const auto& cell : cells) {
        uint16_t code = 0;
        ASSERT_TRUE(DisplayCharMap.Lookup(cell.c, code)) << cell.c;
        EXPECT_EQ(cell.code, code) << cell.c;
    }
    for (char c : {'$', ';', '[', '@', '~', '\0'}) {
        uint16_t code = 0;
        EXPECT_FALSE(DisplayCharMap.Lookup(c, code)) << static_cast<int>(c);
    }
    // Building again gives the same map, not a second copy.
    BuildDisplayCharMap();
    EXPECT_EQ(78, DisplayCharMap.GetCount());
}

} // namespace
