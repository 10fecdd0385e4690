#pragma once

#include <cmath>
#include <utility>
#include <vector>

#include "geometry/Planar.h"
#include "geometry/TimedPoint.h"

// Plain transcriptions of the hull searches, every area through TriangleArea
// or QuadArea and every extreme from a full scan: the models the optimised
// searches of CStrokeGroup must match point for point.
namespace reference {

using Hull = std::vector<TimedPoint>;

template <typename Area>
std::pair<double, int> Climb(int n, int start, Area area)
{
    int k = start;
    if (k >= n - 1) {
        return {0.0, start};
    }
    double best = 0;
    int position = start;
    while (k < n - 1) {
        const double a = area(k);
        if (!(a > best)) {
            break;
        }
        position = k;
        best = a;
        ++k;
    }
    return {best, position};
}

inline void Phase1(const Hull& p, int& b1, int& c1, double& best)
{
    const int n = static_cast<int>(p.size());
    best = 0;
    b1 = c1 = 0;
    for (int b = 1; b <= n - 2; ++b) {
        const auto [area, c] =
            Climb(n, b + 1, [&](int k) { return TriangleArea(p[0], p[b], p[k]); });
        if (area > best) {
            best = area;
            b1 = b;
            c1 = c;
        }
    }
}

inline Hull LargestTriangle(const Hull& p)
{
    const int n = static_cast<int>(p.size());
    if (n <= 3) {
        Hull r = p;
        while (r.size() < 4) {
            r.push_back(p[0]);
        }
        return r;
    }
    int b1 = 0, c1 = 0;
    double best = 0;
    Phase1(p, b1, c1, best);
    int A = 0, B = b1, C = c1;
    for (int a = 1; a <= b1; ++a) {
        double phaseBest = 0;
        int ra = 0, rb = 0, rc = 0;
        for (int b = a == b1 ? b1 + 1 : b1; b <= c1; ++b) {
            const auto [area, c] = Climb(n, b == c1 ? c1 + 1 : c1,
                                         [&](int k) { return TriangleArea(p[a], p[b], p[k]); });
            if (area > phaseBest) {
                phaseBest = area;
                ra = a;
                rb = b;
                rc = c;
            }
        }
        if (phaseBest > best) {
            best = phaseBest;
            A = ra;
            B = rb;
            C = rc;
        }
    }
    return {p[A], p[B], p[C], p[A]};
}

inline Hull LargestQuad(const Hull& p)
{
    const int n = static_cast<int>(p.size());
    if (n <= 4) {
        Hull r = p;
        while (r.size() < 5) {
            r.push_back(p[0]);
        }
        return r;
    }
    int b1 = 0, c1 = 0;
    double ignored = 0;
    Phase1(p, b1, c1, ignored);
    double best = 0;
    int a2 = 0, b2 = 0, c2 = 0, d2 = 0;
    for (int b = 1; b <= b1; ++b) {
        for (int c = b == b1 ? b1 + 1 : b1; c <= c1; ++c) {
            const auto [area, d] = Climb(n, c == c1 ? c1 + 1 : c1,
                                         [&](int k) { return QuadArea(p[0], p[b], p[c], p[k]); });
            if (area > best) {
                best = area;
                b2 = b;
                c2 = c;
                d2 = d;
            }
        }
    }
    int A = a2, B = b2, C = c2, D = d2;
    for (int a = a2 + 1; a <= b2; ++a) {
        double phaseBest = 0;
        int r[4] = {0, 0, 0, 0};
        for (int b = a == b2 ? b2 + 1 : b2; b <= c2; ++b) {
            for (int c = b == c2 ? c2 + 1 : c2; c <= d2; ++c) {
                const auto [area, d] = Climb(n, c == d2 ? d2 + 1 : d2, [&](int k) {
                    return QuadArea(p[a], p[b], p[c], p[k]);
                });
                if (area > phaseBest) {
                    phaseBest = area;
                    r[0] = a;
                    r[1] = b;
                    r[2] = c;
                    r[3] = d;
                }
            }
        }
        if (phaseBest > best) {
            best = phaseBest;
            A = r[0];
            B = r[1];
            C = r[2];
            D = r[3];
        }
    }
    return {p[A], p[B], p[C], p[D], p[A]};
}

// trunc, except that values within 1e-9 of an integer become that integer.
inline int Snapped(double v)
{
    const double r = std::round(v);
    return static_cast<int>(std::fabs(v - r) <= 1e-9 ? r : v);
}

inline Hull EnclosingRect(const Hull& p)
{
    const int count = static_cast<int>(p.size());
    if (count == 1) {
        return Hull(5, p[0]);
    }
    if (count == 2) {
        return {p[0], p[1], p[1], p[0], p[0]};
    }
    Hull best;
    double bestArea = 0;
    for (int s = 0; s <= count - 2; ++s) {
        const CSegment edge(p[s], p[s + 1]);
        int minAlong = 0, maxAlong = 0, maxAcross = 0;
        double lo = 0, hi = 0, top = 0;
        for (int v = 0; v < count; ++v) {
            const double angle = SegmentAngle(edge, CSegment(p[s], p[v]));
            const double len = PointDistance(p[s], p[v]);
            const double along = len * std::cos(angle);
            const double across = len * std::sin(angle);
            if (v == 0) {
                lo = hi = along;
                top = across;
                continue;
            }
            if (along < lo) {
                lo = along;
                minAlong = v;
            }
            if (along > hi) {
                hi = along;
                maxAlong = v;
            }
            if (across > top) {
                top = across;
                maxAcross = v;
            }
        }
        const TimedPoint f1 = FootOfPerpendicular(p[s], p[s + 1], p[minAlong]);
        const TimedPoint f2 = FootOfPerpendicular(p[s], p[s + 1], p[maxAlong]);
        const double theta =
            SegmentAngle(CSegment(p[s], TimedPoint{p[s].x + 100, p[s].y, 0}), edge);
        const double ox = 100 * std::cos(theta + 1.5707963267948966);
        const double oy = 100 * std::sin(theta + 1.5707963267948966);
        const TimedPoint s1{Snapped(f1.x + ox), Snapped(f1.y + oy), 0};
        const TimedPoint s2{Snapped(f2.x + ox), Snapped(f2.y + oy), 0};
        const TimedPoint c3 = FootOfPerpendicular(f2, s2, p[maxAcross]);
        const TimedPoint c4 = FootOfPerpendicular(f1, s1, p[maxAcross]);
        const double area = QuadArea(f1, f2, c3, c4);
        if (s == 0 || area < bestArea) {
            bestArea = area;
            best = {f1, f2, c3, c4, f1};
        }
    }
    return best;
}

}  // namespace reference
