#pragma once

#include "pens/InkPen.h"

// The fountain pen (tools 9 and 10): its dab is a filled circle whose
// bounding square has its top-left corner at the pixel, so the line lies
// slightly below and to the right of the points.
class CGangbiPen : public CInkPen {
public:
    // Single colour (tool 9).
    CGangbiPen(int w, COLORREF c);
    // Multicolour (tool 10): the texture tile, anchored at the surface origin.
    CGangbiPen(int w, COLORREF c0, COLORREF c1, COLORREF c2);

    void Plot(int x, int y) override;

protected:
    // The dab's bounding square starts at the pixel: it reaches one width.
    double DabReach(double width) const override;
};
