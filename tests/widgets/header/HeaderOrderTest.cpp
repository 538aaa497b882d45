// The flat header's column moves and drop positions.
#include <gtest/gtest.h>

#include "widgets/header/HeaderOrder.h"

TEST(HeaderOrder, DraggedColumnsLandAtTheirDropPositions)
{
    const std::vector<int> order = {0, 1, 2, 3};
    const struct
    {
        int from, to;
        std::vector<int> expected;
    } cases[] = {{0, 3, {1, 2, 0, 3}},
                 {3, 0, {3, 0, 1, 2}},
                 {0, 4, {1, 2, 3, 0}},
                 {2, 1, {0, 2, 1, 3}},
                 {1, 1, {0, 1, 2, 3}},
                 {1, 2, {0, 1, 2, 3}},
                 {1, 9, {0, 1, 2, 3}},
                 {-1, 2, {0, 1, 2, 3}}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, HeaderMoveColumn(order, c.from, c.to)) << c.from << " to " << c.to;
}

TEST(HeaderOrder, DropsBesideTheDraggedColumnShowNoMarker)
{
    EXPECT_EQ(-1, HeaderDropPosition(1, false, 1));
    EXPECT_EQ(-1, HeaderDropPosition(1, true, 1)) << "just right of itself";
    EXPECT_EQ(-1, HeaderDropPosition(0, true, 1)) << "right half of the left neighbour is its own place";
    EXPECT_EQ(3, HeaderDropPosition(2, true, 0));
    EXPECT_EQ(0, HeaderDropPosition(0, false, 3));
    EXPECT_EQ(-1, HeaderDropPosition(-1, true, 0)) << "no item";
}
