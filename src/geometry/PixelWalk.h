#pragma once

#include <cstdint>
#include <cstdlib>
#include <type_traits>

// The pixel-line walk from (x1, y1) toward (x2, y2): every pixel of the line
// except the end point, which the next segment plots as its start. The minor
// coordinate is (k * step * minorDelta) / majorDelta with division truncating
// toward zero. `plot(x, y)` is called for each pixel; if it returns bool,
// returning true stops the walk early and WalkPixelLine returns true.
template <typename Plot>
bool WalkPixelLine(int x1, int y1, int x2, int y2, Plot&& plot)
{
    auto call = [&](int x, int y) -> bool {
        if constexpr (std::is_same_v<decltype(plot(x, y)), bool>) {
            return plot(x, y);
        } else {
            plot(x, y);
            return false;
        }
    };
    const std::int64_t dx = std::llabs(static_cast<std::int64_t>(x2) - x1);
    const std::int64_t dy = std::llabs(static_cast<std::int64_t>(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    if (dx == 0 && dy == 0) {
        return false;
    }
    if (dx == 0) {
        for (int y = y1; y != y2; y += sy) {
            if (call(x1, y)) return true;
        }
        return false;
    }
    if (dy == 0) {
        for (int x = x1; x != x2; x += sx) {
            if (call(x, y1)) return true;
        }
        return false;
    }
    if (dx >= dy) {
        for (std::int64_t k = 0; k < dx; ++k) {
            if (call(static_cast<int>(x1 + k * sx), static_cast<int>(y1 + (k * sy * dy) / dx)))
                return true;
        }
    } else {
        for (std::int64_t k = 0; k < dy; ++k) {
            if (call(static_cast<int>(x1 + (k * sx * dx) / dy), static_cast<int>(y1 + k * sy)))
                return true;
        }
    }
    return false;
}
