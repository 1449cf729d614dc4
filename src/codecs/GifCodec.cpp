#include "codecs/GifCodec.h"

#include "codecs/ImageLimits.h"

#include <QFile>

#include <gif_lib.h>

#include <memory>

namespace orv {

namespace {

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

} // namespace orv
