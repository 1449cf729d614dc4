#include "codecs/GifCodec.h"

#include "codecs/ImageLimits.h"

#include <QFile>

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace orv {

namespace {

struct GifEncoderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

int appendToString(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), size_t(length));
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

} // namespace

QImage decodeGifFile(const QString& path)
{
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(QFile::encodeName(path).constData(), &error));
    if (!gif || !isDecodableSize(gif->SWidth, gif->SHeight))
        return {};
    if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1)
        return {};

    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (!map)
        return {};
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif.get(), 0, &control);

    QImage image(gif->SWidth, gif->SHeight, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    const GifImageDesc& place = frame.ImageDesc;
    for (int y = 0; y < place.Height; ++y) {
        const int row = place.Top + y;
        if (row < 0 || row >= image.height())
            continue;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < place.Width; ++x) {
            const int column = place.Left + x;
            const int index = frame.RasterBits[size_t(y) * place.Width + x];
            if (column < 0 || column >= image.width() || index == control.TransparentColor || index >= map->ColorCount)
                continue;
            const GifColorType& colour = map->Colors[index];
            out[column] = qRgb(colour.Red, colour.Green, colour.Blue);
        }
    }
    return image;
}

std::string encodeGif(const QImage& indexed)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() < 1 || indexed.colorCount() > 256)
        throw std::runtime_error("A GIF image needs a palette of 1 to 256 colours");
    // giflib wants 2^n table entries; the padding is never referenced.
    int bits = 1;
    while ((1 << bits) < indexed.colorCount())
        ++bits;
    std::vector<GifColorType> colours(size_t(1) << bits, GifColorType{0, 0, 0});
    for (int i = 0; i < indexed.colorCount(); ++i) {
        const QRgb c = indexed.color(i);
        colours[size_t(i)] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    auto refuse = [] { return std::runtime_error("Cannot encode the GIF image"); };

    std::string bytes;
    int error = 0;
    std::unique_ptr<GifFileType, GifEncoderCloser> gif(EGifOpen(&bytes, appendToString, &error));
    if (!gif)
        throw refuse();
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(int(colours.size()), colours.data()), GifFreeMapObject);
    if (!map)
        throw refuse();
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), indexed.width(), indexed.height(), bits, 0, map.get()) != GIF_OK ||
        EGifPutImageDesc(gif.get(), 0, 0, indexed.width(), indexed.height(), false, nullptr) != GIF_OK)
        throw refuse();
    for (int y = 0; y < indexed.height(); ++y)
        if (EGifPutLine(gif.get(), const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width()) != GIF_OK)
            throw refuse();
    // Closing writes the trailer into `bytes`.
    GifFileType* finished = gif.release();
    if (EGifCloseFile(finished, &error) != GIF_OK)
        throw refuse();
    return bytes;
}

} // namespace orv
