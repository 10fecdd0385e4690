#pragma once

#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <initializer_list>

// Helpers shared by the pen kinds' drawing code.

// The midpoint of two pixel positions, each coordinate halved in integer
// arithmetic (truncating toward zero).
inline QPoint MidPoint(const QPoint& a, const QPoint& b)
{
    return {static_cast<int>((static_cast<long long>(a.x()) + b.x()) / 2),
            static_cast<int>((static_cast<long long>(a.y()) + b.y()) / 2)};
}

// The smallest rectangle holding every point, grown on each side by enough
// to hold a line of `penWidth` drawn through them with round caps, plus a
// pixel of anti-aliasing fringe.
inline QRect InkRect(std::initializer_list<QPoint> points, double penWidth)
{
    int left = points.begin()->x();
    int right = left;
    int top = points.begin()->y();
    int bottom = top;
    for (const QPoint& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const int grow = static_cast<int>(std::ceil(penWidth / 2.0)) + 2;
    return QRect(QPoint(left - grow, top - grow), QPoint(right + grow, bottom + grow));
}
