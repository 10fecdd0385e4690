#include "LabRender.h"

#include "canvas/QtApp.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {
struct RenderRun {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
};

RenderRun Render(const std::vector<std::string>& args, const std::string& input)
{
    TestApp();
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    RenderRun run;
    run.status = RunLabRender(args, in, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        run.lines.push_back(line);
    }
    run.err = err.str();
    return run;
}

int Darkest(const QImage& image, int x0, int y0, int x1, int y1)
{
    int darkest = 255;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
    }
    return darkest;
}
}  // namespace

TEST(LabRenderTest, CommitsStrokesAndSavesThePicture)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("p.png")).toStdString();
    const RenderRun run = Render(
        {"--out", out, "--size", "200x120"},
        R"({"tool": 1, "width": 4, "points": [[20, 60, 0], [100, 60, 40], [180, 60, 80]]})"
        "\n"
        R"({"tool": 1, "points": [[50, 20]]})"
        "\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0], R"({"class":null,"committed":true,"shape":null})");
    EXPECT_EQ(run.lines[1], R"({"class":null,"committed":false,"shape":null})");
    const QImage image(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(200, 120));
    // Background 0 is white; the black stroke runs along y = 60.
    EXPECT_LT(Darkest(image, 100, 57, 100, 63), 60);
    EXPECT_EQ(Darkest(image, 100, 90, 100, 100), 255);
}

TEST(LabRenderTest, EraseStepRemovesTheStrokesUnderTheSquare)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("e.png")).toStdString();
    const RenderRun run = Render({"--out", out, "--size", "200x120"},
                                 R"({"points": [[20, 60], [100, 60], [180, 60]]})"
                                 "\n"
                                 R"({"points": [[100, 10], [100, 110]]})"
                                 "\n"
                                 R"({"erase": [100, 70]})"
                                 "\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_NE(run.lines[2].find(R"("erased":2)"), std::string::npos) << run.lines[2];
    const QImage image(QString::fromStdString(out));
    EXPECT_EQ(Darkest(image, 0, 0, 199, 119), 255);
}

TEST(LabRenderTest, BadLinesAreReportedAndTheRestIsRendered)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("b.png")).toStdString();
    const RenderRun run = Render({"--out", out, "--size", "100x80"},
                                 "not json\n"
                                 R"({"tool": 13, "points": [[1, 1], [5, 5]]})"
                                 "\n"
                                 R"({"tool": 2, "colors": ["red"], "points": [[1, 1], [5, 5]]})"
                                 "\n"
                                 R"({"tool": 5, "points": [[10, 40], [50, 40], [90, 40]]})"
                                 "\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(run.lines[static_cast<std::size_t>(i)].rfind(R"({"error":)", 0), 0u)
            << run.lines[static_cast<std::size_t>(i)];
    }
    EXPECT_NE(run.lines[3].find(R"("committed":true)"), std::string::npos);
    EXPECT_FALSE(QImage(QString::fromStdString(out)).isNull());
}

TEST(LabRenderTest, SwitchesTakeBooleansAndCoordinatesAreBounded)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("s.png")).toStdString();
    // A wobbly closed square: with recognition on it becomes a rectangle.
    const std::string square =
        R"("points": [[20, 20], [60, 22], [100, 20], [101, 60], [100, 100], [60, 99], [20, 100], )"
        R"([21, 60], [20, 21]])";
    const RenderRun run = Render({"--out", out, "--size", "200x120"},
                                 "{\"recog\": true, " + square + "}\n" +
                                 "{\"recog\": false, " + square + "}\n" +
                                 "{\"recog\": 2, " + square + "}\n" +
                                 R"({"points": [[0, 0], [0, -100001]]})" "\n" +
                                 R"({"erase": [2147483647, 0]})" "\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 5u);
    EXPECT_NE(run.lines[0].find(R"("shape":"Rectangle")"), std::string::npos) << run.lines[0];
    EXPECT_NE(run.lines[1].find(R"("shape":null)"), std::string::npos) << run.lines[1];
    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(run.lines[i].rfind(R"({"error":)", 0), 0u) << run.lines[i];
    }
}

TEST(LabRenderTest, OptionsAreChecked)
{
    EXPECT_EQ(Render({}, "").status, 2);
    EXPECT_EQ(Render({"--out", "/tmp/x.png", "--size", "big"}, "").status, 2);
    EXPECT_EQ(Render({"--out", "/tmp/x.png", "--background", "24"}, "").status, 2);
    EXPECT_EQ(Render({"--out", "/tmp/x.png", "--colour"}, "").status, 2);
    // A format nothing writes, and a folder that does not exist, fail the run.
    QTemporaryDir dir;
    EXPECT_EQ(Render({"--out", dir.filePath(QStringLiteral("x.abc")).toStdString()}, "").status,
              1);
    EXPECT_EQ(Render({"--out", "/nonexistent-folder/x.png"}, "").status, 1);
}

// A background file that cannot be read once became a white picture with
// exit status 0; it is refused now, and no picture is written.
TEST(LabRenderTest, UnreadableBackgroundFileIsRefused)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("w.png"));
    const RenderRun run = Render(
        {"--out", out.toStdString(), "--size", "64x48", "--background", "/nonexistent/bg.jpg"}, "");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("cannot use background /nonexistent/bg.jpg"), std::string::npos)
        << run.err;
    EXPECT_FALSE(QFile::exists(out));
}

TEST(LabRenderTest, RecognitionReplacesAShapeOfTheOrdinaryPens)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("r.png")).toStdString();
    std::string circle = R"({"tool": 1, "recog": 1, "points": [)";
    for (int i = 0; i <= 48; ++i) {
        const double a = i * 6.2831853 / 48.0;
        circle += (i ? "," : "") + std::string("[") +
                  std::to_string(100 + static_cast<int>(60 * std::cos(a))) + "," +
                  std::to_string(80 + static_cast<int>(60 * std::sin(a))) + "]";
    }
    circle += "]}\n";
    const std::string scribble = R"({"tool": 1, "recog": 0, "points": [[10, 10], [30, 12], [50, 9]]})"
                                 "\n";
    const RenderRun run = Render({"--out", out, "--size", "200x160"}, circle + scribble);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0], R"({"class":null,"committed":true,"shape":"Circle"})");
    EXPECT_EQ(run.lines[1], R"({"class":null,"committed":true,"shape":null})");
    // The clean circle is drawn: dark pixels on its rim, none at its centre.
    const QImage image(QString::fromStdString(out));
    EXPECT_LT(Darkest(image, 157, 77, 163, 83), 80);
    EXPECT_EQ(Darkest(image, 95, 75, 105, 85), 255);
}

TEST(LabRenderTest, RecognitionShapesInkStrokesAndFillsTheirOutline)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("ink.png")).toStdString();
    std::string brush = R"({"tool": 7, "recog": 1, "width": 12, "points": [)";
    for (int i = 0; i < 40; ++i) {
        brush += (i ? ",[" : "[") + std::to_string(20 + 4 * i) + ",60," +
                 std::to_string(1000 + 20 * i) + "]";
    }
    brush += "]}\n";
    const RenderRun run = Render({"--out", out, "--size", "200x120"}, brush);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0], R"({"class":"横","committed":true,"shape":null})");
    const QImage image(QString::fromStdString(out));
    EXPECT_LT(Darkest(image, 60, 55, 140, 75), 60);
    EXPECT_EQ(Darkest(image, 0, 0, 199, 40), 255);
}

namespace {
// Renders `input` to a PNG and reads it back, with the answers.
std::pair<QImage, RenderRun> RenderImage(const std::string& input, const std::string& background)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("u.png")).toStdString();
    RenderRun run = Render({"--out", out, "--size", "200x160", "--background", background}, input);
    return {QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32),
            std::move(run)};
}

std::string Circle(int recog, int tool)
{
    std::string line = R"({"tool": )" + std::to_string(tool) + R"(, "width": 6, "recog": )" +
                       std::to_string(recog) + R"(, "points": [)";
    for (int i = 0; i <= 48; ++i) {
        const double a = i * 6.2831853 / 48.0;
        line += (i ? "," : "") + std::string("[") +
                std::to_string(100 + static_cast<int>(60 * std::cos(a))) + "," +
                std::to_string(80 + static_cast<int>(50 * std::sin(a))) + "," +
                std::to_string(1000 + 25 * i) + "]";
    }
    return line + "]}\n";
}

const std::string kLine = R"({"tool": 2, "width": 9, "points": [[10, 150], [190, 10]]})"
                          "\n";
const std::string kUndo = "{\"undo\": true}\n";
const std::string kRedo = "{\"redo\": true}\n";
}  // namespace

// A recognised shape (ordinary pen) or a reshaped ink stroke is two steps:
// one undo gives exactly the picture of the stroke drawn with recognition
// off, a second removes it, and two redos give the recognised picture back.
TEST(LabRenderTest, RecognitionIsUndoneInTwoSteps)
{
    for (const int tool : {1, 7}) {
        const auto [plain, plainRun] = RenderImage(kLine + Circle(0, tool), "3");
        const auto [recognised, recogRun] = RenderImage(kLine + Circle(1, tool), "3");
        ASSERT_EQ(recogRun.status, 0) << recogRun.err;
        ASSERT_NE(plain, recognised) << "tool " << tool << ": recognition changed nothing";
        const auto [once, onceRun] = RenderImage(kLine + Circle(1, tool) + kUndo, "3");
        EXPECT_EQ(onceRun.lines.back(),
                  R"({"class":null,"committed":false,"shape":null,"undone":true})");
        EXPECT_EQ(once, plain) << "tool " << tool;
        const auto [onlyLine, lineRun] = RenderImage(kLine, "3");
        const auto [twice, twiceRun] = RenderImage(kLine + Circle(1, tool) + kUndo + kUndo, "3");
        EXPECT_EQ(twice, onlyLine) << "tool " << tool;
        const auto [back, backRun] =
            RenderImage(kLine + Circle(1, tool) + kUndo + kUndo + kRedo + kRedo + kRedo, "3");
        EXPECT_EQ(backRun.lines.back(),
                  R"({"class":null,"committed":false,"redone":false,"shape":null})");
        EXPECT_EQ(back, recognised) << "tool " << tool;
    }
}

// New, an eraser step and undo/redo through the lab: New answers how many
// strokes it cleared and is undone to the very picture before it; an undone
// erase puts the strokes back in their order; a stroke after an undo drops
// the redo.
TEST(LabRenderTest, NewAndEraseAreUndoneToTheSamePicture)
{
    const std::string three = kLine + Circle(0, 3) +
                              R"({"tool": 4, "width": 12, "points": [[10, 80], [190, 80]]})"
                              "\n";
    const auto [before, beforeRun] = RenderImage(three, "5");
    const auto [cleared, clearRun] = RenderImage(three + "{\"new\": true}\n", "5");
    EXPECT_EQ(clearRun.lines.back(),
              R"({"class":null,"cleared":3,"committed":false,"shape":null})");
    const auto [bare, bareRun] = RenderImage("", "5");
    EXPECT_EQ(cleared, bare);
    const auto [undone, undoneRun] = RenderImage(three + "{\"new\": true}\n" + kUndo, "5");
    EXPECT_EQ(undone, before);

    // The erase at (100, 80) takes the line and the marker; the fill circle
    // is drawn between them.
    const auto [erased, erasedRun] = RenderImage(three + "{\"erase\": [100, 80]}\n" + kUndo, "5");
    EXPECT_EQ(erased, before);

    const auto [dropped, droppedRun] = RenderImage(kLine + kUndo + Circle(0, 3) + kRedo, "5");
    EXPECT_EQ(droppedRun.lines.back(),
              R"({"class":null,"committed":false,"redone":false,"shape":null})");
    const auto [circleOnly, circleRun] = RenderImage(Circle(0, 3), "5");
    EXPECT_EQ(dropped, circleOnly);
    const auto [nothing, nothingRun] = RenderImage(kUndo + "{\"undo\": \"yes\"}\n", "5");
    EXPECT_EQ(nothingRun.lines.front(),
              R"({"class":null,"committed":false,"shape":null,"undone":false})");
    EXPECT_NE(nothingRun.lines.back().find("error"), std::string::npos);
}

namespace {
QString WriteColourImage(const QTemporaryDir& dir, const char* name, QRgb colour)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(QString::fromLatin1(name));
    image.save(path);
    return path;
}
}  // namespace

TEST(LabRenderTest, BackgroundLinesChangeTheBackgroundUnderTheStrokesAsSetupDoes)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("p.png")).toStdString();
    const std::string green = WriteColourImage(dir, "green.png", qRgb(0, 200, 0)).toStdString();
    const std::string broken = dir.filePath(QStringLiteral("broken.png")).toStdString();
    {
        QFile f(QString::fromStdString(broken));
        f.open(QIODevice::WriteOnly);
        f.write("\x89PNG\r\n\x1a\nnot really");
    }
    const RenderRun run = Render(
        {"--out", out, "--size", "200x120", "--background", "3"},
        R"({"tool": 1, "width": 4, "points": [[20, 60, 0], [180, 60, 80]]})" "\n"
        R"({"background": 3})" "\n"
        R"({"background": ")" + green + R"("})" "\n"
        R"({"background": ")" + broken + R"("})" "\n"
        R"({"background": 24})" "\n"
        R"({"background": true})" "\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 6u);
    EXPECT_EQ(run.lines[1], R"({"background":3,"changed":false})");
    EXPECT_EQ(run.lines[2], R"({"background":")" + green + R"(","changed":true})");
    EXPECT_NE(run.lines[3].find("\"error\""), std::string::npos);
    EXPECT_NE(run.lines[3].find(broken), std::string::npos);
    EXPECT_NE(run.lines[4].find("0..23"), std::string::npos);
    EXPECT_NE(run.lines[5].find("\"error\""), std::string::npos);
    // The refused file left the green one under the stroke.
    const QImage saved(QString::fromStdString(out));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.pixel(100, 20) | 0xFF000000u, qRgb(0, 200, 0));
    EXPECT_LT(Darkest(saved, 95, 58, 105, 62), 40);
}

TEST(LabRenderTest, ABackgroundOptionThatIsNoImageIsRefusedAReadableOneDrawn)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("p.png"));
    const std::string notes = dir.filePath(QStringLiteral("notes.png")).toStdString();
    {
        QFile f(QString::fromStdString(notes));
        f.open(QIODevice::WriteOnly);
        f.write("just text\n");
    }
    {
        const RenderRun run = Render({"--out", out.toStdString(), "--background", notes},
                                     R"({"tool": 1, "points": [[0, 0], [9, 9]]})" "\n");
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err.find("cannot use background " + notes), std::string::npos) << run.err;
        EXPECT_TRUE(run.lines.empty());
        EXPECT_FALSE(QFile::exists(out));
    }
    const std::string green = WriteColourImage(dir, "green.png", qRgb(0, 200, 0)).toStdString();
    const RenderRun run = Render({"--out", out.toStdString(), "--size", "40x30", "--background", green}, "");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QImage(out).pixel(20, 15) | 0xFF000000u, qRgb(0, 200, 0));
}
