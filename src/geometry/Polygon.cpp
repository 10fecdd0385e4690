#include "geometry/Polygon.h"

#include <cmath>

#include "geometry/Planar.h"

double CPolygon::GetArea()
{
    if (m_area != 0.0) {
        return std::fabs(m_area);
    }
    const int count = m_points->GetCount();
    if (count < 3) {
        m_area = kTiny;
        return m_area;
    }
    TimedPoint prev = m_points->GetAt(0)->element;
    for (int i = 0; i + 1 < count; ++i) {
        const TimedPoint next = m_points->GetAt(i + 1)->element;
        m_area += Cross(prev, next);
        prev = next;
    }
    m_area *= 0.5;
    if (m_area == 0.0) {
        m_area = kTiny;
    }
    return std::fabs(m_area);
}

double CPolygon::GetPerimeter()
{
    if (m_perimeter != 0.0) {
        return m_perimeter;
    }
    const int count = m_points->GetCount();
    for (int i = 0; i + 1 < count; ++i) {
        m_perimeter += PointDistance(m_points->GetAt(i)->element, m_points->GetAt(i + 1)->element);
    }
    if (m_perimeter == 0.0) {
        m_perimeter = kTiny;
    }
    if (count < 3) {
        m_perimeter *= 2;
    }
    return m_perimeter;
}
