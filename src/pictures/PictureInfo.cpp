#include "pictures/PictureInfo.h"

#include "codecs/GifCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/TiffPages.h"
#include "metafile/MetafilePlayer.h"
#include "pictures/PictureFile.h"
#include "pictures/PictureMetadata.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace orv {

namespace {

// Pixel formats in the Windows imaging library's numbering.
namespace PixelFormat {
constexpr int32_t Indexed1 = 0x30101;
constexpr int32_t Indexed4 = 0x30402;
constexpr int32_t Indexed8 = 0x30803;
constexpr int32_t Gray16 = 0x101004;
constexpr int32_t Rgb555 = 0x21005;
constexpr int32_t Rgb565 = 0x21006;
constexpr int32_t Rgb24 = 0x21808;
constexpr int32_t Rgb32 = 0x22009;
constexpr int32_t Argb32 = 0x26200A;
constexpr int32_t Rgb48 = 0x10300C;
constexpr int32_t Argb64 = 0x34400D;
} // namespace PixelFormat

constexpr int32_t kBitmapImage = 1;
constexpr int32_t kMetafileImage = 2;
// Unset resolutions read as the screen's.
constexpr double kDefaultDpi = 96;

// What the attributes are taken from, whatever the file's format.
struct TPictureFacts {
    int32_t width = 0, height = 0;
    double dpiX = kDefaultDpi, dpiY = kDefaultDpi;
    int32_t pages = 1;
    int32_t pixelFormat = PixelFormat::Rgb24;
    int32_t paletteColours = 0;
    int32_t imageType = kBitmapImage;
};

int32_t indexedFormat(int32_t colours)
{
    if (colours <= 2)
        return PixelFormat::Indexed1;
    return colours <= 16 ? PixelFormat::Indexed4 : PixelFormat::Indexed8;
}

double orDefault(double dpi)
{
    return dpi > 0 ? dpi : kDefaultDpi;
}

std::optional<TPictureFacts> tiffFacts(const QString& path)
{
    TTiffFile tiff(path);
    const std::optional<TTiffPageInfo> page = tiff.pageInfo(0);
    if (!page)
        return std::nullopt;
    TPictureFacts facts;
    facts.width = page->width;
    facts.height = page->height;
    facts.dpiX = orDefault(page->dpiX);
    facts.dpiY = orDefault(page->dpiY);
    facts.pages = tiff.pageCount();
    facts.paletteColours = page->paletteColours;
    if (page->paletteColours > 0)
        facts.pixelFormat = indexedFormat(page->paletteColours);
    else if (page->samplesPerPixel == 1)
        facts.pixelFormat = PixelFormat::Gray16;
    else if (page->bitsPerSample > 8)
        facts.pixelFormat = page->hasAlpha ? PixelFormat::Argb64 : PixelFormat::Rgb48;
    else
        facts.pixelFormat = page->hasAlpha ? PixelFormat::Argb32 : PixelFormat::Rgb24;
    return facts;
}

std::optional<TPictureFacts> jpegFacts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    try {
        const TJpegInfo info = readJpegInfo(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        TPictureFacts facts;
        facts.width = info.width;
        facts.height = info.height;
        facts.dpiX = orDefault(info.dpiX);
        facts.dpiY = orDefault(info.dpiY);
        // A grey JPEG reads as an 8-bit image with a grey palette.
        if (info.components == 1) {
            facts.paletteColours = 256;
            facts.pixelFormat = PixelFormat::Indexed8;
        }
        return facts;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int32_t pixelFormatOf(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return indexedFormat(image.colorCount());
    case QImage::Format_Grayscale8:
        return PixelFormat::Indexed8;
    case QImage::Format_Grayscale16:
        return PixelFormat::Gray16;
    case QImage::Format_RGB16:
        return PixelFormat::Rgb565;
    case QImage::Format_RGB555:
        return PixelFormat::Rgb555;
    case QImage::Format_RGBX64:
        return PixelFormat::Rgb48;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        return PixelFormat::Argb64;
    default:
        return image.hasAlphaChannel() ? PixelFormat::Argb32 : PixelFormat::Rgb24;
    }
}

// Colours of a GIF's global colour table; 256 when it has none (each frame
// then brings its own).
int32_t gifPaletteColours(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 256;
    const QByteArray screen = file.read(11); // signature and logical screen
    constexpr uint8_t kGlobalTable = 0x80;
    if (screen.size() < 11 || !(uint8_t(screen[10]) & kGlobalTable))
        return 256;
    return 2 << (uint8_t(screen[10]) & 0x07);
}

// A GIF names no resolution and always has a palette.
std::optional<TPictureFacts> gifFacts(const QString& path)
{
    // Decoded to a single pixel when big: the frame is checked to its end
    // without the picture being held.
    if (decodeGifFile(path, QSize(1, 1)).isNull())
        return std::nullopt;
    const QSize screen = gifScreenSize(path);
    TPictureFacts facts;
    facts.width = screen.width();
    facts.height = screen.height();
    facts.paletteColours = gifPaletteColours(path);
    facts.pixelFormat = indexedFormat(facts.paletteColours);
    return facts;
}

// A metafile is as wide and high as its frame at the resolution it was
// recorded at, and draws in 32-bit colour without a palette.
std::optional<TPictureFacts> metafileFacts(const QString& path)
{
    const std::optional<TMetafileHeader> header = readMetafileHeader(readMetafileBytes(path));
    if (!header)
        return std::nullopt;
    TPictureFacts facts;
    const QSize pixels = metafilePixels(header->frame, header->dpiX);
    facts.width = pixels.width();
    facts.height = metafilePixels(header->frame, header->dpiY).height();
    facts.dpiX = header->dpiX;
    facts.dpiY = header->dpiY;
    facts.pixelFormat = PixelFormat::Rgb32;
    facts.imageType = kMetafileImage;
    return facts;
}

// BMP and PNG, decoded for their resolution and palette (a big picture
// as it is drawn, reduced).
std::optional<TPictureFacts> decodedFacts(const QString& path)
{
    QSize full;
    const QImage image = loadPicture(path, 0, {}, QSize(1, 1), &full);
    if (image.isNull())
        return std::nullopt;
    TPictureFacts facts;
    facts.width = full.width();
    facts.height = full.height();
    facts.dpiX = orDefault(image.dotsPerMeterX() * 0.0254);
    facts.dpiY = orDefault(image.dotsPerMeterY() * 0.0254);
    facts.pixelFormat = pixelFormatOf(image);
    facts.paletteColours = image.format() == QImage::Format_Grayscale8 ? 256 : image.colorCount();
    return facts;
}

std::optional<TPictureFacts> factsOf(const QString& path)
{
    switch (pictureKindOf(path)) {
    case PictureKind::Tiff:
        return tiffFacts(path);
    case PictureKind::Jpeg:
        return jpegFacts(path);
    case PictureKind::Gif:
        return gifFacts(path);
    case PictureKind::Metafile:
        return metafileFacts(path);
    case PictureKind::Other:
        break;
    }
    return decodedFacts(path);
}

// One line a property: "PropertyTagImageWidth: 384" and CR LF.
std::string metadataListing(const std::vector<TMetadataProperty>& properties)
{
    std::string listing;
    for (const TMetadataProperty& property : properties)
        listing += metadataTagName(property.tag) + ": " + property.value + "\r\n";
    return listing;
}

bool isReportedExtension(const QString& extension)
{
    static const std::array<QString, 6> reported{".TIF", ".PNG", ".JPG", ".GIF", ".EMF", ".BMP"};
    return std::find(reported.begin(), reported.end(), extension) != reported.end();
}

} // namespace

std::optional<TPictureAttribute> pictureAttribute(const std::string& fileName, int32_t attribute)
{
    const QString path = QString::fromStdString(fileName);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !isReportedExtension(upperExtension(path)))
        return std::nullopt;
    const std::optional<TPictureFacts> facts = factsOf(path);
    if (!facts)
        return std::nullopt;
    switch (attribute) {
    case 1:
        return facts->width;
    case 2:
        return facts->height;
    case 3:
        return facts->dpiX;
    case 4:
        return facts->dpiY;
    case 5:
        return facts->pages;
    case 6:
        return 1; // pages of TIFF, frames of GIF: one dimension either way
    case 7:
        return facts->imageType;
    case 8:
        return facts->pixelFormat;
    case 9:
        // The palette's header (flags and count) and one four-byte entry a colour.
        return 8 + 4 * facts->paletteColours;
    case 10:
        return static_cast<int32_t>(pictureMetadata(path).size());
    case 11:
        return metadataListing(pictureMetadata(path));
    default:
        return std::nullopt;
    }
}

} // namespace orv
