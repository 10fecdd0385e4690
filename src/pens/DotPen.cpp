#include "pens/DotPen.h"

#include "gfx/Surface.h"
#include "pens/PenPaint.h"

#include <QPainter>

CDotPen::CDotPen(int w, COLORREF c) : CWalkPen(w, c) { m_gpPen = MakePen(w); }

CDotPen::CDotPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CWalkPen(w, c0, c1, c2)
{
    BuildMulticolorTexture();
    m_gpPen = MakePen(w);
}

CDotPen::~CDotPen() = default;

void CDotPen::Draw(CSurface& surface, int originX, int originY)
{
    m_dashCounter = 0;
    WalkOn(surface, false, [&] { WalkAllSegments(originX, originY); });
}

QRect CDotPen::MeasureDrawnExtent() const
{
    if (m_points.GetCount() < 2) {
        return {};
    }
    return drawn_extent::AroundLine(drawn_extent::PointsBox(m_points), m_gpPen.widthF());
}

void CDotPen::BeginStroke(CSurface& /*surface*/, int x, int y)
{
    m_lastX = x;
    m_lastY = y;
    m_dashCounter = 0;
}

void CDotPen::ContinueStroke(CSurface& surface, int x, int y)
{
    WalkOn(surface, true, [&] { DrawSegment(m_lastX, m_lastY, x, y); });
    m_lastX = x;
    m_lastY = y;
}

void CDotPen::Plot(int x, int y)
{
    if (m_dashCounter == 0) {
        m_dashStart = QPoint(x, y);
        m_dashCounter = 1;
        return;
    }
    if (m_dashCounter == GetDashLength()) {
        // Each dash is a line of its own: one that cannot reach the
        // surface's paint clip is left out.
        const QPoint end(x, y);
        const QRect dash = InkRect({m_dashStart, end}, m_gpPen.widthF());
        QPainter* painter = WalkReaches(dash.adjusted(-1, -1, 1, 1)) ? WalkPainter() : nullptr;
        if (painter != nullptr) {
            painter->setPen(m_gpPen);
            painter->drawLine(m_dashStart, end);
            MarkWalkDirty(dash);
        }
    }
    m_dashCounter = (m_dashCounter + 1) % GetDashPeriod();
}
