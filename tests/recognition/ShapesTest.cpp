#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "StrokeFixtures.h"
#include "geometry/Features.h"
#include "geometry/StrokeGroup.h"
#include "recognition/EllipseOutline.h"
#include "recognition/Shapes.h"

namespace {

struct GroupOf {
    explicit GroupOf(const CPointArray& points)
    {
        for (const StrokePoint& p : points) {
            stroke.AddPoint(p.x, p.y, 0);
        }
        group.AddStroke(&stroke);
    }
    CStroke stroke;
    CStrokeGroup group;
};

std::array<TimedPoint, 4> Box(int x0, int y0, int x1, int y1)
{
    return {TimedPoint{x0, y0, 0}, TimedPoint{x1, y0, 0}, TimedPoint{x1, y1, 0},
            TimedPoint{x0, y1, 0}};
}

}  // namespace

TEST(CircleFit, RadiusIsMeanHalfSideCentreIsBoxCentre)
{
    // A closed 120 x 80 box outline: radius (120 + 80) / 4, centre mid-box.
    GroupOf g(fixtures::Path({{10, 20}, {130, 20}, {130, 100}, {10, 100}, {10, 20}}, 10));
    CCircleShape circle(true);
    circle.ComputeShape(g.group);
    EXPECT_EQ(circle.Radius(), 50);
    EXPECT_EQ(circle.Center().x, 70);
    EXPECT_EQ(circle.Center().y, 60);
}

TEST(CircleRule, ThinnessWindowAndNoInnerPoint)
{
    GroupOf round(fixtures::Circle(200, 200, 80, 90));
    EXPECT_NEAR(HullThinness(round.group), 4 * fixtures::kPi, 0.3);
    CCircleShape circle(true);
    EXPECT_GT(circle.Evaluate(round.group), 0.9);

    // A point in the middle of the circle fails the inner-point condition.
    CPointArray withDot = fixtures::Circle(200, 200, 80, 90);
    withDot.Add(200, 200, 1);
    withDot.Add(205, 200, 1);
    GroupOf dotted(withDot);
    CCircleShape again(true);
    EXPECT_EQ(again.Evaluate(dotted.group), 0.0);
}

TEST(EllipseQuadrantWalk, StartsOnAxisEndsBelowIt)
{
    for (const auto& [rx, ry] : {std::pair{50.0, 100.0}, {100.0, 50.0}, {7.5, 3.2}, {0.0, 0.0}}) {
        const std::vector<QuadrantPoint> q = EllipseQuadrant(rx, ry);
        ASSERT_GE(q.size(), 3u);
        EXPECT_EQ(q.front().x, 0);
        EXPECT_EQ(q.front().y, static_cast<int>(ry));
        EXPECT_EQ(q.back().y, -2);
        for (std::size_t i = 1; i < q.size(); ++i) {
            EXPECT_GE(q[i].x, q[i - 1].x);
            EXPECT_LE(q[i].y, q[i - 1].y);
            EXPECT_LE(q[i].x - q[i - 1].x, 1);
            EXPECT_LE(q[i - 1].y - q[i].y, 1);
        }
        EXPECT_LE(q.back().x, static_cast<int>(rx) + 1);
    }
}

TEST(EllipseOutlineFit, InscribedInA200By100Box)
{
    // P0 -> P1 is 200 long, P1 -> P2 is 100: rx 50 along P1 -> P2, ry 100.
    const auto outline = MakeEllipseOutline(Box(0, 0, 200, 100));
    const std::size_t n = EllipseQuadrant(50, 100).size();
    ASSERT_EQ(static_cast<std::size_t>(outline->GetCount()), 4 * n);
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    double sx = 0, sy = 0;
    for (const TimedPoint& p : outline->Points()) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
        sx += p.x;
        sy += p.y;
    }
    // Inside the box, touching all four sides within a pixel.
    EXPECT_GE(minX, 0);
    EXPECT_LE(minX, 1);
    EXPECT_LE(maxX, 200);
    EXPECT_GE(maxX, 199);
    EXPECT_GE(minY, 0);
    EXPECT_LE(minY, 1);
    EXPECT_LE(maxY, 100);
    EXPECT_GE(maxY, 99);
    EXPECT_NEAR(sx / outline->GetCount(), 100, 2);
    EXPECT_NEAR(sy / outline->GetCount(), 50, 2);
}

TEST(EllipseOutlineFit, LargeEllipsesGrowTheWorkingArray)
{
    // Semi-axes of 1500 and 900 need far more than 1000 quadrant records.
    const std::size_t n = EllipseQuadrant(900, 1500).size();
    EXPECT_GT(n, 1000u);
    const auto outline = MakeEllipseOutline(Box(100, 100, 3100, 1900));
    EXPECT_EQ(static_cast<std::size_t>(outline->GetCount()), 4 * n);
    for (const TimedPoint& p : outline->Points()) {
        ASSERT_GE(p.x, 98);
        ASSERT_LE(p.x, 3102);
        ASSERT_GE(p.y, 98);
        ASSERT_LE(p.y, 1902);
    }
}

TEST(EllipseOutlineFit, ExtremeAspectTerminates)
{
    const std::size_t n = EllipseQuadrant(150000, 1.0).size();
    EXPECT_LT(n, 400000u);
    EXPECT_GT(EllipseQuadrant(1.0, 150000).size(), 100000u);
}

TEST(EllipseRule, WindowOfThinness)
{
    GroupOf oval(fixtures::Ellipse(300, 300, 150, 70, 80, 0.5, 3, 2));
    const double thin = HullThinness(oval.group);
    EXPECT_GT(thin, 13.5);
    EXPECT_LT(thin, 19.0);
    CEllipseShape ellipse(true);
    EXPECT_GT(ellipse.Evaluate(oval.group), 0.5);
    ASSERT_NE(ellipse.Outline(), nullptr);
    // A second evaluation replaces the outline.
    GroupOf other(fixtures::Ellipse(500, 300, 100, 60, 80, 0.0, 2, 3));
    EXPECT_GT(ellipse.Evaluate(other.group), 0.0);
    int minX = 1 << 30;
    for (const TimedPoint& p : ellipse.Outline()->Points()) {
        minX = std::min(minX, p.x);
    }
    EXPECT_NEAR(minX, 400, 4);
}

TEST(LineRule, AspectThresholds)
{
    GroupOf straight(fixtures::Path({{100, 100}, {400, 250}}, 50));
    EXPECT_NEAR(LengthPerHullPerimeter(straight.group), 0.5, 0.01);
    CLineShape line(true);
    EXPECT_EQ(line.Evaluate(straight.group), 1.0);
    // The corners are the two ends of the stroke, in either order.
    const auto& c = line.Corners();
    EXPECT_EQ(std::min(c[0].x, c[1].x), 100);
    EXPECT_EQ(std::max(c[0].x, c[1].x), 400);

    // A closed 100 x 10 loop: aspect 0.1 is above 0.08.
    GroupOf slab(fixtures::Path({{0, 0}, {100, 0}, {100, 10}, {0, 10}, {0, 0}}, 10));
    EXPECT_NEAR(EnclosingRectAspect(slab.group), 0.1, 1e-9);
    CLineShape notLine(true);
    EXPECT_EQ(notLine.Evaluate(slab.group), 0.0);

    // Aspect 0.05 is fully a line, closed or not.
    GroupOf thin(fixtures::Path({{0, 0}, {200, 0}, {200, 10}, {0, 10}, {0, 0}}, 10));
    EXPECT_NEAR(EnclosingRectAspect(thin.group), 0.05, 1e-9);
    CLineShape thinLine(true);
    EXPECT_EQ(thinLine.Evaluate(thin.group), 1.0);
}

TEST(ShapeFitting, ZeroDegreeKeepsPreviousCorners)
{
    GroupOf tri(fixtures::Path({{300, 200}, {400, 380}, {200, 380}, {300, 205}}, 20));
    CTriangleShape triangle(true);
    EXPECT_GT(triangle.Evaluate(tri.group), 0.9);
    const auto corners = triangle.Corners();
    GroupOf scribble(fixtures::Scribble(200, 3));
    EXPECT_EQ(triangle.Evaluate(scribble.group), 0.0);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(triangle.Corners()[k].x, corners[k].x);
        EXPECT_EQ(triangle.Corners()[k].y, corners[k].y);
    }
}

TEST(ShapeRuleSets, NotRotatedRulesDiffer)
{
    // An axis-aligned rectangle passes the box-based rule too.
    GroupOf rect(fixtures::Path(fixtures::RectangleCorners(300, 300, 200, 120, 0), 20));
    CRectangleShape boxRule(false);
    EXPECT_EQ(boxRule.Evaluate(rect.group), 1.0);
    // The box-based diamond only asks for a small triangle in the box.
    CDiamondShape boxDiamond(false);
    EXPECT_EQ(boxDiamond.Evaluate(rect.group), 0.0);
}
