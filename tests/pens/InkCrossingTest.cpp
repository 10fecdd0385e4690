#include "InkTestSupport.h"

#include "pens/GangbiPen.h"
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

TEST(InkSegmentCrossing, SlopedSegmentsCrossAtTheirTruncatedIntersection)
{
    int x = 0, y = 0;
    ASSERT_TRUE(LineIntersection(Pt(0, 10), Pt(10, 0), Pt(0, 0), Pt(10, 10), x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(0, 10), Pt(10, 0)));

    // y = x/3 and y = 7 - x meet at (5.25, 1.75): x truncates to 5, and y is
    // taken at x = 5 on the flatter line (1.66 -> 1), not on the steeper (2).
    ASSERT_TRUE(LineIntersection(Pt(0, 7), Pt(7, 0), Pt(0, 0), Pt(9, 3), x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 1);
    ASSERT_TRUE(LineIntersection(Pt(0, 0), Pt(9, 3), Pt(0, 7), Pt(7, 0), x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 1);
}

TEST(InkSegmentCrossing, TruncationIsTowardZeroForNegativeCoordinates)
{
    // y = -x/3 and y = x - 7 meet at (5.25, -1.75): y at x = 5 on the flatter
    // line is -1.66, which truncates to -1 (flooring would give -2).
    int x = 0, y = 0;
    ASSERT_TRUE(LineIntersection(Pt(0, -7), Pt(7, 0), Pt(0, 0), Pt(9, -3), x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, -1);
}

TEST(InkSegmentCrossing, OnlyTheNewSegmentsBoxBoundsTheIntersection)
{
    // The lines meet at (7, 7), inside the new segment's box and beyond the
    // end of the earlier segment, whose box then plays no part.
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 3), Pt(6, 5)));
    // Swapped roles: (7, 7) is outside the box of the new (short) segment.
    EXPECT_FALSE(Cross(Pt(5, 3), Pt(6, 5), Pt(0, 0), Pt(10, 10)));
    // Boxes that overlap while the lines meet outside the new box.
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(4, 4), Pt(3, 10), Pt(10, 3)));
    // Boxes apart.
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(4, 4), Pt(5, 0), Pt(9, 4)));
}

TEST(InkSegmentCrossing, VerticalAndHorizontalAgainstOthers)
{
    EXPECT_TRUE(Cross(Pt(5, 0), Pt(5, 10), Pt(0, 0), Pt(10, 10)));   // vertical new
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 0), Pt(5, 10)));   // vertical earlier
    EXPECT_TRUE(Cross(Pt(0, 5), Pt(10, 5), Pt(5, 0), Pt(5, 10)));    // a plus sign
    EXPECT_FALSE(Cross(Pt(0, 5), Pt(4, 5), Pt(5, 0), Pt(5, 10)));    // short of it
    EXPECT_TRUE(Cross(Pt(4, 0), Pt(4, 8), Pt(0, 3), Pt(8, 5)));      // y 4 at x 4
}

TEST(InkSegmentCrossing, CollinearSegmentsCrossUnlessTheEarlierLiesInsideTheNew)
{
    EXPECT_TRUE(Cross(Pt(3, 0), Pt(3, 10), Pt(3, 5), Pt(3, 20)));    // overlapping
    EXPECT_TRUE(Cross(Pt(3, 0), Pt(3, 10), Pt(3, 10), Pt(3, 20)));   // touching ends
    EXPECT_TRUE(Cross(Pt(3, 4), Pt(3, 6), Pt(3, 0), Pt(3, 10)));     // new inside earlier
    EXPECT_FALSE(Cross(Pt(3, 0), Pt(3, 10), Pt(3, 4), Pt(3, 6)));    // earlier inside new
    EXPECT_FALSE(Cross(Pt(3, 0), Pt(3, 10), Pt(4, 0), Pt(4, 10)));   // side by side

    EXPECT_TRUE(Cross(Pt(0, 3), Pt(10, 3), Pt(20, 3), Pt(5, 3)));
    EXPECT_FALSE(Cross(Pt(10, 3), Pt(0, 3), Pt(6, 3), Pt(4, 3)));
    EXPECT_FALSE(Cross(Pt(0, 3), Pt(10, 3), Pt(0, 4), Pt(10, 4)));
}

TEST(InkSegmentCrossing, LinesWithoutOneFiniteCommonPointDoNotCross)
{
    int x = 0, y = 0;
    // Parallel, and on the same sloped line.
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(10, 10), Pt(0, 1), Pt(10, 11)));
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 5), Pt(20, 20)));
    EXPECT_FALSE(LineIntersection(Pt(5, 5), Pt(20, 20), Pt(0, 0), Pt(10, 10), x, y));
    // Two vertical lines asked directly.
    EXPECT_FALSE(LineIntersection(Pt(1, 0), Pt(1, 5), Pt(1, 2), Pt(1, 9), x, y));
    // Nearly parallel: the intersection lies beyond the int range.
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(2000000000, 2000000001), Pt(0, 2), Pt(1, 3)));
    EXPECT_FALSE(
        LineIntersection(Pt(0, 2), Pt(1, 3), Pt(0, 0), Pt(2000000000, 2000000001), x, y));
}

TEST(InkSegmentCrossing, ZeroLengthSegments)
{
    // A single point counts as vertical and as horizontal.
    EXPECT_TRUE(Cross(Pt(5, 5), Pt(5, 5), Pt(0, 0), Pt(10, 10)));   // on the line
    EXPECT_FALSE(Cross(Pt(5, 6), Pt(5, 6), Pt(0, 0), Pt(10, 10)));  // beside it
    EXPECT_TRUE(Cross(Pt(5, 5), Pt(5, 5), Pt(5, 0), Pt(5, 10)));
    EXPECT_TRUE(Cross(Pt(5, 5), Pt(5, 5), Pt(0, 5), Pt(10, 5)));
    // An earlier single point is a vertical line: the new line meets it at
    // its x, inside the new box, even when the point lies beside the line.
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 5), Pt(5, 5)));
    EXPECT_TRUE(Cross(Pt(0, 0), Pt(10, 10), Pt(5, 6), Pt(5, 6)));
    EXPECT_FALSE(Cross(Pt(0, 0), Pt(10, 10), Pt(11, 6), Pt(11, 6)));
}

// ---------------------------------------------------------------------------

template <typename Pen = CMaobiPen>
std::unique_ptr<CInkPen> Stroke(std::initializer_list<std::pair<int, int>> xy)
{
    auto pen = std::make_unique<Pen>(6, kBlack);
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
}

TEST(InkSelfCrossing, LoopSplitsBeforeTheFirstCrossingSegment)
{
    // Along y = 50, up and back, then down across the start at (50, 50):
    // the segment ending at point 9 crosses the one from point 2 to 3.
    auto pen = Stroke({{0, 50}, {20, 50}, {40, 50}, {60, 50}, {80, 50}, {80, 30}, {60, 10},
                       {50, 10}, {50, 30}, {50, 70}, {50, 90}});
    EXPECT_EQ(pen->FindSelfCrossing(0, 11), 7);
    // The next piece starts two points before that end and runs to the end.
    EXPECT_EQ(pen->FindSelfCrossing(5, 11), 11);
    // Asked for a shorter range, the crossing lies beyond it.
    EXPECT_EQ(pen->FindSelfCrossing(0, 9), 9);
}

TEST(InkSelfCrossing, TheTwoSegmentsJustBeforeAreNotTested)
{
    // A zigzag doubling back on itself: every segment overlaps the one just
    // before it, which is never tested, and the earlier ones lie apart.
    auto pen = Stroke({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {30, 20}, {30, 30},
                       {40, 30}});
    EXPECT_EQ(pen->FindSelfCrossing(0, 8), 8);
    // Going back over the segment three before does count.
    auto back = Stroke({{0, 0}, {10, 0}, {20, 0}, {30, 0}, {30, 10}, {25, 10}, {25, -5}});
    EXPECT_EQ(back->FindSelfCrossing(0, 7), 4);
}

TEST(InkSelfCrossing, FewerThanSixPointsAreNeverSplit)
{
    // The same crossing shape as above, cut to five and six points.
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
    const QPainterPath path = CInkPen::OutlinePath(OutlineOf({{{0, 0}, {10, 0}, {10, 10},
                                                                {0, 10}}}));
    EXPECT_EQ(path.fillRule(), Qt::WindingFill);
    ASSERT_GE(path.elementCount(), 13);
    // The figure starts at the middle of the first edge; the first curve
    // rounds vertex 1 = (10, 0) towards the middle of the second edge.
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(5, 0));
    EXPECT_EQ(QPointF(path.elementAt(1)), QPointF(7.5, 0));
    EXPECT_EQ(QPointF(path.elementAt(2)), QPointF(10, 2.5));
    EXPECT_EQ(QPointF(path.elementAt(3)), QPointF(10, 5));
    // Vertex 0 comes last and closes the figure at its start.
    EXPECT_EQ(QPointF(path.elementAt(11)), QPointF(2.5, 0));
    EXPECT_EQ(QPointF(path.elementAt(12)), QPointF(5, 0));
    // The square's corners are cut: its centre is inside, a corner is not.
    EXPECT_TRUE(path.contains(QPointF(5, 5)));
    EXPECT_FALSE(path.contains(QPointF(0.5, 0.5)));
}

TEST(InkOutlinePath, TwoPointContourIsAClosedDegenerateFigure)
{
    const QPainterPath path = CInkPen::OutlinePath(OutlineOf({{{0, 0}, {8, 4}}}));
    ASSERT_GE(path.elementCount(), 7);
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(4, 2));
    EXPECT_EQ(QPointF(path.elementAt(6)), QPointF(4, 2));
    EXPECT_EQ(path.toFillPolygons().size(), 1);
}

TEST(InkOutlinePath, ContoursOfFewerThanTwoPointsAreLeftOut)
{
    EXPECT_TRUE(CInkPen::OutlinePath(OutlineOf({{}, {{3, 3}}})).isEmpty());
}

TEST(InkOutlinePath, HoleOrientedAgainstTheBoundaryStaysEmpty)
{
    // Outer boundary one way round, the hole the other: winding fill.
    const QPainterPath path = CInkPen::OutlinePath(OutlineOf(
        {{{0, 0}, {0, 40}, {40, 40}, {40, 0}}, {{10, 10}, {30, 10}, {30, 30}, {10, 30}}}));
    EXPECT_TRUE(path.contains(QPointF(20, 4)));
    EXPECT_FALSE(path.contains(QPointF(20, 20)));
}

}  // namespace
