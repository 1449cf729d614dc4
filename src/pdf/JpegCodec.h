#pragma once

#include "pdf/PdfBitmap.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// What a JPEG file's header says about its image.
struct TJpegInfo {
    int32_t width = 0;
    int32_t height = 0;
    int32_t components = 3;      // 1 grey, 3 colour, 4 CMYK
    bool invertedCmyk = false;   // CMYK written inverted, as Adobe applications do
};

// Reads the header through libjpeg; throws std::runtime_error ("JPEG: ...")
// for data that is not a JPEG image.
TJpegInfo readJpegInfo(std::string_view jpeg);

// Decodes at full size: 24 bits per pixel, or 8 with a grey palette for a
// grey image. Throws std::runtime_error for data libjpeg cannot decode.
TPdfBitmap decodeJpeg(std::string_view jpeg);

// Encodes a bitmap as a colour JPEG of the given quality (1 to 100).
std::string encodeJpeg(const TPdfBitmap& bitmap, int32_t quality);

} // namespace orv
