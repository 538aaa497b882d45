// The colour popup's table, layout, hit tests, opening entry and keys.
#include <gtest/gtest.h>

#include <cstring>

#include "widgets/colourpicker/ColourGrid.h"

TEST(ColourGrid, TheTableHoldsFortyNamedColoursRowByRow)
{
    EXPECT_EQ(5, kColourGridRows);
    EXPECT_EQ(0x2068FFu, kColourGridTable[9].colour);
    EXPECT_STREQ("Orange", kColourGridTable[9].name);
    EXPECT_STREQ("Pale green ", kColourGridTable[35].name);
    EXPECT_STREQ("White", kColourGridTable[39].name);
}

TEST(ColourGrid, TheOpeningEntryFollowsTheColour)
{
    EXPECT_EQ(9, ColourGridInitial(0x2068FF, true, true));
    EXPECT_EQ(kColourGridCustom, ColourGridInitial(0x123456, true, true)) << "not in the table";
    EXPECT_EQ(kColourGridNone, ColourGridInitial(0x123456, true, false));
    EXPECT_EQ(kColourGridDefault, ColourGridInitial(kColourAutomatic, true, true));
    EXPECT_EQ(kColourGridCustom, ColourGridInitial(kColourAutomatic, false, true));
}

TEST(ColourGrid, LayoutWithBothEntries)
{
    const ColourGridLayout l = ColourGridLayoutFor(2, 18, true, true, 100, 13);
    const int th = 13 + 8 + 2;
    EXPECT_EQ(148, l.width) << "2m + 8 cells is wider than the texts";
    EXPECT_EQ(5 * 18 + 4 + 2 * (6 + th), l.height);
    EXPECT_EQ(2 + 4 + th, l.gridTop);
    EXPECT_EQ(2, l.defaultBox.top);
    EXPECT_EQ(4 + th, l.defaultBox.bottom);
    const ColourGridBox cell9 = ColourGridCellBox(l, 9);
    EXPECT_EQ(2 + 18, cell9.left);
    EXPECT_EQ(l.gridTop + 18, cell9.top);
    const ColourGridLayout wide = ColourGridLayoutFor(2, 18, true, false, 200, 13);
    EXPECT_EQ(204, wide.width) << "a wide text widens the popup";
    EXPECT_EQ(202, wide.defaultBox.right);
}

TEST(ColourGrid, PointsFallOnEntriesCellsOrNothing)
{
    const ColourGridLayout l = ColourGridLayoutFor(2, 18, true, true, 100, 13);
    EXPECT_EQ(kColourGridDefault, ColourGridHitTest(l, 50, 10));
    EXPECT_EQ(kColourGridCustom, ColourGridHitTest(l, 50, l.customBox.top + 3));
    const ColourGridBox cell = ColourGridCellBox(l, 27);
    EXPECT_EQ(27, ColourGridHitTest(l, cell.left + 9, cell.top + 9));
    EXPECT_EQ(kColourGridNone, ColourGridHitTest(l, 0, l.gridTop + 5)) << "the margin";
    EXPECT_EQ(kColourGridNone, ColourGridHitTest(l, 2 + 8 * 18 + 1, l.gridTop + 5)) << "right of the grid";
}

TEST(ColourGrid, KeysMoveAsTheTableSays)
{
    const int D = kColourGridDefault, C = kColourGridCustom, N = kColourGridNone;
    const unsigned left = 0x25, up = 0x26, right = 0x27, down = 0x28;
    const struct
    {
        unsigned key;
        int from;
        bool hasDefault, hasCustom;
        int to;
    } cases[] = {
        {down, D, true, true, 0},    {down, C, true, true, D},    {down, C, false, true, 0},
        {down, 3, true, true, 11},   {down, 35, true, true, C},   {down, 35, true, false, D},
        {down, 35, false, false, 0}, {up, D, true, true, C},      {up, D, true, false, 39},
        {up, C, true, true, 39},     {up, 11, true, true, 3},     {up, 3, true, true, D},
        {up, 3, false, true, C},     {up, 3, false, false, 39},   {right, D, true, true, 0},
        {right, C, true, true, D},   {right, 7, true, true, 8},   {right, 39, true, true, C},
        {right, 39, true, false, D}, {left, D, true, true, C},    {left, C, true, true, 39},
        {left, 8, true, true, 7},    {left, 0, true, true, D},    {left, 0, false, false, 39},
        {down, N, true, true, C},    {right, N, false, false, 0}, {up, N, true, true, D},
        {left, N, false, true, C},
    };
    for (const auto& c : cases) {
        int next = 1234;
        ASSERT_TRUE(ColourGridKeyMove(c.key, c.from, c.hasDefault, c.hasCustom, &next));
        EXPECT_EQ(c.to, next) << "key " << c.key << " from " << c.from;
    }
    int next = 5;
    EXPECT_FALSE(ColourGridKeyMove(0x0D, 4, true, true, &next));
}
