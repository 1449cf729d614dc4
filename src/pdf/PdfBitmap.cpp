#include "pdf/PdfBitmap.h"

#include "pdf/PdfErrors.h"

namespace orv {

namespace {

void checkLayout(const TPdfBitmap& bitmap)
{
    const int32_t depth = bitmap.bitsPerPixel;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32)
        throw EPdfInvalidImageFormat("unsupported bitmap depth " + std::to_string(depth));
    const int64_t rowBytes = (int64_t(bitmap.width) * depth + 7) / 8;
    if (bitmap.width < 0 || bitmap.height < 0 || bitmap.stride < rowBytes ||
        int64_t(bitmap.pixels.size()) < int64_t(bitmap.stride) * bitmap.height)
        throw EPdfInvalidImageFormat("bitmap data does not match its size");
}

uint8_t indexAt(const TPdfBitmap& bitmap, const uint8_t* row, int32_t x)
{
    switch (bitmap.bitsPerPixel) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15;
    default:
        return row[x];
    }
}

const uint8_t* rowAt(const TPdfBitmap& bitmap, int32_t y)
{
    return reinterpret_cast<const uint8_t*>(bitmap.pixels.data()) + int64_t(y) * bitmap.stride;
}

} // namespace

std::string indexSamples(const TPdfBitmap& bitmap)
{
    checkLayout(bitmap);
    if (!bitmap.indexed())
        throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
    if (bitmap.palette.empty())
        throw EPdfInvalidImageFormat("failed to get Palette..");
    std::string samples;
    samples.reserve(size_t(bitmap.width) * bitmap.height);
    for (int32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = rowAt(bitmap, y);
        for (int32_t x = 0; x < bitmap.width; ++x)
            samples += static_cast<char>(indexAt(bitmap, row, x));
    }
    return samples;
}

std::string rgbSamples(const TPdfBitmap& bitmap)
{
    checkLayout(bitmap);
    std::string samples;
    samples.reserve(size_t(bitmap.width) * bitmap.height * 3);
    const int32_t pixelBytes = bitmap.bitsPerPixel / 8;
    for (int32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = rowAt(bitmap, y);
        for (int32_t x = 0; x < bitmap.width; ++x) {
            if (bitmap.indexed()) {
                const uint8_t index = indexAt(bitmap, row, x);
                const TPdfRgb colour = index < bitmap.palette.size() ? bitmap.palette[index] : TPdfRgb{};
                samples += static_cast<char>(colour.red);
                samples += static_cast<char>(colour.green);
                samples += static_cast<char>(colour.blue);
            } else {
                const uint8_t* pixel = row + int64_t(x) * pixelBytes;
                samples += static_cast<char>(pixel[2]);
                samples += static_cast<char>(pixel[1]);
                samples += static_cast<char>(pixel[0]);
            }
        }
    }
    return samples;
}

} // namespace orv
