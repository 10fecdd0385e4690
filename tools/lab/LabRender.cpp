#include "LabRender.h"

#include "LabCommand.h"
#include "LabJson.h"
#include "LabStroke.h"
#include "canvas/CommitSteps.h"
#include "canvas/EraseStep.h"
#include "canvas/History.h"
#include "canvas/BackgroundFile.h"
#include "canvas/InkShaping.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
#include "canvas/PictureSteps.h"
#include "canvas/StrokeCommit.h"
#include "gfx/ImageEncoders.h"
#include "gfx/Surface.h"
#include "pens/InkPen.h"
#include "pens/PenTool.h"
#include "recognition/StrokeAnalyzer.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <ostream>

namespace {
constexpr char kUsage[] =
    "render --out FILE [--size WxH] [--background N|FILE]\n"
    "      in: one stroke per line, {\"erase\": [x, y]} for an eraser step, or\n"
    "      {\"background\": N | \"FILE\"} to change the background between strokes\n"
    "      (answered {\"background\": ..., \"changed\": true|false}); a background\n"
    "      file that cannot be read is refused, by --background with exit status 2";

struct RenderOptions {
    int cx = 1024;
    int cy = 560;
    CBackground background;
    QString out;
};

constexpr int kBuiltInBackgrounds = 24;

// Returns an error message, empty when the options are usable.
std::string ParseOptions(const std::vector<std::string>& args, RenderOptions& o)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) {
            return "missing value after " + a;
        }
        const std::string& v = args[++i];
        if (a == "--out") {
            o.out = QString::fromStdString(v);
        } else if (a == "--size") {
            if (!ParseLabSize(v, o.cx, o.cy)) {
                return "--size takes WxH, e.g. 1024x560";
            }
        } else if (a == "--background") {
            static const QRegularExpression digits(QStringLiteral("^\\d+$"));
            const QString value = QString::fromStdString(v);
            if (digits.match(value).hasMatch()) {
                o.background = CBackground{value.toInt(), {}, {}};
                if (o.background.index >= kBuiltInBackgrounds) {
                    return "--background takes 0..23 or an image file";
                }
            } else {
                // Refused as Setup refuses it, rather than drawn blank.
                BackgroundFileRead read = ReadBackgroundFile(value);
                if (!read.Ok()) {
                    return "cannot use background " + v + ": " + read.reason.toStdString();
                }
                o.background = FileBackground(value, std::move(read.image));
            }
        } else {
            return "unknown option " + a;
        }
    }
    if (o.out.isEmpty()) {
        return "--out FILE is required";
    }
    return {};
}

class CLabRenderer {
public:
    explicit CLabRenderer(const RenderOptions& o)
        : m_picture(o.cx, o.cy, 0), m_screen(o.cx, o.cy, MakeRgb(255, 255, 255))
    {
        m_picture.SetBackground(o.background);
    }

    QJsonObject Handle(const QJsonObject& obj)
    {
        if (obj.contains("erase")) {
            return Erase(obj["erase"]);
        }
        if (obj.contains("undo")) {
            return StepAnswer("undone", LabFlag(obj["undo"], "undo") && m_history.Undo());
        }
        if (obj.contains("redo")) {
            return StepAnswer("redone", LabFlag(obj["redo"], "redo") && m_history.Redo());
        }
        if (obj.contains("new")) {
            return New(LabFlag(obj["new"], "new"));
        }
        if (obj.contains("background")) {
            return ChangeBackground(obj["background"]);
        }
        CToolSettings settings;
        const int tool = ReadToolSettings(obj, settings, 1);
        const std::vector<LabPoint> points = ReadPoints(obj["points"]);

        std::unique_ptr<CPenTool> pen = CreatePen(settings, tool);
        if (!pen) {
            throw LabInputError{"this tool has no pen"};
        }
        // The same calls the canvas makes: the press, then every move
        // drawn live (on a scratch screen here).
        if (!points.empty()) {
            const LabPoint& press = points.front();
            if (auto* ink = dynamic_cast<CInkPen*>(pen.get())) {
                ink->BeginStroke(m_screen, press.x, press.y, press.t);
            } else {
                pen->BeginStroke(m_screen, press.x, press.y);
            }
            for (const LabPoint& p : points) {
                pen->AddPoint(p.x, p.y, p.t);
                pen->ContinueStroke(m_screen, p.x, p.y);
            }
        }
        ShapeReport report;
        const ShapeRecognizer recognize = [&report](const CPointArray& in, CPointArray& out) {
            const CStrokeAnalyzer analyzer;
            return analyzer.RecognizeShape(in, out, &report);
        };
        FinishedStroke finished =
            FinishCapturedStroke(std::move(pen), settings, tool, &CreatePen, recognize);
        const bool recognized = finished.route == FinishedStroke::Route::Recognized;
        QJsonValue inkClass = QJsonValue::Null;
        if (finished.route == FinishedStroke::Route::Shape) {
            // The program shapes on a worker thread; here the same steps run
            // in line, so the picture gets the strokes in input order.
            if (auto* ink = dynamic_cast<CInkPen*>(finished.pen.get())) {
                const InkShapeResult shaped = ShapeInkPen(*ink, tool, [&] {
                    ink->BuildOutline(m_picture.GetWidth(), m_picture.GetHeight());
                });
                if (shaped.IsClassified()) {
                    inkClass = QString::fromStdString(shaped.ClassName());
                }
            }
        }
        QJsonObject answer{{"committed", finished.route != FinishedStroke::Route::Dropped},
                           {"shape", recognized ? QJsonValue(QString::fromStdString(report.shape))
                                                : QJsonValue(QJsonValue::Null)},
                           {"class", inkClass}};
        // As the canvas does: a recognised or reshaped stroke is two steps,
        // the stroke as drawn and then the final one in its place.
        PushReplacedCommit(m_history, m_picture, std::move(finished.drawn),
                           std::move(finished.pen));
        return answer;
    }

    bool Save(const QString& path, std::ostream& err)
    {
        CMemSurface surface(m_picture.GetWidth(), m_picture.GetHeight(), MakeRgb(255, 255, 255));
        m_picture.DrawTo(surface);
        const CImageEncoders encoders;
        if (!encoders.FindByExtension(path)) {
            err << "kolvane-lab render: no image format for " << path.toStdString() << '\n';
            return false;
        }
        if (!encoders.SaveBitmap(surface.Image(), path)) {
            err << "kolvane-lab render: could not write " << path.toStdString() << '\n';
            return false;
        }
        return true;
    }

private:
    QJsonObject Erase(const QJsonValue& v)
    {
        const QJsonArray at = v.toArray();
        if (!v.isArray() || at.size() != 2) {
            throw LabInputError{"erase takes [x, y]"};
        }
        // As the eraser does: the part of the picture the removed strokes
        // covered is redrawn; the line is one step, as one drag is.
        CPicture::RemovedStrokes removed =
            m_picture.EraseStrokes(LabCoordinate(at[0], "x"), LabCoordinate(at[1], "y"));
        const int erased = static_cast<int>(removed.size());
        if (erased > 0) {
            std::vector<CPicture::RemovedStrokes> groups;
            groups.push_back(std::move(removed));
            m_history.Push(std::make_unique<CEraseStep>(m_picture, std::move(groups)), true);
        }
        return QJsonObject{{"committed", false},
                           {"erased", erased},
                           {"shape", QJsonValue::Null},
                           {"class", QJsonValue::Null}};
    }

    static QJsonObject StepAnswer(const char* key, bool done)
    {
        return QJsonObject{{"committed", false},
                           {QLatin1String(key), done},
                           {"shape", QJsonValue::Null},
                           {"class", QJsonValue::Null}};
    }

    // New, as the command bar's button: every stroke goes in one step.
    QJsonObject New(bool run)
    {
        int cleared = 0;
        if (run && m_picture.GetStrokeCount() > 0) {
            auto step = std::make_unique<CClearStep>(m_picture);
            const CClearStep& clear = *step;
            m_history.Push(std::move(step));
            cleared = clear.GetClearedCount();
        }
        QJsonObject answer = StepAnswer("cleared", false);
        answer["cleared"] = cleared;
        return answer;
    }

    // As a confirmed Setup does: a built-in number or a file decoded now (a
    // file that cannot be used is refused and changes nothing); the number in
    // use changes nothing, anything else goes under the strokes, which the
    // next commit or the save draw again over it.
    QJsonObject ChangeBackground(const QJsonValue& v)
    {
        CBackground choice;
        if (v.isString()) {
            const QString file = v.toString();
            BackgroundFileRead read = ReadBackgroundFile(file);
            if (!read.Ok()) {
                throw LabInputError{"cannot use background " + file.toStdString() + ": " +
                                    read.reason.toStdString()};
            }
            choice = FileBackground(file, std::move(read.image));
        } else {
            choice.index = v.isDouble() ? LabInt(v, "background") : -1;
            if (choice.index < 0 || choice.index >= kBuiltInBackgrounds) {
                throw LabInputError{"background takes 0..23 or an image file"};
            }
        }
        const bool changed = ApplyBackgroundChoice(m_picture, m_history, std::move(choice));
        return QJsonObject{{"background", v}, {"changed", changed}};
    }

    CPicture m_picture;
    CMemSurface m_screen;
    // After the picture, so it goes first.
    CHistory m_history;
};

const LabRegistration kRegistration{LabCommand{
    "render", kUsage, "commits strokes to a picture as the program does and saves it",
    RunLabRender}};
}  // namespace

int RunLabRender(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err)
{
    RenderOptions options;
    const std::string problem = ParseOptions(args, options);
    if (!problem.empty()) {
        err << "kolvane-lab render: " << problem << "\nusage: kolvane-lab " << kUsage << '\n';
        return 2;
    }
    CLabRenderer renderer(options);
    const int status =
        RunJsonLines(in, out, [&](const QJsonObject& obj) { return renderer.Handle(obj); });
    if (!renderer.Save(options.out, err)) {
        return 1;
    }
    return status;
}
