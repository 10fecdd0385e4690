#pragma once

#include <cmath>
#include <cstdint>

#include "geometry/TimedPoint.h"

// Cross term a.x * b.y - a.y * b.x as a double. Each product of two 32-bit
// values fits in 64 bits; only their difference can overflow, and only for
// coordinates near the ends of the int range, where the two products are
// subtracted as doubles instead.
inline double Cross(const TimedPoint& a, const TimedPoint& b)
{
    const std::int64_t p = std::int64_t{a.x} * b.y;
    const std::int64_t q = std::int64_t{a.y} * b.x;
    std::int64_t d = 0;
    if (__builtin_sub_overflow(p, q, &d)) {
        return static_cast<double>(p) - static_cast<double>(q);
    }
    return static_cast<double>(d);
}

// Small planar functions of the geometry engine on integer pixel points
// (y downwards). Integer products are formed wide enough never to overflow:
// wherever 32-bit products would not overflow (any screen) the results are
// exactly those of 32-bit arithmetic, and far-apart points stay defined.

// A directed segment, start then end.
struct CSegment {
    CSegment(const TimedPoint& from, const TimedPoint& to) : start(from), end(to) {}
    TimedPoint start;
    TimedPoint end;
};

// Double to pixel, truncated toward zero. Values beyond the int range are
// clamped and NaN gives 0, so no input can make the conversion undefined.
std::int32_t TruncToInt(double v);

double PointDistance(const TimedPoint& a, const TimedPoint& b);

// Cross product (p2 - p1) x (p3 - p1) strictly positive; collinear is false.
bool IsLeftTurn(const TimedPoint& p1, const TimedPoint& p2, const TimedPoint& p3);

// Signed angle in (-pi, pi] turning s1 onto s2.
double SegmentAngle(const CSegment& s1, const CSegment& s2);

// atan2(q.y - p.y, q.x - p.x).
double PointAngle(const TimedPoint& p, const TimedPoint& q);

// The point of the line through a and b nearest to q, truncated to pixels.
TimedPoint FootOfPerpendicular(const TimedPoint& a, const TimedPoint& b, const TimedPoint& q);

// Shoelace areas: the cross terms summed in order, half the absolute sum.
inline double TriangleArea(const TimedPoint& p, const TimedPoint& q, const TimedPoint& r)
{
    const double sum = Cross(p, q) + Cross(q, r) + Cross(r, p);
    return std::fabs(sum) * 0.5;
}
inline double QuadArea(const TimedPoint& p, const TimedPoint& q, const TimedPoint& r,
                       const TimedPoint& s)
{
    const double sum = Cross(p, q) + Cross(q, r) + Cross(r, s) + Cross(s, p);
    return std::fabs(sum) * 0.5;
}

// A value in [0, 360) growing with the direction of q seen from p, cheaper
// than an arc tangent; only ever compared, never used as an angle.
double PseudoAngle(const TimedPoint& p, const TimedPoint& q);
