#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace orv {

// What GetImageInfo reports about a picture file, attribute by attribute:
// 1 width, 2 height (pixels), 3 and 4 horizontal and vertical dots per inch,
// 5 pages, 6 frame dimensions, 7 image type (1 bitmap, 2 metafile), 8 pixel
// format and 9 palette size in bytes, both numbered as the Windows imaging
// library numbers them, 10 the number of metadata properties and 11 their
// listing (see PictureMetadata.h).
using TPictureAttribute = std::variant<int32_t, double, std::string>;

// Nothing when the name is empty, no such file exists, its extension is not
// one of .TIF, .PNG, .JPG, .GIF, .EMF and .BMP, it cannot be read or the
// attribute is not one of the above.
std::optional<TPictureAttribute> pictureAttribute(const std::string& fileName, int32_t attribute);

} // namespace orv
