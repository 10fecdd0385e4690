#pragma once

#include <QImage>
#include <QString>

class CSurface;

// A picture from the program's resources or from a file.
//
// Size: 1 x 1 before any successful lookup (also after a lookup of a name
// that does not exist), 0 x 0 when the data could not be decoded, otherwise
// the image's pixel size. An object without an image draws nothing.
class CResImage {
public:
    // The IMAGES resource of that name (a PNG).
    bool LoadNamed(const QString& name);
    // Background n, "IDR_BKGD16_%03d" (1024 x 560 JPEG).
    bool LoadBackground(int n);
    // Thumbnail n, "IDR_BKGDIC_%03d" (103 x 56 JPEG).
    bool LoadThumbnail(int n);
    // An image file of any format Qt reads. Broken, truncated or enormous
    // files leave no image and a size of 0 x 0.
    bool LoadFile(const QString& path);

    bool HasImage() const { return !m_image.isNull(); }
    QSize GetSize() const { return {m_cx, m_cy}; }
    const QImage& Image() const { return m_image; }

    // At its own size with the top-left corner at (x, y).
    void DrawAt(CSurface& surface, int x, int y) const;
    // Stretched to the rectangle, aspect ratio ignored, smoothly scaled.
    void DrawIn(CSurface& surface, int x, int y, int cx, int cy) const;
    // At its own size, every pure white (255,255,255) pixel left out; all
    // other pixels, near-white ones included, are drawn.
    void DrawTransparent(CSurface& surface, int x, int y) const;

    // Largest picture LoadFile accepts, in pixels (about 100 megapixels:
    // bigger than any camera picture a person would doodle on, small enough
    // that decoding cannot exhaust memory).
    static constexpr qint64 kMaxFilePixels = 100'000'000;

private:
    bool LoadResource(const QString& path);
    bool Decode(const QByteArray& data);

    QImage m_image;
    int m_cx = 1;
    int m_cy = 1;
    mutable QImage m_transparentCache;  // built on the first DrawTransparent
};

// The resource path of a named resource, e.g. ":/IMAGES/IDR_WELCOME".
QString ResourcePath(const char* type, const QString& name);
