#pragma once

#include <QImage>

#include "ArtKit.h"

namespace artgen {

// 600 x 397 splash shown centred on black when the program starts: the
// program's name over a sheet of paper with a few doodles, the pens along
// the bottom and a line that invites the first stroke.
QImage WelcomePicture(const ArtFonts& fonts);

// The program icon at `size` pixels square: a sheet of paper with a
// three-colour swoosh, simplified at small sizes.
QImage ProgramIcon(int size);

}  // namespace artgen
