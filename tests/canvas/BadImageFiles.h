#pragma once

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <vector>

// Files a user might pick as a background that must be refused, written
// into `dir`: what they are, and their paths.
struct BadImageFile {
    const char* what;
    QString path;
};

inline QByteArray EncodedTestImage(const char* format)
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QString WriteTestFile(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// CRC-32 as PNG chunks carry it (polynomial 0xEDB88320).
inline quint32 PngCrc(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        crc ^= static_cast<uchar>(ch);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline QByteArray BigEndian32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
    }
    return b;
}

inline QByteArray HugePngHeader()
{
    QByteArray ihdr = QByteArray("IHDR") + BigEndian32(40000) + BigEndian32(40000);
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    // The reader takes the header up to the first data chunk: a short one follows.
    const QByteArray idat = QByteArray("IDAT") + QByteArray("\x78\x9c\x03\x00", 4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + BigEndian32(13) + ihdr + BigEndian32(PngCrc(ihdr)) +
           BigEndian32(4) + idat + BigEndian32(PngCrc(idat));
}

inline std::vector<BadImageFile> WriteBadImageFiles(const QDir& dir)
{
    std::vector<BadImageFile> files;
    const QByteArray png = EncodedTestImage("PNG");
    const QByteArray jpeg = EncodedTestImage("JPEG");

    files.push_back({"missing", dir.filePath(QStringLiteral("gone.png"))});
    dir.mkpath(QStringLiteral("folder.png"));
    files.push_back({"a folder", dir.filePath(QStringLiteral("folder.png"))});
    files.push_back({"empty", WriteTestFile(dir, QStringLiteral("empty.png"), {})});
    files.push_back({"not an image",
                     WriteTestFile(dir, QStringLiteral("notes.png"), "shopping: bread, milk\n")});
    QByteArray corrupt = png;
    for (qsizetype i = 40; i < corrupt.size() - 12; ++i) {
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A);
    }
    files.push_back({"corrupt PNG", WriteTestFile(dir, QStringLiteral("corrupt.png"), corrupt)});
    files.push_back({"truncated PNG",
                     WriteTestFile(dir, QStringLiteral("cut.png"), png.left(png.size() / 2))});
    files.push_back({"truncated JPEG",
                     WriteTestFile(dir, QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() / 2))});
    // An enhanced metafile header: record type 1, size 88, " EMF" at byte 40.
    QByteArray emf(88, '\0');
    emf[0] = 1;
    emf[4] = 88;
    emf.replace(40, 4, " EMF");
    files.push_back({"EMF", WriteTestFile(dir, QStringLiteral("drawing.emf"), emf)});
    // A placeable Windows metafile's key.
    QByteArray wmf(40, '\0');
    wmf.replace(0, 4, QByteArray("\xD7\xCD\xC6\x9A", 4));
    files.push_back({"WMF", WriteTestFile(dir, QStringLiteral("drawing.wmf"), wmf)});
    // A PNG whose header declares 40000 x 40000 pixels, and hardly any data.
    files.push_back({"too large", WriteTestFile(dir, QStringLiteral("huge.png"), HugePngHeader())});
    return files;
}
