// kolvane-artgen: paints every embedded image of Kolvane (buttons, panels,
// welcome picture, backgrounds, thumbnails, program icon) and writes them
// below the resource folder. Same program, same files: every random choice
// comes from a fixed seed and the encoders run with fixed settings.
//
//   kolvane-artgen [--out RESDIR] [--contact-sheet FILE.png]

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "ArtKit.h"
#include "ArtSet.h"

int main(int argc, char** argv)
{
    // Text needs a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();

    QString outDir;
    QString sheetPath;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            outDir = args[++i];
        } else if (args[i] == "--contact-sheet" && i + 1 < args.size()) {
            sheetPath = args[++i];
        } else {
            std::fprintf(stderr,
                         "usage: kolvane-artgen [--out RESDIR] [--contact-sheet FILE.png]\n");
            return 2;
        }
    }
    if (outDir.isEmpty() && sheetPath.isEmpty()) {
        std::fprintf(stderr, "kolvane-artgen: nothing to do (give --out and/or --contact-sheet)\n");
        return 2;
    }

    artgen::ArtFonts fonts;
    if (!artgen::LoadArtFonts(fonts)) {
        std::fprintf(stderr, "kolvane-artgen: install the fonts with scripts/setup\n");
        return 1;
    }
    const std::vector<artgen::ArtItem> items = artgen::BuildArtSet(fonts);
    if (!outDir.isEmpty() && !artgen::WriteArtSet(items, outDir)) {
        return 1;
    }
    if (!sheetPath.isEmpty() && !artgen::SavePng(artgen::ContactSheet(items, fonts), sheetPath)) {
        std::fprintf(stderr, "kolvane-artgen: cannot write %s\n", qPrintable(sheetPath));
        return 1;
    }
    return 0;
}
