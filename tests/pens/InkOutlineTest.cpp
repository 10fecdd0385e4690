#include "InkTestSupport.h"

#include "geometry/DiagLog.h"
#include "geometry/PixelWalk.h"
#include "pens/GangbiPen.h"
#include "pens/MaobiPen.h"
#include "tracing/Outline.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace inktest;

namespace {

constexpr int kCanvasW = 200;
constexpr int kCanvasH = 120;

std::unique_ptr<CInkPen> Stroke(int kind, int w, std::initializer_list<std::pair<int, int>> xy)
{
    std::unique_ptr<CInkPen> pen;
    if (kind == 0) {
        pen = std::make_unique<CMaobiPen>(w, kBlack);
    } else {
        pen = std::make_unique<CGangbiPen>(w, kBlack);
    }
    std::uint32_t t = 1000;
    for (const auto& [x, y] : xy) {
        pen->AddPoint(x, y, t += 200);  // slow: full width throughout
    }
    pen->FinishStroke();
    return pen;
}

// Builds the outline with the diagnostic log open and returns its lines.
std::vector<std::string> BuildLogged(CInkPen& pen, int cx, int cy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("diag.log");
    EXPECT_TRUE(DiagLogOpen(path.toStdString()));
    pen.BuildOutline(cx, cy);
    DiagLogClose();
    std::vector<std::string> lines;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (!line.isEmpty()) {
                lines.push_back(line.toStdString());
            }
        }
    }
    return lines;
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The fountain pen's centre line (half a width below right of the points)
// is inked in the filled outline along the middle half of every segment.
// The corners are left out: the smooth fill rounds them off.
void ExpectNoGapAlong(const CInkPen& pen, const QImage& img)
{
    const auto& pts = pen.GetPoints().Points();
    const int half = pen.GetWidth() / 2;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const int steps = std::max(std::abs(pts[i].x - pts[i - 1].x),
                                   std::abs(pts[i].y - pts[i - 1].y));
        int k = 0;
        WalkPixelLine(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, [&](int x, int y) {
            if (k >= steps / 4 && k <= 3 * steps / 4) {
                EXPECT_GT(Darkness(img, x + half, y + half), 0.9)
                    << "gap at " << x << "," << y << " in segment " << i;
            }
            ++k;
        });
    }
}

TEST(InkOutline, StrokeWithoutCrossingsIsTracedInOnePiece)
{
    auto pen = Stroke(1, 8, {{20, 20}, {50, 22}, {80, 30}, {110, 50}, {130, 80}, {140, 100}});
    EXPECT_TRUE(BuildLogged(*pen, kCanvasW, kCanvasH).empty());
    ASSERT_NE(pen->GetOutline(), nullptr);
    EXPECT_EQ(pen->GetOutline()->GetCount(), 1);  // one ink region, no holes

    CMemSurface s(kCanvasW, kCanvasH, kWhite);
    pen->Draw(s, 0, 0);
    ExpectNoGapAlong(*pen, s.Image());
}

TEST(InkOutline, LoopIsSplitAndItsPiecesOverlapWithoutAGap)
{
    // Along y = 100, round, and down across it at (100, 100): the segment
    // ending at point 9 crosses the one from point 2 to 3, so the first
    // piece ends at 7 and the second starts at 5.
    auto pen = Stroke(1, 12, {{0, 100}, {40, 100}, {80, 100}, {120, 100}, {160, 100},
                              {160, 60}, {120, 20}, {100, 20}, {100, 60}, {100, 140},
                              {100, 180}});
    const std::vector<std::string> log = BuildLogged(*pen, 220, 220);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(EndsWith(log[0], "] 7") || EndsWith(log[0], "]7")) << log[0];
    EXPECT_GE(pen->GetOutline()->GetCount(), 2);

    CMemSurface s(220, 220, kWhite);
    pen->Draw(s, 0, 0);
    ExpectNoGapAlong(*pen, s.Image());
}

TEST(InkOutline, FewerThanSixPointsAreNeverSplit)
{
    auto pen = Stroke(0, 6, {{10, 10}, {40, 10}, {40, 20}, {30, 20}, {30, 0}});
    EXPECT_TRUE(BuildLogged(*pen, kCanvasW, kCanvasH).empty());
    EXPECT_GE(pen->GetOutline()->GetCount(), 1);
}

TEST(InkOutline, InkOutsideTheCanvasIsCutOff)
{
    auto pen = Stroke(0, 12, {{-30, 60}, {20, 60}, {80, 60}, {150, 60}, {230, 60}});
    pen->BuildOutline(kCanvasW, kCanvasH);
    ASSERT_GE(pen->GetOutline()->GetCount(), 1);
    for (int c = 0; c < pen->GetOutline()->GetCount(); ++c) {
        for (const StrokePoint& p : pen->GetOutline()->At(c)) {
            EXPECT_TRUE(p.x >= 0 && p.x <= kCanvasW && p.y >= 0 && p.y <= kCanvasH)
                << p.x << "," << p.y;
        }
    }
}

TEST(InkOutline, DrawFillsTheOutlineTheSameWayEachTime)
{
    for (int kind = 0; kind < 2; ++kind) {
        auto pen = Stroke(kind, 10, {{20, 30}, {60, 40}, {100, 35}, {140, 70}});
        CMemSurface dabs(kCanvasW, kCanvasH, kWhite);
        pen->Draw(dabs, 0, 0);
        pen->BuildOutline(kCanvasW, kCanvasH);
        const int contours = pen->GetOutline()->GetCount();
        pen->BuildOutline(kCanvasW, kCanvasH);  // a fresh outline, not a second copy
        EXPECT_EQ(pen->GetOutline()->GetCount(), contours);

        CMemSurface a(kCanvasW, kCanvasH, kWhite), b(kCanvasW, kCanvasH, kWhite);
        pen->Draw(a, 0, 0);
        pen->Draw(b, 0, 0);
        EXPECT_EQ(a.Image(), b.Image());
        // The smooth fill covers about what the dabs covered, but is not
        // the dabs themselves.
        EXPECT_NE(a.Image(), dabs.Image());
        EXPECT_NEAR(InkArea(a.Image()), InkArea(dabs.Image()), 0.08 * InkArea(dabs.Image()));
    }
}

}  // namespace
