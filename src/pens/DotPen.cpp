#include "pens/DotPen.h"

#include "gfx/Surface.h"
#include "pens/PenPaint.h"

#include <QPainter>

CDotPen::CDotPen(int w, COLORREF c) : CPenTool(w, c) { m_gpPen = MakePen(w); }

CDotPen::CDotPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CPenTool(w, c0, c1, c2)
{
    BuildMulticolorTexture();
    m_gpPen = MakePen(w);
}

CDotPen::~CDotPen() = default;

template <typename Walk>
void CDotPen::WalkOn(CSurface& surface, bool live, Walk&& walk)
{
    m_target = &surface;
    m_live = live;
    walk();
    m_graphics.reset();
    m_target = nullptr;
    m_live = false;
}

void CDotPen::Draw(CSurface& surface, int originX, int originY)
{
    m_dashCounter = 0;
    WalkOn(surface, false, [&] {
        const std::vector<StrokePoint>& pts = m_points.Points();
        for (std::size_t i = 1; i < pts.size(); ++i) {
            DrawSegment(pts[i - 1].x - originX, pts[i - 1].y - originY, pts[i].x - originX,
                        pts[i].y - originY);
        }
    });
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
    if (m_dashCounter == GetDashLength() && m_target != nullptr) {
        if (!m_graphics) {
            m_graphics = std::make_unique<QPainter>(&m_target->Image());
            m_graphics->setRenderHint(QPainter::Antialiasing);
            m_graphics->setPen(m_gpPen);
        }
        const QPoint end(x, y);
        m_graphics->drawLine(m_dashStart, end);
        if (m_live) {
            m_target->AddDirty(InkRect({m_dashStart, end}, m_gpPen.widthF()) & m_target->Rect());
        }
    }
    m_dashCounter = (m_dashCounter + 1) % GetDashPeriod();
}
