#pragma once

#include <cstdint>

// Per-channel arithmetic on 32-bit pixels (four 8-bit channels), rounded as
// Qt's raster engine rounds it, so pixels blended here match pixels its
// painter blends.
namespace pixel_blend {

// x * a / 255 on each channel.
inline std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a)
{
    std::uint32_t t = (x & 0x00ff00ffu) * a;
    t = ((t + ((t >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
    x = ((x >> 8) & 0x00ff00ffu) * a;
    x = (x + ((x >> 8) & 0x00ff00ffu) + 0x00800080u) & 0xff00ff00u;
    return x | t;
}

// (x * a + y * b) / 255 on each channel, for a + b = 255: x blended over y
// at coverage a. Blending a colour over itself leaves it as it is.
inline std::uint32_t Interpolate(std::uint32_t x, std::uint32_t a, std::uint32_t y,
                                 std::uint32_t b)
{
    std::uint32_t t = (x & 0x00ff00ffu) * a + (y & 0x00ff00ffu) * b;
    t = ((t + ((t >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
    x = ((x >> 8) & 0x00ff00ffu) * a + ((y >> 8) & 0x00ff00ffu) * b;
    x = (x + ((x >> 8) & 0x00ff00ffu) + 0x00800080u) & 0xff00ff00u;
    return x | t;
}

}  // namespace pixel_blend
