#include "panels/PenPanel.h"

#include "PanelTestSupport.h"

#include <gtest/gtest.h>

namespace {
class PenPanelTest : public ::testing::Test {
protected:
    HubWithPicture state;
    CMainHub& hub = state.hub;
    CPenPanel panel{hub};

    void PressButton(CPenPanel::Button b) { Press(panel, panel.ButtonRect(b).center()); }

    // The box of pixels that the stamp glyph changes on the stamp button
    // (tool 1 current, so the stamp face itself is not drawn).
    QRect GlyphBox()
    {
        const QImage with = panel.Render().copy();
        const QString font = hub.m_symbolFont;
        hub.m_symbolFont = QStringLiteral("wingdings");  // a code it lacks: no glyph
        hub.m_symbolChar = 0xF0FF;
        const QImage without = panel.Render().copy();
        hub.m_symbolFont = font;
        hub.m_symbolChar = u'\u2605';
        QRect box;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }
};
}  // namespace

TEST_F(PenPanelTest, ButtonsSitSideBySideFromTheImageSizes)
{
    EXPECT_EQ(panel.GetSize(), QSize(340, 46));
    EXPECT_EQ(panel.ButtonRect(CPenPanel::Solid), QRect(QPoint(6, 3), QPoint(45, 42)));
    EXPECT_EQ(panel.ButtonRect(CPenPanel::Char), QRect(QPoint(252, 3), QPoint(291, 42)));
    EXPECT_EQ(panel.ButtonRect(CPenPanel::Eraser), QRect(QPoint(293, 3), QPoint(332, 42)));
}

TEST_F(PenPanelTest, TwoVariantButtonsSwitchAndRememberTheirVariant)
{
    PressButton(CPenPanel::Solid);
    EXPECT_EQ(hub.m_nTool, 2);
    PressButton(CPenPanel::Solid);
    EXPECT_EQ(hub.m_nTool, 1);

    PressButton(CPenPanel::DotDot);  // from another tool: the slot's variant
    EXPECT_EQ(hub.m_nTool, 5);
    PressButton(CPenPanel::DotDot);
    EXPECT_EQ(hub.m_nTool, 6);
    PressButton(CPenPanel::Fill);
    EXPECT_EQ(hub.m_nTool, 3);
    PressButton(CPenPanel::DotDot);
    EXPECT_EQ(hub.m_nTool, 6);
    PressButton(CPenPanel::Trans);
    PressButton(CPenPanel::Maobi);
    PressButton(CPenPanel::Maobi);
    PressButton(CPenPanel::Gangbi);
    EXPECT_EQ(hub.m_nTool, 9);
    PressButton(CPenPanel::Eraser);
    EXPECT_EQ(hub.m_nTool, 13);
    EXPECT_EQ(hub.m_lastVariant, (std::array<int, 5>{1, 6, 8, 9, 12}));

    Press(panel, QPoint(2, 20));  // between the buttons: nothing
    EXPECT_EQ(hub.m_nTool, 13);
}

TEST_F(PenPanelTest, StampSelectsItsVariantFirstThenOpensThePicker)
{
    int pickerRuns = 0;
    hub.m_chooseSymbol = [&](char16_t initial) {
        ++pickerRuns;
        EXPECT_EQ(initial, u'\u2605');
        return std::optional<SymbolChoice>();
    };
    PressButton(CPenPanel::Char);
    EXPECT_EQ(hub.m_nTool, 12);
    EXPECT_EQ(pickerRuns, 0);
    PressButton(CPenPanel::Char);
    EXPECT_EQ(hub.m_nTool, 12);
    EXPECT_EQ(pickerRuns, 1);
    hub.SelectTool(11);
    PressButton(CPenPanel::Char);
    EXPECT_EQ(hub.m_nTool, 11);
    EXPECT_EQ(pickerRuns, 2);
}

TEST_F(PenPanelTest, SelectedFacesFollowTheToolWhateverSelectsIt)
{
    const QImage solidSelected = Face("IDR_FUNC_PENSOLID_SELECTED");
    const QImage solid = Face("IDR_FUNC_PENSOLID");
    const QImage gangbiSelected = Face("IDR_FUNC_PENGANGBI_SELECTED");
    const QImage charFace = Face("IDR_FUNC_PENCHAR");
    const QImage charSelected = Face("IDR_FUNC_PENCHAR_SELECTED");
    const QPoint solidAt = panel.ButtonRect(CPenPanel::Solid).topLeft();
    const QPoint gangbiAt = panel.ButtonRect(CPenPanel::Gangbi).topLeft();
    const QPoint charAt = panel.ButtonRect(CPenPanel::Char).topLeft();

    EXPECT_TRUE(ShowsFace(panel.Render(), solidSelected, solidAt));
    // The stamp's normal face is never shown, only its glyph.
    EXPECT_FALSE(ShowsFace(panel.Render(), charFace, charAt));

    hub.SelectTool(10);  // as a shortcut or an undo would
    EXPECT_TRUE(ShowsFace(panel.Render(), solid, solidAt));
    EXPECT_TRUE(ShowsFace(panel.Render(), gangbiSelected, gangbiAt));

    hub.SelectTool(12);
    // The stamp face lies under its glyph: compare away from the middle.
    const QImage corner = charSelected.copy(0, 0, 40, 6);
    EXPECT_TRUE(ShowsFace(panel.Render(), corner, charAt));
}

TEST_F(PenPanelTest, StampGlyphGrowsWithTheStampWidthUpToACap)
{
    hub.m_toolWidth[11] = 2;
    EXPECT_EQ(panel.StampFontHeight(), -18);
    const QRect small = GlyphBox();
    hub.m_toolWidth[11] = 16;
    EXPECT_EQ(panel.StampFontHeight(), -36);
    const QRect large = GlyphBox();
    hub.m_toolWidth[11] = 40;
    EXPECT_EQ(GlyphBox(), large);

    ASSERT_FALSE(small.isEmpty());
    EXPECT_TRUE(panel.ButtonRect(CPenPanel::Char).adjusted(-4, -4, 4, 4).contains(large));
    // Twice the font height gives about twice the glyph.
    EXPECT_NEAR(static_cast<double>(large.height()) / small.height(), 2.0, 0.35);
    // Drawn in the stamp's selected colour (red) even while tool 12 is current.
    hub.SelectTool(12);
    const QImage image = panel.Render();
    const QPoint middle = large.center();
    EXPECT_EQ(image.pixel(middle) & 0xFFFFFFu, 0xFF0000u);
}

TEST_F(PenPanelTest, SymbolFontCodesShowTheMappedGlyph)
{
    hub.m_symbolFont = QStringLiteral("wingdings");
    hub.m_symbolChar = 0xF053;  // the black droplet
    EXPECT_GT(GlyphBox().height(), 10);
}

TEST_F(PenPanelTest, HiddenWithoutAPicture)
{
    CMainHub bare;
    CPenPanel alone(bare);
    alone.RefreshPanel();
    EXPECT_FALSE(alone.isVisible());
    panel.RefreshPanel();
    EXPECT_TRUE(panel.isVisible());
}
