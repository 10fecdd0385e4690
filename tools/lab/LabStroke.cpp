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

// obj[key] as an integer from lo to hi; anything else is refused with `why`.
int RangedInt(const QJsonObject& obj, const char* key, int lo, int hi, const char* why)
{
    const int v = LabInt(obj[key], key);
    if (v < lo || v > hi) {
        throw LabInputError{why};
    }
    return v;
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
        s.m_toolWidth[t] = RangedInt(obj, "width", 1, 200, "width must be 1..200");
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
        s.m_toolColorSel[t] = RangedInt(obj, "sel", 0, 2, "sel must be 0..2");
    }
    if (obj.contains("recog")) {
        s.m_toolRecog[t] = LabFlag(obj["recog"], "recog") ? 1 : 0;
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
        const int x = LabCoordinate(p[0], "x");
        const int y = LabCoordinate(p[1], "y");
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
