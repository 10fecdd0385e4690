#pragma once

#include <QImage>
#include <QString>

#include "Tiles.h"

// The top bar's furniture: the two panel backgrounds, the colour buttons,
// the width scale and its thumb, and the command-bar buttons.
namespace artgen::panel {

// 340 x 46 pen panel: a dark tray with a light pad under the stamp button.
// Opaque everywhere (no pure white), because the panel repaints the
// background over its previous buttons without clearing first.
QImage PenPanelBackground();
// 296 x 46 attribute panel, same tray.
QImage AttrPanelBackground();
// 40 x 40 colour button: a frame around the 22 x 22 swatch the panel fills.
QImage ColourButton(ButtonState state);
// 82 x 50 width scale: a wedge that grows from thin (left) to thick (right).
QImage WidthScale();
// 24 x 36 thumb: a ring with a clear window over the wedge.
QImage WidthThumb();
// 50 x 32 command button with a label, for the grey command bar.
QImage CommandButton(const QString& label, const QString& cjkFamily, bool warning);

// Pixel layout shared with the program: where the buttons sit on the panels.
inline constexpr int kPenPanelWidth = 340;
inline constexpr int kAttrPanelWidth = 296;
inline constexpr int kPanelHeight = 46;
inline constexpr int kFirstButtonLeft = 6;
inline constexpr int kStampButtonLeft = 252;

}  // namespace artgen::panel
