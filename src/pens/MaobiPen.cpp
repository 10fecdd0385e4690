#include "pens/MaobiPen.h"

#include "geometry/PointHelpers.h"
#include "pens/DabPainter.h"

#include <array>
#include <cmath>

namespace {
struct TipPoint {
    int x;
    int y;
};

// The brush tip in template units: 394 wide, 308 high at full size.
constexpr std::array<TipPoint, 13> kBrushTip = {{{0, 0},
                                                  {180, 0},
                                                  {303, 53},
                                                  {371, 158},
                                                  {393, 255},
                                                  {367, 308},
                                                  {292, 315},
                                                  {247, 315},
                                                  {217, 293},
                                                  {202, 248},
                                                  {165, 165},
                                                  {97, 83},
                                                  {0, 0}}};
// Brush-tip masks are kept for widths in sixteenths of a pixel, from one
// pixel up to kMaxRoundDab.
constexpr int kTipSteps = 16;
constexpr int kFewestTipSteps = kTipSteps;
constexpr int kMostTipSteps = kMaxRoundDab * kTipSteps;

// The mask of the brush tip of `steps` sixteenths of a pixel wide, or null
// beyond the kept widths.
const DabMask* TipMask(double w)
{
    if (!(w >= 0.0) || w > static_cast<double>(kMostTipSteps) / kTipSteps) {
        return nullptr;
    }
    const int steps = static_cast<int>(std::lround(w * kTipSteps));
    if (steps < kFewestTipSteps || steps > kMostTipSteps) {
        return nullptr;
    }
    static CDabMaskCache masks(static_cast<std::size_t>(kMostTipSteps) + 1);
    return masks.Get(static_cast<std::size_t>(steps), [steps] {
        const double width = static_cast<double>(steps) / kTipSteps;
        // The tip stays within its reach right and down of its pixel; two
        // pixels more on every side hold the antialiased fringe.
        const int reach = static_cast<int>(std::ceil(width * 315.0 / 308.0));
        return DrawDabMask(QRect(-2, -2, reach + 5, reach + 5), [width](QPainter& painter) {
            painter.drawPath(CMaobiPen::BrushTip(0, 0, width));
        });
    });
}
}  // namespace

CMaobiPen::CMaobiPen(int w, COLORREF c) : CInkPen(w, c) {}

CMaobiPen::CMaobiPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CInkPen(w, c0, c1, c2) {}

QPainterPath CMaobiPen::BrushTip(int x, int y, double w)
{
    // Points are single-precision like the drawing interface they were
    // designed for; the rounding is part of the dab's shape.
    std::array<QPointF, kBrushTip.size()> pts;
    for (std::size_t k = 0; k < kBrushTip.size(); ++k) {
        pts[k] = QPointF(static_cast<float>(x + kBrushTip[k].x * w / 394),
                         static_cast<float>(y + kBrushTip[k].y * w / 308));
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(pts[0]);
    for (std::size_t k = 1; k + 2 < pts.size(); k += 3) {
        path.cubicTo(pts[k], pts[k + 1], pts[k + 2]);
    }
    path.closeSubpath();
    return path;
}

double CMaobiPen::DabReach(double width) const
{
    return width * 315.0 / 308.0;
}

void CMaobiPen::Plot(int x, int y)
{
    if (!m_graphics) {
        return;
    }
    // The width moves from the segment's start width to its end width with
    // the true distance from the segment's start, in floating point.
    const double d = Distance(x, y, m_segStartX, m_segStartY);
    const double w = ((m_segLength - d) * m_startWidth + d * m_endWidth) / m_segLength;
    if (DabOffSurface(x, y, w)) {
        return;
    }
    // The tip's width changes from dab to dab, but within a sixteenth of a
    // pixel one tip covers the pixels round its own pixel as any other does
    // wherever it lies: those are drawn once and blended from then on.
    if (const DabMask* mask = m_dabs ? TipMask(w) : nullptr) {
        m_dabs->Paint(*mask, x, y);
        AddDabBounds(QRectF(mask->rect.translated(x, y)));
        return;
    }
    const QPainterPath tip = BrushTip(x, y, w);
    m_graphics->drawPath(tip);
    AddDabBounds(tip.controlPointRect());
}
