#pragma once

#include "pens/InkPen.h"

#include <QPainterPath>

// The writing brush (tools 7 and 8): its dab is a filled teardrop-shaped
// brush tip, four cubic Bezier curves that start and end at the pixel and
// bulge to the right and downwards, about as wide and as high as the width.
class CMaobiPen : public CInkPen {
public:
    // Single colour (tool 7).
    CMaobiPen(int w, COLORREF c);
    // Multicolour (tool 8): the texture tile, anchored at the surface origin.
    CMaobiPen(int w, COLORREF c0, COLORREF c1, COLORREF c2);

    void Plot(int x, int y) override;

    // The brush tip of width `w` placed at (x, y): a closed path of one
    // start point and four cubic curves, filled with the winding rule.
    static QPainterPath BrushTip(int x, int y, double w);

protected:
    // The tip reaches 393/394 of the width right and 315/308 of it down.
    double DabReach(double width) const override;
};
