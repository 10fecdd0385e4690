// The eraser rebuilds only what the erased strokes covered: each pen's drawn
// extent must hold every pixel it paints, and the area-limited rebuild must
// give the picture (and the screen) a full rebuild gives.
#include "canvas/CanvasWnd.h"
#include "canvas/MainHub.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "canvas/ToolSettings.h"
#include "pens/InkPen.h"

#include "QtApp.h"

#include <QMouseEvent>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr int kPictureWidth = 360;
constexpr int kPictureHeight = 260;
constexpr int kBackground = 5;  // a built-in paper, far from plain white

int Uniform(std::mt19937& rng, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

COLORREF RandomColor(std::mt19937& rng)
{
    return MakeRgb(Uniform(rng, 0, 255), Uniform(rng, 0, 255), Uniform(rng, 0, 255));
}

// A finished stroke of `tool` as the canvas commits it: random colours,
// a width from 1 to 60 (mostly small), and one of three shapes: a tiny
// stroke of one to three points, a short polyline of up to five points
// (straight pieces), or a long wandering one that may leave the picture.
// Ink strokes get their outline, traced on a canvas of `canvas` size, half
// of the time. Points lie in `area` widened by 40 on every side.
std::unique_ptr<CPenTool> RandomStroke(std::mt19937& rng, int tool, const QRect& area,
                                       const QSize& canvas)
{
    CToolSettings settings;
    const auto t = static_cast<std::size_t>(tool);
    settings.m_toolWidth[t] = Uniform(rng, 0, 1) == 0 ? Uniform(rng, 1, 8) : Uniform(rng, 1, 60);
    for (COLORREF& c : settings.m_toolColor[t]) {
        c = RandomColor(rng);
    }
    settings.m_toolColorSel[t] = Uniform(rng, 0, 2);
    std::unique_ptr<CPenTool> pen = CreatePen(settings, tool);

    const int shape = Uniform(rng, 0, 2);
    const int count = shape == 0   ? Uniform(rng, 1, 3)
                      : shape == 1 ? Uniform(rng, 2, 5)
                                   : Uniform(rng, 6, 90);
    const int reach = shape == 0 ? 3 : 30;
    int x = Uniform(rng, area.left() - 40, area.right() + 40);
    int y = Uniform(rng, area.top() - 40, area.bottom() + 40);
    std::uint32_t tick = 1000;
    for (int i = 0; i < count; ++i) {
        pen->AddPoint(x, y, tick);
        x += Uniform(rng, -reach, reach);
        y += Uniform(rng, -reach, reach);
        tick += static_cast<std::uint32_t>(Uniform(rng, 1, 40));
    }
    pen->FinishStroke();
    if (auto* ink = dynamic_cast<CInkPen*>(pen.get()); ink && Uniform(rng, 0, 1) == 1) {
        ink->BuildOutline(canvas.width(), canvas.height());
    }
    return pen;
}

// The same strokes every time for one seed: every tool in a random order,
// over a picture of `size`.
std::vector<std::unique_ptr<CPenTool>> RandomStrokes(unsigned seed, int strokes, const QSize& size)
{
    std::vector<std::unique_ptr<CPenTool>> pens;
    std::mt19937 rng(seed);
    const QRect area(QPoint(0, 0), size);
    for (int i = 0; i < strokes; ++i) {
        pens.push_back(
            RandomStroke(rng, Uniform(rng, kFirstPenTool, kLastPenTool), area, area.size()));
    }
    return pens;
}

// A picture of those strokes, drawn onto the composed cache.
std::unique_ptr<CPicture> RandomPicture(unsigned seed, int strokes,
                                        const QSize& size = {kPictureWidth, kPictureHeight})
{
    auto picture = std::make_unique<CPicture>(size.width(), size.height(), kBackground);
    for (std::unique_ptr<CPenTool>& pen : RandomStrokes(seed, strokes, size)) {
        picture->AddStroke(std::move(pen));
    }
    picture->GetPictureSurface();
    return picture;
}

// Empty when the images match pixel for pixel, else where they first differ.
std::string FirstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return "sizes differ";
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u)) {
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    return {};
}

// Where the eraser goes: a point of a random stroke (so something is hit)
// or anywhere on or just off the picture.
QPoint EraserPosition(std::mt19937& rng, const CPicture& picture)
{
    if (picture.GetStrokeCount() > 0 && Uniform(rng, 0, 3) != 0) {
        const CPointArray& pts =
            picture.GetStroke(Uniform(rng, 0, picture.GetStrokeCount() - 1)).GetPoints();
        const StrokePoint& p = pts[static_cast<std::size_t>(Uniform(rng, 0, pts.GetCount() - 1))];
        return {p.x, p.y};
    }
    return {Uniform(rng, -15, kPictureWidth + 15), Uniform(rng, -15, kPictureHeight + 15)};
}

// Calls `check` with `perTool` random strokes of every pen tool in `area`
// of a square surface of `size`, each under a trace naming it.
template <typename Check>
void ForRandomStrokesOfEveryTool(std::mt19937& rng, int perTool, const QRect& area, int size,
                                 Check&& check)
{
    for (int tool = kFirstPenTool; tool <= kLastPenTool; ++tool) {
        for (int n = 0; n < perTool; ++n) {
            SCOPED_TRACE("tool " + std::to_string(tool) + ", stroke " + std::to_string(n));
            const std::unique_ptr<CPenTool> pen = RandomStroke(rng, tool, area, QSize(size, size));
            check(*pen);
        }
    }
}

class EraseRedrawTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};
}  // namespace

TEST_F(EraseRedrawTest, ExtentAndPiecesHoldEveryPixelEachToolPaintsOnWhiteAndOnBlack)
{
    // A surface with room around the strokes, so nothing they paint is cut off.
    constexpr int kSize = 640;
    const QRect middle(200, 200, 240, 240);
    std::mt19937 rng(4242u);
    ForRandomStrokesOfEveryTool(rng, 12, middle, kSize, [&](CPenTool& pen) {
        const QRect extent = pen.DrawnExtent();
        QRegion pieces;
        for (const QRect& r : pen.PieceRects()) {
            pieces |= r;
        }
        QRect painted;
        for (const COLORREF paper : {MakeRgb(255, 255, 255), MakeRgb(0, 0, 0)}) {
            const CMemSurface blank(kSize, kSize, paper);
            CMemSurface surface(kSize, kSize, paper);
            pen.Draw(surface, 0, 0);
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    if (surface.Image().pixel(x, y) != blank.Image().pixel(x, y)) {
                        ASSERT_TRUE(extent.contains(x, y))
                            << "pixel (" << x << ", " << y << ")";
                        ASSERT_TRUE(pieces.contains(QPoint(x, y)))
                            << "pixel (" << x << ", " << y << ") outside every piece";
                        painted |= QRect(x, y, 1, 1);
                    }
                }
            }
        }
        // Not needlessly large either: erasing the stroke should not
        // rebuild much more than it covered (judged when all of it is
        // on the surface; a long stroke may wander off).
        const int slack = 4 * pen.GetWidth() + 40;
        if (!painted.isEmpty() && QRect(0, 0, kSize, kSize).contains(extent)) {
            EXPECT_TRUE(painted.adjusted(-slack, -slack, slack, slack).contains(extent));
        }
    });
}

TEST_F(EraseRedrawTest, AreaRedrawAfterEachEraseMatchesFullRedrawPixelForPixel)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::unique_ptr<CPicture> partial = RandomPicture(seed, 36);
        const std::unique_ptr<CPicture> full = RandomPicture(seed, 36);
        std::mt19937 rng(seed * 7919u);
        for (int step = 0; step < 10; ++step) {
            const QPoint at = EraserPosition(rng, *partial);
            const CPicture::Erased erased = partial->EraseStrokesAt(at.x(), at.y());
            ASSERT_EQ(full->EraseAt(at.x(), at.y()), erased.removed);
            ASSERT_EQ(full->GetStrokeCount(), partial->GetStrokeCount());
            partial->RedrawArea(erased.damaged);
            full->Redraw();
            ASSERT_EQ(FirstDifference(partial->GetPictureSurface().Image(),
                                      full->GetPictureSurface().Image()),
                      "")
                << "after erasing at (" << at.x() << ", " << at.y() << ")";
        }
    }
}

TEST_F(EraseRedrawTest, EraserDragLeavesTheScreenAWholeCombineWouldGive)
{
    constexpr COLORREF kCanvasGrey = MakeRgb(170, 170, 170);
    CMainHub hub;
    CCanvasWnd canvas(hub, QRect(0, 0, kPictureWidth, kPictureHeight));
    canvas.DismissWelcome();
    hub.AdoptPicture(RandomPicture(11u, 40));
    canvas.Refresh();
    hub.SelectEraser();
    CPicture& picture = *hub.GetPicture();

    std::mt19937 rng(12u);
    quint64 timestamp = 1;
    const auto send = [&](QEvent::Type type, QPoint p) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(p), canvas.mapToGlobal(QPointF(p)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        event.setTimestamp(++timestamp);
        QCoreApplication::sendEvent(&canvas, &event);
    };
    for (int step = 0; step < 12; ++step) {
        const QImage before = canvas.GetScreenImage().Image();
        const QPoint at = EraserPosition(rng, picture);
        send(step == 0 ? QEvent::MouseButtonPress : QEvent::MouseMove, at);
        // What the screen became when every step ORed the whole picture in.
        CMemSurface expected(kPictureWidth, kPictureHeight, kCanvasGrey);
        picture.DrawTo(expected);
        CMemSurface screen(kPictureWidth, kPictureHeight, kCanvasGrey);
        screen.Image() = before;
        screen.OrFrom(expected, 0, 0);
        ASSERT_EQ(FirstDifference(canvas.GetScreenImage().Image(), screen.Image()), "")
            << "step " << step;
    }
    send(QEvent::MouseButtonRelease, {0, 0});
}

// Rebuilds split the rows between two threads, each drawing its part on a
// surface of its own; whatever the split, the result must be one plain pass
// of every stroke in order over the background.
TEST_F(EraseRedrawTest, RebuildsOnTwoThreadsGiveWhatOnePlainPassOfTheStrokesGives)
{
    const QSize size(1100, 700);
    for (const unsigned seed : {21u, 22u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::unique_ptr<CPicture> picture = RandomPicture(seed, 120, size);
        CMemSurface plain(size.width(), size.height(), MakeRgb(255, 255, 255));
        plain.CopyFrom(picture->GetBkgdSurface(), 0, 0);
        for (const std::unique_ptr<CPenTool>& pen : RandomStrokes(seed, 120, size)) {
            pen->Draw(plain, 0, 0);
        }
        ASSERT_EQ(FirstDifference(picture->GetPictureSurface().Image(), plain.Image()), "")
            << "after the first build";

        // Areas of a few large rectangles anywhere, some reaching off the
        // picture: rebuilding them must change nothing.
        std::mt19937 rng(seed);
        for (int step = 0; step < 6; ++step) {
            QRegion area;
            for (int k = Uniform(rng, 1, 4); k > 0; --k) {
                area |= QRect(Uniform(rng, -100, size.width() - 100),
                              Uniform(rng, -100, size.height() - 100), Uniform(rng, 130, 700),
                              Uniform(rng, 130, 500));
            }
            picture->RedrawArea(area);
            ASSERT_EQ(FirstDifference(picture->GetPictureSurface().Image(), plain.Image()), "")
                << "after rebuilding area " << step;
        }
        picture->MarkDirty();
        ASSERT_EQ(FirstDifference(picture->GetPictureSurface().Image(), plain.Image()), "")
            << "after a full rebuild";

        // The rebuilds draw on the global thread pool. With one or all of
        // its threads busy with other work for a while, or with just one
        // thread in it, a rebuild must finish, and give the same pixels.
        QThreadPool* const pool = QThreadPool::globalInstance();
        const int threads = pool->maxThreadCount();
        for (const int busyThreads : {threads, 1, 0}) {
            SCOPED_TRACE(std::to_string(busyThreads) + " pool threads busy");
            if (busyThreads == 0) {
                pool->setMaxThreadCount(1);
            }
            QSemaphore started;
            for (int i = 0; i < busyThreads; ++i) {
                pool->start([&started] {
                    started.release();
                    QThread::msleep(300);
                });
            }
            started.acquire(busyThreads);
            picture->RedrawArea(QRect(QPoint(0, 0), size));
            const QImage rebuilt = picture->GetPictureSurface().Image().copy();
            pool->waitForDone();
            pool->setMaxThreadCount(threads);
            ASSERT_EQ(FirstDifference(rebuilt, plain.Image()), "");
        }
    }
}

// Rebuilds clip every pen to the area they rebuild, trusting that a clipped
// stroke paints inside its clip what it paints unclipped, whatever the
// clip's shape: thin and wide pens alike, with and without their outline.
TEST_F(EraseRedrawTest, EachToolPaintsInsideAClipWhatItPaintsUnclipped)
{
    constexpr int kSize = 640;
    const QRect middle(100, 100, 440, 440);
    std::mt19937 rng(99u);
    ForRandomStrokesOfEveryTool(rng, 16, middle, kSize, [&](CPenTool& pen) {
        CMemSurface plain(kSize, kSize, MakeRgb(200, 180, 90));
        pen.Draw(plain, 0, 0);
        // A rectangle, a band of whole rows, and a region of several
        // rectangles.
        for (int kind = 0; kind < 3; ++kind) {
            const QRect r(Uniform(rng, 0, 500), Uniform(rng, 0, 500), Uniform(rng, 10, 300),
                          Uniform(rng, 10, 300));
            QRegion clip = kind == 1 ? QRegion(0, r.y(), kSize, r.height()) : QRegion(r);
            for (int k = kind == 2 ? 3 : 0; k > 0; --k) {
                clip |= QRect(Uniform(rng, 0, 500), Uniform(rng, 0, 500),
                              Uniform(rng, 10, 200), Uniform(rng, 10, 200));
            }
            CMemSurface clipped(kSize, kSize, MakeRgb(200, 180, 90));
            clipped.SetPaintClip(clip);
            pen.Draw(clipped, 0, 0);
            CMemSurface expected(kSize, kSize, MakeRgb(200, 180, 90));
            expected.CopyFrom(plain, clip);
            CMemSurface got(kSize, kSize, MakeRgb(200, 180, 90));
            got.CopyFrom(clipped, clip);
            ASSERT_EQ(FirstDifference(got.Image(), expected.Image()), "") << "clip " << kind;
        }
    });
}
