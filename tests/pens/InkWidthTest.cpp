#include "InkTestSupport.h"

#include "pens/GangbiPen.h"
#include "pens/MaobiPen.h"

#include <gtest/gtest.h>

#include <vector>

using namespace inktest;

namespace {

std::vector<int> Widths(const CInkPen& pen)
{
    std::vector<int> w;
    for (int i = 0; i < pen.GetPoints().GetCount(); ++i) {
        w.push_back(pen.GetPointWidth(i));
    }
    return w;
}

TEST(InkWidths, SlowStrokeKeepsTheFullWidthEverywhere)
{
    CMaobiPen pen(12, kBlack);
    AddLine(pen, 10, 10, 8, 10, 5000, 20);  // 2 ms per pixel
    pen.FinishStroke();
    EXPECT_EQ(Widths(pen), std::vector<int>(8, 12));
    EXPECT_TRUE(pen.IsFinished());
}

TEST(InkWidths, FastStrokeThinsOverFourPointsDownToTwo)
{
    // 1 ms per 100 px gives factor 0.005; the opening samples of 1.0 drop
    // out of the mean one point at a time.
    CGangbiPen pen(12, kBlack);
    AddLine(pen, 0, 0, 7, 100, 5000, 1);
    pen.FinishStroke();
    // 12 * 3.005/4 = 9.015, 12 * 2.01/4 = 6.03, 12 * 1.015/4 = 3.045, then 0.06.
    EXPECT_EQ(Widths(pen), (std::vector<int>{12, 9, 6, 3, 2, 2, 2}));
}

TEST(InkWidths, NeverBelowTwoAndTheFirstPointHasThePenWidth)
{
    CGangbiPen pen(16, kBlack);
    AddPoints(pen, {{0, 0, 100}, {1000, 0, 100}, {2000, 0, 101}, {3000, 0, 102}, {4000, 0, 103},
                    {5000, 0, 104}});
    pen.FinishStroke();
    const std::vector<int> w = Widths(pen);
    EXPECT_EQ(w.front(), 16);
    EXPECT_EQ(w.back(), 2);
    for (int width : w) {
        EXPECT_GE(width, 2);
    }
}

TEST(InkWidths, SameTickMovesKeepThePreviousFactor)
{
    CMaobiPen pen(12, kBlack);
    // A slow move, then two moves reported within the same tick: they keep
    // factor 1.0 instead of counting as infinitely fast.
    AddPoints(pen, {{0, 0, 100}, {10, 0, 140}, {200, 0, 140}, {400, 0, 140}});
    pen.FinishStroke();
    EXPECT_EQ(Widths(pen), (std::vector<int>{12, 12, 12, 12}));
}

TEST(InkWidths, MeanOfTheLastFourFactorsIsSummedOldestFirst)
{
    // Factors 1/66 and 7/22: summed oldest first, 12 * 0.5833...34 = 7.0000...1;
    // summed newest first the mean is a bit lower and the width would be 6.
    CMaobiPen pen(12, kBlack);
    AddPoints(pen, {{0, 0, 1000}, {33, 0, 1001}, {44, 0, 1008}});
    pen.FinishStroke();
    EXPECT_EQ(Widths(pen), (std::vector<int>{12, 9, 7}));
}

TEST(InkWidths, WrappedTickCountGivesTheSameWidthsAsUnwrapped)
{
    // Fast, then slow across the wrap: the slow move must read as 40 ms.
    const auto stroke = [](std::uint32_t t0) {
        auto pen = std::make_unique<CGangbiPen>(12, kBlack);
        AddPoints(*pen, {{0, 0, t0}, {100, 0, t0 + 1}, {110, 0, t0 + 41}, {120, 0, t0 + 81}});
        pen->FinishStroke();
        return Widths(*pen);
    };
    const std::vector<int> plain = stroke(1000);
    EXPECT_EQ(plain, (std::vector<int>{12, 9, 9, 9}));
    EXPECT_EQ(stroke(0xFFFFFFF0u), plain);  // wraps between the 2nd and 3rd point
    EXPECT_EQ(stroke(0x7FFFFFF0u), plain);  // crosses the sign bit there
}

TEST(InkWidths, SecondFinishStrokeKeepsTheWidths)
{
    CMaobiPen pen(10, kBlack);
    AddLine(pen, 0, 0, 5, 100, 5000, 1);
    pen.FinishStroke();
    const std::vector<int> first = Widths(pen);

    // Widths written afterwards (as the ink shaper does) survive, while the
    // statistics follow the points.
    pen.GetPoints()[2].time = 7;
    pen.GetPoints()[4].x = 500;
    pen.FinishStroke();
    std::vector<int> expected = first;
    expected[2] = 7;
    EXPECT_EQ(Widths(pen), expected);
    EXPECT_EQ(pen.GetPoints()[4].length, 200.0 * 200.0);
    EXPECT_EQ(pen.GetBounds().right, 500);
}

TEST(InkWidths, FinishStrokeComputesTheStatistics)
{
    CGangbiPen pen(6, kBlack);
    AddPoints(pen, {{0, 0, 10}, {3, 4, 20}, {3, 10, 30}});
    pen.FinishStroke();
    EXPECT_EQ(pen.GetPoints()[1].length, 25.0);
    EXPECT_EQ(pen.GetPoints()[2].length, 36.0);
    EXPECT_EQ(pen.GetTotalLength(), 61.0);
}

TEST(InkWidths, EmptyStrokeFinishesWithoutPoints)
{
    CMaobiPen pen(8, kBlack);
    pen.FinishStroke();
    EXPECT_TRUE(pen.IsFinished());
    EXPECT_EQ(pen.GetPoints().GetCount(), 0);
}

}  // namespace
