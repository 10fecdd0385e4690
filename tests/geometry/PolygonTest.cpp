#include <gtest/gtest.h>

#include <cmath>

#include "TestPoints.h"
#include "geometry/Planar.h"
#include "geometry/Polygon.h"

TEST(PolygonMeasures, ClosedSquare)
{
    CPolygon square = MakePolygonOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    EXPECT_DOUBLE_EQ(square.GetArea(), 100.0);
    EXPECT_DOUBLE_EQ(square.SignedAreaCache(), 100.0);
    EXPECT_DOUBLE_EQ(square.GetPerimeter(), 40.0);

    CPolygon reverse = MakePolygonOf({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
    EXPECT_DOUBLE_EQ(reverse.GetArea(), 100.0);
    EXPECT_DOUBLE_EQ(reverse.SignedAreaCache(), -100.0);
    // The cached value is returned again, sign dropped.
    EXPECT_DOUBLE_EQ(reverse.GetArea(), 100.0);
}

TEST(PolygonMeasures, TwoPointsCountThereAndBack)
{
    CPolygon segment = MakePolygonOf({{0, 0}, {3, 4}});
    EXPECT_EQ(segment.GetArea(), 1e-30);
    EXPECT_DOUBLE_EQ(segment.GetPerimeter(), 10.0);
}

TEST(PolygonMeasures, DegenerateGivesSentinels)
{
    CPolygon same = MakePolygonOf({{5, 5}, {5, 5}, {5, 5}, {5, 5}});
    EXPECT_EQ(same.GetArea(), 1e-30);
    EXPECT_EQ(same.GetPerimeter(), 1e-30);

    CPolygon empty;
    EXPECT_EQ(empty.GetArea(), 1e-30);
    EXPECT_EQ(empty.GetPerimeter(), 2e-30);

    CPolygon one = MakePolygonOf({{7, 7}});
    EXPECT_EQ(one.GetPerimeter(), 2e-30);

    // Collinear points enclose nothing.
    CPolygon flat = MakePolygonOf({{0, 0}, {5, 0}, {10, 0}, {0, 0}});
    EXPECT_EQ(flat.GetArea(), 1e-30);
    EXPECT_DOUBLE_EQ(flat.GetPerimeter(), 20.0);
}

TEST(PlanarPseudoAngle, CompassDirections)
{
    const TimedPoint o = Pt(0, 0);
    EXPECT_DOUBLE_EQ(PseudoAngle(o, Pt(1, 0)), 0.0);
    EXPECT_DOUBLE_EQ(PseudoAngle(o, Pt(0, 1)), 90.0);
    EXPECT_DOUBLE_EQ(PseudoAngle(o, Pt(-1, 0)), 180.0);
    EXPECT_DOUBLE_EQ(PseudoAngle(o, Pt(0, -1)), 270.0);
    EXPECT_DOUBLE_EQ(PseudoAngle(o, Pt(1, -1)), 315.0);
    EXPECT_DOUBLE_EQ(PseudoAngle(o, o), 0.0);
}

TEST(PlanarPseudoAngle, GrowsWithDirection)
{
    // A sweep round the full turn starting just below the +x axis.
    const TimedPoint o = Pt(0, 0);
    double previous = -1;
    for (int k = 0; k < 360; ++k) {
        const double a = k * 3.141592653589793 / 180;
        const TimedPoint q = Pt(static_cast<int>(std::lround(1000 * std::cos(a))),
                                static_cast<int>(std::lround(1000 * std::sin(a))));
        const double key = PseudoAngle(o, q);
        EXPECT_GT(key, previous) << "at " << k << " degrees";
        EXPECT_LT(key, 360.0);
        previous = key;
    }
}

TEST(PlanarFoot, AxisAndDiagonalLines)
{
    const TimedPoint q = Pt(5, 5);
    const TimedPoint h = FootOfPerpendicular(Pt(0, 0), Pt(10, 0), q);
    EXPECT_EQ(h.x, 5);
    EXPECT_EQ(h.y, 0);
    const TimedPoint v = FootOfPerpendicular(Pt(0, 0), Pt(0, 10), q);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 5);
    const TimedPoint d = FootOfPerpendicular(Pt(0, 0), Pt(10, 10), Pt(10, 0));
    EXPECT_EQ(d.x, 5);
    EXPECT_EQ(d.y, 5);
}

TEST(PlanarFoot, EndPointKeepsItsTimeAndNegativesTruncateTowardZero)
{
    const TimedPoint a{3, 4, 12.5};
    const TimedPoint foot = FootOfPerpendicular(a, Pt(10, 7), a);
    EXPECT_EQ(foot.time, 12.5);
    const TimedPoint frac = FootOfPerpendicular(Pt(0, 0), Pt(2, 1), Pt(-3, 0));
    // Exact foot (-2.4, -1.2): truncation gives (-2, -1), not the floor (-3, -2).
    EXPECT_EQ(frac.x, -2);
    EXPECT_EQ(frac.y, -1);
}

TEST(PlanarTurns, LeftTurnIsStrict)
{
    EXPECT_TRUE(IsLeftTurn(Pt(0, 0), Pt(10, 0), Pt(10, 10)));
    EXPECT_FALSE(IsLeftTurn(Pt(0, 0), Pt(10, 0), Pt(20, 0)));
    EXPECT_FALSE(IsLeftTurn(Pt(0, 0), Pt(10, 0), Pt(10, -10)));
    // Far apart points whose 32-bit products would overflow stay exact.
    EXPECT_TRUE(IsLeftTurn(Pt(-100000, -100000), Pt(100000, -100000), Pt(100000, 100000)));
    EXPECT_FALSE(IsLeftTurn(Pt(-100000, -100000), Pt(0, 0), Pt(100000, 100000)));
}

TEST(PlanarAngles, SegmentAndPointAngles)
{
    const CSegment east(Pt(0, 0), Pt(10, 0));
    EXPECT_DOUBLE_EQ(SegmentAngle(east, CSegment(Pt(0, 0), Pt(0, 10))), std::atan2(1.0, 0.0));
    EXPECT_DOUBLE_EQ(SegmentAngle(east, CSegment(Pt(0, 0), Pt(0, -10))), -std::atan2(1.0, 0.0));
    EXPECT_DOUBLE_EQ(SegmentAngle(east, CSegment(Pt(0, 0), Pt(-10, 0))), std::atan2(0.0, -1.0));
    EXPECT_DOUBLE_EQ(PointAngle(Pt(1, 1), Pt(1, 5)), std::atan2(4.0, 0.0));
}

TEST(PlanarAreas, TriangleAndQuad)
{
    EXPECT_DOUBLE_EQ(TriangleArea(Pt(0, 0), Pt(10, 0), Pt(0, 10)), 50.0);
    EXPECT_DOUBLE_EQ(TriangleArea(Pt(0, 0), Pt(0, 10), Pt(10, 0)), 50.0);
    EXPECT_DOUBLE_EQ(QuadArea(Pt(0, 0), Pt(10, 0), Pt(10, 10), Pt(0, 10)), 100.0);
    EXPECT_DOUBLE_EQ(QuadArea(Pt(0, 0), Pt(100000, 0), Pt(100000, 100000), Pt(0, 100000)), 1e10);
    EXPECT_DOUBLE_EQ(PointDistance(Pt(0, 0), Pt(3, -4)), 5.0);
}

TEST(PlanarTrunc, ClampsAndTruncatesTowardZero)
{
    EXPECT_EQ(TruncToInt(-2.7), -2);
    EXPECT_EQ(TruncToInt(2.7), 2);
    EXPECT_EQ(TruncToInt(1e20), 2147483647);
    EXPECT_EQ(TruncToInt(-1e20), -2147483647 - 1);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
}
