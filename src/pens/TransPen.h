#pragma once

#include "pens/PenTool.h"

#include <QPen>

// The translucent marker: a wide line whose colour is ANDed channel by
// channel into the picture, like a highlighter. White paper takes the pen
// colour, dark stays dark, and going over the same place again changes
// nothing more.
class CTransPen : public CPenTool {
public:
    CTransPen(int w, COLORREF c);

    void Draw(CSurface& surface, int originX, int originY) override;
    void BeginStroke(CSurface& surface, int x, int y) override;
    void ContinueStroke(CSurface& surface, int x, int y) override;

protected:
    // The polyline through the points with the marker's width.
    QRect MeasureDrawnExtent() const override;

private:
    QPen MarkerPen() const;
};
