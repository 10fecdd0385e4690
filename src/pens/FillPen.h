#pragma once

#include "pens/PenTool.h"

#include <QPen>
#include <QPoint>

class QPainter;

// The fill pen: the smoothed line drawn three times, wide to narrow, in its
// three colours: a line of the third colour inside a band of the second
// inside a border of the first.
class CFillPen : public CPenTool {
public:
    CFillPen(int w, COLORREF c0, COLORREF c1, COLORREF c2);

    void Draw(CSurface& surface, int originX, int originY) override;
    void BeginStroke(CSurface& surface, int x, int y) override;
    // Redraws the whole stroke so far, clipped to the rectangle round the
    // newest segment grown by 5w + 10, so the three bands stay nested.
    void ContinueStroke(CSurface& surface, int x, int y) override;

    // The rectangle spanned by two points, grown by 5w + 10 on every side.
    QRect LiveClip(const QPoint& a, const QPoint& b) const;

protected:
    // The widest pass's smoothed line (see CSmoothPen).
    QRect MeasureDrawnExtent() const override;

private:
    // The pen of pass 0, 1 or 2: colour c0, c1 or c2 at 5, 3 or 1.5 times
    // the width, round caps and joins.
    QPen PassPen(int pass) const;
    // The three passes with `painter`, opened on `surface`; under a clip
    // only the pieces that can reach it.
    void DrawPasses(QPainter& painter, const CSurface& surface, int originX, int originY) const;

    QPoint m_prev;
};
