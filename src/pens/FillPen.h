#pragma once

#include "pens/PenTool.h"

#include "pens/DistanceBands.h"

#include <QPoint>
#include <QSize>

#include <array>
#include <memory>
#include <span>

// The fill pen: the smoothed line drawn three times, wide to narrow, in its
// three colours: a line of the third colour inside a band of the second
// inside a border of the first. Each pass paints, in order, the straight
// half segment at the start, the chain of curves and the straight half
// segment at the end (or, up to five points, each straight segment), each
// blended on its own. The line is painted from each pixel's distance to it
// (see distance_bands), so that a live step reuses the distances of the
// curves drawn before it.
class CFillPen : public CPenTool {
public:
    CFillPen(int w, COLORREF c0, COLORREF c1, COLORREF c2);
    ~CFillPen() override;

    void Draw(CSurface& surface, int originX, int originY) override;
    void BeginStroke(CSurface& surface, int x, int y) override;
    // Redraws the whole stroke so far, clipped to the rectangle round the
    // newest segment grown by 5w + 10, so the three bands stay nested.
    void ContinueStroke(CSurface& surface, int x, int y) override;
    void ForgetKeptDrawing() override;

    // The rectangle spanned by two points, grown by 5w + 10 on every side.
    QRect LiveClip(const QPoint& a, const QPoint& b) const;

protected:
    // The widest pass's smoothed line (see CSmoothPen).
    QRect MeasureDrawnExtent() const override;

private:
    struct LiveLine;
    struct StrokeLines;

    // Pass 0, 1 and 2: colour c0, c1 and c2 at 5, 3 and 1.5 times the width.
    std::array<distance_bands::Pass, 3> Passes() const;
    // How far from the line's centre the widest pass can paint.
    double Reach() const;
    // Brings the live line's distances up to the points captured so far.
    LiveLine& UpdateLiveLine(const CSurface& surface);
    // The stroke's lines, with the pieces at `origin`, over a surface of
    // `size`: their distances within `limit` (and `within`'s rectangles when
    // given), for the pieces that can reach them. Over the whole surface
    // the live stroke's distances are taken over when they hold them all.
    std::unique_ptr<StrokeLines> MakeLines(const QSize& size, const QPoint& origin,
                                           const QRect& limit, std::span<const QRect> within,
                                           std::unique_ptr<LiveLine> live) const;

    QPoint m_prev;
    // The distances of the live stroke's curves, kept from one live step to
    // the next; Draw takes them over or lets them go.
    std::unique_ptr<LiveLine> m_live;
    // The whole stroke's distances, kept from one Draw to the next for the
    // surface size, origin and points they were made for: a pixel's
    // distance does not depend on the clip, so every later draw, whatever
    // its clip, paints from them.
    std::unique_ptr<StrokeLines> m_kept;
};
