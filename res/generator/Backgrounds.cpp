#include "Backgrounds.h"

#include "BackgroundKit.h"

namespace artgen::backgrounds {

QImage Paint(int n)
{
    switch (n) {
        case 1:
            return RicePaper();
        case 2:
            return PracticeGrid(false);
        case 3:
            return PracticeGrid(true);
        case 4:
            return LinedPaper();
        case 5:
            return SquaredPaper();
        case 6:
            return DotGrid();
        case 7:
            return Watercolour(QColor(196, 220, 244), QColor(214, 208, 246), 71);
        case 8:
            return Watercolour(QColor(250, 208, 200), QColor(252, 226, 186), 81);
        case 9:
            return Watercolour(QColor(206, 234, 206), QColor(228, 238, 196), 91);
        case 10:
            return SoftGradient(QColor(255, 236, 214), QColor(236, 228, 250), 101);
        case 11:
            return DiagonalGradient(QColor(222, 246, 238), QColor(218, 232, 252), 111);
        case 12:
            return Parchment();
        case 13:
            return Linen();
        case 14:
            return Clouds();
        case 15:
            return InkMountains();
        case 16:
            return Bamboo();
        case 17:
            return PlumBlossom();
        case 18:
            return Bokeh();
        case 19:
            return MusicStaves();
        case 20:
            return TriangleGrid();
        case 21:
            return CompositionPaper();
        case 22:
            return Marble();
        case 23:
            return Meadow();
        default:
            return Blank(Qt::white);
    }
}

QImage Thumbnail(const QImage& full)
{
    return full.scaled(kThumbWidth, kThumbHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace artgen::backgrounds
