#include "geometry/PointHelpers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

double Distance(int x1, int y1, int x2, int y2)
{
    // The differences are exact in 64 bits and their squares are summed in
    // floating point: the same value as the 32-bit integer sum for every
    // on-screen pair (all exact below 2^53), and no overflow for any pair.
    const double dx = static_cast<double>(std::int64_t{x1} - x2);
    const double dy = static_cast<double>(std::int64_t{y1} - y2);
    return std::sqrt(dx * dx + dy * dy);
}

double DistanceSq(int x1, int y1, int x2, int y2)
{
    const double dx = static_cast<double>(x1 - x2);
    const double dy = static_cast<double>(y1 - y2);
    return dx * dx + dy * dy;
}

double DistanceSq(const StrokePoint& p, const StrokePoint& q)
{
    return DistanceSq(p.x, p.y, q.x, q.y);
}

double Angle(int x1, int y1, int x2, int y2)
{
    if (y1 == y2) {
        return x1 < x2 ? 0.0 : PI_APPROX;
    }
    if (x1 == x2) {
        return y2 < y1 ? HALF_PI_APPROX : THREE_HALF_PI_APPROX;
    }
    const double t = std::atan(static_cast<double>(std::abs(y2 - y1))
                               / static_cast<double>(std::abs(x2 - x1)));
    if (y2 < y1) {
        return x2 > x1 ? t : PI_APPROX - t;
    }
    return x2 < x1 ? PI_APPROX + t : TWO_PI_APPROX - t;
}

double Angle(const StrokePoint& p, const StrokePoint& q)
{
    return Angle(p.x, p.y, q.x, q.y);
}

double TurnAngle(int x1, int y1, int x2, int y2, int x3, int y3)
{
    const double a = Angle(x2, y2, x1, y1);
    double b = Angle(x2, y2, x3, y3);
    if (b < a) {
        b += TWO_PI_APPROX;
    }
    return b - a;
}

double TurnAngle(const StrokePoint& p1, const StrokePoint& p2, const StrokePoint& p3)
{
    return TurnAngle(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y);
}

void FitRect(int iw, int ih, int bw, int bh, FitPoint& position, FitSize& size)
{
    if (iw <= bw && ih <= bh) {
        position.x += (bw - iw) / 2;
        position.y += (bh - ih) / 2;
        size = {iw, ih};
    } else if (ih * bw == iw * bh) {
        size = {bw, bh};
    } else if (iw * bh > ih * bw) {
        const int h = ih * bw / iw;
        size = {bw, h};
        position.y += (bh - h) / 2;
    } else {
        const int w = iw * bh / ih;
        size = {w, bh};
        position.x += (bw - w) / 2;
    }
}
