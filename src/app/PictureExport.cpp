#include "app/PictureExport.h"

#include "canvas/Picture.h"
#include "gfx/ImageEncoders.h"
#include "gfx/Surface.h"

QString SuggestedPictureName(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%d-%02d-%02d-%02d-%02d-%02d", d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second());
}

QImage ComposePictureForSave(CPicture& picture, QSize canvasSize)
{
    CMemSurface surface(canvasSize.width(), canvasSize.height(), MakeRgb(255, 255, 255));
    picture.DrawTo(surface);
    return surface.Image();
}

SaveResult SavePictureToFile(CPicture& picture, QSize canvasSize, const QString& path)
{
    const CImageEncoders encoders;
    if (!encoders.FindByExtension(path)) {
        return SaveResult::NoEncoder;
    }
    const QImage image = ComposePictureForSave(picture, canvasSize);
    return encoders.SaveBitmap(image, path) ? SaveResult::Saved : SaveResult::WriteFailed;
}
