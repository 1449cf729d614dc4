#include "pictures/PictureFile.h"

#include "codecs/GifCodec.h"
#include "codecs/ImageLimits.h"
#include "codecs/TiffPages.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace orv {

QString upperExtension(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? QString() : "." + suffix.toUpper();
}

PictureKind pictureKindOf(const QString& path)
{
    const QString extension = upperExtension(path);
    if (extension == ".TIF" || extension == ".TIFF")
        return PictureKind::Tiff;
    if (extension == ".JPG" || extension == ".JPEG" || extension == ".JPE" || extension == ".JFIF")
        return PictureKind::Jpeg;
    if (extension == ".GIF")
        return PictureKind::Gif;
    if (extension == ".EMF" || extension == ".WMF")
        return PictureKind::Metafile;
    return PictureKind::Other;
}

std::optional<QString> locatePictureFile(const std::string& fileName)
{
    if (fileName.empty())
        return std::nullopt;
    const QString path = QString::fromStdString(fileName);
    if (QFileInfo(path).isFile())
        return path;
    // Names written on Windows separate folders with backslashes.
    QString bare = path.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    if (!bare.isEmpty() && QFileInfo(bare).isFile())
        return bare;
    return std::nullopt;
}

namespace {

// The largest of libjpeg's reductions (1/2, 1/4, 1/8) that still covers
// `wanted`.
int32_t coveringReduction(const TJpegInfo& info, QSize wanted)
{
    int32_t reduction = 0;
    while (reduction < 3 && (info.width >> (reduction + 1)) >= wanted.width() &&
           (info.height >> (reduction + 1)) >= wanted.height())
        ++reduction;
    return reduction;
}

QImage loadJpeg(const QString& path, TJpegDecoding decoding, QSize shown, QSize* fullSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    try {
        return decodeJpegPicture(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), decoding,
                                 shown, fullSize);
    } catch (const std::exception&) {
        return {}; // corrupt, truncated or too large: the picture stays undrawn
    }
}

QImage loadTiffPage(const QString& path, int32_t frame, QSize shown, QSize* fullSize)
{
    TTiffFile tiff(path);
    const int32_t page = frame > 0 && frame < tiff.pageCount() ? frame : 0;
    if (const std::optional<TTiffPageInfo> info = tiff.pageInfo(page); info && fullSize)
        *fullSize = QSize(info->width, info->height);
    return tiff.page(page, shown);
}

QImage loadGif(const QString& path, QSize shown, QSize* fullSize)
{
    const QImage image = decodeGifFile(path, shown);
    if (fullSize && !image.isNull())
        *fullSize = gifScreenSize(path);
    return image;
}

uint32_t littleEndian(const QByteArray& bytes, int at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uint8_t(bytes[at + i]);
    return value;
}

// Qt reads a bitmap whose pixel rows end early without complaint and leaves
// the missing rows blank; an uncompressed bitmap must hold all its rows.
bool bitmapRowsComplete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(34);
    if (header.size() < 26 || !header.startsWith("BM"))
        return true; // not a bitmap: its reader decides
    const uint64_t pixelsAt = littleEndian(header, 10, 4);
    const uint32_t infoSize = littleEndian(header, 14, 4);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = 0;
    if (infoSize == 12) { // the old OS/2 header
        width = littleEndian(header, 18, 2);
        height = littleEndian(header, 20, 2);
        bits = littleEndian(header, 24, 2);
    } else if (header.size() == 34) {
        width = static_cast<int32_t>(littleEndian(header, 18, 4));
        height = static_cast<int32_t>(littleEndian(header, 22, 4));
        bits = littleEndian(header, 28, 2);
        compression = littleEndian(header, 30, 4);
    }
    constexpr uint32_t kUncompressed = 0, kBitFields = 3;
    if (compression != kUncompressed && compression != kBitFields)
        return true; // run-length rows have no fixed size
    const uint64_t stride = (uint64_t(std::llabs(width)) * bits + 31) / 32 * 4;
    return uint64_t(file.size()) >= pixelsAt + stride * uint64_t(std::llabs(height));
}

QImage loadByContent(const QString& path, QSize shown, QSize* fullSize)
{
    if (upperExtension(path) == ".BMP" && !bitmapRowsComplete(path))
        return {};
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && !isDecodableSize(size.width(), size.height()))
        return {};
    // Our own pixel limit guards the memory; Qt's smaller default would
    // leave big pictures undrawn.
    constexpr int64_t kBytesPerPixel = 4;
    reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * kBytesPerPixel >> 20));
    if (size.isValid() && decodedSize(size, shown) != size)
        reader.setScaledSize(decodedSize(size, shown));
    QImage image = reader.read();
    if (fullSize && !image.isNull())
        *fullSize = size.isValid() ? size : image.size();
    return image;
}

} // namespace

QByteArray readMetafileBytes(const QString& path)
{
    constexpr qint64 kMostMetafileBytes = qint64(64) << 20;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostMetafileBytes)
        return {};
    return file.readAll();
}

QImage decodeJpegPicture(std::string_view jpeg, TJpegDecoding decoding, QSize shown, QSize* fullSize)
{
    const TJpegInfo info = readJpegInfo(jpeg);
    if (!isDecodableSize(info.width, info.height))
        throw std::runtime_error("JPEG: picture too large");
    const QSize full(info.width, info.height);
    if (decodedSize(full, shown) != full)
        decoding.reduction = std::max(decoding.reduction, coveringReduction(info, decodedSize(full, shown)));
    QImage image = decodeJpeg(jpeg, decoding);
    if (fullSize)
        *fullSize = full;
    return image;
}

QImage loadPicture(const QString& path, int32_t frame, TJpegDecoding jpeg, QSize shown, QSize* fullSize)
{
    switch (pictureKindOf(path)) {
    case PictureKind::Tiff:
        return loadTiffPage(path, frame, shown, fullSize);
    case PictureKind::Jpeg:
        return loadJpeg(path, jpeg, shown, fullSize);
    case PictureKind::Gif:
        return loadGif(path, shown, fullSize);
    case PictureKind::Metafile:
        return {};
    case PictureKind::Other:
        break;
    }
    return loadByContent(path, shown, fullSize);
}

} // namespace orv
