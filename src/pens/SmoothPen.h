#pragma once

#include "pens/PathOutlines.h"
#include "pens/PenTool.h"

#include <QPen>
#include <QPoint>
#include <QRegion>

#include <functional>
#include <span>

class QPainter;
class QPainterPath;

// Draws `points`, each shifted by (-originX, -originY), as one smoothed line
// with `pen` on `painter` (whose render hints the caller sets):
// - fewer than 2 points: nothing;
// - 2 to 5 points: straight lines between consecutive points;
// - 6 or more: a straight half segment from the first point to the middle of
//   the first segment, then one cubic Bezier per interior point V running
//   from the middle of the segment before V to the middle of the segment
//   after it, with control points halfway between V and those middles, then
//   a straight half segment to the last point. Middles are integer halvings.
// How SmoothPolyline may save work.
struct SmoothLineOptions {
    // The pieces are drawn as paths of up to 16; a piece that cannot reach
    // the painter's clip (or its device), or `within` when given (a
    // region's rectangles, top to bottom), is left
    // out: it could not change a pixel there. Within a path the runs of
    // pieces that can reach it stay subpaths of the one path, so where they
    // overlap they are still blended once.
    std::span<const QRect> within;
    // Draws each path in place of the painter (which SmoothPolyline still
    // sets up and asks for its clip and device), already holding the pen.
    std::function<void(const QPainterPath&)> drawPath;
    // Outlines of the line's paths kept between draws, made as paths are
    // first drawn while their budget has room: a path with a kept outline
    // is drawn whole by filling the outline, wherever it reaches the clip or
    // area at all (inside them the whole path paints what its reaching runs
    // paint). Paths holding a piece cut to the device are never kept.
    CPathOutlines* outlines = nullptr;
    // Fills a kept outline in place of the painter (with the brush of the
    // pen given to SmoothPolyline), when given.
    std::function<void(const CPathOutlines::Entry&)> fillOutline;
};

void SmoothPolyline(QPainter& painter, const QPen& pen, const CPointArray& points, int originX,
                    int originY, const SmoothLineOptions& options = {});

// The solid pen: one smoothed line of the pen's width, in one colour or with
// the multicolour texture.
class CSmoothPen : public CPenTool {
public:
    CSmoothPen(int w, COLORREF c);
    CSmoothPen(int w, COLORREF c0, COLORREF c1, COLORREF c2);

    void Draw(CSurface& surface, int originX, int originY) override;
    void BeginStroke(CSurface& surface, int x, int y) override;
    void ContinueStroke(CSurface& surface, int x, int y) override;
    void ForgetKeptDrawing() override;

protected:
    // Every piece of the smoothed line lies in the hull of the points (the
    // control points are integer midpoints between them), so the line
    // stays within the points' box grown by half the width.
    QRect MeasureDrawnExtent() const override;

private:
    QPen m_gpPen;
    CPathOutlines m_outlines;
    // Live smoothing: the last three live positions and how many are known
    // (0 before BeginStroke, then 1 to 3).
    QPoint m_ptA;
    QPoint m_ptB;
    QPoint m_ptC;
    int m_liveState = 0;
};
