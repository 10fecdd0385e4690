#pragma once

#include "canvas/Background.h"

#include <QImage>
#include <QString>

class CHistory;
class CPicture;

// The outcome of reading a user's image file for the background: the decoded
// image, or (image null) the reason, in the program's language, why it
// cannot be used.
struct BackgroundFileRead {
    QImage image;
    QString reason;

    bool Ok() const { return !image.isNull(); }
};

// Reads and decodes `path` whole, refusing what would otherwise become a
// blank or half-grey background: a missing or unreadable file, a file that is
// not an image, a metafile (EMF/WMF, which the image library cannot draw), a
// picture beyond the reader's size limit, and corrupt or truncated data.
BackgroundFileRead ReadBackgroundFile(const QString& path);

// The background a file choice becomes: index -1 with the path and the image.
CBackground FileBackground(const QString& path, QImage image);

// Puts the chosen background under the picture's strokes, as a confirmed
// Setup does, and tells whether anything changed. A built-in number equal to
// the one in use changes nothing and rebuilds nothing; another number keeps
// the file path (the file is simply not used); a file background always
// applies. A change is one step of `history`, so undo brings the previous
// background back (a file background with the image decoded at its choice).
bool ApplyBackgroundChoice(CPicture& picture, CHistory& history, CBackground choice);
