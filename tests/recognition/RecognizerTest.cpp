#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StrokeFixtures.h"
#include "geometry/StrokeGroup.h"
#include "recognition/ShapeRecognizer.h"
#include "recognition/Shapes.h"
#include "recognition/StrokeAnalyzer.h"

using fixtures::Circle;
using fixtures::Ellipse;
using fixtures::Path;
using fixtures::RectangleCorners;
using Points = std::vector<std::pair<int, int>>;

namespace {

struct Result {
    bool recognised = false;
    Points points;
    std::vector<ShapeDegree> degrees;
    std::string best;  // name of the highest first-pass degree, or ""
    std::string shape;
};

Result Recognise(const CPointArray& in)
{
    Result r;
    CPointArray out;
    ShapeReport report;
    r.recognised = CStrokeAnalyzer().RecognizeShape(in, out, &report);
    r.degrees = report.firstPass;
    r.shape = report.shape;
    EXPECT_EQ(r.recognised, !r.shape.empty());
    for (const StrokePoint& p : out) {
        r.points.emplace_back(p.x, p.y);
        EXPECT_NE(p.time, 0u);
        EXPECT_EQ(p.tag, 0);
    }
    double top = 0;
    for (const ShapeDegree& d : r.degrees) {
        if (d.degree > top) {
            top = d.degree;
            r.best = d.name;
        }
    }
    return r;
}

}  // namespace

TEST(RecognizeShapeEndToEnd, CleanCircle)
{
    const Result r = Recognise(Circle(300, 300, 100, 60));
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Circle");
    ASSERT_EQ(r.points.size(), 37u);
    EXPECT_EQ(r.points[0], std::make_pair(300, 400));
}

TEST(RecognizeShapeEndToEnd, WobblyCircle)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const Result r = Recognise(Circle(300, 300, 100, 60, 4, seed));
        ASSERT_TRUE(r.recognised) << seed;
        EXPECT_EQ(r.best, "Circle") << seed;
        EXPECT_EQ(r.points.size(), 37u);
    }
}

TEST(RecognizeShapeEndToEnd, CirclePointsForRadius50AtCentre100)
{
    const Result r = Recognise(Circle(100, 100, 50, 72));
    ASSERT_EQ(r.best, "Circle");
    ASSERT_EQ(r.points.size(), 37u);
    EXPECT_EQ(r.points[0], std::make_pair(100, 150));
    EXPECT_EQ(r.points[18], std::make_pair(100, 50));
    EXPECT_EQ(r.points[27], std::make_pair(50, 99));
    EXPECT_EQ(r.points[36], std::make_pair(99, 149));
    EXPECT_EQ(r.points[9], std::make_pair(150, 100));
}

TEST(RecognizeShapeEndToEnd, Ellipse)
{
    const Result r = Recognise(Ellipse(300, 300, 150, 70, 80, 0.5, 3, 2));
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Ellipse");
    EXPECT_EQ(r.shape, "Ellipse");
    ASSERT_GT(r.points.size(), 100u);
    EXPECT_EQ(r.points.size() % 4, 0u);
    double sx = 0, sy = 0;
    for (const auto& [x, y] : r.points) {
        sx += x;
        sy += y;
        // Inside the turned rectangle round the ellipse, give or take a pixel.
        const double dx = x - 300, dy = y - 300;
        const double u = dx * std::cos(0.5) + dy * std::sin(0.5);
        const double v = -dx * std::sin(0.5) + dy * std::cos(0.5);
        EXPECT_LE(std::abs(u), 156);
        EXPECT_LE(std::abs(v), 76);
    }
    EXPECT_NEAR(sx / r.points.size(), 300, 4);
    EXPECT_NEAR(sy / r.points.size(), 300, 4);
}

TEST(RecognizeShapeEndToEnd, Rectangle)
{
    const Result r = Recognise(Path(RectangleCorners(300, 300, 200, 120, 0), 20, 2, 5));
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Rectangle");
    ASSERT_EQ(r.points.size(), 5u);
    EXPECT_EQ(r.points.front(), r.points.back());
}

TEST(RecognizeShapeEndToEnd, ClosedSquareIsARectangle)
{
    CPointArray square;
    for (const auto& [x, y] : Points{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}) {
        square.Add(x, y, 1);
    }
    const Result r = Recognise(square);
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Rectangle");
    EXPECT_EQ(r.points, (Points{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
}

TEST(RecognizeShapeEndToEnd, RotatedRectangle)
{
    for (int degrees : {20, 35, 60}) {
        const double turn = degrees * fixtures::kPi / 180;
        const Result r = Recognise(Path(RectangleCorners(300, 300, 200, 120, turn), 20, 3, 2));
        ASSERT_TRUE(r.recognised) << degrees;
        EXPECT_EQ(r.best, "Rectangle") << degrees;
        ASSERT_EQ(r.points.size(), 5u);
        // The corners follow the turned sides: two adjacent sides near 200 and 120.
        const double side1 = std::hypot(r.points[1].first - r.points[0].first,
                                        r.points[1].second - r.points[0].second);
        const double side2 = std::hypot(r.points[2].first - r.points[1].first,
                                        r.points[2].second - r.points[1].second);
        EXPECT_NEAR(std::max(side1, side2), 200, 12) << degrees;
        EXPECT_NEAR(std::min(side1, side2), 120, 12) << degrees;
    }
}

TEST(RecognizeShapeEndToEnd, DiamondComesOutAxisAligned)
{
    // A wide rhombus, upright and drawn at a slant with a shaky hand.
    const std::vector<CPointArray> strokes = {
        Path({{300, 200}, {450, 280}, {300, 400}, {150, 280}, {300, 200}}, 20),
        Path({{320, 200}, {450, 300}, {280, 400}, {150, 275}, {320, 200}}, 20, 2, 3)};
    for (const CPointArray& in : strokes) {
        const Result r = Recognise(in);
        ASSERT_TRUE(r.recognised);
        EXPECT_EQ(r.best, "Diamond");
        // Corners at the mid-points of the stroke's bounding box sides.
        int minX = in[0].x, maxX = in[0].x, minY = in[0].y, maxY = in[0].y;
        for (const StrokePoint& p : in) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        const int midX = (minX + maxX) / 2, midY = (minY + maxY) / 2;
        EXPECT_EQ(r.points,
                  (Points{{minX, midY}, {midX, maxY}, {maxX, midY}, {midX, minY}, {minX, midY}}));
    }
}

TEST(RecognizeShapeEndToEnd, ClosedTriangle)
{
    const Result r = Recognise(Path({{300, 200}, {400, 380}, {200, 380}, {300, 205}}, 20));
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Triangle");
    ASSERT_EQ(r.points.size(), 4u);
    EXPECT_EQ(r.points.front(), r.points.back());
    Points corners(r.points.begin(), r.points.end() - 1);
    std::sort(corners.begin(), corners.end());
    EXPECT_EQ(corners, (Points{{200, 380}, {300, 200}, {400, 380}}));
}

TEST(RecognizeShapeEndToEnd, TriangleWithEndsApartIsOpenPath)
{
    const Result r = Recognise(Path({{300, 200}, {400, 380}, {200, 380}, {270, 250}}, 20));
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Triangle");
    ASSERT_EQ(r.points.size(), 3u);
    EXPECT_EQ(r.points.front(), std::make_pair(300, 200));
    EXPECT_EQ(r.points.back(), std::make_pair(270, 250));
}

TEST(RecognizeShapeEndToEnd, OpenVBecomesTriangleThroughItsCorner)
{
    const Result v = Recognise(Path({{200, 200}, {300, 400}, {400, 200}}, 20));
    ASSERT_TRUE(v.recognised);
    EXPECT_EQ(v.best, "");  // nothing accepted the stroke while open
    EXPECT_EQ(v.shape, "Triangle");
    EXPECT_EQ(v.points, (Points{{200, 200}, {300, 400}, {400, 200}}));

    const Result l = Recognise(Path({{200, 200}, {200, 400}, {350, 400}}, 20));
    ASSERT_TRUE(l.recognised);
    EXPECT_EQ(l.points, (Points{{200, 200}, {200, 400}, {350, 400}}));
}

TEST(RecognizeShapeEndToEnd, StraightLine)
{
    const CPointArray in = Path({{100, 100}, {400, 250}}, 50, 1, 3);
    const Result r = Recognise(in);
    ASSERT_TRUE(r.recognised);
    EXPECT_EQ(r.best, "Line");
    const int last = in.GetCount() - 1;
    EXPECT_EQ(r.points, (Points{{in[0].x, in[0].y}, {in[last].x, in[last].y}}));
}

TEST(RecognizeShapeEndToEnd, ScribbleStaysUnrecognised)
{
    for (unsigned seed = 1; seed <= 10; ++seed) {
        CPointArray in = fixtures::Scribble(200, seed);
        CPointArray out;
        out.Add(1, 1, 1);
        EXPECT_FALSE(CStrokeAnalyzer().RecognizeShape(in, out)) << seed;
        EXPECT_EQ(out.GetCount(), 1) << "nothing may be appended";
    }
}

TEST(RecognizeShapeEndToEnd, TooShortStrokes)
{
    CPointArray none, out;
    EXPECT_FALSE(CStrokeAnalyzer().RecognizeShape(none, out));
    CPointArray one;
    one.Add(5, 5, 1);
    EXPECT_FALSE(CStrokeAnalyzer().RecognizeShape(one, out));
    EXPECT_EQ(out.GetCount(), 0);
}

TEST(OpenTriangleVertexRule, OrderOfChoices)
{
    const StrokePoint f{0, 0}, l{100, 0};
    auto pt = [](int x, int y) { return TimedPoint{x, y, 0.0}; };
    // V1 far from both ends wins.
    TimedPoint v = OpenTriangleVertex({pt(50, 80), pt(60, 90), pt(70, 70)}, f, l);
    EXPECT_EQ(v.x, 50);
    // V1 near an end: V2.
    v = OpenTriangleVertex({pt(5, 0), pt(60, 90), pt(70, 70)}, f, l);
    EXPECT_EQ(v.x, 60);
    // Neither V1 nor V2 qualifies and V3 lies within 10 of F: F itself.
    v = OpenTriangleVertex({pt(3, 0), pt(97, 0), pt(10, 0)}, f, l);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 0);
    // V3 away from F and from L.
    v = OpenTriangleVertex({pt(3, 0), pt(97, 0), pt(50, 40)}, f, l);
    EXPECT_EQ(v.x, 50);
    // V3 away from F but near L: F.
    v = OpenTriangleVertex({pt(3, 0), pt(97, 0), pt(95, 0)}, f, l);
    EXPECT_EQ(v.x, 0);
}

namespace {
// A candidate whose degree is fixed, to test the ranking alone.
class CFixedShape : public CShape {
public:
    CFixedShape(std::string name, double degree)
        : CShape(true), m_name(std::move(name)), m_fixed(degree)
    {
    }
    std::string_view GetName() const override { return m_name; }
    double Evaluate(CStrokeGroup&) override
    {
        m_degree = m_fixed;
        return m_degree;
    }

private:
    std::string m_name;
    double m_fixed;
};

struct SmallGroup {
    SmallGroup()
    {
        stroke.AddPoint(0, 0, 0);
        stroke.AddPoint(10, 10, 0);
        group.AddStroke(&stroke);
    }
    CStroke stroke;
    CStrokeGroup group;
};
}  // namespace

TEST(ShapeRecognizerRanking, EqualDegreesKeepOrder)
{
    SmallGroup g;
    CShapeRecognizer recognizer(0.0);
    recognizer.AddShape(std::make_unique<CFixedShape>("A", 0.4));
    recognizer.AddShape(std::make_unique<CFixedShape>("B", 0.7));
    recognizer.AddShape(std::make_unique<CFixedShape>("C", 0.7));
    CShape* best = recognizer.Recognize(g.group);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->GetName(), "B");
    EXPECT_DOUBLE_EQ(best->GetRank(), 1.0 - 0.7);
}

TEST(ShapeRecognizerRanking, AboveOneCountsAsOneZeroNeverAccepted)
{
    SmallGroup g;
    CShapeRecognizer recognizer(0.0);
    recognizer.AddShape(std::make_unique<CFixedShape>("Zero", 0.0));
    recognizer.AddShape(std::make_unique<CFixedShape>("One", 1.0));
    recognizer.AddShape(std::make_unique<CFixedShape>("More", 1.7));
    CShape* best = recognizer.Recognize(g.group);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->GetName(), "One");

    CShapeRecognizer zeros(0.0);
    zeros.AddShape(std::make_unique<CFixedShape>("Zero", 0.0));
    EXPECT_EQ(zeros.Recognize(g.group), nullptr);
}

TEST(ShapeRecognizerRanking, StandardCandidatesInOrder)
{
    SmallGroup g;
    CShapeRecognizer recognizer(0.0);
    recognizer.Recognize(g.group);
    std::vector<std::string> names;
    for (const auto& shape : recognizer.Shapes()) {
        names.emplace_back(shape->GetName());
        EXPECT_TRUE(shape->IsRotated());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Line", "Triangle", "Rectangle", "Circle", "Ellipse",
                                               "Diamond"}));
}

TEST(ShapeRecognizerSingle, LineAndTriangleOnly)
{
    CPointArray tri = Path({{300, 200}, {400, 380}, {200, 380}, {300, 205}}, 20);
    CStroke stroke;
    for (const StrokePoint& p : tri) {
        stroke.AddPoint(p.x, p.y, 0);
    }
    CStrokeGroup group;
    group.AddStroke(&stroke);

    CShapeRecognizer lineOnly(0.0);
    EXPECT_EQ(lineOnly.RecognizeLine(group), nullptr);
    EXPECT_EQ(lineOnly.Shapes().size(), 1u);

    CShapeRecognizer triangleOnly(0.0);
    CShape* shape = triangleOnly.RecognizeTriangle(group);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->GetName(), "Triangle");
    EXPECT_EQ(triangleOnly.Shapes().size(), 1u);
}

TEST(ShapeRecognizerSingle, EmptyGroupIsNeverClassified)
{
    CStrokeGroup none;
    CShapeRecognizer recognizer(0.0);
    EXPECT_EQ(recognizer.Recognize(none), nullptr);
    CStroke empty;
    CStrokeGroup withEmpty;
    withEmpty.AddStroke(&empty);
    EXPECT_EQ(recognizer.RecognizeLine(withEmpty), nullptr);
}
