#include "Backgrounds.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "ArtKit.h"

namespace artgen::backgrounds {
namespace {

constexpr int W = kWidth;
constexpr int H = kHeight;

QImage Blank(const QColor& c)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

int Clamp255(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

// Runs `shade` for every pixel; it returns the colour as three doubles.
void Shade(QImage& image, const std::function<void(int, int, double&, double&, double&)>& shade)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            double r = qRed(line[x]);
            double g = qGreen(line[x]);
            double b = qBlue(line[x]);
            shade(x, y, r, g, b);
            line[x] = qRgb(Clamp255(r), Clamp255(g), Clamp255(b));
        }
    }
}

// Fine paper grain: a small, even brightness noise. It also dithers smooth
// gradients so they do not band.
void Grain(QImage& image, double amount, std::uint32_t seed)
{
    Shade(image, [&](int x, int y, double& r, double& g, double& b) {
        const double n = (ValueNoise(x * 0.9, y * 0.9, seed) - 0.5) * 2.0 * amount;
        r += n;
        g += n;
        b += n;
    });
}

// Soft blotches, as paper that has taken up a little damp.
void Mottle(QImage& image, double amount, double scale, std::uint32_t seed)
{
    Shade(image, [&](int x, int y, double& r, double& g, double& b) {
        const double n = (FractalNoise(x / scale, y / scale, 4, seed) - 0.5) * 2.0 * amount;
        r += n;
        g += n;
        b += n * 1.3;
    });
}

void VerticalGradient(QImage& image, const QColor& top, const QColor& bottom)
{
    Shade(image, [&](int, int y, double& r, double& g, double& b) {
        const double t = static_cast<double>(y) / (H - 1);
        r = top.red() + (bottom.red() - top.red()) * t;
        g = top.green() + (bottom.green() - top.green()) * t;
        b = top.blue() + (bottom.blue() - top.blue()) * t;
    });
}

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

// A watercolour wash: pigment pooled in soft blotches, darker where the
// water dried at the edge, the grain of the paper showing through.
QImage Watercolour(const QColor& pigment, const QColor& second, std::uint32_t seed)
{
    QImage image = Blank(QColor(252, 251, 248));
    Shade(image, [&](int x, int y, double& r, double& g, double& b) {
        const double n = FractalNoise(x / 260.0, y / 260.0, 5, seed);
        const double m = FractalNoise(x / 150.0 + 17.0, y / 150.0, 4, seed + 7);
        const double body = std::clamp((n - 0.42) * 4.0, 0.0, 1.0);
        const double edge = std::exp(-std::pow((n - 0.47) / 0.018, 2.0)) * 0.35;
        const double amount = std::min(1.0, body * 0.62 + edge) * (0.75 + 0.5 * m);
        const double mix = std::clamp((m - 0.35) * 2.0, 0.0, 1.0);
        const double pr = pigment.red() + (second.red() - pigment.red()) * mix;
        const double pg = pigment.green() + (second.green() - pigment.green()) * mix;
        const double pb = pigment.blue() + (second.blue() - pigment.blue()) * mix;
        const double t = std::min(amount, 1.0);
        r += (pr - r) * t;
        g += (pg - g) * t;
        b += (pb - b) * t;
    });
    Grain(image, 2.2, seed + 3);
    return image;
}

QImage SoftGradient(const QColor& top, const QColor& bottom, std::uint32_t seed)
{
    QImage image = Blank(Qt::white);
    VerticalGradient(image, top, bottom);
    Mottle(image, 3.0, 400.0, seed);
    Grain(image, 1.5, seed + 1);
    return image;
}

// A diagonal wash between two colours with a faint glow in one corner.
QImage DiagonalGradient(const QColor& from, const QColor& to, std::uint32_t seed)
{
    QImage image = Blank(Qt::white);
    Shade(image, [&](int x, int y, double& r, double& g, double& b) {
        const double t = std::clamp((x * 0.8 + y * 1.2) / (W * 0.8 + H * 1.2), 0.0, 1.0);
        const double glow =
            std::exp(-(std::pow(x - 860.0, 2) + std::pow(y - 90.0, 2)) / 60000.0) * 10.0;
        r = from.red() + (to.red() - from.red()) * t + glow;
        g = from.green() + (to.green() - from.green()) * t + glow;
        b = from.blue() + (to.blue() - from.blue()) * t + glow;
    });
    Grain(image, 1.5, seed);
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

// A pale sky with soft clouds.
QImage Clouds()
{
    QImage image = Blank(Qt::white);
    VerticalGradient(image, QColor(220, 235, 250), QColor(244, 248, 252));
    Shade(image, [](int x, int y, double& r, double& g, double& b) {
        const double n = FractalNoise(x / 220.0, y / 120.0, 5, 141);
        const double cloud = std::clamp((n - 0.45) * 3.0, 0.0, 1.0);
        r += (252 - r) * cloud;
        g += (253 - g) * cloud;
        b += (254 - b) * cloud;
    });
    Grain(image, 1.2, 142);
    return image;
}

// Misty mountains in pale ink wash, ridge behind ridge.
QImage InkMountains()
{
    QImage image = Blank(QColor(250, 249, 245));
    Mottle(image, 2.5, 300.0, 151);
    const QColor layers[3] = {QColor(232, 236, 238), QColor(220, 227, 230), QColor(208, 217, 220)};
    const double baseline[3] = {230.0, 320.0, 420.0};
    const double height[3] = {150.0, 130.0, 110.0};
    for (int k = 0; k < 3; ++k) {
        Shade(image, [&](int x, int y, double& r, double& g, double& b) {
            const double ridge =
                baseline[k] - height[k] * FractalNoise(x / 180.0, k * 10.0, 5, 152 + k);
            if (y < ridge) {
                return;
            }
            // The foot of each ridge dissolves into mist.
            const double mist = std::clamp((y - ridge) / 160.0, 0.0, 1.0);
            const double t = 1.0 - mist * 0.85;
            r += (layers[k].red() - r) * t;
            g += (layers[k].green() - g) * t;
            b += (layers[k].blue() - b) * t;
        });
    }
    Grain(image, 1.5, 155);
    return image;
}

// Bamboo stalks and leaves, faint, at the right-hand side.
QImage Bamboo()
{
    QImage image = Blank(QColor(249, 251, 246));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    CArtRandom rnd(161);
    const QColor stalk(206, 224, 200);
    for (int i = 0; i < 4; ++i) {
        const double x = 790.0 + i * 62.0 + rnd.Range(-10, 10);
        const double w = rnd.Range(12, 18);
        for (double y = rnd.Range(-60, 0); y < H; y += rnd.Range(80, 120)) {
            p.setPen(Qt::NoPen);
            p.setBrush(stalk);
            p.drawRoundedRect(QRectF(x - w / 2, y + 3, w, 90), 4, 4);
        }
    }
    for (int i = 0; i < 46; ++i) {
        const QPointF base(rnd.Range(680, 1010), rnd.Range(20, 540));
        const double angle = rnd.Range(140, 220) * M_PI / 180.0;
        const double len = rnd.Range(50, 95);
        const QPointF tip(base.x() + len * std::cos(angle),
                          base.y() + len * std::sin(angle) * 0.5 + 20);
        const QPointF normal(-(tip.y() - base.y()) / len, (tip.x() - base.x()) / len);
        const double wid = len * 0.14;
        QPainterPath leaf;
        leaf.moveTo(base);
        leaf.quadTo((base + tip) / 2 + normal * wid, tip);
        leaf.quadTo((base + tip) / 2 - normal * wid, base);
        p.setBrush(QColor(196, 220, 192, static_cast<int>(rnd.Range(150, 230))));
        p.drawPath(leaf);
    }
    p.end();
    Grain(image, 1.5, 162);
    return image;
}

// A branch of plum blossom reaching in from the top left.
QImage PlumBlossom()
{
    QImage image = Blank(QColor(252, 250, 246));
    Mottle(image, 2.5, 250.0, 171);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    CArtRandom rnd(172);
    std::vector<QPointF> blossoms;
    const std::function<void(QPointF, double, double, int)> branch = [&](QPointF from, double angle,
                                                                         double width, int depth) {
        const double len = rnd.Range(70, 130) * (depth == 0 ? 1.6 : 1.0);
        const QPointF to(from.x() + len * std::cos(angle), from.y() + len * std::sin(angle));
        const QPointF bend((from.x() + to.x()) / 2 + rnd.Range(-15, 15),
                           (from.y() + to.y()) / 2 + rnd.Range(-15, 15));
        QPainterPath path;
        path.moveTo(from);
        path.quadTo(bend, to);
        p.setPen(QPen(QColor(200, 192, 188), width, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        blossoms.push_back(to);
        blossoms.push_back(bend);
        if (depth < 3) {
            branch(to, angle + rnd.Range(-0.7, -0.2), width * 0.65, depth + 1);
            branch(to, angle + rnd.Range(0.2, 0.7), width * 0.6, depth + 1);
        }
    };
    branch(QPointF(-20, 40), 0.35, 12.0, 0);
    branch(QPointF(-20, 150), 0.05, 8.0, 1);
    p.setPen(Qt::NoPen);
    for (const QPointF& c : blossoms) {
        for (int petal = 0; petal < 5; ++petal) {
            const double a = petal * 2 * M_PI / 5 + c.x();
            p.setBrush(QColor(246, 206, 214, 210));
            p.drawEllipse(QPointF(c.x() + 6 * std::cos(a), c.y() + 6 * std::sin(a)), 5.5, 5.5);
        }
        p.setBrush(QColor(236, 190, 150));
        p.drawEllipse(c, 2.0, 2.0);
    }
    p.end();
    Grain(image, 1.5, 173);
    return image;
}

// Soft out-of-focus circles of light.
QImage Bokeh()
{
    QImage image = Blank(Qt::white);
    VerticalGradient(image, QColor(250, 244, 236), QColor(242, 240, 250));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    CArtRandom rnd(181);
    const QColor tints[4] = {QColor(255, 214, 200), QColor(206, 222, 255), QColor(255, 236, 190),
                             QColor(222, 208, 250)};
    for (int i = 0; i < 70; ++i) {
        const QPointF c(rnd.Range(0, W), rnd.Range(0, H));
        const double r = rnd.Range(18, 80);
        QRadialGradient glow(c, r);
        QColor tint = tints[i % 4];
        tint.setAlpha(static_cast<int>(rnd.Range(40, 90)));
        glow.setColorAt(0.0, tint);
        glow.setColorAt(0.8, tint);
        tint.setAlpha(0);
        glow.setColorAt(1.0, tint);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, r, r);
    }
    p.end();
    Grain(image, 1.5, 182);
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

// Pale marble with soft grey-blue veins.
QImage Marble()
{
    QImage image = Blank(QColor(248, 248, 247));
    Shade(image, [](int x, int y, double& r, double& g, double& b) {
        const double turb = FractalNoise(x / 170.0, y / 170.0, 6, 221) * 9.0;
        const double vein = std::pow(std::abs(std::sin(x / 120.0 + y / 260.0 + turb)), 0.35);
        const double dark = (1.0 - vein) * 30.0;
        r -= dark * 0.9;
        g -= dark * 0.8;
        b -= dark * 0.6;
    });
    Mottle(image, 2.0, 200.0, 222);
    Grain(image, 1.0, 223);
    return image;
}

// Rolling hills under a clear sky, washed out to a whisper.
QImage Meadow()
{
    QImage image = Blank(Qt::white);
    VerticalGradient(image, QColor(226, 238, 250), QColor(248, 250, 240));
    const QColor hills[2] = {QColor(226, 238, 214), QColor(212, 230, 200)};
    for (int k = 0; k < 2; ++k) {
        Shade(image, [&](int x, int y, double& r, double& g, double& b) {
            const double crest = 380.0 + k * 70.0 +
                                 40.0 * std::sin(x / (230.0 - k * 60.0) + k * 2.0) +
                                 30.0 * (FractalNoise(x / 300.0, k * 5.0, 3, 231 + k) - 0.5);
            if (y < crest) {
                return;
            }
            const double edge = std::clamp((y - crest) / 2.0, 0.0, 1.0);
            r += (hills[k].red() - r) * edge;
            g += (hills[k].green() - g) * edge;
            b += (hills[k].blue() - b) * edge;
        });
    }
    Mottle(image, 2.5, 160.0, 233);
    Grain(image, 1.5, 234);
    return image;
}

}  // namespace

QImage Paint(int n)
{
    switch (n) {
        case 1:
            return RicePaper();
        case 2:
            return PracticeGrid(false);
        case 3:
            return PracticeGrid(true);
        case 4:
            return LinedPaper();
        case 5:
            return SquaredPaper();
        case 6:
            return DotGrid();
        case 7:
            return Watercolour(QColor(196, 220, 244), QColor(214, 208, 246), 71);
        case 8:
            return Watercolour(QColor(250, 208, 200), QColor(252, 226, 186), 81);
        case 9:
            return Watercolour(QColor(206, 234, 206), QColor(228, 238, 196), 91);
        case 10:
            return SoftGradient(QColor(255, 236, 214), QColor(236, 228, 250), 101);
        case 11:
            return DiagonalGradient(QColor(222, 246, 238), QColor(218, 232, 252), 111);
        case 12:
            return Parchment();
        case 13:
            return Linen();
        case 14:
            return Clouds();
        case 15:
            return InkMountains();
        case 16:
            return Bamboo();
        case 17:
            return PlumBlossom();
        case 18:
            return Bokeh();
        case 19:
            return MusicStaves();
        case 20:
            return TriangleGrid();
        case 21:
            return CompositionPaper();
        case 22:
            return Marble();
        case 23:
            return Meadow();
        default:
            return Blank(Qt::white);
    }
}

QImage Thumbnail(const QImage& full)
{
    return full.scaled(kThumbWidth, kThumbHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace artgen::backgrounds
