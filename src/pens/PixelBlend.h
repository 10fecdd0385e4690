#pragma once

#include <cstdint>
#include <cstring>

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

// The same arithmetic on two pixels at once, each channel in a 16-bit lane
// of its own (the products stay below 2^16), lane for lane as the
// functions above work it out, so either way gives the same bits.
using Channels = std::uint16_t __attribute__((vector_size(16)));

inline Channels LoadTwo(const std::uint32_t* pixels)
{
    using Bytes = std::uint8_t __attribute__((vector_size(8)));
    Bytes b;
    std::memcpy(&b, pixels, sizeof b);
    return __builtin_convertvector(b, Channels);
}

inline void StoreTwo(std::uint32_t* pixels, Channels c)
{
    using Bytes = std::uint8_t __attribute__((vector_size(8)));
    const Bytes b = __builtin_convertvector(c, Bytes);
    std::memcpy(pixels, &b, sizeof b);
}

// Coverage a0 for the first pixel's four channels, a1 for the second's.
inline Channels SpreadTwo(std::uint32_t a0, std::uint32_t a1)
{
    const auto p = static_cast<std::uint16_t>(a0);
    const auto q = static_cast<std::uint16_t>(a1);
    return Channels{p, p, p, p, q, q, q, q};
}

// t / 255 rounded as ByteMul and Interpolate round it.
inline Channels Div255(Channels t)
{
    return (t + (t >> 8) + 0x80) >> 8;
}

// ByteMul(x, a) + ByteMul(y, 255 - a): a solid colour blended at coverage a.
inline Channels ByteMulSum(Channels x, Channels a, Channels y)
{
    return Div255(x * a) + Div255(y * (255 - a));
}

// Interpolate(x, a, y, 255 - a).
inline Channels InterpolateTwo(Channels x, Channels a, Channels y)
{
    return Div255(x * a + y * (255 - a));
}

}  // namespace pixel_blend
