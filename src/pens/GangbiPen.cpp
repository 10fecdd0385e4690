#include "pens/GangbiPen.h"

#include "geometry/PointHelpers.h"

#include <QRectF>

#include <cstdint>

CGangbiPen::CGangbiPen(int w, COLORREF c) : CInkPen(w, c) {}

CGangbiPen::CGangbiPen(int w, COLORREF c0, COLORREF c1, COLORREF c2) : CInkPen(w, c0, c1, c2) {}

double CGangbiPen::DabReach(double width) const
{
    return width;
}

void CGangbiPen::Plot(int x, int y)
{
    if (!m_graphics) {
        return;
    }
    // The width moves from the segment's start width to its end width with
    // the whole-pixel distance from the segment's start, in integers (wide
    // enough that no product overflows).
    const std::int64_t d = static_cast<std::int64_t>(Distance(x, y, m_segStartX, m_segStartY));
    const std::int64_t width =
        ((m_segLength - d) * m_startWidth + d * m_endWidth) / m_segLength;
    if (width <= 0) {
        return;  // an empty (or inverted) circle covers nothing
    }
    if (DabOffSurface(x, y, static_cast<double>(width))) {
        return;
    }
    const QRectF dab(x, y, static_cast<double>(width), static_cast<double>(width));
    // Every dab of a width covers the same pixels round its own pixel, so
    // its coverage is drawn once and blended from then on.
    const DabMask* mask =
        m_dabs && width <= kMaxRoundDab ? RoundDab(static_cast<int>(width)) : nullptr;
    if (mask != nullptr) {
        m_dabs->Paint(*mask, x, y);
    } else {
        m_graphics->drawEllipse(dab);
    }
    AddDabBounds(dab);
}
