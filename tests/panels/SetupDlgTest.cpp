#include "panels/SetupDlg.h"

#include "PanelTestSupport.h"
#include "canvas/QtApp.h"

#include <QFontMetrics>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {
class SetupDlgTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

QRgb At(const QImage& image, QPoint p) { return image.pixel(p) | 0xFF000000u; }
}  // namespace

TEST_F(SetupDlgTest, TitledWithItsThreeButtonsAtTheirDialogUnits)
{
    CSetupDlg dlg(0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(dlg.OkButton()->text(), QStringLiteral("确定"));
    EXPECT_EQ(dlg.CancelButton()->text(), QStringLiteral("取消"));
    EXPECT_EQ(dlg.ImageFileButton()->text(), QStringLiteral("图像文件"));
    EXPECT_TRUE(dlg.OkButton()->isDefault());
    EXPECT_FALSE(dlg.CancelButton()->isDefault());

    const QFontMetrics metrics(dlg.font());
    EXPECT_EQ(dlg.OkButton()->geometry(),
              CSetupDlg::DialogUnitsToPixels(QRect(368, 11, 50, 14), metrics));
    EXPECT_EQ(dlg.ImageFileButton()->geometry(),
              CSetupDlg::DialogUnitsToPixels(QRect(368, 215, 50, 14), metrics));
    EXPECT_EQ(dlg.GridRect(), CSetupDlg::DialogUnitsToPixels(QRect(13, 12, 339, 218), metrics));
    // Everything lies inside the dialog, the grid left of the buttons.
    EXPECT_TRUE(dlg.rect().contains(dlg.ImageFileButton()->geometry()));
    EXPECT_TRUE(dlg.rect().contains(dlg.GridRect()));
    EXPECT_LT(dlg.GridRect().right(), dlg.OkButton()->geometry().left());
}

TEST_F(SetupDlgTest, GridRectanglesForASizeThatDividesUnevenly)
{
    const QSize grid(605, 410);  // a = 100, b = 102
    // Background 7: column 1, row 1.
    EXPECT_EQ(CSetupDlg::PressTarget(7, grid), QRect(QPoint(102, 104), QPoint(193, 197)));
    EXPECT_EQ(CSetupDlg::Cell(7, grid), QRect(QPoint(104, 106), QPoint(201, 205)));
    EXPECT_EQ(CSetupDlg::ThumbnailArea(7, grid), QRect(QPoint(107, 109), QPoint(196, 200)));
    EXPECT_EQ(CSetupDlg::ThumbnailArea(7, grid).size(), QSize(90, 92));
}

TEST_F(SetupDlgTest, PressTargetsHitTheirBackgroundAndTheGapsNothing)
{
    const QSize grid(605, 410);
    for (int i = 0; i < 24; ++i) {
        const QRect target = CSetupDlg::PressTarget(i, grid);
        EXPECT_EQ(CSetupDlg::HitTest(target.topLeft(), grid), i);
        EXPECT_EQ(CSetupDlg::HitTest(target.bottomRight(), grid), i);
        // One pixel past a target's right or bottom edge is in the 8-pixel gap.
        EXPECT_EQ(CSetupDlg::HitTest(target.bottomRight() + QPoint(1, 0), grid), -1);
        EXPECT_EQ(CSetupDlg::HitTest(target.bottomRight() + QPoint(0, 1), grid), -1);
    }
    EXPECT_EQ(CSetupDlg::HitTest(QPoint(1, 50), grid), -1);
}

TEST_F(SetupDlgTest, PressesSelectOnTargetsOnly)
{
    CSetupDlg dlg(3);
    dlg.show();
    const QRect grid = dlg.GridRect();
    const QPoint target9 = CSetupDlg::PressTarget(9, grid.size()).center() + grid.topLeft();
    PressAt(dlg, target9);
    EXPECT_EQ(dlg.m_nSel, 9);
    // Gaps between targets (grid coordinates) change nothing ...
    const QRect t10 = CSetupDlg::PressTarget(10, grid.size());
    for (const QPoint gap : {t10.topRight() + QPoint(3, 5), t10.bottomLeft() + QPoint(5, 3),
                             QPoint(1, 1)}) {
        PressAt(dlg, grid.topLeft() + gap);
        EXPECT_EQ(dlg.m_nSel, 9);
    }
    // ... nor does a press beside the grid.
    PressAt(dlg, QPoint(grid.right() + 5, grid.center().y()));
    PressAt(dlg, QPoint(0, 0));
    EXPECT_EQ(dlg.m_nSel, 9);
    EXPECT_TRUE(dlg.isVisible());
    dlg.reject();
}

TEST_F(SetupDlgTest, PaintsTheSelectedCellOliveTheOthersBlueWithFittedThumbnails)
{
    CSetupDlg dlg(5);
    const QImage shot = Rendered(dlg);
    const QRect grid = dlg.GridRect();
    const QPoint o = grid.topLeft();
    const QSize size = grid.size();
    EXPECT_EQ(At(shot, o + CSetupDlg::Cell(5, size).topLeft()), qRgb(128, 128, 0));
    EXPECT_EQ(At(shot, o + CSetupDlg::Cell(6, size).topLeft()), qRgb(208, 220, 240));
    EXPECT_EQ(At(shot, o + CSetupDlg::Cell(0, size).bottomRight()), qRgb(208, 220, 240));
    EXPECT_EQ(At(shot, o + QPoint(1, 1)), qRgb(128, 128, 128));
    // The thumbnails are 103 x 56: fitted into the smaller area by width,
    // keeping the aspect ratio, centred with white above and below.
    const QRect area = CSetupDlg::ThumbnailArea(12, size).translated(o);
    ASSERT_LT(area.width(), 103);
    const int fittedHeight = 56 * area.width() / 103;
    const int top = area.top() + (area.height() - fittedHeight) / 2;
    EXPECT_EQ(At(shot, QPoint(area.center().x(), top - 1)), qRgb(255, 255, 255));
    EXPECT_EQ(At(shot, QPoint(area.center().x(), top + fittedHeight)), qRgb(255, 255, 255));
    // Background 0 is plain white, the others are photographs.
    EXPECT_NE(At(shot, area.center()), qRgb(255, 255, 255));
}

TEST_F(SetupDlgTest, ImageFileClosesWithOkAndMinusOne)
{
    CSetupDlg dlg(4);
    dlg.show();
    dlg.ImageFileButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nSel, -1);

    CSetupDlg other(4);
    other.show();
    other.CancelButton()->click();
    EXPECT_EQ(other.result(), QDialog::Rejected);
}
