#pragma once

#include "gfx/Color.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <span>
#include <vector>

class QPainter;

// An off-screen image that windows paint into before copying to the screen,
// and that pens draw on. Drawing code opens a QPainter on Image() when it
// needs one. Live drawing also records which part changed (AddDirty), so the
// window that shows the surface repaints just that rectangle.
class CSurface {
public:
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;
    virtual ~CSurface() = default;

    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }
    int GetWidth() const { return m_image.width(); }
    int GetHeight() const { return m_image.height(); }
    QSize GetSize() const { return m_image.size(); }
    QRect Rect() const { return m_image.rect(); }

    void AddDirty(const QRect& r) { m_dirty |= r; }
    QRect TakeDirty();

    // The area outside which drawing may leave the surface as it is (empty:
    // the whole surface). Pens clip every painter they open on the surface
    // to it and leave out the pieces of a stroke that cannot reach it, so
    // that work beyond it is not done at all; inside it the pixels are what
    // drawing without a clip gives.
    void SetPaintClip(const QRegion& area);
    // The paint clip, or null when none is set.
    const QRegion* PaintClip() const { return m_paintClip.isEmpty() ? nullptr : &m_paintClip; }
    // True unless a paint clip is set and `r` misses it. Found by a binary
    // search among the clip's rectangles, so a clip of many (an eraser
    // step's damage) costs little more than one.
    bool ClipReaches(const QRect& r) const;
    // The paint clip's rectangles, top to bottom; empty when none is set.
    std::span<const QRect> PaintClipRects() const { return m_clipRects; }
    // Clips `painter`, just opened on Image(), to the paint clip if one is set.
    void ApplyPaintClip(QPainter& painter) const;

protected:
    explicit CSurface(QImage image) : m_image(std::move(image)) {}
    QImage m_image;

private:
    QRect m_dirty;
    QRegion m_paintClip;
    std::vector<QRect> m_clipRects;  // m_paintClip's, top to bottom
};

// The rectangles of `rects` (a region's, top to bottom) that may meet `r`:
// from the first whose bottom is not above r, up to the first whose top is
// below r.
std::span<const QRect> RectsAcross(std::span<const QRect> rects, const QRect& r);
// True when `r` meets one of `rects` (a region's, top to bottom).
bool RectsMeet(std::span<const QRect> rects, const QRect& r);

// A colour surface of fixed size (opaque 32-bit pixels), filled at creation.
class CMemSurface : public CSurface {
public:
    CMemSurface(int cx, int cy, COLORREF fill);

    void Fill(const QRect& r, COLORREF color);
    // Copies `src` with its top-left corner at (x, y), replacing the pixels.
    void CopyFrom(const CSurface& src, int x, int y);
    // Copies the part `srcRect` of `src` to (x, y).
    void CopyFrom(const CSurface& src, const QRect& srcRect, int x, int y);
    // Copies the pixels of `area` from `src`, which has this surface's
    // coordinates, in one pass however many rectangles the area has.
    void CopyFrom(const CSurface& src, const QRegion& area);
    // Combines `src` at (x, y) by a per-channel OR of source and destination.
    void OrFrom(const CSurface& src, int x, int y);
    // Combines the part `srcRect` of `src` at `to` the same way.
    void OrFrom(const CSurface& src, const QRect& srcRect, const QPoint& to);
    // ORs the pixels of `area` from `src`, which has this surface's
    // coordinates, in one pass.
    void OrFrom(const CSurface& src, const QRegion& area);
};

// A one-bit mask. Anything painted on it in a non-black colour is ink. The
// image is 8 bits deep for painting; PackBits() gives the packed rows, most
// significant bit first, each row a whole number of 32-bit words, 1 = ink.
class CMonoSurface : public CSurface {
public:
    CMonoSurface(int cx, int cy);

    int GetRowPitch() const { return ((GetWidth() + 31) / 32) * 4; }
    std::vector<unsigned char> PackBits() const;
    bool IsInk(int x, int y) const;
};
