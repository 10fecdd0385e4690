#include "gfx/ResImage.h"

#include "gfx/Surface.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {
// A JPEG stream that stops before its end-of-image marker is a truncated
// file: the decoder would fill the missing rows with grey and call it a
// success, so refuse it here. Trailing padding after the marker is allowed.
bool LooksLikeTruncatedJpeg(const QByteArray& data)
{
    if (data.size() < 4 || static_cast<uchar>(data[0]) != 0xFF ||
        static_cast<uchar>(data[1]) != 0xD8) {
        return false;
    }
    const int tail = std::max<qsizetype>(2, data.size() - 1024);
    for (qsizetype i = data.size() - 2; i >= tail; --i) {
        if (static_cast<uchar>(data[i]) == 0xFF && static_cast<uchar>(data[i + 1]) == 0xD9) {
            return false;
        }
    }
    return true;
}
}  // namespace

QString ResourcePath(const char* type, const QString& name)
{
    return QStringLiteral(":/%1/%2").arg(QLatin1String(type), name);
}

bool CResImage::LoadNamed(const QString& name)
{
    return LoadResource(ResourcePath("IMAGES", name));
}

bool CResImage::LoadBackground(int n)
{
    return LoadResource(
        ResourcePath("BKGD16", QStringLiteral("IDR_BKGD16_%1").arg(n, 3, 10, QLatin1Char('0'))));
}

bool CResImage::LoadThumbnail(int n)
{
    return LoadResource(
        ResourcePath("BKGDIC", QStringLiteral("IDR_BKGDIC_%1").arg(n, 3, 10, QLatin1Char('0'))));
}

bool CResImage::LoadResource(const QString& path)
{
    QFile file(path);
    if (!file.exists() || file.size() == 0 || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray data = file.readAll();
    if (data.isEmpty()) {
        return false;
    }
    Decode(data);
    return true;
}

bool CResImage::LoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_image = QImage();
        m_cx = m_cy = 0;
        return false;
    }
    return Decode(file.readAll());
}

bool CResImage::Decode(const QByteArray& data)
{
    m_image = QImage();
    m_transparentCache = QImage();
    m_cx = m_cy = 0;

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QSize declared = reader.size();
    if (declared.isValid() &&
        static_cast<qint64>(declared.width()) * declared.height() > kMaxFilePixels) {
        return false;
    }
    if (LooksLikeTruncatedJpeg(data)) {
        return false;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return false;
    }
    m_image = std::move(image);
    m_cx = m_image.width();
    m_cy = m_image.height();
    return true;
}

void CResImage::DrawAt(CSurface& surface, int x, int y) const
{
    DrawIn(surface, x, y, m_cx, m_cy);
}

void CResImage::DrawIn(CSurface& surface, int x, int y, int cx, int cy) const
{
    if (m_image.isNull()) {
        return;
    }
    QPainter p(&surface.Image());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(x, y, cx, cy), m_image);
}

void CResImage::DrawTransparent(CSurface& surface, int x, int y) const
{
    if (m_image.isNull()) {
        return;
    }
    if (m_transparentCache.isNull()) {
        // Compose over white first (any PNG transparency becomes white), then
        // make exactly the pure white pixels fully transparent.
        QImage onWhite(m_image.size(), QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        {
            QPainter p(&onWhite);
            p.drawImage(0, 0, m_image);
        }
        QImage masked = onWhite.convertToFormat(QImage::Format_ARGB32);
        for (int row = 0; row < masked.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
            for (int col = 0; col < masked.width(); ++col) {
                if ((line[col] & 0x00FFFFFFu) == 0x00FFFFFFu) {
                    line[col] = 0;
                }
            }
        }
        m_transparentCache = std::move(masked);
    }
    QPainter p(&surface.Image());
    p.drawImage(x, y, m_transparentCache);
}
