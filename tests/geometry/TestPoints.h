#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "geometry/Polygon.h"
#include "geometry/Stroke.h"
#include "geometry/TimedPoint.h"

// Literal point fixtures for the geometry tests.
inline CPolygon MakePolygonOf(std::initializer_list<std::pair<int, int>> points)
{
    CPolygon polygon;
    for (const auto& [x, y] : points) {
        polygon.Add(TimedPoint{x, y, 0.0});
    }
    return polygon;
}

inline void FillStroke(CStroke& stroke, std::initializer_list<std::pair<int, int>> points)
{
    for (const auto& [x, y] : points) {
        stroke.AddPoint(x, y, 0);
    }
}

inline std::vector<std::pair<int, int>> PointsOf(CPolygon& polygon)
{
    std::vector<std::pair<int, int>> result;
    for (const TimedPoint& p : polygon.Points()) {
        result.emplace_back(p.x, p.y);
    }
    return result;
}

inline TimedPoint Pt(int x, int y) { return TimedPoint{x, y, 0.0}; }
