#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "ReferenceSearches.h"
#include "TestPoints.h"
#include "geometry/KeyedSort.h"
#include "geometry/StrokeGroup.h"

namespace {

std::vector<std::pair<int, int>> Pairs(const std::vector<TimedPoint>& points)
{
    std::vector<std::pair<int, int>> r;
    for (const TimedPoint& p : points) {
        r.emplace_back(p.x, p.y);
    }
    return r;
}

std::vector<TimedPoint> Vertices(CPolygon& polygon)
{
    std::vector<TimedPoint> r;
    for (const TimedPoint& p : polygon.Points()) {
        r.push_back(p);
    }
    return r;
}

// Random strokes of the kinds the searches meet: scattered points, wobbly
// loops of any size, small grids full of collinear and repeated points.
CStroke& RandomStroke(std::mt19937& rng, CStroke& stroke)
{
    std::uniform_real_distribution<double> unit(0, 1);
    const int kind = static_cast<int>(rng() % 3);
    const int n = 3 + static_cast<int>(rng() % 400);
    const double size = 5 + 600 * unit(rng);
    for (int i = 0; i < n; ++i) {
        if (kind == 0) {
            stroke.AddPoint(static_cast<int>(size * unit(rng)), static_cast<int>(size * unit(rng)),
                            0);
        } else if (kind == 1) {
            const double t = 2 * 3.141592653589793 * i / n;
            const double r = size * (1 + 0.05 * unit(rng));
            const double squash = 0.3 + unit(rng);
            stroke.AddPoint(static_cast<int>(std::lround(r * std::cos(t))),
                            static_cast<int>(std::lround(squash * r * std::sin(t))), 0);
        } else {
            stroke.AddPoint(static_cast<int>(rng() % 6) * 10, static_cast<int>(rng() % 4) * 10, 0);
        }
    }
    return stroke;
}

}  // namespace

// Dropping interior points before the angle sort must leave the raw hull
// exactly as the scan over every point builds it.
TEST(SearchEquivalence, InteriorPointsDoNotChangeTheHull)
{
    std::mt19937 rng(4242);
    for (int round = 0; round < 400; ++round) {
        CStroke stroke;
        RandomStroke(rng, stroke);
        CStrokeGroup group;
        group.AddStroke(&stroke);
        const TimedPoint pivot = group.FindPivot();
        const std::vector<TimedPoint> all = group.AllPoints();
        const std::vector<TimedPoint> kept = CStrokeGroup::DropInteriorPoints(all);
        EXPECT_LE(kept.size(), all.size());
        const auto full =
            CStrokeGroup::GrahamScan(CStrokeGroup::SortPointsByPseudoAngle(pivot, all));
        const auto fast =
            CStrokeGroup::GrahamScan(CStrokeGroup::SortPointsByPseudoAngle(pivot, kept));
        ASSERT_EQ(PointsOf(*full), PointsOf(*fast)) << "round " << round;
    }
}

TEST(SearchEquivalence, SearchesMatchThePlainAlgorithms)
{
    std::mt19937 rng(777);
    for (int round = 0; round < 300; ++round) {
        CStroke stroke;
        RandomStroke(rng, stroke);
        CStrokeGroup group;
        group.AddStroke(&stroke);
        const std::vector<TimedPoint> hull = Vertices(group.GetConvexHull());
        ASSERT_EQ(Pairs(Vertices(group.GetLargestTriangle())),
                  Pairs(reference::LargestTriangle(hull)))
            << "round " << round;
        ASSERT_EQ(Pairs(Vertices(group.GetLargestQuad())), Pairs(reference::LargestQuad(hull)))
            << "round " << round;
        ASSERT_EQ(Pairs(Vertices(group.GetEnclosingRect())), Pairs(reference::EnclosingRect(hull)))
            << "round " << round;
    }
}

// Long arrays take the radix path: the order must be that of a stable sort
// by key, equal keys (+0 and -0 among them) in index order.
TEST(SearchEquivalence, KeyedSortIsAStableSortByKey)
{
    std::mt19937 rng(31);
    for (const std::size_t n : {std::size_t{5}, std::size_t{600}, std::size_t{20000}}) {
        std::vector<KeyedIndex> items(n);
        for (std::size_t i = 0; i < n; ++i) {
            const int pick = static_cast<int>(rng() % 4);
            const double key = pick == 0   ? 0.0
                               : pick == 1 ? -0.0
                               : pick == 2 ? static_cast<double>(rng() % 50) * 7.5
                                           : 360.0 * (rng() % 100000) / 100000.0;
            items[i] = {key, static_cast<std::uint32_t>(i)};
        }
        std::vector<KeyedIndex> expected = items;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const KeyedIndex& a, const KeyedIndex& b) { return a.key < b.key; });
        SortKeyedIndices(items);
        for (std::size_t i = 0; i < n; ++i) {
            ASSERT_EQ(items[i].index, expected[i].index) << "n " << n << " at " << i;
            ASSERT_EQ(items[i].key, expected[i].key);
        }
    }
}
