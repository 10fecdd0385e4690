#include "canvas/BackgroundFile.h"
#include "canvas/History.h"

#include "canvas/Picture.h"

#include "BadImageFiles.h"
#include "QtApp.h"
#include "TestPens.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class BackgroundFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
};
}  // namespace

TEST_F(BackgroundFileTest, ReadableImagesDecodeWhole)
{
    for (const char* format : {"PNG", "JPEG", "BMP", "TIFF"}) {
        const QString path = WriteTestFile(QDir(dir.path()), QStringLiteral("ok.%1").arg(format),
                                           EncodedTestImage(format));
        const BackgroundFileRead read = ReadBackgroundFile(path);
        EXPECT_TRUE(read.Ok()) << format << ": " << read.reason.toStdString();
        EXPECT_EQ(read.image.size(), QSize(64, 48)) << format;
    }
}

TEST_F(BackgroundFileTest, EveryUnusableFileIsRefusedWithAReason)
{
    for (const BadImageFile& bad : WriteBadImageFiles(QDir(dir.path()))) {
        const BackgroundFileRead read = ReadBackgroundFile(bad.path);
        EXPECT_FALSE(read.Ok()) << bad.what;
        EXPECT_TRUE(read.image.isNull()) << bad.what;
        EXPECT_FALSE(read.reason.isEmpty()) << bad.what;
    }
    // The reasons say what is wrong, not just that something is.
    const QDir d(dir.path());
    EXPECT_TRUE(ReadBackgroundFile(d.filePath("huge.png")).reason.contains("40000"))
        << ReadBackgroundFile(d.filePath("huge.png")).reason.toStdString();
    EXPECT_TRUE(ReadBackgroundFile(d.filePath("drawing.emf")).reason.contains("EMF"));
    EXPECT_NE(ReadBackgroundFile(d.filePath("gone.png")).reason,
              ReadBackgroundFile(d.filePath("notes.png")).reason);
}

TEST_F(BackgroundFileTest, AFileWithoutReadPermissionIsRefused)
{
    const QString path =
        WriteTestFile(QDir(dir.path()), QStringLiteral("locked.png"), EncodedTestImage("PNG"));
    QFile::setPermissions(path, QFileDevice::Permissions());
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running with rights that read any file";
    }
    const BackgroundFileRead read = ReadBackgroundFile(path);
    EXPECT_FALSE(read.Ok());
    EXPECT_TRUE(read.reason.contains(QStringLiteral("权限")));
}

TEST_F(BackgroundFileTest, TheSameBuiltInNumberChangesAndRebuildsNothing)
{
    CPicture picture(80, 60, 3);
    CHistory history;
    auto pen = MakeLine({{5, 30}, {75, 30}});
    CTestLinePen& line = *pen;
    picture.AddStroke(std::move(pen));
    picture.GetPictureSurface();
    const int draws = line.drawCalls;

    EXPECT_FALSE(ApplyBackgroundChoice(picture, history, CBackground{3, {}, {}}));
    EXPECT_FALSE(picture.IsPictureDirty());
    picture.GetPictureSurface();
    EXPECT_EQ(line.drawCalls, draws);

    EXPECT_TRUE(ApplyBackgroundChoice(picture, history, CBackground{5, {}, {}}));
    EXPECT_TRUE(picture.IsPictureDirty());
    picture.GetPictureSurface();
    EXPECT_EQ(line.drawCalls, draws + 1);
    EXPECT_EQ(picture.GetStrokeCount(), 1);
}

TEST_F(BackgroundFileTest, ABuiltInChoiceAfterAFileKeepsThePathButNotTheImage)
{
    CPicture picture(80, 60, 0);
    CHistory history;
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(ApplyBackgroundChoice(picture, history, FileBackground(QStringLiteral("/p/a.png"), image)));
    EXPECT_EQ(picture.GetBackground().index, -1);
    EXPECT_FALSE(picture.GetBackground().image.isNull());

    ASSERT_TRUE(ApplyBackgroundChoice(picture, history, CBackground{0, {}, {}}));
    EXPECT_EQ(picture.GetBackground().index, 0);
    EXPECT_EQ(picture.GetBackground().file, QStringLiteral("/p/a.png"));
    EXPECT_TRUE(picture.GetBackground().image.isNull());
    // Undo brings the file back with the image decoded when it was chosen.
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(picture.GetBackground().index, -1);
    EXPECT_EQ(picture.GetBackground().image.pixel(0, 0), image.pixel(0, 0));
    // The same file chosen again is read again and always applies.
    EXPECT_TRUE(
        ApplyBackgroundChoice(picture, history, FileBackground(QStringLiteral("/p/a.png"), image)));
}
