#include "panels/PenPanel.h"

#include "canvas/MainHub.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"
#include "gfx/TextFont.h"
#include "panels/PanelSupport.h"
#include "panels/ToolVariants.h"
#include "pens/SymbolMap.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>

#include <algorithm>

namespace {
constexpr const char* kFaceNames[CPenPanel::kButtonCount] = {
    "IDR_FUNC_PENSOLID",  "IDR_FUNC_PENFILL",   "IDR_FUNC_PENTRANS", "IDR_FUNC_PENDOTDOT",
    "IDR_FUNC_PENMAOBI",  "IDR_FUNC_PENGANGBI", "IDR_FUNC_PENCHAR",  "IDR_FUNC_ERASERDELETE",
};
constexpr int kFirstButtonLeft = 6;
constexpr int kStampTool = 11;

// The family that really has the stamp's character: the one the symbol
// mapping names, else the first fallback holding it; empty when none does
// (then nothing is drawn rather than a missing-glyph box).
QString GlyphFamily(const StampGlyph& glyph, int pixelSize)
{
    QStringList families{glyph.family};
    families.append(FallbackFamilies(glyph.unicode));
    for (const QString& family : families) {
        QFont font(family);
        font.setPixelSize(pixelSize);
        if (QRawFont::fromFont(font).supportsCharacter(glyph.unicode)) {
            return family;
        }
    }
    return {};
}
}  // namespace

CPenPanel::CPenPanel(CMainHub& hub, QWidget* parent)
    : QWidget(parent), m_hub(hub), m_pBkgd(LoadPanelImage("IDR_FUNC_BKGD"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Buttons side by side from x 6, one pixel apart, each at its image's
    // size and centred vertically in the background.
    int left = kFirstButtonLeft;
    for (int i = 0; i < kButtonCount; ++i) {
        const QString name = QString::fromLatin1(kFaceNames[i]);
        m_faces[i].normal = LoadPanelImage(name);
        m_faces[i].selected = LoadPanelImage(name + QStringLiteral("_SELECTED"));
        m_rects[i] = CenteredRect(left, m_faces[i].normal->GetSize(), GetSize().height());
        left = m_rects[i].left() + m_rects[i].width() + 1;
    }
    resize(GetSize());
    m_listener = m_hub.AddStateListener([this] { RefreshPanel(); });
}

CPenPanel::~CPenPanel()
{
    m_hub.RemoveStateListener(m_listener);
}

QSize CPenPanel::GetSize() const
{
    return m_pBkgd->GetSize();
}

void CPenPanel::RefreshPanel()
{
    if (!m_hub.GetPicture()) {
        hide();
        return;
    }
    show();
    update();
}

int CPenPanel::StampFontHeight() const
{
    return -std::min(2 * m_hub.m_toolWidth[kStampTool] + 14, 36);
}

bool CPenPanel::IsCurrent(Button button) const
{
    static constexpr int kFirstTool[kButtonCount] = {1, 3, 4, 5, 7, 9, 11, 13};
    static constexpr int kLastTool[kButtonCount] = {2, 3, 4, 6, 8, 10, 12, 13};
    return m_hub.m_nTool >= kFirstTool[button] && m_hub.m_nTool <= kLastTool[button];
}

const QImage& CPenPanel::Render()
{
    PanelCache(m_pCache, GetSize());
    m_pBkgd->DrawTransparent(*m_pCache, 0, 0);
    for (int i = 0; i < kButtonCount; ++i) {
        const auto button = static_cast<Button>(i);
        const bool current = IsCurrent(button);
        // The stamp button shows its face only while the stamp is current,
        // and always its glyph over it.
        if (button != Char || current) {
            const CResImage& face = current ? *m_faces[i].selected : *m_faces[i].normal;
            face.DrawTransparent(*m_pCache, m_rects[i].left(), m_rects[i].top());
        }
        if (button == Char) {
            DrawStampGlyph();
        }
    }
    return m_pCache->Image();
}

void CPenPanel::DrawStampGlyph()
{
    const StampGlyph glyph = ResolveStampGlyph(m_hub.m_symbolFont, m_hub.m_symbolChar);
    if (!glyph.valid) {
        return;
    }
    const int height = StampFontHeight();
    const QString family = GlyphFamily(glyph, -height);
    if (family.isEmpty()) {
        return;
    }
    QPainter painter(&m_pCache->Image());
    painter.setRenderHint(QPainter::TextAntialiasing);
    const CTextFont font(painter, FontDesc{family, height, 400});
    const QString text = QString::fromUcs4(&glyph.unicode, 1);
    const QFontMetrics metrics(font.Font());
    // Centred on the button, two pixels up and to the left, as the text's
    // whole cell (not the ink) is measured.
    const QRect& r = m_rects[Char];
    const int x = r.left() + (r.width() - metrics.horizontalAdvance(text)) / 2 - 2;
    const int y = r.top() + (r.height() - metrics.height()) / 2 - 2;
    painter.setPen(ToQColor(m_hub.SelectedColor(kStampTool)));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void CPenPanel::paintEvent(QPaintEvent* /*event*/)
{
    if (!m_hub.GetPicture()) {
        return;
    }
    CopyToPanel(*this, Render());
}

void CPenPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_hub.GetPicture()) {
        return;
    }
    const QPoint at = PanelPoint(*event);
    for (int i = 0; i < kButtonCount; ++i) {
        if (m_rects[i].contains(at)) {
            Press(static_cast<Button>(i));
            RefreshPanel();
            return;
        }
    }
}

void CPenPanel::Press(Button button)
{
    switch (button) {
    case Solid: ToolVariants::PressPenButton(m_hub, 1, 2); break;
    case Fill: m_hub.SelectTool(3); break;
    case Trans: m_hub.SelectTool(4); break;
    case DotDot: ToolVariants::PressPenButton(m_hub, 5, 6); break;
    case Maobi: ToolVariants::PressPenButton(m_hub, 7, 8); break;
    case Gangbi: ToolVariants::PressPenButton(m_hub, 9, 10); break;
    case Char:
        if (IsCurrent(Char)) {
            m_hub.PickSymbol();
        } else {
            m_hub.SelectTool(m_hub.m_lastVariant[4]);
        }
        break;
    case Eraser: m_hub.SelectEraser(); break;
    case kButtonCount: break;
    }
}
