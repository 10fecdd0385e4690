#pragma once

class CMainHub;

// The single-colour and multicolour variants of the pen buttons, and the
// hub's memory of which variant each button last chose (m_lastVariant).
namespace ToolVariants {

// Index of the tool's m_lastVariant slot (solid 0, dotted 1, writing brush 2,
// fountain pen 3, stamp 4), or -1 for the fill pen, the marker and the eraser.
int SlotOf(int tool);

// A press on a two-variant pen button whose tools are `single` and `multi`:
// the current one switches to the other and that is remembered; from any
// other tool the button selects the variant it last chose.
void PressPenButton(CMainHub& hub, int single, int multi);

// The multicolour switch: the current pen's other variant, remembered in the
// pen's slot. False (and nothing done) for tools without a variant.
bool SwitchVariant(CMainHub& hub);

}  // namespace ToolVariants
