#include "LabInk.h"

#include "LabCommand.h"
#include "LabJson.h"
#include "LabStroke.h"
#include "canvas/InkShaping.h"
#include "canvas/PenFactory.h"
#include "pens/InkPen.h"
#include "tracing/Outline.h"

#include <QJsonArray>

#include <optional>
#include <ostream>

namespace {
constexpr char kUsage[] = "ink [--outline WxH]";
constexpr int kDefaultTool = 9;
constexpr int kDefaultWidth = 10;

struct InkOptions {
    bool outline = false;
    int cx = 0;
    int cy = 0;
};

// Returns an error message, empty when the options are usable.
std::string ParseOptions(const std::vector<std::string>& args, InkOptions& o)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--outline") {
            return "unknown option " + args[i];
        }
        if (i + 1 >= args.size()) {
            return "missing value after --outline";
        }
        if (!ParseLabSize(args[++i], o.cx, o.cy)) {
            return "--outline takes WxH, e.g. 1920x1050";
        }
        o.outline = true;
    }
    return {};
}

QJsonArray IntArray(const std::vector<int>& values)
{
    QJsonArray array;
    for (const int v : values) {
        array.append(v);
    }
    return array;
}

QJsonObject ShapeLine(const QJsonObject& obj, const InkOptions& options)
{
    CToolSettings settings;
    QJsonObject stroke = obj;
    if (!stroke.contains("width")) {
        stroke["width"] = kDefaultWidth;
    }
    const int tool = ReadToolSettings(stroke, settings, kDefaultTool);
    if (!IsInkTool(tool)) {
        throw LabInputError{"tool must be 7, 8, 9 or 10"};
    }
    const std::vector<LabPoint> points = ReadPoints(obj["points"]);
    if (points.size() < 2) {
        throw LabInputError{"an ink stroke needs at least two points"};
    }
    std::unique_ptr<CPenTool> pen = CreatePen(settings, tool);
    auto* ink = dynamic_cast<CInkPen*>(pen.get());
    if (!ink) {
        throw LabInputError{"this tool has no ink pen"};
    }
    for (const LabPoint& p : points) {
        ink->AddPoint(p.x, p.y, p.t);
    }
    ink->FinishStroke();
    const InkShapeResult shaped = ShapeInkPen(*ink, tool, [&] {
        if (options.outline) {
            ink->BuildOutline(options.cx, options.cy);
        }
    });

    std::vector<int> widths;
    for (int i = 0; i < ink->GetPoints().GetCount(); ++i) {
        widths.push_back(ink->GetPointWidth(i));
    }
    QJsonArray pieces;
    for (const auto& [first, end] : ink->OutlinePieces()) {
        pieces.append(QJsonArray{first, end});
    }
    QJsonObject answer{
        {"class", shaped.IsClassified() ? QJsonValue(QString::fromStdString(shaped.ClassName()))
                                        : QJsonValue(QJsonValue::Null)},
        {"corners", IntArray(shaped.corners)},
        {"widths", IntArray(widths)},
        {"pieces", pieces}};
    if (const COutline* outline = ink->GetOutline(); options.outline && outline) {
        QJsonArray contours;
        for (int c = 0; c < outline->GetCount(); ++c) {
            QJsonArray contour;
            for (const StrokePoint& p : outline->At(c)) {
                contour.append(QJsonArray{p.x, p.y});
            }
            contours.append(contour);
        }
        answer["contours"] = contours;
    }
    return answer;
}

const LabRegistration kRegistration{LabCommand{
    "ink", kUsage,
    "classifies and reshapes ink strokes as the program does with recognition on",
    RunLabInk}};
}  // namespace

int RunLabInk(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err)
{
    InkOptions options;
    const std::string problem = ParseOptions(args, options);
    if (!problem.empty()) {
        err << "kolvane-lab ink: " << problem << "\nusage: kolvane-lab " << kUsage << '\n';
        return 2;
    }
    return RunJsonLines(in, out, [&](const QJsonObject& obj) { return ShapeLine(obj, options); });
}
