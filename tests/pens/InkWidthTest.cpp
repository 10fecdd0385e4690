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
}

TEST(InkWidths, FastStrokeThinsOverFourPointsDownToTwo)
{
    // 1 ms per 100 px gives factor 0.005; the opening samples of 1.0 drop
    // out of the mean one point at a time: 12 * 3.005/4 = 9.015,
    // 12 * 2.01/4 = 6.03, 12 * 1.015/4 = 3.045, then 0.06, raised to 2.
    CGangbiPen pen(12, kBlack);
    AddLine(pen, 0, 0, 7, 100, 5000, 1);
    pen.FinishStroke();
    EXPECT_EQ(Widths(pen), (std::vector<int>{12, 9, 6, 3, 2, 2, 2}));
}

TEST(InkWidths, MeanOfTheLastFourFactorsIsSummedOldestFirst)
{
    // Factors 1, 1, 1/66 and 7/22: summed oldest first, 12 times the mean
    // is a hair above 7; summed newest first it is a hair below.
    CMaobiPen pen(12, kBlack);
    AddPoints(pen, {{0, 0, 1000}, {33, 0, 1001}, {44, 0, 1008}});
    pen.FinishStroke();
    EXPECT_EQ(Widths(pen), (std::vector<int>{12, 9, 7}));
}

TEST(InkWidths, WrappedTickCountGivesTheSameWidthsAsUnwrapped)
{
    // Fast, then slow across the wrap: the slow moves must read as 40 ms.
    const auto widths = [](std::uint32_t t0) {
        CGangbiPen pen(12, kBlack);
        AddPoints(pen, {{0, 0, t0}, {100, 0, t0 + 1}, {110, 0, t0 + 41}, {120, 0, t0 + 81}});
        pen.FinishStroke();
        return Widths(pen);
    };
    EXPECT_EQ(widths(1000), (std::vector<int>{12, 9, 9, 9}));
    EXPECT_EQ(widths(0xFFFFFFF0u), widths(1000));  // wraps between the 2nd and 3rd point
    EXPECT_EQ(widths(0x7FFFFFF0u), widths(1000));  // crosses the sign bit there
}

TEST(InkWidths, SecondFinishStrokeKeepsTheWidthsButRedoesTheStatistics)
{
    CMaobiPen pen(10, kBlack);
    AddLine(pen, 0, 0, 5, 100, 5000, 1);
    pen.FinishStroke();
    EXPECT_TRUE(pen.IsFinished());
    std::vector<int> expected = Widths(pen);

    // Widths written afterwards (as the ink shaper does) survive.
    pen.GetPoints()[2].time = 7;
    expected[2] = 7;
    pen.GetPoints()[4].x = 500;
    pen.FinishStroke();
    EXPECT_EQ(Widths(pen), expected);
    EXPECT_EQ(pen.GetPoints()[4].length, 200.0 * 200.0);
    EXPECT_EQ(pen.GetTotalLength(), 3 * 100.0 * 100.0 + 200.0 * 200.0);
}

}  // namespace
