#include "tracing/ContourSimplify.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A turn of 120 degrees or more always keeps a vertex.
constexpr double kSharpTurn = 2.0943951023931953;
constexpr std::size_t kMinVerticesToSimplify = 8;

double DirectionBetween(TracePoint from, TracePoint to)
{
    return ContourDirection(static_cast<double>(to.x) - static_cast<double>(from.x),
                            static_cast<double>(to.y) - static_cast<double>(from.y));
}

// Whether some vertex of vertices[first + 1 .. last - 1] lies `tolerance` or
// farther from the line through vertices[first] and vertices[last] (the
// largest such distance counts as 0 if there are no vertices between or the
// two ends coincide). Stops at the first vertex that is far enough.
bool Deviates(const std::vector<TracePoint>& vertices, std::size_t first, std::size_t last,
              double tolerance)
{
    const TracePoint a = vertices[first];
    const TracePoint b = vertices[last];
    if (last <= first + 1 || a == b) {
        return 0.0 >= tolerance;
    }
    const double dx = static_cast<double>(b.x) - static_cast<double>(a.x);
    const double dy = static_cast<double>(b.y) - static_cast<double>(a.y);
    const double length = std::sqrt(dx * dx + dy * dy);
    for (std::size_t k = first + 1; k < last; ++k) {
        const double px = static_cast<double>(vertices[k].x) - static_cast<double>(a.x);
        const double py = static_cast<double>(vertices[k].y) - static_cast<double>(a.y);
        const double distance = std::fabs(dx * py - dy * px) / length;
        if (distance >= tolerance) {
            return true;
        }
    }
    return 0.0 >= tolerance;
}
}  // namespace

double ContourDirection(double dx, double dy)
{
    if (dx == 0.0 && dy == 0.0) {
        return 0.0;
    }
    const double length = std::sqrt(dx * dx + dy * dy);
    const double angle = std::acos(dx / length);
    return dy < 0.0 ? kTwoPi - angle : angle;
}

std::vector<TracePoint> SimplifyContour(const std::vector<TracePoint>& vertices, double tolerance)
{
    const std::size_t n = vertices.size();
    if (n < kMinVerticesToSimplify) {
        return vertices;
    }
    std::vector<TracePoint> kept;
    kept.push_back(vertices[0]);
    std::size_t anchor = 0;
    double d = DirectionBetween(vertices[0], vertices[1]);
    for (std::size_t j = 1; j < n; ++j) {
        const double h = DirectionBetween(vertices[anchor], vertices[j]);
        if (Deviates(vertices, anchor, j, tolerance) || std::fabs(h - d) >= kSharpTurn) {
            kept.push_back(vertices[j - 1]);
            anchor = j - 1;
            d = DirectionBetween(vertices[anchor], vertices[j]);
        } else {
            d = h;
        }
    }
    kept.push_back(vertices[n - 1]);
    return kept;
}
