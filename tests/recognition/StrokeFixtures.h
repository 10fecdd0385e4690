#pragma once

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "geometry/PointArray.h"

// Synthetic strokes as a mouse would record them: integer points every few
// pixels along a path, optionally with a hand's wobble.
namespace fixtures {

inline constexpr double kPi = 3.141592653589793;

inline void AddRounded(CPointArray& stroke, double x, double y)
{
    stroke.Add(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), 1);
}

// An ellipse with semi-axes a, b turned by `turn` radians, drawn once round
// from angle `start`, with radial wobble of up to `wobble` pixels.
inline CPointArray Ellipse(double cx, double cy, double a, double b, int steps, double turn = 0,
                           double wobble = 0, unsigned seed = 1, double start = 0)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-wobble, wobble);
    CPointArray stroke;
    for (int k = 0; k <= steps; ++k) {
        const double t = start + 2 * kPi * k / steps;
        const double w = wobble > 0 ? jitter(rng) : 0.0;
        const double lx = (a + w) * std::cos(t);
        const double ly = (b + w) * std::sin(t);
        AddRounded(stroke, cx + lx * std::cos(turn) - ly * std::sin(turn),
                   cy + lx * std::sin(turn) + ly * std::cos(turn));
    }
    return stroke;
}

inline CPointArray Circle(double cx, double cy, double r, int steps, double wobble = 0,
                          unsigned seed = 1)
{
    return Ellipse(cx, cy, r, r, steps, 0, wobble, seed);
}

// A path through `corners`, `perSide` points on each leg, ending on the last
// corner.
inline CPointArray Path(const std::vector<std::pair<double, double>>& corners, int perSide,
                        double wobble = 0, unsigned seed = 1)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-wobble, wobble);
    CPointArray stroke;
    for (std::size_t k = 0; k + 1 < corners.size(); ++k) {
        const auto [x0, y0] = corners[k];
        const auto [x1, y1] = corners[k + 1];
        for (int s = 0; s < perSide; ++s) {
            const double f = static_cast<double>(s) / perSide;
            const double w = wobble > 0 ? jitter(rng) : 0.0;
            AddRounded(stroke, x0 + (x1 - x0) * f + w, y0 + (y1 - y0) * f + w);
        }
    }
    AddRounded(stroke, corners.back().first, corners.back().second);
    return stroke;
}

// The corners of a w x h rectangle centred on (cx, cy), turned by `turn`,
// closed.
inline std::vector<std::pair<double, double>> RectangleCorners(double cx, double cy, double w,
                                                               double h, double turn)
{
    std::vector<std::pair<double, double>> corners;
    const double local[5][2] = {
        {-w / 2, -h / 2}, {w / 2, -h / 2}, {w / 2, h / 2}, {-w / 2, h / 2}, {-w / 2, -h / 2}};
    for (const auto& l : local) {
        corners.emplace_back(cx + l[0] * std::cos(turn) - l[1] * std::sin(turn),
                             cy + l[0] * std::sin(turn) + l[1] * std::cos(turn));
    }
    return corners;
}

// A scribble: straight jumps between random points of a 200 x 200 square,
// crossing itself all over. Never a shape.
inline CPointArray Scribble(int points, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coordinate(200, 400);
    CPointArray stroke;
    for (int i = 0; i < points; ++i) {
        stroke.Add(coordinate(rng), coordinate(rng), 1);
    }
    return stroke;
}

}  // namespace fixtures
