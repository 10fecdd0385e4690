#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "LabCommand.h"
#include "LabRecognize.h"

namespace {

struct LabRun {
    int status = 0;
    std::vector<QJsonObject> lines;
    std::string err;
};

LabRun RunRecognize(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    LabRun run;
    run.status = RunLabRecognize(args, in, out, err);
    run.err = err.str();
    std::istringstream lines(out.str());
    std::string line;
    while (std::getline(lines, line)) {
        run.lines.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    }
    return run;
}

std::string CircleJson(int cx, int cy, int r)
{
    std::ostringstream s;
    s << "{\"points\": [";
    for (int k = 0; k <= 60; ++k) {
        const double t = 2 * 3.141592653589793 * k / 60;
        s << (k > 0 ? "," : "") << "[" << std::lround(cx + r * std::cos(t)) << ","
          << std::lround(cy + r * std::sin(t)) << ",17]";
    }
    s << "]}\n";
    return s.str();
}

// Jumps between random points of a square: a scribble, never a shape.
std::string ScribbleJson()
{
    std::mt19937 rng(3);
    std::ostringstream s;
    s << "{\"points\": [";
    for (int k = 0; k < 200; ++k) {
        s << (k > 0 ? "," : "") << "[" << 200 + rng() % 200 << "," << 200 + rng() % 200 << "]";
    }
    s << "]}\n";
    return s.str();
}

}  // namespace

TEST(LabRecognize, CircleAndLine)
{
    const LabRun run = RunRecognize(
        {}, CircleJson(100, 100, 50) + "{\"points\": [[10, 10], [110, 60], [210, 110]]}\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0].value("shape").toString(), "Circle");
    const QJsonArray circle = run.lines[0].value("points").toArray();
    ASSERT_EQ(circle.size(), 37);
    EXPECT_EQ(circle[0].toArray(), (QJsonArray{100, 150}));
    EXPECT_EQ(circle[27].toArray(), (QJsonArray{50, 99}));
    EXPECT_FALSE(run.lines[0].contains("degrees"));

    EXPECT_EQ(run.lines[1].value("shape").toString(), "Line");
    EXPECT_EQ(run.lines[1].value("points").toArray(),
              (QJsonArray{QJsonArray{10, 10}, QJsonArray{210, 110}}));
}

TEST(LabRecognize, NothingRecognisedGivesNullAndNoPoints)
{
    const LabRun run = RunRecognize({"--degrees"}, ScribbleJson());
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_TRUE(run.lines[0].value("shape").isNull());
    EXPECT_TRUE(run.lines[0].value("points").toArray().isEmpty());
    const QJsonObject degrees = run.lines[0].value("degrees").toObject();
    EXPECT_EQ(degrees.keys(),
              (QStringList{"Circle", "Diamond", "Ellipse", "Line", "Rectangle", "Triangle"}));
}

TEST(LabRecognize, DegreesOfFirstPass)
{
    const LabRun run = RunRecognize({"--degrees"}, CircleJson(300, 300, 100));
    ASSERT_EQ(run.lines.size(), 1u);
    const QJsonObject degrees = run.lines[0].value("degrees").toObject();
    EXPECT_EQ(degrees.value("Circle").toDouble(), 1.0);
    EXPECT_EQ(degrees.value("Line").toDouble(), 0.0);
}

TEST(LabRecognize, MalformedLinesReportAndGoOn)
{
    const LabRun run = RunRecognize({},
                                    "not json\n"
                                    "{\"points\": 5}\n"
                                    "{\"points\": [[1]]}\n"
                                    "{\"points\": [[1, \"a\"]]}\n"
                                    "{\"points\": [[0, 0], [100001, 0]]}\n"
                                    "{\"points\": [[1, 2], [3, 4]]}\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 6u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(run.lines[static_cast<std::size_t>(i)].contains("error")) << i;
    }
    EXPECT_FALSE(run.lines[5].contains("error"));
}

TEST(LabRecognize, UnknownOptionIsRefused)
{
    const LabRun run = RunRecognize({"--bogus"}, "");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--bogus"), std::string::npos);
}

TEST(LabRecognize, RegisteredWithTheDispatcher)
{
    const LabCommand* command = FindLabCommand("recognize");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->usage, "recognize [--degrees]");
}
