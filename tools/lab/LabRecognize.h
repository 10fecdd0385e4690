#pragma once

#include <QJsonObject>
#include <iosfwd>
#include <string>
#include <vector>

// `kolvane-lab recognize [--degrees]`: runs the stroke recogniser on each
// input stroke {"points": [[x, y], ...]} and answers {"shape": name | null,
// "points": [[x, y], ...]}, the points the program writes into the new pen.
// With `degrees`, adds {"degrees": {"Line": d, ...}} of the first pass.
QJsonObject RecognizeStrokeJson(const QJsonObject& stroke, bool degrees);

int RunLabRecognize(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);
