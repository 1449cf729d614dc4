#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct TPdfRgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// A device-independent bitmap as pictures and charts hand it over: rows
// from top to bottom, each `stride` bytes. Pixels of 1, 4 and 8 bits index
// the palette (the highest bits are the leftmost pixel); pixels of 24 and
// 32 bits are stored blue, green, red (and one unused byte).
struct TPdfBitmap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 24;
    int32_t stride = 0;
    std::string pixels;
    std::vector<TPdfRgb> palette;

    bool indexed() const { return bitsPerPixel <= 8; }
};

// Palette indices, one byte per pixel, row after row. Throws
// EPdfInvalidImageFormat unless the bitmap is indexed and has a palette.
std::string indexSamples(const TPdfBitmap& bitmap);

// Red, green and blue per pixel, row after row; palettes are looked up.
// Throws EPdfInvalidImageFormat for a depth other than 1, 4, 8, 24 or 32
// bits, or for pixel data shorter than the rows.
std::string rgbSamples(const TPdfBitmap& bitmap);

} // namespace orv
