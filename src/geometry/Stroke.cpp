#include "geometry/Stroke.h"

#include <cmath>
#include <cstdint>

void CStroke::AddPoint(int x, int y, double time)
{
    m_points.AddTail(TimedPoint{x, y, time});
    if (m_points.GetCount() > 1) {
        const double dx = static_cast<double>(std::int64_t{x} - m_lastX);
        const double dy = static_cast<double>(std::int64_t{y} - m_lastY);
        m_length += std::sqrt(dx * dx + dy * dy);
        m_speed = time == m_firstTime ? kInstantSpeed : m_length / (time - m_firstTime);
    } else {
        m_firstTime = time;
    }
    m_lastX = x;
    m_lastY = y;
}
