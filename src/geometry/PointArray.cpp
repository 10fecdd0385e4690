#include "geometry/PointArray.h"

#include "geometry/TickCount.h"

void CPointArray::Add(std::int32_t x, std::int32_t y, std::uint32_t time, std::int32_t tag)
{
    StrokePoint p;
    p.x = x;
    p.y = y;
    p.time = time != 0 ? time : GetTickCount();
    p.tag = tag;
    m_points.push_back(p);
}

void CPointArray::AddCopy(const StrokePoint& p)
{
    Add(p.x, p.y);
}

void CPointArray::GetXY(std::size_t i, std::int32_t& x, std::int32_t& y) const
{
    const StrokePoint& p = m_points.at(i);
    x = p.x;
    y = p.y;
}
