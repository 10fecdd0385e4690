#pragma once

#include "pens/WalkPen.h"

#include <QBrush>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

// The symbol stamp: a filled copy of one character's outline at the start of
// the stroke and then each time the stroke has moved at least the spacing
// away from the last copy, in one colour or with the multicolour texture.
//
// The outline is recorded once, at construction, from a font whose character
// height is 3w + 10 pixels, with the character cell centred on the origin.
// The stored character is the picker's code in the given face; symbol-font
// codes are mapped to the character and font that draw them here only when
// the outline is recorded (see SymbolMap.h).
class CCharPen : public CWalkPen {
public:
    // Point types of the recorded outline.
    enum GlyphPointType : std::uint8_t {
        kLineTo = 2,
        kLineToClose = 3,
        kBezierTo = 4,
        kBezierToClose = 5,
        kMoveTo = 6,
    };

    CCharPen(int w, COLORREF c, const QString& face, char16_t ch);
    CCharPen(int w, COLORREF c0, COLORREF c1, COLORREF c2, const QString& face, char16_t ch);
    ~CCharPen() override;

    void Draw(CSurface& surface, int originX, int originY) override;
    void BeginStroke(CSurface& surface, int x, int y) override;
    void ContinueStroke(CSurface& surface, int x, int y) override;
    // Stamps at (x, y) unless the last stamp is nearer than the spacing.
    void Plot(int x, int y) override;

    const QString& GetFaceName() const { return m_faceName; }
    char16_t GetChar() const { return m_char; }
    int GetSpacing() const { return m_spacing; }
    int GetGlyphCount() const { return m_glyphCount; }
    const std::vector<QPoint>& GetGlyphPoints() const { return m_glyphPoints; }
    const std::vector<std::uint8_t>& GetGlyphTypes() const { return m_glyphTypes; }
    // The outline as it is filled at a stamp centred on the origin.
    const QPainterPath& GetGlyphPath() const { return m_glyphPath; }

protected:
    // Stamps sit on pixels of the walk, inside the points' box: the box
    // grown by the glyph's own bounds (which follow the font size 3w + 10).
    QRect MeasureDrawnExtent() const override;

private:
    void BuildGlyph();

    QBrush m_brush;
    QPoint m_lastStamp{-100, -100};
    QString m_faceName;
    char16_t m_char = 0;
    std::vector<QPoint> m_glyphPoints;
    std::vector<std::uint8_t> m_glyphTypes;
    int m_glyphCount = 0;
    int m_spacing = 0;
    QPainterPath m_glyphPath;
    QRect m_glyphBounds;
    // What a stamp covers round its pixel: every stamp is the same path
    // moved by whole pixels, so it is drawn once and blended from then on.
    std::unique_ptr<DabMask> m_glyphMask;
};
