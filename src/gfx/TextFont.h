#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

// A font as the drawing code describes it. `height` follows the usual
// convention of logical fonts: negative is the character (em) height in
// pixels, positive the cell height (ascent + descent), 0 means "default" and
// is taken as -1.
struct FontDesc {
    QString face;
    int height = 0;
    int weight = 400;
    bool italic = false;
};

QFont MakeFont(const FontDesc& desc);

// Selects a font into a painter for the lifetime of the object and puts the
// previous font back when it ends.
class CTextFont {
public:
    CTextFont(QPainter& painter, const FontDesc& desc);
    ~CTextFont();
    CTextFont(const CTextFont&) = delete;
    CTextFont& operator=(const CTextFont&) = delete;

    const QFont& Font() const { return m_font; }

private:
    QPainter& m_painter;
    QFont m_previous;
    QFont m_font;
};
