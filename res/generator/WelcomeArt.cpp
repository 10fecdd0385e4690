#include "WelcomeArt.h"

#include "ArtKit.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "PenIcons.h"

namespace artgen {
namespace {

QPen RoundPen(const QColor& c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The three nested bands of the fill pen along `path`, scaled by `w`.
void ThreeColourStroke(QPainter& p, const QPainterPath& path, qreal w)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(QColor(34, 78, 180), w));
    p.drawPath(path);
    p.setPen(RoundPen(QColor(250, 210, 40), w * 0.62));
    p.drawPath(path);
    p.setPen(RoundPen(QColor(222, 44, 44), w * 0.26));
    p.drawPath(path);
}

void Doodles(QPainter& p)
{
    // A highlighter pass under where the title goes.
    p.setPen(QPen(QColor(255, 232, 60, 130), 26, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(150, 150), QPointF(460, 146));
    // A three-colour swoosh under the name.
    QPainterPath swoosh;
    swoosh.moveTo(120, 196);
    swoosh.cubicTo(220, 168, 330, 226, 486, 178);
    ThreeColourStroke(p, swoosh, 11);
    // A dotted spiral in the top left.
    QPen dots(QColor(130, 64, 190), 4, Qt::CustomDashLine, Qt::RoundCap);
    dots.setDashPattern({0.5, 2.0});
    p.setPen(dots);
    QPainterPath spiral;
    for (int i = 0; i <= 80; ++i) {
        const double a = i * 0.12;
        const double r = 4 + a * 5.5;
        const QPointF pt(70 + r * std::cos(a), 66 + r * std::sin(a));
        i == 0 ? spiral.moveTo(pt) : spiral.lineTo(pt);
    }
    p.drawPath(spiral);
    // Clean shapes, as recognition turns sketches into.
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(QColor(30, 150, 90), 4));
    p.drawEllipse(QPointF(528, 70), 30, 30);
    p.setPen(RoundPen(QColor(226, 104, 20), 4));
    p.drawPolygon(QPolygonF({{470, 280}, {510, 218}, {550, 280}}));
    // A red stamp star.
    const QPainterPath star = StarPath(QPointF(70, 250), 22, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 40, 40));
    p.drawPath(star);
    // A writing-brush stroke: a pressed-in head, a body that thins a little,
    // a pressed tail, and dry streaks where the hair ran out of ink.
    QPainterPath brush;
    brush.moveTo(136, 244);
    brush.cubicTo(138, 230, 156, 228, 172, 236);
    brush.cubicTo(220, 240, 280, 236, 326, 232);
    brush.cubicTo(340, 230, 352, 236, 354, 244);
    brush.cubicTo(355, 252, 346, 258, 334, 254);
    brush.cubicTo(280, 250, 220, 254, 170, 256);
    brush.cubicTo(150, 258, 134, 256, 136, 244);
    p.setBrush(QColor(30, 30, 34));
    p.drawPath(brush);
    p.setBrush(Qt::NoBrush);
    for (const double y : {240.5, 245.0, 250.0}) {
        p.setPen(QPen(QColor(248, 244, 234, 110), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(236 + (y - 240) * 6, y), QPointF(318 - (y - 240) * 3, y - 1.5));
    }
}

}  // namespace

QImage WelcomePicture(const ArtFonts& fonts)
{
    constexpr int kWidth = 600;
    constexpr int kHeight = 397;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A sheet of warm paper with rounded corners on the black screen.
    QLinearGradient paper(0, 0, 0, kHeight);
    paper.setColorAt(0.0, QColor(253, 250, 242));
    paper.setColorAt(1.0, QColor(240, 234, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(0, 0, kWidth, kHeight), 18, 18);

    Doodles(p);

    QFont title(fonts.serif);
    title.setPixelSize(92);
    title.setBold(true);
    title.setItalic(true);
    title.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(title);
    p.setPen(QColor(40, 44, 60, 90));
    p.drawText(QRectF(4, 84, kWidth, 110), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Kolvane"));
    p.setPen(QColor(36, 40, 58));
    p.drawText(QRectF(0, 80, kWidth, 110), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Kolvane"));

    QFont invite(fonts.cjk);
    invite.setPixelSize(22);
    invite.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(invite);
    p.setPen(QColor(60, 64, 76));
    p.drawText(QRectF(0, 292, kWidth, 30), Qt::AlignCenter, QStringLiteral("点一下画布，开始涂鸦"));
    QFont english(fonts.sans);
    english.setPixelSize(13);
    english.setBold(false);
    english.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(english);
    p.setPen(QColor(110, 112, 120));
    p.drawText(QRectF(0, 320, kWidth, 20), Qt::AlignCenter,
               QStringLiteral("Click the canvas to start drawing"));

    // The eight tools along the bottom, as the pen panel shows them.
    const IconPainter tools[] = {icons::SolidPen,  icons::FillPen,      icons::Marker,
                                 icons::DottedPen, icons::WritingBrush, icons::FountainPen,
                                 icons::Stamp,     icons::Eraser};
    const int count = static_cast<int>(std::size(tools));
    const int left = (kWidth - count * 44) / 2;
    for (int i = 0; i < count; ++i) {
        p.save();
        p.translate(left + i * 44 + 2, 346);
        tools[i](p, ButtonState::Normal);
        p.restore();
    }
    return image;
}

QImage ProgramIcon(int size)
{
    QImage canvas = TransparentCanvas(size, size);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    // Paper tile with a soft edge.
    QLinearGradient paper(0, 16, 0, 240);
    paper.setColorAt(0.0, QColor(255, 252, 244));
    paper.setColorAt(1.0, QColor(236, 228, 210));
    p.setPen(QPen(QColor(60, 62, 70), size <= 32 ? 12 : 6));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 44, 44);
    // The swoosh: the fill pen's three nested bands.
    QPainterPath swoosh;
    swoosh.moveTo(58, 186);
    swoosh.cubicTo(86, 96, 140, 226, 200, 70);
    ThreeColourStroke(p, swoosh, size <= 32 ? 64 : 48);
    if (size > 32) {
        // A dotted trail and a stamp star complete the doodle.
        QPen dots(QColor(130, 64, 190), 12, Qt::CustomDashLine, Qt::RoundCap);
        dots.setDashPattern({0.2, 1.8});
        p.setPen(dots);
        p.drawLine(QPointF(64, 66), QPointF(126, 52));
        const QPainterPath star = StarPath(QPointF(196, 192), 26, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(214, 40, 40));
        p.drawPath(star);
    }
    p.end();
    return canvas;
}

}  // namespace artgen
