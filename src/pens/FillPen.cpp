#include "pens/FillPen.h"

#include "gfx/Surface.h"
#include "pens/SmoothPen.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {
// The width of each pass as a multiple of the pen width, widest first.
constexpr double kPassWidth[3] = {5.0, 3.0, 1.5};
// Farther than any hand moves the mouse between two events, in pixels.
constexpr long long kFarStep = 4096;
}  // namespace

QPen CFillPen::PassPen(int pass) const
{
    return QPen(ToQColor(m_colors[static_cast<std::size_t>(pass)]), kPassWidth[pass] * m_width,
                Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

CFillPen::CFillPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CPenTool(w, c0, c1, c2) {}

void CFillPen::DrawPasses(QPainter& painter, const CSurface& surface, int originX,
                          int originY) const
{
    SmoothLineOptions options;
    options.within = surface.PaintClip();
    options.mendBends = true;
    painter.setRenderHint(QPainter::Antialiasing);
    for (int pass = 0; pass < 3; ++pass) {
        SmoothPolyline(painter, PassPen(pass), m_points, originX, originY, options);
    }
}

void CFillPen::Draw(CSurface& surface, int originX, int originY)
{
    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    DrawPasses(painter, surface, originX, originY);
}

QRect CFillPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2) {
        return {};
    }
    return drawn_extent::AroundLine(drawn_extent::PointsBox(m_points), kPassWidth[0] * m_width);
}

void CFillPen::BeginStroke(CSurface& /*surface*/, int x, int y) { m_prev = QPoint(x, y); }

QRect CFillPen::LiveClip(const QPoint& a, const QPoint& b) const
{
    // Right and bottom are exclusive, as the rectangle's own corners are.
    const int grow = 5 * m_width + 10;
    const int left = std::min(a.x(), b.x()) - grow;
    const int top = std::min(a.y(), b.y()) - grow;
    const int right = std::max(a.x(), b.x()) + grow;
    const int bottom = std::max(a.y(), b.y()) + grow;
    return QRect(left, top, right - left, bottom - top);
}

void CFillPen::ContinueStroke(CSurface& surface, int x, int y)
{
    const QPoint here(x, y);
    const QPoint prev = m_prev;
    const QRect clip = LiveClip(prev, here) & surface.Rect();
    m_prev = here;
    if (clip.isEmpty()) {
        return;
    }
    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    if (std::abs(static_cast<long long>(here.x()) - prev.x()) > kFarStep ||
        std::abs(static_cast<long long>(here.y()) - prev.y()) > kFarStep) {
        // No hand moves this far between two mouse events; only replayed
        // or made-up input does. Redrawing the whole stroke under a clip
        // spanning such a step would repaint most of the surface for every
        // point, so the step shows just its own segment in the three bands,
        // until the committed stroke replaces the live drawing.
        CPointArray segment;
        segment.Add(prev.x(), prev.y(), 0, 0);
        segment.Add(here.x(), here.y(), 0, 0);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int pass = 0; pass < 3; ++pass) {
            SmoothPolyline(painter, PassPen(pass), segment, 0, 0);
        }
        surface.AddDirty(clip);
        return;
    }
    // The painter's clip limits the redraw to the rectangle; the smoothed
    // line leaves out every path of pieces that cannot reach it, so a step
    // costs what the paths near the newest segment cost.
    painter.setClipRect(clip, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    DrawPasses(painter, surface, 0, 0);
    surface.AddDirty(clip);
}
