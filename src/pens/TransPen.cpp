#include "pens/TransPen.h"

#include "gfx/Surface.h"
#include "pens/PenPaint.h"

#include <QPainter>
#include <QPolygon>

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
    if (m_points.GetCount() < 2) {
        return;
    }
    QPolygon line;
    line.reserve(m_points.GetCount());
    for (const StrokePoint& p : m_points) {
        line << QPoint(p.x - originX, p.y - originY);
    }
    QPainter painter(&surface.Image());
    surface.ApplyPaintClip(painter);
    SetUpMarker(painter, MarkerPen());
    painter.drawPolyline(line);
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
