#pragma once

#include "canvas/ToolSettings.h"

#include <QJsonObject>

#include <cstdint>
#include <string>
#include <vector>

// Reading the strokes of the lab's input lines. The readers throw
// LabInputError for a value they cannot use.

// The settings of the line's tool (`defaultTool` when the line names none):
// the program's defaults, overridden by the keys present (width, colors,
// sel, recog, char, font). Returns the tool.
int ReadToolSettings(const QJsonObject& obj, CToolSettings& s, int defaultTool);

struct LabPoint {
    int x;
    int y;
    std::uint32_t t;
};

// [[x, y, t], ...]; a missing time is the previous one plus 10 ms (the
// first point's is 1000), so replays are repeatable.
std::vector<LabPoint> ReadPoints(const QJsonValue& v);

// A canvas size "WxH", each 1..16384.
bool ParseLabSize(const std::string& text, int& cx, int& cy);
