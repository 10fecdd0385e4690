#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/MainDlg.h"
#include "app/MainView.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"
#include "canvas/QtApp.h"
#include "panels/ColorDlg.h"
#include "panels/PenAttrPanel.h"
#include "panels/PenPanel.h"
#include "pens/PenTool.h"

namespace {
// Presses `cell` of the palette as soon as it is open; true once it did.
void AnswerPaletteWith(int cell, bool& answered, QRect& where)
{
    QTimer::singleShot(0, [cell, &answered, &where] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* palette = qobject_cast<CColorDlg*>(w);
            if (palette && palette->isVisible()) {
                where = palette->geometry();
                answered = true;
                QTest::mouseClick(palette, Qt::LeftButton, Qt::NoModifier,
                                  CColorDlg::HitRect(cell).center());
                return;
            }
        }
        // Not open: close any modal window rather than wait forever.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
}
}  // namespace

TEST(PanelWiringTest, PanelsSettingsReachTheCanvasStrokes)
{
    TestApp();
    CMainDlg dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    CPenPanel& pens = *dlg.GetView()->GetPenPanel();
    CPenAttrPanel& attrs = *dlg.GetView()->GetPenAttrPanel();
    EXPECT_EQ(pens.geometry(), CMainView::PenPanelRect());
    EXPECT_EQ(attrs.geometry(), CMainView::PenAttrPanelRect());
    EXPECT_TRUE(pens.isVisible());
    EXPECT_TRUE(attrs.isVisible());

    // Dotted pen, width 16 by the slider, first colour from the palette.
    QTest::mouseClick(&pens, Qt::LeftButton, Qt::NoModifier,
                      pens.ButtonRect(CPenPanel::DotDot).center());
    ASSERT_EQ(dlg.m_nTool, 5);
    QTest::mousePress(&attrs, Qt::LeftButton, Qt::NoModifier, attrs.ThumbRect().center());
    QTest::mouseMove(&attrs, QPoint(attrs.width() - 2, 20));
    QTest::mouseRelease(&attrs, Qt::LeftButton, Qt::NoModifier, QPoint(attrs.width() - 2, 20));
    EXPECT_EQ(dlg.m_toolWidth[5], 16);
    bool answered = false;
    QRect paletteAt;
    AnswerPaletteWith(48, answered, paletteAt);
    QTest::mouseClick(&attrs, Qt::LeftButton, Qt::NoModifier, attrs.ColorButtonRect(0).center());
    ASSERT_TRUE(answered);
    // Centred on the window (the offscreen platform may shift a shown
    // pop-up by a pixel or two; under X it sits exactly centred).
    EXPECT_LE((paletteAt.center() - dlg.geometry().center()).manhattanLength(), 4);
    EXPECT_EQ(dlg.m_toolColor[5][0], MakeRgb(255, 0, 0));

    CCanvasWnd& canvas = *dlg.GetCanvas();
    canvas.DismissWelcome();
    QTest::mousePress(dlg.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      canvas.mapTo(&dlg, QPoint(100, 100)));
    for (int x = 110; x <= 300; x += 10) {
        QTest::mouseMove(dlg.windowHandle(), canvas.mapTo(&dlg, QPoint(x, 100)));
    }
    QTest::mouseRelease(dlg.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        canvas.mapTo(&dlg, QPoint(300, 100)));
    QCoreApplication::processEvents();
    CPicture& picture = *dlg.GetPicture();
    ASSERT_EQ(picture.GetStrokeCount(), 1);
    EXPECT_EQ(picture.GetStroke(0).GetWidth(), 16);
    EXPECT_EQ(picture.GetStroke(0).GetColor(0), MakeRgb(255, 0, 0));

    // The eraser button hides the attribute panel; a pen brings it back.
    QTest::mouseClick(&pens, Qt::LeftButton, Qt::NoModifier,
                      pens.ButtonRect(CPenPanel::Eraser).center());
    EXPECT_EQ(dlg.m_nTool, 13);
    EXPECT_FALSE(attrs.isVisible());
    QTest::mouseClick(&pens, Qt::LeftButton, Qt::NoModifier,
                      pens.ButtonRect(CPenPanel::Trans).center());
    EXPECT_TRUE(attrs.isVisible());
    EXPECT_EQ(attrs.ThumbRect().left(), 170);
}
