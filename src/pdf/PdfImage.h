#pragma once

#include "pdf/PdfBitmap.h"
#include "pdf/PdfObjects.h"

#include <memory>
#include <string>

namespace orv {

// An image XObject: a stream whose attributes read Length, Filter, Type,
// Subtype, ColorSpace, Width, Height, BitsPerComponent (8) and, once the
// document has registered it, Name.
class TPdfImage final : public TPdfStream {
public:
    TPdfImage(std::unique_ptr<TPdfObject> colourSpace, int32_t width, int32_t height, const char* filter);
};

// JPEG data embedded unchanged with the DCT filter, in a grey, RGB or CMYK
// colour space as its header says. Throws EPdfInvalidValue "only jpeg image
// is allowed." for data that is not a JPEG image.
std::unique_ptr<TPdfImage> createJpegImage(std::string jpeg);

// Bitmap samples compressed with the Flate filter: bitmaps of 1, 4 and 8
// bits as 8-bit indices into a 256-entry RGB palette, all others as 24-bit
// RGB. Throws EPdfInvalidImageFormat for bitmaps it cannot read.
std::unique_ptr<TPdfImage> createBitmapImage(const TPdfBitmap& bitmap);

} // namespace orv
