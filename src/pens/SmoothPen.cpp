#include "pens/SmoothPen.h"

#include "gfx/Surface.h"
#include "pens/PenPaint.h"

#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace {

// Collects the pieces of a smoothed line into one path, joining pieces that
// continue each other, and drops the pieces a clip rectangle rules out.
class PieceCollector {
public:
    PieceCollector(const QPainter& painter, const QPen& pen)
    {
        if (painter.hasClipping()) {
            // A cubic piece lies inside the hull of its four points, and the
            // pen reaches half its width (plus fringe) beyond the centre line.
            const double grow = pen.widthF() / 2.0 + 2.0;
            m_clip = painter.clipBoundingRect().adjusted(-grow, -grow, grow, grow);
            m_culling = true;
        }
    }

    void Line(const QPoint& a, const QPoint& b)
    {
        if (Skip({a, b})) {
            return;
        }
        Start(a);
        m_path.lineTo(b);
        m_current = b;
    }

    void Cubic(const QPoint& a, const QPoint& c1, const QPoint& c2, const QPoint& b)
    {
        if (Skip({a, c1, c2, b})) {
            return;
        }
        Start(a);
        m_path.cubicTo(c1, c2, b);
        m_current = b;
    }

    const QPainterPath& Path() const { return m_path; }

private:
    bool Skip(std::initializer_list<QPoint> points)
    {
        if (!m_culling) {
            return false;
        }
        const QRect box = InkRect(points, 0.0);
        if (QRectF(box).intersects(m_clip)) {
            return false;
        }
        m_open = false;
        return true;
    }

    void Start(const QPoint& a)
    {
        if (!m_open || m_current != a) {
            m_path.moveTo(a);
            m_open = true;
        }
    }

    QPainterPath m_path;
    QRectF m_clip;
    bool m_culling = false;
    bool m_open = false;
    QPoint m_current;
};

}  // namespace

void SmoothPolyline(QPainter& painter, const QPen& pen, const CPointArray& points, int originX,
                    int originY)
{
    const int n = points.GetCount();
    if (n <= 1) {
        return;
    }
    std::vector<QPoint> p;
    p.reserve(static_cast<std::size_t>(n));
    for (const StrokePoint& sp : points) {
        p.emplace_back(sp.x - originX, sp.y - originY);
    }

    PieceCollector pieces(painter, pen);
    if (n <= 5) {
        for (std::size_t i = 1; i < p.size(); ++i) {
            pieces.Line(p[i - 1], p[i]);
        }
    } else {
        pieces.Line(p[0], MidPoint(p[0], p[1]));
        for (std::size_t i = 1; i + 1 < p.size(); ++i) {
            const QPoint& v = p[i];
            const QPoint m1 = MidPoint(p[i - 1], v);
            const QPoint m2 = MidPoint(v, p[i + 1]);
            pieces.Cubic(m1, MidPoint(v, m1), MidPoint(v, m2), m2);
        }
        pieces.Line(MidPoint(p[p.size() - 2], p[p.size() - 1]), p[p.size() - 1]);
    }
    if (pieces.Path().isEmpty()) {
        return;
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(pieces.Path());
}

CSmoothPen::CSmoothPen(int w, COLORREF c) : CPenTool(w, c)
{
    m_gpPen = MakePen(w);
}

CSmoothPen::CSmoothPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CPenTool(w, c0, c1, c2)
{
    BuildMulticolorTexture();
    m_gpPen = MakePen(w);
}

void CSmoothPen::Draw(CSurface& surface, int originX, int originY)
{
    QPainter painter(&surface.Image());
    painter.setRenderHint(QPainter::Antialiasing);
    SmoothPolyline(painter, m_gpPen, m_points, originX, originY);
}

void CSmoothPen::BeginStroke(CSurface& /*surface*/, int x, int y)
{
    m_lastX = x;
    m_lastY = y;
    m_ptA = QPoint(x, y);
    m_liveState = 1;
}

void CSmoothPen::ContinueStroke(CSurface& surface, int x, int y)
{
    if (m_liveState == 0) {
        // No press position was given: this point starts the live line.
        BeginStroke(surface, x, y);
        return;
    }
    const QPoint here(x, y);
    const QPoint last(m_lastX, m_lastY);
    QPainterPath piece;
    QRect dirty;
    if (m_liveState == 1) {
        m_ptB = here;
        m_liveState = 2;
        const QPoint half = MidPoint(last, here);
        piece.moveTo(last);
        piece.lineTo(half);
        dirty = InkRect({last, half}, m_gpPen.widthF());
    } else {
        if (m_liveState == 3) {
            m_ptA = m_ptB;
            m_ptB = m_ptC;
        }
        m_ptC = here;
        m_liveState = 3;
        const QPoint m1 = MidPoint(m_ptA, m_ptB);
        const QPoint m2 = MidPoint(m_ptB, m_ptC);
        const QPoint c1 = MidPoint(m_ptB, m1);
        const QPoint c2 = MidPoint(m_ptB, m2);
        piece.moveTo(m1);
        piece.cubicTo(c1, c2, m2);
        dirty = InkRect({m1, c1, c2, m2}, m_gpPen.widthF());
    }
    m_lastX = x;
    m_lastY = y;

    QPainter painter(&surface.Image());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_gpPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(piece);
    surface.AddDirty(dirty & surface.Rect());
}
