#include "export/RasterExport.h"

#include "document/Units.h"
#include "platform/AtomicFile.h"
#include "codecs/GifCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/LzwEncoder.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include <tiffio.h>

namespace orv {

namespace {

// The sixteen colours of the standard 4-bit palette.
constexpr std::array<QRgb, 16> kSixteenColours = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFF808080,
    0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

int32_t normalisedDepth(int32_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
        return bitsPerPixel;
    default:
        return 24;
    }
}

int luma(QRgb pixel)
{
    return (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000;
}

QImage opaqueRgb(const QImage& page, bool grayscale)
{
    QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    if (grayscale)
        rgb = rgb.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    return rgb;
}

// A palette image of the given depth (1, 4 or 8 bits): black and white, the
// sixteen standard colours or grey levels, or an optimised 256-colour palette.
QImage indexedImage(const QImage& rgb, int32_t depth, bool grayscale)
{
    QVector<QRgb> palette;
    if (depth == 1) {
        palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    } else if (grayscale) {
        const int levels = depth == 4 ? 16 : 256;
        for (int i = 0; i < levels; ++i) {
            const int v = i * 255 / (levels - 1);
            palette.push_back(qRgb(v, v, v));
        }
    } else if (depth == 4) {
        palette = QVector<QRgb>(kSixteenColours.begin(), kSixteenColours.end());
    } else {
        return rgb.convertToFormat(QImage::Format_Indexed8, Qt::AutoColor | Qt::ThresholdDither);
    }
    if (depth == 1) {
        QImage mono(rgb.size(), QImage::Format_Indexed8);
        mono.setColorTable(palette);
        for (int y = 0; y < rgb.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            uchar* out = mono.scanLine(y);
            for (int x = 0; x < rgb.width(); ++x)
                out[x] = luma(in[x]) < 128 ? 0 : 1;
        }
        return mono;
    }
    return rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

// Rounds colours to what a 15-bit (5-5-5) or 16-bit (5-6-5) pixel holds.
QImage reducedPrecision(const QImage& rgb, int32_t depth)
{
    QImage reduced = rgb.convertToFormat(depth == 16 ? QImage::Format_RGB16 : QImage::Format_RGB555);
    return reduced.convertToFormat(QImage::Format_RGB32);
}

void putLe16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void putLe32(std::vector<uint8_t>& out, uint32_t v)
{
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

// A Windows bitmap file: bottom-up rows padded to 4 bytes; palettes for 1,
// 4 and 8 bits, 5-5-5 for 15 bits, 5-6-5 bit fields for 16 bits.
std::vector<uint8_t> bitmapFile(const QImage& rgb, int32_t depth, bool grayscale)
{
    const int width = rgb.width();
    const int height = rgb.height();
    const int fileDepth = depth == 15 ? 16 : depth;
    const uint32_t rowBytes = ((uint32_t(width) * fileDepth + 31) / 32) * 4;
    QImage indexed;
    if (depth <= 8)
        indexed = indexedImage(rgb, depth, grayscale);
    const uint32_t paletteEntries = depth <= 8 ? static_cast<uint32_t>(indexed.colorCount()) : 0;
    const uint32_t maskBytes = depth == 16 ? 12 : 0;
    const uint32_t pixelOffset = 14 + 40 + maskBytes + paletteEntries * 4;

    std::vector<uint8_t> out;
    out.reserve(pixelOffset + rowBytes * height);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, pixelOffset + rowBytes * height);
    putLe32(out, 0);
    putLe32(out, pixelOffset);
    putLe32(out, 40);
    putLe32(out, width);
    putLe32(out, height);
    putLe16(out, 1);
    putLe16(out, fileDepth);
    putLe32(out, depth == 16 ? 3 : 0); // BI_BITFIELDS for 5-6-5, else BI_RGB
    putLe32(out, rowBytes * height);
    putLe32(out, 3780); // 96 pixels per inch in pixels per metre
    putLe32(out, 3780);
    putLe32(out, paletteEntries);
    putLe32(out, 0);
    if (depth == 16) {
        putLe32(out, 0xF800);
        putLe32(out, 0x07E0);
        putLe32(out, 0x001F);
    }
    for (uint32_t i = 0; i < paletteEntries; ++i) {
        const QRgb c = indexed.color(static_cast<int>(i));
        out.push_back(qBlue(c));
        out.push_back(qGreen(c));
        out.push_back(qRed(c));
        out.push_back(0);
    }

    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        if (depth <= 8) {
            const uchar* in = indexed.constScanLine(y);
            for (int x = 0; x < width; ++x) {
                if (depth == 8)
                    row[x] = in[x];
                else if (depth == 4)
                    row[x / 2] |= (x % 2 == 0) ? uint8_t(in[x] << 4) : in[x];
                else if (in[x])
                    row[x / 8] |= uint8_t(0x80 >> (x % 8));
            }
        } else {
            const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                const QRgb p = in[x];
                if (depth == 24) {
                    row[x * 3] = qBlue(p);
                    row[x * 3 + 1] = qGreen(p);
                    row[x * 3 + 2] = qRed(p);
                } else {
                    const uint16_t v = depth == 16
                        ? uint16_t(((qRed(p) >> 3) << 11) | ((qGreen(p) >> 2) << 5) | (qBlue(p) >> 3))
                        : uint16_t(((qRed(p) >> 3) << 10) | ((qGreen(p) >> 3) << 5) | (qBlue(p) >> 3));
                    row[x * 2] = v & 0xFF;
                    row[x * 2 + 1] = v >> 8;
                }
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

TRasterOptions::TiffCompression tiffCompressionOf(int32_t code)
{
    switch (code) {
    case 1:
        return TRasterOptions::TiffCompression::CcittGroup3;
    case 2:
        return TRasterOptions::TiffCompression::CcittGroup4;
    case 3:
        return TRasterOptions::TiffCompression::PackBits;
    case 4:
        return TRasterOptions::TiffCompression::None;
    default:
        return TRasterOptions::TiffCompression::Lzw;
    }
}

QSize thumbnailSize(QSize full, int32_t thumbnail)
{
    const int longer = std::max(full.width(), full.height());
    if (!(thumbnail > 5 && thumbnail < longer))
        return full;
    const double ratio = roundToFourDecimals(static_cast<double>(thumbnail) / longer);
    return QSize(static_cast<int>(full.width() * ratio), static_cast<int>(full.height() * ratio));
}

void writeJpeg(const QImage& page, const std::string& path, const TRasterOptions& options)
{
    const std::string jpeg = encodeJpeg(opaqueRgb(page, options.grayscale),
                                        {options.jpegQuality, options.grayscale, options.progressive});
    writeFileAtomically(path, jpeg);
}

void writeBmp(const QImage& page, const std::string& path, const TRasterOptions& options)
{
    const int32_t depth = normalisedDepth(options.bitsPerPixel);
    QImage rgb = opaqueRgb(page, options.grayscale);
    const std::vector<uint8_t> bitmap = bitmapFile(rgb, depth, options.grayscale);
    writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bitmap.data()), bitmap.size()));
}

void writePng(const QImage& page, const std::string& path, const TRasterOptions& options)
{
    // A PNG holds no 1-bit page of ours: 1 bit gives 24.
    const int32_t depth = options.bitsPerPixel == 1 ? 24 : normalisedDepth(options.bitsPerPixel);
    const QImage rgb = opaqueRgb(page, options.grayscale);
    QImage encoded;
    if (depth <= 8)
        encoded = indexedImage(rgb, depth, options.grayscale);
    else if (options.grayscale)
        encoded = rgb.convertToFormat(QImage::Format_Grayscale8);
    else if (depth < 24)
        encoded = reducedPrecision(rgb, depth).convertToFormat(QImage::Format_RGB888);
    else
        encoded = rgb.convertToFormat(QImage::Format_RGB888);
    encoded.setDotsPerMeterX(3780);
    encoded.setDotsPerMeterY(3780);

    // Encoded in memory first: the file write then reports a full disk or a
    // size limit, which Qt's writer does not check when it closes its file.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kPngQuality);
    if (!writer.write(encoded))
        throw std::runtime_error("Cannot write " + path + ": " + writer.errorString().toStdString());
    writeFileAtomically(path, std::string_view(png.constData(), static_cast<size_t>(png.size())));
}

struct TTiffWriter::State {
    explicit State(const std::string& path) : target(path) {}
    TAtomicFile target;
    TRasterOptions options;
    TIFF* tiff = nullptr;
    uint16_t pages = 0;
    bool finished = false;
    // LZW strips are encoded here rather than by libtiff, whose encoder
    // hashes every byte and took most of a multi-page export.
    std::unique_ptr<TLzwEncoder> lzw;
    std::vector<uint8_t> encoded;
};

void writeGif(const QImage& page, const std::string& path, const TRasterOptions& options)
{
    const int32_t depth = options.bitsPerPixel == 4 ? 4 : 8;
    writeFileAtomically(path, encodeGif(indexedImage(opaqueRgb(page, options.grayscale), depth, options.grayscale)));
}

TTiffWriter::TTiffWriter(const std::string& path, const TRasterOptions& options)
    : m_state(std::make_unique<State>(path))
{
    m_state->options = options;
    if (options.tiffCompression == TRasterOptions::TiffCompression::Lzw)
        m_state->lzw = std::make_unique<TLzwEncoder>();
}

TTiffWriter::~TTiffWriter()
{
    if (m_state->tiff)
        TIFFClose(m_state->tiff);
}

namespace {

using TiffCompression = TRasterOptions::TiffCompression;

uint16_t tiffCompressionTag(TiffCompression compression)
{
    switch (compression) {
    case TiffCompression::CcittGroup3:
        return COMPRESSION_CCITTFAX3;
    case TiffCompression::CcittGroup4:
        return COMPRESSION_CCITTFAX4;
    case TiffCompression::PackBits:
        return COMPRESSION_PACKBITS;
    case TiffCompression::None:
        return COMPRESSION_NONE;
    case TiffCompression::Lzw:
        break;
    }
    return COMPRESSION_LZW;
}

// Bits per pixel of a TIFF page: the bilevel compressions write 1-bit
// pages; TIFF has no packed 16-bit RGB, so 15 and 16 bits are written as 24
// with their colours reduced.
int32_t tiffDepth(const TRasterOptions& options)
{
    const TiffCompression compression = options.tiffCompression;
    if (compression == TiffCompression::CcittGroup3 || compression == TiffCompression::CcittGroup4
        || compression == TiffCompression::PackBits)
        return 1;
    const int32_t depth = normalisedDepth(options.bitsPerPixel);
    return depth == 15 || depth == 16 ? 24 : depth;
}

void setPageTags(TIFF* tiff, QSize size, uint16_t pageNumber, TiffCompression compression)
{
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, size.width());
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, size.height());
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 96.0f);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 96.0f);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
    TIFFSetField(tiff, TIFFTAG_PAGENUMBER, pageNumber, 0);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, tiffCompressionTag(compression));
}

void setColourMap(TIFF* tiff, const QImage& indexed, int32_t depth)
{
    const int entries = 1 << depth;
    std::vector<uint16_t> red(entries, 0), green(entries, 0), blue(entries, 0);
    for (int i = 0; i < indexed.colorCount() && i < entries; ++i) {
        red[i] = static_cast<uint16_t>(qRed(indexed.color(i)) * 257);
        green[i] = static_cast<uint16_t>(qGreen(indexed.color(i)) * 257);
        blue[i] = static_cast<uint16_t>(qBlue(indexed.color(i)) * 257);
    }
    TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

// Tags the page's pixel layout and gives the image its rows come from:
// 1-bit white-is-zero from the RGB page, a palette of 4 or 8 bits, or 8-bit
// RGB (colours reduced below 24 bits).
QImage describePixels(TIFF* tiff, const QImage& rgb, int32_t depth, const TRasterOptions& options)
{
    if (depth == 1) {
        // Fax compressions expect white as 0.
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        return rgb;
    }
    if (depth <= 8) {
        QImage indexed = indexedImage(rgb, depth, options.grayscale);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, depth);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        setColourMap(tiff, indexed, depth);
        return indexed;
    }
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    const int32_t requested = normalisedDepth(options.bitsPerPixel);
    return requested < 24 && requested > 8 ? reducedPrecision(rgb, requested) : rgb;
}

constexpr size_t kStripBytes = 64 * 1024;

size_t rowBytes(int width, int32_t depth)
{
    return depth > 8 ? static_cast<size_t>(width) * 3 : (static_cast<size_t>(width) * depth + 7) / 8;
}

// Row y of the source as the page's samples.
void packRow(const QImage& source, int y, int32_t depth, std::vector<uint8_t>& row)
{
    std::fill(row.begin(), row.end(), 0);
    const int width = source.width();
    if (depth == 1) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (luma(in[x]) < 128)
                row[x / 8] |= uint8_t(0x80 >> (x % 8));
    } else if (depth <= 8) {
        const uchar* in = source.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (depth == 8)
                row[x] = in[x];
            else
                row[x / 2] |= (x % 2 == 0) ? uint8_t(in[x] << 4) : in[x];
        }
    } else {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * 3] = qRed(in[x]);
            row[x * 3 + 1] = qGreen(in[x]);
            row[x * 3 + 2] = qBlue(in[x]);
        }
    }
}

} // namespace

void TTiffWriter::addPage(const QImage& page)
{
    if (m_state->finished)
        throw std::logic_error("TIFF file already finished");
    // The file is made when its first page is ready.
    if (!m_state->tiff) {
        m_state->tiff = TIFFOpen(m_state->target.create().c_str(), "w");
        if (!m_state->tiff)
            throw std::runtime_error("Cannot write " + m_state->target.targetPath());
    }
    TIFF* tiff = m_state->tiff;
    const TRasterOptions& options = m_state->options;
    const int32_t depth = tiffDepth(options);
    const QImage rgb = opaqueRgb(page, options.grayscale);

    setPageTags(tiff, rgb.size(), m_state->pages, options.tiffCompression);
    const QImage source = describePixels(tiff, rgb, depth, options);

    // Strips of about 64 KB: fewer, longer LZW runs than libtiff's 8 KB
    // default, and smaller files.
    const size_t bytesPerRow = rowBytes(rgb.width(), depth);
    const int rowsPerStrip = static_cast<int>(std::max<size_t>(1, kStripBytes / bytesPerRow));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(rowsPerStrip));

    std::vector<uint8_t> strip;
    std::vector<uint8_t> row(bytesPerRow, 0);
    for (int first = 0, index = 0; first < rgb.height(); first += rowsPerStrip, ++index) {
        strip.clear();
        for (int y = first; y < std::min(rgb.height(), first + rowsPerStrip); ++y) {
            packRow(source, y, depth, row);
            strip.insert(strip.end(), row.begin(), row.end());
        }
        if (!writeStrip(static_cast<uint32_t>(index), strip))
            throw std::runtime_error("Cannot write " + m_state->target.targetPath());
    }
    if (!TIFFWriteDirectory(tiff))
        throw std::runtime_error("Cannot write " + m_state->target.targetPath());
    ++m_state->pages;
}

bool TTiffWriter::writeStrip(uint32_t index, std::vector<uint8_t>& strip)
{
    TIFF* tiff = m_state->tiff;
    if (!m_state->lzw)
        return TIFFWriteEncodedStrip(tiff, index, strip.data(), static_cast<tmsize_t>(strip.size())) >= 0;
    m_state->lzw->encode(strip.data(), strip.size(), m_state->encoded);
    return TIFFWriteRawStrip(tiff, index, m_state->encoded.data(), static_cast<tmsize_t>(m_state->encoded.size()))
        >= 0;
}

void TTiffWriter::finish()
{
    if (m_state->pages == 0)
        throw std::logic_error("A TIFF file needs at least one page");
    TIFFClose(m_state->tiff);
    m_state->tiff = nullptr;
    m_state->finished = true;
    m_state->target.commit();
}

} // namespace orv
