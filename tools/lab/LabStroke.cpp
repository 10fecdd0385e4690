#include "LabStroke.h"

#include "LabJson.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

COLORREF ParseColor(const QJsonValue& v)
{
    static const QRegularExpression re(QStringLiteral("^#([0-9a-fA-F]{6})$"));
    const QRegularExpressionMatch m = re.match(v.toString());
    if (!v.isString() || !m.hasMatch()) {
        throw LabInputError{"a colour must be \"#rrggbb\""};
    }
    return FromArgb(m.captured(1).toUInt(nullptr, 16));
}

}  // namespace

int ReadToolSettings(const QJsonObject& obj, CToolSettings& s, int defaultTool)
{
    const int tool = obj.contains("tool") ? LabInt(obj["tool"], "tool") : defaultTool;
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


bool ParseLabSize(const std::string& text, int& cx, int& cy)
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
