#include "app/MainDlg.h"
#include "app/MainView.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"

#include "app/MainWindowTest.h"
#include "canvas/TestPens.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {
// Exit and closing the window, with the question before quitting, the save
// dialog and the failure message answered through the main window's hooks.
class QuitTest : public MainWindowTest {
protected:
    using Answer = CMainDlg::QuitAnswer;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        dlg->m_toolRecog[1] = 0;  // the default pen commits its strokes as drawn
        dlg->m_askSaveBeforeQuit = [this] {
            ++asked;
            strokesWhenAsked = Picture().GetStrokeCount();
            shapingWhenAsked = Canvas().GetShapingCount();
            return answer;
        };
        dlg->m_chooseSavePath = [this](const QString&) { return savePath; };
        dlg->m_reportSaveFailure = [this](SaveResult, const QString&) { ++failures; };
    }


    // Mouse events straight to the canvas, 15 ms apart, running no event
    // loop: a released stroke's commit is still queued afterwards.
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(p), Canvas().mapToGlobal(QPointF(p)), button, buttons,
                      Qt::NoModifier);
        e.setTimestamp(t += 15);
        QCoreApplication::sendEvent(&Canvas(), &e);
    }
    // A horizontal stroke from x 60 to 340 at `y`, left open when not released.
    void Draw(int y, bool release = true)
    {
        Send(QEvent::MouseButtonPress, {60, y}, Qt::LeftButton, Qt::LeftButton);
        for (int x = 65; x <= 340; x += 5) {
            Send(QEvent::MouseMove, {x, y}, Qt::NoButton, Qt::LeftButton);
        }
        if (release) {
            Send(QEvent::MouseButtonRelease, {340, y}, Qt::LeftButton, Qt::NoButton);
        }
    }
    // The Exit button, as a press on it runs it; true when the window closed.
    bool Exit()
    {
        dlg->GetView()->RunCommand(CommandBar::Command::Exit);
        QCoreApplication::processEvents();
        return !dlg->isVisible();
    }

    // The close a window manager asks for: through the platform window, as
    // its close button or a close key would.
    bool CloseFromWindowSystem() { return dlg->windowHandle()->close(); }

    quint64 t = 1000;
    Answer answer = Answer::Cancel;
    std::optional<QString> savePath;
    int asked = 0;
    int failures = 0;
    int strokesWhenAsked = -1;
    int shapingWhenAsked = -1;
};
}  // namespace

// No question while the picture is as it was saved or started: at the
// start, after an undo back to the start, after a save, and after an undo
// back to the saved picture.
TEST_F(QuitTest, APictureWithNoUnsavedChangeQuitsAtOnce)
{
    EXPECT_TRUE(Exit());
    dlg->show();
    Draw(100);
    QCoreApplication::processEvents();
    ASSERT_TRUE(dlg->Undo());
    EXPECT_TRUE(dlg->close());
    dlg->show();

    ASSERT_TRUE(dlg->Redo());
    savePath = dir.filePath(QStringLiteral("saved.jpg"));
    ASSERT_TRUE(dlg->SavePicture());
    EXPECT_TRUE(dlg->close());
    dlg->show();

    Draw(200);
    QCoreApplication::processEvents();
    ASSERT_EQ(Picture().GetStrokeCount(), 2);
    ASSERT_TRUE(dlg->Undo());
    EXPECT_TRUE(Exit());
    EXPECT_EQ(asked, 0);
}

TEST_F(QuitTest, ADrawnStrokeAsksAndDontSaveQuitsWithoutSaving)
{
    Draw(100);
    ASSERT_EQ(Canvas().GetPendingCommitCount(), 1);
    answer = Answer::DontSave;
    savePath = dir.filePath(QStringLiteral("never.jpg"));
    EXPECT_TRUE(Exit());
    EXPECT_EQ(asked, 1);
    // The queued stroke was in the picture when the question came.
    EXPECT_EQ(strokesWhenAsked, 1);
    EXPECT_FALSE(QFileInfo::exists(*savePath));
}

TEST_F(QuitTest, SaveThatSucceedsQuitsWithTheStrokeInTheFile)
{
    Draw(100);
    answer = Answer::Save;
    savePath = dir.filePath(QStringLiteral("quit.jpg"));
    EXPECT_TRUE(Exit());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(dlg->IsSavedState());
    const QImage saved(*savePath);
    ASSERT_FALSE(saved.isNull());
    EXPECT_LT(qGray(saved.pixel(200, 100)), 100);
    EXPECT_GT(qGray(saved.pixel(200, 150)), 200);
}

TEST_F(QuitTest, SaveThatIsCancelledOrFailsKeepsTheProgramOpen)
{
    Draw(100);
    answer = Answer::Save;
    savePath.reset();  // the save dialog cancelled
    EXPECT_FALSE(Exit());
    EXPECT_EQ(failures, 0);
    savePath = QStringLiteral("/nonexistent/folder/x.jpg");
    EXPECT_FALSE(CloseFromWindowSystem());
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
    EXPECT_FALSE(dlg->IsSavedState());
}

TEST_F(QuitTest, CancelKeepsTheProgramOpenWithEverythingAsItWas)
{
    Draw(100);
    Draw(200);
    QCoreApplication::processEvents();
    const QImage screen = Canvas().GetScreenImage().Image().copy();
    answer = Answer::Cancel;
    EXPECT_FALSE(Exit());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Picture().GetStrokeCount(), 2);
    EXPECT_EQ(dlg->GetHistory().GetDoneCount(), 2u);
    EXPECT_EQ(Canvas().GetScreenImage().Image(), screen);
    // The next close asks again, and the strokes are still undoable.
    EXPECT_FALSE(CloseFromWindowSystem());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(dlg->Undo());
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
}

// An ink stroke still on the shaper's worker and a stroke still under the
// pointer are both in the picture before the question, and nothing of them
// arrives after it.
TEST_F(QuitTest, StrokesStillOnTheirWayAreInThePictureBeforeTheQuestion)
{
    Canvas().SetRecognizer({});
    dlg->SelectTool(7);
    dlg->m_toolRecog[7] = 1;
    Draw(100);
    ASSERT_EQ(Canvas().GetShapingCount(), 1);
    dlg->SelectTool(1);
    Draw(200, false);
    ASSERT_TRUE(Canvas().IsCapturing());

    answer = Answer::Cancel;
    EXPECT_FALSE(dlg->close());
    EXPECT_EQ(strokesWhenAsked, 2);
    EXPECT_EQ(shapingWhenAsked, 0);
    EXPECT_FALSE(Canvas().IsCapturing());
    const std::size_t steps = dlg->GetHistory().GetDoneCount();
    QCoreApplication::processEvents();
    Send(QEvent::MouseButtonRelease, {340, 200}, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(Picture().GetStrokeCount(), 2);
    EXPECT_EQ(dlg->GetHistory().GetDoneCount(), steps);
    EXPECT_NE(Picture().GetStroke(0).GetOutline(), nullptr);
}
