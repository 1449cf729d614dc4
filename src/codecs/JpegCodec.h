#pragma once

#include <QImage>

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// What a JPEG file's header says about its image.
struct TJpegInfo {
    int32_t width = 0;
    int32_t height = 0;
    int32_t components = 3;    // 1 grey, 3 colour, 4 CMYK
    bool invertedCmyk = false; // CMYK written inverted, as Adobe applications do
    double dpiX = 0, dpiY = 0; // 0 when the file names no resolution
};

struct TJpegOptions {
    int32_t quality = 90; // clamped to 1..100
    bool grayscale = false;
    bool progressive = false;
};

// The one JPEG codec of the engine, over libjpeg. Data libjpeg cannot read
// or write raises std::runtime_error ("JPEG: ...").
TJpegInfo readJpegInfo(std::string_view jpeg);
// How a JPEG is decoded: `reduction` 0 full size, 1 one half, 2 one quarter,
// 3 and above one eighth (libjpeg scales while decoding, which is much
// faster than decoding in full and shrinking); `favourSpeed` trades a little
// quality for speed, as a preview may.
struct TJpegDecoding {
    int32_t reduction = 0;
    bool favourSpeed = false;
};

// Grayscale8 for a grey image, RGB32 otherwise.
QImage decodeJpeg(std::string_view jpeg, TJpegDecoding decoding = {});
std::string encodeJpeg(const QImage& image, const TJpegOptions& options);

} // namespace orv
