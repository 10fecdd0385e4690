#pragma once

#include "tracing/OutlineTracer.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Small helpers shared by the tracer tests: literal images, packing them as a
// mask surface does (1 = ink, rows padded to 32-bit words), tracing, and an
// independent nonzero-winding scan filler to check what the contours cover.

struct InkImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;  // row-major, 1 = ink

    InkImage() = default;
    InkImage(int w, int h) : width(w), height(h), ink(static_cast<std::size_t>(w) * h, 0) {}
    // Rows of '#' (ink) and '.' (background), all of one length.
    static InkImage FromRows(const std::vector<std::string>& rows);

    bool At(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x] != 0; }
    void Set(int x, int y, bool on = true) { ink[static_cast<std::size_t>(y) * width + x] = on; }
};

using Vertex = std::pair<int, int>;
using Contour = std::vector<Vertex>;

// Packs rows most significant bit first with the given row pitch; a set bit
// means ink when `inkBit` is 1, background when it is 0. Padding bits after
// each row are filled with `padding` (0 or 1) to show they are ignored.
std::vector<std::uint8_t> PackImage(const InkImage& image, int rowPitch, int inkBit = 1,
                                    int padding = 0);
int MaskPitch(int width);

// Traces `image` packed like a mask (1 = ink).
std::vector<Contour> TraceImage(const InkImage& image, double tolerance = 1.4143,
                                double sizeDivisor = -4.0);

// Winding number of every pixel centre with respect to all contours together,
// row-major. A pixel is filled under the nonzero rule when it is not 0.
std::vector<int> WindingNumbers(const std::vector<Contour>& contours, int width, int height);

// Signed area (shoelace, y down) of a closed contour; positive when the
// contour runs anticlockwise on screen.
double SignedArea(const Contour& contour);
