#pragma once

#include <cstdint>

// A one-bit image handed to the outline tracer: rows top to bottom, each row
// starting `rowPitch` bytes after the previous one, pixels packed most
// significant bit first (pixel k of a row is bit 7 - k % 8 of byte k / 8).
// The tracer only reads the bits; they must stay valid during the trace.
// `planes` and `bitsPerPixel` describe the layout; anything other than one
// plane of one bit per pixel is refused by the tracer.
struct MonoBitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t planes = 1;
    std::int32_t bitsPerPixel = 1;
    std::int32_t rowPitch = 0;
    const std::uint8_t* bits = nullptr;
};

// Describes packed one-bit rows such as a mask surface's PackBits() result.
inline MonoBitmap MakeMonoBitmap(std::int32_t width, std::int32_t height, std::int32_t rowPitch,
                                 const std::uint8_t* bits)
{
    return MonoBitmap{width, height, 1, 1, rowPitch, bits};
}
