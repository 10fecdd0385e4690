#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

// The stamp symbols offered by the symbol picker, with how each is drawn here.
//
// A symbol is stored (in the picker's selection and in a stamp pen) as the
// code and face name of the classic symbol fonts: code 0xF0xx in "wingdings",
// "wingdings 3" or "webdings" is position 0xxx of that font, and codes in
// "Times New Roman" are plain Unicode. Those symbol fonts do not exist on
// Linux, so drawing maps each entry to a standard Unicode character and a free
// font family whose glyph for it is a real outline.
struct SymbolEntry {
    int row;             // 1 to 10, the picker's grid row
    int col;             // 1 to 8, the picker's grid column
    char16_t code;       // the stored character code
    const char* face;    // the stored face name
    char32_t unicode;    // the character drawn in its place
    const char* family;  // the font family that draws it
};

inline constexpr std::size_t kSymbolCount = 80;

// All picker symbols in grid order (row by row, left to right). Every code is
// distinct; two entries may draw the same Unicode character.
const std::array<SymbolEntry, kSymbolCount>& SymbolTable();

// The entry for a stored (face, code), the face compared without regard to
// case; nullptr when the table has none.
const SymbolEntry* FindSymbol(const QString& face, char16_t code);

// True for the face names of the classic symbol fonts, whose codes mean
// nothing to the fonts installed here.
bool IsSymbolFace(const QString& face);

// What to draw for a stored (face, code). A table entry gives its Unicode
// character and font family; a code of another face is drawn as the Unicode
// character it is, in that face (or, when the face lacks it, in one of the
// FallbackFamilies). A symbol-font code the table does not know
// has no drawable character (`valid` false), rather than whatever glyph an
// unrelated fallback font has at that position.
struct StampGlyph {
    bool valid = false;
    char32_t unicode = 0;
    QString family;
};
StampGlyph ResolveStampGlyph(const QString& face, char16_t code);

// Font families to try, best first, for a character the requested font
// lacks: the family the table draws that character with, if any, then fonts
// of wide symbol coverage.
QStringList FallbackFamilies(char32_t unicode);
