#pragma once

#include <QColor>
#include <QRgb>

#include <cstdint>

// Colours are kept as 0x00BBGGRR values wherever they are compared or stored
// (tool settings, pens); they become Qt colours only at the drawing call.
using COLORREF = std::uint32_t;

constexpr COLORREF MakeRgb(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// 0x00BBGGRR -> opaque 0xFFRRGGBB.
constexpr QRgb ToArgb(COLORREF c)
{
    return 0xFF000000u | (static_cast<QRgb>(GetRValue(c)) << 16) |
           (static_cast<QRgb>(GetGValue(c)) << 8) | static_cast<QRgb>(GetBValue(c));
}
inline QColor ToQColor(COLORREF c) { return QColor::fromRgb(ToArgb(c)); }
constexpr COLORREF FromArgb(QRgb argb)
{
    return MakeRgb(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                   static_cast<int>(argb & 0xFF));
}
