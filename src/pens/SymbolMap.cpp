#include "pens/SymbolMap.h"

// The 80 picker symbols mapped to standard Unicode.
//
// Sources: the Unicode Consortium's Webdings/Wingdings source data
// (WDingsSources.txt, UTC document L2/12-368 = WG2 N4384, 2012), the mapping
// behind the Unicode 7.0 symbol additions; it decides every entry. Other
// published conversion tables (AXSH.Library, dingbat-to-unicode, Docxport.Net,
// Alan Wood's Wingdings table) were compared and agree on 67 of the 68
// symbol-font entries. Uncertain: 0xF036 (the hourglass) is U+23F3 here, the
// other tables give U+231B. 0xF052 (the sun) and the "Times New Roman" 0x263C
// both draw U+263C; their stored codes stay distinct.
//
// The family is the first installed free font (Debian fonts-symbola,
// fonts-liberation2) whose glyph for the character is a real outline.
// Liberation Serif is metric-compatible with "Times New Roman".
namespace {
// clang-format off
const std::array<SymbolEntry, kSymbolCount> kTable = {{
    {1, 1, 0x263A, "Times New Roman", 0x263A, "Liberation Serif"},  // white smiling face
    {1, 2, 0x263C, "Times New Roman", 0x263C, "Liberation Serif"},  // white sun with rays
    {1, 3, 0x266A, "Times New Roman", 0x266A, "Liberation Serif"},  // eighth note
    {1, 4, 0x266B, "Times New Roman", 0x266B, "Liberation Serif"},  // beamed eighth notes
    {1, 5, 0xF050, "wingdings 3", 0x2B6E, "Symbola"},  // clockwise triangle-headed open circle arrow
    {1, 6, 0xF051, "wingdings 3", 0x2B6F, "Symbola"},  // anticlockwise triangle-headed open circle arrow
    {1, 7, 0xF053, "wingdings", 0x1F322, "Symbola"},  // black droplet
    {1, 8, 0xF036, "wingdings", 0x23F3, "Symbola"},  // hourglass with flowing sand
    {2, 1, 0xF027, "wingdings", 0x1F56F, "Symbola"},  // candle
    {2, 2, 0xF0B0, "wingdings", 0x2BD0, "Symbola"},  // square position indicator
    {2, 3, 0xF0B1, "wingdings", 0x2316, "Symbola"},  // position indicator
    {2, 4, 0xF025, "wingdings", 0x1F56D, "Symbola"},  // ringing bell
    {2, 5, 0xF028, "wingdings", 0x1F57F, "Symbola"},  // black touchtone telephone
    {2, 6, 0xF022, "webdings", 0x1F578, "Symbola"},  // spider web
    {2, 7, 0xF07A, "wingdings", 0x2318, "Symbola"},  // place of interest sign
    {2, 8, 0xF0CB, "wingdings", 0x1F66A, "Symbola"},  // solid quilt square ornament
    {3, 1, 0xF05E, "wingdings", 0x2648, "Symbola"},  // aries
    {3, 2, 0xF05F, "wingdings", 0x2649, "Symbola"},  // taurus
    {3, 3, 0xF060, "wingdings", 0x264A, "Symbola"},  // gemini
    {3, 4, 0xF061, "wingdings", 0x264B, "Symbola"},  // cancer
    {3, 5, 0xF062, "wingdings", 0x264C, "Symbola"},  // leo
    {3, 6, 0xF063, "wingdings", 0x264D, "Symbola"},  // virgo
    {3, 7, 0xF064, "wingdings", 0x264E, "Symbola"},  // libra
    {3, 8, 0xF065, "wingdings", 0x264F, "Symbola"},  // scorpius
    {4, 1, 0xF066, "wingdings", 0x2650, "Symbola"},  // sagittarius
    {4, 2, 0xF067, "wingdings", 0x2651, "Symbola"},  // capricorn
    {4, 3, 0xF068, "wingdings", 0x2652, "Symbola"},  // aquarius
    {4, 4, 0xF069, "wingdings", 0x2653, "Symbola"},  // pisces
    {4, 5, 0x2660, "Times New Roman", 0x2660, "Liberation Serif"},  // black spade suit
    {4, 6, 0x2663, "Times New Roman", 0x2663, "Liberation Serif"},  // black club suit
    {4, 7, 0x2665, "Times New Roman", 0x2665, "Liberation Serif"},  // black heart suit
    {4, 8, 0x2666, "Times New Roman", 0x2666, "Liberation Serif"},  // black diamond suit
    {5, 1, 0xF080, "webdings", 0x1F6B9, "Symbola"},  // mens symbol
    {5, 2, 0xF081, "webdings", 0x1F6BA, "Symbola"},  // womens symbol
    {5, 3, 0xF082, "webdings", 0x1F6C9, "Symbola"},  // boys symbol
    {5, 4, 0xF083, "webdings", 0x1F6CA, "Symbola"},  // girls symbol
    {5, 5, 0xF041, "wingdings", 0x270C, "Symbola"},  // victory hand
    {5, 6, 0xF042, "wingdings", 0x1F58F, "Symbola"},  // turned ok hand sign
    {5, 7, 0xF043, "wingdings", 0x1F44D, "Symbola"},  // thumbs up sign
    {5, 8, 0xF049, "wingdings", 0x1F590, "Symbola"},  // raised hand with fingers splayed
    {6, 1, 0xF076, "wingdings", 0x2756, "Symbola"},  // black diamond minus white x
    {6, 2, 0xF0B2, "wingdings", 0x2BCE, "Symbola"},  // white four pointed cusp
    {6, 3, 0xF0B3, "wingdings", 0x2BCF, "Symbola"},  // rotated white four pointed cusp
    {6, 4, 0xF0A9, "wingdings", 0x1F7C1, "Symbola"},  // medium three pointed black star
    {6, 5, 0xF0AA, "wingdings", 0x1F7C5, "Symbola"},  // medium four pointed black star
    {6, 6, 0xF0AB, "wingdings", 0x2605, "Symbola"},  // black star
    {6, 7, 0xF05D, "wingdings", 0x2638, "Symbola"},  // wheel of dharma
    {6, 8, 0xF054, "wingdings", 0x2744, "Symbola"},  // snowflake
    {7, 1, 0xF0AC, "wingdings", 0x1F7CB, "Symbola"},  // medium six pointed black star
    {7, 2, 0xF0AD, "wingdings", 0x1F7CF, "Symbola"},  // heavy eight pointed black star
    {7, 3, 0xF0AE, "wingdings", 0x1F7D3, "Symbola"},  // heavy twelve pointed black star
    {7, 4, 0xF0AF, "wingdings", 0x1F7D1, "Symbola"},  // heavy eight pointed pinwheel star
    {7, 5, 0xF052, "wingdings", 0x263C, "Symbola"},  // white sun with rays
    {7, 6, 0xF0A4, "wingdings", 0x1F78A, "Symbola"},  // white circle containing black small circle
    {7, 7, 0xF0A5, "wingdings", 0x1F78B, "Symbola"},  // round target
    {7, 8, 0xF0C2, "wingdings", 0x1F55B, "Symbola"},  // clock face twelve oclock
    {8, 1, 0xF029, "wingdings", 0x2706, "Symbola"},  // telephone location sign
    {8, 2, 0xF05A, "wingdings", 0x262A, "Symbola"},  // star and crescent
    {8, 3, 0xF05B, "wingdings", 0x262F, "Symbola"},  // yin yang
    {8, 4, 0xF0B5, "wingdings", 0x272A, "Symbola"},  // circled white star
    {8, 5, 0xF0DB, "wingdings", 0x2B88, "Symbola"},  // leftwards black circled white arrow
    {8, 6, 0xF0DC, "wingdings", 0x2B8A, "Symbola"},  // rightwards black circled white arrow
    {8, 7, 0xF0DD, "wingdings", 0x2B89, "Symbola"},  // upwards black circled white arrow
    {8, 8, 0xF0DE, "wingdings", 0x2B8B, "Symbola"},  // downwards black circled white arrow
    {9, 1, 0x25B2, "Times New Roman", 0x25B2, "Liberation Serif"},  // black up-pointing triangle
    {9, 2, 0x25BA, "Times New Roman", 0x25BA, "Liberation Serif"},  // black right-pointing pointer
    {9, 3, 0x25BC, "Times New Roman", 0x25BC, "Liberation Serif"},  // black down-pointing triangle
    {9, 4, 0x25C4, "Times New Roman", 0x25C4, "Liberation Serif"},  // black left-pointing pointer
    {9, 5, 0xF0D7, "wingdings", 0x2B98, "Symbola"},  // three-d top-lighted leftwards equilateral arrowhead
    {9, 6, 0xF0D8, "wingdings", 0x2B9A, "Symbola"},  // three-d top-lighted rightwards equilateral arrowhead
    {9, 7, 0xF0D9, "wingdings", 0x2B99, "Symbola"},  // three-d right-lighted upwards equilateral arrowhead
    {9, 8, 0xF0DA, "wingdings", 0x2B9B, "Symbola"},  // three-d left-lighted downwards equilateral arrowhead
    {10, 1, 0xF0CD, "wingdings", 0x1F655, "Symbola"},  // turned south west pointing leaf
    {10, 2, 0xF0CE, "wingdings", 0x1F654, "Symbola"},  // turned north west pointing leaf
    {10, 3, 0xF0CF, "wingdings", 0x1F657, "Symbola"},  // turned south east pointing leaf
    {10, 4, 0xF0D0, "wingdings", 0x1F656, "Symbola"},  // turned north east pointing leaf
    {10, 5, 0xF0D1, "wingdings", 0x1F650, "Symbola"},  // north west pointing leaf
    {10, 6, 0xF0D2, "wingdings", 0x1F651, "Symbola"},  // south west pointing leaf
    {10, 7, 0xF0D3, "wingdings", 0x1F652, "Symbola"},  // north east pointing leaf
    {10, 8, 0xF0D4, "wingdings", 0x1F653, "Symbola"},  // south east pointing leaf
}};
// clang-format on
}  // namespace

const std::array<SymbolEntry, kSymbolCount>& SymbolTable() { return kTable; }

const SymbolEntry* FindSymbol(const QString& face, char16_t code)
{
    for (const SymbolEntry& e : kTable) {
        if (e.code == code && face.compare(QLatin1String(e.face), Qt::CaseInsensitive) == 0) {
            return &e;
        }
    }
    return nullptr;
}

bool IsSymbolFace(const QString& face)
{
    const QString f = face.trimmed();
    return f.compare(QLatin1String("wingdings"), Qt::CaseInsensitive) == 0 ||
           f.compare(QLatin1String("wingdings 2"), Qt::CaseInsensitive) == 0 ||
           f.compare(QLatin1String("wingdings 3"), Qt::CaseInsensitive) == 0 ||
           f.compare(QLatin1String("webdings"), Qt::CaseInsensitive) == 0;
}

StampGlyph ResolveStampGlyph(const QString& face, char16_t code)
{
    if (const SymbolEntry* e = FindSymbol(face.trimmed(), code)) {
        return {true, e->unicode, QString::fromLatin1(e->family)};
    }
    if (IsSymbolFace(face)) {
        return {};
    }
    // A lone surrogate is not a character of its own.
    if (code >= 0xD800 && code <= 0xDFFF) {
        return {};
    }
    return {true, code, face};
}

QStringList FallbackFamilies(char32_t unicode)
{
    QStringList families;
    for (const SymbolEntry& e : kTable) {
        const QString family = QString::fromLatin1(e.family);
        if (e.unicode == unicode && !families.contains(family)) {
            families << family;
        }
    }
    for (const char* wide : {"Symbola", "DejaVu Sans"}) {
        if (!families.contains(QLatin1String(wide))) {
            families << QString::fromLatin1(wide);
        }
    }
    return families;
}
