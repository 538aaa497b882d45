#include "foundation/monitors/MonitorGeometry.h"

#include <gtest/gtest.h>

namespace {

struct CentreCase
{
    MonitorBox area;
    MonitorBox box;
    MonitorBox expected;
};

TEST(MonitorGeometry, CentresKeepingTheSize)
{
    const CentreCase cases[] = {
        // 200 x 100 on a 1024 x 768 work area at the origin.
        {{0, 0, 1024, 768}, {0, 0, 200, 100}, {412, 334, 612, 434}},
        // The box's own position does not matter.
        {{0, 0, 1024, 768}, {-50, 900, 150, 1000}, {412, 334, 612, 434}},
        // A second monitor to the right, with a task bar taken off its top.
        {{1024, 30, 2304, 1024}, {0, 0, 640, 480}, {1344, 287, 1984, 767}},
        // A monitor left of the primary one (negative coordinates).
        {{-1280, 0, 0, 1024}, {10, 10, 210, 110}, {-740, 462, -540, 562}},
        // Odd differences round toward zero.
        {{0, 0, 101, 101}, {0, 0, 10, 10}, {45, 45, 55, 55}},
        // Larger than the monitor: overhangs both sides equally.
        {{0, 0, 1024, 768}, {0, 0, 1224, 868}, {-100, -50, 1124, 818}},
        // Larger by an odd amount: the negative offset rounds toward zero.
        {{0, 0, 100, 100}, {0, 0, 103, 101}, {-1, 0, 102, 101}},
    };
    for (const CentreCase& c : cases) {
        const MonitorBox r = CenterBoxOn(c.area, c.box);
        EXPECT_EQ(c.expected.left, r.left) << c.area.left << "," << c.box.right;
        EXPECT_EQ(c.expected.top, r.top) << c.area.left << "," << c.box.right;
        EXPECT_EQ(c.expected.right, r.right) << c.area.left << "," << c.box.right;
        EXPECT_EQ(c.expected.bottom, r.bottom) << c.area.left << "," << c.box.right;
    }
}

TEST(MonitorGeometry, ExtremeEdgesDoNotOverflowOnTheWay)
{
    // Widths near the limits of 32 bits: the arithmetic runs in 64 bits.
    const MonitorBox area = {-2000000000, 0, 2000000000, 100};
    const MonitorBox box = {-2000000000, 0, 2000000000, 10};
    const MonitorBox r = CenterBoxOn(area, box);
    EXPECT_EQ(-2000000000, r.left);
    EXPECT_EQ(2000000000, r.right);
    EXPECT_EQ(45, r.top);
    EXPECT_EQ(55, r.bottom);
}

} // namespace
