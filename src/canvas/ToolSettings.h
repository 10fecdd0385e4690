#pragma once

#include "gfx/Color.h"

#include <QString>

#include <array>

// Tool numbers: 1..12 draw with a pen, 13 is the eraser.
inline constexpr int kFirstPenTool = 1;
inline constexpr int kLastPenTool = 12;
inline constexpr int kEraserTool = 13;

constexpr bool IsPenTool(int tool) { return tool >= kFirstPenTool && tool <= kLastPenTool; }
// Tools that take all three colours: the multicolour variants and the fill pen.
constexpr bool IsMulticolorTool(int tool)
{
    return tool == 2 || tool == 3 || tool == 6 || tool == 8 || tool == 10 || tool == 12;
}
// The writing brush and fountain pen (single colour and multicolour).
constexpr bool IsInkTool(int tool) { return tool >= 7 && tool <= 10; }
// The other variant of the same pen button, which shares the width; tools 3
// and 4 have none and are their own twin. 0 for anything that is no pen.
constexpr int TwinTool(int tool)
{
    switch (tool) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 3;
    case 4: return 4;
    case 5: return 6;
    case 6: return 5;
    case 7: return 8;
    case 8: return 7;
    case 9: return 10;
    case 10: return 9;
    case 11: return 12;
    case 12: return 11;
    default: return 0;
    }
}

// Every tool's settings, held in memory from their defaults and lost at
// exit. Arrays are indexed by tool number directly (entry 0 is unused), so
// m_toolWidth[5] is tool 5's width.
struct CToolSettings {
    CToolSettings();

    int m_nTool = 1;
    // Variant last chosen on each two-variant pen button: solid, dotted,
    // writing brush, fountain pen, stamp.
    std::array<int, 5> m_lastVariant{1, 5, 7, 9, 12};
    std::array<std::array<COLORREF, 3>, 13> m_toolColor{};
    std::array<int, 13> m_toolColorSel{};
    std::array<int, 13> m_toolWidth{};
    std::array<int, 13> m_toolRecog{};
    char16_t m_symbolChar = u'\u2605';
    QString m_symbolFont = QStringLiteral("Times New Roman");

    // The colour a single-colour tool draws with (its selected colour).
    COLORREF SelectedColor(int tool) const;
};
