// Washes, gradients and faint scenes.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ArtKit.h"
#include "BackgroundKit.h"

namespace artgen::backgrounds {

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

}  // namespace artgen::backgrounds
