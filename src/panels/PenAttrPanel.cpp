#include "panels/PenAttrPanel.h"

#include "canvas/MainHub.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"
#include "panels/PanelSupport.h"
#include "panels/ToolVariants.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kFirstButtonLeft = 6;
constexpr int kScaleGap = 3;      // between the last colour button and the scale
constexpr int kSwatchInset = 9;   // the swatch inside a colour button
constexpr int kMinWidth = 2;
constexpr int kWidthSteps = 20;   // the scale's width stands for 20 width steps
}  // namespace

CPenAttrPanel::CPenAttrPanel(CMainHub& hub, QWidget* parent)
    : QWidget(parent),
      m_hub(hub),
      m_pBkgd(LoadPanelImage("IDR_PENATTR_BKGD")),
      m_pColor(LoadPanelImage("IDR_PENATTR_COLOR")),
      m_pColorSelected(LoadPanelImage("IDR_PENATTR_COLOR_SELECTED")),
      m_pWidth(LoadPanelImage("IDR_PENATTR_WIDTH")),
      m_pThumb(LoadPanelImage("IDR_PENATTR_WIDTHTHUMB")),
      m_pRecog(LoadPanelImage("IDR_PENATTR_RECOG")),
      m_pRecogSelected(LoadPanelImage("IDR_PENATTR_RECOG_SELECTED")),
      m_pMulticolor(LoadPanelImage("IDR_PENATTR_MULTICOLOR")),
      m_pMulticolorSelected(LoadPanelImage("IDR_PENATTR_MULTICOLOR_SELECTED")),
      m_pMulticolorDisable(LoadPanelImage("IDR_PENATTR_MULTICOLOR_DISABLE"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    const int h = GetSize().height();
    int left = kFirstButtonLeft;
    for (QRect& r : m_rcColor) {
        r = CenteredRect(left, m_pColor->GetSize(), h);
        left += r.width();
    }
    m_rcScale = CenteredRect(left + kScaleGap, m_pWidth->GetSize(), h);
    m_thumbLeft = m_rcScale.left();
    m_rcRecog = CenteredRect(m_rcScale.left() + m_rcScale.width(), m_pRecog->GetSize(), h);
    m_rcMulticolor =
        CenteredRect(m_rcRecog.left() + m_rcRecog.width(), m_pMulticolor->GetSize(), h);
    resize(GetSize());
    m_listener = m_hub.AddStateListener([this] { OnStateChanged(); });
}

CPenAttrPanel::~CPenAttrPanel()
{
    m_hub.RemoveStateListener(m_listener);
}

QSize CPenAttrPanel::GetSize() const
{
    return m_pBkgd->GetSize();
}

QRect CPenAttrPanel::ThumbRect() const
{
    const QSize size = m_pThumb->GetSize();
    return QRect(m_thumbLeft, (GetSize().height() - size.height()) / 2, size.width(),
                 size.height());
}

int CPenAttrPanel::ThumbLeftForWidth(int width) const
{
    const int left = m_rcScale.left() + (width - kMinWidth) * m_rcScale.width() / kWidthSteps;
    // A width the slider cannot give (set some other way) still keeps the
    // thumb on the scale.
    const int rightmost = m_rcScale.left() + m_rcScale.width() - m_pThumb->GetSize().width();
    return std::clamp(left, m_rcScale.left(), std::max(rightmost, m_rcScale.left()));
}

int CPenAttrPanel::WidthForX(int x) const
{
    const int scaleLeft = m_rcScale.left();
    const int scaleWidth = std::max(m_rcScale.width(), 1);
    int clamped = x <= scaleLeft ? scaleLeft + 1 : x;
    clamped = std::min(clamped, scaleLeft + m_rcScale.width() - m_pThumb->GetSize().width());
    return std::max((clamped - scaleLeft) * kWidthSteps / scaleWidth + kMinWidth, kMinWidth);
}

void CPenAttrPanel::SetWidthThumb(int width)
{
    m_thumbLeft = ThumbLeftForWidth(width);
    RefreshPanel();
}

void CPenAttrPanel::RefreshPanel()
{
    if (!m_hub.GetPicture() || !IsPenTool(m_hub.m_nTool)) {
        hide();
        return;
    }
    show();
    update();
}

void CPenAttrPanel::OnStateChanged()
{
    // The thumb follows the current tool's width, except while the user
    // holds it: then it stays under the pointer until the release.
    if (!m_bDragging && IsPenTool(m_hub.m_nTool)) {
        m_thumbLeft = ThumbLeftForWidth(m_hub.m_toolWidth[static_cast<std::size_t>(m_hub.m_nTool)]);
    }
    RefreshPanel();
}

const QImage& CPenAttrPanel::Render()
{
    PanelCache(m_pCache, GetSize());
    m_pBkgd->DrawTransparent(*m_pCache, 0, 0);
    m_pWidth->DrawTransparent(*m_pCache, m_rcScale.left(), m_rcScale.top());
    const QRect thumb = ThumbRect();
    m_pThumb->DrawTransparent(*m_pCache, thumb.left(), thumb.top());
    if (IsPenTool(m_hub.m_nTool)) {
        DrawColorButtons();
    }
    DrawSwitches();
    return m_pCache->Image();
}

void CPenAttrPanel::DrawColorButtons()
{
    const int tool = m_hub.m_nTool;
    const auto t = static_cast<std::size_t>(tool);
    const bool multicolor = IsMulticolorTool(tool);
    for (std::size_t i = 0; i < m_rcColor.size(); ++i) {
        const QRect& r = m_rcColor[i];
        const bool selected = multicolor || m_hub.m_toolColorSel[t] == static_cast<int>(i);
        (selected ? *m_pColorSelected : *m_pColor).DrawTransparent(*m_pCache, r.left(), r.top());
        m_pCache->Fill(r.adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset),
                       m_hub.m_toolColor[t][i]);
    }
}

void CPenAttrPanel::DrawSwitches()
{
    const int tool = m_hub.m_nTool;
    const bool recog = IsPenTool(tool) && m_hub.m_toolRecog[static_cast<std::size_t>(tool)] != 0;
    (recog ? *m_pRecogSelected : *m_pRecog)
        .DrawTransparent(*m_pCache, m_rcRecog.left(), m_rcRecog.top());
    if (!IsPenTool(tool)) {
        return;
    }
    const CResImage* face = m_pMulticolor.get();
    if (ToolVariants::SlotOf(tool) < 0) {
        face = m_pMulticolorDisable.get();  // the fill pen and the marker have no variant
    } else if (IsMulticolorTool(tool)) {
        face = m_pMulticolorSelected.get();
    }
    face->DrawTransparent(*m_pCache, m_rcMulticolor.left(), m_rcMulticolor.top());
}

void CPenAttrPanel::paintEvent(QPaintEvent* /*event*/)
{
    if (!m_hub.GetPicture()) {
        return;
    }
    CopyToPanel(*this, Render());
}

void CPenAttrPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_hub.GetPicture()) {
        return;
    }
    const QPoint at = PanelPoint(*event);
    for (std::size_t i = 0; i < m_rcColor.size(); ++i) {
        if (m_rcColor[i].contains(at)) {
            m_hub.ClickColor(static_cast<int>(i));
            RefreshPanel();
            return;
        }
    }
    if (ThumbRect().contains(at)) {
        m_bDragging = true;
        return;
    }
    if (m_rcRecog.contains(at)) {
        m_hub.ToggleRecognition();
        RefreshPanel();
        return;
    }
    if (m_rcMulticolor.contains(at)) {
        ToolVariants::SwitchVariant(m_hub);
        RefreshPanel();
    }
}

void CPenAttrPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging) {
        SetWidthThumb(WidthForX(PanelPoint(*event).x()));
    }
}

void CPenAttrPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bDragging || event->button() != Qt::LeftButton) {
        return;
    }
    m_bDragging = false;
    const int width = WidthForX(PanelPoint(*event).x());
    SetWidthThumb(width);
    m_hub.SetToolWidth(width);
    RefreshPanel();
}

void CPenAttrPanel::hideEvent(QHideEvent* /*event*/)
{
    // Hidden mid-drag (the eraser chosen from the keyboard), the panel loses
    // the mouse and would never see the release: drop the drag, width unchanged.
    if (m_bDragging) {
        m_bDragging = false;
        if (IsPenTool(m_hub.m_nTool)) {
            m_thumbLeft =
                ThumbLeftForWidth(m_hub.m_toolWidth[static_cast<std::size_t>(m_hub.m_nTool)]);
        }
    }
}
