#pragma once

#include "canvas/MainHub.h"
#include "canvas/Picture.h"
#include "gfx/ResImage.h"

#include "canvas/QtApp.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <memory>

// A hub with a picture, as the running program has once the canvas exists.
struct HubWithPicture {
    CMainHub hub;
    HubWithPicture()
    {
        TestApp();
        hub.AdoptPicture(std::make_unique<CPicture>(64, 48, 0));
    }
};

// Delivers a left-button mouse event at (x, y) in the widget's coordinates,
// as Qt does while the button holds the mouse (also outside the widget).
inline void SendMouse(QWidget& widget, QEvent::Type type, int x, int y)
{
    const QPointF local(x, y);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

inline void Press(QWidget& widget, const QPoint& at)
{
    SendMouse(widget, QEvent::MouseButtonPress, at.x(), at.y());
    SendMouse(widget, QEvent::MouseButtonRelease, at.x(), at.y());
}

// How many pixels of `image` inside `area` differ from `other`.
inline int CountDifferent(const QImage& image, const QImage& other, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += image.pixel(x, y) != other.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

// True when every pixel of `face` that is not pure white shows at `at` in
// `image`: the face was drawn there with white as the transparent colour.
inline bool ShowsFace(const QImage& image, const QImage& face, const QPoint& at)
{
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            const QRgb p = face.pixel(x, y) | 0xFF000000u;
            if (p != 0xFFFFFFFFu && image.pixel(at.x() + x, at.y() + y) != p) {
                return false;
            }
        }
    }
    return true;
}

// A named button image as 32-bit pixels.
inline QImage Face(const char* name)
{
    CResImage image;
    image.LoadNamed(QString::fromLatin1(name));
    return image.Image().convertToFormat(QImage::Format_RGB32);
}

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
