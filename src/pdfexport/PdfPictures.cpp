// Picture objects on PDF pages. A picture file becomes one image of the
// document however often it is placed: JPEG data is copied as it is unless
// the export asks for a lower quality; other pictures are converted to JPEG
// or embedded as bitmaps as the export's settings say.

#include "document/Report.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImage.h"
#include "pdfexport/PdfPageDrawers.h"
#include "codecs/ImageLimits.h"
#include "codecs/JpegCodec.h"
#include "platform/Screen.h"
#include "metafile/MetafilePlayer.h"
#include "pictures/PictureFile.h"

#include <QFile>
#include <QPainter>

#include <cmath>
#include <optional>

namespace orv {

namespace {

// The quality JPEG data is taken to carry: a file's own, or the quality
// a conversion wrote.
constexpr int32_t kFileJpegQuality = 90;
constexpr int32_t kConvertedPictureQuality = 90;

struct TPreparedImage {
    std::unique_ptr<TPdfImage> image;
    int32_t width = 0;
    int32_t height = 0;
};

bool isJpegData(const QByteArray& bytes)
{
    return bytes.size() >= 3 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xD8 &&
           static_cast<uint8_t>(bytes[2]) == 0xFF;
}

bool isBitmapData(const QByteArray& bytes)
{
    return bytes.startsWith("BM");
}

// Pictures with transparent parts are laid on white, as on paper.
QImage onWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

std::string jpegOf(const QImage& image, int32_t quality)
{
    TJpegOptions options;
    options.quality = quality;
    return encodeJpeg(onWhite(image), options);
}

// JPEG data of a known quality; compressed again when the export asks for
// less (a big picture reduced as every big picture is). Its size is the
// picture's own, for placing it.
TPreparedImage jpegImage(std::string jpeg, int32_t quality, const TPDFSetup& setup)
{
    const TJpegInfo info = readJpegInfo(jpeg);
    if (setup.JpegQuality < quality)
        jpeg = jpegOf(decodeJpegPicture(jpeg, {}, {}), setup.JpegQuality);
    return {createJpegImage(std::move(jpeg)), info.width, info.height};
}

// A decoded picture converted to JPEG, placed by its own size.
TPreparedImage convertedImage(const QImage& image, QSize fullSize, const TPDFSetup& setup)
{
    TPreparedImage prepared = jpegImage(jpegOf(image, kConvertedPictureQuality), kConvertedPictureQuality, setup);
    prepared.width = fullSize.width();
    prepared.height = fullSize.height();
    return prepared;
}

// A decoded bitmap: indexed pictures keep their palette, all others become
// 24-bit samples.
TPdfBitmap pdfBitmapOf(const QImage& source)
{
    TPdfBitmap bitmap;
    bitmap.width = source.width();
    bitmap.height = source.height();
    QImage image;
    if (source.format() == QImage::Format_Mono || source.format() == QImage::Format_Indexed8) {
        image = source;
        bitmap.bitsPerPixel = source.format() == QImage::Format_Mono ? 1 : 8;
        for (QRgb entry : image.colorTable())
            bitmap.palette.push_back({static_cast<uint8_t>(qRed(entry)), static_cast<uint8_t>(qGreen(entry)),
                                      static_cast<uint8_t>(qBlue(entry))});
    } else {
        image = onWhite(source).convertToFormat(QImage::Format_BGR888);
        bitmap.bitsPerPixel = 24;
    }
    bitmap.stride = static_cast<int32_t>(image.bytesPerLine());
    bitmap.pixels.assign(reinterpret_cast<const char*>(image.constBits()), static_cast<size_t>(image.sizeInBytes()));
    return bitmap;
}

// A metafile played onto a bitmap of its size at the screen's resolution,
// then carried as a JPEG of the best quality. A frame bigger than any
// picture may be is played at the size a big picture is reduced to; the
// image keeps the frame's size for placing it.
std::optional<TPreparedImage> metafileImage(const QString& path, const TPDFSetup& setup)
{
    const QByteArray bytes = readMetafileBytes(path);
    const std::optional<QSizeF> frame = metafileFrame(bytes);
    if (!frame)
        return std::nullopt;
    const QSize pixels = metafilePixels(*frame, screenPixelsPerInch());
    QImage bitmap(decodedSize(pixels, {}), QImage::Format_RGB32);
    if (bitmap.isNull())
        return std::nullopt;
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        if (!playMetafile(painter, bytes, QRectF(QPointF(0, 0), QSizeF(bitmap.size()))))
            return std::nullopt;
    }
    constexpr int32_t kBestQuality = 100;
    TPreparedImage prepared = jpegImage(jpegOf(bitmap, kBestQuality), kBestQuality, setup);
    prepared.width = pixels.width();
    prepared.height = pixels.height();
    return prepared;
}

// Builds the image of a picture file; nothing when it cannot be read.
std::optional<TPreparedImage> prepareImage(const QString& path, int32_t frame, const TPDFSetup& setup)
{
    const PictureKind kind = pictureKindOf(path);
    if (kind == PictureKind::Metafile)
        return metafileImage(path, setup);
    QSize fullSize;
    if (kind == PictureKind::Tiff || kind == PictureKind::Gif || upperExtension(path) == ".PNG") {
        const QImage image =
            loadPicture(path, kind == PictureKind::Tiff && frame >= 1 ? frame - 1 : 0, {}, {}, &fullSize);
        if (image.isNull())
            return std::nullopt;
        return convertedImage(image, fullSize, setup);
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (isJpegData(bytes)) {
        try {
            return jpegImage(bytes.toStdString(), kFileJpegQuality, setup);
        } catch (const std::runtime_error&) {
            return std::nullopt; // not a JPEG libjpeg can read
        }
    }
    const QImage image = loadPicture(path, 0, {}, {}, &fullSize);
    if (image.isNull())
        return std::nullopt;
    // Pictures that are not bitmaps (icons, say) always travel as JPEG.
    if (setup.CompressBitmaps || !isBitmapData(bytes)) {
        const std::string jpeg = jpegOf(image, setup.BitmapQuality);
        return TPreparedImage{createJpegImage(jpeg), fullSize.width(), fullSize.height()};
    }
    return TPreparedImage{createBitmapImage(pdfBitmapOf(image)), fullSize.width(), fullSize.height()};
}

// The name of the picture's image in the document, embedding it on first
// use; its pixel size comes back in `pixels`.
std::optional<std::string> imageNameFor(TPdfExport& pdfExport, const std::string& fileName, const QString& path,
                                        int32_t frame, QSize& pixels)
{
    for (const TPdfImageFile& cached : pdfExport.imageCache) {
        if (cached.FileName == fileName && cached.FrameNumber == frame) {
            pixels = QSize(cached.Width, cached.Height);
            return cached.XObjectName;
        }
    }
    std::optional<TPreparedImage> prepared = prepareImage(path, frame, pdfExport.report.PdfSetup);
    if (!prepared)
        return std::nullopt;
    pixels = QSize(prepared->width, prepared->height);
    const std::string name = pdfExport.nextImageName();
    pdfExport.imageCache.push_back({fileName, name, frame, prepared->width, prepared->height});
    pdfExport.doc.addImage(name, std::move(prepared->image));
    return name;
}

} // namespace

void drawPdfPicture(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TReportObject& object)
{
    const TPdfPagePlacement::Box box = place.boxOf(object);
    if (box.width == 0 || box.height == 0 || object.Text.empty())
        return;
    const std::optional<QString> path = locatePictureFile(object.Text);
    if (!path)
        return;
    QSize pixels;
    const std::optional<std::string> name = imageNameFor(pdfExport, object.Text, *path, object.LineCount, pixels);
    if (!name || pixels.isEmpty())
        return;

    const double s = place.scale;
    double drawnWidth = std::trunc(box.width), drawnHeight = std::trunc(box.height);
    if (object.imageScaling() == TImageScaling::ActualSize) {
        drawnWidth = std::trunc(pixels.width() * s);
        drawnHeight = std::trunc(pixels.height() * s);
    } else if (object.imageScaling() == TImageScaling::FitProportionally) {
        const double fit = std::min(box.width / (pixels.width() * s), box.height / (pixels.height() * s));
        drawnWidth = std::trunc(pixels.width() * s * fit);
        drawnHeight = std::trunc(pixels.height() * s * fit);
    }
    pdfExport.doc.canvas().drawXObject(box.x, static_cast<float>(place.mediaHeight - (box.top + drawnHeight)),
                                       static_cast<float>(drawnWidth), static_cast<float>(drawnHeight), *name);
}

} // namespace orv
