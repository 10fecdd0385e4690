#pragma once

#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <QPainter>

// A pen for tests: draws its points as a polyline of its colour and width,
// without anti-aliasing, live and on redraw, and counts what it is asked to do.
class CTestLinePen : public CPenTool {
public:
    CTestLinePen(int width, COLORREF color) : CPenTool(width, color) {}

    void Draw(CSurface& surface, int ox, int oy) override
    {
        ++drawCalls;
        QPainter p(&surface.Image());
        p.setPen(QPen(ToQColor(m_colors[0]), m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const auto& pts = m_points.Points();
        for (std::size_t i = 1; i < pts.size(); ++i) {
            p.drawLine(pts[i - 1].x - ox, pts[i - 1].y - oy, pts[i].x - ox, pts[i].y - oy);
        }
    }
    void BeginStroke(CSurface& /*surface*/, int x, int y) override
    {
        ++beginCalls;
        m_lastX = x;
        m_lastY = y;
    }
    void ContinueStroke(CSurface& surface, int x, int y) override
    {
        ++continueCalls;
        QPainter p(&surface.Image());
        p.setPen(QPen(ToQColor(m_colors[0]), m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(m_lastX, m_lastY, x, y);
        const int grow = m_width + 2;
        surface.AddDirty(QRect(QPoint(std::min(m_lastX, x), std::min(m_lastY, y)),
                               QPoint(std::max(m_lastX, x), std::max(m_lastY, y)))
                             .adjusted(-grow, -grow, grow, grow));
        m_lastX = x;
        m_lastY = y;
    }
    void FinishStroke() override
    {
        ++finishCalls;
        CPenTool::FinishStroke();
    }

    int drawCalls = 0;
    int beginCalls = 0;
    int continueCalls = 0;
    int finishCalls = 0;
};

// A test pen holding the given points (x, y pairs), not yet drawn anywhere.
inline std::unique_ptr<CTestLinePen> MakeLine(std::initializer_list<std::pair<int, int>> points,
                                              COLORREF color = MakeRgb(0, 0, 0), int width = 3)
{
    auto pen = std::make_unique<CTestLinePen>(width, color);
    std::uint32_t t = 1;
    for (const auto& [x, y] : points) {
        pen->AddPoint(x, y, t++);
    }
    pen->FinishStroke();
    return pen;
}

inline QRgb PixelAt(const CSurface& s, int x, int y) { return s.Image().pixel(x, y) | 0xFF000000u; }
