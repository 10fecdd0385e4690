#include "app/MainDlg.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"
#include "panels/SetupDlg.h"
#include "panels/SymbolDlg.h"

#include "canvas/BadImageFiles.h"
#include "app/MainWindowTest.h"
#include "canvas/TestPens.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// Setup driven through its hooks: the dialogs answer as a user would.
class OpenSettingsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        dlg->m_runSetupDialog = [this](int preset) {
            presets.push_back(preset);
            return setupAnswer;
        };
        dlg->m_chooseImageFile = [this] { return fileAnswer; };
        dlg->m_reportBackgroundFailure = [this](const QString& path, const QString& reason) {
            reports.push_back({path, reason});
        };
        auto pen = MakeLine({{10, 30}, {200, 30}}, MakeRgb(255, 0, 0), 5);
        line = pen.get();
        Picture().AddStroke(std::move(pen));
        Picture().DrawStroke(*line);
    }

    QString WriteImage(const QString& name, QRgb colour)
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }
    void ChooseFile(const QString& path)
    {
        setupAnswer = -1;
        fileAnswer = path;
        dlg->OpenSettings();
    }

    CTestLinePen* line = nullptr;
    std::optional<int> setupAnswer;
    std::optional<QString> fileAnswer;
    std::vector<int> presets;
    std::vector<std::pair<QString, QString>> reports;
};
}  // namespace

TEST_F(OpenSettingsTest, AUserImageOpensTheGridOnZeroAndOkSwitchesToIt)
{
    const QString file = WriteImage(QStringLiteral("blue.png"), qRgb(0, 0, 255));
    ChooseFile(file);
    ASSERT_EQ(Picture().GetBackground().index, -1);
    const CMemSurface& shown = Picture().GetPictureSurface();
    EXPECT_EQ(PixelAt(shown, 300, 200), qRgb(0, 0, 255));
    EXPECT_EQ(PixelAt(shown, 100, 30), qRgb(255, 0, 0));  // the stroke stays

    setupAnswer = 0;  // OK without another choice
    dlg->OpenSettings();
    EXPECT_EQ(presets.back(), 0);
    EXPECT_EQ(Picture().GetBackground().index, 0);
    EXPECT_EQ(Picture().GetBackground().file, file);
    EXPECT_EQ(PixelAt(Picture().GetPictureSurface(), 300, 200), qRgb(255, 255, 255));
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
}

TEST_F(OpenSettingsTest, TheBackgroundInUseRebuildsNothing)
{
    setupAnswer = 6;
    dlg->OpenSettings();
    Picture().GetPictureSurface();
    EXPECT_EQ(presets.back(), 0);
    const int draws = line->drawCalls;
    dlg->OpenSettings();
    EXPECT_EQ(presets.back(), 6);
    EXPECT_FALSE(Picture().IsPictureDirty());
    Picture().GetPictureSurface();
    EXPECT_EQ(line->drawCalls, draws);
}

TEST_F(OpenSettingsTest, CancellingEitherDialogKeepsTheBackground)
{
    setupAnswer = std::nullopt;
    dlg->OpenSettings();
    EXPECT_EQ(Picture().GetBackground().index, 0);

    // The file dialog cancelled after a built-in background, then after a file.
    ChooseFile({});
    fileAnswer = std::nullopt;
    dlg->OpenSettings();
    EXPECT_EQ(Picture().GetBackground().index, 0);
    const QString file = WriteImage(QStringLiteral("green.png"), qRgb(0, 255, 0));
    ChooseFile(file);
    Picture().GetPictureSurface();
    fileAnswer = std::nullopt;
    dlg->OpenSettings();
    EXPECT_EQ(Picture().GetBackground().index, -1);
    EXPECT_EQ(Picture().GetBackground().file, file);
    EXPECT_FALSE(Picture().IsPictureDirty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(OpenSettingsTest, AnUnusableFileIsRefusedToldAndLosesNothing)
{
    const QString good = WriteImage(QStringLiteral("good.png"), qRgb(0, 128, 255));
    ChooseFile(good);
    const QImage before = Picture().GetPictureSurface().Image().copy();
    for (const BadImageFile& bad : WriteBadImageFiles(QDir(dir.path()))) {
        reports.clear();
        ChooseFile(bad.path);
        ASSERT_EQ(reports.size(), 1u) << bad.what;
        EXPECT_EQ(reports[0].first, bad.path) << bad.what;
        EXPECT_FALSE(reports[0].second.isEmpty()) << bad.what;
        EXPECT_EQ(Picture().GetBackground().index, -1) << bad.what;
        EXPECT_EQ(Picture().GetBackground().file, good) << bad.what;
        EXPECT_FALSE(Picture().IsPictureDirty()) << bad.what;
        EXPECT_EQ(Picture().GetStrokeCount(), 1) << bad.what;
        EXPECT_EQ(Picture().GetPictureSurface().Image(), before) << bad.what;
    }
}

// The real settings dialog, answered by a timer while it runs modally.
TEST_F(OpenSettingsTest, TheSettingsDialogPutsTheChosenThumbnailUnderTheStrokes)
{
    dlg->m_runSetupDialog = nullptr;
    int preset = -2;
    QTimer::singleShot(0, [&] {
        auto* setup = qobject_cast<CSetupDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(setup, nullptr);
        preset = setup->m_nSel;
        const QRect grid = setup->GridRect();
        const QPoint p = grid.topLeft() + CSetupDlg::PressTarget(8, grid.size()).center();
        QTest::mouseClick(setup, Qt::LeftButton, Qt::NoModifier, p);
        setup->OkButton()->click();
    });
    QTimer::singleShot(5000, [] {
        if (QWidget* stuck = QApplication::activeModalWidget()) {
            stuck->close();
        }
    });
    const QImage before = dlg->GetCanvas()->GetScreenImage().Image().copy();
    dlg->OpenSettings();
    EXPECT_EQ(preset, 0);
    EXPECT_EQ(Picture().GetBackground().index, 8);
    EXPECT_EQ(Picture().GetStrokeCount(), 1);
    QTest::qWait(50);
    const QImage after = dlg->GetCanvas()->GetScreenImage().Image();
    EXPECT_NE(after.pixel(400, 300), before.pixel(400, 300));
    EXPECT_EQ(after.pixel(100, 30) | 0xFF000000u, qRgb(255, 0, 0));
}

TEST_F(OpenSettingsTest, TheSymbolPickerSetsTheStampCharacterAndFace)
{
    int refreshed = 0;
    dlg->AddStateListener([&] { ++refreshed; });
    const auto pressWhenOpen = [](QPoint p) {
        QTimer::singleShot(0, [p] {
            auto* picker = qobject_cast<CSymbolDlg*>(QApplication::activePopupWidget());
            ASSERT_NE(picker, nullptr);
            QTest::mousePress(picker, Qt::LeftButton, Qt::NoModifier, p);
        });
        QTimer::singleShot(5000, [] {
            if (QWidget* stuck = QApplication::activePopupWidget()) {
                stuck->close();
            }
        });
    };
    pressWhenOpen(CSymbolDlg::CellRect(4).center());
    dlg->PickSymbol();
    EXPECT_EQ(dlg->m_symbolChar, char16_t(0xF050));
    EXPECT_EQ(dlg->m_symbolFont, QStringLiteral("wingdings 3"));
    EXPECT_EQ(refreshed, 1);

    pressWhenOpen(QPoint(-40, -40));  // outside: cancelled
    dlg->PickSymbol();
    EXPECT_EQ(dlg->m_symbolChar, char16_t(0xF050));
    EXPECT_EQ(dlg->m_symbolFont, QStringLiteral("wingdings 3"));
    EXPECT_EQ(refreshed, 1);
}
