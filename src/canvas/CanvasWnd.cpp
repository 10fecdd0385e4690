#include "canvas/CanvasWnd.h"

#include "canvas/CommitSteps.h"
#include "canvas/EraseStep.h"
#include "canvas/InkShaping.h"
#include "canvas/MainHub.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "canvas/ThreadHandoff.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"
#include "pens/InkPen.h"
#include "pens/PenTool.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace {
constexpr COLORREF kBlack = MakeRgb(0, 0, 0);
constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
constexpr COLORREF kCanvasGrey = MakeRgb(170, 170, 170);

// Mouse positions arrive in logical pixels, integral on every platform we
// run on; a fraction still lands in the pixel that contains it.
int ToPixel(qreal v) { return static_cast<int>(std::floor(v)); }

// Every ink shaping task is handed to its worker through the first mark: the
// worker takes it over before it reads anything of its task, its captures
// included. The second orders every finished task before the canvas goes.
const char kInkTaskHandoff = 0;
const char kInkTaskDone = 0;
}  // namespace

CCanvasWnd::CCanvasWnd(CMainHub& hub, const QRect& geometry, QWidget* parent)
    : QWidget(parent),
      m_hub(hub),
      m_pWelcome(std::make_unique<CResImage>()),
      m_makePen(&CreatePen),
      m_recognize(&RecognizeStrokeShape)
{
    // Every pixel is painted from the screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(geometry);

    m_pWelcome->LoadNamed(QStringLiteral("IDR_WELCOME"));
    const int cx = geometry.width();
    const int cy = geometry.height();
    m_pSurface = std::make_unique<CMemSurface>(cx, cy, kWhite);
    m_hub.AdoptPicture(std::make_unique<CPicture>(cx, cy, 0));
    m_pListenedPicture = m_hub.GetPicture();
    m_listenerId =
        m_pListenedPicture->AddChangeListener([this](const QRect& area) { OnPictureChanged(area); });
    m_hub.SetCanvas(this);
    m_hub.m_finishDrag = [this] { FinishDrag(); };

    m_welcomeTimer.setSingleShot(true);
    connect(&m_welcomeTimer, &QTimer::timeout, this, &CCanvasWnd::DismissWelcome);
    m_welcomeTimer.start(kWelcomeMs);
    Refresh();
}

CCanvasWnd::~CCanvasWnd()
{
    // Workers touch their pens until they finish: let them, before the pens
    // go. Commits they post to this window are dropped with it. The pool's
    // wait orders the workers' last steps before what follows; the mark
    // tells ThreadSanitizer so.
    m_inkWorkers.waitForDone();
    TakeOver(&kInkTaskDone);
    if (m_hub.GetCanvas() == this) {
        m_hub.SetCanvas(nullptr);
        m_hub.m_finishDrag = nullptr;
    }
    // The hub may have destroyed the picture first (the main window does).
    if (m_pListenedPicture && m_hub.GetPicture() == m_pListenedPicture) {
        m_pListenedPicture->RemoveChangeListener(m_listenerId);
    }
}

void CCanvasWnd::DismissWelcome()
{
    m_welcomeTimer.stop();
    if (m_bWelcome) {
        m_bWelcome = 0;
        Refresh();
    }
}

void CCanvasWnd::Refresh()
{
    if (m_pCapturePen) {
        m_bRefreshDeferred = true;
        return;
    }
    m_bRefreshDeferred = false;
    const QRect all = m_pSurface->Rect();
    if (m_bWelcome) {
        m_pSurface->Fill(all, kBlack);
        const QSize image = m_pWelcome->GetSize();
        m_pWelcome->DrawAt(*m_pSurface, (all.width() - image.width()) / 2,
                           (all.height() - image.height()) / 2);
    } else {
        m_pSurface->Fill(all, kCanvasGrey);
        if (CPicture* picture = m_hub.GetPicture()) {
            picture->DrawTo(*m_pSurface);
        }
    }
    m_pSurface->TakeDirty();
    update();
}

void CCanvasWnd::OnPictureChanged(const QRect& area)
{
    // The eraser shows its own steps and repaints at the release; the
    // welcome picture stays until it is dismissed.
    if (m_bErasing || m_bWelcome) {
        return;
    }
    if (area.isNull()) {
        Refresh();
    } else {
        ShowPicture(area);
    }
}

void CCanvasWnd::ShowPicture(const QRect& area)
{
    if (m_pCapturePen) {
        m_bRefreshDeferred = true;
        return;
    }
    CPicture* picture = m_hub.GetPicture();
    if (!picture || m_bWelcome) {
        return;
    }
    const QRect part =
        area & m_pSurface->Rect() & QRect(0, 0, picture->GetWidth(), picture->GetHeight());
    if (part.isEmpty()) {
        return;
    }
    m_pSurface->CopyFrom(picture->GetPictureSurface(), part, part.x(), part.y());
    m_pSurface->TakeDirty();
    update(part);
}

void CCanvasWnd::FinishDrag()
{
    EndOpenDrag();
    while (!m_pendingCommits.empty()) {
        CommitPending();
    }
}

void CCanvasWnd::SettleStrokes()
{
    // The strokes already let go come first, as their commits would have;
    // then the open drag, whose stroke may itself go to the ink shaper.
    CommitReleasedStrokes();
    FinishDrag();
    CommitReleasedStrokes();
}

void CCanvasWnd::CommitReleasedStrokes()
{
    while (!m_pendingCommits.empty()) {
        CommitPending();
    }
    // Every worker ends by building its pen's outline and posting the
    // commit: once they are done, each pen still listed is ready. During an
    // eraser drag the shaped strokes wait for the drag's step, as always.
    m_inkWorkers.waitForDone();
    {
        // Committed here in drawing order; the calls already posted for
        // them find nothing to take.
        const std::lock_guard lock(m_shapedLock);
        m_shapedPens.clear();
    }
    while (!m_shapingPens.empty()) {
        CommitShaped(m_shapingPens.front().pen.get());
    }
}

void CCanvasWnd::FillContextMenu(QMenu& menu)
{
    const CHistory& history = m_hub.GetHistory();
    const bool open = IsCapturing() || !m_pendingCommits.empty();
    QAction* undo = menu.addAction(QStringLiteral("撤销"), this, [this] { m_hub.Undo(); });
    undo->setEnabled(history.CanUndo() || open);
    QAction* redo = menu.addAction(QStringLiteral("重做"), this, [this] { m_hub.Redo(); });
    redo->setEnabled(history.CanRedo() && !open);
}

void CCanvasWnd::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_bWelcome) {
        return;
    }
    QMenu menu(this);
    FillContextMenu(menu);
    menu.exec(event->globalPos());
}

void CCanvasWnd::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect rect = event->rect();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(rect.topLeft(), m_pSurface->Image(), rect);
    // The screen image keeps the canvas's size at creation; a larger window
    // shows the canvas grey beyond it.
    const QRegion beyond = QRegion(rect) - QRegion(m_pSurface->Rect());
    for (const QRect& r : beyond) {
        p.fillRect(r, ToQColor(kCanvasGrey));
    }
}

void CCanvasWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A press while a drag is still open means its release never arrived
    // (the grab was lost): end that drag as a release would, then go on.
    EndOpenDrag();
    if (m_bWelcome) {
        DismissWelcome();
        return;
    }
    if (!m_hub.GetPicture()) {
        return;
    }
    const int x = ToPixel(event->position().x());
    const int y = ToPixel(event->position().y());
    if (IsPenTool(m_hub.m_nTool)) {
        BeginCapture(x, y, static_cast<std::uint32_t>(event->timestamp()));
    } else if (m_hub.m_nTool == kEraserTool) {
        m_bErasing = true;
        m_bEraseCombined = false;
        m_pEraseSurface =
            std::make_unique<CMemSurface>(m_pSurface->GetWidth(), m_pSurface->GetHeight(), kCanvasGrey);
        EraseStep(x, y);
    }
}

void CCanvasWnd::mouseMoveEvent(QMouseEvent* event)
{
    // Qt keeps sending moves to the pressed widget while the button is held,
    // also outside it (negative coordinates included).
    const int x = ToPixel(event->position().x());
    const int y = ToPixel(event->position().y());
    if (m_pCapturePen) {
        ContinueCapture(x, y, static_cast<std::uint32_t>(event->timestamp()));
    } else if (m_bErasing) {
        EraseStep(x, y);
    }
}

void CCanvasWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    EndOpenDrag();
}

void CCanvasWnd::EndOpenDrag()
{
    if (m_pCapturePen) {
        EndCapture();
    } else if (m_bErasing) {
        EndErase();
    }
}

void CCanvasWnd::BeginCapture(int x, int y, std::uint32_t tick)
{
    const int tool = m_hub.m_nTool;
    std::unique_ptr<CPenTool> pen = m_makePen ? m_makePen(m_hub, tool) : nullptr;
    if (!pen) {
        return;
    }
    m_pCapturePen = std::move(pen);
    m_captureTool = tool;
    m_liveArea = QRect();
    // The press position starts the live drawing and is the stroke's first
    // point, so the stroke starts where the button went down. The ink pens
    // measure speed from it, so they take the press's own time: the moves
    // carry input-event times, which the tick count does not match.
    if (auto* ink = dynamic_cast<CInkPen*>(m_pCapturePen.get())) {
        ink->BeginStroke(*m_pSurface, x, y, tick);
    } else {
        m_pCapturePen->BeginStroke(*m_pSurface, x, y);
    }
    ContinueCapture(x, y, tick);
}

void CCanvasWnd::ContinueCapture(int x, int y, std::uint32_t tick)
{
    m_pCapturePen->AddPoint(x, y, tick);
    m_pCapturePen->ContinueStroke(*m_pSurface, x, y);
    ShowLiveChanges();
}

void CCanvasWnd::ShowLiveChanges()
{
    const QRect dirty = m_pSurface->TakeDirty();
    if (!dirty.isEmpty()) {
        m_liveArea |= dirty;
        update(dirty);
    }
}

void CCanvasWnd::EndCapture()
{
    FinishedStroke finished = FinishCapturedStroke(std::move(m_pCapturePen), m_hub, m_captureTool,
                                                   m_makePen, m_recognize);
    const int tool = m_captureTool;
    m_captureTool = 0;
    const QRect liveArea = std::exchange(m_liveArea, QRect());
    switch (finished.route) {
    case FinishedStroke::Route::Dropped:
        // What the pen drew live stays on screen until the next repaint.
        if (m_bRefreshDeferred) {
            Refresh();
        }
        break;
    case FinishedStroke::Route::Shape:
        // The shaped stroke's commit repaints; until then the screen shows
        // the stroke as drawn.
        StartInkShaping(std::move(finished.pen), std::move(finished.drawn), tool, liveArea);
        break;
    case FinishedStroke::Route::Commit:
        // Committed once the event loop runs again, after this release is
        // handled; the live drawing shows until then.
        m_pendingCommits.push_back(InFlight{std::move(finished.pen), nullptr, liveArea});
        QMetaObject::invokeMethod(this, &CCanvasWnd::CommitPending, Qt::QueuedConnection);
        break;
    case FinishedStroke::Route::Recognized:
        // Two steps, the stroke as drawn and then the clean shape in its
        // place; the picture's changes replace the freehand stroke on screen.
        if (CPicture* picture = m_hub.GetPicture()) {
            PushReplacedCommit(m_hub.GetHistory(), *picture, std::move(finished.drawn),
                               std::move(finished.pen));
        }
        ShowPicture(liveArea);
        if (m_bRefreshDeferred) {
            Refresh();
        }
        break;
    }
}

void CCanvasWnd::CommitPending()
{
    if (m_pendingCommits.empty()) {
        return;
    }
    InFlight stroke = std::move(m_pendingCommits.front());
    m_pendingCommits.pop_front();
    if (CPicture* picture = m_hub.GetPicture()) {
        PushCommit(m_hub.GetHistory(), *picture, std::move(stroke.pen));
        m_bEraseCombined = false;
        // The live drawing may reach where the committed stroke does not.
        ShowPicture(stroke.liveArea);
    }
    if (m_bRefreshDeferred) {
        Refresh();
    }
}

void CCanvasWnd::StartInkShaping(std::unique_ptr<CPenTool> pen, std::unique_ptr<CPenTool> drawn,
                                 int tool, const QRect& liveArea)
{
    auto* ink = dynamic_cast<CInkPen*>(pen.get());
    if (!ink) {
        // Only ink pens are shaped; anything else is committed as drawn.
        m_pendingCommits.push_back(InFlight{std::move(pen), nullptr, liveArea});
        QMetaObject::invokeMethod(this, &CCanvasWnd::CommitPending, Qt::QueuedConnection);
        return;
    }
    m_shapingPens.push_back(InFlight{std::move(pen), std::move(drawn), liveArea});
    const int width = m_pSurface->GetWidth();
    const int height = m_pSurface->GetHeight();
    // The task and its captures are complete before the hand-off mark.
    std::function<void()> task = [this, ink, tool, width, height] {
        TakeOver(&kInkTaskHandoff);
        ShapeInkPen(*ink, tool, [this, ink, width, height] {
            ink->BuildOutline(width, height);
            {
                const std::lock_guard lock(m_shapedLock);
                m_shapedPens.push_back(ink);
            }
            QMetaObject::invokeMethod(this, "TakeShapedPen", Qt::QueuedConnection);
        });
        // Posting the commit still reads this window; the destructor waits.
        HandOff(&kInkTaskDone);
    };
    HandOff(&kInkTaskHandoff);
    m_inkWorkers.start(std::move(task));
}

void CCanvasWnd::TakeShapedPen()
{
    CPenTool* pen = nullptr;
    {
        const std::lock_guard lock(m_shapedLock);
        if (m_shapedPens.empty()) {
            return;
        }
        pen = m_shapedPens.front();
        m_shapedPens.pop_front();
    }
    CommitShaped(pen);
}

// A shaped stroke is committed when it arrives, whatever was undone
// meanwhile: the stroke as drawn and the reshaped one are its two steps.
void CCanvasWnd::CommitShaped(CPenTool* pen)
{
    const auto it = std::find_if(m_shapingPens.begin(), m_shapingPens.end(),
                                 [pen](const InFlight& p) { return p.pen.get() == pen; });
    if (it == m_shapingPens.end()) {
        return;
    }
    InFlight stroke = std::move(*it);
    m_shapingPens.erase(it);
    if (m_bErasing) {
        m_shapedDuringErase.push_back(std::move(stroke));
        return;
    }
    if (CPicture* picture = m_hub.GetPicture()) {
        PushReplacedCommit(m_hub.GetHistory(), *picture, std::move(stroke.drawn),
                           std::move(stroke.pen));
        ShowPicture(stroke.liveArea);
    }
}

void CCanvasWnd::EraseStep(int x, int y)
{
    CPicture* picture = m_hub.GetPicture();
    if (!picture) {
        return;
    }
    // Only the area the erased strokes had drawn on changes in the picture,
    // unless its cache is dirty and is rebuilt whole.
    const bool rebuiltWhole = picture->IsPictureDirty() || picture->IsBkgdDirty();
    CPicture::RemovedStrokes removed = picture->EraseStrokes(x, y);
    if (removed.empty()) {
        return;
    }
    const QRegion damaged = picture->DamageOf(removed);
    m_eraseGroups.push_back(std::move(removed));
    // OR-combined, as the screen showed it: what is gone may linger until
    // the release repaints the exact picture.
    if (!m_bEraseCombined || rebuiltWhole) {
        picture->DrawTo(*m_pEraseSurface);
        m_pSurface->OrFrom(*m_pEraseSurface, 0, 0);
        m_bEraseCombined = true;
        update();
        return;
    }
    // Outside the area the picture is what the last combine ORed in, and
    // ORing the same bits again changes nothing: combining the area alone
    // gives the screen a whole combine would.
    const QRegion area = damaged & m_pSurface->Rect();
    if (area.isEmpty()) {
        return;
    }
    m_pSurface->OrFrom(picture->GetPictureSurface(), area);
    update(area);
}

void CCanvasWnd::EndErase()
{
    m_bErasing = false;
    m_pEraseSurface.reset();
    CPicture* picture = m_hub.GetPicture();
    if (picture && !m_eraseGroups.empty()) {
        m_hub.GetHistory().Push(std::make_unique<CEraseStep>(*picture, std::move(m_eraseGroups)),
                                true);
    }
    m_eraseGroups.clear();
    Refresh();
    // Shaped strokes that came back meanwhile follow the drag's step.
    while (!m_shapedDuringErase.empty()) {
        InFlight stroke = std::move(m_shapedDuringErase.front());
        m_shapedDuringErase.pop_front();
        if (picture) {
            PushReplacedCommit(m_hub.GetHistory(), *picture, std::move(stroke.drawn),
                               std::move(stroke.pen));
        }
    }
}
