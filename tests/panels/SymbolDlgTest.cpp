#include "panels/SymbolDlg.h"

#include "pens/CharPen.h"
#include "pens/SymbolMap.h"

#include "PanelTestSupport.h"
#include "canvas/QtApp.h"

#include <gtest/gtest.h>

namespace {
bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool IsYellow(QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 60; }

// Red and yellow pixels in each of the 80 cells.
struct CellInk {
    std::array<int, 80> red{};
    std::array<int, 80> yellow{};
};
CellInk InkPerCell(const QImage& shot)
{
    CellInk ink;
    for (int i = 0; i < 80; ++i) {
        const QRect cell = CSymbolDlg::CellRect(i);
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                ink.red[i] += IsRed(shot.pixel(x, y)) ? 1 : 0;
                ink.yellow[i] += IsYellow(shot.pixel(x, y)) ? 1 : 0;
            }
        }
    }
    return ink;
}

class SymbolDlgTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
};
}  // namespace

TEST_F(SymbolDlgTest, TheCurrentCharacterAloneIsRedAndEveryCellShowsAGlyph)
{
    {
        // A grey 356 x 440 pop-up; the default star is not in the table, so
        // nothing is red.
        CSymbolDlg dlg(u'\u2605');
        EXPECT_EQ(dlg.size(), QSize(356, 440));
        const QImage shot = Rendered(dlg);
        EXPECT_EQ(shot.pixel(5, 200) | 0xFF000000u, qRgb(82, 82, 82));
        const CellInk ink = InkPerCell(shot);
        for (int i = 0; i < 80; ++i) {
            EXPECT_EQ(ink.red[i], 0) << "cell " << i;
            EXPECT_GT(ink.yellow[i], 20) << "cell " << i << " shows no glyph";
        }
    }
    // 0xF050 is row 1's fifth entry; its font is not compared.
    CSymbolDlg dlg(char16_t(0xF050));
    const CellInk ink = InkPerCell(Rendered(dlg));
    for (int i = 0; i < 80; ++i) {
        if (i == 4) {
            EXPECT_GT(ink.red[i], 20);
            EXPECT_EQ(ink.yellow[i], 0);
        } else {
            EXPECT_EQ(ink.red[i], 0) << "cell " << i;
        }
    }
}

// The picker must show what the stamp draws: for every entry the picker's
// glyph and the stamp pen's recorded outline have the same shape (the same
// proportions of their bounds), so neither shows another font's glyph or a
// missing-glyph box.
TEST_F(SymbolDlgTest, EveryCellShowsTheGlyphTheStampDraws)
{
    CSymbolDlg dlg(0);
    const auto& table = SymbolTable();
    for (int i = 0; i < 80; ++i) {
        const CSymbolDlg::DrawnSymbol& drawn = dlg.Drawn(i);
        ASSERT_NE(drawn.glyph, 0u) << "cell " << i;
        const QRectF picker = drawn.font.pathForGlyph(drawn.glyph).boundingRect();
        const CCharPen stamp(10, MakeRgb(0, 0, 0), QString::fromLatin1(table[i].face),
                             table[i].code);
        const QRectF pen = stamp.GetGlyphPath().boundingRect();
        ASSERT_FALSE(pen.isEmpty()) << "cell " << i;
        const double scale = pen.height() / picker.height();
        EXPECT_NEAR(pen.width() / scale, picker.width(), 2.0) << "cell " << i;
        // And the glyph stays inside its cell.
        const QRectF placed = picker.translated(drawn.topLeft.x(), drawn.topLeft.y() + drawn.ascent);
        EXPECT_TRUE(QRectF(CSymbolDlg::CellRect(i)).adjusted(-4, -4, 4, 4).contains(placed))
            << "cell " << i;
    }
}

TEST_F(SymbolDlgTest, APressOnACellEndsWithItsCodeAndFace)
{
    struct Case {
        int cell;
        char16_t code;
        const char* face;
    };
    for (const Case c : {Case{0, 0x263A, "Times New Roman"}, Case{4, 0xF050, "wingdings 3"},
                         Case{13, 0xF022, "webdings"}, Case{79, 0xF0D4, "wingdings"}}) {
        CSymbolDlg dlg(u'\u2605');
        dlg.show();
        // The cell's far corner still belongs to it.
        PressAt(dlg, CSymbolDlg::CellRect(c.cell).bottomRight());
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.cell;
        EXPECT_EQ(dlg.m_char, c.code) << c.cell;
        EXPECT_EQ(dlg.m_strFont, QString::fromLatin1(c.face)) << c.cell;
    }
}

TEST_F(SymbolDlgTest, APressOffTheCellsCancelsWithoutAChange)
{
    for (const QPoint p : {QPoint(4, 4), QPoint(350, 200), QPoint(-30, 100), QPoint(500, 900)}) {
        CSymbolDlg dlg(u'\u2605');
        dlg.show();
        PressAt(dlg, p);
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << p.x() << "," << p.y();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.m_char, u'\u2605');
        EXPECT_TRUE(dlg.m_strFont.isEmpty());
    }
}

TEST_F(SymbolDlgTest, CentredOnItsOwner)
{
    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    CSymbolDlg dlg(0, &owner);
    dlg.show();
    const QPoint centre = owner.mapToGlobal(owner.rect().center());
    EXPECT_LE(std::abs(dlg.geometry().center().x() - centre.x()), 1);
    EXPECT_LE(std::abs(dlg.geometry().center().y() - centre.y()), 1);
    dlg.reject();
}
