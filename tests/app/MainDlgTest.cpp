#include "app/MainDlg.h"
#include "app/MainView.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"

#include "canvas/QtApp.h"
#include "canvas/TestPens.h"

#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class MainDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        dlg = std::make_unique<CMainDlg>();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    CCanvasWnd& Canvas() const { return *dlg->GetCanvas(); }
    CPicture& Picture() const { return *dlg->GetPicture(); }

    void AddStroke(std::initializer_list<std::pair<int, int>> points)
    {
        auto pen = MakeLine(points);
        CPenTool& ref = *pen;
        Picture().AddStroke(std::move(pen));
        Picture().DrawStroke(ref);
    }

    std::unique_ptr<CMainDlg> dlg;
};
}  // namespace

TEST(MainDlgGeometryTest, CoversTheScreenLessThirtyPixels)
{
    EXPECT_EQ(CMainDlg::FitToScreen(QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 738));
    EXPECT_EQ(CMainDlg::FitToScreen(QRect(0, 0, 1920, 1080)), QRect(0, 0, 1920, 1050));
}

TEST_F(MainDlgTest, FramelessTitledWindowFittedToTheScreen)
{
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Kolvane (WinXP V1.0)"));
    EXPECT_TRUE(dlg->windowFlags().testFlag(Qt::FramelessWindowHint));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(dlg->geometry(), CMainDlg::FitToScreen(screen));
    EXPECT_EQ(dlg->GetView()->geometry(), QRect(0, 0, dlg->width(), dlg->height()));
    // The canvas fills the view below the 46-pixel bar, and so does the picture.
    EXPECT_EQ(Canvas().geometry(), QRect(0, 46, dlg->width(), dlg->height() - 46));
    EXPECT_EQ(Picture().GetWidth(), dlg->width());
    EXPECT_EQ(Picture().GetHeight(), dlg->height() - 46);
}

TEST_F(MainDlgTest, ResizingReFitsTheScreen)
{
    dlg->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg->geometry(), CMainDlg::FitToScreen(QGuiApplication::primaryScreen()->geometry()));
}

TEST_F(MainDlgTest, EscapeAndEnterDoNotEndTheProgram)
{
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    QTest::keyClick(dlg.get(), Qt::Key_Enter);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(MainDlgTest, ExitButtonClosesTheWindowAfterThePress)
{
    const QRect exit = dlg->GetView()->GetButtonLayout().exit;
    QTest::mouseClick(dlg->GetView(), Qt::LeftButton, Qt::NoModifier, exit.center());
    QCoreApplication::processEvents();
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MainDlgTest, BarIsGreyWithTheButtonsDrawn)
{
    const QImage shot = dlg->GetView()->grab(QRect(0, 0, dlg->width(), 46)).toImage();
    EXPECT_EQ(shot.pixel(dlg->width() - 5, 2) | 0xFF000000u, qRgb(82, 82, 82));
    const QRect exit = dlg->GetView()->GetButtonLayout().exit;
    EXPECT_EQ(exit.size(), QSize(50, 32));
    int differs = 0;
    for (int x = exit.left(); x < exit.right(); ++x) {
        differs += (shot.pixel(x, exit.center().y()) | 0xFF000000u) != qRgb(82, 82, 82) ? 1 : 0;
    }
    EXPECT_GT(differs, 0);
}

TEST_F(MainDlgTest, NewDismissesTheWelcomeFirstThenClearsKeepingTheBackground)
{
    ASSERT_TRUE(Canvas().IsWelcome());
    Picture().m_nBkgd = 7;
    AddStroke({{10, 10}, {90, 10}});
    dlg->GetView()->RunCommand(CommandBar::Command::New);
    EXPECT_FALSE(Canvas().IsWelcome());
    EXPECT_EQ(Picture().GetStrokeCount(), 1);

    dlg->GetView()->RunCommand(CommandBar::Command::New);
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    EXPECT_EQ(Picture().m_nBkgd, 7);
}

TEST_F(MainDlgTest, BackgroundChoiceMarksThePictureDirtyAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mine.png"));
    QImage mine(4, 4, QImage::Format_RGB32);
    mine.fill(Qt::red);
    ASSERT_TRUE(mine.save(file));
    int sel = -1;
    dlg->m_runSetupDialog = [&](int) { return std::optional<int>(sel); };
    dlg->m_chooseImageFile = [&] { return std::optional<QString>(file); };

    Picture().GetPictureSurface();
    dlg->OpenSettings();
    EXPECT_EQ(Picture().m_nBkgd, -1);
    EXPECT_EQ(Picture().m_strImageFile, file);
    EXPECT_TRUE(Picture().IsPictureDirty());

    Picture().GetPictureSurface();
    sel = 4;
    dlg->OpenSettings();
    EXPECT_EQ(Picture().m_nBkgd, 4);
    EXPECT_EQ(Picture().m_strImageFile, file);

    Picture().GetPictureSurface();
    ASSERT_FALSE(Picture().IsPictureDirty());
    dlg->OpenSettings();
    EXPECT_FALSE(Picture().IsPictureDirty());
}

TEST_F(MainDlgTest, SetupAppliesTheDialogsChoiceOnly)
{
    int openedOn = -2;
    dlg->m_runSetupDialog = [&](int preset) {
        openedOn = preset;
        return std::optional<int>();
    };
    dlg->OpenSettings();
    EXPECT_EQ(openedOn, 0);
    EXPECT_EQ(Picture().m_nBkgd, 0);
    dlg->m_runSetupDialog = [](int) { return std::optional<int>(12); };
    dlg->GetView()->RunCommand(CommandBar::Command::Setup);
    EXPECT_EQ(Picture().m_nBkgd, 12);
}

TEST_F(MainDlgTest, ClosingWithAStrokeStillQueuedIsOrderly)
{
    Canvas().DismissWelcome();
    CCanvasWnd* canvas = &Canvas();
    quint64 t = 100;
    auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(p), canvas->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        e.setTimestamp(++t);
        QCoreApplication::sendEvent(canvas, &e);
    };
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {40, 20}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, {80, 30}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {80, 30}, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(canvas->GetPendingCommitCount(), 1);
    dlg->m_askSaveBeforeQuit = [] { return CMainDlg::QuitAnswer::DontSave; };
    dlg->close();
    dlg.reset();
    // The queued commit must not run against the freed canvas or picture.
    QCoreApplication::processEvents();
    SUCCEED();
}

// Setup's background is a step: undo brings back the one before, built-in or
// file (the file path included), and the canvas shows it again.
TEST_F(MainDlgTest, BackgroundChangesAreUndoneAndRedone)
{
    Canvas().DismissWelcome();
    dlg->ApplyBackground({-1, QStringLiteral("/tmp/mine.png")});
    dlg->ApplyBackground({4, QString()});
    const QImage four = Canvas().GetScreenImage().Image().copy();
    ASSERT_TRUE(dlg->Undo());
    EXPECT_EQ(Picture().m_nBkgd, -1);
    EXPECT_EQ(Picture().m_strImageFile, QStringLiteral("/tmp/mine.png"));
    ASSERT_TRUE(dlg->Undo());
    EXPECT_EQ(Picture().m_nBkgd, 0);
    EXPECT_TRUE(Picture().m_strImageFile.isEmpty());
    EXPECT_FALSE(dlg->Undo());
    EXPECT_TRUE(dlg->Redo());
    EXPECT_TRUE(dlg->Redo());
    EXPECT_EQ(Picture().m_nBkgd, 4);
    EXPECT_EQ(Canvas().GetScreenImage().Image(), four);
}

// New is a step too, and the keys reach the history: Ctrl+Z brings the
// strokes back, Ctrl+Y and Ctrl+Shift+Z clear them again.
TEST_F(MainDlgTest, NewIsUndoneWithTheUndoKey)
{
    Canvas().DismissWelcome();
    AddStroke({{10, 10}, {90, 10}});
    AddStroke({{10, 40}, {90, 40}});
    dlg->NewPicture();
    ASSERT_EQ(Picture().GetStrokeCount(), 0);
    EXPECT_FALSE(dlg->IsSavedState());
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Picture().GetStrokeCount(), 2);
    EXPECT_TRUE(dlg->IsSavedState());
    QTest::keyClick(dlg.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Picture().GetStrokeCount(), 0);
}

TEST_F(MainDlgTest, ASuccessfulSaveMarksTheHistoryClean)
{
    QTemporaryDir dir;
    Canvas().DismissWelcome();
    dlg->ApplyBackground({3, QString()});
    EXPECT_FALSE(dlg->IsSavedState());
    dlg->m_chooseSavePath = [](const QString&) { return std::optional<QString>("/nonexistent/x.jpg"); };
    dlg->m_reportSaveFailure = [](SaveResult, const QString&) {};
    dlg->SavePicture();
    EXPECT_FALSE(dlg->IsSavedState());
    const QString path = dir.filePath(QStringLiteral("x.jpg"));
    dlg->m_chooseSavePath = [path](const QString&) { return std::optional<QString>(path); };
    dlg->SavePicture();
    EXPECT_TRUE(dlg->IsSavedState());
    dlg->Undo();
    EXPECT_FALSE(dlg->IsSavedState());
}
