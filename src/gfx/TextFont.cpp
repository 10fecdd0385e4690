#include "gfx/TextFont.h"

#include <QFontMetricsF>

#include <cmath>

QFont MakeFont(const FontDesc& desc)
{
    QFont font(desc.face);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(desc.weight / 1, 1, 1000)));
    font.setItalic(desc.italic);
    font.setStyleStrategy(QFont::PreferOutline);
    const int height = desc.height == 0 ? -1 : desc.height;
    if (height < 0) {
        font.setPixelSize(-height);
        return font;
    }
    // A cell height: find the em size whose ascent + descent matches it.
    font.setPixelSize(height);
    const QFontMetricsF metrics(font);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * height / cell))));
    }
    return font;
}

CTextFont::CTextFont(QPainter& painter, const FontDesc& desc)
    : m_painter(painter), m_previous(painter.font()), m_font(MakeFont(desc))
{
    m_painter.setFont(m_font);
}

CTextFont::~CTextFont()
{
    m_painter.setFont(m_previous);
}
