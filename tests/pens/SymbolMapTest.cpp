#include "PenTestSupport.h"

#include "pens/CharPen.h"
#include "pens/SymbolMap.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include <set>

using namespace pentest;

TEST(SymbolMapTest, EightyEntriesInGridOrderWithDistinctCodes)
{
    const auto& table = SymbolTable();
    std::set<char16_t> codes;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].row, static_cast<int>(i / 8) + 1);
        EXPECT_EQ(table[i].col, static_cast<int>(i % 8) + 1);
        codes.insert(table[i].code);
    }
    EXPECT_EQ(codes.size(), kSymbolCount);
}

TEST(SymbolMapTest, SymbolFontCodesMapToUnicodeAndTextCodesPassThrough)
{
    // The wingdings 3 clockwise arrow and a "Times New Roman" card suit.
    const StampGlyph arrow = ResolveStampGlyph(QStringLiteral("Wingdings 3"), 0xF050);
    EXPECT_TRUE(arrow.valid);
    EXPECT_EQ(arrow.unicode, 0x2B6Eu);
    EXPECT_EQ(arrow.family, QStringLiteral("Symbola"));
    const StampGlyph spade = ResolveStampGlyph(QStringLiteral("Times New Roman"), 0x2660);
    EXPECT_EQ(spade.unicode, 0x2660u);
    EXPECT_EQ(spade.family, QStringLiteral("Liberation Serif"));
    // The wingdings sun and the text sun draw the same character.
    EXPECT_EQ(ResolveStampGlyph(QStringLiteral("wingdings"), 0xF052).unicode, 0x263Cu);
    // A face the table does not know passes its code through unchanged.
    const StampGlyph text = ResolveStampGlyph(QStringLiteral("DejaVu Sans"), u'A');
    EXPECT_TRUE(text.valid);
    EXPECT_EQ(text.unicode, 0x41u);
    EXPECT_EQ(text.family, QStringLiteral("DejaVu Sans"));
}

TEST(SymbolMapTest, UnknownSymbolFontCodeHasNoGlyph)
{
    // Position 0xFF of wingdings is not a picker symbol: rather than draw
    // whatever a text font has there, nothing is drawn.
    EXPECT_FALSE(ResolveStampGlyph(QStringLiteral("wingdings"), 0xF0FF).valid);
    EXPECT_FALSE(ResolveStampGlyph(QStringLiteral("webdings"), 0xF050).valid);
}

TEST(SymbolMapTest, EveryFontFamilyIsInstalled)
{
    // A family fontconfig does not have would silently become another font
    // whose glyph at that character may be a box.
    std::set<QString> families;
    for (const SymbolEntry& e : SymbolTable()) {
        families.insert(QString::fromLatin1(e.family));
    }
    for (const QString& family : families) {
        EXPECT_EQ(QFontInfo(QFont(family)).family(), family);
    }
}

TEST(SymbolMapTest, EverySymbolStampsARealOutline)
{
    // Each of the 80 picker symbols records a non-empty outline of about the
    // pen's size, centred near the stamp position.
    for (const SymbolEntry& e : SymbolTable()) {
        SCOPED_TRACE(QString::number(e.code, 16).toStdString());
        const CCharPen pen(8, kBlack, QString::fromLatin1(e.face), e.code);
        ASSERT_GT(pen.GetGlyphCount(), 2);
        const QRectF box = pen.GetGlyphPath().boundingRect();
        EXPECT_GT(box.width(), 4.0);
        EXPECT_GT(box.height(), 4.0);
        EXPECT_LE(box.width(), 2.5 * 34);  // font height 3w + 10 = 34
        EXPECT_LT(std::abs(box.center().x()), pen.GetSpacing() / 2.0);
        EXPECT_LT(std::abs(box.center().y()), pen.GetSpacing() / 2.0);
    }
}
