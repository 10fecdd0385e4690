#include "LabRecognize.h"

#include <QJsonArray>
#include <ostream>

#include "LabCommand.h"
#include "LabJson.h"
#include "recognition/StrokeAnalyzer.h"

namespace {

CPointArray ReadPoints(const QJsonObject& stroke)
{
    const QJsonValue value = stroke.value("points");
    if (!value.isArray()) {
        throw LabInputError{"points must be an array of [x, y]"};
    }
    CPointArray points;
    for (const QJsonValue& item : value.toArray()) {
        const QJsonArray xy = item.toArray();
        if (!item.isArray() || xy.size() < 2) {
            throw LabInputError{"each point must be [x, y]"};
        }
        StrokePoint p;
        p.x = LabCoordinate(xy[0], "x");
        p.y = LabCoordinate(xy[1], "y");
        points.AddRaw(p);
    }
    return points;
}

}  // namespace

QJsonObject RecognizeStrokeJson(const QJsonObject& stroke, bool degrees)
{
    const CPointArray in = ReadPoints(stroke);
    CPointArray out;
    ShapeReport report;
    CStrokeAnalyzer().RecognizeShape(in, out, &report);

    QJsonObject answer;
    answer.insert("shape", report.shape.empty() ? QJsonValue(QJsonValue::Null)
                                                : QJsonValue(QString::fromStdString(report.shape)));
    QJsonArray points;
    for (const StrokePoint& p : out) {
        points.append(QJsonArray{p.x, p.y});
    }
    answer.insert("points", points);
    if (degrees) {
        QJsonObject byName;
        for (const ShapeDegree& d : report.firstPass) {
            byName.insert(QString::fromStdString(d.name), d.degree);
        }
        answer.insert("degrees", byName);
    }
    return answer;
}

int RunLabRecognize(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err)
{
    bool degrees = false;
    for (const std::string& arg : args) {
        if (arg == "--degrees") {
            degrees = true;
        } else {
            err << "kolvane-lab recognize: unknown option '" << arg << "'\n";
            return 2;
        }
    }
    return RunJsonLines(in, out, [degrees](const QJsonObject& stroke) {
        return RecognizeStrokeJson(stroke, degrees);
    });
}

namespace {
const LabRegistration registration(LabCommand{
    "recognize", "recognize [--degrees]",
    "stroke recogniser: {\"points\": [[x, y], ...]} -> {\"shape\", \"points\"}", RunLabRecognize});
}  // namespace
