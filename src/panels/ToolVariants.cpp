#include "panels/ToolVariants.h"

#include "canvas/MainHub.h"

namespace ToolVariants {

int SlotOf(int tool)
{
    switch (tool) {
    case 1:
    case 2: return 0;
    case 5:
    case 6: return 1;
    case 7:
    case 8: return 2;
    case 9:
    case 10: return 3;
    case 11:
    case 12: return 4;
    default: return -1;
    }
}

namespace {
// Remembers `tool` in its slot first, so listeners of the selection already
// see the slot as it will stay.
void SelectRemembered(CMainHub& hub, int tool)
{
    hub.m_lastVariant[static_cast<std::size_t>(SlotOf(tool))] = tool;
    hub.SelectTool(tool);
}
}  // namespace

void PressPenButton(CMainHub& hub, int single, int multi)
{
    if (hub.m_nTool == single) {
        SelectRemembered(hub, multi);
    } else if (hub.m_nTool == multi) {
        SelectRemembered(hub, single);
    } else {
        hub.SelectTool(hub.m_lastVariant[static_cast<std::size_t>(SlotOf(single))]);
    }
}

bool SwitchVariant(CMainHub& hub)
{
    if (SlotOf(hub.m_nTool) < 0) {
        return false;
    }
    const int twin = TwinTool(hub.m_nTool);
    SelectRemembered(hub, twin);
    return true;
}

}  // namespace ToolVariants
