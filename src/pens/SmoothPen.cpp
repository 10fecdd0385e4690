#include "pens/SmoothPen.h"

#include "gfx/Surface.h"
#include "pens/PenPaint.h"

#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace {

// A long stroke is drawn as a series of short paths: the rasteriser's cost
// for one path grows faster than its length once the path spans a large,
// self-crossing area, while the round caps of consecutive short paths
// overlap exactly where a round join would be. Paths end after every
// kPiecesPerPath-th piece of the whole line, counting skipped pieces too, so
// a clipped redraw splits the line where a full one does and gives the same
// pixels.
constexpr int kPiecesPerPath = 16;

// The part of the painter's device that drawing can change, in the
// painter's own coordinates.
QRectF VisibleArea(const QPainter& painter)
{
    if (painter.hasClipping()) {
        return painter.clipBoundingRect();
    }
    const QPaintDevice* device = painter.device();
    const QRectF deviceRect(0, 0, device->width(), device->height());
    return painter.worldTransform().inverted().mapRect(deviceRect);
}

// Draws the pieces of a smoothed line, joining pieces that continue each
// other into one path of up to kPiecesPerPath pieces, and skips the pieces
// that cannot reach the visible area.
class PieceDrawer {
public:
    PieceDrawer(QPainter& painter, const QPen& pen) : m_painter(painter)
    {
        // A cubic piece lies inside the hull of its four points, and the pen
        // reaches half its width (plus anti-aliasing fringe) beyond it.
        const double grow = pen.widthF() / 2.0 + 2.0;
        m_visible = VisibleArea(painter).adjusted(-grow, -grow, grow, grow);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
    }
    ~PieceDrawer() { Flush(); }
    PieceDrawer(const PieceDrawer&) = delete;
    PieceDrawer& operator=(const PieceDrawer&) = delete;

    void Line(const QPoint& a, const QPoint& b)
    {
        if (Start(a, {a, b})) {
            m_path.lineTo(b);
            Added(b);
        }
    }

    void Cubic(const QPoint& a, const QPoint& c1, const QPoint& c2, const QPoint& b)
    {
        if (Start(a, {a, c1, c2, b})) {
            m_path.cubicTo(c1, c2, b);
            Added(b);
        }
    }

private:
    // False when the piece is invisible; otherwise makes sure the path being
    // built continues at `a`.
    bool Start(const QPoint& a, std::initializer_list<QPoint> hull)
    {
        if (!QRectF(InkRect(hull, 0.0)).intersects(m_visible)) {
            Flush();
            ++m_index;
            return false;
        }
        if (m_pieces > 0 && m_current != a) {
            Flush();
        }
        if (m_pieces == 0) {
            m_path.moveTo(a);
        }
        return true;
    }

    void Added(const QPoint& b)
    {
        m_current = b;
        ++m_pieces;
        if (++m_index % kPiecesPerPath == 0) {
            Flush();
        }
    }

    void Flush()
    {
        if (m_pieces > 0) {
            m_painter.drawPath(m_path);
            m_path.clear();
            m_pieces = 0;
        }
    }

    QPainter& m_painter;
    QRectF m_visible;
    QPainterPath m_path;
    int m_pieces = 0;  // pieces in m_path
    int m_index = 0;   // pieces of the line seen so far, drawn or skipped
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

    PieceDrawer pieces(painter, pen);
    if (n <= 5) {
        for (std::size_t i = 1; i < p.size(); ++i) {
            pieces.Line(p[i - 1], p[i]);
        }
        return;
    }
    pieces.Line(p[0], MidPoint(p[0], p[1]));
    for (std::size_t i = 1; i + 1 < p.size(); ++i) {
        const QPoint& v = p[i];
        const QPoint m1 = MidPoint(p[i - 1], v);
        const QPoint m2 = MidPoint(v, p[i + 1]);
        pieces.Cubic(m1, MidPoint(v, m1), MidPoint(v, m2), m2);
    }
    pieces.Line(MidPoint(p[p.size() - 2], p[p.size() - 1]), p[p.size() - 1]);
}

CSmoothPen::CSmoothPen(int w, COLORREF c) : CPenTool(w, c) { m_gpPen = MakePen(w); }

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

QRect CSmoothPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2) {
        return {};
    }
    return drawn_extent::AroundLine(drawn_extent::PointsBox(m_points), m_gpPen.widthF());
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
