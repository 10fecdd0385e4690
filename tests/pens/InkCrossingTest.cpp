#include "InkTestSupport.h"

#include "pens/MaobiPen.h"
#include "pens/SegmentCrossing.h"
#include "tracing/Outline.h"

#include <gtest/gtest.h>

using namespace inktest;

namespace {

StrokePoint Pt(int x, int y)
{
    StrokePoint p;
    p.x = x;
    p.y = y;
    return p;
}

// New segment first, then the earlier one, as the stroke splitter asks.
bool Cross(StrokePoint P, StrokePoint Q, StrokePoint p, StrokePoint q)
{
    return SegmentsCross(P, Q, p, q);
}

TEST(InkSegmentCrossing, IntersectionIsTruncatedAndTakenOnTheFlatterLine)
{
    int x = 0, y = 0;
    ASSERT_TRUE(LineIntersection(Pt(0, 10), Pt(10, 0), Pt(0, 0), Pt(10, 10), x, y));
    EXPECT_EQ(QPoint(x, y), QPoint(5, 5));
    // y = x/3 and y = 7 - x meet at (5.25, 1.75): x truncates to 5, and y is
    // taken there on the flatter line (1.66 -> 1), not the steeper (2).
    ASSERT_TRUE(LineIntersection(Pt(0, 7), Pt(7, 0), Pt(0, 0), Pt(9, 3), x, y));
    EXPECT_EQ(QPoint(x, y), QPoint(5, 1));
    ASSERT_TRUE(LineIntersection(Pt(0, 0), Pt(9, 3), Pt(0, 7), Pt(7, 0), x, y));
    EXPECT_EQ(QPoint(x, y), QPoint(5, 1));
    // Mirrored below the axis: -1.66 truncates toward zero, to -1.
    ASSERT_TRUE(LineIntersection(Pt(0, -7), Pt(7, 0), Pt(0, 0), Pt(9, -3), x, y));
    EXPECT_EQ(QPoint(x, y), QPoint(5, -1));
}

TEST(InkSegmentCrossing, OnlyTheNewSegmentsBoxBoundsTheIntersection)
{
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(0, 10), Pt(10, 0)));
    // The lines meet at (7, 7), beyond the end of the earlier segment.
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 3), Pt(6, 5)));
    EXPECT_FALSE(Cross(Pt(5, 3), Pt(6, 5), Pt(0, 0), Pt(10, 10)));
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(4, 4), Pt(3, 10), Pt(10, 3)));  // boxes overlap only
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(4, 4), Pt(5, 0), Pt(9, 4)));    // boxes apart
    // Vertical or horizontal against the other kinds.
    EXPECT_TRUE(Cross(Pt(5, 0), Pt(5, 10), Pt(0, 0), Pt(10, 10)));
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 0), Pt(5, 10)));
    EXPECT_TRUE(Cross(Pt(0, 5), Pt(10, 5), Pt(5, 0), Pt(5, 10)));
    EXPECT_FALSE(Cross(Pt(0, 5), Pt(4, 5), Pt(5, 0), Pt(5, 10)));
}

TEST(InkSegmentCrossing, SegmentsOnOneLine)
{
    // Vertical or horizontal: they cross unless the earlier lies strictly
    // inside the new one.
    EXPECT_TRUE(Cross(Pt(3, 0), Pt(3, 10), Pt(3, 5), Pt(3, 20)));
    EXPECT_TRUE(Cross(Pt(3, 4), Pt(3, 6), Pt(3, 0), Pt(3, 10)));
    EXPECT_FALSE(Cross(Pt(3, 0), Pt(3, 10), Pt(3, 4), Pt(3, 6)));
    EXPECT_FALSE(Cross(Pt(3, 0), Pt(3, 10), Pt(4, 0), Pt(4, 10)));
    EXPECT_TRUE(Cross(Pt(0, 3), Pt(10, 3), Pt(20, 3), Pt(5, 3)));
    EXPECT_FALSE(Cross(Pt(10, 3), Pt(0, 3), Pt(6, 3), Pt(4, 3)));
    // Sloped: no single common point, no crossing.
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 5), Pt(20, 20)));
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(10, 10), Pt(0, 1), Pt(10, 11)));
}

TEST(InkSegmentCrossing, NoIntersectionBeyondTheIntRange)
{
    // Nearly parallel: the lines meet near x = 4e9, which no int holds.
    int x = 0, y = 0;
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(2000000000, 2000000001), Pt(0, 2), Pt(1, 3)));
    EXPECT_FALSE(
        LineIntersection(Pt(0, 2), Pt(1, 3), Pt(0, 0), Pt(2000000000, 2000000001), x, y));
    EXPECT_FALSE(LineIntersection(Pt(1, 0), Pt(1, 5), Pt(1, 2), Pt(1, 9), x, y));
}

TEST(InkSegmentCrossing, ZeroLengthSegments)
{
    // A single point is vertical: the other line meets it at its x.
    EXPECT_TRUE(Cross(Pt(5, 5), Pt(5, 5), Pt(0, 0), Pt(10, 10)));
    EXPECT_FALSE(Cross(Pt(5, 6), Pt(5, 6), Pt(0, 0), Pt(10, 10)));
    EXPECT_TRUE(Cross(Pt(5, 5), Pt(5, 5), Pt(0, 5), Pt(10, 5)));
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 6), Pt(5, 6)));  // earlier boxes play no part
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(10, 10), Pt(11, 6), Pt(11, 6)));
}

// ---------------------------------------------------------------------------

std::unique_ptr<CInkPen> Stroke(std::initializer_list<std::pair<int, int>> xy)
{
    auto pen = std::make_unique<CMaobiPen>(6, kBlack);
    std::uint32_t t = 1000;
    for (const auto& [x, y] : xy) {
        pen->AddPoint(x, y, t += 50);
    }
    pen->FinishStroke();
    return pen;
}

TEST(InkSelfCrossing, StrokeWithoutCrossingsIsOnePiece)
{
    auto pen = Stroke({{0, 0}, {10, 2}, {20, 6}, {30, 12}, {40, 20}, {50, 30}, {55, 45},
                       {52, 60}, {45, 70}});
    EXPECT_EQ(pen->FindSelfCrossing(0, 9), 9);
    // A zigzag where each segment overlaps the one just before it: those
    // two are never tested against each other.
    auto zigzag = Stroke({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {30, 20}, {30, 30}});
    EXPECT_EQ(zigzag->FindSelfCrossing(0, 7), 7);
}

TEST(InkSelfCrossing, LoopSplitsBeforeTheFirstCrossingSegment)
{
    // Along y = 50, round, and down across it at (50, 50): the segment
    // ending at point 9 crosses the one from point 2 to 3.
    auto pen = Stroke({{0, 50}, {20, 50}, {40, 50}, {60, 50}, {80, 50}, {80, 30}, {60, 10},
                       {50, 10}, {50, 30}, {50, 70}, {50, 90}});
    EXPECT_EQ(pen->FindSelfCrossing(0, 11), 7);
    EXPECT_EQ(pen->FindSelfCrossing(5, 11), 11);  // the next piece, two points back
    EXPECT_EQ(pen->FindSelfCrossing(0, 9), 9);    // the crossing lies beyond the range
}

TEST(InkSelfCrossing, FewerThanSixPointsAreNeverSplit)
{
    auto five = Stroke({{0, 0}, {30, 0}, {30, 10}, {20, 10}, {20, -10}});
    EXPECT_EQ(five->FindSelfCrossing(0, 5), 5);
    auto six = Stroke({{0, 0}, {10, 0}, {30, 0}, {30, 10}, {20, 10}, {20, -10}});
    EXPECT_EQ(six->FindSelfCrossing(0, 6), 3);
}

// ---------------------------------------------------------------------------

COutline OutlineOf(std::initializer_list<std::initializer_list<std::pair<int, int>>> contours)
{
    COutline outline;
    for (const auto& c : contours) {
        CPointArray a;
        for (const auto& [x, y] : c) {
            a.Add(x, y, 1, 0);
        }
        outline.Append(std::move(a));
    }
    return outline;
}

TEST(InkOutlinePath, CurvesRunThroughEdgeMidpointsPulledTowardsTheVertices)
{
    const QPainterPath path =
        CInkPen::OutlinePath(OutlineOf({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{3, 3}}}));
    EXPECT_EQ(path.fillRule(), Qt::WindingFill);
    ASSERT_EQ(path.elementCount(), 13);  // the one-point contour is left out
    // The figure starts in the middle of the first edge; the first curve
    // rounds vertex 1 = (10, 0); vertex 0 comes last and closes the figure.
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(5, 0));
    EXPECT_EQ(QPointF(path.elementAt(1)), QPointF(7.5, 0));
    EXPECT_EQ(QPointF(path.elementAt(2)), QPointF(10, 2.5));
    EXPECT_EQ(QPointF(path.elementAt(3)), QPointF(10, 5));
    EXPECT_EQ(QPointF(path.elementAt(11)), QPointF(2.5, 0));
    EXPECT_EQ(QPointF(path.elementAt(12)), QPointF(5, 0));
    EXPECT_TRUE(path.contains(QPointF(5, 5)));
    EXPECT_FALSE(path.contains(QPointF(0.5, 0.5)));  // corners are cut
}

TEST(InkOutlinePath, TwoPointContourIsAClosedDegenerateFigure)
{
    const QPainterPath path = CInkPen::OutlinePath(OutlineOf({{{0, 0}, {8, 4}}}));
    ASSERT_EQ(path.elementCount(), 7);
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(4, 2));
    EXPECT_EQ(QPointF(path.elementAt(6)), QPointF(4, 2));
}

}  // namespace
