#include "LabJson.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <istream>
#include <limits>
#include <ostream>

namespace {
void WriteLine(std::ostream& out, const QJsonObject& obj)
{
    out << QJsonDocument(obj).toJson(QJsonDocument::Compact).toStdString() << '\n';
}
}  // namespace

int RunJsonLines(std::istream& in, std::ostream& out,
                 const std::function<QJsonObject(const QJsonObject&)>& handle)
{
    int status = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        QJsonParseError parseError{};
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray::fromStdString(line), &parseError);
        if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
            const QString why = parseError.error != QJsonParseError::NoError
                                    ? parseError.errorString()
                                    : QStringLiteral("expected a JSON object");
            WriteLine(out, QJsonObject{{"error", why}});
            status = 1;
            continue;
        }
        try {
            WriteLine(out, handle(doc.object()));
        } catch (const LabInputError& e) {
            WriteLine(out, QJsonObject{{"error", QString::fromStdString(e.message)}});
            status = 1;
        }
        out.flush();
    }
    return status;
}

int LabInt(const QJsonValue& v, const char* what)
{
    if (!v.isDouble()) {
        throw LabInputError{std::string(what) + " must be a number"};
    }
    const double d = v.toDouble();
    if (!std::isfinite(d) || d < std::numeric_limits<int>::min() ||
        d > std::numeric_limits<int>::max()) {
        throw LabInputError{std::string(what) + " is out of range"};
    }
    return static_cast<int>(d);
}

int LabCoordinate(const QJsonValue& v, const char* what)
{
    const int c = LabInt(v, what);
    if (c < -kLabCoordinateLimit || c > kLabCoordinateLimit) {
        throw LabInputError{std::string(what) + " is outside -" +
                            std::to_string(kLabCoordinateLimit) + ".." +
                            std::to_string(kLabCoordinateLimit)};
    }
    return c;
}

bool LabFlag(const QJsonValue& v, const char* what)
{
    if (v.isBool()) {
        return v.toBool();
    }
    if (v.isDouble() && (v.toDouble() == 0.0 || v.toDouble() == 1.0)) {
        return v.toDouble() == 1.0;
    }
    throw LabInputError{std::string(what) + " must be true, false, 0 or 1"};
}
