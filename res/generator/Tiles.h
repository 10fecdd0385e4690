#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <functional>

class QPainter;

namespace artgen {

// The three looks of a button face.
enum class ButtonState { Normal, Selected, Disabled };

// Colours shared by the whole set.
namespace palette {
inline const QColor kBarGrey(82, 82, 82);  // the command bar behind everything
inline const QColor kTray(56, 59, 64);     // panel trays the buttons sit on
inline const QColor kTrayEdge(38, 40, 44);
inline const QColor kTrayLight(104, 107, 112);
inline const QColor kStampPad(238, 234, 224);  // light well under the stamp glyph
inline const QColor kAccent(222, 104, 16);     // ring of a selected button
inline const QColor kInk(36, 40, 48);          // outlines and labels
}  // namespace palette

// A rounded button tile filling `rect`: light grey when normal, warm amber
// with a thick orange ring when selected, flat grey when disabled.
void DrawTile(QPainter& p, const QRectF& rect, ButtonState state);

// A colour as the icon of a button in `state` shows it.
QColor Tinted(const QColor& c, ButtonState state);

// A 40 x 40 button: the tile, then `icon` painted over it in the button's
// state, laid on the panel tray. `icon` draws in 40 x 40 coordinates.
using IconPainter = std::function<void(QPainter&, ButtonState)>;
QImage MakeButton(ButtonState state, const IconPainter& icon);

// 40 x 40 face size of every panel button.
inline constexpr int kButton = 40;

}  // namespace artgen
