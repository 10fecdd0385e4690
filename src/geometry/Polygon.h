#pragma once

#include <memory>

#include "geometry/PointList.h"

// A closed polygon: the last stored point repeats the first, so n distinct
// vertices are n + 1 points. Area and perimeter are computed on first request
// and cached; a polygon is filled completely before either is asked for.
// A measure that comes out as exactly 0 is cached as the tiny sentinel, so
// the cache counts as filled and ratios dividing by it stay finite.
class CPolygon {
public:
    static constexpr double kTiny = 1e-30;

    CPolygon() : m_points(std::make_unique<CPointList>(true)) {}

    CPointList& Points() { return *m_points; }
    const CPointList& Points() const { return *m_points; }
    int GetCount() const { return m_points->GetCount(); }
    void Add(const TimedPoint& p) { m_points->AddTail(p); }
    TimedPoint GetPoint(int i) { return m_points->GetAt(i)->element; }

    // Non-negative area; the cache keeps the sign of the vertex order.
    double GetArea();
    // Perimeter over consecutive stored points; a polygon of fewer than 3
    // points counts its path there and back.
    double GetPerimeter();
    // The signed area cache (0 until GetArea has run).
    double SignedAreaCache() const { return m_area; }

private:
    double m_area = 0.0;
    double m_perimeter = 0.0;
    std::unique_ptr<CPointList> m_points;
};
