#include "panels/ColorDlg.h"

#include "PanelTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {
// Runs the palette modally and, once it shows, does what the user would.
int RunAnswered(CColorDlg& dlg, const std::function<void(CColorDlg&)>& user)
{
    QTimer::singleShot(0, &dlg, [&dlg, user] {
        if (dlg.isVisible()) {
            user(dlg);
        } else {
            dlg.reject();
        }
    });
    return dlg.exec();
}
}  // namespace

TEST(ColorDlgTest, SixtyFourLevelsRedSlowestInSixteenColumnsOfCells)
{
    TestApp();
    const CColorDlg dlg(0);
    EXPECT_EQ(dlg.size(), QSize(692, 156));
    EXPECT_EQ(CColorDlg::Entry(0), MakeRgb(0, 0, 0));
    EXPECT_EQ(CColorDlg::Entry(1), MakeRgb(0, 0, 85));
    EXPECT_EQ(CColorDlg::Entry(4), MakeRgb(0, 85, 0));
    EXPECT_EQ(CColorDlg::Entry(16), MakeRgb(85, 0, 0));
    EXPECT_EQ(CColorDlg::Entry(63), MakeRgb(255, 255, 255));
    // Hit cells tile the inside; the margins hit nothing.
    EXPECT_EQ(CColorDlg::HitRect(17), QRect(52, 44, 42, 34));
    EXPECT_EQ(CColorDlg::HitCell(10, 10), 0);
    EXPECT_EQ(CColorDlg::HitCell(51, 43), 0);
    EXPECT_EQ(CColorDlg::HitCell(52, 43), 1);
    EXPECT_EQ(CColorDlg::HitCell(681, 145), 63);
    for (const QPoint p : {QPoint(9, 20), QPoint(20, 9), QPoint(682, 20), QPoint(20, 146),
                           QPoint(-5, -5)}) {
        EXPECT_EQ(CColorDlg::HitCell(p.x(), p.y()), -1) << p.x() << "," << p.y();
    }
}

TEST(ColorDlgTest, CurrentColourHasAWhiteFrameAndAnInvertedRing)
{
    TestApp();
    const int current = 22;  // (85, 85, 170)
    const COLORREF colour = CColorDlg::Entry(current);
    const CColorDlg dlg(colour);
    const QImage image = dlg.Render();
    const QRect cell = CColorDlg::SwatchRect(current);
    EXPECT_EQ(cell.size(), QSize(32, 24));
    const QRgb inverted = ToArgb(MakeRgb(255 - 85, 255 - 85, 255 - 170));
    for (int d : {0, 1}) {
        EXPECT_EQ(image.pixel(cell.left() + d, cell.top() + d), 0xFFFFFFFFu);
        EXPECT_EQ(image.pixel(cell.right() - d, cell.bottom() - d), 0xFFFFFFFFu);
    }
    EXPECT_EQ(image.pixel(cell.left() + 2, cell.top() + 2), inverted);
    EXPECT_EQ(image.pixel(cell.right() - 2, cell.center().y()), inverted);
    EXPECT_EQ(image.pixel(cell.center().x(), cell.bottom() - 2), inverted);
    EXPECT_EQ(image.pixel(cell.left() + 3, cell.top() + 3), ToArgb(colour));
    EXPECT_EQ(image.pixel(cell.center()), ToArgb(colour));

    // Another cell: grey ring, black ring, colour; the gap and margins grey.
    const QRect other = CColorDlg::SwatchRect(40);
    EXPECT_EQ(image.pixel(other.topLeft()), ToArgb(MakeRgb(128, 128, 128)));
    EXPECT_EQ(image.pixel(other.left() + 1, other.top() + 1), ToArgb(MakeRgb(0, 0, 0)));
    EXPECT_EQ(image.pixel(other.center()), ToArgb(CColorDlg::Entry(40)));
    EXPECT_EQ(image.pixel(other.left() - 1, other.top()), ToArgb(MakeRgb(82, 82, 82)));
    EXPECT_EQ(image.pixel(2, 2), ToArgb(MakeRgb(82, 82, 82)));
}

TEST(ColorDlgTest, ColourOffThePaletteMarksNoCell)
{
    TestApp();
    const CColorDlg dlg(MakeRgb(1, 2, 3));
    const QImage image = dlg.Render();
    for (int i = 0; i < CColorDlg::kCount; ++i) {
        const QRect cell = CColorDlg::SwatchRect(i);
        EXPECT_EQ(image.pixel(cell.topLeft()), ToArgb(MakeRgb(128, 128, 128))) << i;
    }
}

TEST(ColorDlgTest, PressOnACellChoosesAnywhereElseCancels)
{
    TestApp();
    const COLORREF start = MakeRgb(255, 0, 0);
    {
        CColorDlg dlg(start);
        const QPoint onCell = CColorDlg::HitRect(37).topLeft() + QPoint(1, 1);  // in its gap
        EXPECT_EQ(RunAnswered(dlg, [onCell](CColorDlg& d) { Press(d, onCell); }),
                  QDialog::Accepted);
        EXPECT_EQ(dlg.m_color, CColorDlg::Entry(37));
    }
    for (const QPoint away : {QPoint(5, 5), QPoint(300, 150), QPoint(-40, 60), QPoint(900, 10)}) {
        CColorDlg dlg(start);
        EXPECT_EQ(RunAnswered(dlg, [away](CColorDlg& d) { Press(d, away); }), QDialog::Rejected);
        EXPECT_EQ(dlg.m_color, start);
    }
    CColorDlg dlg(start);
    const int result = RunAnswered(dlg, [](CColorDlg& d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&d, &esc);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(dlg.m_color, start);
}
