#include "pens/TransPen.h"

#include "gfx/Surface.h"
#include "pens/PenPaint.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {
// The AND of pen and pixel is a raster operation: it needs hard edges, since
// a partly covered pixel has no meaning for it.
void SetUpMarker(QPainter& painter, const QPen& pen)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}
}  // namespace

CTransPen::CTransPen(int w, COLORREF c) : CPenTool(w, c) {}

QPen CTransPen::MarkerPen() const
{
    return QPen(ToQColor(m_colors[0]), m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void CTransPen::Draw(CSurface& surface, int originX, int originY)
{
    const int count = m_points.GetCount();
    if (count < 2) {
        return;
    }
    // The polyline is drawn in the runs of segments its piece rectangles
    // are measured over, each run ending where the next begins. ANDing a pixel with the pen colour a
    // second time changes nothing, so the runs' round caps, overlapping
    // where a round join would be, paint what one polyline paints; and a run
    // that cannot reach the surface or its paint clip is left out.
    constexpr int kRunSegments = drawn_extent::kRunSegments;
    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    SetUpMarker(painter, MarkerPen());
    const QRect area = surface.Rect();
    QPolygon run;
    for (int first = 0; first + 1 < count; first += kRunSegments) {
        const int last = std::min(first + kRunSegments, count - 1);
        run.clear();
        for (int i = first; i <= last; ++i) {
            const StrokePoint& p = m_points[static_cast<std::size_t>(i)];
            run << QPoint(p.x - originX, p.y - originY);
        }
        const QRect reach = drawn_extent::AroundLine(run.boundingRect(), m_width);
        if (reach.intersects(area) && surface.ClipReaches(reach)) {
            painter.drawPolyline(run);
        }
    }
}

QRect CTransPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2) {
        return {};
    }
    return drawn_extent::AroundLine(drawn_extent::PointsBox(m_points), m_width);
}

void CTransPen::BeginStroke(CSurface& /*surface*/, int x, int y)
{
    m_lastX = x;
    m_lastY = y;
}

void CTransPen::ContinueStroke(CSurface& surface, int x, int y)
{
    const QPoint from(m_lastX, m_lastY);
    const QPoint to(x, y);
    m_lastX = x;
    m_lastY = y;
    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    SetUpMarker(painter, MarkerPen());
    painter.drawLine(from, to);
    surface.AddDirty(InkRect({from, to}, m_width) & surface.Rect());
}
