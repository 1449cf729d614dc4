#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// One metadata property of a picture file: its tag number (TIFF and Exif
// numbering, plus the numbers the Windows imaging library gives PNG chunks)
// and its value as text.
struct TMetadataProperty {
    uint16_t tag = 0;
    std::string value;
};

// The properties of a TIFF file's first page, a JPEG file's Exif block or a
// PNG file's resolution, gamma and colour-space chunks, in file order.
// Other formats, and files without such data, have none.
std::vector<TMetadataProperty> pictureMetadata(const QString& path);

// "PropertyTagImageWidth" for 0x100; "<UnKnown>" for a tag without a name.
std::string metadataTagName(uint16_t tag);

} // namespace orv
