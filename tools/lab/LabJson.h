#pragma once

#include <QJsonObject>

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

// Reads JSON Lines from `in` and writes one compact JSON object per input line
// to `out`. `handle` turns a parsed object into the answer, or throws
// LabInputError for a line it cannot use. A line that is not a JSON object,
// or that `handle` rejects, becomes {"error": "..."} and processing goes on.
// Blank lines are skipped. Returns 0, or 1 when any line was in error.
struct LabInputError {
    std::string message;
};

int RunJsonLines(std::istream& in, std::ostream& out,
                 const std::function<QJsonObject(const QJsonObject&)>& handle);

// Strict readers for the common fields; they throw LabInputError.
int LabInt(const QJsonValue& v, const char* what);
// A point coordinate: an integer within -kLabCoordinateLimit..kLabCoordinateLimit.
// That is far beyond any canvas, and keeps the work a stroke can ask for
// (an ellipse's outline points, a stamp walk's glyphs) within bounds.
inline constexpr int kLabCoordinateLimit = 100000;
int LabCoordinate(const QJsonValue& v, const char* what);
// A 0/1 switch: a JSON boolean, or the number 0 or 1.
bool LabFlag(const QJsonValue& v, const char* what);
