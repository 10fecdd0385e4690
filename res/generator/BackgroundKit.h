#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <functional>

#include "Backgrounds.h"

// Pixel-level brushes shared by the background painters.
namespace artgen::backgrounds {

inline constexpr int W = kWidth;
inline constexpr int H = kHeight;

// A full-size picture filled with one colour.
QImage Blank(const QColor& c);
// Runs `shade` for every pixel; it reads and writes the colour as doubles,
// which are rounded and clamped afterwards.
void Shade(QImage& image, const std::function<void(int, int, double&, double&, double&)>& shade);
// Fine paper grain: a small, even brightness noise. It also dithers smooth
// gradients so they do not band.
void Grain(QImage& image, double amount, std::uint32_t seed);
// Soft blotches, as paper that has taken up a little damp.
void Mottle(QImage& image, double amount, double scale, std::uint32_t seed);
// Replaces the picture by a top-to-bottom blend of two colours.
void VerticalGradient(QImage& image, const QColor& top, const QColor& bottom);

// Papers and grids.
QImage RicePaper();
QImage PracticeGrid(bool diagonals);
QImage LinedPaper();
QImage SquaredPaper();
QImage DotGrid();
QImage Parchment();
QImage Linen();
QImage MusicStaves();
QImage TriangleGrid();
QImage CompositionPaper();

// Washes and quiet scenes.
QImage Watercolour(const QColor& pigment, const QColor& second, std::uint32_t seed);
QImage SoftGradient(const QColor& top, const QColor& bottom, std::uint32_t seed);
QImage DiagonalGradient(const QColor& from, const QColor& to, std::uint32_t seed);
QImage Clouds();
QImage InkMountains();
QImage Bamboo();
QImage PlumBlossom();
QImage Bokeh();
QImage Marble();
QImage Meadow();

}  // namespace artgen::backgrounds
