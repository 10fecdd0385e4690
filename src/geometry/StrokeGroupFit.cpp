// The searches over the thinned hull: largest inscribed triangle and
// quadrilateral, minimum-area enclosing rectangle.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "geometry/HullSearch.h"
#include "geometry/Planar.h"
#include "geometry/StrokeGroup.h"

namespace {

std::vector<TimedPoint> HullPoints(CPolygon& hull)
{
    std::vector<TimedPoint> points;
    points.reserve(static_cast<std::size_t>(hull.GetCount()));
    for (const TimedPoint& p : hull.Points()) {
        points.push_back(p);
    }
    return points;
}

// A polygon of all hull points, padded with hull point 0 to `size` points.
std::unique_ptr<CPolygon> PaddedCopy(const std::vector<TimedPoint>& p, int size)
{
    auto result = std::make_unique<CPolygon>();
    for (const TimedPoint& q : p) {
        result->Add(q);
    }
    while (result->GetCount() < size) {
        result->Add(p[0]);
    }
    return result;
}

}  // namespace

CHullSearch& CStrokeGroup::HullSearch()
{
    if (!m_search) {
        m_search = std::make_unique<CHullSearch>(HullPoints(GetConvexHull()));
    }
    return *m_search;
}

CPolygon& CStrokeGroup::GetLargestTriangle()
{
    if (m_largestTriangle) {
        return *m_largestTriangle;
    }
    CHullSearch& s = HullSearch();
    const int n = s.Count();
    if (n <= 3) {
        m_largestTriangle = PaddedCopy(s.Points(), 4);
        return *m_largestTriangle;
    }
    const CHullSearch::Phase1Result& phase1 = s.Phase1();
    double best = phase1.best;
    const int b1 = phase1.b1, c1 = phase1.c1;
    int A = 0, B = b1, C = c1;

    for (int a = 1; a <= b1; ++a) {
        double phaseBest = 0;
        int ra = 0, rb = 0, rc = 0;
        for (int b = (a == b1 ? b1 + 1 : b1); b <= c1; ++b) {
            const CHullSearch::ClimbResult r = s.Climb3(a, b, b == c1 ? c1 + 1 : c1);
            if (r.area > phaseBest) {
                phaseBest = r.area;
                ra = a;
                rb = b;
                rc = r.position;
            }
        }
        if (phaseBest > best) {
            best = phaseBest;
            A = ra;
            B = rb;
            C = rc;
        }
    }
    m_largestTriangle = std::make_unique<CPolygon>();
    m_largestTriangle->Add(s.P(A));
    m_largestTriangle->Add(s.P(B));
    m_largestTriangle->Add(s.P(C));
    m_largestTriangle->Add(s.P(A));
    return *m_largestTriangle;
}

CPolygon& CStrokeGroup::GetLargestQuad()
{
    if (m_largestQuad) {
        return *m_largestQuad;
    }
    CHullSearch& s = HullSearch();
    const int n = s.Count();
    if (n <= 4) {
        m_largestQuad = PaddedCopy(s.Points(), 5);
        return *m_largestQuad;
    }
    const int b1 = s.Phase1().b1, c1 = s.Phase1().c1;

    // Second phase: first vertex 0, the middle two within the triangle's range.
    double best = 0;
    int a2 = 0, b2 = 0, c2 = 0, d2 = 0;
    for (int b = 1; b <= b1; ++b) {
        for (int c = (b == b1 ? b1 + 1 : b1); c <= c1; ++c) {
            const CHullSearch::ClimbResult r = s.Climb4(0, b, c, c == c1 ? c1 + 1 : c1);
            if (r.area > best) {
                best = r.area;
                b2 = b;
                c2 = c;
                d2 = r.position;
            }
        }
    }
    int A = a2, B = b2, C = c2, D = d2;

    // Third phase: move the first vertex too, each index bounded by phase 2.
    for (int a = a2 + 1; a <= b2; ++a) {
        double phaseBest = 0;
        int ra = 0, rb = 0, rc = 0, rd = 0;
        for (int b = (a == b2 ? b2 + 1 : b2); b <= c2; ++b) {
            for (int c = (b == c2 ? c2 + 1 : c2); c <= d2; ++c) {
                const CHullSearch::ClimbResult r = s.Climb4(a, b, c, c == d2 ? d2 + 1 : d2);
                if (r.area > phaseBest) {
                    phaseBest = r.area;
                    ra = a;
                    rb = b;
                    rc = c;
                    rd = r.position;
                }
            }
        }
        if (phaseBest > best) {
            best = phaseBest;
            A = ra;
            B = rb;
            C = rc;
            D = rd;
        }
    }
    m_largestQuad = std::make_unique<CPolygon>();
    m_largestQuad->Add(s.P(A));
    m_largestQuad->Add(s.P(B));
    m_largestQuad->Add(s.P(C));
    m_largestQuad->Add(s.P(D));
    m_largestQuad->Add(s.P(A));
    return *m_largestQuad;
}

namespace {

// trunc(v), except that a value within 1e-9 of an integer is that integer.
// The side points of the enclosing rectangle add 100 * cos or sin of a right
// angle to a foot; for an edge pointing exactly left the cosine is -1.8e-16
// instead of 0, and plain truncation would move the side point, and with it
// a corner of the rectangle, by a whole pixel.
std::int32_t TruncSnapped(double v)
{
    const double nearest = std::round(v);
    if (std::fabs(v - nearest) <= 1e-9) {
        return TruncToInt(nearest);
    }
    return TruncToInt(v);
}

struct Rectangle {
    TimedPoint foot1, foot2, corner3, corner4;
    double area;
};

// Position of hull point v relative to edge `from` -> `to`, as the search
// defines it: `along` the edge and `across` it, from the signed angle and
// the distance. These decide the rectangle, so they are always computed
// this way for the points that can be extremes.
void AlongAcross(const CSegment& edge, const TimedPoint& v, double& along, double& across)
{
    const double angle = SegmentAngle(edge, CSegment(edge.start, v));
    const double len = PointDistance(edge.start, v);
    along = len * std::cos(angle);
    across = len * std::sin(angle);
}

// Indices of the first hull point of least and greatest `along` and of
// greatest `across`, exactly as a scan of every point with AlongAcross and
// strict comparisons finds them. The projections dot / |edge| and
// cross / |edge| equal along and across up to rounding (far below 1e-9
// of the hull's size), so only points within that margin of the projected
// extremes can win, and only those are scanned exactly: the trigonometry
// runs for a handful of points per edge instead of all of them. The
// projections are compared unscaled (dot and cross, margin times |edge|).
void EdgeExtremes(const std::vector<TimedPoint>& p, const CSegment& edge, int& minAlong,
                  int& maxAlong, int& maxAcross)
{
    const double ex = static_cast<double>(std::int64_t{edge.end.x} - edge.start.x);
    const double ey = static_cast<double>(std::int64_t{edge.end.y} - edge.start.y);
    const double elen = std::sqrt(ex * ex + ey * ey);
    const std::size_t n = p.size();
    thread_local std::vector<double> projAlong, projAcross;
    projAlong.resize(n);
    projAcross.resize(n);
    double lo = 0, hi = 0, top = 0, reach = 1;
    for (std::size_t v = 0; v < n; ++v) {
        const double dx = static_cast<double>(std::int64_t{p[v].x} - edge.start.x);
        const double dy = static_cast<double>(std::int64_t{p[v].y} - edge.start.y);
        projAlong[v] = ex * dx + ey * dy;
        projAcross[v] = ex * dy - ey * dx;
        if (v == 0 || projAlong[v] < lo) {
            lo = projAlong[v];
        }
        if (v == 0 || projAlong[v] > hi) {
            hi = projAlong[v];
        }
        if (v == 0 || projAcross[v] > top) {
            top = projAcross[v];
        }
        reach = std::max(reach, std::fabs(dx) + std::fabs(dy));
    }
    // A degenerate edge has no direction: every point is scanned.
    const double margin = elen > 0 ? 1e-9 * reach * elen : HUGE_VAL;

    // One pass finds each extreme's candidates. A lone candidate is the
    // winner as it stands; several (a tie within the margin) are told apart
    // by their exact values, the first index kept among equals.
    const auto isMinAlong = [&](std::size_t v) { return projAlong[v] <= lo + margin; };
    const auto isMaxAlong = [&](std::size_t v) { return projAlong[v] >= hi - margin; };
    const auto isMaxAcross = [&](std::size_t v) { return projAcross[v] >= top - margin; };
    int count[3] = {0, 0, 0};
    int firstIndex[3] = {0, 0, 0};
    for (std::size_t v = 0; v < n; ++v) {
        const bool is[3] = {isMinAlong(v), isMaxAlong(v), isMaxAcross(v)};
        for (int k = 0; k < 3; ++k) {
            if (is[k] && count[k]++ == 0) {
                firstIndex[k] = static_cast<int>(v);
            }
        }
    }
    const auto exact = [&](auto isCandidate, bool wantAlong, auto better) {
        bool first = true;
        double best = 0;
        int index = 0;
        for (std::size_t v = 0; v < n; ++v) {
            if (!isCandidate(v)) {
                continue;
            }
            double along = 0, across = 0;
            AlongAcross(edge, p[v], along, across);
            const double value = wantAlong ? along : across;
            if (first || better(value, best)) {
                best = value;
                index = static_cast<int>(v);
                first = false;
            }
        }
        return index;
    };
    const auto less = [](double x, double y) { return x < y; };
    const auto greater = [](double x, double y) { return x > y; };
    minAlong = count[0] == 1 ? firstIndex[0] : exact(isMinAlong, true, less);
    maxAlong = count[1] == 1 ? firstIndex[1] : exact(isMaxAlong, true, greater);
    maxAcross = count[2] == 1 ? firstIndex[2] : exact(isMaxAcross, false, greater);
}

// The rectangle flush with hull edge s -> s + 1 enclosing every hull point.
Rectangle RectangleOnEdge(const std::vector<TimedPoint>& p, int s)
{
    constexpr double kHalfPi = 1.5707963267948966;
    const TimedPoint& from = p[static_cast<std::size_t>(s)];
    const TimedPoint& to = p[static_cast<std::size_t>(s + 1)];
    const CSegment edge(from, to);

    int minAlong = 0, maxAlong = 0, maxAcross = 0;
    EdgeExtremes(p, edge, minAlong, maxAlong, maxAcross);

    Rectangle r{};
    r.foot1 = FootOfPerpendicular(from, to, p[static_cast<std::size_t>(minAlong)]);
    r.foot2 = FootOfPerpendicular(from, to, p[static_cast<std::size_t>(maxAlong)]);

    // The edge's direction: the signed angle from a segment 100 pixels to the
    // right of `from` onto the edge, as SegmentAngle forms it (cross
    // 100 * dy - 0 * dx, dot 100 * dx + 0 * dy), without building a point
    // that could lie beyond the int range.
    const double dx = static_cast<double>(std::int64_t{to.x} - from.x);
    const double dy = static_cast<double>(std::int64_t{to.y} - from.y);
    const double theta = std::atan2(100 * dy - 0 * dx, 100 * dx + 0 * dy);
    const double offsetX = 100 * std::cos(theta + kHalfPi);
    const double offsetY = 100 * std::sin(theta + kHalfPi);
    const TimedPoint side1{TruncSnapped(r.foot1.x + offsetX), TruncSnapped(r.foot1.y + offsetY),
                           0.0};
    const TimedPoint side2{TruncSnapped(r.foot2.x + offsetX), TruncSnapped(r.foot2.y + offsetY),
                           0.0};
    const TimedPoint& far = p[static_cast<std::size_t>(maxAcross)];
    r.corner3 = FootOfPerpendicular(r.foot2, side2, far);
    r.corner4 = FootOfPerpendicular(r.foot1, side1, far);
    r.area = QuadArea(r.foot1, r.foot2, r.corner3, r.corner4);
    return r;
}

}  // namespace

CPolygon& CStrokeGroup::GetEnclosingRect()
{
    if (m_enclosingRect) {
        return *m_enclosingRect;
    }
    CPolygon& hull = GetConvexHull();
    const TimedPoint p0 = hull.GetPoint(0);
    auto rect = std::make_unique<CPolygon>();
    const int count = hull.GetCount();
    if (count == 1) {
        for (int i = 0; i < 5; ++i) {
            rect->Add(p0);
        }
    } else if (count == 2) {
        const TimedPoint p1 = hull.GetPoint(1);
        rect->Add(p0);
        rect->Add(p1);
        rect->Add(p1);
        rect->Add(p0);
        rect->Add(p0);
    } else {
        const std::vector<TimedPoint> p = HullPoints(hull);  // few points: copied once
        Rectangle best = RectangleOnEdge(p, 0);
        for (int s = 1; s <= count - 2; ++s) {
            const Rectangle r = RectangleOnEdge(p, s);
            if (r.area < best.area) {
                best = r;
            }
        }
        rect->Add(best.foot1);
        rect->Add(best.foot2);
        rect->Add(best.corner3);
        rect->Add(best.corner4);
        rect->Add(best.foot1);
    }
    m_enclosingRect = std::move(rect);
    return *m_enclosingRect;
}
