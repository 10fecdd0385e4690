#include "InkTestSupport.h"
#include "PenTestSupport.h"

#include "pens/GangbiPen.h"
#include "pens/MaobiPen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

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
std::unique_ptr<CInkPen> OneDab(int kind, int w, int x, int y)
{
    auto pen = MakeInkPen(kind, w, kBlack);
    AddPoints(*pen, {{x, y, 1000}, {x + 1, y, 1100}});
    pen->FinishStroke();
    return pen;
}

TEST(InkDabs, FountainPenDabIsACircleBelowRightOfThePixel)
{
    CMemSurface s(40, 40, kWhite);
    OneDab(1, 10, 10, 10)->Draw(s, 0, 0);
    const QImage& img = s.Image();
    // The bounding square runs from (10, 10) to (20, 20); a dab of the
    // final point (11, 10) would reach column 20.
    EXPECT_EQ(InkBounds(img), QRect(10, 10, 10, 10));
    EXPECT_NEAR(InkArea(img), M_PI * 25.0, 2.5);
    EXPECT_EQ(Darkness(img, 15, 15), 1.0);
    EXPECT_EQ(Darkness(img, 10, 10), 0.0);  // the square's corner is outside the circle
    EXPECT_NEAR(Darkness(img, 10, 15), Darkness(img, 19, 15), 0.02);
}

TEST(InkDabs, BrushDabIsTheTipScaledByWidthOver394And308)
{
    CMemSurface s(160, 160, kWhite);
    OneDab(0, 100, 10, 10)->Draw(s, 0, 0);
    const QImage& img = s.Image();
    // The tip reaches 378.6/394 of the width to the right and 315/308 of it
    // downwards from the pixel, and nowhere left of or above it.
    const QRect ink = InkBounds(img);
    EXPECT_GE(ink.left(), 10);
    EXPECT_GE(ink.top(), 10);
    EXPECT_TRUE(ink.right() == 105 || ink.right() == 106) << ink.right();
    EXPECT_TRUE(ink.bottom() == 111 || ink.bottom() == 112) << ink.bottom();
    // A teardrop, not a disc: full at template (256, 139), empty left of
    // the line from the tip to the heel (59, 262) and right of the top edge
    // (390, 20).
    EXPECT_EQ(Darkness(img, 10 + 65, 10 + 45), 1.0);
    EXPECT_EQ(Darkness(img, 10 + 15, 10 + 85), 0.0);
    EXPECT_EQ(Darkness(img, 10 + 99, 10 + 6), 0.0);
}

TEST(InkDabs, MulticolourTextureIsAnchoredAtTheSurfaceOrigin)
{
    const COLORREF c0 = MakeRgb(255, 0, 0), c1 = MakeRgb(0, 255, 0), c2 = MakeRgb(0, 0, 255);
    EXPECT_FALSE(CGangbiPen(12, c0).HasTexture());
    const std::unique_ptr<CInkPen> pens[] = {std::make_unique<CMaobiPen>(40, c0, c1, c2),
                                             std::make_unique<CGangbiPen>(40, c0, c1, c2)};
    for (const auto& pen : pens) {
        ASSERT_TRUE(pen->HasTexture());
        AddPoints(*pen, {{200, 190, 1}, {201, 190, 200}});
        pen->FinishStroke();
        CMemSurface s(260, 260, kWhite);
        pen->Draw(s, 0, 0);
        // Inside the dab each pixel shows the 179-pixel tile (the texture
        // from (1, 1)) at its own canvas position.
        for (const QPoint p : {QPoint(225, 215), QPoint(230, 220)}) {
            EXPECT_EQ(s.Image().pixel(p),
                      pen->GetTexture().pixel(p.x() % 179 + 1, p.y() % 179 + 1));
        }
    }
}

TEST(InkRedraw, TwoDrawsGiveTheSameImageWhateverHappenedBetween)
{
    for (int kind = 0; kind < 2; ++kind) {
        auto pen = MakeInkPen(kind, 9, MakeRgb(20, 60, 200));
        AddPoints(*pen, {{10, 10, 1000}, {40, 25, 1010}, {45, 60, 1020}, {90, 70, 1100},
                         {60, 20, 1101}, {65, 22, 1150}});
        pen->FinishStroke();
        CMemSurface a(120, 100, kWhite), b(120, 100, kWhite), scratch(120, 100, kWhite);
        pen->Draw(a, 0, 0);
        pen->BeginStroke(scratch, 5, 5, 2000);
        pen->ContinueStroke(scratch, 100, 90);
        pen->Draw(b, 0, 0);
        EXPECT_EQ(a.Image(), b.Image()) << "pen kind " << kind;
        EXPECT_GT(InkArea(a.Image()), 100.0);
    }
}

TEST(InkRedraw, WidthStepsAtThePointsBecauseTheSquaredLengthIsUsed)
{
    // From width 4 to 12 over 10 px: divided by the squared length (100)
    // every dab of the segment stays 4 wide; over the true length the last
    // ones would be 11 wide. Stored widths below 2 count as 2 except the
    // first point's, which gives an empty dab.
    CGangbiPen pen(12, kBlack);
    AddPoints(pen, {{10, 10, 1}, {20, 10, 2}, {30, 10, 3}});
    pen.FinishStroke();
    pen.GetPoints()[0].time = 4;
    pen.GetPoints()[1].time = 12;
    CMemSurface s(60, 40, kWhite);
    pen.DrawRange(s, 0, 2);
    EXPECT_EQ(InkBounds(s.Image()), QRect(10, 10, 9 + 4, 4));


    CGangbiPen thin(12, kBlack);
    AddPoints(thin, {{10, 10, 1}, {11, 10, 2}, {12, 10, 3}});
    thin.FinishStroke();
    for (StrokePoint& p : thin.GetPoints()) {
        p.time = 0;
    }
    CMemSurface t(60, 40, kWhite);
    thin.DrawRange(t, -5, 3);  // the range is clipped to the points
    EXPECT_EQ(InkBounds(t.Image()), QRect(11, 10, 2, 2));
}

TEST(InkLive, SlowStrokeDrawnLiveMatchesItsRedraw)
{
    // Every move at 2 ms per pixel or slower: the width stays 8, and live
    // drawing and redraw place the same dabs. The press position is no
    // point of the stroke, so the redrawn stroke holds it as its first.
    const TimedXY moves[] = {{30, 20, 1100}, {50, 50, 1200}, {20, 60, 1300}, {70, 30, 1500}};
    for (int kind = 0; kind < 2; ++kind) {
        auto pen = MakeInkPen(kind, 8, kBlack);
        auto redrawn = MakeInkPen(kind, 8, kBlack);
        CMemSurface live(100, 80, kWhite), again(100, 80, kWhite);
        pen->BeginStroke(live, 10, 10, 1000);
        redrawn->AddPoint(10, 10, 1000);
        for (const TimedXY& m : moves) {
            pen->AddPoint(m.x, m.y, m.tick);
            pen->ContinueStroke(live, m.x, m.y);
            redrawn->AddPoint(m.x, m.y, m.tick);
        }
        redrawn->FinishStroke();
        redrawn->Draw(again, 0, 0);
        EXPECT_EQ(live.Image(), again.Image()) << "pen kind " << kind;
    }
}

TEST(InkLive, FastMoveThinsTheLineOverTheTrueDistance)
{
    CGangbiPen pen(16, kBlack);
    CMemSurface s(400, 60, kWhite);
    pen.BeginStroke(s, 10, 10, 1000);
    EXPECT_TRUE(s.TakeDirty().isNull());  // the press paints nothing
    // 100 px in 1 ms, with the tick of the point: the width falls from 16
    // to 12 (16 * 3.005/4); the last dab, at x = 109 (d = 99), is
    // (1 * 16 + 99 * 12) / 100 = 12 wide.
    pen.AddPoint(110, 10, 1001);
    pen.ContinueStroke(s, 110, 10);
    EXPECT_DOUBLE_EQ(pen.GetHistory().Last().factor, 0.005);
    const QImage& img = s.Image();
    EXPECT_EQ(Darkness(img, 18, 24), 1.0);
    EXPECT_EQ(Darkness(img, 120, 23), 0.0);
    EXPECT_GT(Darkness(img, 115, 21), 0.0);
    const QRect ink = InkBounds(img);
    EXPECT_EQ(ink.right(), 109 + 12 - 1);
    // What was painted is reported, and not much more.
    const QRect dirty = s.TakeDirty();
    EXPECT_TRUE(dirty.contains(ink));
    EXPECT_LE(dirty.width(), ink.width() + 4);
    EXPECT_LE(dirty.height(), ink.height() + 4);
}

}  // namespace

// Dabs that cannot reach the surface are skipped; the ones that can are all
// painted. A stroke crossing in and out of a small surface must give there
// exactly the pixels it gives on a larger one.
TEST(InkDabs, SkippingDabsOffTheSurfaceChangesNoPixel)
{
    for (int kind = 0; kind < 2; ++kind) {
        auto pen = MakeInkPen(kind, 16, kBlack);
        AddPoints(*pen, {{-400, 30, 1000},
                         {35, 12, 1040},
                         {70, 90, 1070},
                         {20, -300, 1150},
                         {-30, 50, 1200},
                         {58, 58, 1230}});
        pen->FinishStroke();
        CMemSurface small(60, 60, kWhite);
        CMemSurface large(700, 700, kWhite);
        pen->Draw(small, 0, 0);
        pen->Draw(large, 0, 0);
        EXPECT_EQ(small.Image(), large.Image().copy(0, 0, 60, 60)) << "kind " << kind;
        EXPECT_GT(InkArea(small.Image()), 100.0);
    }
}

TEST(InkDabs, DabsBlendedFromMasksLookAsThePainterPaintsThem)
{
    // The ink pens blend most dabs from kept masks. A stroke of changing
    // width, solid and textured, under a clip of two rectangles, must look
    // as painting every dab's shape gives: the fountain pen's circles to the
    // pixel (the mask test in DabPainterTest shows it on the same pixels),
    // the brush's tips (kept in sixteenths of a pixel) within a few levels
    // at their edges.
    std::vector<TimedXY> points;
    for (int i = 0; i < 60; ++i) {
        points.push_back({30 + i * 5, 100 + static_cast<int>(50 * std::sin(i / 6.0)),
                          static_cast<std::uint32_t>(1000 + i * (i % 7 == 0 ? 2 : 25))});
    }
    const QRegion clip = QRegion(0, 0, 200, 250) + QRegion(220, 60, 140, 100);
    const COLORREF c0 = MakeRgb(200, 30, 30), c1 = MakeRgb(30, 160, 40), c2 = MakeRgb(20, 40, 210);
    for (int kind = 0; kind < 2; ++kind) {
        for (const bool textured : {false, true}) {
            for (const bool outlined : {false, true}) {
                SCOPED_TRACE((kind == 0 ? "brush" : "fountain") +
                             std::string(textured ? ", textured" : "") +
                             (outlined ? ", outlined" : ""));
                std::unique_ptr<CInkPen> pen;
                if (textured) {
                    pen =
                        kind == 0
                            ? std::unique_ptr<CInkPen>(std::make_unique<CMaobiPen>(14, c0, c1, c2))
                            : std::make_unique<CGangbiPen>(14, c0, c1, c2);
                } else {
                    pen = MakeInkPen(kind, 14, c0);
                }
                for (const TimedXY& p : points) {
                    pen->AddPoint(p.x, p.y, p.tick);
                }
                pen->FinishStroke();
                if (outlined) {
                    // Filled from its traced outline, a texture through a mask.
                    pen->BuildOutline(400, 250);
                }
                CMemSurface masked(400, 250, kWhite);
                pentest::PainterOnlySurface painted(400, 250);
                masked.SetPaintClip(clip);
                painted.SetPaintClip(clip);
                pen->Draw(masked, 0, 0);
                pen->Draw(painted, 0, 0);
                const QImage expected = painted.Image().convertToFormat(QImage::Format_RGB32);
                EXPECT_GT(pentest::CountInk(masked.Image()), 5000);
                const int worst = pentest::MaxChannelDiff(masked.Image(), expected, masked.Rect());
                if (kind == 1 || outlined) {
                    // On these pixels the painter blends a texture through
                    // premultiplied ones, which can round a level apart.
                    EXPECT_LE(worst, textured ? 1 : 0);
                } else {
                    EXPECT_LE(worst, 12);
                    EXPECT_LT(pentest::CountDiff(masked.Image(), expected),
                              pentest::CountInk(masked.Image()) / 10);
                }
            }
        }
    }
}
