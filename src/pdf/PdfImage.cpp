#include "pdf/PdfImage.h"

#include "codecs/JpegCodec.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfFormat.h"

#include <stdexcept>

namespace orv {

namespace {

std::unique_ptr<TPdfObject> jpegColourSpace(const TJpegInfo& info)
{
    switch (info.components) {
    case 1:
        return std::make_unique<TPdfName>("DeviceGray");
    case 4:
        return std::make_unique<TPdfName>("DeviceCMYK");
    default:
        return std::make_unique<TPdfName>("DeviceRGB");
    }
}

// [/Indexed /DeviceRGB 255 <RR GG BB ...>], always 256 entries.
std::unique_ptr<TPdfObject> indexedColourSpace(const std::vector<TPdfRgb>& palette)
{
    std::string digits;
    for (size_t i = 0; i < 256; ++i) {
        const TPdfRgb colour = i < palette.size() ? palette[i] : TPdfRgb{};
        for (uint8_t component : {colour.red, colour.green, colour.blue})
            digits += hexDigits(std::string(1, static_cast<char>(component))) + " ";
    }
    auto space = std::make_unique<TPdfArray>();
    space->add(std::make_unique<TPdfName>("Indexed"));
    space->add(std::make_unique<TPdfName>("DeviceRGB"));
    space->add(std::make_unique<TPdfNumber>(255));
    space->add(std::make_unique<TPdfHex>(digits));
    return space;
}

} // namespace

TPdfImage::TPdfImage(std::unique_ptr<TPdfObject> colourSpace, int32_t width, int32_t height, const char* filter)
{
    attributes().addName("Type", "XObject");
    attributes().addName("Subtype", "Image");
    attributes().add("ColorSpace", std::move(colourSpace));
    attributes().add("Width", std::make_unique<TPdfNumber>(width));
    attributes().add("Height", std::make_unique<TPdfNumber>(height));
    attributes().add("BitsPerComponent", std::make_unique<TPdfNumber>(8));
    attributes().lookupAs<TPdfArray>("Filter")->add(std::make_unique<TPdfName>(filter));
}

std::unique_ptr<TPdfImage> createJpegImage(std::string jpeg)
{
    TJpegInfo info;
    try {
        info = readJpegInfo(jpeg);
    } catch (const std::runtime_error&) {
        throw EPdfInvalidValue("only jpeg image is allowed.");
    }
    auto image = std::make_unique<TPdfImage>(jpegColourSpace(info), info.width, info.height, "DCTDecode");
    if (info.invertedCmyk) {
        auto decode = std::make_unique<TPdfArray>();
        for (int i = 0; i < 4; ++i) {
            decode->add(std::make_unique<TPdfNumber>(1));
            decode->add(std::make_unique<TPdfNumber>(0));
        }
        image->attributes().add("Decode", std::move(decode));
    }
    image->data() = std::move(jpeg);
    return image;
}

std::unique_ptr<TPdfImage> createBitmapImage(const TPdfBitmap& bitmap)
{
    const bool indexed = bitmap.indexed();
    std::string samples = indexed ? indexSamples(bitmap) : rgbSamples(bitmap);
    auto image = std::make_unique<TPdfImage>(
        indexed ? indexedColourSpace(bitmap.palette) : std::make_unique<TPdfName>("DeviceRGB"), bitmap.width,
        bitmap.height, "FlateDecode");
    image->data() = std::move(samples);
    return image;
}

} // namespace orv
