#pragma once

#include "Tiles.h"

class QPainter;

// Icons of the tool and switch buttons, drawn in 40 x 40 button coordinates
// over a tile. Each shows its tool and the kind of line it leaves.
namespace artgen::icons {

void SolidPen(QPainter& p, ButtonState s);      // ballpoint and a smooth line
void FillPen(QPainter& p, ButtonState s);       // a line of three nested colours
void Marker(QPainter& p, ButtonState s);        // chisel marker, see-through yellow
void DottedPen(QPainter& p, ButtonState s);     // a row of short round dashes
void WritingBrush(QPainter& p, ButtonState s);  // bamboo brush and a tapered stroke
void FountainPen(QPainter& p, ButtonState s);   // split gold nib
void Stamp(QPainter& p, ButtonState s);         // rubber stamp and its print
void StampFrame(QPainter& p, ButtonState s);    // seal corners only: the glyph goes inside
void Eraser(QPainter& p, ButtonState s);        // eraser block over a fading line
void Recognition(QPainter& p, ButtonState s);   // wobbly sketch turning into a clean shape
void Multicolour(QPainter& p, ButtonState s);   // three coloured ribbons

}  // namespace artgen::icons
