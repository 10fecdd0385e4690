#include "canvas/ToolSettings.h"

namespace {
constexpr COLORREF kBlack = MakeRgb(0, 0, 0);
constexpr COLORREF kBlue = MakeRgb(0, 0, 255);
constexpr COLORREF kRed = MakeRgb(255, 0, 0);
constexpr COLORREF kGreen = MakeRgb(0, 255, 0);
constexpr COLORREF kYellow = MakeRgb(255, 255, 0);

struct ToolDefault {
    COLORREF c0, c1, c2;
    int sel;
    int width;
    int recog;
};

// Tools 1..12 in order.
constexpr std::array<ToolDefault, 12> kDefaults = {{
    {kBlack, kBlue, kRed, 0, 2, 0},     // 1 solid
    {kGreen, kBlue, kRed, 0, 2, 0},     // 2 solid multicolour
    {kBlue, kYellow, kRed, 0, 4, 0},    // 3 fill
    {kYellow, kBlue, kRed, 0, 12, 0},   // 4 translucent
    {kBlack, kBlue, kRed, 0, 2, 0},     // 5 dotted
    {kGreen, kBlue, kRed, 0, 2, 0},     // 6 dotted multicolour
    {kBlack, kBlue, kRed, 0, 10, 1},    // 7 writing brush
    {kGreen, kBlue, kRed, 0, 10, 1},    // 8 writing brush multicolour
    {kBlack, kBlue, kRed, 0, 10, 1},    // 9 fountain pen
    {kGreen, kBlue, kRed, 0, 10, 1},    // 10 fountain pen multicolour
    {kGreen, kBlue, kRed, 2, 6, 0},     // 11 stamp
    {kGreen, kBlue, kRed, 0, 6, 0},     // 12 stamp multicolour
}};
}  // namespace

CToolSettings::CToolSettings()
{
    for (int t = kFirstPenTool; t <= kLastPenTool; ++t) {
        const ToolDefault& d = kDefaults[static_cast<std::size_t>(t - 1)];
        const auto i = static_cast<std::size_t>(t);
        m_toolColor[i] = {d.c0, d.c1, d.c2};
        m_toolColorSel[i] = d.sel;
        m_toolWidth[i] = d.width;
        m_toolRecog[i] = d.recog;
    }
}

COLORREF CToolSettings::SelectedColor(int tool) const
{
    if (!IsPenTool(tool)) {
        return 0;
    }
    const auto i = static_cast<std::size_t>(tool);
    const int sel = m_toolColorSel[i];
    return m_toolColor[i][static_cast<std::size_t>(sel >= 0 && sel <= 2 ? sel : 0)];
}
