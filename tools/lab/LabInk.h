#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `kolvane-lab ink [--outline WxH]`: runs a finished writing-brush or
// fountain-pen stroke per input line through what the program does with it
// when recognition is on (speed widths from the times, then the ink stroke
// shaper) and prints {"class", "corners", "widths", "pieces"} and, with
// --outline, the "contours" of the stroke's outline on a canvas of WxH.
int RunLabInk(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);
