#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A pen that records what the base class's segment walk plots and exposes
// the protected texture helpers.
class RecordingPen : public CPenTool {
public:
    using CPenTool::CPenTool;
    void Plot(int x, int y) override { plotted.emplace_back(x, y); }
    void MakeMulticolor() { BuildMulticolorTexture(); }
    void FillWithBrush(CSurface& surface)
    {
        QPainter p(&surface.Image());
        p.fillRect(surface.Rect(), MakeBrush());
    }
    std::vector<std::pair<int, int>> plotted;
};

class PenToolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "pens_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication app(argc, argv);
        }
    }
};

TEST_F(PenToolTest, ConstructorKeepsWidthAndColours)
{
    const RecordingPen single(7, MakeRgb(1, 2, 3));
    EXPECT_EQ(single.GetWidth(), 7);
    EXPECT_EQ(single.GetColor(0), MakeRgb(1, 2, 3));
    EXPECT_EQ(single.GetColor(1), 0u);
    EXPECT_EQ(single.GetColor(2), 0u);
    EXPECT_FALSE(single.IsFinished());
    EXPECT_EQ(single.GetOutline(), nullptr);
    EXPECT_FALSE(single.HasTexture());
}

TEST_F(PenToolTest, AddPointKeepsTheEventTick)
{
    RecordingPen pen(2, 0);
    pen.AddPoint(10, 20, 4000000000u);
    pen.AddPoint(11, 21);
    ASSERT_EQ(pen.GetPoints().GetCount(), 2);
    EXPECT_EQ(pen.GetPoints()[0].time, 4000000000u);
    EXPECT_EQ(pen.GetPoints()[0].tag, 0);
    EXPECT_NE(pen.GetPoints()[1].time, 0u);
}

TEST_F(PenToolTest, DrawSegmentPlotsTheWalkWithoutTheEndPoint)
{
    RecordingPen pen(2, 0);
    pen.DrawSegment(0, 0, 3, -2);
    using V = std::vector<std::pair<int, int>>;
    // dx = 3, dy = 2, going up: y = (k * -1 * 2) / 3 truncated toward zero.
    EXPECT_EQ(pen.plotted, (V{{0, 0}, {1, 0}, {2, -1}}));
    pen.plotted.clear();
    pen.DrawSegment(4, 4, 4, 4);
    EXPECT_TRUE(pen.plotted.empty());
}

TEST_F(PenToolTest, HitTestWithFewerThanTwoPointsAlwaysHits)
{
    RecordingPen pen(2, 0);
    EXPECT_TRUE(pen.HitTest(1000, 1000, 1010, 1010));
    pen.AddPoint(0, 0);
    EXPECT_TRUE(pen.HitTest(1000, 1000, 1010, 1010));
}

TEST_F(PenToolTest, HitTestRightAndBottomAreExclusive)
{
    RecordingPen pen(2, 0);
    pen.AddPoint(10, 10);
    pen.AddPoint(10, 30);
    EXPECT_TRUE(pen.HitTest(10, 20, 11, 21));   // pixel (10, 20) of the walk
    EXPECT_FALSE(pen.HitTest(0, 0, 10, 40));    // right edge x = 10 is outside
    EXPECT_FALSE(pen.HitTest(11, 0, 20, 40));
    EXPECT_FALSE(pen.HitTest(0, 0, 20, 10));    // bottom edge y = 10 is outside
    EXPECT_TRUE(pen.HitTest(0, 30, 20, 31));    // the end point itself
    EXPECT_FALSE(pen.HitTest(0, 31, 20, 40));
}

TEST_F(PenToolTest, HitTestFollowsTheWalkNotTheBoundingBox)
{
    RecordingPen pen(2, 0);
    pen.AddPoint(0, 0);
    pen.AddPoint(100, 100);
    pen.AddPoint(200, 0);
    // Inside the box, away from both diagonals.
    EXPECT_FALSE(pen.HitTest(90, 0, 110, 20));
    EXPECT_TRUE(pen.HitTest(40, 40, 41, 41));
    EXPECT_TRUE(pen.HitTest(150, 50, 151, 51));
    // The walk plots (k, (k * 1) / 3) for a shallow line: (3, 1) but not (2, 1).
    RecordingPen shallow(2, 0);
    shallow.AddPoint(0, 0);
    shallow.AddPoint(30, 10);
    EXPECT_TRUE(shallow.HitTest(3, 1, 4, 2));
    EXPECT_FALSE(shallow.HitTest(2, 1, 3, 2));
}

TEST_F(PenToolTest, HitTestSeesPointsAddedOrMovedAfterAnEarlierTest)
{
    RecordingPen pen(2, 0);
    pen.AddPoint(0, 0);
    pen.AddPoint(10, 0);
    EXPECT_FALSE(pen.HitTest(500, 500, 540, 540));
    pen.AddPoint(520, 520);
    EXPECT_TRUE(pen.HitTest(500, 500, 540, 540));
    pen.GetPoints()[2].x = 2000;
    pen.GetPoints()[2].y = 0;
    EXPECT_FALSE(pen.HitTest(500, 500, 540, 540));
    EXPECT_TRUE(pen.HitTest(1990, -10, 2010, 10));
}

TEST_F(PenToolTest, ComputeStatsSquaredLengthsAnglesAndBounds)
{
    RecordingPen pen(2, 0);
    pen.AddPoint(10, 10);
    pen.AddPoint(13, 14);
    pen.AddPoint(13, 4);
    pen.AddPoint(-2, 4);
    pen.FinishStroke();
    const CPointArray& pts = pen.GetPoints();
    EXPECT_EQ(pts[0].length, 0.0);
    EXPECT_EQ(pts[0].angle, 0.0);
    EXPECT_EQ(pts[1].length, 25.0);
    EXPECT_EQ(pts[2].length, 100.0);
    EXPECT_EQ(pts[2].angle, 1.5707963);  // straight up the screen
    EXPECT_EQ(pts[3].angle, 3.1415926);
    EXPECT_EQ(pen.GetTotalLength(), 25.0 + 100.0 + 225.0);
    EXPECT_EQ(pen.GetBounds().left, -2);
    EXPECT_EQ(pen.GetBounds().top, 4);
    EXPECT_EQ(pen.GetBounds().right, 13);
    EXPECT_EQ(pen.GetBounds().bottom, 14);
}

TEST_F(PenToolTest, MulticolourTileFollowsTheDiagonalBands)
{
    const COLORREF red = MakeRgb(255, 0, 0);
    const COLORREF green = MakeRgb(0, 255, 0);
    const COLORREF blue = MakeRgb(0, 0, 255);
    const QImage tile = CPenTool::MakeMulticolorTile(red, green, blue);
    ASSERT_EQ(tile.size(), QSize(180, 180));
    for (int y = 0; y < 180; y += 7) {
        EXPECT_EQ(tile.pixel(0, y), qRgb(255, 255, 255)) << "left column stays white";
    }
    EXPECT_EQ(tile.pixel(1, 59), qRgb(0, 255, 0));  // s = 60: band 1 starts at colour 1
    EXPECT_EQ(tile.pixel(5, 25), qRgb(128, 127, 0));  // s = 30: 255 + (-7650 / 60), 7650 / 60
    EXPECT_EQ(tile.pixel(100, 79), qRgb(250, 0, 5));  // s = 179: band 2, k = 59
    EXPECT_EQ(tile.pixel(179, 1), tile.pixel(1, 179));  // s = 0 wraps: (179 + 1) mod 180
    EXPECT_EQ(tile.pixel(179, 1), qRgb(255, 0, 0));
    EXPECT_EQ(tile.pixel(120, 120), qRgb(0, 255, 0));  // 240 mod 180 = 60

    const QImage flat = CPenTool::MakeMulticolorTile(green, green, green);
    for (int y = 0; y < 180; y += 11) {
        for (int x = 1; x < 180; x += 13) {
            EXPECT_EQ(flat.pixel(x, y), qRgb(0, 255, 0));
        }
    }
}

TEST_F(PenToolTest, TextureIsAnchoredAtTheSurfaceOrigin)
{
    RecordingPen pen(4, MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(0, 0, 255));
    pen.MakeMulticolor();
    ASSERT_TRUE(pen.HasTexture());
    const QImage& tile = pen.GetTexture();
    CMemSurface surface(400, 400, MakeRgb(255, 255, 255));
    pen.FillWithBrush(surface);
    // Surface pixel (X, Y) shows tile pixel (1 + X mod 179, 1 + Y mod 179).
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {0, 0}, {178, 0}, {179, 0}, {0, 179}, {250, 31}, {399, 399}, {57, 300}}) {
        EXPECT_EQ(surface.Image().pixel(x, y), tile.pixel(1 + x % 179, 1 + y % 179))
            << x << "," << y;
    }
}

}  // namespace
