#pragma once

#include <cmath>
#include <optional>
#include <vector>

#include "geometry/TimedPoint.h"

// The state shared by the largest-triangle and largest-quadrilateral
// searches over one hull: its points (the last repeating the first), the
// cross terms of every pair of them, and the first phase, which both
// searches begin with.
class CHullSearch {
public:
    struct ClimbResult {
        double area;
        int position;
    };
    struct Phase1Result {
        double best = 0;
        int b1 = 0;
        int c1 = 0;
    };

    explicit CHullSearch(std::vector<TimedPoint> points);

    const std::vector<TimedPoint>& Points() const { return m_p; }
    const TimedPoint& P(int i) const { return m_p[static_cast<std::size_t>(i)]; }
    int Count() const { return m_n; }

    // Moves the last vertex forward from `start` while the area strictly
    // grows; candidate vertices are 0 .. n - 2. Returns the best area and the
    // last position that improved it (area 0 and `start` when none did).
    // The areas are TriangleArea(P(a), P(b), P(k)) and QuadArea(P(a), P(b),
    // P(c), P(k)): the same cross terms added in the same order, so the same
    // doubles, with the terms that do not depend on k summed once.
    ClimbResult Climb3(int a, int b, int start) const
    {
        const double base = C(a, b);
        return Climb(start, [&](int k) { return std::fabs(base + C(b, k) + C(k, a)) * 0.5; });
    }
    ClimbResult Climb4(int a, int b, int c, int start) const
    {
        const double base = C(a, b) + C(b, c);
        return Climb(start, [&](int k) { return std::fabs(base + C(c, k) + C(k, a)) * 0.5; });
    }

    // First vertex fixed at 0: the best (0, b, c) over every b, the first of
    // equal areas kept. Computed once.
    const Phase1Result& Phase1();

private:
    template <typename AreaAt>
    ClimbResult Climb(int start, AreaAt&& areaAt) const
    {
        ClimbResult result{0.0, start};
        for (int k = start; k < m_n - 1; ++k) {
            const double area = areaAt(k);
            if (!(area > result.area)) {
                break;
            }
            result = {area, k};
        }
        return result;
    }

    double C(int i, int j) const
    {
        return m_cross[static_cast<std::size_t>(i) * m_p.size() + static_cast<std::size_t>(j)];
    }

    std::vector<TimedPoint> m_p;
    int m_n;
    std::vector<double> m_cross;
    std::optional<Phase1Result> m_phase1;
};
