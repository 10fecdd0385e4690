#include "PenIcons.h"

#include "ArtKit.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace artgen::icons {
namespace {

using palette::kInk;

// Where every pen's point rests and which way it leans: the tools share one
// pose so the row of buttons reads as one family.
const QPointF kTip(14.0, 26.0);
constexpr qreal kLean = -45.0;

// Turns the painter so the pen lies along +x from its point at the origin.
void EnterPenFrame(QPainter& p)
{
    p.translate(kTip);
    p.rotate(kLean);
}

// A straight pen body from x0 to x1 with half thickness h, rounded end cap.
void PenBody(QPainter& p, qreal x0, qreal x1, qreal h, const QColor& body, ButtonState s)
{
    QLinearGradient shade(0, -h, 0, h);
    shade.setColorAt(0.0, Tinted(body.lighter(140), s));
    shade.setColorAt(0.5, Tinted(body, s));
    shade.setColorAt(1.0, Tinted(body.darker(150), s));
    p.setPen(QPen(Tinted(kInk, s), 1.0));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(x0, -h, x1 - x0, 2 * h), h * 0.6, h * 0.6);
}

// A cone from the point (0, 0) to a collar of half width h at x.
void PenCone(QPainter& p, qreal x, qreal h, const QColor& c, ButtonState s)
{
    QPainterPath cone;
    cone.moveTo(0.6, 0);
    cone.lineTo(x, -h);
    cone.lineTo(x, h);
    cone.closeSubpath();
    p.setPen(QPen(Tinted(kInk, s), 1.0));
    p.setBrush(Tinted(c, s));
    p.drawPath(cone);
}

// The line every pen leaves: a gentle curve from the lower left into the tip.
QPainterPath TrailPath()
{
    QPainterPath path;
    path.moveTo(4.5, 33.0);
    path.cubicTo(8.0, 37.5, 11.0, 33.0, kTip.x() - 0.5, kTip.y() + 0.5);
    return path;
}

QPen RoundPen(const QColor& c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A trail that runs under the whole button (used by tools whose line is the
// point of the picture).
QPainterPath LongTrail()
{
    QPainterPath path;
    path.moveTo(8.0, 32.0);
    path.cubicTo(14.0, 25.0, 21.0, 38.0, 32.5, 30.0);
    return path;
}

}  // namespace

void SolidPen(QPainter& p, ButtonState s)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(Tinted(QColor(20, 20, 24), s), 2.2));
    p.drawPath(TrailPath());
    EnterPenFrame(p);
    PenBody(p, 7.0, 27.0, 3.6, QColor(48, 104, 204), s);
    PenCone(p, 7.0, 3.6, QColor(210, 212, 216), s);
    p.setBrush(Tinted(QColor(20, 20, 24), s));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(1.0, 0), 1.2, 1.2);
    // Pocket clip.
    p.setPen(RoundPen(Tinted(QColor(230, 232, 236), s), 1.2));
    p.drawLine(QPointF(18, -2.2), QPointF(25, -2.2));
    p.restore();
}

void FillPen(QPainter& p, ButtonState s)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const QPainterPath trail = LongTrail();
    p.setPen(RoundPen(Tinted(QColor(30, 70, 170), s), 9.0));
    p.drawPath(trail);
    p.setPen(RoundPen(Tinted(QColor(250, 214, 40), s), 5.5));
    p.drawPath(trail);
    p.setPen(RoundPen(Tinted(QColor(222, 40, 40), s), 2.2));
    p.drawPath(trail);
    p.translate(20.0, 27.0);
    p.rotate(kLean);
    PenBody(p, 6.0, 20.0, 3.4, QColor(200, 50, 50), s);
    PenCone(p, 6.0, 3.4, QColor(210, 212, 216), s);
    p.restore();
}

void Marker(QPainter& p, ButtonState s)
{
    p.save();
    // A dark scribble first, then the marker's band across it: the band
    // tints it without hiding it.
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(Tinted(QColor(40, 40, 48), s), 1.6));
    QPainterPath text;
    text.moveTo(6, 33);
    text.cubicTo(9, 28, 11, 37, 14, 32);
    text.cubicTo(17, 28, 19, 37, 22, 32);
    text.cubicTo(25, 28, 27, 36, 31, 32);
    p.drawPath(text);
    p.setPen(QPen(Tinted(QColor(255, 226, 0, 150), s), 8.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4.0, 32.5), QPointF(33.0, 32.5));
    p.translate(21.0, 22.0);
    p.rotate(-60.0);
    // Chisel tip, then a fat body and a cap.
    QPainterPath chisel;
    chisel.moveTo(0, -2.5);
    chisel.lineTo(5, -5);
    chisel.lineTo(5, 5);
    chisel.lineTo(1.5, 3);
    chisel.closeSubpath();
    p.setPen(QPen(Tinted(kInk, s), 1.0));
    p.setBrush(Tinted(QColor(250, 220, 0), s));
    p.drawPath(chisel);
    PenBody(p, 5.0, 20.0, 5.0, QColor(255, 236, 90), s);
    PenBody(p, 15.0, 21.0, 5.6, QColor(90, 160, 60), s);
    p.restore();
}

void DottedPen(QPainter& p, ButtonState s)
{
    p.save();
    QPen dashes(Tinted(QColor(120, 40, 170), s), 2.6, Qt::CustomDashLine, Qt::RoundCap);
    dashes.setDashPattern({0.6, 1.6});
    p.setPen(dashes);
    p.setBrush(Qt::NoBrush);
    p.drawPath(LongTrail());
    p.translate(20.0, 29.5);
    p.rotate(kLean);
    PenBody(p, 6.0, 20.0, 3.4, QColor(134, 70, 190), s);
    PenCone(p, 6.0, 3.4, QColor(210, 212, 216), s);
    p.restore();
}

void WritingBrush(QPainter& p, ButtonState s)
{
    p.save();
    // A calligraphic stroke: pressed in at the start, thinning to a point.
    QPainterPath stroke;
    stroke.moveTo(4.0, 31.0);
    stroke.cubicTo(6.0, 27.5, 10.0, 29.0, 16.0, 31.0);
    stroke.cubicTo(22.0, 33.0, 28.0, 33.0, 35.0, 35.5);
    stroke.cubicTo(27.0, 36.5, 20.0, 37.0, 13.0, 36.0);
    stroke.cubicTo(8.0, 35.5, 4.5, 35.0, 4.0, 31.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Tinted(QColor(24, 24, 28), s));
    p.drawPath(stroke);
    p.translate(17.0, 22.0);
    p.rotate(-55.0);
    // Hair: a teardrop ending in a fine point at the origin.
    QPainterPath hair;
    hair.moveTo(0, 0);
    hair.cubicTo(3, -1.0, 6, -3.4, 9, -3.2);
    hair.lineTo(9, 3.2);
    hair.cubicTo(6, 3.4, 3, 1.0, 0, 0);
    p.setPen(QPen(Tinted(kInk, s), 0.8));
    p.setBrush(Tinted(QColor(30, 30, 34), s));
    p.drawPath(hair);
    // Ferrule and bamboo handle with its joints.
    PenBody(p, 8.5, 12.0, 3.3, QColor(150, 40, 40), s);
    PenBody(p, 12.0, 30.0, 2.2, QColor(206, 170, 96), s);
    p.setPen(QPen(Tinted(QColor(140, 106, 40), s), 1.0));
    p.drawLine(QPointF(19.0, -2.2), QPointF(19.0, 2.2));
    p.drawLine(QPointF(25.5, -2.2), QPointF(25.5, 2.2));
    p.restore();
}

void FountainPen(QPainter& p, ButtonState s)
{
    p.save();
    // A line that swells and thins like a flexible nib's.
    QPainterPath line;
    line.moveTo(4.0, 34.0);
    line.cubicTo(7.0, 30.0, 10.0, 30.0, 12.5, 27.5);
    line.lineTo(13.6, 28.6);
    line.cubicTo(11.0, 32.5, 8.0, 34.5, 4.0, 34.0);
    p.setPen(QPen(Tinted(QColor(20, 40, 110), s), 0.8));
    p.setBrush(Tinted(QColor(20, 40, 110), s));
    p.drawPath(line);
    EnterPenFrame(p);
    // Body behind the nib.
    PenBody(p, 15.0, 29.0, 4.6, QColor(34, 36, 48), s);
    p.setPen(RoundPen(Tinted(QColor(220, 180, 70), s), 1.4));
    p.drawLine(QPointF(16.5, -4.6), QPointF(16.5, 4.6));
    // The nib: a pointed arch with a slit and a breather hole.
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.cubicTo(4.0, -2.0, 9.0, -6.5, 16.0, -6.0);
    nib.lineTo(16.0, 6.0);
    nib.cubicTo(9.0, 6.5, 4.0, 2.0, 0, 0);
    QLinearGradient gold(0, -6, 0, 6);
    gold.setColorAt(0.0, Tinted(QColor(255, 226, 130), s));
    gold.setColorAt(1.0, Tinted(QColor(196, 140, 30), s));
    p.setPen(QPen(Tinted(QColor(110, 74, 10), s), 0.9));
    p.setBrush(gold);
    p.drawPath(nib);
    p.setPen(QPen(Tinted(QColor(70, 46, 8), s), 0.9));
    p.drawLine(QPointF(0.8, 0), QPointF(9.0, 0));
    p.setBrush(Tinted(QColor(70, 46, 8), s));
    p.drawEllipse(QPointF(10.0, 0), 1.3, 1.3);
    p.restore();
}

void Stamp(QPainter& p, ButtonState s)
{
    p.save();
    // The print: a red star.
    const QPainterPath star = StarPath(QPointF(11.0, 29.0), 6.5, 2.7);
    p.setPen(Qt::NoPen);
    p.setBrush(Tinted(QColor(214, 36, 36), s));
    p.drawPath(star);
    // The stamp: knob, neck, wooden block and rubber.
    p.setPen(QPen(Tinted(kInk, s), 1.0));
    p.setBrush(Tinted(QColor(150, 40, 40), s));
    p.drawEllipse(QPointF(27.0, 8.5), 4.2, 4.2);
    p.setBrush(Tinted(QColor(200, 150, 90), s));
    p.drawRect(QRectF(25.0, 12.0, 4.0, 7.0));
    QLinearGradient wood(19, 19, 35, 19);
    wood.setColorAt(0.0, Tinted(QColor(214, 168, 104), s));
    wood.setColorAt(1.0, Tinted(QColor(160, 112, 56), s));
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(19.0, 19.0, 16.0, 7.0), 1.5, 1.5);
    p.setBrush(Tinted(QColor(200, 40, 40), s));
    p.drawRect(QRectF(20.0, 26.0, 14.0, 3.0));
    p.restore();
}

void StampFrame(QPainter& p, ButtonState s)
{
    p.save();
    // Red seal corners mark the button as the stamp while leaving the middle
    // free for the current symbol, which the panel draws on top.
    p.setPen(QPen(Tinted(QColor(200, 40, 40), s), 2.0, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    const qreal a = 6.5;
    const qreal b = 33.5;
    const qreal k = 6.0;
    p.drawPolyline(QPolygonF({{a, a + k}, {a, a}, {a + k, a}}));
    p.drawPolyline(QPolygonF({{b - k, a}, {b, a}, {b, a + k}}));
    p.drawPolyline(QPolygonF({{a, b - k}, {a, b}, {a + k, b}}));
    p.drawPolyline(QPolygonF({{b - k, b}, {b, b}, {b, b - k}}));
    p.restore();
}

void Eraser(QPainter& p, ButtonState s)
{
    p.save();
    // The line being rubbed out fades towards the eraser.
    for (int i = 0; i < 5; ++i) {
        const QColor c = Tinted(QColor(40, 40, 48, 255 - i * 40), s);
        p.setPen(RoundPen(c, 2.4));
        p.drawLine(QPointF(4.0 + i * 4.0, 33.0), QPointF(6.5 + i * 4.0, 33.0));
    }
    p.translate(24.0, 21.0);
    p.rotate(-35.0);
    QLinearGradient pink(0, -7, 0, 7);
    pink.setColorAt(0.0, Tinted(QColor(255, 176, 190), s));
    pink.setColorAt(1.0, Tinted(QColor(226, 110, 134), s));
    p.setPen(QPen(Tinted(kInk, s), 1.0));
    p.setBrush(pink);
    p.drawRoundedRect(QRectF(-12.0, -7.0, 24.0, 14.0), 3.0, 3.0);
    QLinearGradient sleeve(0, -7, 0, 7);
    sleeve.setColorAt(0.0, Tinted(QColor(120, 170, 240), s));
    sleeve.setColorAt(1.0, Tinted(QColor(60, 100, 190), s));
    p.setBrush(sleeve);
    p.drawRect(QRectF(0.0, -7.0, 12.0, 14.0));
    p.restore();
}

void Recognition(QPainter& p, ButtonState s)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    // A shaky hand-drawn loop ...
    QPainterPath sketch;
    for (int i = 0; i <= 28; ++i) {
        const double a = i * (2.2 * M_PI / 28);
        const double r = 7.0 + 1.3 * std::sin(i * 1.9) + 0.4 * i / 28.0;
        const QPointF pt(12.0 + r * std::cos(a), 13.0 + r * std::sin(a));
        i == 0 ? sketch.moveTo(pt) : sketch.lineTo(pt);
    }
    p.setPen(RoundPen(Tinted(QColor(90, 92, 100), s), 1.3));
    p.drawPath(sketch);
    // ... an arrow ...
    p.setPen(RoundPen(Tinted(QColor(222, 104, 16), s), 2.0));
    p.drawLine(QPointF(18.5, 19.5), QPointF(24.0, 25.0));
    p.drawPolyline(QPolygonF({{19.5, 25.0}, {24.0, 25.0}, {24.0, 20.5}}));
    // ... and the clean shape it becomes.
    p.setPen(RoundPen(Tinted(QColor(30, 90, 200), s), 2.2));
    p.drawPolygon(QPolygonF({{29.0, 23.5}, {36.0, 35.0}, {22.0, 35.0}}));
    p.restore();
}

void Multicolour(QPainter& p, ButtonState s)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const QColor colours[3] = {QColor(0, 190, 60), QColor(30, 80, 235), QColor(232, 30, 30)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath ribbon;
        const double dy = 13.0 + i * 7.0;
        ribbon.moveTo(7.0, dy);
        ribbon.cubicTo(14.0, dy - 7.0, 22.0, dy + 7.0, 33.0, dy - 2.0);
        p.setPen(RoundPen(Tinted(colours[i], s), 4.6));
        p.drawPath(ribbon);
    }
    p.restore();
}

}  // namespace artgen::icons
