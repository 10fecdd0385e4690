#pragma once

#include "recognition/InkStrokeShaper.h"

#include <functional>

class CInkPen;

// Runs the ink stroke shaper on a finished writing-brush or fountain-pen
// stroke drawn with `tool`: classifies it, rewrites its widths and then calls
// `commit` once, which builds the pen's outline and says where the pen goes
// next. Touches only `pen`, so it may run on a worker thread.
InkShapeResult ShapeInkPen(CInkPen& pen, int tool, const std::function<void()>& commit);
