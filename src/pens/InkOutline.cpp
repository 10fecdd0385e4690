// The ink outline: splitting a stroke at its self-crossings and filling the
// traced contours as one smooth path.
#include "pens/InkPen.h"

#include "gfx/Surface.h"
#include "pens/SegmentCrossing.h"
#include "tracing/Outline.h"

#include <algorithm>

int CInkPen::FindSelfCrossing(int first, int count) const
{
    first = std::max(first, 0);
    count = std::min(count, m_points.GetCount());
    for (int i = first + 5; i < count; ++i) {
        const StrokePoint& P = m_points[static_cast<std::size_t>(i - 1)];
        const StrokePoint& Q = m_points[static_cast<std::size_t>(i)];
        for (int k = first; k <= i - 4; ++k) {
            if (SegmentsCross(P, Q, m_points[static_cast<std::size_t>(k)],
                              m_points[static_cast<std::size_t>(k + 1)])) {
                return i - 2;
            }
        }
    }
    return count;
}

QPainterPath CInkPen::OutlinePath(const COutline& outline)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int c = 0; c < outline.GetCount(); ++c) {
        const CPointArray& contour = outline.At(c);
        const int m = contour.GetCount();
        if (m < 2) {
            continue;
        }
        const auto at = [&](int i) {
            const StrokePoint& p = contour[static_cast<std::size_t>((i + m) % m)];
            return QPointF(p.x, p.y);
        };
        // Vertices 1 ... m - 1, then 0: the figure starts at the midpoint of
        // the first edge.
        for (int n = 1; n <= m; ++n) {
            const int i = n % m;
            const QPointF a = at(i - 1);
            const QPointF v = at(i);
            const QPointF b = at(i + 1);
            const QPointF m1 = (a + v) / 2;
            const QPointF m2 = (v + b) / 2;
            if (n == 1) {
                path.moveTo(m1);
            }
            path.cubicTo((v + m1) / 2, (v + m2) / 2, m2);
        }
        path.closeSubpath();
    }
    return path;
}

void CInkPen::FillOutline(CSurface& surface, const QBrush& brush)
{
    if (!m_outline || surface.Image().isNull()) {
        return;
    }
    const QPainterPath path = OutlinePath(*m_outline);
    {
        QPainter painter(&surface.Image());
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillPath(path, brush);
    }
    surface.AddDirty(path.controlPointRect().toAlignedRect().adjusted(-1, -1, 1, 1) &
                     surface.Rect());
}
