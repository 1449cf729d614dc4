#include "metafile/Dib.h"

#include "codecs/ImageLimits.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace orv {

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiBitFields = 3;

uint32_t readU32(std::string_view bytes, size_t at)
{
    return qFromLittleEndian<uint32_t>(bytes.data() + at);
}

uint16_t readU16(std::string_view bytes, size_t at)
{
    return qFromLittleEndian<uint16_t>(bytes.data() + at);
}

// What the header of a bitmap says about its pixels.
struct TDibLayout {
    int64_t width = 0, height = 0; // height < 0: top row first
    uint32_t bitCount = 0;
    uint32_t compression = kBiRgb;
    std::array<uint32_t, 4> masks{}; // red, green, blue, alpha for bit fields
    size_t tableAt = 0;              // the colour table's offset
    uint32_t colours = 0;            // its entries
    uint32_t entrySize = 4;          // 3 for the old core header
};

std::optional<TDibLayout> readLayout(std::string_view info)
{
    if (info.size() < 4)
        return std::nullopt;
    const uint32_t headerSize = readU32(info, 0);
    TDibLayout layout;
    if (headerSize == kCoreHeaderSize) {
        if (info.size() < kCoreHeaderSize)
            return std::nullopt;
        layout.width = readU16(info, 4);
        layout.height = readU16(info, 6);
        layout.bitCount = readU16(info, 10);
        layout.entrySize = 3;
        layout.tableAt = kCoreHeaderSize;
    } else if (headerSize >= kInfoHeaderSize && headerSize <= info.size()) {
        layout.width = static_cast<int32_t>(readU32(info, 4));
        layout.height = static_cast<int32_t>(readU32(info, 8));
        layout.bitCount = readU16(info, 14);
        layout.compression = readU32(info, 16);
        layout.colours = readU32(info, 32);
        layout.tableAt = headerSize;
        if (layout.compression == kBiBitFields) {
            // A plain info header is followed by the three masks; later
            // headers hold them (and the alpha mask) themselves.
            const size_t masksAt = kInfoHeaderSize;
            const size_t count = headerSize >= 56 ? 4 : 3;
            if (headerSize == kInfoHeaderSize)
                layout.tableAt += 12;
            if (info.size() < masksAt + 4 * count)
                return std::nullopt;
            for (size_t i = 0; i < count; ++i)
                layout.masks[i] = readU32(info, masksAt + 4 * i);
        }
    } else {
        return std::nullopt;
    }
    if (layout.bitCount <= 8) {
        const uint32_t full = 1u << layout.bitCount;
        if (layout.colours == 0 || layout.colours > full)
            layout.colours = full;
    } else if (layout.colours > 256) {
        return std::nullopt;
    }
    return layout;
}

bool supported(const TDibLayout& layout)
{
    switch (layout.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return layout.compression == kBiRgb;
    case 16:
    case 32:
        return layout.compression == kBiRgb || layout.compression == kBiBitFields;
    default:
        return false;
    }
}

// A channel of a bit-field pixel scaled to eight bits.
int channel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const uint32_t top = mask >> shift;
    return static_cast<int>(uint64_t((pixel & mask) >> shift) * 255 / top);
}

} // namespace

TDib encodeDib(const QImage& image)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const int bitCount = alpha ? 32 : 24;
    const int stride = (pixels.width() * bitCount + 31) / 32 * 4;

    TDib dib;
    dib.info = QByteArray(kInfoHeaderSize, '\0');
    char* header = dib.info.data();
    qToLittleEndian<uint32_t>(kInfoHeaderSize, header);
    qToLittleEndian<int32_t>(pixels.width(), header + 4);
    qToLittleEndian<int32_t>(pixels.height(), header + 8);
    qToLittleEndian<uint16_t>(1, header + 12);
    qToLittleEndian<uint16_t>(bitCount, header + 14);
    qToLittleEndian<uint32_t>(static_cast<uint32_t>(stride * pixels.height()), header + 20);

    dib.bits = QByteArray(qsizetype(stride) * pixels.height(), '\0');
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        char* out = dib.bits.data() + qsizetype(stride) * (pixels.height() - 1 - y);
        for (int x = 0; x < pixels.width(); ++x) {
            *out++ = char(qBlue(row[x]));
            *out++ = char(qGreen(row[x]));
            *out++ = char(qRed(row[x]));
            if (alpha)
                *out++ = char(qAlpha(row[x]));
        }
    }
    return dib;
}

QImage decodeDib(std::string_view info, std::string_view bits, DibAlpha alpha)
{
    const std::optional<TDibLayout> layout = readLayout(info);
    if (!layout || !supported(*layout))
        return {};
    const int64_t width = layout->width, height = std::llabs(layout->height);
    if (!isDecodableSize(width, height))
        return {};
    const uint64_t stride = (uint64_t(width) * layout->bitCount + 31) / 32 * 4;
    if (bits.size() < stride * uint64_t(height))
        return {};

    QList<QRgb> palette;
    if (layout->bitCount <= 8) {
        if (info.size() < layout->tableAt + size_t(layout->colours) * layout->entrySize)
            return {};
        for (uint32_t i = 0; i < layout->colours; ++i) {
            const char* entry = info.data() + layout->tableAt + size_t(i) * layout->entrySize;
            palette.push_back(qRgb(uint8_t(entry[2]), uint8_t(entry[1]), uint8_t(entry[0])));
        }
    }
    std::array<uint32_t, 4> masks = layout->masks;
    if (layout->compression == kBiRgb && layout->bitCount == 16)
        masks = {0x7C00, 0x03E0, 0x001F, 0};
    else if (layout->compression == kBiRgb && layout->bitCount == 32)
        masks = {0xFF0000, 0xFF00, 0xFF, alpha == DibAlpha::Premultiplied ? 0xFF000000u : 0};

    const bool withAlpha = masks[3] != 0;
    QImage image(int(width), int(height), withAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool bottomUp = layout->height > 0;
    for (int64_t row = 0; row < height; ++row) {
        const auto* in = reinterpret_cast<const uint8_t*>(bits.data() + stride * uint64_t(row));
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(bottomUp ? height - 1 - row : row)));
        for (int64_t x = 0; x < width; ++x) {
            switch (layout->bitCount) {
            case 1:
            case 4:
            case 8: {
                const uint32_t perByte = 8 / layout->bitCount;
                const uint32_t shift = 8 - layout->bitCount * (1 + uint32_t(x) % perByte);
                const uint32_t index = (in[x / perByte] >> shift) & ((1u << layout->bitCount) - 1);
                out[x] = index < uint32_t(palette.size()) ? palette[index] : qRgb(0, 0, 0);
                break;
            }
            case 24:
                out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            default: {
                const uint32_t pixel = layout->bitCount == 16 ? qFromLittleEndian<uint16_t>(in + 2 * x)
                                                              : qFromLittleEndian<uint32_t>(in + 4 * x);
                const int a = withAlpha ? channel(pixel, masks[3]) : 255;
                // Premultiplied colours never exceed their alpha.
                out[x] = qRgba(std::min(channel(pixel, masks[0]), a), std::min(channel(pixel, masks[1]), a),
                               std::min(channel(pixel, masks[2]), a), a);
                break;
            }
            }
        }
    }
    return image;
}

size_t packedDibBitsOffset(std::string_view dib)
{
    const std::optional<TDibLayout> layout = readLayout(dib);
    if (!layout)
        return 0;
    const size_t end = layout->tableAt + size_t(layout->colours) * layout->entrySize;
    return end <= dib.size() ? end : 0;
}

} // namespace orv
