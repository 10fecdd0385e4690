#include "InkTestSupport.h"

#include "pens/GangbiPen.h"
#include "pens/MaobiPen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace inktest;

namespace {

std::unique_ptr<CInkPen> MakeInkPen(int kind, int w, COLORREF c)
{
    if (kind == 0) {
        return std::make_unique<CMaobiPen>(w, c);
    }
    return std::make_unique<CGangbiPen>(w, c);
}

// A finished two-point stroke: the walk plots only its first point, so the
// stroke is exactly one dab of the pen's width there.
template <typename Pen>
std::unique_ptr<Pen> OneDab(int w, int x, int y)
{
    auto pen = std::make_unique<Pen>(w, kBlack);
    AddPoints(*pen, {{x, y, 1000}, {x + 1, y, 1100}});
    pen->FinishStroke();
    return pen;
}

TEST(InkFountainDab, IsACircleBelowRightOfThePixel)
{
    auto pen = OneDab<CGangbiPen>(10, 10, 10);
    CMemSurface s(40, 40, kWhite);
    pen->Draw(s, 0, 0);
    const QImage& img = s.Image();

    // The circle's bounding square runs from (10, 10) to (20, 20); the dab
    // of the final point (11, 10) would reach column 20.
    EXPECT_EQ(InkBounds(img), QRect(10, 10, 10, 10));
    EXPECT_NEAR(InkArea(img), M_PI * 25.0, 2.5);
    EXPECT_EQ(Darkness(img, 15, 15), 1.0);
    EXPECT_NEAR(Darkness(img, 10, 15), Darkness(img, 19, 15), 0.02);  // symmetric about x = 15
    EXPECT_NEAR(Darkness(img, 15, 10), Darkness(img, 15, 19), 0.02);
    EXPECT_EQ(Darkness(img, 10, 10), 0.0);  // the square's corner is outside the circle
}

TEST(InkBrushDab, IsTheBrushTipScaledByWidthOver394And308)
{
    auto pen = OneDab<CMaobiPen>(100, 10, 10);
    CMemSurface s(160, 160, kWhite);
    pen->Draw(s, 0, 0);
    const QImage& img = s.Image();

    // The tip reaches 378.6/394 of the width to the right and 315/308 of it
    // downwards from the pixel, and nowhere left of or above it.
    const QRect ink = InkBounds(img);
    EXPECT_GE(ink.left(), 10);
    EXPECT_GE(ink.top(), 10);
    EXPECT_GE(ink.right(), 105);
    EXPECT_LE(ink.right(), 106);
    EXPECT_GE(ink.bottom(), 111);
    EXPECT_LE(ink.bottom(), 112);

    // A teardrop, not a disc: full in its body at template (256, 139), empty
    // left of the diagonal from the tip to the heel at template (59, 262)
    // and right of the top edge's start at template (390, 20).
    EXPECT_EQ(Darkness(img, 10 + 65, 10 + 45), 1.0);
    EXPECT_EQ(Darkness(img, 10 + 15, 10 + 85), 0.0);
    EXPECT_EQ(Darkness(img, 10 + 99, 10 + 6), 0.0);
}

TEST(InkBrushDab, TipPathIsFourCurvesFromThePixelBackToIt)
{
    const QPainterPath tip = CMaobiPen::BrushTip(20, 30, 39.4);
    // moveTo + 4 curves of 3 elements each (+ the closing point when the
    // path adds one).
    ASSERT_GE(tip.elementCount(), 13);
    EXPECT_EQ(tip.fillRule(), Qt::WindingFill);
    EXPECT_EQ(QPointF(tip.elementAt(0)), QPointF(20, 30));
    EXPECT_EQ(QPointF(tip.elementAt(12)), QPointF(20, 30));
    EXPECT_NEAR(tip.elementAt(4).x, 20 + 39.3, 1e-4);  // 393 * 39.4 / 394
    EXPECT_NEAR(tip.elementAt(6).y, 30 + 315 * 39.4 / 308, 1e-4);
}

TEST(InkRedraw, TwoDrawsGiveTheSameImage)
{
    for (int kind = 0; kind < 2; ++kind) {
        std::unique_ptr<CInkPen> pen = MakeInkPen(kind, 9, MakeRgb(20, 60, 200));
        AddPoints(*pen, {{10, 10, 1000}, {40, 25, 1010}, {45, 60, 1020}, {90, 70, 1100},
                         {60, 20, 1101}, {65, 22, 1150}});
        pen->FinishStroke();

        CMemSurface a(120, 100, kWhite);
        CMemSurface b(120, 100, kWhite);
        pen->Draw(a, 0, 0);
        // Live drawing in between must not leak into the redraw.
        CMemSurface scratch(120, 100, kWhite);
        pen->BeginStroke(scratch, 5, 5, 2000);
        pen->ContinueStroke(scratch, 100, 90);
        pen->Draw(b, 0, 0);
        EXPECT_EQ(a.Image(), b.Image()) << "pen kind " << kind;
        EXPECT_GT(InkArea(a.Image()), 100.0);
    }
}

TEST(InkRedraw, WidthStepsAtThePointsBecauseTheSquaredLengthIsUsed)
{
    // From width 4 to width 12 over 10 px: with the squared length (100) as
    // the divisor every dab of the segment stays 4 wide; over the true
    // length the last dabs would be 11 wide.
    CGangbiPen pen(12, kBlack);
    AddPoints(pen, {{10, 10, 1}, {20, 10, 2}, {30, 10, 3}});
    pen.FinishStroke();
    pen.GetPoints()[0].time = 4;
    pen.GetPoints()[1].time = 12;
    pen.GetPoints()[2].time = 12;
    CMemSurface s(60, 40, kWhite);
    pen.DrawRange(s, 0, 2);
    EXPECT_EQ(InkBounds(s.Image()), QRect(10, 10, 9 + 4, 4));
}

TEST(InkRedraw, StoredWidthsBelowTwoAreRaisedExceptTheFirst)
{
    CGangbiPen pen(12, kBlack);
    AddPoints(pen, {{10, 10, 1}, {11, 10, 2}, {12, 10, 3}});
    pen.FinishStroke();
    for (StrokePoint& p : pen.GetPoints()) {
        p.time = 0;
    }
    CMemSurface s(40, 40, kWhite);
    pen.Draw(s, 0, 0);
    // Dab at (10, 10) of width 0 paints nothing; (11, 10) gets width 2.
    EXPECT_EQ(InkBounds(s.Image()), QRect(11, 10, 2, 2));
}

TEST(InkRedraw, RangeOutsideThePointsDrawsWhatExists)
{
    CMaobiPen pen(6, kBlack);
    AddLine(pen, 10, 10, 4, 5, 1000, 20);
    pen.FinishStroke();
    CMemSurface all(50, 40, kWhite);
    CMemSurface clipped(50, 40, kWhite);
    pen.Draw(all, 0, 0);
    pen.DrawRange(clipped, -3, 99);
    EXPECT_EQ(all.Image(), clipped.Image());
    CMemSurface none(50, 40, kWhite);
    pen.DrawRange(none, 3, 1);
    EXPECT_TRUE(InkBounds(none.Image()).isNull());
}

TEST(InkLive, SlowStrokeDrawnLiveMatchesItsRedraw)
{
    for (int kind = 0; kind < 2; ++kind) {
        // Every move at 2 ms per pixel or slower: the width stays 8, and
        // live drawing and redraw place the same dabs.
        std::unique_ptr<CInkPen> pen = MakeInkPen(kind, 8, kBlack);
        CMemSurface live(100, 80, kWhite);
        pen->BeginStroke(live, 10, 10, 1000);
        const TimedXY moves[] = {{30, 20, 1100}, {50, 50, 1200}, {20, 60, 1300}, {70, 30, 1500}};
        for (const TimedXY& m : moves) {
            pen->AddPoint(m.x, m.y, m.tick);
            pen->ContinueStroke(live, m.x, m.y);
        }
        // The press position is no point of the stroke; a stroke that holds
        // it as its first point redraws the press segment too.
        std::unique_ptr<CInkPen> redrawn = MakeInkPen(kind, 8, kBlack);
        redrawn->AddPoint(10, 10, 1000);
        for (const TimedXY& m : moves) {
            redrawn->AddPoint(m.x, m.y, m.tick);
        }
        redrawn->FinishStroke();
        CMemSurface again(100, 80, kWhite);
        redrawn->Draw(again, 0, 0);
        EXPECT_EQ(live.Image(), again.Image()) << "pen kind " << kind;
    }
}

TEST(InkLive, ReportsThePaintedRectangleAsDirty)
{
    CGangbiPen pen(10, kBlack);
    CMemSurface s(100, 100, kWhite);
    pen.BeginStroke(s, 20, 20, 1000);
    EXPECT_TRUE(s.TakeDirty().isNull());  // the press paints nothing
    pen.AddPoint(50, 30, 1200);
    pen.ContinueStroke(s, 50, 30);
    const QRect dirty = s.TakeDirty();
    const QRect ink = InkBounds(s.Image());
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(dirty.contains(ink)) << "dirty rect misses painted pixels";
    EXPECT_LE(dirty.width(), ink.width() + 4);
    EXPECT_LE(dirty.height(), ink.height() + 4);
}

TEST(InkLive, FastMoveThinsTheLineOverTheTrueDistance)
{
    CGangbiPen pen(16, kBlack);
    CMemSurface s(400, 60, kWhite);
    pen.BeginStroke(s, 10, 10, 1000);
    // 100 px per millisecond: the width falls from 16 at the start of the
    // segment to 12 (16 * 3.005/4 = 12.02) at its end.
    pen.AddPoint(110, 10, 1001);
    pen.ContinueStroke(s, 110, 10);
    EXPECT_DOUBLE_EQ(pen.GetHistory().Last().factor, 0.005);
    const QImage& img = s.Image();
    // First dab: 16 high. Last dab (x = 109, d = 99): (1 * 16 + 99 * 12) / 100 = 12.
    EXPECT_EQ(Darkness(img, 18, 24), 1.0);
    EXPECT_EQ(Darkness(img, 120, 23), 0.0);
    EXPECT_GT(Darkness(img, 115, 21), 0.0);
    EXPECT_EQ(InkBounds(img).right(), 109 + 12 - 1);
}

TEST(InkLive, UsesTheTickOfTheNewestPoint)
{
    CMaobiPen pen(10, kBlack);
    CMemSurface s(300, 50, kWhite);
    pen.BeginStroke(s, 0, 0, 5000);
    pen.AddPoint(100, 0, 5010);  // 10 ms over 100 px
    pen.ContinueStroke(s, 100, 0);
    EXPECT_EQ(pen.GetHistory().Last().time, 5010u);
    EXPECT_DOUBLE_EQ(pen.GetHistory().Last().factor, 0.05);
}

TEST(InkLive, BeginStrokeStartsAFreshHistoryAtFullWidth)
{
    CGangbiPen pen(10, kBlack);
    CMemSurface s(300, 50, kWhite);
    pen.BeginStroke(s, 0, 0, 5000);
    pen.AddPoint(200, 0, 5001);
    pen.ContinueStroke(s, 200, 0);
    pen.BeginStroke(s, 0, 20, 6000);
    EXPECT_EQ(pen.GetHistory().GetCount(), 4);
    EXPECT_EQ(pen.GetHistory().MeanFactor(), 1.0);
}

TEST(InkMulticolour, TextureIsAnchoredAtTheSurfaceOrigin)
{
    const COLORREF c0 = MakeRgb(255, 0, 0), c1 = MakeRgb(0, 255, 0), c2 = MakeRgb(0, 0, 255);
    CGangbiPen single(12, c0);
    EXPECT_FALSE(single.HasTexture());
    for (int kind = 0; kind < 2; ++kind) {
        std::unique_ptr<CInkPen> pen;
        if (kind == 0) {
            pen = std::make_unique<CMaobiPen>(40, c0, c1, c2);
        } else {
            pen = std::make_unique<CGangbiPen>(40, c0, c1, c2);
        }
        ASSERT_TRUE(pen->HasTexture());
        AddPoints(*pen, {{200, 190, 1}, {201, 190, 200}});
        pen->FinishStroke();
        CMemSurface s(260, 260, kWhite);
        pen->Draw(s, 0, 0);
        // A pixel well inside the dab shows the tile at its own canvas
        // position (the tile is the texture's 179 x 179 part from (1, 1)).
        const QImage& tile = pen->GetTexture();
        for (const QPoint p : {QPoint(225, 215), QPoint(230, 220)}) {
            EXPECT_EQ(s.Image().pixel(p), tile.pixel(p.x() % 179 + 1, p.y() % 179 + 1))
                << "pen kind " << kind << " at " << p.x() << "," << p.y();
        }
    }
}

}  // namespace
