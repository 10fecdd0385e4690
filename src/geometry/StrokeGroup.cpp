#include "geometry/StrokeGroup.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "geometry/HullSearch.h"
#include "geometry/KeyedSort.h"
#include "geometry/Planar.h"

CStrokeGroup::CStrokeGroup() = default;
CStrokeGroup::~CStrokeGroup() = default;

void CStrokeGroup::AddStroke(CStroke* stroke)
{
    m_length += stroke->GetLength();
    m_speedSum += stroke->GetSpeed();
    m_strokes.AddTail(stroke);
}

bool CStrokeGroup::IsEmpty() const
{
    const auto* first = m_strokes.GetHead();
    return first == nullptr || first->element->GetCount() == 0;
}

TimedPoint CStrokeGroup::FindPivot()
{
    TimedPoint pivot = m_strokes.GetAt(0)->element->Points().GetAt(0)->element;
    ForEachPoint([&pivot](const TimedPoint& p) {
        if (p.y < pivot.y || (p.y == pivot.y && p.x > pivot.x)) {
            pivot = p;
        }
    });
    return pivot;
}

std::vector<TimedPoint> CStrokeGroup::AllPoints() const
{
    std::vector<TimedPoint> points;
    ForEachPoint([&points](const TimedPoint& p) { points.push_back(p); });
    return points;
}

std::vector<TimedPoint> CStrokeGroup::SortByPseudoAngle(const TimedPoint& pivot)
{
    return SortPointsByPseudoAngle(pivot, AllPoints());
}

// The result equals inserting the pivot (key 0) and then every point in
// order into a sorted list that refuses duplicate keys, an equal key keeping
// the farther point and the existing one on a tie. Sorting by key with the
// insertion order as tie-break, then one pass over each run of equal keys,
// gives exactly that without the quadratic cost of the insertions.
std::vector<TimedPoint> CStrokeGroup::SortPointsByPseudoAngle(const TimedPoint& pivot,
                                                              const std::vector<TimedPoint>& points)
{
    const std::size_t n = points.size() + 1;
    const auto pointAt = [&](std::size_t i) -> const TimedPoint& {
        return i == 0 ? pivot : points[i - 1];
    };
    std::vector<KeyedIndex> order(n);
    order[0] = {0.0, 0};
    for (std::size_t i = 1; i < n; ++i) {
        order[i] = {PseudoAngle(pivot, pointAt(i)), static_cast<std::uint32_t>(i)};
    }
    SortKeyedIndices(order);

    std::vector<TimedPoint> sorted;
    std::size_t i = 0;
    while (i < n) {
        std::size_t kept = order[i].index;
        std::size_t j = i + 1;
        if (j < n && order[j].key == order[i].key) {
            double keptDistance = PointDistance(pivot, pointAt(kept));
            for (; j < n && order[j].key == order[i].key; ++j) {
                const double d = PointDistance(pivot, pointAt(order[j].index));
                if (d > keptDistance) {
                    kept = order[j].index;
                    keptDistance = d;
                }
            }
        }
        sorted.push_back(pointAt(kept));
        i = j;
    }
    return sorted;
}

std::vector<TimedPoint> CStrokeGroup::DropInteriorPoints(const std::vector<TimedPoint>& points)
{
    if (points.size() < 16) {
        return points;
    }
    TimedPoint left = points[0], top = points[0], right = points[0], bottom = points[0];
    std::int64_t reach = 0;
    for (const TimedPoint& p : points) {
        left = p.x < left.x ? p : left;
        right = p.x > right.x ? p : right;
        top = p.y < top.y ? p : top;
        bottom = p.y > bottom.y ? p : bottom;
        reach = std::max({reach, std::abs(std::int64_t{p.x}), std::abs(std::int64_t{p.y})});
    }
    if (reach > kExactKeyReach) {
        return points;
    }
    // With y downwards, left -> top -> right -> bottom runs clockwise on the
    // screen: a point strictly inside has every edge's cross product > 0. A
    // degenerate quadrilateral has a zero cross product and drops nothing.
    const TimedPoint quad[4] = {left, top, right, bottom};
    const auto inside = [&quad](const TimedPoint& p) {
        for (int e = 0; e < 4; ++e) {
            const TimedPoint& a = quad[e];
            const TimedPoint& b = quad[(e + 1) % 4];
            const std::int64_t cross = (std::int64_t{b.x} - a.x) * (std::int64_t{p.y} - a.y) -
                                       (std::int64_t{b.y} - a.y) * (std::int64_t{p.x} - a.x);
            if (cross <= 0) {
                return false;
            }
        }
        return true;
    };
    std::vector<TimedPoint> kept;
    for (const TimedPoint& p : points) {
        if (!inside(p)) {
            kept.push_back(p);
        }
    }
    return kept;
}

// Graham scan over the angle-sorted points. The list starts with the last
// sorted point and the pivot; only strict left turns survive, so collinear
// points on an edge are dropped, and the last sorted point, appended again at
// the end, closes the polygon.
std::unique_ptr<CPolygon> CStrokeGroup::GrahamScan(const std::vector<TimedPoint>& sorted)
{
    const int n = static_cast<int>(sorted.size());
    auto raw = std::make_unique<CPolygon>();
    CPointList& hull = raw->Points();
    hull.AddTail(sorted[static_cast<std::size_t>(n - 1)]);
    hull.AddTail(sorted[0]);
    if (n > 2) {
        for (int i = 1; i < n; ++i) {
            const TimedPoint& next = sorted[static_cast<std::size_t>(i)];
            while (!IsLeftTurn(hull.GetAt(hull.GetCount() - 2)->element,
                               hull.GetAt(hull.GetCount() - 1)->element, next)) {
                hull.RemoveTail();
            }
            hull.AddTail(next);
        }
    }
    return raw;
}

// Points strictly inside the hull can neither be hull vertices nor, as long
// as every direction from the pivot has its own key, displace a vertex from
// the angle-sorted list, so they are dropped before the sort.
std::unique_ptr<CPolygon> CStrokeGroup::ComputeRawHull()
{
    const TimedPoint pivot = FindPivot();
    return GrahamScan(SortPointsByPseudoAngle(pivot, DropInteriorPoints(AllPoints())));
}

// Drops every hull point within 5 pixels of the point kept before it, so the
// searches over the hull run on few vertices. The last point always closes
// the polygon with the first.
std::unique_ptr<CPolygon> CStrokeGroup::ThinHull(CPolygon& raw)
{
    auto thin = std::make_unique<CPolygon>();
    CPointList& points = raw.Points();
    const int count = points.GetCount();
    const TimedPoint first = points.GetAt(0)->element;
    thin->Add(first);
    TimedPoint lastKept = first;
    for (int i = 1; i < count; ++i) {
        const TimedPoint p = points.GetAt(i)->element;
        if (PointDistance(lastKept, p) > 5) {
            thin->Add(p);
            lastKept = p;
        } else if (i == count - 1) {
            thin->Add(first);
        }
    }
    return thin;
}

CPolygon& CStrokeGroup::GetConvexHull()
{
    if (!m_hull) {
        std::unique_ptr<CPolygon> raw = ComputeRawHull();
        m_hull = ThinHull(*raw);
    }
    return *m_hull;
}

CPolygon& CStrokeGroup::GetBoundingBox()
{
    if (!m_boundingBox) {
        CPointList& hull = GetConvexHull().Points();
        const TimedPoint first = hull.GetAt(0)->element;
        int minX = first.x, maxX = first.x, minY = first.y, maxY = first.y;
        for (const TimedPoint& p : hull) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        m_boundingBox = std::make_unique<CPolygon>();
        m_boundingBox->Add({minX, minY, 0.0});
        m_boundingBox->Add({maxX, minY, 0.0});
        m_boundingBox->Add({maxX, maxY, 0.0});
        m_boundingBox->Add({minX, maxY, 0.0});
        m_boundingBox->Add({minX, minY, 0.0});
    }
    return *m_boundingBox;
}

std::unique_ptr<CPolygon> CStrokeGroup::MakeInnerTriangle()
{
    CPolygon& triangle = GetLargestTriangle();
    const TimedPoint t[3] = {triangle.GetPoint(0), triangle.GetPoint(1), triangle.GetPoint(2)};
    auto inner = std::make_unique<CPolygon>();
    TimedPoint v[3];
    for (int k = 0; k < 3; ++k) {
        const TimedPoint& u = t[(k + 1) % 3];
        const TimedPoint& w = t[(k + 2) % 3];
        // Integer halving truncates toward zero; 64 bits keep far-apart
        // vertices from overflowing.
        const std::int64_t mx = u.x + (std::int64_t{w.x} - u.x) / 2;
        const std::int64_t my = u.y + (std::int64_t{w.y} - u.y) / 2;
        v[k].x = TruncToInt(static_cast<double>(t[k].x - mx) * 0.6 + static_cast<double>(mx));
        v[k].y = TruncToInt(static_cast<double>(t[k].y - my) * 0.6 + static_cast<double>(my));
    }
    inner->Add(v[0]);
    inner->Add(v[1]);
    inner->Add(v[2]);
    inner->Add(v[0]);
    return inner;
}

// Counts the stroke points strictly inside the inner triangle's box by
// casting a ray to the right and counting edge crossings. A vertical edge
// counts whenever it lies at or right of the point; horizontal edges never
// count.
int CStrokeGroup::CountInnerPoints()
{
    const std::unique_ptr<CPolygon> inner = MakeInnerTriangle();
    TimedPoint v[3] = {inner->GetPoint(0), inner->GetPoint(1), inner->GetPoint(2)};
    constexpr double kVertical = 1e30;
    double slope[3];
    for (int e = 0; e < 3; ++e) {
        const TimedPoint& a = v[e];
        const TimedPoint& b = v[(e + 1) % 3];
        const double dx = static_cast<double>(std::int64_t{a.x} - b.x);
        const double dy = static_cast<double>(std::int64_t{a.y} - b.y);
        slope[e] = dx == 0 ? kVertical : dy / dx;
    }
    const int minX = std::min({v[0].x, v[1].x, v[2].x});
    const int maxX = std::max({v[0].x, v[1].x, v[2].x});
    const int minY = std::min({v[0].y, v[1].y, v[2].y});
    const int maxY = std::max({v[0].y, v[1].y, v[2].y});

    int inside = 0;
    ForEachPoint([&](const TimedPoint& p) {
        if (!(maxX > p.x && minX < p.x && maxY > p.y && minY < p.y)) {
            return;
        }
        int crossings = 0;
        for (int e = 0; e < 3; ++e) {
            if (slope[e] == 0) {
                continue;
            }
            const TimedPoint& a = v[e];
            const TimedPoint& b = v[(e + 1) % 3];
            if (slope[e] >= kVertical) {
                if (a.x >= p.x) {
                    ++crossings;
                }
            } else {
                const double xi = a.x + static_cast<double>(std::int64_t{p.y} - a.y) / slope[e];
                if (xi >= p.x && xi < std::max(a.x, b.x)) {
                    ++crossings;
                }
            }
        }
        if (crossings % 2 == 1) {
            ++inside;
        }
    });
    return inside;
}
