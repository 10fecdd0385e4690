#include "LabRender.h"

#include "LabCommand.h"
#include "LabJson.h"
#include "canvas/PenFactory.h"
#include "canvas/Picture.h"
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
constexpr char kUsage[] = "render --out FILE [--size WxH] [--background N|FILE]";

struct RenderOptions {
    int cx = 1024;
    int cy = 560;
    int bkgd = 0;
    QString imageFile;
    QString out;
};

bool ParseSize(const std::string& text, int& cx, int& cy)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch m = re.match(QString::fromStdString(text));
    if (!m.hasMatch()) {
        return false;
    }
    cx = m.captured(1).toInt();
    cy = m.captured(2).toInt();
    return cx > 0 && cy > 0 && cx <= 16384 && cy <= 16384;
}

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
            if (!ParseSize(v, o.cx, o.cy)) {
                return "--size takes WxH, e.g. 1024x560";
            }
        } else if (a == "--background") {
            static const QRegularExpression digits(QStringLiteral("^\\d+$"));
            const QString value = QString::fromStdString(v);
            if (digits.match(value).hasMatch()) {
                o.bkgd = value.toInt();
                if (o.bkgd > 23) {
                    return "--background takes 0..23 or an image file";
                }
            } else {
                o.bkgd = -1;
                o.imageFile = value;
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

COLORREF ParseColor(const QJsonValue& v)
{
    static const QRegularExpression re(QStringLiteral("^#([0-9a-fA-F]{6})$"));
    const QRegularExpressionMatch m = re.match(v.toString());
    if (!v.isString() || !m.hasMatch()) {
        throw LabInputError{"a colour must be \"#rrggbb\""};
    }
    return FromArgb(m.captured(1).toUInt(nullptr, 16));
}

// The settings of the line's tool: the program's defaults, overridden by
// the keys present.
int ReadToolSettings(const QJsonObject& obj, CToolSettings& s)
{
    const int tool = obj.contains("tool") ? LabInt(obj["tool"], "tool") : 1;
    if (!IsPenTool(tool)) {
        throw LabInputError{"tool must be 1..12"};
    }
    const auto t = static_cast<std::size_t>(tool);
    s.m_nTool = tool;
    if (obj.contains("width")) {
        const int w = LabInt(obj["width"], "width");
        if (w < 1 || w > 200) {
            throw LabInputError{"width must be 1..200"};
        }
        s.m_toolWidth[t] = w;
    }
    if (obj.contains("colors")) {
        const QJsonArray colors = obj["colors"].toArray();
        if (!obj["colors"].isArray() || colors.size() > 3) {
            throw LabInputError{"colors must be a list of up to three \"#rrggbb\""};
        }
        for (qsizetype i = 0; i < colors.size(); ++i) {
            s.m_toolColor[t][static_cast<std::size_t>(i)] = ParseColor(colors[i]);
        }
    }
    if (obj.contains("sel")) {
        const int sel = LabInt(obj["sel"], "sel");
        if (sel < 0 || sel > 2) {
            throw LabInputError{"sel must be 0..2"};
        }
        s.m_toolColorSel[t] = sel;
    }
    if (obj.contains("recog")) {
        const int recog = LabInt(obj["recog"], "recog");
        if (recog != 0 && recog != 1) {
            throw LabInputError{"recog must be 0 or 1"};
        }
        s.m_toolRecog[t] = recog;
    }
    if (obj.contains("char")) {
        const QString ch = obj["char"].toString();
        if (!obj["char"].isString() || ch.isEmpty()) {
            throw LabInputError{"char must be a one-character string"};
        }
        s.m_symbolChar = ch.at(0).unicode();
    }
    if (obj.contains("font")) {
        if (!obj["font"].isString()) {
            throw LabInputError{"font must be a string"};
        }
        s.m_symbolFont = obj["font"].toString();
    }
    return tool;
}

struct LabPoint {
    int x;
    int y;
    std::uint32_t t;
};

// [[x, y, t], ...]; a missing time is the previous one plus 10 ms (the
// first point's is 1000), so replays are repeatable.
std::vector<LabPoint> ReadPoints(const QJsonValue& v)
{
    if (!v.isArray()) {
        throw LabInputError{"points must be a list of [x, y, t]"};
    }
    std::vector<LabPoint> points;
    std::uint32_t t = 990;
    for (const QJsonValue& item : v.toArray()) {
        const QJsonArray p = item.toArray();
        if (!item.isArray() || p.size() < 2) {
            throw LabInputError{"a point is [x, y] or [x, y, t]"};
        }
        const int x = LabInt(p[0], "x");
        const int y = LabInt(p[1], "y");
        if (p.size() >= 3) {
            const double time = p[2].toDouble(-1.0);
            if (!p[2].isDouble() || time < 0.0 || time > 4294967295.0) {
                throw LabInputError{"t must be a 32-bit tick count"};
            }
            t = static_cast<std::uint32_t>(time);
        } else {
            t += 10;
        }
        points.push_back({x, y, t});
    }
    return points;
}

class CLabRenderer {
public:
    explicit CLabRenderer(const RenderOptions& o)
        : m_picture(o.cx, o.cy, o.bkgd), m_screen(o.cx, o.cy, MakeRgb(255, 255, 255))
    {
        m_picture.m_strImageFile = o.imageFile;
    }

    QJsonObject Handle(const QJsonObject& obj)
    {
        if (obj.contains("erase")) {
            return Erase(obj["erase"]);
        }
        CToolSettings settings;
        const int tool = ReadToolSettings(obj, settings);
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
        QJsonObject answer{{"committed", finished.route != FinishedStroke::Route::Dropped},
                           {"shape", recognized ? QJsonValue(QString::fromStdString(report.shape))
                                                : QJsonValue(QJsonValue::Null)},
                           {"class", QJsonValue::Null}};
        if (finished.pen) {
            CPenTool& drawn = *finished.pen;
            m_picture.AddStroke(std::move(finished.pen));
            m_picture.DrawStroke(drawn);
        }
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
        const int before = m_picture.GetStrokeCount();
        // As the eraser does: the composed picture is redrawn after a removal.
        if (m_picture.EraseAt(LabInt(at[0], "x"), LabInt(at[1], "y"))) {
            m_picture.Redraw();
        }
        return QJsonObject{{"committed", false},
                           {"erased", before - m_picture.GetStrokeCount()},
                           {"shape", QJsonValue::Null},
                           {"class", QJsonValue::Null}};
    }

    CPicture m_picture;
    CMemSurface m_screen;
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
