#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `kolvane-lab render --out FILE [--size WxH] [--background N|FILE]`: reads
// one stroke (or one eraser step) per input line, commits each to a picture
// exactly as the program does when the button comes up, and saves the
// composed picture to FILE (format by its ending, as Save). Prints
// {"committed": ..., "shape": ..., "class": ...} per line.
int RunLabRender(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);
