#include "pens/SegmentCrossing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncates toward zero; false for NaN, infinities and values beyond int.
bool TruncToInt(double v, int& out)
{
    if (!std::isfinite(v)) {
        return false;
    }
    const double t = std::trunc(v);
    if (t < static_cast<double>(std::numeric_limits<int>::min()) ||
        t > static_cast<double>(std::numeric_limits<int>::max())) {
        return false;
    }
    out = static_cast<int>(t);
    return true;
}

double Slope(const StrokePoint& a, const StrokePoint& b)
{
    return static_cast<double>(a.y - b.y) / static_cast<double>(a.x - b.x);
}

struct Box {
    int left, top, right, bottom;
};

Box BoxOf(const StrokePoint& a, const StrokePoint& b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

bool LineIntersection(const StrokePoint& p, const StrokePoint& q, const StrokePoint& P,
                      const StrokePoint& Q, int& x, int& y)
{
    // Slopes are computed only for lines that are not vertical, so no
    // division by zero happens; zero-length segments give NaN, which the
    // finiteness checks turn into "no intersection".
    if (p.x == q.x) {
        if (P.x == Q.x) {
            return false;  // two vertical lines: no single common point
        }
        const double h = Slope(P, Q);
        x = p.x;
        return TruncToInt(P.y + h * (static_cast<double>(x) - P.x), y);
    }
    const double r = Slope(p, q);
    if (P.x == Q.x) {
        x = P.x;
        return TruncToInt(p.y + r * (static_cast<double>(x) - p.x), y);
    }
    const double h = Slope(P, Q);
    const double t = ((P.y - h * P.x) - (p.y - r * p.x)) / (r - h);
    if (!TruncToInt(t, x)) {
        return false;
    }
    if (std::fabs(h) > std::fabs(r)) {
        return TruncToInt(p.y + r * (static_cast<double>(x) - p.x), y);
    }
    return TruncToInt(P.y + h * (static_cast<double>(x) - P.x), y);
}

bool SegmentsCross(const StrokePoint& P, const StrokePoint& Q, const StrokePoint& p,
                   const StrokePoint& q)
{
    const Box n = BoxOf(P, Q);
    const Box e = BoxOf(p, q);
    if (n.right < e.left || e.right < n.left || n.bottom < e.top || e.bottom < n.top) {
        return false;
    }
    if (P.x == Q.x && p.x == q.x) {
        return P.x == p.x && (n.top >= e.top || e.bottom >= n.bottom);
    }
    if (P.y == Q.y && p.y == q.y) {
        return P.y == p.y && (n.left >= e.left || e.right >= n.right);
    }
    int x = 0;
    int y = 0;
    if (!LineIntersection(p, q, P, Q, x, y)) {
        return false;
    }
    return x >= n.left && x <= n.right && y >= n.top && y <= n.bottom;
}
