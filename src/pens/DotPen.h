#pragma once

#include "pens/WalkPen.h"

#include <QPen>
#include <QPoint>

#include <algorithm>
#include <memory>

class QPainter;

// The dotted pen: a row of short round-capped dashes along the pixel walk of
// the stroke, in one colour or with the multicolour texture.
//
// With L = max(w, 8) and period P = 2 (w + L) walk steps, every P steps one
// dash joins the walk positions at steps 0 and L of the period; the rest is a
// gap. The step counter and the dash start carry on from one segment to the
// next (a dash may cut a corner as a straight chord) and restart at every
// Draw and BeginStroke, so each redraw places the same dashes.
class CDotPen : public CWalkPen {
public:
    CDotPen(int w, COLORREF c);
    CDotPen(int w, COLORREF c0, COLORREF c1, COLORREF c2);
    ~CDotPen() override;

    void Draw(CSurface& surface, int originX, int originY) override;
    void BeginStroke(CSurface& surface, int x, int y) override;
    void ContinueStroke(CSurface& surface, int x, int y) override;
    void Plot(int x, int y) override;

    int GetDashLength() const { return std::max(m_width, 8); }
    int GetDashPeriod() const { return 2 * (m_width + GetDashLength()); }

protected:
    // Each dash joins two pixels of the walk, which stay in the points' box.
    QRect MeasureDrawnExtent() const override;

private:
    QPen m_gpPen;
    QPoint m_dashStart{0, 0};
    int m_dashCounter = 0;
};
