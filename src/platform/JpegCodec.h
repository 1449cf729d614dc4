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
};

struct TJpegOptions {
    int32_t quality = 90; // clamped to 1..100
    bool grayscale = false;
    bool progressive = false;
};

// The one JPEG codec of the engine, over libjpeg. Data libjpeg cannot read
// or write raises std::runtime_error ("JPEG: ...").
TJpegInfo readJpegInfo(std::string_view jpeg);
// Full size: Grayscale8 for a grey image, RGB32 otherwise.
QImage decodeJpeg(std::string_view jpeg);
std::string encodeJpeg(const QImage& image, const TJpegOptions& options);

} // namespace orv
