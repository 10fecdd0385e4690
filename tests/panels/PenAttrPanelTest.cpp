#include "panels/PenAttrPanel.h"

#include "PanelTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr COLORREF kPurple = MakeRgb(170, 0, 170);

class PenAttrPanelTest : public ::testing::Test {
protected:
    HubWithPicture state;
    CMainHub& hub = state.hub;
    CPenAttrPanel panel{hub};
    std::vector<COLORREF> paletteOpenedOn;

    void SetUp() override
    {
        hub.m_chooseColor = [this](COLORREF initial) {
            paletteOpenedOn.push_back(initial);
            return std::optional<COLORREF>(kPurple);
        };
        panel.RefreshPanel();
    }

    int ThumbLeft() const { return panel.ThumbRect().left(); }
    QRgb SwatchPixel(int i) { return panel.Render().pixel(panel.ColorButtonRect(i).center()); }
};
}  // namespace

TEST_F(PenAttrPanelTest, ElementsAreLaidOutFromTheImageSizes)
{
    EXPECT_EQ(panel.GetSize(), QSize(296, 46));
    EXPECT_EQ(panel.ColorButtonRect(2), QRect(86, 3, 40, 40));
    EXPECT_EQ(panel.ScaleRect(), QRect(129, -2, 82, 50));
    EXPECT_EQ(panel.ThumbRect(), QRect(129, 5, 24, 36));
    EXPECT_EQ(panel.RecogRect(), QRect(211, 3, 40, 40));
    EXPECT_EQ(panel.MulticolorRect(), QRect(251, 3, 40, 40));
}

TEST_F(PenAttrPanelTest, WidthMappingCoversTwoToSixteenMonotonically)
{
    EXPECT_EQ(panel.ThumbLeftForWidth(12), 170);
    EXPECT_EQ(panel.WidthForX(-1000), 2);
    EXPECT_EQ(panel.WidthForX(130), 2);
    EXPECT_EQ(panel.WidthForX(187), 16);
    EXPECT_EQ(panel.WidthForX(5000), 16);
    int previous = 2;
    for (int x = 100; x < 260; ++x) {
        const int w = panel.WidthForX(x);
        EXPECT_GE(w, previous) << x;
        // Every width the slider gives puts the thumb on the scale.
        EXPECT_GE(panel.ThumbLeftForWidth(w), 129);
        EXPECT_LE(panel.ThumbLeftForWidth(w) + 24, 211);
        previous = w;
    }
    // A width set some other way still keeps the thumb on the scale.
    EXPECT_EQ(panel.ThumbLeftForWidth(40), 129 + 82 - 24);
}

TEST_F(PenAttrPanelTest, EraserHidesThePanelAndAPenShowsItWithItsWidth)
{
    hub.SelectTool(4);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(ThumbLeft(), 170);
    hub.SelectEraser();
    EXPECT_FALSE(panel.isVisible());
    hub.SelectTool(7);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(ThumbLeft(), 129 + 8 * 82 / 20);
}

TEST_F(PenAttrPanelTest, WidthChangesOnlyAtTheReleaseWhereverItHappens)
{
    hub.SelectTool(5);
    const QPoint grip = panel.ThumbRect().center();
    SendMouse(panel, QEvent::MouseButtonPress, grip.x(), grip.y());
    EXPECT_TRUE(panel.IsDragging());
    SendMouse(panel, QEvent::MouseMove, 900, 30);  // far right, outside the panel
    EXPECT_EQ(ThumbLeft(), panel.ThumbLeftForWidth(16));
    EXPECT_EQ(hub.m_toolWidth[5], 2);
    SendMouse(panel, QEvent::MouseButtonRelease, 900, -40);
    EXPECT_FALSE(panel.IsDragging());
    EXPECT_EQ(hub.m_toolWidth[5], 16);
    EXPECT_EQ(hub.m_toolWidth[6], 16);
    EXPECT_EQ(hub.m_toolWidth[1], 2);

    const QPoint again = panel.ThumbRect().center();
    SendMouse(panel, QEvent::MouseButtonPress, again.x(), again.y());
    SendMouse(panel, QEvent::MouseMove, -300, 20);
    EXPECT_EQ(ThumbLeft(), 129);
    EXPECT_EQ(hub.m_toolWidth[5], 16);
    // The thumb stays under the pointer while another change is announced.
    hub.ToggleRecognition();
    EXPECT_EQ(ThumbLeft(), 129);
    SendMouse(panel, QEvent::MouseButtonRelease, -300, 20);
    EXPECT_EQ(hub.m_toolWidth[5], 2);

    // Moves without a press on the thumb do nothing.
    SendMouse(panel, QEvent::MouseMove, 180, 20);
    SendMouse(panel, QEvent::MouseButtonRelease, 180, 20);
    EXPECT_EQ(hub.m_toolWidth[5], 2);
}

TEST_F(PenAttrPanelTest, HidingMidDragDropsTheDragAndKeepsTheWidth)
{
    panel.show();
    const QPoint grip = panel.ThumbRect().center();
    SendMouse(panel, QEvent::MouseButtonPress, grip.x(), grip.y());
    SendMouse(panel, QEvent::MouseMove, 180, 20);
    hub.SelectEraser();
    EXPECT_FALSE(panel.IsDragging());
    hub.SelectTool(1);
    EXPECT_EQ(ThumbLeft(), 129);
    EXPECT_EQ(hub.m_toolWidth[1], 2);
}

TEST_F(PenAttrPanelTest, ColourButtonsSelectFirstForSingleColourTools)
{
    Press(panel, panel.ColorButtonRect(2).center());
    EXPECT_EQ(hub.m_toolColorSel[1], 2);
    EXPECT_TRUE(paletteOpenedOn.empty());
    const QImage selected = Face("IDR_PENATTR_COLOR_SELECTED");
    EXPECT_TRUE(ShowsFace(panel.Render(), selected.copy(0, 0, 40, 8),
                          panel.ColorButtonRect(2).topLeft()));
    EXPECT_FALSE(ShowsFace(panel.Render(), selected.copy(0, 0, 40, 8),
                           panel.ColorButtonRect(0).topLeft()));

    Press(panel, panel.ColorButtonRect(2).center());
    EXPECT_EQ(paletteOpenedOn, std::vector<COLORREF>{MakeRgb(255, 0, 0)});
    EXPECT_EQ(hub.m_toolColor[1][2], kPurple);
    EXPECT_EQ(SwatchPixel(2), ToArgb(kPurple));
    EXPECT_EQ(SwatchPixel(0), ToArgb(MakeRgb(0, 0, 0)));
    // The swatch is the button less 9 pixels on every side.
    const QRect button = panel.ColorButtonRect(2);
    EXPECT_EQ(panel.Render().pixel(button.left() + 9, button.top() + 9), ToArgb(kPurple));
    EXPECT_NE(panel.Render().pixel(button.left() + 8, button.top() + 9), ToArgb(kPurple));
    EXPECT_EQ(panel.Render().pixel(button.right() - 9, button.bottom() - 9), ToArgb(kPurple));
    EXPECT_NE(panel.Render().pixel(button.right() - 8, button.bottom() - 9), ToArgb(kPurple));
}

TEST_F(PenAttrPanelTest, FillPenOpensThePaletteAtOnceAndHasNoVariant)
{
    hub.SelectTool(3);
    Press(panel, panel.ColorButtonRect(1).center());
    EXPECT_EQ(paletteOpenedOn, std::vector<COLORREF>{MakeRgb(255, 255, 0)});
    EXPECT_EQ(hub.m_toolColor[3][1], kPurple);
    EXPECT_EQ(hub.m_toolColorSel[3], 0);

    EXPECT_TRUE(ShowsFace(panel.Render(), Face("IDR_PENATTR_MULTICOLOR_DISABLE"),
                          panel.MulticolorRect().topLeft()));
    const auto remembered = hub.m_lastVariant;
    Press(panel, panel.MulticolorRect().center());
    EXPECT_EQ(hub.m_nTool, 3);
    EXPECT_EQ(hub.m_lastVariant, remembered);
}

TEST_F(PenAttrPanelTest, MulticolourSwitchTogglesTheVariantAndRemembersIt)
{
    hub.SelectTool(5);
    EXPECT_TRUE(ShowsFace(panel.Render(), Face("IDR_PENATTR_MULTICOLOR"),
                          panel.MulticolorRect().topLeft()));
    Press(panel, panel.MulticolorRect().center());
    EXPECT_EQ(hub.m_nTool, 6);
    EXPECT_EQ(hub.m_lastVariant[1], 6);
    EXPECT_TRUE(ShowsFace(panel.Render(), Face("IDR_PENATTR_MULTICOLOR_SELECTED"),
                          panel.MulticolorRect().topLeft()));
    hub.SelectTool(12);
    Press(panel, panel.MulticolorRect().center());
    EXPECT_EQ(hub.m_nTool, 11);
    EXPECT_EQ(hub.m_lastVariant[4], 11);
}

TEST_F(PenAttrPanelTest, RecognitionSwitchTogglesTheCurrentTool)
{
    const QImage on = Face("IDR_PENATTR_RECOG_SELECTED");
    EXPECT_FALSE(ShowsFace(panel.Render(), on, panel.RecogRect().topLeft()));
    Press(panel, panel.RecogRect().center());
    EXPECT_EQ(hub.m_toolRecog[1], 1);
    EXPECT_EQ(hub.m_toolRecog[2], 0);
    EXPECT_TRUE(ShowsFace(panel.Render(), on, panel.RecogRect().topLeft()));
}
