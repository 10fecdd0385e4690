#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "ArtKit.h"

namespace artgen {

// One generated file: where it goes below res/, and its pixels.
struct ArtItem {
    enum class Kind { Png, PngAlpha, Jpeg };
    QString folder;  // "images", "bkgd16", "bkgdic", "icons"
    QString name;    // file name without extension, e.g. "IDR_FUNC_PENSOLID"
    Kind kind;
    QImage image;

    QString FileName() const;
};

// Every image the program embeds, in a fixed order.
std::vector<ArtItem> BuildArtSet(const ArtFonts& fonts);

// Writes the items below `resDir`; returns false if a file cannot be written.
bool WriteArtSet(const std::vector<ArtItem>& items, const QString& resDir);

// All items on one sheet, each under its name, plus the top bar composed as
// the program shows it on a 1024-pixel-wide screen.
QImage ContactSheet(const std::vector<ArtItem>& items, const ArtFonts& fonts);

// JPEG quality of backgrounds and thumbnails.
inline constexpr int kJpegQuality = 88;

}  // namespace artgen
