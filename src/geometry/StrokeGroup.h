#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/CursorList.h"
#include "geometry/Polygon.h"
#include "geometry/Stroke.h"
#include "geometry/TimedPoint.h"

// One or more strokes classified together. Every derived polygon (convex
// hull, bounding box, minimum-area enclosing rectangle, largest inscribed
// triangle and quadrilateral) is closed, computed on first request and
// cached; all of them are owned by the group. Strokes are not owned and must
// outlive the group; none is added after the first getter call.
//
// A group must hold at least one point before any getter is called: the
// getters read the first point of the first stroke by index, and a missing
// index is the hard stop of CCursorList. IsEmpty() tells callers in advance.
class CHullSearch;

class CStrokeGroup {
public:
    CStrokeGroup();
    ~CStrokeGroup();
    CStrokeGroup(const CStrokeGroup&) = delete;
    CStrokeGroup& operator=(const CStrokeGroup&) = delete;

    void AddStroke(CStroke* stroke);

    // True when no getter may be called: no stroke, or a first stroke
    // without points.
    bool IsEmpty() const;
    double GetLength() const { return m_length; }
    double GetSpeedSum() const { return m_speedSum; }
    int GetStrokeCount() const { return m_strokes.GetCount(); }

    CPolygon& GetConvexHull();
    CPolygon& GetBoundingBox();
    CPolygon& GetLargestTriangle();
    CPolygon& GetLargestQuad();
    CPolygon& GetEnclosingRect();

    // A new closed triangle: the largest triangle shrunk to 0.4 about its
    // centroid (up to integer truncation).
    std::unique_ptr<CPolygon> MakeInnerTriangle();
    // Number of stroke points inside the inner triangle.
    int CountInnerPoints();

    // Topmost point, rightmost among those, first met among duplicates.
    TimedPoint FindPivot();
    // The points of every stroke ordered by PseudoAngle seen from `pivot`,
    // one point per distinct key (the farthest from the pivot, the earliest
    // on equal distance), the pivot itself first with key 0.
    std::vector<TimedPoint> SortByPseudoAngle(const TimedPoint& pivot);
    // The same for the pivot followed by `points`.
    static std::vector<TimedPoint> SortPointsByPseudoAngle(const TimedPoint& pivot,
                                                           const std::vector<TimedPoint>& points);
    // Raw closed hull of angle-sorted points (pivot first).
    static std::unique_ptr<CPolygon> GrahamScan(const std::vector<TimedPoint>& sorted);
    // `points` without those strictly inside the quadrilateral of the
    // leftmost, topmost, rightmost and bottommost points. Those lie strictly
    // inside the hull; dropping them changes no hull while every direction
    // has its own pseudo-angle key, which holds up to kExactKeyReach.
    static std::vector<TimedPoint> DropInteriorPoints(const std::vector<TimedPoint>& points);
    // Coordinates up to this size keep pseudo-angle keys of distinct
    // directions distinct (their difference stays far above the rounding).
    static constexpr std::int64_t kExactKeyReach = 1'000'000;
    // Every point of every stroke, in order.
    std::vector<TimedPoint> AllPoints() const;

private:
    template <typename Visit>
    void ForEachPoint(Visit&& visit) const;

    std::unique_ptr<CPolygon> ComputeRawHull();
    CHullSearch& HullSearch();
    static std::unique_ptr<CPolygon> ThinHull(CPolygon& raw);

    double m_length = 0.0;
    double m_speedSum = 0.0;
    CCursorList<CStroke*> m_strokes{true};
    std::unique_ptr<CPolygon> m_boundingBox;
    std::unique_ptr<CPolygon> m_hull;
    std::unique_ptr<CPolygon> m_enclosingRect;
    std::unique_ptr<CPolygon> m_largestTriangle;
    std::unique_ptr<CPolygon> m_largestQuad;
    std::unique_ptr<CHullSearch> m_search;  // shared by the triangle and quad searches
};

template <typename Visit>
void CStrokeGroup::ForEachPoint(Visit&& visit) const
{
    for (const CStroke* stroke : m_strokes) {
        for (const TimedPoint& p : stroke->Points()) {
            visit(p);
        }
    }
}
