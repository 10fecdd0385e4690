#include "canvas/Picture.h"

#include "gfx/ResImage.h"
#include "pens/PenTool.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
constexpr COLORREF kRebuildGrey = MakeRgb(170, 170, 170);
}  // namespace

CPicture::CPicture(int cx, int cy, int bkgd)
    : m_cx(std::max(cx, 0)), m_cy(std::max(cy, 0))
{
    m_background.index = bkgd;
}

// Strokes go before the caches, last first, as Clear does.
CPicture::~CPicture()
{
    while (!m_strokes.empty()) {
        m_strokes.pop_back();
    }
}

void CPicture::AddStroke(std::unique_ptr<CPenTool> pen)
{
    if (pen) {
        m_strokes.push_back(std::move(pen));
    }
}

void CPicture::DrawStroke(CPenTool& pen)
{
    pen.Draw(GetPictureSurface(), 0, 0);
}

bool CPicture::EraseAt(int x, int y)
{
    return EraseStrokesAt(x, y).removed;
}

CPicture::Erased CPicture::EraseStrokesAt(int x, int y)
{
    Erased erased;
    for (std::size_t i = m_strokes.size(); i-- > 0;) {
        if (m_strokes[i]->HitTest(x - kEraserReach, y - kEraserReach, x + kEraserReach,
                                  y + kEraserReach)) {
            erased.damaged |= m_strokes[i]->DrawnExtent() & QRect(0, 0, m_cx, m_cy);
            m_strokes.erase(m_strokes.begin() + static_cast<std::ptrdiff_t>(i));
            erased.removed = true;
        }
    }
    return erased;
}

void CPicture::Clear()
{
    while (!m_strokes.empty()) {
        m_strokes.pop_back();
    }
    MarkDirty();
}

void CPicture::MarkDirty()
{
    m_bBkgdDirty = 1;
    m_bPictureDirty = 1;
}

// A built-in background is decoded from the resources at every rebuild and
// dropped once drawn; a file background is drawn from the image kept since it
// was chosen, so moving or deleting the file later changes nothing.
void CPicture::DrawBackgroundImage(CMemSurface& surface) const
{
    if (m_background.index < 0) {
        if (m_background.image.isNull()) {
            return;
        }
        QPainter p(&surface.Image());
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 0, m_cx, m_cy), m_background.image);
        return;
    }
    CResImage image;
    image.LoadBackground(m_background.index);
    image.DrawIn(surface, 0, 0, m_cx, m_cy);
}

const CBackground& CPicture::GetBackground() const
{
    return m_background;
}

void CPicture::SetBackground(CBackground background)
{
    m_background = std::move(background);
    MarkDirty();
}

CMemSurface& CPicture::GetBkgdSurface()
{
    if (!m_pBkgdSurface) {
        m_pBkgdSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
        DrawBackgroundImage(*m_pBkgdSurface);
        m_bBkgdDirty = 0;
    }
    if (m_bBkgdDirty) {
        m_pBkgdSurface->Fill(QRect(0, 0, m_cx, m_cy), kRebuildGrey);
        DrawBackgroundImage(*m_pBkgdSurface);
        m_bBkgdDirty = 0;
    }
    return *m_pBkgdSurface;
}

void CPicture::DrawAllStrokes(CMemSurface& surface)
{
    for (const std::unique_ptr<CPenTool>& pen : m_strokes) {
        pen->Draw(surface, 0, 0);
    }
}

CMemSurface& CPicture::GetPictureSurface()
{
    CMemSurface& bkgd = GetBkgdSurface();
    if (!m_pPictureSurface) {
        m_pPictureSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
        m_pPictureSurface->CopyFrom(bkgd, 0, 0);
        DrawAllStrokes(*m_pPictureSurface);
        m_bPictureDirty = 0;
    } else if (m_bPictureDirty) {
        m_pPictureSurface->Fill(QRect(0, 0, m_cx, m_cy), kRebuildGrey);
        m_pPictureSurface->CopyFrom(bkgd, 0, 0);
        DrawAllStrokes(*m_pPictureSurface);
        m_bPictureDirty = 0;
    }
    return *m_pPictureSurface;
}

void CPicture::Redraw()
{
    if (!m_pPictureSurface) {
        GetPictureSurface();
        return;
    }
    m_pPictureSurface->CopyFrom(GetBkgdSurface(), 0, 0);
    DrawAllStrokes(*m_pPictureSurface);
}

void CPicture::RedrawArea(const QRect& area)
{
    if (!m_pPictureSurface || m_bPictureDirty || m_bBkgdDirty) {
        Redraw();
        return;
    }
    const QRect part = area & QRect(0, 0, m_cx, m_cy);
    if (part.isEmpty()) {
        return;
    }
    // A stroke whose extent misses the area changes none of its pixels, and
    // each pixel's colour depends only on the pixel below and the stroke
    // (textures are anchored at the surface origin, which the scratch
    // surface shares), so drawing the rest in order on the background gives
    // the area the pixels of a full rebuild.
    if (!m_pScratchSurface) {
        m_pScratchSurface = std::make_unique<CMemSurface>(m_cx, m_cy, kWhite);
    }
    m_pScratchSurface->CopyFrom(*m_pBkgdSurface, part, part.x(), part.y());
    for (const std::unique_ptr<CPenTool>& pen : m_strokes) {
        if (pen->DrawnExtent().intersects(part)) {
            pen->Draw(*m_pScratchSurface, 0, 0);
        }
    }
    m_pPictureSurface->CopyFrom(*m_pScratchSurface, part, part.x(), part.y());
}

void CPicture::DrawTo(CSurface& target)
{
    CMemSurface& composed = GetPictureSurface();
    QPainter p(&target.Image());
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), composed.Image(), QRect(0, 0, m_cx, m_cy));
}
