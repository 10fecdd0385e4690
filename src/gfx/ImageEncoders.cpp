#include "gfx/ImageEncoders.h"

#include <QImageWriter>
#include <QSaveFile>

CImageEncoders::CImageEncoders()
{
    const std::vector<Encoder> known = {
        {"bmp", QStringLiteral("*.BMP;*.DIB;*.RLE"), QStringLiteral("image/bmp")},
        {"jpeg", QStringLiteral("*.JPG;*.JPEG;*.JPE;*.JFIF"), QStringLiteral("image/jpeg")},
        {"gif", QStringLiteral("*.GIF"), QStringLiteral("image/gif")},
        {"tiff", QStringLiteral("*.TIF;*.TIFF"), QStringLiteral("image/tiff")},
        {"png", QStringLiteral("*.PNG"), QStringLiteral("image/png")},
    };
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    for (const Encoder& e : known) {
        if (writable.contains(e.format)) {
            m_encoders.push_back(e);
        }
    }
}

std::optional<CImageEncoders::Encoder> CImageEncoders::FindByExtension(const QString& path) const
{
    const QString tail = path.right(4).toUpper();
    if (tail.isEmpty()) {
        return std::nullopt;
    }
    for (const Encoder& e : m_encoders) {
        if (e.extensions.contains(tail)) {
            return e;
        }
    }
    return std::nullopt;
}

bool CImageEncoders::SaveBitmap(const QImage& image, const QString& path) const
{
    const std::optional<Encoder> encoder = FindByExtension(path);
    if (!encoder || image.isNull()) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QImageWriter writer(&file, encoder->format);
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
