#include "tracing/ContourSimplify.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
using Points = std::vector<TracePoint>;
constexpr double kPi = std::numbers::pi;
}  // namespace

TEST(ContourDirection, RunsFromZeroToTwoPiWithYDown)
{
    EXPECT_EQ(ContourDirection(0.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(ContourDirection(5.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(ContourDirection(0.0, 3.0), kPi / 2.0);
    EXPECT_DOUBLE_EQ(ContourDirection(-2.0, 0.0), kPi);
    EXPECT_DOUBLE_EQ(ContourDirection(0.0, -7.0), 3.0 * kPi / 2.0);
    EXPECT_DOUBLE_EQ(ContourDirection(-1.0, -1.0), 5.0 * kPi / 4.0);
    // Just below the positive x axis the direction is just below 2*pi.
    const double nearlyFull = ContourDirection(100.0, -1.0);
    EXPECT_LT(nearlyFull, 2.0 * kPi);
    EXPECT_GT(nearlyFull, 2.0 * kPi - 0.02);
}

TEST(SimplifyContour, ShortListsComeBackUnchanged)
{
    // Seven nearly collinear vertices: fewer than eight are never thinned.
    const Points seven{{0, 0}, {10, 0}, {20, 0}, {30, 1}, {40, 0}, {50, 0}, {60, 0}};
    EXPECT_EQ(SimplifyContour(seven, 1.4143), seven);
    EXPECT_TRUE(SimplifyContour({}, 1.4143).empty());
}

TEST(SimplifyContour, KeepsAVertexAtOrBeyondTheTolerance)
{
    const Points bump{{0, 0}, {10, 0}, {20, 0}, {30, 2}, {40, 0}, {50, 0}, {60, 0}, {70, 0}};
    // The bump lies exactly 2 from the line (0,0)-(40,0): kept at tolerance 2.
    EXPECT_EQ(SimplifyContour(bump, 2.0), (Points{{0, 0}, {30, 2}, {70, 0}}));
    EXPECT_EQ(SimplifyContour(bump, 2.0001), (Points{{0, 0}, {70, 0}}));
}

TEST(SimplifyContour, SharpTurnKeepsAVertexWhateverTheTolerance)
{
    const Points hairpin{{0, 0},  {10, 0}, {20, 0}, {30, 0},
                         {40, 0}, {30, 2}, {10, 2}, {-10, 2}};
    EXPECT_EQ(SimplifyContour(hairpin, 100.0), (Points{{0, 0}, {10, 2}, {-10, 2}}));
}

TEST(SimplifyContour, DirectionsDoNotWrapAroundTwoPi)
{
    // Mirror images of one gentle kink. Heading just above the x axis the
    // direction goes from about 0.1 to 0 and the kink is thinned away; just
    // below it the direction jumps from nearly 2*pi to 0 and counts as a
    // sharp turn, so the kink stays.
    const Points below{{0, 0}, {10, 1}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}, {70, 0}};
    const Points above{{0, 0}, {10, -1}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}, {70, 0}};
    EXPECT_EQ(SimplifyContour(below, 1.4143), (Points{{0, 0}, {70, 0}}));
    EXPECT_EQ(SimplifyContour(above, 1.4143), (Points{{0, 0}, {10, -1}, {70, 0}}));
}

TEST(SimplifyContour, ZeroToleranceKeepsEveryCorner)
{
    const Points square{{4, 4}, {4, 0}, {2, 0}, {0, 0}, {0, 2}, {0, 4}, {2, 4}, {3, 4}, {4, 4}};
    const Points kept = SimplifyContour(square, 0.0);
    // Every vertex survives (the first is listed once more: the run from it
    // is cut at once).
    ASSERT_EQ(kept.size(), square.size() + 1);
    EXPECT_EQ(Points(kept.begin() + 1, kept.end()), square);
}
