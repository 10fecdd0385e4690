#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

class CPicture;

// The name Save suggests: the local date and time as
// "%d-%02d-%02d-%02d-%02d-%02d", without an extension.
QString SuggestedPictureName(const QDateTime& when);

// The image Save writes: `canvasSize`, white, with the composed picture
// (background and strokes, never the welcome screen) at (0, 0). Where the
// canvas is larger than the picture the file shows white.
QImage ComposePictureForSave(CPicture& picture, QSize canvasSize);

enum class SaveResult {
    Saved,
    NoEncoder,    // nothing can write the format the path's ending names
    WriteFailed,  // unwritable folder, full disk, ...; an existing file is untouched
};

// Writes the picture to `path` in the format its last four characters choose.
SaveResult SavePictureToFile(CPicture& picture, QSize canvasSize, const QString& path);
