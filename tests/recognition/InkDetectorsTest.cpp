#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "StrokeFixtures.h"
#include "geometry/PointHelpers.h"
#include "recognition/StrokeAnalyzer.h"

namespace {

using Corners = std::vector<std::pair<double, double>>;
using Detector = bool (CStrokeAnalyzer::*)(const CPointArray&, int, int, CPointArray&) const;

double Deg(double k) { return k * 3.1415926 / 180; }

// Step angle and squared step length as a finished stroke stores them.
CPointArray Finished(CPointArray p)
{
    for (std::size_t i = 1; i < p.Points().size(); ++i) {
        p[i].length = DistanceSq(p[i - 1], p[i]);
        p[i].angle = Angle(p[i - 1], p[i]);
    }
    return p;
}

// A stroke through `corners`, ten points a leg: corner k is point 10 k.
CPointArray Drawn(const Corners& corners) { return Finished(fixtures::Path(corners, 10)); }

// A straight-down column of points whose step angles are set by hand.
CPointArray WithAngles(const std::vector<double>& degrees)
{
    CPointArray p;
    p.Add(0, 0, 1);
    for (std::size_t i = 0; i < degrees.size(); ++i) {
        p.Add(0, static_cast<int>(i) + 1, 1);
        p[i + 1].angle = Deg(degrees[i]);
    }
    return p;
}

void ExpectPoints(const CPointArray& out, const CPointArray& p, const std::vector<int>& at)
{
    ASSERT_EQ(out.GetCount(), static_cast<int>(at.size()));
    for (std::size_t k = 0; k < at.size(); ++k) {
        EXPECT_EQ(out[k].x, p[static_cast<std::size_t>(at[k])].x) << "point " << k;
        EXPECT_EQ(out[k].y, p[static_cast<std::size_t>(at[k])].y) << "point " << k;
    }
}

struct Form {
    const char* name;
    Detector match;
    Corners shape;
    std::vector<int> result;  // indices written on yes; empty for a no
};

const CStrokeAnalyzer kAnalyzer;

}  // namespace

TEST(InkDetectors, LineAndCornerAppendTheirPoints)
{
    const CPointArray line = Drawn({{0, 0}, {100, 5}});
    CPointArray out;
    out.AddCopy(line[5]);
    EXPECT_TRUE(kAnalyzer.MatchStraight(line, 0, line.GetCount(), out));
    ExpectPoints(out, line, {5, 0, 10});  // the earlier point stays

    // Right then down: the corner lies between the range's ends.
    const CPointArray bend = Drawn({{0, 0}, {80, 0}, {80, 80}});
    out.RemoveAll();
    EXPECT_FALSE(kAnalyzer.MatchStraight(bend, 0, 21, out));
    EXPECT_TRUE(kAnalyzer.MatchCorner(bend, 3, 21, out));
    ExpectPoints(out, bend, {3, 10, 20});
}

TEST(InkDetectors, CornerFallsBackOnTheLastPoint)
{
    const StrokePoint f{0, 0}, l{100, 0};
    auto pt = [](int x, int y) { return TimedPoint{x, y, 0.0}; };
    // V1 and V2 lie near the ends: V3.
    TimedPoint v = OpenTriangleVertex({pt(5, 0), pt(97, 0), pt(50, 40)}, f, l, l);
    EXPECT_EQ(v.x, 50);
    // V3 within 10 of the first point, or of the last: the last point.
    v = OpenTriangleVertex({pt(3, 0), pt(97, 0), pt(10, 0)}, f, l, l);
    EXPECT_EQ(v.x, 100);
    v = OpenTriangleVertex({pt(3, 0), pt(97, 0), pt(95, 0)}, f, l, l);
    EXPECT_EQ(v.x, 100);
}

TEST(InkDetectors, FallingCurves)
{
    CPointArray out;
    const Corners leftFall = {{60, 0}, {50, 30}, {20, 70}, {0, 80}};
    const CPointArray fall = Drawn(leftFall);
    EXPECT_TRUE(kAnalyzer.MatchFallCurve(fall, 0, fall.GetCount(), out));
    ExpectPoints(out, fall, {0, 30});
    EXPECT_FALSE(kAnalyzer.MatchPressCurve(fall, 0, fall.GetCount(), out));

    // Climbing back 25 above the lowest point ends it, however well the
    // rest of the stroke falls.
    Corners climbing = leftFall;
    climbing.emplace_back(-10, 55);
    const CPointArray climb = Drawn(climbing);
    EXPECT_FALSE(kAnalyzer.MatchFallCurve(climb, 0, climb.GetCount(), out));

    const CPointArray press = Drawn({{0, 0}, {30, 30}, {80, 60}, {110, 65}});
    out.RemoveAll();
    EXPECT_TRUE(kAnalyzer.MatchPressCurve(press, 0, press.GetCount(), out));
    ExpectPoints(out, press, {0, 30});
}

TEST(InkDetectors, CompoundFormsAndNearMisses)
{
    using A = CStrokeAnalyzer;
    const std::vector<Form> forms = {
        {"turn fall", &A::MatchTurnFall, {{0, 10}, {80, 0}, {20, 80}}, {0, 10, 20}},
        {"turn, then down-right", &A::MatchTurnFall, {{0, 10}, {80, 0}, {120, 80}}, {}},
        {"slant hook", &A::MatchSlantHook, {{0, 0}, {60, 80}, {60, 50}}, {0, 10, 20}},
        {"slant hook leaning left", &A::MatchSlantHook, {{60, 0}, {0, 80}, {0, 50}}, {}},
        {"bent hook", &A::MatchBentHook, {{0, 0}, {20, 30}, {20, 100}, {0, 85}}, {0, 20, 30}},
        {"bent hook, no vertical", &A::MatchBentHook, {{0, 0}, {60, 30}, {120, 60}, {100, 45}}, {}},
        {"bend hook", &A::MatchBendHook, {{0, 0}, {0, 80}, {80, 80}, {80, 50}}, {0, 10, 20, 30}},
        {"bend hook, slanted start", &A::MatchBendHook, {{50, 0}, {0, 80}, {80, 80}, {80, 50}}, {}},
        {"wide bend hook",
         &A::MatchBendHookWide,
         {{50, 0}, {0, 80}, {80, 80}, {80, 50}},
         {0, 10, 20, 30}},
        {"wide bend hook, no hook", &A::MatchBendHookWide, {{50, 0}, {0, 80}, {80, 80}}, {}},
        {"turn hook", &A::MatchTurnHook, {{0, 0}, {80, 0}, {80, 80}, {60, 70}}, {0, 10, 20, 30}},
        {"turn hook to the right", &A::MatchTurnHook, {{0, 0}, {80, 0}, {80, 80}, {95, 65}}, {}},
        {"turn turn", &A::MatchTurnTurn, {{0, 0}, {80, 0}, {90, 50}, {60, 80}}, {0, 10, 20, 30}},
        {"turn turn, lowest point early",
         &A::MatchTurnTurn,
         {{0, 0}, {80, 0}, {80, 80}, {60, 70}},
         {}},
        // The lead-in ends on the first third's last point, short of the corner.
        {"zigzag", &A::MatchZigzag, {{0, 0}, {80, 0}, {20, 80}, {100, 80}}, {0, 9, 20, 30}},
        {"zigzag ending upwards", &A::MatchZigzag, {{0, 0}, {80, 0}, {20, 80}, {60, 20}}, {}},
        {"step bend hook",
         &A::MatchStepBendHook,
         {{0, 0}, {40, 0}, {40, 60}, {100, 60}, {100, 40}},
         {0, 10, 20, 30, 40}},
        {"step bend hook, steep start",
         &A::MatchStepBendHook,
         {{0, 60}, {40, 0}, {40, 60}, {100, 60}, {100, 40}},
         {}},
        {"corner rise",
         &A::MatchCornerRise,
         {{0, 0}, {60, 0}, {60, 80}, {90, 50}},
         {0, 10, 20, 30}},
        {"corner, flat rise", &A::MatchCornerRise, {{0, 0}, {60, 0}, {60, 80}, {120, 70}}, {}},
        {"down turn hook",
         &A::MatchDownTurnHook,
         {{0, 0}, {0, 40}, {60, 40}, {60, 100}, {45, 90}},
         {0, 10, 20, 30, 40}},
        {"down turn hook, flat start",
         &A::MatchDownTurnHook,
         {{0, 0}, {40, 30}, {100, 30}, {100, 90}, {85, 80}},
         {}},
        {"left corner",
         &A::MatchLeftCorner,
         {{20, 0}, {0, 10}, {10, 80}, {80, 30}},
         {0, 10, 20, 30}},
        {"left corner going down",
         &A::MatchLeftCorner,
         {{20, 0}, {0, 10}, {10, 80}, {80, 120}},
         {}},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        const CPointArray p = Drawn(form.shape);
        CPointArray out;
        out.Add(-1, -1);  // cleared on yes
        const bool yes = (kAnalyzer.*form.match)(p, 0, p.GetCount(), out);
        EXPECT_EQ(yes, !form.result.empty());
        if (yes) {
            ExpectPoints(out, p, form.result);
        }
    }
}

TEST(InkRuns, BandEdgesCountInNeitherBand)
{
    // Two strong steps, seven on the edge between strong and weak: only a
    // neighbour on either side brings the share above 0.7 of ten points.
    for (const double edge : {254.0, 255.0, 256.0}) {
        std::vector<double> angles = {230, 230};
        angles.resize(9, edge);
        EXPECT_EQ(kAnalyzer.RunMostlyLeftFall(WithAngles(angles), 0, 10), edge != 255.0) << edge;
    }
}

TEST(InkRuns, CompareWithThePointCount)
{
    // One downward step over two points is not more than half of them.
    const CPointArray down = WithAngles({270, 270});
    EXPECT_FALSE(kAnalyzer.RunMostlyDown(down, 0, 2));
    EXPECT_TRUE(kAnalyzer.RunMostlyDown(down, 0, 3));
    // The angle of the range's first point is not read.
    EXPECT_FALSE(kAnalyzer.RunMostlyDown(WithAngles({270, 270, 0}), 1, 4));
}

TEST(InkDetectors, EmptyAndOnePointRangesAnswerNo)
{
    using A = CStrokeAnalyzer;
    const CPointArray p = Drawn({{0, 0}, {80, 0}, {80, 80}, {60, 70}});
    const int n = p.GetCount();
    const Detector all[] = {
        &A::MatchStraight,     &A::MatchCorner,     &A::MatchFallCurve,    &A::MatchPressCurve,
        &A::MatchTurnFall,     &A::MatchSlantHook,  &A::MatchBentHook,     &A::MatchBendHook,
        &A::MatchBendHookWide, &A::MatchTurnHook,   &A::MatchTurnTurn,     &A::MatchZigzag,
        &A::MatchStepBendHook, &A::MatchCornerRise, &A::MatchDownTurnHook, &A::MatchLeftCorner};
    const std::pair<int, int> ranges[] = {{0, 0}, {n, n}, {n - 1, n}, {5, 6}, {6, 2}, {0, n + 1}};
    for (const Detector match : all) {
        for (const auto& [s, e] : ranges) {
            CPointArray out;
            EXPECT_FALSE((kAnalyzer.*match)(p, s, e, out)) << s << ", " << e;
        }
    }
    for (const auto& [s, e] : ranges) {
        EXPECT_FALSE(kAnalyzer.RunMostlyDown(p, s, e)) << s << ", " << e;
        EXPECT_FALSE(kAnalyzer.RunVerticalThenRightWide(p, s, s, e)) << s << ", " << e;
    }
}
