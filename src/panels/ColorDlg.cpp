#include "panels/ColorDlg.h"

#include "panels/PanelSupport.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr COLORREF kDialogGrey = MakeRgb(82, 82, 82);
constexpr COLORREF kRingGrey = MakeRgb(128, 128, 128);
constexpr COLORREF kBlack = MakeRgb(0, 0, 0);
constexpr COLORREF kWhite = MakeRgb(255, 255, 255);
constexpr int kLevel = 0x55;
}  // namespace

CColorDlg::CColorDlg(COLORREF initial, QWidget* owner)
    : QDialog(owner, Qt::Popup), m_color(initial)
{
    // A pop-up has the mouse and the keyboard while it is open: a press
    // outside it closes it (which cancels) and is not passed on to the window
    // below, so it neither draws nor presses a button there; Esc cancels too.
    setAttribute(Qt::WA_NoMouseReplay);
    setModal(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kColumns * kCellWidth + 2 * kMargin, (kMargin + 2 * kCellHeight) * 2);
    if (owner) {
        const QRect frame = owner->window()->geometry();
        move(frame.center() - rect().center());
    }
}

COLORREF CColorDlg::Entry(int i)
{
    return MakeRgb(kLevel * (i / 16), kLevel * ((i / 4) % 4), kLevel * (i % 4));
}

QRect CColorDlg::HitRect(int i)
{
    return QRect(kMargin + kCellWidth * (i % kColumns), kMargin + kCellHeight * (i / kColumns),
                 kCellWidth, kCellHeight);
}

QRect CColorDlg::SwatchRect(int i)
{
    const int inset = kCellGap / 2;
    return HitRect(i).adjusted(inset, inset, -inset, -inset);
}

int CColorDlg::HitCell(int x, int y)
{
    for (int i = 0; i < kCount; ++i) {
        if (HitRect(i).contains(x, y)) {
            return i;
        }
    }
    return -1;
}

QImage CColorDlg::Render() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(ToQColor(kDialogGrey));
    QPainter p(&image);
    const auto fill = [&p](const QRect& r, COLORREF c) { p.fillRect(r, ToQColor(c)); };
    for (int i = 0; i < kCount; ++i) {
        const QRect cell = SwatchRect(i);
        const COLORREF colour = Entry(i);
        if (colour == m_color) {
            // A white frame, a one-pixel inverted ring, then the colour.
            fill(cell, kWhite);
            const QRect inner = cell.adjusted(2, 2, -2, -2);
            fill(inner, colour);
            p.setCompositionMode(QPainter::RasterOp_NotDestination);
            p.fillRect(inner, Qt::black);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            fill(inner.adjusted(1, 1, -1, -1), colour);
        } else {
            fill(cell, kRingGrey);
            fill(cell.adjusted(1, 1, -1, -1), kBlack);
            fill(cell.adjusted(2, 2, -2, -2), colour);
        }
    }
    return image;
}

void CColorDlg::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), Render());
}

void CColorDlg::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = PanelPoint(*event);
    const int cell = rect().contains(at) ? HitCell(at.x(), at.y()) : -1;
    if (cell < 0) {
        reject();
        return;
    }
    m_color = Entry(cell);
    accept();
}
