#include "Tiles.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ArtKit.h"

namespace artgen {

void DrawTile(QPainter& p, const QRectF& rect, ButtonState state)
{
    p.save();
    QColor top;
    QColor bottom;
    QColor border;
    qreal ring = 1.0;
    switch (state) {
        case ButtonState::Normal:
            top = QColor(226, 229, 233);
            bottom = QColor(184, 189, 197);
            border = QColor(28, 30, 34);
            break;
        case ButtonState::Selected:
            top = QColor(255, 240, 196);
            bottom = QColor(255, 190, 92);
            border = palette::kAccent;
            ring = 2.5;
            break;
        case ButtonState::Disabled:
            top = QColor(200, 202, 205);
            bottom = QColor(182, 184, 188);
            border = QColor(112, 114, 118);
            break;
    }
    const QRectF face = state == ButtonState::Selected ? rect.adjusted(1.25, 1.25, -1.25, -1.25)
                                                       : rect.adjusted(2.5, 2.5, -2.5, -2.5);
    QLinearGradient grad(face.topLeft(), face.bottomLeft());
    grad.setColorAt(0.0, top);
    grad.setColorAt(1.0, bottom);
    p.setPen(QPen(border, ring));
    p.setBrush(grad);
    p.drawRoundedRect(face, 6, 6);
    if (state != ButtonState::Disabled) {
        // A thin highlight along the top edge makes the tile read as raised.
        p.setPen(QPen(QColor(255, 255, 255, state == ButtonState::Selected ? 200 : 150), 1.0));
        p.setBrush(Qt::NoBrush);
        const QRectF inner = face.adjusted(ring, ring, -ring, -ring);
        p.drawLine(QPointF(inner.left() + 4, inner.top() + 0.5),
                   QPointF(inner.right() - 4, inner.top() + 0.5));
    }
    p.restore();
}

QImage MakeButton(ButtonState state, const IconPainter& icon)
{
    QImage canvas = TransparentCanvas(kButton, kButton);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        DrawTile(p, QRectF(0, 0, kButton, kButton), state);
        icon(p, state);
    }
    return Flatten(canvas, palette::kTray);
}

QColor Tinted(const QColor& c, ButtonState state)
{
    return state == ButtonState::Disabled ? Greyed(c) : c;
}

}  // namespace artgen
