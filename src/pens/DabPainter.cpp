#include "pens/DabPainter.h"

#include "gfx/Surface.h"
#include "pens/PixelBlend.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>

namespace {

using pixel_blend::ByteMul;
using pixel_blend::Interpolate;

bool IsOpaque(const QImage& image)
{
    if (!image.hasAlphaChannel()) {
        return true;
    }
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((row[x] >> 24) != 0xffu) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<DabMask> DrawDabMask(const QRect& area,
                                     const std::function<void(QPainter&)>& paint)
{
    // Drawn in opaque white on transparent black, each pixel's alpha is the
    // coverage.
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.translate(-area.x(), -area.y());
        paint(painter);
    }
    QRect covered;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] >> 24) != 0u) {
                covered |= QRect(x, y, 1, 1);
            }
        }
    }
    auto mask = std::make_unique<DabMask>();
    mask->rect = covered.translated(area.topLeft());
    mask->coverage.reserve(static_cast<std::size_t>(covered.width()) * covered.height());
    for (int y = covered.top(); y <= covered.bottom(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = covered.left(); x <= covered.right(); ++x) {
            mask->coverage.push_back(static_cast<std::uint8_t>(row[x] >> 24));
        }
    }
    return mask;
}

CDabMaskCache::CDabMaskCache(std::size_t count) : m_masks(count), m_kept(count) {}

const DabMask* CDabMaskCache::Get(std::size_t key,
                                  const std::function<std::unique_ptr<DabMask>()>& make)
{
    if (const DabMask* mask = m_masks[key].load(std::memory_order_acquire)) {
        return mask;
    }
    const std::lock_guard<std::mutex> lock(m_making);
    if (!m_kept[key]) {
        m_kept[key] = make();
        m_masks[key].store(m_kept[key].get(), std::memory_order_release);
    }
    return m_kept[key].get();
}

const DabMask* RoundDab(int width)
{
    if (width < kMinRoundDab || width > kMaxRoundDab) {
        return nullptr;
    }
    static CDabMaskCache masks(kMaxRoundDab + 1);
    return masks.Get(static_cast<std::size_t>(width), [width] {
        // A margin of two pixels holds the antialiased fringe.
        return DrawDabMask(QRect(-2, -2, width + 4, width + 4), [width](QPainter& painter) {
            painter.drawEllipse(QRectF(0, 0, width, width));
        });
    });
}

CDabPainter::CDabPainter(QImage& image, const QRegion* clip, const QBrush& brush)
{
    const QImage::Format format = image.format();
    if (image.isNull() ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)) {
        return;
    }
    if (brush.style() == Qt::SolidPattern && brush.color().alpha() == 255 &&
        brush.transform().isIdentity()) {
        m_color = brush.color().rgba();
    } else if (brush.style() == Qt::TexturePattern && brush.transform().isIdentity()) {
        const QImage texture = brush.textureImage();
        if (texture.isNull() || !IsOpaque(texture)) {
            return;
        }
        // An opaque texture's pixels read the same in either 32-bit form.
        m_texture = texture.format() == QImage::Format_RGB32 ||
                            texture.format() == QImage::Format_ARGB32_Premultiplied
                        ? texture
                        : texture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        m_textureBits = m_texture.constBits();
        m_textureStride = m_texture.bytesPerLine();
        m_textureWidth = m_texture.width();
        m_textureHeight = m_texture.height();
    } else {
        return;
    }
    m_bounds = image.rect();
    if (clip != nullptr) {
        for (const QRect& r : *clip) {
            if (r.intersects(m_bounds)) {
                m_clip.push_back(r & m_bounds);
            }
        }
    } else {
        m_clip.push_back(m_bounds);
    }
    m_stride = image.bytesPerLine();
    m_bits = image.bits();
}

void CDabPainter::Paint(const DabMask& mask, int x, int y) const
{
    const QRect dab = mask.rect.translated(x, y);
    const int width = mask.rect.width();
    for (const QRect& r : RectsAcross(m_clip, dab)) {
        const QRect area = dab & r;
        if (!area.isEmpty()) {
            const std::uint8_t* cover = mask.coverage.data() +
                                        static_cast<std::size_t>(area.top() - dab.top()) * width +
                                        (area.left() - dab.left());
            PaintRect(area, cover, width, 1);
        }
    }
}

void CDabPainter::PaintCoverage(const QImage& coverage, const QPoint& topLeft) const
{
    // The alpha byte of each 32-bit pixel.
    constexpr int kAlphaByte = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;
    const QRect placed(topLeft, coverage.size());
    const qsizetype stride = coverage.bytesPerLine();
    for (const QRect& r : RectsAcross(m_clip, placed)) {
        const QRect area = placed & r;
        if (!area.isEmpty()) {
            const std::uint8_t* cover = coverage.constBits() +
                                        stride * (area.top() - placed.top()) +
                                        4 * (area.left() - placed.left()) + kAlphaByte;
            PaintRect(area, cover, stride, 4);
        }
    }
}

QRect CDabPainter::PathReach(const QPainterPath& path, const QPen* pen)
{
    const double grow = (pen != nullptr ? std::ceil(pen->widthF() / 2.0) : 0.0) + 3.0;
    return path.controlPointRect().adjusted(-grow, -grow, grow, grow).toAlignedRect();
}

void CDabPainter::PaintPath(const QPainterPath& path, const QPen* pen) const
{
    PaintMasked(path, pen, PathReach(path, pen));
}

void CDabPainter::PaintFilled(const QPainterPath& path, const QRect& reach) const
{
    PaintMasked(path, nullptr, reach);
}

void CDabPainter::PaintMasked(const QPainterPath& path, const QPen* pen, const QRect& reach) const
{
    const QRect box = reach & m_bounds;
    if (box.isEmpty() || !RectsMeet(m_clip, box)) {
        return;
    }
    QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-box.x(), -box.y());
        if (pen != nullptr) {
            QPen white = *pen;
            white.setBrush(Qt::white);
            painter.setPen(white);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::white);
        }
        painter.drawPath(path);
    }
    PaintCoverage(mask, box.topLeft());
}

void CDabPainter::PaintRect(const QRect& area, const std::uint8_t* cover, qsizetype coverStride,
                            int coverStep) const
{
    using namespace pixel_blend;
    const int width = area.width();
    for (int py = area.top(); py <= area.bottom(); ++py, cover += coverStride) {
        auto* row = reinterpret_cast<std::uint32_t*>(m_bits + m_stride * py) + area.left();
        // Pixels go two at a time, the last of an odd row on its own; a
        // coverage of 0 leaves a pixel and one of 255 gives it the brush's
        // pixel, as the blend itself would.
        if (m_textureBits == nullptr) {
            const std::array<std::uint32_t, 2> pair = {m_color, m_color};
            const Channels color = LoadTwo(pair.data());
            int i = 0;
            for (; i + 1 < width; i += 2) {
                const std::uint32_t a0 = cover[i * coverStep];
                const std::uint32_t a1 = cover[(i + 1) * coverStep];
                if ((a0 | a1) == 0u) {
                    continue;
                }
                if ((a0 & a1) == 255u) {
                    row[i] = m_color;
                    row[i + 1] = m_color;
                    continue;
                }
                StoreTwo(row + i, ByteMulSum(color, SpreadTwo(a0, a1), LoadTwo(row + i)));
            }
            if (i < width) {
                const std::uint32_t a = cover[i * coverStep];
                row[i] = ByteMul(m_color, a) + ByteMul(row[i], 255u - a);
            }
            continue;
        }
        // The texture is anchored at the image's origin.
        const auto* tile = reinterpret_cast<const std::uint32_t*>(
            m_textureBits + m_textureStride * (py % m_textureHeight));
        int column = area.left() % m_textureWidth;
        const auto next = [this, tile, &column] {
            const int at = column;
            column = column + 1 == m_textureWidth ? 0 : column + 1;
            return tile[at];
        };
        int i = 0;
        for (; i + 1 < width; i += 2) {
            const std::uint32_t a0 = cover[i * coverStep];
            const std::uint32_t a1 = cover[(i + 1) * coverStep];
            const std::array<std::uint32_t, 2> s = {next(), next()};
            if ((a0 | a1) == 0u) {
                continue;
            }
            StoreTwo(row + i, InterpolateTwo(LoadTwo(s.data()), SpreadTwo(a0, a1), LoadTwo(row + i)));
        }
        if (i < width) {
            const std::uint32_t a = cover[i * coverStep];
            row[i] = Interpolate(next(), a, row[i], 255u - a);
        }
    }
}
