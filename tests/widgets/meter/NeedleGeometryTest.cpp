// The needle meter's geometry: pivot, radii, ring, and the needle's angle
// and triangle for values inside and outside the range.
#include <gtest/gtest.h>

#include <cmath>

#include "widgets/meter/NeedleGeometry.h"

namespace {

const double kDegree = std::atan2(1.0, 1.0) / 45.0;

} // namespace

TEST(NeedleGeometry, A160By80ClientHasItsPivotRadiiAndNeedleBase)
{
    const NeedleFace face = NeedleFaceFor(0, 0, 160, 80);
    EXPECT_EQ(80, face.centreX);
    EXPECT_EQ(75, face.centreY);
    EXPECT_EQ(60, face.outerRadius);
    EXPECT_EQ(30, face.innerRadius);
    NeedlePoint t[3];
    NeedleTriangle(face, NeedleAngle(50, 0, 100, face), t);
    EXPECT_EQ(81, t[0].x);
    EXPECT_EQ(79, t[2].x);
    EXPECT_EQ(75, t[0].y);
    EXPECT_EQ(80, t[1].x) << "50 of 0..100 points straight up";
    EXPECT_EQ(15, t[1].y);
}

TEST(NeedleGeometry, TheRingRunsTheOuterArcThenTheInnerArcBack)
{
    const NeedleFace face = NeedleFaceFor(0, 0, 160, 80);
    // 60 degrees at radius 60: (80 + 30, 75 - 51.96) rounded.
    EXPECT_EQ(110, face.ring[0].x);
    EXPECT_EQ(23, face.ring[0].y);
    EXPECT_EQ(50, face.ring[12].x) << "120 degrees on the outer arc";
    EXPECT_EQ(65, face.ring[13].x) << "120 degrees on the inner arc";
    EXPECT_EQ(95, face.ring[25].x) << "back at 60 degrees";
}

TEST(NeedleGeometry, ValuesMapToAnglesAndPinAtTheEnds)
{
    const NeedleFace face = NeedleFaceFor(0, 0, 160, 80);
    const struct
    {
        double value;
        double degrees;
    } cases[] = {{0, 120}, {50, 90}, {100, 60}, {25, 105}, {-10, 120}, {150, 60}, {1e9, 60}, {-1e9, 120}};
    for (const auto& c : cases)
        EXPECT_NEAR(c.degrees * kDegree, NeedleAngle(c.value, 0, 100, face), 1e-12) << c.value;
}

TEST(NeedleGeometry, AnEmptyRangeRestsTheNeedleAtTheStartOfTheArc)
{
    const NeedleFace face = NeedleFaceFor(0, 0, 160, 80);
    for (double value : {-1.0, 5.0, 6.0})
        EXPECT_DOUBLE_EQ(face.startAngle, NeedleAngle(value, 5, 5, face)) << value;
    // A value that is not a number is "not above the end angle": the right end.
    EXPECT_DOUBLE_EQ(face.endAngle, NeedleAngle(std::nan(""), 0, 100, face));
}

TEST(NeedleGeometry, RoundingTakesHalvesAwayFromZero)
{
    const struct
    {
        double in;
        int out;
    } cases[] = {{0.5, 1}, {-0.5, -1}, {1.49, 1}, {-1.5, -2}, {2.5, 3}, {0.0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.out, NeedleRound(c.in)) << c.in;
}
