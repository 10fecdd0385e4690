#include "BackgroundKit.h"

#include <algorithm>
#include <cmath>

#include "ArtKit.h"

namespace artgen::backgrounds {
namespace {
int Clamp255(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }
}  // namespace

QImage Blank(const QColor& c)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

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

void Grain(QImage& image, double amount, std::uint32_t seed)
{
    Shade(image, [&](int x, int y, double& r, double& g, double& b) {
        const double n = (ValueNoise(x * 0.9, y * 0.9, seed) - 0.5) * 2.0 * amount;
        r += n;
        g += n;
        b += n;
    });
}

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

}  // namespace artgen::backgrounds
