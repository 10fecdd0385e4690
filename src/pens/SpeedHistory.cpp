#include "pens/SpeedHistory.h"

#include "geometry/PointHelpers.h"

#include <algorithm>

void CSpeedHistory::AddSample(std::int32_t x, std::int32_t y, std::uint32_t time, int scale)
{
    if (m_samples.empty()) {
        m_samples.assign(4, SpeedSample{x, y, time, 1.0});
        return;
    }
    const SpeedSample& p = m_samples.back();
    const int d = std::max(static_cast<int>(Distance(p.x, p.y, x, y)), 1);
    // Ticks are compared through their signed difference, which stays right
    // across the wrap of the 32-bit tick count.
    const std::uint32_t step = time - p.time;
    double factor = p.factor;
    if (static_cast<std::int32_t>(step) > 0) {
        factor = static_cast<double>(step) / d * scale * 0.01;
    }
    if (factor > 1.0) {
        factor = 1.0;
    }
    m_samples.push_back(SpeedSample{x, y, time, factor});
}

double CSpeedHistory::MeanFactor() const
{
    const std::size_t n = m_samples.size();
    double sum = 0.0;
    for (std::size_t i = n - std::min<std::size_t>(n, 4); i < n; ++i) {
        sum += m_samples[i].factor;
    }
    return sum * 0.25;
}
