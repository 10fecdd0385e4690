#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "StrokeFixtures.h"
#include "geometry/PointHelpers.h"
#include "recognition/InkStrokeShaper.h"

namespace {

// A finished ink stroke as the pen leaves it: step angles and squared
// lengths from the previous point, and every width at the nominal width.
struct InkStroke {
    CPointArray points;
    InkStrokeBounds bounds;
    int width = 10;
};

InkStroke Finished(CPointArray points, int width = 10)
{
    InkStroke s;
    s.width = width;
    s.bounds = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 0; i < points.GetCount(); ++i) {
        StrokePoint& q = points[static_cast<std::size_t>(i)];
        q.time = static_cast<std::uint32_t>(width);
        if (i > 0) {
            const StrokePoint& p = points[static_cast<std::size_t>(i - 1)];
            q.length = DistanceSq(p, q);
            q.angle = Angle(p, q);
        }
        s.bounds.minX = std::min(s.bounds.minX, q.x);
        s.bounds.minY = std::min(s.bounds.minY, q.y);
        s.bounds.maxX = std::max(s.bounds.maxX, q.x);
        s.bounds.maxY = std::max(s.bounds.maxY, q.y);
    }
    s.points = std::move(points);
    return s;
}

// A straight stroke of `length` pixels from (300, 300) in the direction
// `degrees` (counter-clockwise from +x, y up the screen), a point every 4 px.
InkStroke Straight(double degrees, double length = 120)
{
    const double a = degrees * fixtures::kPi / 180;
    return Finished(fixtures::Path(
        {{300, 300}, {300 + length * std::cos(a), 300 - length * std::sin(a)}},
        static_cast<int>(length / 4)));
}

struct Outcome {
    InkShapeResult result;
    std::vector<int> widths;
    int commits = 0;
    int finished = 0;
};

Outcome Shape(InkStroke stroke, int tool = 9)
{
    Outcome o;
    CInkStrokeShaper::Stroke in{&stroke.points, stroke.width, stroke.bounds, tool};
    CInkStrokeShaper shaper(in, {[&o] { ++o.finished; }, [&o] { ++o.commits; }});
    o.result = shaper.ShapeInkStroke();
    for (const StrokePoint& p : stroke.points) {
        o.widths.push_back(static_cast<int>(p.time));
    }
    return o;
}

// A shaper over points whose squared lengths are given directly.
struct ProfileBench {
    explicit ProfileBench(const std::vector<double>& lengths)
    {
        for (const double l : lengths) {
            points.Add(0, 0, 1);
            points[static_cast<std::size_t>(points.GetCount() - 1)].length = l;
        }
    }
    std::vector<int> Widths() const
    {
        std::vector<int> w;
        for (const StrokePoint& p : points) {
            w.push_back(static_cast<int>(p.time));
        }
        return w;
    }
    CPointArray points;
    CInkStrokeShaper shaper{{&points, 10, {}, 9}, {}};
};

}  // namespace

TEST(InkWidthProfileTest, LinearTaperFromTheRisingStrokeExample)
{
    ProfileBench bench(std::vector<double>(11, 4.0));
    EXPECT_DOUBLE_EQ(bench.shaper.SumLengths(0, 11), 40.0);
    bench.shaper.LinearWidths(0, 11, 10, 10 / 4);
    EXPECT_EQ(bench.Widths(), (std::vector<int>{10, 9, 8, 7, 6, 6, 5, 4, 3, 2, 2}));
}

TEST(InkWidthProfileTest, PeakKeepsItsMiddleAtLeastTwoAndMeetsBothEnds)
{
    ProfileBench bench(std::vector<double>(21, 1.0));
    // Half of 2 is 1, but the middle never aims below 2.
    bench.shaper.PeakWidths(0, 21, 2, 1, 2, 0.5);
    for (const int w : bench.Widths()) {
        EXPECT_EQ(w, 2);
    }
    bench.shaper.TaperWidths(0, 21, 20, 20);
    const std::vector<int> w = bench.Widths();
    EXPECT_EQ(w.front(), 20);
    EXPECT_EQ(w.back(), 20);
    // Thinnest at the golden section (pos 12.36 of 20): 10 there.
    EXPECT_EQ(*std::min_element(w.begin(), w.end()), 10);
    EXPECT_LT(w[12], w[5]);
    EXPECT_LT(w[12], w[18]);
}

TEST(InkWidthProfileTest, RepeatedPointsGetFiniteWidths)
{
    ProfileBench bench({0, 0, 0, 0});
    bench.shaper.LinearWidths(0, 4, 12, 2);
    EXPECT_EQ(bench.Widths(), (std::vector<int>{12, 12, 12, 12}));
    bench.shaper.PeakWidths(0, 4, 12, 6, 2, 0.5);
    EXPECT_EQ(bench.Widths().front(), 12);
}

TEST(InkWidthProfileTest, NearestPointTakesTheEarliestOnTies)
{
    CPointArray points;
    for (const auto& [x, y] : {std::pair{0, 0}, {10, 0}, {20, 0}, {10, 0}}) {
        points.Add(x, y, 1);
    }
    const CInkStrokeShaper shaper({&points, 10, {}, 9}, {});
    EXPECT_EQ(shaper.NearestPointIndex(14, 3), 1);  // off the stroke, nearest 1 and 3
    EXPECT_EQ(shaper.NearestPointIndex(15, 0), 1);  // equidistant to 1 and 2
    EXPECT_EQ(shaper.NearestPointIndex(100, 0), 2);
}

TEST(InkStrokeShaperTest, SmallStrokesAreDotsAndKeepTheirWidths)
{
    const Outcome dot = Shape(Finished(fixtures::Path({{100, 100}, {125, 125}}, 6)));
    EXPECT_EQ(dot.result.label, "点");
    EXPECT_TRUE(dot.result.corners.empty());
    EXPECT_EQ(dot.widths, std::vector<int>(dot.widths.size(), 10));
    EXPECT_EQ(dot.commits, 1);
    EXPECT_EQ(dot.finished, 1);

    for (const auto& end : {std::pair{126.0, 110.0}, std::pair{110.0, 126.0}}) {
        const Outcome o = Shape(Finished(fixtures::Path({{100, 100}, end}, 6)));
        EXPECT_NE(o.result.label, "点");
        EXPECT_EQ(o.commits, 1);
    }
}

TEST(InkStrokeShaperTest, StraightStrokesByDirection)
{
    const std::vector<std::pair<double, std::string>> cases = {
        {0, "横"}, {350, "横"}, {45, "提"}, {260, "竖"}, {270, "竖"},
        {250, "撇"}, {200, "撇"}, {290, "捺2"}, {320, "捺2"}};
    for (const auto& [degrees, label] : cases) {
        const Outcome o = Shape(Straight(degrees));
        EXPECT_EQ(o.result.label, label) << degrees;
        EXPECT_EQ(o.commits, 1) << degrees;
        EXPECT_EQ(o.finished, 1) << degrees;
    }
    // Leftwards or upwards fits no straight class; the detectors find none
    // either, so the stroke keeps the widths it was drawn with.
    for (const double degrees : {180.0, 90.0, 135.0}) {
        const Outcome o = Shape(Straight(degrees));
        EXPECT_FALSE(o.result.IsClassified()) << degrees << " " << o.result.label;
        EXPECT_EQ(o.widths, std::vector<int>(o.widths.size(), 10)) << degrees;
        EXPECT_EQ(o.commits, 1) << degrees;
        EXPECT_EQ(o.finished, 0) << degrees;
    }
}

TEST(InkStrokeShaperTest, StraightProfiles)
{
    const Outcome rising = Shape(Straight(45));
    EXPECT_EQ(rising.widths.front(), 10);
    EXPECT_EQ(rising.widths.back(), 2);  // w / 4
    EXPECT_TRUE(std::is_sorted(rising.widths.rbegin(), rising.widths.rend()));

    const Outcome vertical = Shape(Straight(270));
    EXPECT_EQ(vertical.widths.front(), 13);  // 1.3 w
    EXPECT_EQ(vertical.widths.back(), 12);   // 1.2 w

    // The writing brush presses harder into a falling stroke than the
    // fountain pen.
    EXPECT_EQ(Shape(Straight(300), 9).widths.front(), 10);
    EXPECT_EQ(Shape(Straight(300), 10).widths.front(), 10);
    EXPECT_EQ(Shape(Straight(300), 7).widths.front(), 15);
    EXPECT_EQ(Shape(Straight(300), 8).widths.front(), 15);
}

TEST(InkStrokeShaperTest, OneCornerStrokes)
{
    // Right, then down: a horizontal turning down, widths restarting at the
    // corner.
    const Outcome turn = Shape(Finished(fixtures::Path({{100, 100}, {300, 100}, {300, 300}}, 40)));
    EXPECT_EQ(turn.result.label, "横折");
    ASSERT_EQ(turn.result.corners.size(), 1u);
    const int k = turn.result.corners[0];
    EXPECT_NEAR(k, 40, 2);
    EXPECT_EQ(turn.widths[static_cast<std::size_t>(k)], 10);
    EXPECT_EQ(turn.widths[static_cast<std::size_t>(k) - 1], 5);  // w / 2 at the end of leg one
    EXPECT_EQ(turn.widths.back(), 10);

    // Down, then a hook up to the left.
    const Outcome hook = Shape(Finished(fixtures::Path({{200, 100}, {200, 300}, {170, 280}}, 40)));
    EXPECT_EQ(hook.result.label, "竖钩");
    ASSERT_EQ(hook.result.corners.size(), 1u);
    EXPECT_EQ(hook.widths.front(), 12);
    EXPECT_EQ(hook.widths.back(), 2);

    // Down to the right, then flat: a falling stroke with a corner, which
    // the writing brush starts much wider than the fountain pen.
    const InkStroke fall = Finished(fixtures::Path({{100, 100}, {160, 204}, {280, 204}}, 40));
    const Outcome pen = Shape(fall, 9);
    const Outcome brush = Shape(fall, 7);
    EXPECT_EQ(pen.result.label, "捺");
    EXPECT_EQ(brush.result.label, "捺");
    EXPECT_EQ(pen.widths.front(), 10);
    EXPECT_EQ(brush.widths.front(), 18);  // 1.8 w below 270..330 degrees
    EXPECT_EQ(brush.widths.back(), 2);
}

TEST(InkStrokeShaperTest, CommitsExactlyOnceWhateverTheClass)
{
    const std::vector<std::vector<std::pair<double, double>>> paths = {
        {{100, 100}, {300, 100}},               // straight
        {{100, 100}, {300, 100}, {300, 300}},   // one corner
        {{100, 100}, {300, 100}, {100, 300}, {300, 300}},  // zigzag
        {{200, 200}, {260, 140}, {320, 200}, {260, 260}, {200, 200}},  // closed loop
    };
    for (const auto& path : paths) {
        const Outcome o = Shape(Finished(fixtures::Path(path, 30)));
        EXPECT_EQ(o.commits, 1) << o.result.label;
        EXPECT_EQ(o.finished, o.result.IsClassified() ? 1 : 0) << o.result.label;
        for (const int w : o.widths) {
            EXPECT_GE(w, 0);
            EXPECT_LE(w, 18);
        }
    }
}

TEST(InkStrokeShaperTest, ClassNameIsTheLabelBeforeItsCorners)
{
    EXPECT_EQ((InkShapeResult{"与 : 3, 9, 14", {3, 9, 14}}).ClassName(), "与");
    EXPECT_EQ((InkShapeResult{"横折", {40}}).ClassName(), "横折");
}
