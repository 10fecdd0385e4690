// Paper and ruled-grid backgrounds.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ArtKit.h"
#include "BackgroundKit.h"

namespace artgen::backgrounds {

// Rice paper: warm, with long thin fibres floating in it.
QImage RicePaper()
{
    QImage image = Blank(QColor(250, 246, 236));
    Mottle(image, 5.0, 180.0, 11);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        CArtRandom rnd(1101);
        for (int i = 0; i < 900; ++i) {
            const double x = rnd.Range(-40, W + 40);
            const double y = rnd.Range(-40, H + 40);
            const double len = rnd.Range(12, 70);
            const double angle = rnd.Range(0, 2 * M_PI);
            const double bend = rnd.Range(-12, 12);
            QPainterPath fibre;
            fibre.moveTo(x, y);
            fibre.quadTo(x + len / 2 * std::cos(angle) + bend, y + len / 2 * std::sin(angle) - bend,
                         x + len * std::cos(angle), y + len * std::sin(angle));
            const int shade = static_cast<int>(rnd.Range(196, 228));
            p.setPen(
                QPen(QColor(shade, shade - 6, shade - 20, static_cast<int>(rnd.Range(40, 110))),
                     rnd.Range(0.5, 1.1)));
            p.drawPath(fibre);
        }
    }
    Grain(image, 2.0, 12);
    return image;
}

// Calligraphy practice grid: square cells with a solid red frame and dashed
// guide lines through the middle, and with `diagonals` the two diagonals too.
QImage PracticeGrid(bool diagonals)
{
    QImage image = Blank(QColor(252, 249, 243));
    Mottle(image, 3.0, 220.0, diagonals ? 21 : 22);
    constexpr int kCell = 112;
    constexpr int kCols = 8;
    constexpr int kRows = 4;
    const double left = (W - kCols * kCell) / 2.0;
    const double top = (H - kRows * kCell) / 2.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen guide(QColor(238, 176, 170), 1.0, Qt::DashLine);
    guide.setDashPattern({5, 4});
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            const QRectF cell(left + col * kCell + 0.5, top + row * kCell + 0.5, kCell, kCell);
            p.setPen(guide);
            p.drawLine(QPointF(cell.center().x(), cell.top()),
                       QPointF(cell.center().x(), cell.bottom()));
            p.drawLine(QPointF(cell.left(), cell.center().y()),
                       QPointF(cell.right(), cell.center().y()));
            if (diagonals) {
                p.drawLine(cell.topLeft(), cell.bottomRight());
                p.drawLine(cell.topRight(), cell.bottomLeft());
            }
        }
    }
    p.setPen(QPen(QColor(232, 154, 146), 1.6));
    p.setBrush(Qt::NoBrush);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            p.drawRect(QRectF(left + col * kCell + 0.5, top + row * kCell + 0.5, kCell, kCell));
        }
    }
    p.setPen(QPen(QColor(230, 146, 138), 3.0));
    p.drawRect(QRectF(left - 6, top - 6, kCols * kCell + 13, kRows * kCell + 13));
    p.end();
    Grain(image, 1.5, 23);
    return image;
}

// Ruled note paper: blue lines, a red margin and punched holes.
QImage LinedPaper()
{
    QImage image = Blank(QColor(253, 252, 247));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(186, 208, 236), 1.2));
    for (double y = 88.5; y < H; y += 32.0) {
        p.drawLine(QPointF(0, y), QPointF(W, y));
    }
    p.setPen(QPen(QColor(240, 168, 168), 1.4));
    p.drawLine(QPointF(100.5, 0), QPointF(100.5, H));
    p.drawLine(QPointF(104.5, 0), QPointF(104.5, H));
    p.setPen(QPen(QColor(214, 214, 210), 1.0));
    p.setBrush(QColor(238, 238, 234));
    for (const double y : {110.0, 280.0, 450.0}) {
        p.drawEllipse(QPointF(44.0, y), 12.0, 12.0);
    }
    p.end();
    Grain(image, 1.5, 31);
    return image;
}

// Squared paper: a fine grid with a stronger line every fifth square.
QImage SquaredPaper()
{
    QImage image = Blank(QColor(250, 252, 253));
    QPainter p(&image);
    for (int k = 0; k * 16 < W; ++k) {
        p.setPen(QColor(k % 5 == 0 ? QColor(176, 204, 228) : QColor(216, 230, 242)));
        p.drawLine(k * 16 + 8, 0, k * 16 + 8, H);
    }
    for (int k = 0; k * 16 < H; ++k) {
        p.setPen(QColor(k % 5 == 0 ? QColor(176, 204, 228) : QColor(216, 230, 242)));
        p.drawLine(0, k * 16, W, k * 16);
    }
    p.end();
    Grain(image, 1.2, 41);
    return image;
}

// Dot grid paper.
QImage DotGrid()
{
    QImage image = Blank(QColor(251, 250, 247));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(176, 178, 190));
    for (int y = 16; y < H; y += 24) {
        for (int x = 8; x < W; x += 24) {
            p.drawEllipse(QPointF(x + 0.5, y + 0.5), 1.3, 1.3);
        }
    }
    p.end();
    Grain(image, 1.2, 51);
    return image;
}

// Old parchment: warm, blotchy, a little darker towards the edges.
QImage Parchment()
{
    QImage image = Blank(QColor(248, 240, 222));
    Mottle(image, 7.0, 140.0, 121);
    Shade(image, [](int x, int y, double& r, double& g, double& b) {
        const double dx = (x - W / 2.0) / (W / 2.0);
        const double dy = (y - H / 2.0) / (H / 2.0);
        const double v = std::pow(std::min(1.0, std::sqrt(dx * dx + dy * dy) / 1.41), 3.0) * 14.0;
        r -= v * 0.8;
        g -= v;
        b -= v * 1.3;
    });
    Grain(image, 2.0, 122);
    return image;
}

// Linen canvas: crossing threads of slightly uneven thickness.
QImage Linen()
{
    QImage image = Blank(QColor(244, 241, 233));
    Shade(image, [](int x, int y, double& r, double& g, double& b) {
        const double warp = std::sin(x * 1.6 + ValueNoise(x * 0.05, y * 0.3, 131) * 3.0);
        const double weft = std::sin(y * 1.6 + ValueNoise(x * 0.3, y * 0.05, 132) * 3.0);
        const double slub = (ValueNoise(x * 0.02, y * 0.5, 133) - 0.5) * 6.0;
        const double v = (warp + weft) * 2.2 + slub;
        r += v;
        g += v;
        b += v * 0.9;
    });
    Mottle(image, 2.0, 300.0, 134);
    return image;
}

// Music manuscript paper: groups of five lines.
QImage MusicStaves()
{
    QImage image = Blank(QColor(252, 251, 246));
    QPainter p(&image);
    p.setPen(QColor(206, 206, 214));
    for (int staff = 0; staff < 6; ++staff) {
        const int top = 48 + staff * 86;
        for (int line = 0; line < 5; ++line) {
            p.drawLine(56, top + line * 10, W - 56, top + line * 10);
        }
        p.drawLine(56, top, 56, top + 40);
        p.drawLine(W - 56, top, W - 56, top + 40);
    }
    p.end();
    Grain(image, 1.5, 191);
    return image;
}

// Triangle grid paper, for isometric sketches.
QImage TriangleGrid()
{
    QImage image = Blank(QColor(250, 252, 252));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(210, 226, 232), 1.0));
    const double step = 28.0;
    const double rise = step * std::sqrt(3.0);
    for (double y = 0.5; y < H; y += step * std::sqrt(3.0) / 2) {
        p.drawLine(QPointF(0, y), QPointF(W, y));
    }
    for (double x = -H; x < W + H; x += step) {
        p.drawLine(QPointF(x, 0), QPointF(x + H / rise * step, H));
        p.drawLine(QPointF(x, 0), QPointF(x - H / rise * step, H));
    }
    p.end();
    Grain(image, 1.2, 201);
    return image;
}

// Chinese composition paper: rows of square boxes with a gap between rows.
QImage CompositionPaper()
{
    QImage image = Blank(QColor(251, 252, 248));
    QPainter p(&image);
    p.setPen(QPen(QColor(172, 212, 176), 1.0));
    p.setBrush(Qt::NoBrush);
    constexpr int kBox = 36;
    constexpr int kGap = 10;
    constexpr int kCols = 26;
    const int left = (W - kCols * kBox) / 2;
    for (int top = 24; top + kBox < H - 16; top += kBox + kGap) {
        for (int col = 0; col < kCols; ++col) {
            p.drawRect(left + col * kBox, top, kBox, kBox);
        }
    }
    p.setPen(QPen(QColor(150, 200, 156), 2.0));
    p.drawRect(left - 6, 18, kCols * kBox + 12, H - 36);
    p.end();
    Grain(image, 1.2, 211);
    return image;
}

}  // namespace artgen::backgrounds
