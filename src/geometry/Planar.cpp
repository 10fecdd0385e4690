#include "geometry/Planar.h"

#include <cmath>
#include <cstdlib>
#include <limits>

std::int32_t TruncToInt(double v)
{
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(v)) {
        return 0;
    }
    if (v <= kMin) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v >= kMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(v);
}

double PointDistance(const TimedPoint& a, const TimedPoint& b)
{
    const double dy = static_cast<double>(std::int64_t{b.y} - a.y);
    const double dx = static_cast<double>(std::int64_t{b.x} - a.x);
    return std::sqrt(dy * dy + dx * dx);
}

bool IsLeftTurn(const TimedPoint& p1, const TimedPoint& p2, const TimedPoint& p3)
{
    // 128-bit, so that no pair of 32-bit points can overflow: the hull scan
    // relies on this test being exact.
    const __int128 x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y, x3 = p3.x, y3 = p3.y;
    return x2 * y3 + y1 * x3 + x1 * y2 - y1 * x2 - y2 * x3 - x1 * y3 > 0;
}

double SegmentAngle(const CSegment& s1, const CSegment& s2)
{
    const double dx1 = static_cast<double>(std::int64_t{s1.end.x} - s1.start.x);
    const double dy1 = static_cast<double>(std::int64_t{s1.end.y} - s1.start.y);
    const double dx2 = static_cast<double>(std::int64_t{s2.end.x} - s2.start.x);
    const double dy2 = static_cast<double>(std::int64_t{s2.end.y} - s2.start.y);
    const double cross = dx1 * dy2 - dy1 * dx2;
    const double dot = dx1 * dx2 + dy1 * dy2;
    return std::atan2(cross, dot);
}

double PointAngle(const TimedPoint& p, const TimedPoint& q)
{
    return std::atan2(static_cast<double>(std::int64_t{q.y} - p.y),
                      static_cast<double>(std::int64_t{q.x} - p.x));
}

TimedPoint FootOfPerpendicular(const TimedPoint& a, const TimedPoint& b, const TimedPoint& q)
{
    if (a.x == b.x) {
        return TimedPoint{a.x, q.y, 0.0};
    }
    if (SamePosition(q, a) || SamePosition(q, b)) {
        return q;
    }
    const double m =
        static_cast<double>(std::int64_t{b.y} - a.y) / static_cast<double>(std::int64_t{b.x} - a.x);
    if (m == 0.0) {
        return TimedPoint{q.x, a.y, 0.0};
    }
    const double k = b.y - m * b.x;
    const double x = (q.x / m + q.y - k) / (m + 1 / m);
    const double y = k + m * x;
    return TimedPoint{TruncToInt(x), TruncToInt(y), 0.0};
}

double PseudoAngle(const TimedPoint& p, const TimedPoint& q)
{
    const std::int64_t dx = std::int64_t{q.x} - p.x;
    const std::int64_t dy = std::int64_t{q.y} - p.y;
    const std::int64_t s = std::llabs(dx) + std::llabs(dy);
    const double t = s == 0 ? 0.0 : static_cast<double>(dy) / static_cast<double>(s);
    if (dx < 0) {
        return (2 - t) * 90;
    }
    if (dy < 0) {
        return (t + 4) * 90;
    }
    return t * 90;
}
