#include "canvas/BackgroundFile.h"

#include "canvas/PictureSteps.h"

#include "canvas/Picture.h"
#include "gfx/ResImage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
quint32 LittleEndian32(const QByteArray& data, qsizetype at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<uchar>(data[at + i]);
    }
    return v;
}

// Enhanced metafiles start with record type 1 and carry " EMF" at byte 40;
// placeable Windows metafiles start with 0x9AC6CDD7; plain ones with a
// header of type 1 or 2 and header size 9 words.
bool IsMetafile(const QByteArray& data)
{
    if (data.size() >= 44 && LittleEndian32(data, 0) == 1 && data.mid(40, 4) == " EMF") {
        return true;
    }
    if (data.size() >= 4 && LittleEndian32(data, 0) == 0x9AC6CDD7u) {
        return true;
    }
    return data.size() >= 6 && (data[0] == 1 || data[0] == 2) && data[1] == 0 &&
           data[2] == 9 && data[3] == 0;
}

// The JPEG decoder pads a stream that stops early with grey rows and calls
// it a success; a complete stream ends with the end-of-image marker (FF D9),
// possibly followed by some padding.
bool JpegLacksItsEnd(const QByteArray& data)
{
    if (data.size() < 2 || static_cast<uchar>(data[0]) != 0xFF ||
        static_cast<uchar>(data[1]) != 0xD8) {
        return false;
    }
    const QByteArray tail = data.right(1024);
    return !tail.contains(QByteArray("\xFF\xD9", 2));
}

BackgroundFileRead Refused(const QString& reason)
{
    return BackgroundFileRead{QImage(), reason};
}
}  // namespace

BackgroundFileRead ReadBackgroundFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return Refused(QStringLiteral("文件不存在。"));
    }
    if (info.isDir()) {
        return Refused(QStringLiteral("这是一个文件夹，不是图像文件。"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Refused(QStringLiteral("无法读取文件（没有读取权限）。"));
    }
    const QByteArray data = file.readAll();
    if (data.isEmpty()) {
        return Refused(QStringLiteral("文件是空的。"));
    }
    if (IsMetafile(data)) {
        return Refused(QStringLiteral("不支持图元文件（EMF/WMF）格式，请改用 BMP、JPEG、PNG、GIF 或 TIFF 图像。"));
    }

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    if (!reader.canRead()) {
        return Refused(QStringLiteral("不是可以读取的图像文件。"));
    }
    // Both our own limit and the reader's allocation limit (a
    // decoded pixel takes four bytes) decides before any decoding is done.
    const QSize declared = reader.size();
    if (declared.isValid()) {
        const qint64 pixels = static_cast<qint64>(declared.width()) * declared.height();
        const qint64 limitBytes = static_cast<qint64>(QImageReader::allocationLimit()) << 20;
        if (pixels > CResImage::kMaxFilePixels || (limitBytes > 0 && pixels * 4 > limitBytes)) {
            return Refused(QStringLiteral("图像太大（%1 × %2 像素），超出读取限制。")
                               .arg(declared.width())
                               .arg(declared.height()));
        }
    }
    if (JpegLacksItsEnd(data)) {
        return Refused(QStringLiteral("图像文件不完整（文件被截断）。"));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return Refused(QStringLiteral("图像数据已损坏或不完整，无法解码。"));
    }
    return BackgroundFileRead{std::move(image), QString()};
}

CBackground FileBackground(const QString& path, QImage image)
{
    return CBackground{-1, path, std::move(image)};
}

bool ApplyBackgroundChoice(CPicture& picture, CHistory& history, CBackground choice)
{
    const CBackground& current = picture.GetBackground();
    if (choice.index >= 0) {
        if (choice.index == current.index) {
            return false;
        }
        // The file path stays stored; the decoded image is let go.
        choice.file = current.file;
        choice.image = QImage();
    }
    history.Push(std::make_unique<CBackgroundStep>(picture, current, std::move(choice)));
    return true;
}
