#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "TestPoints.h"
#include "geometry/CursorList.h"
#include "geometry/Planar.h"
#include "geometry/StrokeGroup.h"

using Points = std::vector<std::pair<int, int>>;

TEST(StrokeGroupHull, HorizontalLine)
{
    CStroke stroke;
    for (int x = 0; x <= 100; ++x) {
        stroke.AddPoint(x, 50, 0);
    }
    CStrokeGroup group;
    group.AddStroke(&stroke);

    const TimedPoint pivot = group.FindPivot();
    EXPECT_EQ(pivot.x, 100);
    EXPECT_EQ(pivot.y, 50);
    const std::vector<TimedPoint> sorted = group.SortByPseudoAngle(pivot);
    ASSERT_EQ(sorted.size(), 2u);
    EXPECT_EQ(sorted[1].x, 0);

    EXPECT_EQ(PointsOf(group.GetConvexHull()), (Points{{0, 50}, {100, 50}}));
    EXPECT_EQ(PointsOf(group.GetBoundingBox()),
              (Points{{0, 50}, {100, 50}, {100, 50}, {0, 50}, {0, 50}}));
    EXPECT_EQ(PointsOf(group.GetEnclosingRect()),
              (Points{{0, 50}, {100, 50}, {100, 50}, {0, 50}, {0, 50}}));
    EXPECT_EQ(PointsOf(group.GetLargestTriangle()), (Points{{0, 50}, {100, 50}, {0, 50}, {0, 50}}));
    EXPECT_EQ(PointsOf(group.GetLargestQuad()),
              (Points{{0, 50}, {100, 50}, {0, 50}, {0, 50}, {0, 50}}));
    EXPECT_EQ(group.GetConvexHull().GetArea(), 1e-30);
    EXPECT_DOUBLE_EQ(group.GetConvexHull().GetPerimeter(), 200.0);
}

TEST(StrokeGroupHull, RepeatedSinglePoint)
{
    CStroke stroke;
    FillStroke(stroke, {{7, 9}, {7, 9}, {7, 9}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    EXPECT_EQ(PointsOf(group.GetConvexHull()), (Points{{7, 9}, {7, 9}}));
    for (CPolygon* derived : {&group.GetBoundingBox(), &group.GetEnclosingRect(),
                              &group.GetLargestTriangle(), &group.GetLargestQuad()}) {
        for (const auto& p : PointsOf(*derived)) {
            EXPECT_EQ(p, std::make_pair(7, 9));
        }
    }
    EXPECT_EQ(group.CountInnerPoints(), 0);
}

TEST(StrokeGroupHull, CloseTwoPointsThinToOne)
{
    CStroke stroke;
    FillStroke(stroke, {{10, 10}, {13, 10}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    // Raw hull (10,10) (13,10); the second lies within 5 of the first.
    EXPECT_EQ(PointsOf(group.GetConvexHull()), (Points{{10, 10}, {10, 10}}));
}

TEST(StrokeGroupHull, ClosedSquare)
{
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);

    const TimedPoint pivot = group.FindPivot();
    EXPECT_EQ(pivot.x, 100);
    EXPECT_EQ(pivot.y, 0);
    EXPECT_EQ(PointsOf(group.GetConvexHull()),
              (Points{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_DOUBLE_EQ(group.GetBoundingBox().GetArea(), 10000.0);
    EXPECT_DOUBLE_EQ(group.GetLargestQuad().GetArea(), 10000.0);
    EXPECT_DOUBLE_EQ(group.GetLargestTriangle().GetArea(), 5000.0);
}

// The edge pointing exactly left gives a cosine of -1.8e-16 for the right
// angle; without snapping, one corner moves by a pixel and the rectangle of
// that edge (area 9900) undercuts the true one.
TEST(StrokeGroupEnclosingRect, SquareKeepsItsFullArea)
{
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    CPolygon& rect = group.GetEnclosingRect();
    EXPECT_DOUBLE_EQ(rect.GetArea(), 10000.0);
    EXPECT_GE(rect.GetArea(), group.GetConvexHull().GetArea());
    for (const auto& [x, y] : PointsOf(rect)) {
        EXPECT_TRUE(x == 0 || x == 100) << x;
        EXPECT_TRUE(y == 0 || y == 100) << y;
    }
}

TEST(StrokeGroupEnclosingRect, RotatedRectangleIsFoundAtItsAngle)
{
    // A 200 x 80 rectangle turned by 30 degrees.
    const double a = 30 * 3.141592653589793 / 180;
    const double ux = std::cos(a), uy = std::sin(a);
    const double corners[4][2] = {{0, 0}, {200, 0}, {200, 80}, {0, 80}};
    CStroke stroke;
    for (int k = 0; k <= 4; ++k) {
        const double* c0 = corners[k % 4];
        const double* c1 = corners[(k + 1) % 4];
        for (int s = 0; s < 20 && k < 4; ++s) {
            const double x = c0[0] + (c1[0] - c0[0]) * s / 20;
            const double y = c0[1] + (c1[1] - c0[1]) * s / 20;
            stroke.AddPoint(static_cast<int>(std::lround(300 + x * ux - y * uy)),
                            static_cast<int>(std::lround(100 + x * uy + y * ux)), 0);
        }
    }
    CStrokeGroup group;
    group.AddStroke(&stroke);
    const double rect = group.GetEnclosingRect().GetArea();
    const double box = group.GetBoundingBox().GetArea();
    EXPECT_NEAR(rect, 200.0 * 80.0, 200.0 * 80.0 * 0.03);
    EXPECT_LT(rect, box * 0.8);
    EXPECT_GE(rect, group.GetConvexHull().GetArea() * 0.99);
}

TEST(StrokeGroupCaches, GettersReturnTheSamePolygonInnerTriangleIsNew)
{
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {50, 80}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    EXPECT_EQ(&group.GetLargestTriangle(), &group.GetLargestTriangle());
    EXPECT_EQ(&group.GetConvexHull(), &group.GetConvexHull());
    EXPECT_EQ(&group.GetEnclosingRect(), &group.GetEnclosingRect());
    const auto first = group.MakeInnerTriangle();
    const auto second = group.MakeInnerTriangle();
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(PointsOf(*first), PointsOf(*second));
    ASSERT_EQ(first->GetCount(), 4);
}

TEST(StrokeGroupInnerTriangle, ShrinksAboutCentroid)
{
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {0, 100}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    const auto inner = group.MakeInnerTriangle();
    // Largest triangle (0,100) (0,0) (100,0) in hull order; midpoints and the
    // 0.6 blend truncate toward zero.
    const auto points = PointsOf(*inner);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0], points[3]);
    // Every inner vertex lies 0.6 of the way from a midpoint to a corner.
    const double area = inner->GetArea();
    EXPECT_NEAR(area, 5000.0 * 0.16, 40.0);
}

TEST(StrokeGroupInnerPoints, CountsOnlyStrictlyInside)
{
    CStroke stroke;
    // Triangle outline plus points near its centroid (33, 33).
    FillStroke(stroke, {{0, 0}, {100, 0}, {0, 100}, {0, 0}, {30, 30}, {33, 33}, {35, 30}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    const auto inner = group.MakeInnerTriangle();
    int minX = 1 << 30, maxX = -(1 << 30);
    for (const auto& [x, y] : PointsOf(*inner)) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
    EXPECT_EQ(group.CountInnerPoints(), 3);

    // A point on the inner triangle's leftmost x is never counted.
    CStroke edge;
    FillStroke(edge, {{0, 0}, {100, 0}, {0, 100}, {0, 0}, {minX, 33}, {maxX, 20}});
    CStrokeGroup edgeGroup;
    edgeGroup.AddStroke(&edge);
    EXPECT_EQ(edgeGroup.CountInnerPoints(), 0);
}

// The angle sort must give exactly what inserting every point into a sorted
// list that refuses duplicate keys gives, the farther point kept on an equal
// key and the existing one on a tie.
TEST(StrokeGroupSort, MatchesSortedInsertion)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        CStroke stroke;
        const int n = 2 + static_cast<int>(rng() % 300);
        const int spread = 1 + static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            // Small coordinates give many equal keys and equal distances.
            stroke.AddPoint(static_cast<int>(rng() % spread) - spread / 2,
                            static_cast<int>(rng() % spread), i);
        }
        CStrokeGroup group;
        group.AddStroke(&stroke);
        const TimedPoint pivot = group.FindPivot();

        std::vector<TimedPoint> storage;
        for (const TimedPoint& p : stroke.Points()) {
            storage.push_back(p);
        }
        CCursorList<const TimedPoint*> reference(false);
        reference.InsertSorted(&pivot, 0.0);
        for (const TimedPoint& p : storage) {
            auto* existing = reference.InsertSorted(&p, PseudoAngle(pivot, p));
            if (existing != nullptr &&
                PointDistance(pivot, p) > PointDistance(pivot, *existing->element)) {
                existing->element = &p;
            }
        }
        const std::vector<TimedPoint> sorted = group.SortByPseudoAngle(pivot);
        ASSERT_EQ(static_cast<int>(sorted.size()), reference.GetCount());
        int i = 0;
        for (const TimedPoint* p : reference) {
            EXPECT_EQ(sorted[static_cast<std::size_t>(i)].x, p->x);
            EXPECT_EQ(sorted[static_cast<std::size_t>(i)].y, p->y);
            EXPECT_EQ(sorted[static_cast<std::size_t>(i)].time, p->time)
                << "tie kept the wrong point";
            ++i;
        }
    }
}

TEST(StrokeGroupHull, ConvexAndContainsEveryPoint)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 100; ++round) {
        CStroke stroke;
        for (int i = 0; i < 200; ++i) {
            stroke.AddPoint(static_cast<int>(rng() % 500), static_cast<int>(rng() % 500), 0);
        }
        CStrokeGroup group;
        group.AddStroke(&stroke);
        CPolygon& hull = group.GetConvexHull();
        const auto pts = PointsOf(hull);
        ASSERT_GE(pts.size(), 4u);
        EXPECT_EQ(pts.front(), pts.back());
        // Thinning drops vertices, so only check that no point lies far out.
        for (const TimedPoint& p : stroke.Points()) {
            for (std::size_t e = 0; e + 1 < pts.size(); ++e) {
                const double cross =
                    double(pts[e + 1].first - pts[e].first) * (p.y - pts[e].second) -
                    double(pts[e + 1].second - pts[e].second) * (p.x - pts[e].first);
                const double len =
                    std::hypot(pts[e + 1].first - pts[e].first, pts[e + 1].second - pts[e].second);
                EXPECT_GE(cross / len, -12.0);
            }
        }
        EXPECT_LE(group.GetLargestTriangle().GetArea(), group.GetLargestQuad().GetArea() + 1e-9);
        EXPECT_LE(group.GetLargestQuad().GetArea(), hull.GetArea() + 1e-9);
        EXPECT_LE(hull.GetArea(), group.GetBoundingBox().GetArea() + 1e-9);
    }
}

TEST(StrokeGroupDeathTest, EmptyGroupEndsProcessAtFirstGetter)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CStrokeGroup none;
    EXPECT_TRUE(none.IsEmpty());
    CStroke empty;
    CStrokeGroup withEmpty;
    withEmpty.AddStroke(&empty);
    EXPECT_TRUE(withEmpty.IsEmpty());
    EXPECT_EXIT(none.GetConvexHull(), testing::ExitedWithCode(248), "");
    EXPECT_EXIT(withEmpty.GetBoundingBox(), testing::ExitedWithCode(248), "");
}
