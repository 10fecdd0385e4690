#pragma once

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

// The image writers a picture can be saved with, in a fixed order (BMP, JPEG,
// GIF, TIFF, PNG), each with its file-name extension list. Only formats this
// Qt installation can actually write are listed.
class CImageEncoders {
public:
    struct Encoder {
        QByteArray format;      // Qt's format name, e.g. "jpeg"
        QString extensions;     // e.g. "*.JPG;*.JPEG;*.JPE;*.JFIF"
        QString mimeType;
    };

    CImageEncoders();

    const std::vector<Encoder>& Encoders() const { return m_encoders; }

    // The first encoder whose extension list contains the path's last four
    // characters, upper-cased (".jpg" -> ".JPG", "jpeg" -> "JPEG").
    std::optional<Encoder> FindByExtension(const QString& path) const;

    // Writes the image to `path` with the encoder its ending selects. Returns
    // false, and writes nothing, when no encoder matches. The file is written
    // to a temporary beside it and renamed into place, so a failed write
    // (unwritable folder, full disk) returns false and never leaves a
    // half-written file where the old one was.
    bool SaveBitmap(const QImage& image, const QString& path) const;

private:
    std::vector<Encoder> m_encoders;
};
