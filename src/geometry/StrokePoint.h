#pragma once

#include <cstdint>

// One captured mouse position of a stroke.
//
// `time` is the millisecond tick of the input event that produced the point;
// the ink pens overwrite it with the point's stroke width once the stroke is
// finished. `angle` and `length` (the squared distance, not its root) describe
// the step from the previous point and are filled in when the stroke ends.
struct StrokePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t time = 0;
    std::int32_t tag = 0;
    double angle = 0.0;
    double length = 0.0;
};
