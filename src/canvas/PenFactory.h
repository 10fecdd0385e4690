#pragma once

#include "canvas/ToolSettings.h"

#include <memory>

class CPenTool;

// The pen of `tool` (1..12) made from that tool's settings: single-colour
// tools draw with their selected colour, the others take all three; the
// stamp tools also take the symbol and its font. nullptr for the eraser and
// anything that is not a tool.
std::unique_ptr<CPenTool> CreatePen(const CToolSettings& settings, int tool);
