#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A one-bit image read from a PBM file (plain "P1" or raw "P4"): rows top to
// bottom, each `rowPitch` = (width + 7) / 8 bytes, most significant bit
// first, 1 = black.
struct PbmImage {
    int width = 0;
    int height = 0;
    int rowPitch = 0;
    std::vector<std::uint8_t> bits;
};

// Parses the whole content of a PBM file. Returns false with a one-line
// reason in `error` for anything that is not a complete P1 or P4 image of
// positive size. Data after the first image is ignored.
bool ParsePbm(const std::string& data, PbmImage& image, std::string& error);
