#pragma once

#include <cstdint>

// One point as the shape recogniser sees it: integer pixels (y downwards)
// and a time stamp that is carried along but never interpreted by the
// geometry code.
struct TimedPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    double time = 0.0;
};

inline bool SamePosition(const TimedPoint& a, const TimedPoint& b)
{
    return a.x == b.x && a.y == b.y;
}
