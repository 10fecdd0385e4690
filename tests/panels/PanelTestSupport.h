#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

// A left-button press at `p` (widget coordinates, which may lie outside the
// widget, as a grabbed or pop-up window receives them).
inline void PressAt(QWidget& widget, QPoint p)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), widget.mapToGlobal(QPointF(p)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}

// The widget as it paints itself.
inline QImage Rendered(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
