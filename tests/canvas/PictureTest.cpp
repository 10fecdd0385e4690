#include "canvas/Picture.h"
#include "canvas/BackgroundFile.h"

#include "QtApp.h"
#include "TestPens.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kGrey170 = 0xFFAAAAAAu;
constexpr COLORREF kRed = MakeRgb(255, 0, 0);

// A picture whose background cannot load, so its pixels are predictable:
// white on the first build, grey (170) on every rebuild.
std::unique_ptr<CPicture> BlankPicture(int cx = 120, int cy = 80)
{
    auto picture = std::make_unique<CPicture>(cx, cy, 0);
    picture->m_nBkgd = -1;
    picture->m_strImageFile = QStringLiteral("/nonexistent/background.png");
    return picture;
}

void Commit(CPicture& picture, std::unique_ptr<CTestLinePen> pen)
{
    CTestLinePen& ref = *pen;
    picture.AddStroke(std::move(pen));
    picture.DrawStroke(ref);
}
}  // namespace

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

TEST_F(PictureTest, UnloadableBackgroundIsWhiteFirstAndGreyOnRebuild)
{
    auto picture = BlankPicture();
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 5, 5), kWhite);
    EXPECT_FALSE(picture->IsBkgdDirty());
    EXPECT_FALSE(picture->IsPictureDirty());

    picture->MarkDirty();
    EXPECT_TRUE(picture->IsBkgdDirty());
    EXPECT_TRUE(picture->IsPictureDirty());
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 5, 5), kGrey170);
    EXPECT_EQ(PixelAt(picture->GetBkgdSurface(), 5, 5), kGrey170);
}

TEST_F(PictureTest, UserImageIsStretchedOverTheWholePicture)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("two.png"));
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, qRgb(255, 0, 0));
    two.setPixel(1, 0, qRgb(0, 0, 255));
    ASSERT_TRUE(two.save(file));

    CPicture picture(200, 60, 0);
    const BackgroundFileRead read = ReadBackgroundFile(file);
    ASSERT_TRUE(read.Ok()) << read.reason.toStdString();
    picture.SetBackground(FileBackground(file, read.image));
    const CMemSurface& s = picture.GetPictureSurface();
    // Aspect ratio ignored: each source pixel covers half the width, full height.
    EXPECT_GT(qRed(s.Image().pixel(10, 55)), 200);
    EXPECT_LT(qBlue(s.Image().pixel(10, 55)), 60);
    EXPECT_GT(qBlue(s.Image().pixel(190, 3)), 200);
    EXPECT_LT(qRed(s.Image().pixel(190, 3)), 60);
}

TEST_F(PictureTest, AddStrokeDrawsNothingUntilDrawStroke)
{
    auto picture = BlankPicture();
    picture->GetPictureSurface();
    auto pen = MakeLine({{10, 40}, {100, 40}});
    CTestLinePen& ref = *pen;
    picture->AddStroke(std::move(pen));
    EXPECT_EQ(picture->GetStrokeCount(), 1);
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 50, 40), kWhite);
    picture->DrawStroke(ref);
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 50, 40), kBlack);
}

TEST_F(PictureTest, CommitIntoDirtyCacheRebuildsWithTheNewStroke)
{
    auto picture = BlankPicture();
    Commit(*picture, MakeLine({{10, 10}, {100, 10}}));
    picture->MarkDirty();
    auto pen = MakeLine({{10, 60}, {100, 60}}, kRed);
    CTestLinePen& ref = *pen;
    Commit(*picture, std::move(pen));
    const CMemSurface& s = picture->GetPictureSurface();
    EXPECT_EQ(PixelAt(s, 50, 10), kBlack);
    EXPECT_EQ(PixelAt(s, 50, 60), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(s, 50, 35), kGrey170);
    // Once in the rebuild (the list already holds it), once more as the commit.
    EXPECT_EQ(ref.drawCalls, 2);
}

TEST_F(PictureTest, EraseRemovesEveryStrokeUnderTheSquareAndNothingElse)
{
    auto picture = BlankPicture(200, 200);
    // Two strokes crossing at (50, 50), one passing 15 pixels away, one far off.
    Commit(*picture, MakeLine({{0, 50}, {100, 50}}));
    Commit(*picture, MakeLine({{50, 0}, {50, 100}}));
    Commit(*picture, MakeLine({{0, 65}, {100, 65}}));
    Commit(*picture, MakeLine({{150, 150}, {190, 190}}, kRed));
    ASSERT_EQ(picture->GetStrokeCount(), 4);

    EXPECT_TRUE(picture->EraseAt(50, 50));
    ASSERT_EQ(picture->GetStrokeCount(), 1);
    EXPECT_EQ(picture->GetStroke(0).GetColor(0), kRed);
    // Erasing marks nothing dirty: the caller redraws.
    EXPECT_FALSE(picture->IsPictureDirty());

    EXPECT_FALSE(picture->EraseAt(10, 190));
    EXPECT_EQ(picture->GetStrokeCount(), 1);
}

TEST_F(PictureTest, EraseSquareEdgesFollowTheHitTestRule)
{
    auto picture = BlankPicture(200, 200);
    // The square around (100, 100) spans 80..119 in both directions.
    Commit(*picture, MakeLine({{120, 0}, {120, 199}}));
    EXPECT_FALSE(picture->EraseAt(100, 100));
    Commit(*picture, MakeLine({{80, 0}, {80, 199}}));
    EXPECT_TRUE(picture->EraseAt(100, 100));
    EXPECT_EQ(picture->GetStrokeCount(), 1);
}

TEST_F(PictureTest, RedrawShowsExactlyTheRemainingStrokes)
{
    auto picture = BlankPicture(200, 100);
    Commit(*picture, MakeLine({{10, 20}, {190, 20}}));
    Commit(*picture, MakeLine({{10, 80}, {190, 80}}));
    ASSERT_TRUE(picture->EraseAt(100, 20));
    picture->Redraw();
    const CMemSurface& s = picture->GetPictureSurface();
    EXPECT_EQ(PixelAt(s, 100, 20), kWhite);
    EXPECT_EQ(PixelAt(s, 100, 80), kBlack);
}

TEST_F(PictureTest, ClearRemovesStrokesKeepsBackgroundChoiceAndMarksDirty)
{
    auto picture = BlankPicture();
    Commit(*picture, MakeLine({{10, 10}, {100, 10}}));
    picture->Clear();
    EXPECT_EQ(picture->GetStrokeCount(), 0);
    EXPECT_TRUE(picture->IsPictureDirty());
    EXPECT_EQ(picture->m_nBkgd, -1);
    EXPECT_EQ(picture->m_strImageFile, QStringLiteral("/nonexistent/background.png"));
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 50, 10), kGrey170);
}

TEST_F(PictureTest, ChoosingBuiltInBackgroundKeepsTheFilePath)
{
    auto picture = BlankPicture();
    picture->m_nBkgd = 3;
    picture->MarkDirty();
    picture->GetPictureSurface();
    EXPECT_EQ(picture->m_strImageFile, QStringLiteral("/nonexistent/background.png"));
}

TEST_F(PictureTest, DrawToCopiesOnlyThePictureSize)
{
    auto picture = BlankPicture(50, 40);
    Commit(*picture, MakeLine({{0, 20}, {49, 20}}));
    CMemSurface target(80, 60, MakeRgb(1, 2, 3));
    picture->DrawTo(target);
    EXPECT_EQ(PixelAt(target, 25, 20), kBlack);
    EXPECT_EQ(PixelAt(target, 25, 5), kWhite);
    EXPECT_EQ(PixelAt(target, 60, 20), qRgb(1, 2, 3));
    EXPECT_EQ(PixelAt(target, 25, 50), qRgb(1, 2, 3));
}

TEST_F(PictureTest, BuiltInBackgroundFillsThePicture)
{
    // Background 5 ships with the program (0 is the plain white sheet).
    CPicture picture(256, 140, 5);
    const QImage& img = picture.GetPictureSurface().Image();
    int notWhite = 0;
    for (int y = 0; y < img.height(); y += 10) {
        for (int x = 0; x < img.width(); x += 10) {
            notWhite += (img.pixel(x, y) | 0xFF000000u) != kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(notWhite, 0);
}

TEST_F(PictureTest, AFileBackgroundIsKeptDecodedAndOutlivesItsFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("green.png"));
    QImage green(8, 8, QImage::Format_RGB32);
    green.fill(qRgb(0, 200, 0));
    ASSERT_TRUE(green.save(file));
    const BackgroundFileRead read = ReadBackgroundFile(file);
    ASSERT_TRUE(read.Ok());

    CPicture picture(60, 40, 0);
    Commit(picture, MakeLine({{0, 20}, {59, 20}}));
    picture.SetBackground(FileBackground(file, read.image));
    EXPECT_TRUE(picture.IsPictureDirty());
    ASSERT_TRUE(QFile::remove(file));
    // Every rebuild after the file has gone still shows it, under the stroke.
    for (int rebuild = 0; rebuild < 2; ++rebuild) {
        const CMemSurface& s = picture.GetPictureSurface();
        EXPECT_EQ(PixelAt(s, 30, 5), qRgb(0, 200, 0));
        EXPECT_EQ(PixelAt(s, 30, 20), kBlack);
        picture.MarkDirty();
    }
    EXPECT_EQ(picture.GetBackground().file, file);
    EXPECT_EQ(picture.m_nBkgd, -1);
    EXPECT_EQ(picture.m_strImageFile, file);
}

// New keeps the composed picture, and undoing it puts that back instead of
// rebuilding, but only while it still shows what a rebuild would give.
TEST_F(PictureTest, RestoringTheTakenStrokesPutsTheirPictureBackWithoutARebuild)
{
    auto picture = std::make_unique<CPicture>(120, 80, 5);
    auto first = MakeLine({{10, 10}, {100, 60}}, kRed, 5);
    auto second = MakeLine({{10, 60}, {100, 10}}, MakeRgb(0, 0, 255), 3);
    CTestLinePen& a = *first;
    CTestLinePen& b = *second;
    Commit(*picture, std::move(first));
    Commit(*picture, std::move(second));
    const QImage before = picture->GetPictureSurface().Image().copy();

    std::vector<std::unique_ptr<CPenTool>> taken = picture->TakeAllStrokes();
    EXPECT_NE(picture->GetPictureSurface().Image(), before);
    const int draws = a.drawCalls + b.drawCalls;
    picture->RestoreStrokes(std::move(taken));
    EXPECT_FALSE(picture->IsPictureDirty());
    EXPECT_EQ(a.drawCalls + b.drawCalls, draws);
    EXPECT_EQ(picture->GetPictureSurface().Image(), before);

    // Another background in between, even changed back: rebuilt, and still
    // the same picture.
    taken = picture->TakeAllStrokes();
    picture->SetBackground(CBackground{3, {}, {}});
    picture->GetPictureSurface();
    picture->SetBackground(CBackground{5, {}, {}});
    picture->RestoreStrokes(std::move(taken));
    EXPECT_TRUE(picture->IsPictureDirty());
    EXPECT_EQ(picture->GetPictureSurface().Image(), before);
    EXPECT_EQ(a.drawCalls + b.drawCalls, draws + 2);

    // A stroke drawn and erased while they were out leaves the picture as
    // it was taken; other strokes taken back are drawn.
    taken = picture->TakeAllStrokes();
    picture->GetPictureSurface();
    Commit(*picture, MakeLine({{5, 5}, {20, 5}}));
    picture->EraseStrokes(10, 5);
    picture->RestoreStrokes(std::move(taken));
    EXPECT_EQ(a.drawCalls + b.drawCalls, draws + 2);
    EXPECT_EQ(picture->GetPictureSurface().Image(), before);
    taken = picture->TakeAllStrokes();
    taken.pop_back();
    picture->RestoreStrokes(std::move(taken));
    EXPECT_TRUE(picture->IsPictureDirty());
    const int drawsOfA = a.drawCalls;
    picture->GetPictureSurface();
    EXPECT_EQ(a.drawCalls, drawsOfA + 1);
}

// A background that rebuilds differently (a file that gave no image: white
// at first, grey once rebuilt) must not bring back the first build.
TEST_F(PictureTest, ATakenPictureIsNotPutBackOverABackgroundThatRebuiltDifferently)
{
    auto picture = BlankPicture();
    Commit(*picture, MakeLine({{10, 10}, {100, 60}}));
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 5, 70), kWhite);
    std::vector<std::unique_ptr<CPenTool>> taken = picture->TakeAllStrokes();
    picture->GetPictureSurface();
    picture->RestoreStrokes(std::move(taken));
    EXPECT_EQ(PixelAt(picture->GetPictureSurface(), 5, 70), kGrey170);
}
