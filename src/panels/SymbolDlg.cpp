#include "panels/SymbolDlg.h"

#include "pens/SymbolMap.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
const QColor kGrey(82, 82, 82);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

QRawFont SymbolFont(const QString& family)
{
    QFont font(family);
    font.setPixelSize(CSymbolDlg::kFontHeight);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferOutline);
    return QRawFont::fromFont(font);
}

quint32 GlyphFor(const QRawFont& font, char32_t unicode)
{
    if (!font.isValid()) {
        return 0;
    }
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&unicode, 1));
    return glyphs.isEmpty() ? 0 : glyphs.front();
}

// The font and glyph for a table entry, looked up as the stamp pen does: the
// entry's mapped family first, then the families known to hold the
// character; never a font's missing-glyph box.
CSymbolDlg::DrawnSymbol Resolve(const SymbolEntry& entry)
{
    const StampGlyph target = ResolveStampGlyph(QString::fromLatin1(entry.face), entry.code);
    CSymbolDlg::DrawnSymbol drawn;
    if (!target.valid) {
        return drawn;
    }
    QStringList families{target.family};
    families << FallbackFamilies(target.unicode);
    for (const QString& family : families) {
        const QRawFont font = SymbolFont(family);
        if (const quint32 glyph = GlyphFor(font, target.unicode)) {
            drawn.font = font;
            drawn.glyph = glyph;
            break;
        }
    }
    return drawn;
}
}  // namespace

CSymbolDlg::CSymbolDlg(char16_t current, QWidget* owner)
    : QDialog(owner, Qt::Popup | Qt::FramelessWindowHint), m_char(current)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kWidth, kHeight);
    const auto& table = SymbolTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        DrawnSymbol drawn = Resolve(table[i]);
        int width = 0;
        int height = 0;
        if (drawn.glyph != 0) {
            const QList<QPointF> advances = drawn.font.advancesForGlyphIndexes({drawn.glyph});
            width = advances.isEmpty() ? 0 : qRound(advances.front().x());
            drawn.ascent = qRound(drawn.font.ascent());
            height = drawn.ascent + qRound(drawn.font.descent());
        }
        // Left-top placement in the cell, halves truncated toward zero.
        const QRect cell = CellRect(static_cast<int>(i));
        drawn.topLeft = QPoint(cell.left() + (kCell - width - kInset) / 2,
                               cell.top() + (kCell - kInset - height) / 2);
        m_drawn[i] = std::move(drawn);
    }
}

CSymbolDlg::~CSymbolDlg() = default;

QRect CSymbolDlg::CellRect(int i)
{
    return QRect(kMargin + kCell * (i % kColumns), kMargin + kCell * (i / kColumns), kCell, kCell);
}

int CSymbolDlg::HitTest(QPoint p)
{
    for (int i = 0; i < static_cast<int>(kSymbolCount); ++i) {
        if (CellRect(i).contains(p)) {
            return i;
        }
    }
    return -1;
}

void CSymbolDlg::showEvent(QShowEvent* event)
{
    if (const QWidget* owner = parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }
    QDialog::showEvent(event);
}

void CSymbolDlg::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(rect(), kGrey);
    // The thin border of the pop-up.
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    const auto& table = SymbolTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const DrawnSymbol& drawn = m_drawn[i];
        if (drawn.glyph == 0) {
            continue;
        }
        const QPainterPath path = drawn.font.pathForGlyph(drawn.glyph).translated(
            drawn.topLeft.x(), drawn.topLeft.y() + drawn.ascent);
        p.fillPath(path, table[i].code == m_char ? kRed : kYellow);
    }
}

void CSymbolDlg::mousePressEvent(QMouseEvent* event)
{
    const QPoint at(static_cast<int>(std::floor(event->position().x())),
                    static_cast<int>(std::floor(event->position().y())));
    const int hit = rect().contains(at) ? HitTest(at) : -1;
    if (hit < 0) {
        reject();
        return;
    }
    const SymbolEntry& entry = SymbolTable()[static_cast<std::size_t>(hit)];
    m_char = entry.code;
    m_strFont = QString::fromLatin1(entry.face);
    accept();
}
