#include "LabInk.h"

#include "canvas/QtApp.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {
struct InkRun {
    int status = -1;
    std::vector<QJsonObject> lines;
    std::string err;
};

InkRun Ink(const std::vector<std::string>& args, const std::string& input)
{
    TestApp();
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    InkRun run;
    run.status = RunLabInk(args, in, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        run.lines.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    }
    run.err = err.str();
    return run;
}

// An L drawn right then down, 20 ms between points 5 px apart.
std::string TurnDown(int tool)
{
    std::string points;
    int t = 1000;
    for (int i = 0; i < 40; ++i, t += 20) {
        points += "[" + std::to_string(100 + 5 * i) + ",100," + std::to_string(t) + "],";
    }
    for (int i = 0; i < 40; ++i, t += 20) {
        points += "[300," + std::to_string(100 + 5 * i) + "," + std::to_string(t) + "],";
    }
    points.pop_back();
    return R"({"tool": )" + std::to_string(tool) + R"(, "points": [)" + points + "]}\n";
}
}  // namespace

TEST(LabInkTest, ReportsClassCornersWidthsAndPieces)
{
    const InkRun run = Ink({}, TurnDown(9));
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    const QJsonObject& o = run.lines[0];
    EXPECT_EQ(o["class"].toString(), QStringLiteral("横折"));
    const QJsonArray corners = o["corners"].toArray();
    ASSERT_EQ(corners.size(), 1);
    const int k = corners[0].toInt();
    EXPECT_NEAR(k, 40, 1);
    const QJsonArray widths = o["widths"].toArray();
    ASSERT_EQ(widths.size(), 80);
    EXPECT_EQ(widths[0].toInt(), 10);  // the default width
    EXPECT_EQ(widths[k - 1].toInt(), 5);
    EXPECT_EQ(widths[k].toInt(), 10);
    EXPECT_EQ(o["pieces"].toArray(), (QJsonArray{QJsonArray{0, 80}}));
    EXPECT_FALSE(o.contains("contours"));
}

TEST(LabInkTest, OutlineOptionAddsTheContoursOfTheShapedStroke)
{
    const InkRun run = Ink({"--outline", "400x320"}, TurnDown(7));
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray contours = run.lines.at(0)["contours"].toArray();
    ASSERT_GE(contours.size(), 1);
    int minX = 1 << 20, maxX = -1, maxY = -1;
    for (const QJsonValue& contour : contours) {
        for (const QJsonValue& p : contour.toArray()) {
            minX = std::min(minX, p.toArray()[0].toInt());
            maxX = std::max(maxX, p.toArray()[0].toInt());
            maxY = std::max(maxY, p.toArray()[1].toInt());
        }
    }
    // The outline covers the L from its start to past its corner and down.
    EXPECT_LE(minX, 102);
    EXPECT_GE(maxX, 300);
    EXPECT_GE(maxY, 290);
}

TEST(LabInkTest, BadLinesAndOptionsAreRefused)
{
    const InkRun run = Ink({}, R"({"tool": 3, "points": [[1, 1, 1], [9, 9, 9]]})"
                               "\n"
                               R"({"points": [[1, 1, 1]]})"
                               "\n"
                               R"({"points": [[1, 1, 1], [2, 2, 20]]})"
                               "\n"
                               // Coordinates far off any canvas would only cost time.
                               R"({"points": [[1, 1, 1], [100001, 2, 20]]})"
                               "\n"
                               R"({"points": [[-2147483648, 1, 1], [2, 2, 20]]})"
                               "\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 5u);
    EXPECT_TRUE(run.lines[0].contains("error"));
    EXPECT_TRUE(run.lines[1].contains("error"));
    EXPECT_EQ(run.lines[2]["class"].toString(), QStringLiteral("点"));
    EXPECT_EQ(run.lines[3]["error"].toString(), QStringLiteral("x is outside -100000..100000"));
    EXPECT_TRUE(run.lines[4].contains("error"));

    EXPECT_EQ(Ink({"--outline", "0x10"}, "").status, 2);
    EXPECT_EQ(Ink({"--frame"}, "").status, 2);
}
