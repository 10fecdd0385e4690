#include "app/MainDlg.h"
#include "app/PictureExport.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"

#include "canvas/QtApp.h"
#include "canvas/TestPens.h"

#include <QFile>
#include <QImageReader>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// Mean absolute difference per channel over the common area.
double MeanDifference(const QImage& a, const QImage& b)
{
    const int w = std::min(a.width(), b.width());
    const int h = std::min(a.height(), b.height());
    double sum = 0.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * w * h);
}

std::unique_ptr<CPicture> PictureWithStrokes(int cx, int cy)
{
    auto picture = std::make_unique<CPicture>(cx, cy, 5);
    for (auto pen : {0, 1}) {
        auto line = pen == 0 ? MakeLine({{10, 10}, {cx - 10, cy - 10}}, MakeRgb(200, 0, 0), 8)
                             : MakeLine({{10, cy - 10}, {cx - 10, 10}}, MakeRgb(0, 0, 200), 8);
        CPenTool& ref = *line;
        picture->AddStroke(std::move(line));
        picture->DrawStroke(ref);
    }
    return picture;
}

QByteArray FormatOf(const QString& path)
{
    QImageReader reader(path);
    return reader.format();
}
}  // namespace

TEST(PictureExportTest, SuggestedNameIsTheDateAndTime)
{
    EXPECT_EQ(SuggestedPictureName(QDateTime(QDate(2027, 3, 1), QTime(8, 4, 9))),
              QStringLiteral("2027-03-01-08-04-09"));
    EXPECT_EQ(SuggestedPictureName(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("2026-12-31-23-59-59"));
}

TEST(PictureExportTest, JpegMatchesTheComposedPicture)
{
    TestApp();
    QTemporaryDir dir;
    auto picture = PictureWithStrokes(320, 200);
    const QString path = dir.filePath(QStringLiteral("out.jpg"));
    ASSERT_EQ(SavePictureToFile(*picture, QSize(320, 200), path), SaveResult::Saved);
    EXPECT_EQ(FormatOf(path), QByteArray("jpeg"));
    const QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(320, 200));
    const QImage composed = picture->GetPictureSurface().Image();
    // Default JPEG quality on a textured background: a few levels off on average.
    EXPECT_LT(MeanDifference(saved, composed), 6.0);
    // The strokes are in the file: the crossing is dark red/blue, not background.
    const QRgb centre = saved.pixel(160, 100);
    EXPECT_GT(std::max(qRed(centre), qBlue(centre)), 120);
    EXPECT_LT(qGreen(centre), 60);
}

TEST(PictureExportTest, CanvasLargerThanThePictureIsWhiteInTheFile)
{
    TestApp();
    QTemporaryDir dir;
    auto picture = PictureWithStrokes(100, 80);
    const QString path = dir.filePath(QStringLiteral("wide.png"));
    ASSERT_EQ(SavePictureToFile(*picture, QSize(160, 120), path), SaveResult::Saved);
    EXPECT_EQ(FormatOf(path), QByteArray("png"));
    const QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(160, 120));
    EXPECT_EQ(saved.pixel(150, 40) | 0xFF000000u, 0xFFFFFFFFu);
    EXPECT_EQ(saved.pixel(50, 110) | 0xFF000000u, 0xFFFFFFFFu);
    EXPECT_EQ(saved.pixel(50, 40), picture->GetPictureSurface().Image().pixel(50, 40));
}

TEST(PictureExportTest, UnknownEndingWritesNothingAndLeavesAnExistingFile)
{
    TestApp();
    QTemporaryDir dir;
    auto picture = PictureWithStrokes(50, 50);
    const QString path = dir.filePath(QStringLiteral("keep.xyz"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    EXPECT_EQ(SavePictureToFile(*picture, QSize(50, 50), path), SaveResult::NoEncoder);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("precious"));
}

TEST(PictureExportTest, UnwritableFolderIsAFailure)
{
    TestApp();
    auto picture = PictureWithStrokes(50, 50);
    const QString path = QStringLiteral("/nonexistent-folder/sub/picture.jpg");
    EXPECT_EQ(SavePictureToFile(*picture, QSize(50, 50), path), SaveResult::WriteFailed);
    EXPECT_FALSE(QFile::exists(path));
}

class SaveCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        dlg = std::make_unique<CMainDlg>();
        dlg->m_chooseSavePath = [this](const QString& suggested) {
            suggestedNames.push_back(suggested);
            return answer;
        };
        dlg->m_reportSaveFailure = [this](SaveResult r, const QString& path) {
            failures.emplace_back(r, path);
        };
    }

    QTemporaryDir dir;
    std::unique_ptr<CMainDlg> dlg;
    std::optional<QString> answer;
    std::vector<QString> suggestedNames;
    std::vector<std::pair<SaveResult, QString>> failures;
};

TEST_F(SaveCommandTest, SavesThePictureNotTheWelcomeScreen)
{
    ASSERT_TRUE(dlg->GetCanvas()->IsWelcome());
    answer = dir.filePath(QStringLiteral("first.png"));
    dlg->SavePicture();
    ASSERT_EQ(suggestedNames.size(), 1u);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d$"))
                    .match(suggestedNames[0])
                    .hasMatch());
    EXPECT_TRUE(failures.empty());
    const QImage saved(*answer);
    ASSERT_EQ(saved.size(), dlg->GetCanvas()->size());
    // Background 0 is the plain white sheet; the welcome picture would be black around.
    EXPECT_EQ(saved.pixel(2, 2) | 0xFF000000u, 0xFFFFFFFFu);
    EXPECT_EQ(saved.pixel(saved.width() / 2, saved.height() / 2) | 0xFF000000u, 0xFFFFFFFFu);
}

TEST_F(SaveCommandTest, CancelWritesNothingAndReportsNothing)
{
    answer.reset();
    dlg->SavePicture();
    EXPECT_EQ(suggestedNames.size(), 1u);
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(SaveCommandTest, FailuresAreReportedToTheUser)
{
    answer = QStringLiteral("/nonexistent-folder/picture.jpg");
    dlg->SavePicture();
    answer = dir.filePath(QStringLiteral("picture.doc"));
    dlg->SavePicture();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].first, SaveResult::WriteFailed);
    EXPECT_EQ(failures[0].second, QStringLiteral("/nonexistent-folder/picture.jpg"));
    EXPECT_EQ(failures[1].first, SaveResult::NoEncoder);
    EXPECT_FALSE(QFile::exists(*answer));
}
