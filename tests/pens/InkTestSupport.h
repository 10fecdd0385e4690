#pragma once

#include "gfx/Color.h"
#include "gfx/Surface.h"
#include "pens/PenTool.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <initializer_list>

namespace inktest {

inline constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
inline constexpr COLORREF kBlack = MakeRgb(0, 0, 0);

struct TimedXY {
    int x;
    int y;
    std::uint32_t tick;
};

// Appends the points with the ticks of their moves.
inline void AddPoints(CPenTool& pen, std::initializer_list<TimedXY> points)
{
    for (const TimedXY& p : points) {
        pen.AddPoint(p.x, p.y, p.tick);
    }
}

// Appends n points along a horizontal line from (x, y), `step` pixels and
// `ms` milliseconds apart, the first at `tick`.
inline void AddLine(CPenTool& pen, int x, int y, int n, int step, std::uint32_t tick,
                    std::uint32_t ms)
{
    for (int i = 0; i < n; ++i) {
        pen.AddPoint(x + i * step, y, tick + static_cast<std::uint32_t>(i) * ms);
    }
}

// How much ink the pixel holds, from 0 (white) to 1 (black), for black ink.
inline double Darkness(const QImage& image, int x, int y)
{
    return (255 - qGray(image.pixel(x, y))) / 255.0;
}

// The smallest rectangle holding every pixel that is not white.
inline QRect InkBounds(const QImage& image)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                r |= QRect(x, y, 1, 1);
            }
        }
    }
    return r;
}

// The ink area in pixels: antialiased edge pixels count by their darkness.
inline double InkArea(const QImage& image)
{
    double sum = 0.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += Darkness(image, x, y);
        }
    }
    return sum;
}

}  // namespace inktest
