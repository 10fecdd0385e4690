#include "geometry/PixelWalk.h"
#include "geometry/PointArray.h"
#include "geometry/PointHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

TEST(AngleTest, AxisDirectionsUseTheApproximateConstants)
{
    EXPECT_EQ(Angle(0, 0, 5, 0), 0.0);
    EXPECT_EQ(Angle(5, 0, 0, 0), 3.1415926);
    EXPECT_EQ(Angle(3, 3, 3, 3), 3.1415926);  // identical points
    EXPECT_EQ(Angle(0, 0, 0, -5), 1.5707963);  // screen up is a quarter turn
    EXPECT_EQ(Angle(0, 0, 0, 5), 4.7123889);
}

TEST(AngleTest, QuadrantsMeasureFromTheApproximateHalfAndFullTurn)
{
    const double t = std::atan(1.0);
    EXPECT_EQ(Angle(0, 0, 1, -1), t);
    EXPECT_EQ(Angle(0, 0, -1, -1), 3.1415926 - t);
    EXPECT_EQ(Angle(0, 0, -1, 1), 3.1415926 + t);
    EXPECT_EQ(Angle(0, 0, 1, 1), 6.2831852 - t);
    // The ratio is taken of absolute differences in floating point.
    EXPECT_EQ(Angle(10, 10, 13, 9), std::atan(1.0 / 3.0));
}

TEST(AngleTest, PointOverloadsPassCoordinatesInOrder)
{
    StrokePoint p;
    p.x = 4;
    p.y = 9;
    StrokePoint q;
    q.x = 1;
    q.y = 2;
    EXPECT_EQ(Angle(p, q), Angle(4, 9, 1, 2));
    EXPECT_EQ(DistanceSq(p, q), 58.0);
}

TEST(TurnAngleTest, StraightOnIsAHalfTurnAndLeftUpIsThreeQuarters)
{
    EXPECT_EQ(TurnAngle(0, 0, 10, 0, 20, 0), 3.1415926);
    EXPECT_DOUBLE_EQ(TurnAngle(0, 0, 10, 0, 10, -10), 6.2831852 + 1.5707963 - 3.1415926);
    // Reversing straight back gives no turn at all.
    EXPECT_EQ(TurnAngle(0, 0, 10, 0, 0, 0), 0.0);
}

TEST(DistanceTest, IntegerSumThenRootAndFloatingSquares)
{
    EXPECT_EQ(Distance(0, 0, 3, 4), 5.0);
    EXPECT_EQ(DistanceSq(0, 0, -3, 4), 25.0);
    // Far apart points do not overflow the floating-point square.
    EXPECT_EQ(DistanceSq(-100000, 0, 100000, 0), 4.0e10);
}

TEST(FitRectTest, SmallImagesAreCentredNeverEnlarged)
{
    FitPoint pos{0, 0};
    FitSize size;
    FitRect(50, 20, 60, 40, pos, size);
    EXPECT_EQ(size.cx, 50);
    EXPECT_EQ(size.cy, 20);
    EXPECT_EQ(pos.x, 5);
    EXPECT_EQ(pos.y, 10);
}

TEST(FitRectTest, WideTallAndSameAspectImages)
{
    FitPoint pos{0, 0};
    FitSize size;
    FitRect(103, 56, 60, 40, pos, size);
    EXPECT_EQ(size.cx, 60);
    EXPECT_EQ(size.cy, 32);  // 56 * 60 / 103 truncated
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(pos.y, 4);

    pos = {10, 10};
    FitRect(40, 100, 60, 40, pos, size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 40);
    EXPECT_EQ(pos.x, 10 + 22);  // the position is added to, not replaced
    EXPECT_EQ(pos.y, 10);

    pos = {3, 3};
    FitRect(120, 80, 60, 40, pos, size);
    EXPECT_EQ(size.cx, 60);
    EXPECT_EQ(size.cy, 40);
    EXPECT_EQ(pos.x, 3);
    EXPECT_EQ(pos.y, 3);
}

std::vector<std::pair<int, int>> Walk(int x1, int y1, int x2, int y2)
{
    std::vector<std::pair<int, int>> pixels;
    WalkPixelLine(x1, y1, x2, y2, [&](int x, int y) { pixels.emplace_back(x, y); });
    return pixels;
}

TEST(PixelWalkTest, EndPointIsNeverPlotted)
{
    EXPECT_TRUE(Walk(5, 5, 5, 5).empty());
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Walk(0, 0, 3, 0), (V{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(Walk(0, 0, 0, -3), (V{{0, 0}, {0, -1}, {0, -2}}));
    EXPECT_EQ(Walk(2, 2, 0, 0), (V{{2, 2}, {1, 1}}));
}

TEST(PixelWalkTest, MinorAxisTruncatesTowardZero)
{
    using V = std::vector<std::pair<int, int>>;
    // dx = 4, dy = 3: y steps are (k * 3) / 4 = 0, 0, 1, 2.
    EXPECT_EQ(Walk(0, 0, 4, 3), (V{{0, 0}, {1, 0}, {2, 1}, {3, 2}}));
    // Going up: (k * -1 * 3) / 4 truncates toward zero, never floors.
    EXPECT_EQ(Walk(0, 0, 4, -3), (V{{0, 0}, {1, 0}, {2, -1}, {3, -2}}));
    // Steep: x steps are (k * -1 * 1) / 3 = 0, 0, 0.
    EXPECT_EQ(Walk(0, 0, -1, 3), (V{{0, 0}, {0, 1}, {0, 2}}));
}

TEST(PixelWalkTest, StopsEarlyWhenThePlotAsksTo)
{
    int calls = 0;
    const bool stopped = WalkPixelLine(0, 0, 100, 0, [&](int x, int) {
        ++calls;
        return x == 10;
    });
    EXPECT_TRUE(stopped);
    EXPECT_EQ(calls, 11);
}

TEST(PointArrayTest, TimeZeroMeansNowAndCopiesKeepOnlyThePosition)
{
    CPointArray points;
    points.Add(1, 2, 77, 5);
    points.Add(3, 4);
    EXPECT_EQ(points.GetCount(), 2);
    EXPECT_EQ(points[0].time, 77u);
    EXPECT_EQ(points[0].tag, 5);
    EXPECT_NE(points[1].time, 0u);
    points.AddCopy(points[0]);
    EXPECT_EQ(points[2].x, 1);
    EXPECT_EQ(points[2].y, 2);
    EXPECT_EQ(points[2].tag, 0);
    int x = 0;
    int y = 0;
    points.GetXY(1, x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    points.RemoveAll();
    EXPECT_TRUE(points.IsEmpty());
}

}  // namespace
