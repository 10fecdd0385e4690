#include "PanelArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ArtKit.h"

namespace artgen::panel {
namespace {

QImage Tray(int width)
{
    QImage image(width, kPanelHeight, QImage::Format_RGB32);
    image.fill(palette::kBarGrey);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tray(1.5, 1.5, width - 3.0, kPanelHeight - 3.0);
    p.setPen(QPen(palette::kTrayEdge, 1.0));
    p.setBrush(palette::kTray);
    p.drawRoundedRect(tray, 6, 6);
    // Light lower lip: the tray looks sunk into the bar.
    p.setPen(QPen(palette::kTrayLight, 1.0));
    p.drawLine(QPointF(7.0, kPanelHeight - 1.0), QPointF(width - 7.0, kPanelHeight - 1.0));
    return image;
}

}  // namespace

QImage PenPanelBackground()
{
    QImage image = Tray(kPenPanelWidth);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The stamp button draws no face while another tool is chosen; only the
    // current symbol shows, so give it a pale pad to stand on.
    const QRectF pad(kStampButtonLeft + 2.5, 5.5, 35.0, 35.0);
    p.setPen(QPen(QColor(28, 30, 34), 1.0));
    p.setBrush(palette::kStampPad);
    p.drawRoundedRect(pad, 6, 6);
    return image;
}

QImage AttrPanelBackground() { return Tray(kAttrPanelWidth); }

QImage ColourButton(ButtonState state)
{
    QImage canvas = TransparentCanvas(kButton, kButton);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        DrawTile(p, QRectF(0, 0, kButton, kButton), state);
        // The swatch well: the panel fills (9, 9)-(31, 31) with the colour,
        // leaving this dark rim around it.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 32, 36));
        p.drawRect(QRect(8, 8, 24, 24));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRect(9, 9, 22, 22));
        if (state == ButtonState::Selected) {
            // A pointer under the swatch: this is the colour in use.
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(palette::kAccent);
            p.drawPolygon(QPolygonF({{15.0, 37.0}, {25.0, 37.0}, {20.0, 33.0}}));
        }
    }
    return Flatten(canvas, palette::kTray);
}

QImage WidthScale()
{
    constexpr int kWidth = 82;
    constexpr int kHeight = 50;
    constexpr double kMid = 25.0;  // panel row 23, the middle of the bar
    QImage canvas = TransparentCanvas(kWidth, kHeight);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        // The thumb's middle sits at x = 12 + (w - 2) * 82 / 20 for width w;
        // the wedge is as thick there as the pen will be.
        const auto thickness = [](double x) { return 2.0 + (x - 12.0) * 14.0 / 57.0; };
        QPainterPath wedge;
        const double x0 = 6.0;
        const double x1 = 76.0;
        wedge.moveTo(x0, kMid - thickness(x0) / 2);
        wedge.lineTo(x1, kMid - thickness(x1) / 2);
        wedge.lineTo(x1, kMid + thickness(x1) / 2);
        wedge.lineTo(x0, kMid + thickness(x0) / 2);
        wedge.closeSubpath();
        QLinearGradient grad(x0, 0, x1, 0);
        grad.setColorAt(0.0, QColor(200, 204, 210));
        grad.setColorAt(1.0, QColor(240, 242, 245));
        p.setPen(QPen(QColor(24, 26, 30), 1.0));
        p.setBrush(grad);
        p.drawPath(wedge);
        // Ticks at widths 2, 9 and 16 above and below the wedge.
        p.setPen(QPen(QColor(170, 174, 180), 1.0));
        for (const double x : {12.5, 40.5, 69.5}) {
            p.drawLine(QPointF(x, 7.0), QPointF(x, 11.0));
            p.drawLine(QPointF(x, 39.0), QPointF(x, 43.0));
        }
    }
    return Flatten(canvas, palette::kTray);
}

QImage WidthThumb()
{
    constexpr int kWidth = 24;
    constexpr int kHeight = 36;
    QImage canvas = TransparentCanvas(kWidth, kHeight);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        // A ring with a clear window, so the wedge's thickness at the chosen
        // width shows through, and two arrows pointing at the middle.
        p.setPen(QPen(QColor(40, 24, 8), 1.0));
        p.setBrush(palette::kAccent);
        QPainterPath ring;
        ring.addRoundedRect(QRectF(2.5, 4.5, 19.0, 27.0), 5, 5);
        ring.addRoundedRect(QRectF(6.5, 8.5, 11.0, 19.0), 3, 3);
        ring.setFillRule(Qt::OddEvenFill);
        p.drawPath(ring);
        p.setBrush(QColor(255, 214, 120));
        p.drawPolygon(QPolygonF({{7.0, 0.5}, {17.0, 0.5}, {12.0, 4.5}}));
        p.drawPolygon(QPolygonF({{7.0, 35.5}, {17.0, 35.5}, {12.0, 31.5}}));
    }
    return Flatten(canvas, palette::kTray);
}

QImage CommandButton(const QString& label, const QString& cjkFamily, bool warning)
{
    constexpr int kWidth = 50;
    constexpr int kHeight = 32;
    QImage canvas = TransparentCanvas(kWidth, kHeight);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRectF face(1.5, 1.5, kWidth - 3.0, kHeight - 3.0);
        QLinearGradient grad(face.topLeft(), face.bottomLeft());
        grad.setColorAt(0.0, QColor(232, 235, 239));
        grad.setColorAt(1.0, QColor(190, 195, 203));
        p.setPen(QPen(QColor(28, 30, 34), 1.0));
        p.setBrush(grad);
        p.drawRoundedRect(face, 6, 6);
        p.setPen(QPen(QColor(255, 255, 255, 160), 1.0));
        p.drawLine(QPointF(6.0, 2.5), QPointF(kWidth - 6.0, 2.5));
        QFont font(cjkFamily);
        font.setPixelSize(15);
        font.setBold(true);
        font.setHintingPreference(QFont::PreferNoHinting);
        p.setFont(font);
        p.setPen(warning ? QColor(176, 28, 28) : palette::kInk);
        p.drawText(QRectF(0, 0, kWidth, kHeight - 1), Qt::AlignCenter, label);
    }
    return Flatten(canvas, palette::kBarGrey);
}

}  // namespace artgen::panel
