#pragma once

#include "geometry/PointArray.h"
#include "pens/PenPaint.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>

// The geometry of the smoothed line the solid and fill pens draw.

// One piece of a smoothed line: a straight line a..b, or a cubic a..b with
// controls c1, c2.
struct SmoothPiece {
    bool cubic = false;
    QPoint a;
    QPoint c1;
    QPoint c2;
    QPoint b;
};

// The smoothed line's pieces, numbered along the line: with up to five
// points the straight segments; from six points on the straight half
// segment to the first middle, one cubic per interior point, and the
// straight half segment from the last middle. Each point is shifted by
// (-originX, -originY). The points are read, not copied: they must outlive
// this view and keep their count while it is used.
class SmoothPieces {
public:
    SmoothPieces(const CPointArray& points, int originX, int originY)
        : m_points(points), m_ox(originX), m_oy(originY)
    {
    }

    int PointCount() const { return m_points.GetCount(); }

    int Count() const
    {
        const int n = PointCount();
        return n <= 1 ? 0 : (n <= 5 ? n - 1 : n);
    }

    SmoothPiece At(int k) const
    {
        const int n = PointCount();
        if (n <= 5) {
            return {false, P(k), {}, {}, P(k + 1)};
        }
        if (k == 0) {
            return {false, P(0), {}, {}, MidPoint(P(0), P(1))};
        }
        if (k == n - 1) {
            return {false, MidPoint(P(n - 2), P(n - 1)), {}, {}, P(n - 1)};
        }
        const QPoint v = P(k);
        const QPoint m1 = MidPoint(P(k - 1), v);
        const QPoint m2 = MidPoint(v, P(k + 1));
        return {true, m1, MidPoint(v, m1), MidPoint(v, m2), m2};
    }

    // The box of the points pieces first..last (inclusive) are drawn from:
    // every control point is a halving between them, so the pieces stay in
    // their hull.
    QRect Box(int first, int last) const
    {
        const int n = PointCount();
        const int from = n <= 5 ? first : std::max(first - 1, 0);
        const int to = std::min(last + 1, n - 1);
        const QPoint start = P(from);
        int left = start.x();
        int right = left;
        int top = start.y();
        int bottom = top;
        for (int i = from + 1; i <= to; ++i) {
            const QPoint p = P(i);
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
        return QRect(QPoint(left, top), QPoint(right, bottom));
    }

private:
    QPoint P(int i) const
    {
        const StrokePoint& p = m_points[static_cast<std::size_t>(i)];
        return {static_cast<int>(static_cast<long long>(p.x) - m_ox),
                static_cast<int>(static_cast<long long>(p.y) - m_oy)};
    }

    const CPointArray& m_points;
    int m_ox;
    int m_oy;
};

// The point at t of the cubic a..b with controls c1, c2.
inline QPointF CubicAt(const QPointF& a, const QPointF& c1, const QPointF& c2, const QPointF& b,
                       double t)
{
    const double u = 1.0 - t;
    return u * u * u * a + 3.0 * u * u * t * c1 + 3.0 * u * t * t * c2 + t * t * t * b;
}

// How many equal steps of t make a chain of lines that stays within a
// tenth of a pixel of the cubic: the second difference bounds how far a
// chord of n steps can stray from it, |B''| / (8 n^2).
inline int CubicLineSteps(const QPointF& a, const QPointF& c1, const QPointF& c2,
                          const QPointF& b)
{
    const double bend = std::max(std::hypot((c2 - 2.0 * c1 + a).x(), (c2 - 2.0 * c1 + a).y()),
                                 std::hypot((b - 2.0 * c2 + c1).x(), (b - 2.0 * c2 + c1).y()));
    constexpr double kTolerance = 0.1;
    return std::clamp(static_cast<int>(std::ceil(std::sqrt(6.0 * bend / (8.0 * kTolerance)))), 1,
                      4096);
}
