#include "canvas/PenFactory.h"

#include "pens/CharPen.h"
#include "pens/DotPen.h"
#include "pens/FillPen.h"
#include "pens/GangbiPen.h"
#include "pens/MaobiPen.h"
#include "pens/PenTool.h"
#include "pens/SmoothPen.h"
#include "pens/TransPen.h"

std::unique_ptr<CPenTool> CreatePen(const CToolSettings& s, int tool)
{
    if (!IsPenTool(tool)) {
        return nullptr;
    }
    const auto t = static_cast<std::size_t>(tool);
    const int w = s.m_toolWidth[t];
    const COLORREF sel = s.SelectedColor(tool);
    const COLORREF c0 = s.m_toolColor[t][0];
    const COLORREF c1 = s.m_toolColor[t][1];
    const COLORREF c2 = s.m_toolColor[t][2];
    switch (tool) {
    case 1: return std::make_unique<CSmoothPen>(w, sel);
    case 2: return std::make_unique<CSmoothPen>(w, c0, c1, c2);
    case 3: return std::make_unique<CFillPen>(w, c0, c1, c2);
    case 4: return std::make_unique<CTransPen>(w, sel);
    case 5: return std::make_unique<CDotPen>(w, sel);
    case 6: return std::make_unique<CDotPen>(w, c0, c1, c2);
    case 7: return std::make_unique<CMaobiPen>(w, sel);
    case 8: return std::make_unique<CMaobiPen>(w, c0, c1, c2);
    case 9: return std::make_unique<CGangbiPen>(w, sel);
    case 10: return std::make_unique<CGangbiPen>(w, c0, c1, c2);
    case 11: return std::make_unique<CCharPen>(w, sel, s.m_symbolFont, s.m_symbolChar);
    case 12: return std::make_unique<CCharPen>(w, c0, c1, c2, s.m_symbolFont, s.m_symbolChar);
    default: return nullptr;
    }
}
