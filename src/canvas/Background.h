#pragma once

#include <QImage>
#include <QString>

// A picture's background: a built-in number 0..23, or -1 with the user's image file,
// kept decoded from the moment it was chosen.
struct CBackground {
    int index = 0;
    QString file;
    QImage image;  // the decoded file (index -1 only)
};
