#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `kolvane-lab trace FILE`: traces a PBM image (1 = black = ink) with the
// outline tracer as the ink outline uses it (tolerance 1.4143, minimum
// length 1.0) and prints {"contours": [[[x, y], ...], ...]}. A missing,
// unreadable or malformed file is reported on `err` with exit status 1.
int RunLabTrace(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);
