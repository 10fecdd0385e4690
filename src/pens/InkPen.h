#pragma once

#include "pens/DabPainter.h"
#include "pens/PenTool.h"
#include "pens/SpeedHistory.h"

#include <QBrush>
#include <QPainter>
#include <QPainterPath>
#include <QRect>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QRectF;

// The shared base of the two ink pens (writing brush and fountain pen). Both
// lay down overlapping dabs along the stroke, one per pixel of the pixel-line
// walk, and the dab size follows the drawing speed: the faster the hand, the
// thinner the line. The pens differ only in their dab (Plot).
//
// While a stroke is captured, each point's `time` is the tick of its move.
// FinishStroke replaces it with the point's width in pixels; from then on the
// stroke draws from the points' positions, squared lengths and widths alone,
// or from its filled outline once BuildOutline has made one.
class CInkPen : public CPenTool {
public:
    // Every ink pen measures speed with this scale: the factor is half the
    // milliseconds per pixel, so slower than 2 ms per pixel keeps full width.
    static constexpr int kSpeedScale = 50;

    ~CInkPen() override;

    // Fills the outline when there is one, otherwise draws every segment of
    // the stroke with the stored widths. The origin is not applied: strokes
    // are drawn where they were captured (every caller passes 0, 0).
    void Draw(CSurface& surface, int originX, int originY) override;
    // The press position, at the current tick count.
    void BeginStroke(CSurface& surface, int x, int y) override;
    // The press position at the tick of the press event.
    void BeginStroke(CSurface& surface, int x, int y, std::uint32_t tick);
    // Draws the segment to the newest point, whose tick is the speed sample's
    // time (the current tick count when (x, y) is not the newest point).
    void ContinueStroke(CSurface& surface, int x, int y) override;
    // Statistics, then (only the first time) the width of every point.
    void FinishStroke() override;
    // Draws the segments between points first ... last - 1 with the widths
    // stored in the points; the stroke must be finished.
    void DrawRange(CSurface& surface, int first, int last) override;

    // Replaces the outline with one traced from the stroke as drawn on a
    // canvas of canvasWidth x canvasHeight (ink beyond it is cut off). The
    // stroke is split where it runs over itself; each piece, overlapping
    // the next by two points, is drawn alone on a mask with the pen's dabs
    // and widths and traced, and all contours go into one outline, which
    // Draw fills from then on. Runs on the ink worker thread: it touches only
    // this pen and a mask of its own.
    void BuildOutline(int canvasWidth, int canvasHeight);
    // Where the stroke from point `first` on first runs over itself: the
    // index at which to end the piece before the crossing segment (at least
    // first + 3), or `count` when the points first ... count - 1 do not
    // cross. The segment ending at each point i >= first + 5 is tested
    // against every earlier segment except the two just before it.
    int FindSelfCrossing(int first, int count) const;
    // The point ranges [first, end) BuildOutline draws one at a time: split
    // with FindSelfCrossing, each starting two points before the previous
    // one's end. A stroke without crossings is one piece.
    std::vector<std::pair<int, int>> OutlinePieces() const;
    // Fills every contour of the outline with `brush` as one smooth path,
    // antialiased. Nothing happens while the pen has no outline.
    void FillOutline(CSurface& surface, const QBrush& brush);
    // The smooth closed path of an outline: per contour one cubic curve per
    // vertex, from the midpoint of the edge before it to the midpoint of the
    // edge after it, pulled halfway towards the vertex; winding fill, so
    // holes traced against the outer boundaries stay empty.
    static QPainterPath OutlinePath(const COutline& outline);

    // A point's width from the speed history: trunc(m_width * MeanFactor),
    // never below 2.
    int WidthFromHistory() const;
    const CSpeedHistory& GetHistory() const { return m_history; }
    // The width stored in point i by FinishStroke (or by the ink shaper).
    int GetPointWidth(int i) const;

protected:
    CInkPen(int width, COLORREF color);
    CInkPen(int width, COLORREF c0, COLORREF c1, COLORREF c2);

    // Dabs paint on m_graphics while a drawing operation runs and report
    // their bounds here.
    void AddDabBounds(const QRectF& bounds);
    // True when a dab of `width` at (x, y) cannot touch the surface being
    // painted, or its paint clip: such a dab is skipped,
    // so a stroke running far off the surface costs a distance test per
    // pixel, not a painted path. Each dab is a path of its own, so leaving
    // one out changes no pixel any other dab paints.
    bool DabOffSurface(int x, int y, double width) const;

    // The outline's contours when there is one; otherwise the points' box
    // grown right and down by the reach of the widest dab the widths can
    // give (a dab starts at its pixel), and left and up by the fringe (or
    // by the reach of a negative width, which flips a dab).
    QRect MeasureDrawnExtent() const override;
    // With an outline, each contour's box grown by the fringe; otherwise
    // runs of the points as for every pen.
    std::vector<QRect> MeasurePieceRects() const override;
    // How far right and down of its pixel a dab of `width` can paint.
    virtual double DabReach(double width) const = 0;

    int m_startWidth = 0;
    int m_endWidth = 0;
    int m_segStartX = 0;
    int m_segStartY = 0;
    int m_segLength = 1;
    CSpeedHistory m_history;
    int m_speedScale = kSpeedScale;
    QBrush m_brush;
    // Open only during one drawing operation, on the surface it was given;
    // null otherwise, and Plot then paints nothing.
    std::unique_ptr<QPainter> m_graphics;
    // For antialiased dabs of a shape kept as a mask, painting on the same
    // surface without the painter; open with m_graphics when the surface
    // and the brush allow it, null otherwise.
    std::unique_ptr<CDabPainter> m_dabs;

private:
    void StartStroke(CSurface& surface, int x, int y, std::uint32_t tick);
    // Opens m_graphics on `surface` filling with `brush`.
    void OpenGraphics(CSurface& surface, const QBrush& brush, bool antialias);
    // Closes m_graphics and reports what it painted as dirty on `surface`.
    void CloseGraphics(CSurface& surface);
    void DrawRangeWith(CSurface& surface, int first, int last, const QBrush& brush,
                       bool antialias);
    // False when no dab of the segment from `from` to `to`, with the widths
    // set for it, can touch the surface being painted or its paint clip:
    // its walk is then skipped, and a stroke drawn into part of a picture
    // costs little more than its segments there.
    bool SegmentReachesTarget(const StrokePoint& from, const StrokePoint& to) const;
    // The length DrawRange interpolates the widths over for the segment
    // ending at `to`: its stored squared length as an int, at least 1.
    static int SegmentLength(const StrokePoint& to);

    QRect m_painted;
    const CSurface* m_target = nullptr;  // the surface m_graphics paints on
};
