#include "pictures/PictureMetadata.h"

#include "pictures/PictureFile.h"

#include <QFile>

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>

namespace orv {

namespace {

// Metadata sits near the start of a file; reading more would only cost time.
constexpr qint64 kMetadataWindow = 4 * 1024 * 1024;

constexpr uint16_t kExifDirectory = 0x8769;
constexpr uint16_t kGpsDirectory = 0x8825;

// Reads numbers of either byte order from a byte block, refusing to read
// past its end.
class TByteReader {
public:
    TByteReader(const QByteArray& bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) {}

    std::optional<uint32_t> number(uint64_t at, int size) const
    {
        if (at + size > uint64_t(m_bytes.size()))
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            const int index = m_bigEndian ? i : size - 1 - i;
            value = value << 8 | uint8_t(m_bytes[qsizetype(at + index)]);
        }
        return value;
    }

    std::optional<std::string> text(uint64_t at, uint32_t length) const
    {
        if (at + length > uint64_t(m_bytes.size()))
            return std::nullopt;
        std::string value(m_bytes.constData() + at, length);
        return value.substr(0, value.find('\0'));
    }

private:
    const QByteArray& m_bytes;
    bool m_bigEndian;
};

enum TiffType : uint16_t { Byte = 1, Ascii = 2, Short = 3, Long = 4 };

int typeSize(uint16_t type)
{
    static const int sizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    return type < std::size(sizes) ? sizes[type] : 0;
}

// Text for the types the listing shows; every other type reads as 0.
std::string entryValue(const TByteReader& reader, uint16_t type, uint32_t count, uint64_t at)
{
    std::optional<uint32_t> number;
    switch (type) {
    case Ascii:
        return reader.text(at, count).value_or("");
    case Byte:
        number = reader.number(at, 1);
        break;
    case Short:
        number = reader.number(at, 2);
        break;
    case Long:
        number = reader.number(at, 4);
        break;
    default:
        break;
    }
    return std::to_string(count > 0 ? number.value_or(0) : 0);
}

// What a listing may hold: a crafted file can point many entries at one
// directory or one long text, so directories are read once each and the
// entries and their text are capped.
struct TListingBudget {
    static constexpr size_t kMostEntries = 4096;
    static constexpr size_t kMostTextBytes = size_t(4) << 20;
    std::set<uint64_t> visited;
    size_t textBytes = 0;

    bool full(const std::vector<TMetadataProperty>& out) const
    {
        return out.size() >= kMostEntries || textBytes >= kMostTextBytes;
    }
};

// The entries of one directory of a TIFF structure (a TIFF file or an Exif
// block), followed by those of its Exif and GPS directories.
void readDirectory(const TByteReader& reader, uint64_t at, int depth, TListingBudget& budget,
                   std::vector<TMetadataProperty>& out)
{
    const std::optional<uint32_t> count = reader.number(at, 2);
    if (!count || depth > 1 || !budget.visited.insert(at).second)
        return;
    std::vector<uint64_t> subDirectories;
    for (uint32_t i = 0; i < *count && !budget.full(out); ++i) {
        const uint64_t entry = at + 2 + 12ull * i;
        const auto tag = reader.number(entry, 2), type = reader.number(entry + 2, 2);
        const auto values = reader.number(entry + 4, 4), offset = reader.number(entry + 8, 4);
        if (!tag || !type || !values || !offset)
            return;
        const uint64_t size = uint64_t(typeSize(uint16_t(*type))) * *values;
        const uint64_t valueAt = size <= 4 ? entry + 8 : *offset;
        out.push_back({uint16_t(*tag), entryValue(reader, uint16_t(*type), *values, valueAt)});
        budget.textBytes += out.back().value.size();
        if ((*tag == kExifDirectory || *tag == kGpsDirectory) && *type == Long)
            subDirectories.push_back(*offset);
    }
    for (uint64_t sub : subDirectories)
        readDirectory(reader, sub, depth + 1, budget, out);
}

std::vector<TMetadataProperty> tiffStructure(const QByteArray& bytes)
{
    std::vector<TMetadataProperty> properties;
    if (!bytes.startsWith("II") && !bytes.startsWith("MM"))
        return properties;
    const TByteReader reader(bytes, bytes.startsWith("MM"));
    if (reader.number(2, 2) != 42u)
        return properties;
    TListingBudget budget;
    if (const auto first = reader.number(4, 4))
        readDirectory(reader, *first, 0, budget, properties);
    return properties;
}

// The Exif block of a JPEG file: an APP1 segment before the scan data.
std::vector<TMetadataProperty> jpegExif(const QByteArray& bytes)
{
    const TByteReader reader(bytes, true);
    uint64_t at = 2; // after the start-of-image marker
    while (reader.number(at, 1) == 0xFFu) {
        const auto marker = reader.number(at + 1, 1), length = reader.number(at + 2, 2);
        constexpr uint32_t kApp1 = 0xE1, kStartOfScan = 0xDA;
        if (!marker || !length || *marker == kStartOfScan)
            break;
        const QByteArray segment = bytes.mid(qsizetype(at + 4), qsizetype(*length) - 2);
        if (*marker == kApp1 && segment.startsWith(QByteArray("Exif\0\0", 6)))
            return tiffStructure(segment.mid(6));
        at += 2 + *length;
    }
    return {};
}

std::vector<TMetadataProperty> pngChunks(const QByteArray& bytes)
{
    constexpr uint16_t kGamma = 0x0301, kRenderingIntent = 0x0303;
    constexpr uint16_t kPixelUnit = 0x5110, kPixelsPerUnitX = 0x5111, kPixelsPerUnitY = 0x5112;
    std::vector<TMetadataProperty> properties;
    if (!bytes.startsWith("\x89PNG"))
        return properties;
    const TByteReader reader(bytes, true);
    uint64_t at = 8; // after the signature
    while (const std::optional<uint32_t> length = reader.number(at, 4)) {
        const uint64_t next = at + 12 + *length; // length, type, data, check sum
        const QByteArray type = bytes.mid(qsizetype(at + 4), 4);
        const uint64_t data = at + 8;
        if (type == "pHYs" && reader.number(data + 8, 1)) {
            properties.push_back({kPixelUnit, std::to_string(*reader.number(data + 8, 1))});
            properties.push_back({kPixelsPerUnitX, std::to_string(*reader.number(data, 4))});
            properties.push_back({kPixelsPerUnitY, std::to_string(*reader.number(data + 4, 4))});
        } else if (type == "gAMA") {
            properties.push_back({kGamma, "0"}); // a fraction: not shown
        } else if (type == "sRGB" && reader.number(data, 1)) {
            properties.push_back({kRenderingIntent, std::to_string(*reader.number(data, 1))});
        } else if (type == "IDAT" || type == "IEND") {
            break;
        }
        at = next;
    }
    return properties;
}

} // namespace

std::vector<TMetadataProperty> pictureMetadata(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(kMetadataWindow);
    switch (pictureKindOf(path)) {
    case PictureKind::Tiff:
        return tiffStructure(bytes);
    case PictureKind::Jpeg:
        return jpegExif(bytes);
    default:
        break;
    }
    return upperExtension(path) == ".PNG" ? pngChunks(bytes) : std::vector<TMetadataProperty>{};
}

std::string metadataTagName(uint16_t tag)
{
    static const std::unordered_map<uint16_t, const char*> names = {
        {0x0000, "PropertyTagGpsVer"}, {0x0001, "PropertyTagGpsLatitudeRef"}, {0x0002, "PropertyTagGpsLatitude"},
        {0x0003, "PropertyTagGpsLongitudeRef"}, {0x0004, "PropertyTagGpsLongitude"},
        {0x0005, "PropertyTagGpsAltitudeRef"}, {0x0006, "PropertyTagGpsAltitude"},
        {0x00FE, "PropertyTagNewSubfileType"}, {0x00FF, "PropertyTagSubfileType"},
        {0x0100, "PropertyTagImageWidth"}, {0x0101, "PropertyTagImageHeight"},
        {0x0102, "PropertyTagBitsPerSample"}, {0x0103, "PropertyTagCompression"},
        {0x0106, "PropertyTagPhotometricInterp"}, {0x0107, "PropertyTagThreshHolding"},
        {0x010A, "PropertyTagFillOrder"}, {0x010D, "PropertyTagDocumentName"},
        {0x010E, "PropertyTagImageDescription"}, {0x010F, "PropertyTagEquipMake"},
        {0x0110, "PropertyTagEquipModel"}, {0x0111, "PropertyTagStripOffsets"},
        {0x0112, "PropertyTagOrientation"}, {0x0115, "PropertyTagSamplesPerPixel"},
        {0x0116, "PropertyTagRowsPerStrip"}, {0x0117, "PropertyTagStripBytesCount"},
        {0x011A, "PropertyTagXResolution"}, {0x011B, "PropertyTagYResolution"},
        {0x011C, "PropertyTagPlanarConfig"}, {0x011D, "PropertyTagPageName"},
        {0x0128, "PropertyTagResolutionUnit"}, {0x0129, "PropertyTagPageNumber"},
        {0x0131, "PropertyTagSoftwareUsed"}, {0x0132, "PropertyTagDateTime"}, {0x013B, "PropertyTagArtist"},
        {0x013C, "PropertyTagHostComputer"}, {0x013D, "PropertyTagPredictor"},
        {0x0140, "PropertyTagColorMap"}, {0x0142, "PropertyTagTileWidth"}, {0x0143, "PropertyTagTileLength"},
        {0x0144, "PropertyTagTileOffset"}, {0x0145, "PropertyTagTileByteCounts"},
        {0x0152, "PropertyTagExtraSamples"}, {0x0153, "PropertyTagSampleFormat"},
        {0x0201, "PropertyTagJPEGInterFormat"}, {0x0202, "PropertyTagJPEGInterLength"},
        {0x0211, "PropertyTagYCbCrCoefficients"}, {0x0212, "PropertyTagYCbCrSubsampling"},
        {0x0213, "PropertyTagYCbCrPositioning"}, {0x0214, "PropertyTagREFBlackWhite"},
        {0x0301, "PropertyTagGamma"}, {0x0303, "PropertyTagSRGBRenderingIntent"},
        {0x5110, "PropertyTagPixelUnit"}, {0x5111, "PropertyTagPixelPerUnitX"},
        {0x5112, "PropertyTagPixelPerUnitY"}, {0x8298, "PropertyTagCopyright"},
        {0x829A, "PropertyTagExifExposureTime"}, {0x829D, "PropertyTagExifFNumber"},
        {0x8769, "PropertyTagExifIFD"}, {0x8773, "PropertyTagICCProfile"},
        {0x8822, "PropertyTagExifExposureProg"}, {0x8825, "PropertyTagGpsIFD"},
        {0x8827, "PropertyTagExifISOSpeed"}, {0x9000, "PropertyTagExifVer"},
        {0x9003, "PropertyTagExifDTOrig"}, {0x9004, "PropertyTagExifDTDigitized"},
        {0x9101, "PropertyTagExifCompConfig"}, {0x9201, "PropertyTagExifShutterSpeed"},
        {0x9202, "PropertyTagExifAperture"}, {0x9204, "PropertyTagExifExposureBias"},
        {0x9207, "PropertyTagExifMeteringMode"}, {0x9208, "PropertyTagExifLightSource"},
        {0x9209, "PropertyTagExifFlash"}, {0x920A, "PropertyTagExifFocalLength"},
        {0x927C, "PropertyTagExifMakerNote"}, {0x9286, "PropertyTagExifUserComment"},
        {0xA000, "PropertyTagExifFPXVer"}, {0xA001, "PropertyTagExifColorSpace"},
        {0xA002, "PropertyTagExifPixXDim"}, {0xA003, "PropertyTagExifPixYDim"},
        {0xA005, "PropertyTagExifInterop"}, {0xA217, "PropertyTagExifSensingMethod"},
        {0xA300, "PropertyTagExifFileSource"}, {0xA301, "PropertyTagExifSceneType"},
    };
    const auto found = names.find(tag);
    return found == names.end() ? "<UnKnown>" : found->second;
}

} // namespace orv
