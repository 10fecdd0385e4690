#pragma once

#include <QImage>

// The 24 built-in backgrounds, painted procedurally: number 0 plain white,
// the others pale papers, grids, washes and quiet scenes, light enough that
// every pen colour (a yellow marker included) stays readable on them.
namespace artgen::backgrounds {

inline constexpr int kCount = 24;
inline constexpr int kWidth = 1024;
inline constexpr int kHeight = 560;
inline constexpr int kThumbWidth = 103;
inline constexpr int kThumbHeight = 56;

// Background n (0..kCount-1) at full size.
QImage Paint(int n);
// Its thumbnail, made from the full picture.
QImage Thumbnail(const QImage& full);

}  // namespace artgen::backgrounds
