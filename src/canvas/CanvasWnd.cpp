#include "canvas/CanvasWnd.h"

#include "canvas/InkShaping.h"
#include "canvas/MainHub.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"
#include "pens/InkPen.h"
#include "pens/PenTool.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr COLORREF kBlack = MakeRgb(0, 0, 0);
constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
constexpr COLORREF kCanvasGrey = MakeRgb(170, 170, 170);

// Mouse positions arrive in logical pixels, integral on every platform we
// run on; a fraction still lands in the pixel that contains it.
int ToPixel(qreal v) { return static_cast<int>(std::floor(v)); }
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
    m_hub.SetCanvas(this);

    m_welcomeTimer.setSingleShot(true);
    connect(&m_welcomeTimer, &QTimer::timeout, this, &CCanvasWnd::DismissWelcome);
    m_welcomeTimer.start(kWelcomeMs);
    Refresh();
}

CCanvasWnd::~CCanvasWnd()
{
    // Workers touch their pens until they finish: let them, before the pens
    // go. Commits they post to this window are dropped with it.
    m_inkWorkers.waitForDone();
    if (m_hub.GetCanvas() == this) {
        m_hub.SetCanvas(nullptr);
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
    // The press position starts the live drawing but is not a stroke point.
    // The ink pens measure speed from it, so they take the press's own time:
    // the moves carry input-event times, which the tick count does not match.
    if (auto* ink = dynamic_cast<CInkPen*>(m_pCapturePen.get())) {
        ink->BeginStroke(*m_pSurface, x, y, tick);
    } else {
        m_pCapturePen->BeginStroke(*m_pSurface, x, y);
    }
    ShowLiveChanges();
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
        update(dirty);
    }
}

void CCanvasWnd::EndCapture()
{
    FinishedStroke finished = FinishCapturedStroke(std::move(m_pCapturePen), m_hub, m_captureTool,
                                                   m_makePen, m_recognize);
    const int tool = m_captureTool;
    m_captureTool = 0;
    CPicture* picture = m_hub.GetPicture();
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
        StartInkShaping(std::move(finished.pen), tool);
        break;
    case FinishedStroke::Route::Commit:
        // Committed once the event loop runs again, after this release is
        // handled; the screen already shows the stroke, so no repaint.
        m_pendingCommits.push_back(std::move(finished.pen));
        QMetaObject::invokeMethod(this, &CCanvasWnd::CommitPending, Qt::QueuedConnection);
        break;
    case FinishedStroke::Route::Recognized:
        if (picture) {
            CPenTool& pen = *finished.pen;
            picture->AddStroke(std::move(finished.pen));
            picture->DrawStroke(pen);
        }
        // The repaint replaces the freehand stroke with the clean shape.
        Refresh();
        break;
    }
}

void CCanvasWnd::CommitPending()
{
    if (m_pendingCommits.empty()) {
        return;
    }
    std::unique_ptr<CPenTool> pen = std::move(m_pendingCommits.front());
    m_pendingCommits.pop_front();
    if (CPicture* picture = m_hub.GetPicture()) {
        CPenTool& drawn = *pen;
        picture->AddStroke(std::move(pen));
        picture->DrawStroke(drawn);
        // The screen shows the stroke as drawn live, not as committed.
        m_bEraseCombined = false;
    }
    if (m_bRefreshDeferred) {
        Refresh();
    }
}

void CCanvasWnd::StartInkShaping(std::unique_ptr<CPenTool> pen, int tool)
{
    auto* ink = dynamic_cast<CInkPen*>(pen.get());
    if (!ink) {
        // Only ink pens are shaped; anything else is committed as drawn.
        m_pendingCommits.push_back(std::move(pen));
        QMetaObject::invokeMethod(this, &CCanvasWnd::CommitPending, Qt::QueuedConnection);
        return;
    }
    m_shapingPens.push_back(std::move(pen));
    const int width = m_pSurface->GetWidth();
    const int height = m_pSurface->GetHeight();
    m_inkWorkers.start([this, ink, tool, width, height] {
        ShapeInkPen(*ink, tool, [this, ink, width, height] {
            ink->BuildOutline(width, height);
            QMetaObject::invokeMethod(
                this, [this, ink] { CommitShaped(ink); }, Qt::QueuedConnection);
        });
    });
}

void CCanvasWnd::CommitShaped(CPenTool* pen)
{
    const auto it = std::find_if(m_shapingPens.begin(), m_shapingPens.end(),
                                 [pen](const auto& p) { return p.get() == pen; });
    if (it == m_shapingPens.end()) {
        return;
    }
    std::unique_ptr<CPenTool> owned = std::move(*it);
    m_shapingPens.erase(it);
    if (CPicture* picture = m_hub.GetPicture()) {
        picture->AddStroke(std::move(owned));
        picture->DrawStroke(*pen);
    }
    // The reshaped stroke replaces the one drawn live.
    Refresh();
}

void CCanvasWnd::EraseStep(int x, int y)
{
    CPicture* picture = m_hub.GetPicture();
    if (!picture) {
        return;
    }
    const CPicture::Erased erased = picture->EraseStrokesAt(x, y);
    if (!erased.removed) {
        return;
    }
    // Only the area the erased strokes had drawn on changes in the picture,
    // unless its cache is dirty and is rebuilt whole.
    const bool rebuiltWhole = picture->IsPictureDirty() || picture->IsBkgdDirty();
    picture->RedrawArea(erased.damaged);
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
    const QRect area = erased.damaged & m_pSurface->Rect();
    if (area.isEmpty()) {
        return;
    }
    m_pSurface->OrFrom(picture->GetPictureSurface(), area, area.topLeft());
    update(area);
}

void CCanvasWnd::EndErase()
{
    m_bErasing = false;
    m_pEraseSurface.reset();
    Refresh();
}
