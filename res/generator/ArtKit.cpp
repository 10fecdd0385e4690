#include "ArtKit.h"

#include <QFile>
#include <QFontDatabase>
#include <QImageWriter>
#include <QPainter>
#include <cmath>
#include <cstdio>

namespace artgen {

std::uint64_t CArtRandom::Next()
{
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1Dull;
}

double CArtRandom::Unit()
{
    // 53 high bits give every double in [0, 1) on a uniform grid.
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {
// Integer hash of a lattice point, mapped to [0, 1].
double LatticeValue(int ix, int iy, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(ix) * 0x8DA6B343u;
    h ^= static_cast<std::uint32_t>(iy) * 0xD8163841u;
    h ^= seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h) / 4294967295.0;
}

double SmoothStep(double t) { return t * t * (3.0 - 2.0 * t); }
}  // namespace

double ValueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = SmoothStep(x - fx);
    const double ty = SmoothStep(y - fy);
    const double a = LatticeValue(ix, iy, seed);
    const double b = LatticeValue(ix + 1, iy, seed);
    const double c = LatticeValue(ix, iy + 1, seed);
    const double d = LatticeValue(ix + 1, iy + 1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double FractalNoise(double x, double y, int octaves, std::uint32_t seed)
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    double scale = 1.0;
    for (int i = 0; i < octaves; ++i) {
        sum +=
            weight * ValueNoise(x * scale, y * scale, seed + static_cast<std::uint32_t>(i) * 101u);
        total += weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return total > 0.0 ? sum / total : 0.0;
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    const auto lerp = [t](int u, int v) { return static_cast<int>(std::lround(u + (v - u) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor Greyed(const QColor& c)
{
    const int grey = (c.red() * 30 + c.green() * 59 + c.blue() * 11) / 100;
    const int lifted = 92 + grey * 74 / 255;
    return QColor(lifted, lifted, lifted, c.alpha());
}

QImage Flatten(const QImage& argb, const QColor& backdrop)
{
    const QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < 128) {
                line[x] = qRgb(255, 255, 255);
                continue;
            }
            const auto blend = [a](int fg, int bg) {
                return (fg * a + bg * (255 - a) + 127) / 255;
            };
            int r = blend(qRed(in[x]), backdrop.red());
            int g = blend(qGreen(in[x]), backdrop.green());
            int b = blend(qBlue(in[x]), backdrop.blue());
            if (r == 255 && g == 255 && b == 255) {
                r = g = b = 254;
            }
            line[x] = qRgb(r, g, b);
        }
    }
    return out;
}

QImage TransparentCanvas(int cx, int cy)
{
    QImage image(cx, cy, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool SavePng(const QImage& image, const QString& path, bool keepAlpha)
{
    QImageWriter writer(path, "png");
    writer.setQuality(0);  // for PNG: smallest file (zlib level 9), still lossless
    return writer.write(
        image.convertToFormat(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32));
}

bool SaveJpeg(const QImage& image, const QString& path, int quality)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(false);
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
}

namespace {
QString LoadFamily(const QString& file, const QString& preferred)
{
    if (!QFile::exists(file)) {
        std::fprintf(stderr, "kolvane-artgen: font file missing: %s\n", qPrintable(file));
        return {};
    }
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "kolvane-artgen: cannot load font %s\n", qPrintable(file));
        return {};
    }
    return families.contains(preferred) ? preferred : families.front();
}
}  // namespace

bool LoadArtFonts(ArtFonts& fonts)
{
    fonts.sans = LoadFamily(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
                            QStringLiteral("DejaVu Sans"));
    LoadFamily(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
               QStringLiteral("DejaVu Sans"));
    fonts.serif = LoadFamily(
        QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSerif-BoldItalic.ttf"),
        QStringLiteral("Liberation Serif"));
    fonts.cjk = LoadFamily(QStringLiteral("/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"),
                           QStringLiteral("Noto Sans CJK SC"));
    return !fonts.sans.isEmpty() && !fonts.serif.isEmpty() && !fonts.cjk.isEmpty();
}

}  // namespace artgen

namespace artgen {

QPainterPath StarPath(const QPointF& centre, double outer, double inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

}  // namespace artgen
