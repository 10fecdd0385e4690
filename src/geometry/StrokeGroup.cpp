#include "geometry/StrokeGroup.h"

#include "geometry/Planar.h"

#include <algorithm>
#include <cstddef>

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

// The result equals inserting the pivot (key 0) and then every point in
// drawing order into a sorted list that refuses duplicate keys, an equal key
// keeping the farther point and the existing one on a tie. A stable sort by
// key followed by one pass over each run of equal keys gives exactly that
// without the quadratic cost of the insertions.
std::vector<TimedPoint> CStrokeGroup::SortByPseudoAngle(const TimedPoint& pivot)
{
    struct Keyed {
        double key;
        TimedPoint point;
    };
    std::vector<Keyed> keyed;
    keyed.push_back({0.0, pivot});
    ForEachPoint([&](const TimedPoint& p) { keyed.push_back({PseudoAngle(pivot, p), p}); });
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });

    std::vector<TimedPoint> sorted;
    std::size_t i = 0;
    while (i < keyed.size()) {
        TimedPoint kept = keyed[i].point;
        double keptDistance = PointDistance(pivot, kept);
        std::size_t j = i + 1;
        for (; j < keyed.size() && keyed[j].key == keyed[i].key; ++j) {
            const double d = PointDistance(pivot, keyed[j].point);
            if (d > keptDistance) {
                kept = keyed[j].point;
                keptDistance = d;
            }
        }
        sorted.push_back(kept);
        i = j;
    }
    return sorted;
}

// Graham scan over the angle-sorted points. The list starts with the last
// sorted point and the pivot; only strict left turns survive, so collinear
// points on an edge are dropped, and the last sorted point, appended again at
// the end, closes the polygon.
std::unique_ptr<CPolygon> CStrokeGroup::ComputeRawHull()
{
    const TimedPoint pivot = FindPivot();
    const std::vector<TimedPoint> sorted = SortByPseudoAngle(pivot);
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
        const int mx = u.x + (w.x - u.x) / 2;
        const int my = u.y + (w.y - u.y) / 2;
        v[k].x = TruncToInt((t[k].x - mx) * 0.6 + mx);
        v[k].y = TruncToInt((t[k].y - my) * 0.6 + my);
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
