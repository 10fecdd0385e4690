#pragma once

#include <QBrush>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QPainter;
class QPainterPath;
class QPen;

// The coverage of one dab shape drawn at a whole-pixel position: the
// anti-aliased coverage (0..255) of each pixel of `rect`, row by row, with
// the rectangle given relative to the dab's own pixel.
struct DabMask {
    QRect rect;
    std::vector<std::uint8_t> coverage;
};

// The mask of what `paint` covers within `area` (relative to the dab's
// pixel) when it fills with an opaque brush on a painter set up for
// antialiased filling, cut to the pixels it covers.
std::unique_ptr<DabMask> DrawDabMask(const QRect& area,
                                     const std::function<void(QPainter&)>& paint);

// Masks made on first use and kept for the program's life, one per key
// 0 .. count - 1; safe to use from several threads at once.
class CDabMaskCache {
public:
    explicit CDabMaskCache(std::size_t count);
    // The mask for `key`, made by `make` if there is none yet.
    const DabMask* Get(std::size_t key, const std::function<std::unique_ptr<DabMask>()>& make);

private:
    std::vector<std::atomic<const DabMask*>> m_masks;
    std::vector<std::unique_ptr<DabMask>> m_kept;
    std::mutex m_making;
};

// The round dab of `width` (a circle filling the square from the dab's
// pixel `width` pixels right and down), as the raster engine's antialiased
// ellipse covers it: drawn once per width and kept for the program's life,
// shared by every thread. Null for widths below kMinRoundDab or above
// kMaxRoundDab. From kExactRoundDab up the engine covers a circle alike
// wherever it lies, so a masked dab is the painter's to the pixel. A
// smaller one it covers by a few levels more or less from place to place
// (a two-pixel circle's pixels get 191 of 255 in one place, 201 in
// another); the kept mask gives every such dab the coverage of one place.
inline constexpr int kMinRoundDab = 1;
inline constexpr int kExactRoundDab = 3;
inline constexpr int kMaxRoundDab = 128;
const DabMask* RoundDab(int width);

// Paints dabs from their masks straight into a 32-bit image, blending each
// pixel as the raster engine blends an antialiased fill with a solid colour
// or a texture brush there, so a dab looks as drawing its shape with a
// painter makes it look, at a small part of the cost. Holds the image's
// pixels from construction on: make it before any painter is opened on the
// image, and paint with it only while nothing else shares the image.
class CDabPainter {
public:
    // Ready when the image is 32-bit and the brush is an opaque solid
    // colour or a texture; within `clip` when one is given.
    CDabPainter(QImage& image, const QRegion* clip, const QBrush& brush);

    bool IsReady() const { return m_bits != nullptr; }
    // Paints `mask` with its dab's pixel at (x, y).
    void Paint(const DabMask& mask, int x, int y) const;
    // Paints through the coverage in the alpha of `coverage`, a 32-bit
    // premultiplied image, placed with its top-left pixel at `topLeft`.
    void PaintCoverage(const QImage& coverage, const QPoint& topLeft) const;
    // Paints `path`, stroked with `pen` (whose brush does not matter) or,
    // when that is null, filled: its antialiased coverage is drawn in white
    // on a mask of its size and the brush blended through it, as a painter
    // with the brush would blend it.
    void PaintPath(const QPainterPath& path, const QPen* pen) const;
    // The rectangle PaintPath paints `path` within: its control points' box
    // grown by half the pen's width (when stroked) and the antialiased
    // fringe.
    static QRect PathReach(const QPainterPath& path, const QPen* pen);
    // Paints `path` filled, on a mask of `reach` (a rectangle holding all
    // it covers): for a stroke's outline, with the stroke's own reach, this
    // paints what PaintPath paints for the stroke.
    void PaintFilled(const QPainterPath& path, const QRect& reach) const;

private:
    // PaintPath on a mask of `reach` cut to the image.
    void PaintMasked(const QPainterPath& path, const QPen* pen, const QRect& reach) const;
    // Blends the rectangle `area` of the image, whose coverage values run
    // from `cover` (for its top-left pixel) with `coverStride` bytes from
    // one row to the next and `coverStep` bytes from pixel to pixel.
    void PaintRect(const QRect& area, const std::uint8_t* cover, qsizetype coverStride,
                   int coverStep) const;

    std::uint8_t* m_bits = nullptr;
    qsizetype m_stride = 0;
    QRect m_bounds;
    std::vector<QRect> m_clip;
    std::uint32_t m_color = 0;
    QImage m_texture;
    const std::uint8_t* m_textureBits = nullptr;
    qsizetype m_textureStride = 0;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
};
