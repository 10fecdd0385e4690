#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestPoints.h"
#include "geometry/Features.h"
#include "geometry/FuzzyRule.h"
#include "geometry/FuzzySet.h"
#include "geometry/Shape.h"
#include "geometry/StrokeGroup.h"

namespace {
constexpr double kOpen = CFuzzySet::kOpen;
}

TEST(FuzzySetShape, OpenUpperEnd)
{
    const CFuzzySet set(0.83, 0.93, kOpen, kOpen);
    EXPECT_EQ(set.Degree(0.8), 0.0);
    EXPECT_NEAR(set.Degree(0.88), 0.5, 1e-12);
    EXPECT_EQ(set.Degree(0.93), 1.0);
    EXPECT_EQ(set.Degree(50), 1.0);
    EXPECT_EQ(set.RightWidth(), 0.0);
}

TEST(FuzzySetShape, VerticalSides)
{
    const CFuzzySet set(0, 0, 1, 1);
    EXPECT_EQ(set.Degree(0), 1.0);
    EXPECT_EQ(set.Degree(1), 1.0);
    EXPECT_EQ(set.Degree(2), 0.0);
    EXPECT_EQ(set.Degree(-0.5), 0.0);
    EXPECT_EQ(set.Degree(1.0000001), 0.0);

    const CFuzzySet exactZero(0, 0, 0, 0);
    EXPECT_EQ(exactZero.Degree(0), 1.0);
    EXPECT_EQ(exactZero.Degree(1), 0.0);
    EXPECT_EQ(exactZero.Degree(-1e-300), 0.0);
}

TEST(FuzzySetShape, Trapezoid)
{
    const CFuzzySet set(0.2, 0.3, 0.83, 0.93);
    EXPECT_NEAR(set.Degree(0.25), 0.5, 1e-12);
    EXPECT_EQ(set.Degree(0.5), 1.0);
    EXPECT_NEAR(set.Degree(0.88), 0.5, 1e-12);
    EXPECT_NEAR(set.Degree(0.93), 0.0, 1e-12);
    EXPECT_EQ(set.Degree(0.94), 0.0);
    EXPECT_EQ(set.Degree(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(FuzzySetShape, InvalidValuesAreRefused)
{
    CFuzzySet set(1, 2, 3, 4);
    EXPECT_FALSE(CFuzzySet::IsValid(3, 2, 0, 0));
    EXPECT_FALSE(CFuzzySet::IsValid(1, 2, -1, 0));
    EXPECT_TRUE(CFuzzySet::IsValid(1, 1, 0, 0));
    set.Set(3, 2, 1, 1);
    EXPECT_EQ(set.CoreStart(), 2.0);
    EXPECT_EQ(set.CoreEnd(), 3.0);
    EXPECT_EQ(set.LeftWidth(), 1.0);
    EXPECT_EQ(set.RightWidth(), 1.0);
}

namespace {
int g_calls[3];
double g_values[3];
double Feature0(CStrokeGroup&)
{
    ++g_calls[0];
    return g_values[0];
}
double Feature1(CStrokeGroup&)
{
    ++g_calls[1];
    return g_values[1];
}
double Feature2(CStrokeGroup&)
{
    ++g_calls[2];
    return g_values[2];
}
void ResetFeatures(double v0, double v1, double v2)
{
    g_calls[0] = g_calls[1] = g_calls[2] = 0;
    g_values[0] = v0;
    g_values[1] = v1;
    g_values[2] = v2;
}
}  // namespace

TEST(FuzzyRuleDegree, MinimumOverConditions)
{
    CStrokeGroup group;  // the test features never look at it
    CFuzzyRule rule(CCondition{Feature0, 0, 1, 2, 3}, CCondition{Feature1, 0, 1, 2, 3},
                    CCondition{Feature2, 0, 1, 2, 3});
    ResetFeatures(0.5, 2.75, 1.5);
    EXPECT_DOUBLE_EQ(rule.Degree(group), 0.25);
    EXPECT_EQ(rule.GetConditionCount(), 3);
}

TEST(FuzzyRuleDegree, ZeroStopsLaterConditions)
{
    CStrokeGroup group;
    CFuzzyRule rule(CCondition{Feature0, 0, 1, 2, 3}, CCondition{Feature1, 0, 1, 2, 3},
                    CCondition{Feature2, 0, 1, 2, 3});
    ResetFeatures(-1, 1.5, 1.5);
    EXPECT_EQ(rule.Degree(group), 0.0);
    EXPECT_EQ(g_calls[0], 1);
    EXPECT_EQ(g_calls[1], 0);
    EXPECT_EQ(g_calls[2], 0);

    ResetFeatures(1.5, 10, 1.5);
    EXPECT_EQ(rule.Degree(group), 0.0);
    EXPECT_EQ(g_calls[1], 1);
    EXPECT_EQ(g_calls[2], 0);
}

TEST(FuzzyRuleDegree, FeatureWithoutFunctionOrSetIsZero)
{
    CStrokeGroup group;
    const CFeature noFunction(nullptr, std::make_unique<CFuzzySet>(0, 0, 1, 1));
    EXPECT_EQ(noFunction.Degree(group), 0.0);
    ResetFeatures(0.5, 0, 0);
    const CFeature noSet(Feature0, nullptr);
    EXPECT_EQ(noSet.Degree(group), 0.0);
}

namespace {
// A shape whose own rule is one test feature.
class CProbeShape : public CShape {
public:
    CProbeShape() : CShape(true)
    {
        m_rule = std::make_unique<CFuzzyRule>(CCondition{Feature0, 0, 1, 2, 3});
    }
    void ComputeShape(CStrokeGroup&) override { ++computed; }
    int computed = 0;
};
}  // namespace

TEST(ShapeEvaluate, ClosedStrokeKeepsOwnDegree)
{
    // A closed square drawn once: length / hull perimeter = 1.
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    EXPECT_DOUBLE_EQ(LengthPerHullPerimeter(group), 1.0);
    CProbeShape shape;
    ResetFeatures(0.5, 0, 0);
    EXPECT_DOUBLE_EQ(shape.Evaluate(group), 0.5);
    EXPECT_EQ(shape.computed, 1);
}

TEST(ShapeEvaluate, ZeroDegreeSkipsFitting)
{
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    CProbeShape shape;
    ResetFeatures(5, 0, 0);
    EXPECT_EQ(shape.Evaluate(group), 0.0);
    EXPECT_EQ(shape.computed, 0);
}

TEST(ShapeEvaluate, SingleOpenStrokeEndsAtZero)
{
    // Three sides of a square: length 300 against a hull perimeter of 400
    // (ratio 0.75, below the closed rule); one stroke makes the mean stroke
    // as long as the group, so the hull perimeter per mean stroke is 1.33.
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    EXPECT_DOUBLE_EQ(LengthPerHullPerimeter(group), 0.75);
    EXPECT_NEAR(HullPerimeterPerMeanStroke(group), 400.0 / 300.0, 1e-12);
    CProbeShape shape;
    ResetFeatures(1.5, 0, 0);
    EXPECT_EQ(shape.Evaluate(group), 0.0);
    EXPECT_EQ(shape.computed, 1);
}

TEST(ShapeEvaluate, OpenRuleScalesSeveralStrokes)
{
    // Eight short strokes: the mean stroke is short against the hull, and
    // their total length is 0.5 of the hull perimeter.
    std::vector<std::unique_ptr<CStroke>> strokes;
    CStrokeGroup group;
    const std::pair<int, int> corners[4] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    for (int k = 0; k < 4; ++k) {
        for (int half = 0; half < 2; ++half) {
            auto s = std::make_unique<CStroke>();
            const auto [x0, y0] = corners[k];
            const auto [x1, y1] = corners[(k + 1) % 4];
            const int sx = x0 + (x1 - x0) * half / 2;
            const int sy = y0 + (y1 - y0) * half / 2;
            s->AddPoint(sx, sy, 0);
            s->AddPoint(sx + (x1 - x0) / 4, sy + (y1 - y0) / 4, 0);
            group.AddStroke(s.get());
            strokes.push_back(std::move(s));
        }
    }
    EXPECT_DOUBLE_EQ(LengthPerHullPerimeter(group), 0.5);
    EXPECT_DOUBLE_EQ(HullPerimeterPerMeanStroke(group), 16.0);
    CProbeShape shape;
    ResetFeatures(0.5, 0, 0);
    // Open rule: min(1 at ratio 0.5, 1 at 16) = 1, so the degree stays 0.5.
    EXPECT_DOUBLE_EQ(shape.Evaluate(group), 0.5);
}

TEST(FeatureCatalogue, EnclosingRectAspectEitherWay)
{
    for (const bool wideFirst : {true, false}) {
        CStroke stroke;
        if (wideFirst) {
            FillStroke(stroke, {{0, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0}});
        } else {
            FillStroke(stroke, {{0, 0}, {50, 0}, {50, 100}, {0, 100}, {0, 0}});
        }
        CStrokeGroup group;
        group.AddStroke(&stroke);
        EXPECT_DOUBLE_EQ(EnclosingRectAspect(group), 0.5);
    }
}

TEST(FeatureCatalogue, RatiosOfASquare)
{
    CStroke stroke;
    FillStroke(stroke, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    EXPECT_DOUBLE_EQ(HullThinness(group), 16.0);
    EXPECT_DOUBLE_EQ(HullRectAreaRatio(group), 1.0);
    EXPECT_DOUBLE_EQ(HullBoxAreaRatio(group), 1.0);
    EXPECT_DOUBLE_EQ(QuadHullAreaRatio(group), 1.0);
    EXPECT_DOUBLE_EQ(QuadRectAreaRatio(group), 1.0);
    EXPECT_DOUBLE_EQ(TriangleQuadAreaRatio(group), 0.5);
    EXPECT_DOUBLE_EQ(TriangleHullAreaRatio(group), 0.5);
    EXPECT_DOUBLE_EQ(TriangleBoxAreaRatio(group), 0.5);
    EXPECT_DOUBLE_EQ(HullRectPerimeterRatio(group), 1.0);
    EXPECT_DOUBLE_EQ(HullBoxPerimeterRatio(group), 1.0);
    EXPECT_EQ(InnerPointCount(group), 0.0);
}

TEST(FeatureCatalogue, DegenerateGroupsStayFinite)
{
    CStroke stroke;
    FillStroke(stroke, {{5, 5}, {5, 5}});
    CStrokeGroup group;
    group.AddStroke(&stroke);
    EXPECT_EQ(EnclosingRectAspect(group), 0.0);
    EXPECT_TRUE(std::isfinite(HullThinness(group)));
    EXPECT_TRUE(std::isfinite(TriangleHullAreaRatio(group)));
    EXPECT_TRUE(std::isfinite(QuadRectAreaRatio(group)));
    EXPECT_EQ(LengthPerHullPerimeter(group), 0.0);
}
