#include "gfx/Surface.h"

#include <algorithm>

#include <QPainter>

#include <vector>

QRect CSurface::TakeDirty()
{
    const QRect r = m_dirty;
    m_dirty = QRect();
    return r;
}

void CSurface::SetPaintClip(const QRegion& area)
{
    m_paintClip = area;
    m_clipRects.assign(area.begin(), area.end());
}

bool CSurface::ClipReaches(const QRect& r) const
{
    return m_clipRects.empty() || RectsMeet(m_clipRects, r);
}

bool RectsMeet(std::span<const QRect> rects, const QRect& r)
{
    const std::span<const QRect> across = RectsAcross(rects, r);
    return std::any_of(across.begin(), across.end(),
                       [&r](const QRect& rect) { return rect.intersects(r); });
}

std::span<const QRect> RectsAcross(std::span<const QRect> rects, const QRect& r)
{
    // A region's rectangles come in bands down the region, each band's of
    // one height, so their bottoms never decrease.
    const auto first = std::partition_point(rects.begin(), rects.end(),
                                            [&](const QRect& rect) { return rect.bottom() < r.top(); });
    auto last = first;
    while (last != rects.end() && last->top() <= r.bottom()) {
        ++last;
    }
    return {first, last};
}

void CSurface::ApplyPaintClip(QPainter& painter) const
{
    if (m_paintClip.isEmpty()) {
        return;
    }
    // A single rectangle takes the rasteriser's faster rectangle clip.
    if (m_paintClip.rectCount() == 1) {
        painter.setClipRect(m_paintClip.boundingRect());
    } else {
        painter.setClipRegion(m_paintClip);
    }
}

CMemSurface::CMemSurface(int cx, int cy, COLORREF fill)
    : CSurface(QImage(std::max(cx, 0), std::max(cy, 0), QImage::Format_RGB32))
{
    m_image.fill(ToQColor(fill));
}

void CMemSurface::Fill(const QRect& r, COLORREF color)
{
    QPainter p(&m_image);
    p.fillRect(r, ToQColor(color));
}

void CMemSurface::CopyFrom(const CSurface& src, int x, int y)
{
    CopyFrom(src, src.Rect(), x, y);
}

void CMemSurface::CopyFrom(const CSurface& src, const QRect& srcRect, int x, int y)
{
    QPainter p(&m_image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), src.Image(), srcRect);
}

namespace {
// Draws the part `area` of `src` at the same place on `target` with `mode`,
// one painter clipped to the area for all its rectangles.
void DrawArea(QImage& target, const CSurface& src, const QRegion& area,
              QPainter::CompositionMode mode)
{
    if (area.isEmpty()) {
        return;
    }
    QPainter p(&target);
    p.setCompositionMode(mode);
    p.setClipRegion(area);
    const QRect bounds = area.boundingRect();
    p.drawImage(bounds.topLeft(), src.Image(), bounds);
}
}  // namespace

void CMemSurface::CopyFrom(const CSurface& src, const QRegion& area)
{
    DrawArea(m_image, src, area, QPainter::CompositionMode_Source);
}

void CMemSurface::OrFrom(const CSurface& src, const QRegion& area)
{
    DrawArea(m_image, src, area, QPainter::RasterOp_SourceOrDestination);
}

void CMemSurface::OrFrom(const CSurface& src, int x, int y)
{
    QPainter p(&m_image);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(QPoint(x, y), src.Image());
}

void CMemSurface::OrFrom(const CSurface& src, const QRect& srcRect, const QPoint& to)
{
    QPainter p(&m_image);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(to, src.Image(), srcRect);
}

CMonoSurface::CMonoSurface(int cx, int cy)
    : CSurface(QImage(std::max(cx, 0), std::max(cy, 0), QImage::Format_Grayscale8))
{
    m_image.fill(0);
}

std::vector<unsigned char> CMonoSurface::PackBits() const
{
    const int w = GetWidth();
    const int h = GetHeight();
    const int pitch = GetRowPitch();
    std::vector<unsigned char> bits(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const uchar* src = m_image.constScanLine(y);
        unsigned char* dst = bits.data() + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < w; ++x) {
            if (src[x] != 0) {
                dst[x >> 3] |= static_cast<unsigned char>(0x80u >> (x & 7));
            }
        }
    }
    return bits;
}

bool CMonoSurface::IsInk(int x, int y) const
{
    return m_image.rect().contains(x, y) && m_image.constScanLine(y)[x] != 0;
}
