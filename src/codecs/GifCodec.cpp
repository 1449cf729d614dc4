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

namespace {

// The graphics control block of an extension, when it is one.
void readControlBlock(GifFileType* gif, GraphicsControlBlock& control)
{
    int code = 0;
    GifByteType* extension = nullptr;
    if (DGifGetExtension(gif, &code, &extension) != GIF_OK)
        throw std::runtime_error("GIF: broken extension");
    if (code == GRAPHICS_EXT_FUNC_CODE && extension && extension[0] >= 4)
        DGifExtensionToGCB(extension[0], extension + 1, &control);
    while (extension)
        if (DGifGetExtensionNext(gif, &extension) != GIF_OK)
            throw std::runtime_error("GIF: broken extension");
}

// The rows of the current frame in file order: interlaced frames hold every
// eighth row from 0, every eighth from 4, every fourth from 2, then every
// second from 1.
std::vector<int> rowOrder(const GifImageDesc& frame)
{
    std::vector<int> rows;
    rows.reserve(size_t(frame.Height));
    if (!frame.Interlace) {
        for (int y = 0; y < frame.Height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < frame.Height; y += kStep[pass])
            rows.push_back(y);
    return rows;
}

QImage firstFrame(GifFileType* gif, QSize shown)
{
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK)
            return {};
        if (record == EXTENSION_RECORD_TYPE) {
            readControlBlock(gif, control);
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE)
            return {}; // the file ends before its first frame
        break;
    }
    if (DGifGetImageDesc(gif) != GIF_OK)
        return {};
    // A frame is checked before a byte of it is decoded: a tiny file may
    // declare a frame far beyond its canvas.
    const GifImageDesc& place = gif->Image;
    if (!isDecodableSize(place.Width, place.Height))
        return {};
    const ColorMapObject* map = place.ColorMap ? place.ColorMap : gif->SColorMap;
    if (!map)
        return {};

    // The canvas is sampled down to its decoded size as the frame's rows
    // arrive, so a big canvas is never held whole.
    const QSize canvas(gif->SWidth, gif->SHeight);
    QImage image(decodedSize(canvas, shown), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    const TPixelSampler sampler(canvas, image.size());
    const std::vector<int>& columns = sampler.sourceColumns();
    std::vector<GifPixelType> line(size_t(place.Width));
    for (int y : rowOrder(place)) {
        if (DGifGetLine(gif, line.data(), place.Width) != GIF_OK)
            return {};
        const int row = place.Top + y;
        // Rows in file order only go down: the rest lie below the canvas.
        if (row >= canvas.height() && !place.Interlace)
            break;
        if (row < 0 || row >= canvas.height())
            continue;
        const auto [first, last] = sampler.targetRows(row);
        for (int target = first; target < last; ++target) {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(target));
            for (size_t x = 0; x < columns.size(); ++x) {
                const int column = columns[x] - place.Left;
                if (column < 0 || column >= place.Width)
                    continue;
                const int index = line[size_t(column)];
                if (index == control.TransparentColor || index >= map->ColorCount)
                    continue;
                const GifColorType& colour = map->Colors[index];
                out[x] = qRgb(colour.Red, colour.Green, colour.Blue);
            }
        }
    }
    return image;
}

} // namespace

// Only the first frame is read: the frames after it are never decoded.
QImage decodeGifFile(const QString& path, QSize shown)
{
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(QFile::encodeName(path).constData(), &error));
    if (!gif || !isDecodableSize(gif->SWidth, gif->SHeight))
        return {};
    try {
        return firstFrame(gif.get(), shown);
    } catch (const std::runtime_error&) {
        return {};
    }
}

QSize gifScreenSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(10);
    if (head.size() < 10 || !head.startsWith("GIF"))
        return {};
    auto word = [&](int at) { return int(uint8_t(head[at])) | int(uint8_t(head[at + 1])) << 8; };
    return QSize(word(6), word(8));
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
