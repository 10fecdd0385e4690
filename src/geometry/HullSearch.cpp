#include "geometry/HullSearch.h"

#include "geometry/Planar.h"

// The cross terms of every pair of hull points are computed once: the
// searches evaluate the same pairs many times over.
CHullSearch::CHullSearch(std::vector<TimedPoint> points)
    : m_p(std::move(points)), m_n(static_cast<int>(m_p.size()))
{
    const std::size_t n = m_p.size();
    m_cross.resize(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            m_cross[i * n + j] = Cross(m_p[i], m_p[j]);
        }
    }
}

const CHullSearch::Phase1Result& CHullSearch::Phase1()
{
    if (!m_phase1) {
        Phase1Result r;
        for (int b = 1; b <= m_n - 2; ++b) {
            const ClimbResult climb = Climb3(0, b, b + 1);
            if (climb.area > r.best) {
                r.best = climb.area;
                r.b1 = b;
                r.c1 = climb.position;
            }
        }
        m_phase1 = r;
    }
    return *m_phase1;
}
