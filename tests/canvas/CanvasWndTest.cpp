#include "canvas/CanvasWnd.h"
#include "canvas/MainHub.h"
#include "canvas/Picture.h"
#include "tracing/Outline.h"

#include "QtApp.h"
#include "TestPens.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kCanvasGrey = 0xFFAAAAAAu;

class CanvasWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        canvas = std::make_unique<CCanvasWnd>(hub, QRect(0, 0, 700, 480));
        canvas->SetPenMaker([this](const CToolSettings& s, int tool) -> std::unique_ptr<CPenTool> {
            ++pensMade;
            return std::make_unique<CTestLinePen>(s.m_toolWidth[static_cast<std::size_t>(tool)],
                                                  s.SelectedColor(tool));
        });
        canvas->SetRecognizer({});
        // A background that cannot load keeps the picture plain white.
        hub.GetPicture()->m_nBkgd = -1;
        canvas->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas.get()));
    }

    void TearDown() override { canvas.reset(); }

    QWindow* Window() const { return canvas->windowHandle(); }
    CPicture& Picture() const { return *hub.GetPicture(); }

    void Press(QPoint p) { QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, p); }
    void Move(QPoint p) { QTest::mouseMove(Window(), p); }
    void Release(QPoint p) { QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, p); }

    void Drag(const std::vector<QPoint>& path)
    {
        Press(path.front());
        for (std::size_t i = 1; i < path.size(); ++i) {
            Move(path[i]);
        }
        Release(path.back());
    }

    void DismissWelcome()
    {
        canvas->DismissWelcome();
        ASSERT_FALSE(canvas->IsWelcome());
    }

    static void RunEventLoop() { QCoreApplication::processEvents(); }

    // Delivers a mouse event straight to the canvas, running no event loop
    // (the simulated input above lets the loop run after each event).
    void Send(QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(p), canvas->mapToGlobal(QPointF(p)), button, buttons,
                          Qt::NoModifier);
        event.setTimestamp(++timestamp);
        QCoreApplication::sendEvent(canvas.get(), &event);
    }
    void SendDrag(const std::vector<QPoint>& path)
    {
        Send(QEvent::MouseButtonPress, path.front(), Qt::LeftButton);
        for (std::size_t i = 1; i < path.size(); ++i) {
            Send(QEvent::MouseMove, path[i], Qt::LeftButton);
        }
        Send(QEvent::MouseButtonRelease, path.back(), Qt::NoButton);
    }
    quint64 timestamp = 1000;

    CMainHub hub;
    std::unique_ptr<CCanvasWnd> canvas;
    int pensMade = 0;
};
}  // namespace

TEST_F(CanvasWndTest, CreatesThePictureAtItsOwnSize)
{
    ASSERT_NE(hub.GetPicture(), nullptr);
    EXPECT_EQ(Picture().GetWidth(), 700);
    EXPECT_EQ(Picture().GetHeight(), 480);
    EXPECT_EQ(hub.GetCanvas(), canvas.get());
}

TEST_F(CanvasWndTest, FirstPressDuringWelcomeOnlyDismissesIt)
{
    ASSERT_TRUE(canvas->IsWelcome());
    // The welcome picture (600 x 397) sits centred on black.
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 20, 20), kBlack);
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 680, 460), kBlack);
    EXPECT_NE(PixelAt(canvas->GetScreenImage(), 350, 240), kBlack);

    Drag({{50, 50}, {80, 60}, {120, 90}});
    RunEventLoop();
    EXPECT_FALSE(canvas->IsWelcome());
    EXPECT_EQ(pensMade, 0);
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    // Now the picture shows: the white (unloadable) background.
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 350, 240), 0xFFFFFFFFu);
}

TEST_F(CanvasWndTest, ClickWithoutMovementAddsNoStroke)
{
    DismissWelcome();
    Press({100, 100});
    Release({100, 100});
    RunEventLoop();
    EXPECT_EQ(pensMade, 1);
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    EXPECT_EQ(canvas->GetPendingCommitCount(), 0);
}

// The press position is the stroke's first point, so one move makes the
// two points a stroke needs: the stroke runs from where the button went down.
TEST_F(CanvasWndTest, PressWithOneMoveIsAStrokeFromThePress)
{
    DismissWelcome();
    Drag({{100, 100}, {140, 100}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_EQ(Picture().GetStroke(0).GetPoints()[0].x, 100);
    EXPECT_EQ(Picture().GetStroke(0).GetPoints()[1].x, 140);
}

TEST_F(CanvasWndTest, StrokeIsCommittedOnlyWhenTheQueuedCommitRuns)
{
    DismissWelcome();
    SendDrag({{20, 30}, {60, 30}, {100, 30}, {140, 30}});
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    EXPECT_EQ(canvas->GetPendingCommitCount(), 1);
    // The live drawing is already on screen.
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 80, 30), kBlack);

    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_EQ(canvas->GetPendingCommitCount(), 0);
    const CPointArray& pts = Picture().GetStroke(0).GetPoints();
    // The press position is the first point.
    ASSERT_EQ(pts.GetCount(), 4);
    EXPECT_EQ(pts[0].x, 20);
    EXPECT_EQ(pts[3].x, 140);
    EXPECT_EQ(PixelAt(Picture().GetPictureSurface(), 120, 30), kBlack);
}

TEST_F(CanvasWndTest, DraggingOutsideKeepsTheStrokeWithOutsideCoordinates)
{
    DismissWelcome();
    Drag({{30, 30}, {10, 10}, {-25, -40}, {800, 520}, {200, 100}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    const CPointArray& pts = Picture().GetStroke(0).GetPoints();
    ASSERT_EQ(pts.GetCount(), 5);
    EXPECT_EQ(pts[2].x, -25);
    EXPECT_EQ(pts[2].y, -40);
    EXPECT_EQ(pts[3].x, 800);
    EXPECT_EQ(pts[3].y, 520);
}

TEST_F(CanvasWndTest, PointsCarryTheInputEventTimes)
{
    DismissWelcome();
    timestamp = 50'000;
    SendDrag({{10, 10}, {20, 10}, {30, 10}, {40, 12}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    const CPointArray& pts = Picture().GetStroke(0).GetPoints();
    ASSERT_EQ(pts.GetCount(), 4);
    // The press at 50001, then the moves at 50002, 50003 and 50004.
    EXPECT_EQ(pts[0].time, 50'001u);
    EXPECT_EQ(pts[1].time, 50'002u);
    EXPECT_EQ(pts[3].time, 50'004u);
}

TEST_F(CanvasWndTest, EachStrokeUsesTheCurrentToolsSettings)
{
    DismissWelcome();
    hub.SelectTool(4);
    hub.m_toolWidth[4] = 9;
    Drag({{10, 10}, {50, 10}, {90, 10}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_EQ(Picture().GetStroke(0).GetWidth(), 9);
    EXPECT_EQ(Picture().GetStroke(0).GetColor(0), MakeRgb(255, 255, 0));
}

TEST_F(CanvasWndTest, RecognisedShapeReplacesTheFreehandStroke)
{
    DismissWelcome();
    hub.m_toolRecog[1] = 1;
    canvas->SetRecognizer([](const CPointArray& in, CPointArray& out) {
        if (in.GetCount() < 3) {
            return false;
        }
        out.Add(200, 200, 1);
        out.Add(300, 200, 1);
        return true;
    });
    Drag({{20, 50}, {60, 80}, {100, 40}, {140, 90}});
    // Committed at once, and the screen now shows the shape, not the stroke.
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_EQ(canvas->GetPendingCommitCount(), 0);
    EXPECT_EQ(Picture().GetStroke(0).GetPoints()[0].x, 200);
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 250, 200), kBlack);
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 80, 60), 0xFFFFFFFFu);
    RunEventLoop();
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
}

TEST_F(CanvasWndTest, EraserRemovesEveryStrokeUnderTheSquare)
{
    DismissWelcome();
    CPicture& picture = Picture();
    std::vector<std::unique_ptr<CTestLinePen>> pens;
    pens.push_back(MakeLine({{0, 100}, {300, 100}}));
    pens.push_back(MakeLine({{150, 0}, {150, 230}}));
    pens.push_back(MakeLine({{0, 200}, {300, 200}}, MakeRgb(255, 0, 0)));
    for (auto& pen : pens) {
        CPenTool& ref = *pen;
        picture.AddStroke(std::move(pen));
        picture.DrawStroke(ref);
    }
    canvas->Refresh();
    hub.SelectEraser();

    // One press where two strokes cross takes both.
    Press({150, 100});
    EXPECT_EQ(picture.GetStrokeCount(), 1);
    Move({150, 150});
    EXPECT_EQ(picture.GetStrokeCount(), 1);
    Move({40, 190});
    EXPECT_EQ(picture.GetStrokeCount(), 0);
    Release({40, 190});
    EXPECT_EQ(pensMade, 0);

    // After release the screen shows exactly the remaining picture.
    const QImage screen = canvas->GetScreenImage().Image();
    const QImage composed = picture.GetPictureSurface().Image();
    EXPECT_EQ(screen.copy(0, 0, 700, 480), composed.convertToFormat(screen.format()));
}

TEST_F(CanvasWndTest, QueuedStrokeIsFreedWhenTheCanvasGoesFirst)
{
    DismissWelcome();
    SendDrag({{20, 30}, {60, 30}, {100, 30}});
    ASSERT_EQ(canvas->GetPendingCommitCount(), 1);
    canvas.reset();
    RunEventLoop();
    EXPECT_EQ(hub.GetCanvas(), nullptr);
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
}

TEST_F(CanvasWndTest, PressWithoutTheLastReleaseEndsTheOpenStrokeFirst)
{
    DismissWelcome();
    Send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    Send(QEvent::MouseMove, {30, 10}, Qt::LeftButton);
    Send(QEvent::MouseMove, {50, 10}, Qt::LeftButton);
    // The release went elsewhere; the next press starts a new stroke.
    SendDrag({{10, 100}, {30, 100}, {50, 100}, {70, 100}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 2);
    EXPECT_EQ(Picture().GetStroke(0).GetPoints().GetCount(), 3);
    EXPECT_EQ(Picture().GetStroke(1).GetPoints().GetCount(), 4);
    EXPECT_EQ(Picture().GetStroke(1).GetPoints()[0].y, 100);
}

TEST_F(CanvasWndTest, NewPictureRepaintsTheBareBackground)
{
    DismissWelcome();
    Drag({{20, 30}, {60, 30}, {100, 30}});
    RunEventLoop();
    ASSERT_EQ(PixelAt(canvas->GetScreenImage(), 80, 30), kBlack);
    hub.NewPicture();
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    // Rebuilt: the unloadable background shows the rebuild grey.
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 80, 30), kCanvasGrey);
}

namespace {
// The program's own pens, through the whole capture: press, moves, release,
// commit. Recognition off, so every stroke is committed as drawn.
class CanvasRealPensTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        TestApp();
        canvas = std::make_unique<CCanvasWnd>(hub, QRect(0, 0, 400, 300));
        canvas->SetRecognizer({});
        hub.GetPicture()->m_nBkgd = 0;  // the plain white sheet
        canvas->DismissWelcome();
    }

    // Pixels of the region that differ from white.
    static int Inked(const QImage& image, const QRect& region)
    {
        int n = 0;
        for (int y = region.top(); y <= region.bottom(); ++y) {
            for (int x = region.left(); x <= region.right(); ++x) {
                n += (image.pixel(x, y) | 0xFF000000u) != 0xFFFFFFFFu ? 1 : 0;
            }
        }
        return n;
    }

    CMainHub hub;
    std::unique_ptr<CCanvasWnd> canvas;
};
}  // namespace

TEST_P(CanvasRealPensTest, DrawsLiveAndCommitsTheSameStroke)
{
    const int tool = GetParam();
    hub.SelectTool(tool);
    hub.m_toolRecog[static_cast<std::size_t>(tool)] = 0;
    hub.m_toolWidth[static_cast<std::size_t>(tool)] = 10;
    quint64 t = 5000;
    auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(p), canvas->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        e.setTimestamp(t += 15);
        QCoreApplication::sendEvent(canvas.get(), &e);
    };
    send(QEvent::MouseButtonPress, {60, 150}, Qt::LeftButton, Qt::LeftButton);
    for (int x = 66; x <= 340; x += 6) {
        send(QEvent::MouseMove, {x, 150 + (x % 24 == 0 ? 2 : 0)}, Qt::NoButton, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, {340, 150}, Qt::LeftButton, Qt::NoButton);
    const QRect band(60, 120, 281, 61);
    EXPECT_GT(Inked(canvas->GetScreenImage().Image(), band), 200) << "live drawing, tool " << tool;

    QCoreApplication::processEvents();
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 1);
    const QImage composed = hub.GetPicture()->GetPictureSurface().Image();
    EXPECT_GT(Inked(composed, band), 200) << "committed stroke, tool " << tool;
    EXPECT_EQ(Inked(composed, QRect(0, 0, 400, 100)), 0) << "tool " << tool;
}

INSTANTIATE_TEST_SUITE_P(EveryPenTool, CanvasRealPensTest, ::testing::Range(1, 13));

TEST_F(CanvasRealPensTest, RecognisedCircleReplacesTheFreehandStroke)
{
    canvas->SetRecognizer(&RecognizeStrokeShape);
    hub.SelectTool(1);
    hub.m_toolRecog[1] = 1;
    quint64 t = 9000;
    auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(p), canvas->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        e.setTimestamp(t += 15);
        QCoreApplication::sendEvent(canvas.get(), &e);
    };
    // A wobbly hand-drawn circle of radius about 80 around (200, 150).
    std::vector<QPoint> drawn;
    for (int i = 0; i <= 64; ++i) {
        const double a = i * 6.2831853 / 64.0;
        const double r = 80.0 + ((i % 4) - 1.5) * 1.5;
        drawn.emplace_back(200 + static_cast<int>(r * std::cos(a)),
                           150 + static_cast<int>(r * std::sin(a)));
    }
    send(QEvent::MouseButtonPress, drawn.front(), Qt::LeftButton, Qt::LeftButton);
    for (const QPoint& p : drawn) {
        send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    }
    send(QEvent::MouseButtonRelease, drawn.back(), Qt::LeftButton, Qt::NoButton);

    // Committed at once (no queued commit), as a new pen of the same tool.
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 1);
    EXPECT_EQ(canvas->GetPendingCommitCount(), 0);
    const CPenTool& shape = hub.GetPicture()->GetStroke(0);
    EXPECT_EQ(shape.GetWidth(), hub.m_toolWidth[1]);
    const CPointArray& pts = shape.GetPoints();
    ASSERT_GT(pts.GetCount(), 8);
    bool differs = pts.GetCount() != static_cast<int>(drawn.size());
    for (int i = 0; i < pts.GetCount(); ++i) {
        const auto& p = pts[static_cast<std::size_t>(i)];
        const double r = std::hypot(p.x - 200.0, p.y - 150.0);
        EXPECT_NEAR(r, 80.0, 6.0) << "point " << i;
        if (!differs && (p.x != drawn[static_cast<std::size_t>(i)].x() ||
                         p.y != drawn[static_cast<std::size_t>(i)].y())) {
            differs = true;
        }
    }
    EXPECT_TRUE(differs) << "the freehand points were kept";
    QCoreApplication::processEvents();
    EXPECT_EQ(hub.GetPicture()->GetStrokeCount(), 1);
}

namespace {
// Mouse events for the real pens, 15 ms apart.
void SendTimed(CCanvasWnd& canvas, QEvent::Type type, QPoint p, Qt::MouseButton b,
               Qt::MouseButtons bs)
{
    static quint64 t = 20000;
    QMouseEvent e(type, QPointF(p), canvas.mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
    e.setTimestamp(t += 15);
    QCoreApplication::sendEvent(&canvas, &e);
}

void SendTimedDrag(CCanvasWnd& canvas, const std::vector<QPoint>& path, bool release = true)
{
    SendTimed(canvas, QEvent::MouseButtonPress, path.front(), Qt::LeftButton, Qt::LeftButton);
    for (const QPoint& p : path) {
        SendTimed(canvas, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    }
    if (release) {
        SendTimed(canvas, QEvent::MouseButtonRelease, path.back(), Qt::LeftButton, Qt::NoButton);
    }
}

std::vector<QPoint> HorizontalPath(int y)
{
    std::vector<QPoint> path;
    for (int x = 60; x <= 340; x += 5) {
        path.emplace_back(x, y);
    }
    return path;
}
}  // namespace

TEST_F(CanvasRealPensTest, InkStrokeIsShapedOnAWorkerThenCommittedWithItsOutline)
{
    for (const int tool : {7, 10}) {
        hub.SelectTool(tool);
        hub.m_toolRecog[static_cast<std::size_t>(tool)] = 1;
        const int before = hub.GetPicture()->GetStrokeCount();
        SendTimedDrag(*canvas, HorizontalPath(80 + 60 * (tool - 7) / 3));
        EXPECT_EQ(canvas->GetPendingCommitCount(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(canvas->GetShapingCount(), 0, 10000);
        ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), before + 1) << tool;
        const CPenTool& shaped = hub.GetPicture()->GetStroke(before);
        ASSERT_NE(shaped.GetOutline(), nullptr) << tool;
        EXPECT_GT(shaped.GetOutline()->GetCount(), 0) << tool;
    }
    // Both strokes are on the composed picture and on the screen.
    const QRect band(60, 60, 281, 100);
    EXPECT_GT(Inked(hub.GetPicture()->GetPictureSurface().Image(), band), 1000);
    EXPECT_GT(Inked(canvas->GetScreenImage().Image(), band), 1000);
}

// Two ink strokes on two workers at once: each comes back once, with its
// outline, as its own two steps (as drawn, then reshaped), whichever worker
// finishes first. Under ThreadSanitizer this is the run where both workers
// hand their pens back while the other is still shaping.
TEST_F(CanvasRealPensTest, TwoInkStrokesShapedAtOnceAreEachCommittedOnce)
{
    hub.SelectTool(7);
    hub.m_toolRecog[7] = 1;
    SendTimedDrag(*canvas, HorizontalPath(80));
    SendTimedDrag(*canvas, HorizontalPath(220));
    // The commits are posted to the event loop, which has not run yet.
    ASSERT_EQ(canvas->GetShapingCount(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(canvas->GetShapingCount(), 0, 10000);
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 2);
    std::vector<int> rows;
    for (int i = 0; i < 2; ++i) {
        const CPenTool& shaped = hub.GetPicture()->GetStroke(i);
        ASSERT_NE(shaped.GetOutline(), nullptr) << i;
        EXPECT_GT(shaped.GetOutline()->GetCount(), 0) << i;
        rows.push_back((shaped.GetBounds().top + shaped.GetBounds().bottom) / 2);
    }
    std::sort(rows.begin(), rows.end());
    EXPECT_NEAR(rows[0], 80, 15);
    EXPECT_NEAR(rows[1], 220, 15);
    for (int step = 0; step < 4; ++step) {
        EXPECT_TRUE(hub.Undo()) << step;
    }
    EXPECT_FALSE(hub.Undo());
    EXPECT_EQ(hub.GetPicture()->GetStrokeCount(), 0);
}

TEST_F(CanvasRealPensTest, RepaintDuringACaptureWaitsSoTheLiveStrokeStays)
{
    hub.SelectTool(1);
    hub.m_toolRecog[1] = 0;
    SendTimedDrag(*canvas, HorizontalPath(150), false);
    const QRect band(60, 130, 281, 41);
    const int live = Inked(canvas->GetScreenImage().Image(), band);
    ASSERT_GT(live, 200);
    canvas->Refresh();  // as a shaped ink stroke's commit would
    EXPECT_EQ(Inked(canvas->GetScreenImage().Image(), band), live);

    SendTimed(*canvas, QEvent::MouseButtonRelease, {340, 150}, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(hub.GetPicture()->GetStrokeCount(), 1);
    EXPECT_GT(Inked(canvas->GetScreenImage().Image(), band), 200);
}

TEST_F(CanvasRealPensTest, ClosingWhileAnInkStrokeIsShapedWaitsForTheWorker)
{
    hub.SelectTool(8);
    hub.m_toolRecog[8] = 1;
    SendTimedDrag(*canvas, HorizontalPath(150));
    canvas.reset();  // must not free the pen under the running worker
    QCoreApplication::processEvents();
    EXPECT_EQ(hub.GetPicture()->GetStrokeCount(), 0);
}

// Coarse moves (50 px apart) from x 50 to 750: after the commit the screen
// shows exactly the composed picture, which a save writes, and the stroke
// starts where the button went down and ends at the last move.
TEST_P(CanvasRealPensTest, AfterTheCommitTheScreenIsThePicture)
{
    const int tool = GetParam();
    canvas.reset();
    canvas = std::make_unique<CCanvasWnd>(hub, QRect(0, 0, 800, 200));
    canvas->SetRecognizer({});
    hub.GetPicture()->m_nBkgd = 0;
    canvas->DismissWelcome();
    hub.SelectTool(tool);
    hub.m_toolRecog[static_cast<std::size_t>(tool)] = 0;
    hub.m_toolWidth[static_cast<std::size_t>(tool)] = 8;
    std::vector<QPoint> path;
    for (int x = 50; x <= 750; x += 50) {
        path.emplace_back(x, 100 + (x % 100 == 0 ? 20 : -20));
    }
    SendTimedDrag(*canvas, path);
    QCoreApplication::processEvents();
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 1) << tool;
    const CPointArray& pts = hub.GetPicture()->GetStroke(0).GetPoints();
    EXPECT_EQ(pts[0].x, 50) << tool;
    EXPECT_EQ(pts[static_cast<std::size_t>(pts.GetCount() - 1)].x, 750) << tool;
    const QImage composed = hub.GetPicture()->GetPictureSurface().Image();
    const QImage screen = canvas->GetScreenImage().Image();
    int differing = 0;
    for (int y = 0; y < composed.height(); ++y) {
        for (int x = 0; x < composed.width(); ++x) {
            differing += (composed.pixel(x, y) | 0xFF000000u) != (screen.pixel(x, y) | 0xFF000000u);
        }
    }
    EXPECT_EQ(differing, 0) << "tool " << tool;
    // Ink at both ends: the first and the last half-segment are committed.
    if (tool != 11 && tool != 12) {
        EXPECT_GT(Inked(composed, QRect(45, 60, 25, 80)), 0) << tool;
        EXPECT_GT(Inked(composed, QRect(730, 60, 25, 80)), 0) << tool;
    }
}

TEST_F(CanvasWndTest, UndoDuringAStrokeEndsItThenUndoesIt)
{
    DismissWelcome();
    SendDrag({{20, 30}, {60, 30}, {100, 30}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    Send(QEvent::MouseButtonPress, {20, 200}, Qt::LeftButton);
    Send(QEvent::MouseMove, {80, 200}, Qt::LeftButton);
    Send(QEvent::MouseMove, {140, 200}, Qt::LeftButton);
    ASSERT_TRUE(canvas->IsCapturing());
    EXPECT_TRUE(hub.Undo());
    EXPECT_FALSE(canvas->IsCapturing());
    EXPECT_EQ(canvas->GetPendingCommitCount(), 0);
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_EQ(Picture().GetStroke(0).GetPoints()[0].y, 30);
    // The screen lost the undone stroke (the unloadable background is white).
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 80, 200), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 80, 30), kBlack);
    // The release that follows changes nothing.
    Send(QEvent::MouseButtonRelease, {140, 200}, Qt::NoButton);
    RunEventLoop();
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_TRUE(hub.Redo());
    ASSERT_EQ(Picture().GetStrokeCount(), 2);
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 80, 200), kBlack);
}

TEST_F(CanvasWndTest, EraserDragIsOneStepRestoringTheDrawingOrder)
{
    DismissWelcome();
    for (const int y : {40, 80, 120}) {
        SendDrag({{20, y}, {300, y}, {320, y}});
        RunEventLoop();
    }
    const std::vector<const CPenTool*> before{&Picture().GetStroke(0), &Picture().GetStroke(1),
                                              &Picture().GetStroke(2)};
    hub.SelectEraser();
    // One drag down across the first and the last stroke, beside the middle.
    SendDrag({{100, 40}, {250, 60}, {250, 120}});
    RunEventLoop();
    ASSERT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_EQ(&Picture().GetStroke(0), before[1]);
    EXPECT_EQ(hub.GetHistory().GetCount(), 4u);
    EXPECT_TRUE(hub.Undo());
    ASSERT_EQ(Picture().GetStrokeCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(&Picture().GetStroke(i), before[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(PixelAt(canvas->GetScreenImage(), 200, 120), kBlack);

    // An undo in the middle of a drag ends the drag as its own step first.
    Send(QEvent::MouseButtonPress, {150, 80}, Qt::LeftButton);
    ASSERT_EQ(Picture().GetStrokeCount(), 2);
    EXPECT_TRUE(hub.Undo());
    EXPECT_FALSE(canvas->IsCapturing());
    EXPECT_EQ(Picture().GetStrokeCount(), 3);
    Send(QEvent::MouseMove, {150, 40}, Qt::LeftButton);
    EXPECT_EQ(Picture().GetStrokeCount(), 3);
    EXPECT_EQ(canvas->GetScreenImage().Image(), Picture().GetPictureSurface().Image());
}

TEST_F(CanvasWndTest, RightClickMenuUndoesAndRedoesWhenThereIsSomethingToDo)
{
    DismissWelcome();
    {
        QMenu menu;
        canvas->FillContextMenu(menu);
        ASSERT_EQ(menu.actions().size(), 2);
        EXPECT_EQ(menu.actions()[0]->text(), QStringLiteral("撤销"));
        EXPECT_EQ(menu.actions()[1]->text(), QStringLiteral("重做"));
        EXPECT_FALSE(menu.actions()[0]->isEnabled());
        EXPECT_FALSE(menu.actions()[1]->isEnabled());
    }
    SendDrag({{20, 30}, {60, 30}, {100, 30}});
    RunEventLoop();
    QMenu menu;
    canvas->FillContextMenu(menu);
    ASSERT_TRUE(menu.actions()[0]->isEnabled());
    EXPECT_FALSE(menu.actions()[1]->isEnabled());
    menu.actions()[0]->trigger();
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    QMenu after;
    canvas->FillContextMenu(after);
    EXPECT_FALSE(after.actions()[0]->isEnabled());
    ASSERT_TRUE(after.actions()[1]->isEnabled());
    after.actions()[1]->trigger();
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
}

// An ink stroke still on its worker when the user undoes: its commit comes
// later as steps of its own (as drawn, then reshaped), nothing is lost or
// doubled, and the screen follows the picture throughout.
TEST_F(CanvasRealPensTest, InkCommitArrivingAfterAnUndoIsAStepOfItsOwn)
{
    hub.SelectTool(1);
    hub.m_toolRecog[1] = 0;
    SendTimedDrag(*canvas, HorizontalPath(60));
    QCoreApplication::processEvents();
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 1);

    hub.SelectTool(7);
    hub.m_toolRecog[7] = 1;
    SendTimedDrag(*canvas, HorizontalPath(200));
    ASSERT_EQ(canvas->GetShapingCount(), 1);
    // The shaped commit is posted to the event loop, which has not run.
    EXPECT_TRUE(hub.Undo());
    EXPECT_EQ(hub.GetPicture()->GetStrokeCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(canvas->GetShapingCount(), 0, 10000);
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 1);
    EXPECT_NE(hub.GetPicture()->GetStroke(0).GetOutline(), nullptr);
    const QImage shaped = hub.GetPicture()->GetPictureSurface().Image().copy();
    EXPECT_EQ(canvas->GetScreenImage().Image(), shaped);

    EXPECT_TRUE(hub.Undo());
    ASSERT_EQ(hub.GetPicture()->GetStrokeCount(), 1);
    EXPECT_EQ(hub.GetPicture()->GetStroke(0).GetOutline(), nullptr);
    EXPECT_EQ(canvas->GetScreenImage().Image(), hub.GetPicture()->GetPictureSurface().Image());
    EXPECT_TRUE(hub.Undo());
    EXPECT_EQ(hub.GetPicture()->GetStrokeCount(), 0);
    // The first stroke's redo went with the new change.
    EXPECT_FALSE(hub.Undo());
    EXPECT_TRUE(hub.Redo());
    EXPECT_TRUE(hub.Redo());
    EXPECT_FALSE(hub.Redo());
    EXPECT_EQ(hub.GetPicture()->GetPictureSurface().Image(), shaped);
    EXPECT_EQ(canvas->GetScreenImage().Image(), shaped);
}
