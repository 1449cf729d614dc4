#pragma once

#include "platform/FileNames.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orv {

// How a page image is written: colour depth (1, 4, 8, 15, 16 or 24 bits per
// pixel; other values give 24), grey instead of colour, and the format's own
// settings. Every writer goes through a temporary file that is renamed into
// place, so a failed export leaves no partial file behind.
struct TRasterOptions {
    int32_t bitsPerPixel = 24;
    bool grayscale = false;
    int32_t jpegQuality = 90; // clamped to 1..100
    bool progressive = false;
    enum class TiffCompression { Lzw, CcittGroup3, CcittGroup4, PackBits, None };
    TiffCompression tiffCompression = TiffCompression::Lzw;
};

// The TIFF compression of an interface compression code: 1 CCITT group 3,
// 2 CCITT group 4, 3 PackBits (run length), 4 none, anything else LZW.
TRasterOptions::TiffCompression tiffCompressionOf(int32_t code);

// The bitmap size for a thumbnail size t: with 5 < t < the longer side the
// image is scaled so that its longer side is t (the ratio rounded to
// 1/10000, sizes cut); otherwise the full size.
QSize thumbnailSize(QSize full, int32_t thumbnail);

void writeJpeg(const QImage& page, const std::string& path, const TRasterOptions& options);
void writeBmp(const QImage& page, const std::string& path, const TRasterOptions& options);
// PNG pages are encoded at this QImageWriter quality (zlib level 1 in Qt's
// mapping): a page of text and shapes is mostly flat colour, which the
// fastest level packs as small as the slowest ones in a tenth of their time
// (bench/ExportBench's quality sweep).
inline constexpr int kPngQuality = 80;
void writePng(const QImage& page, const std::string& path, const TRasterOptions& options);
// A GIF 89a file of 4 bits (the sixteen standard colours) or 8 bits (an
// optimised palette); other depths give 8.
void writeGif(const QImage& page, const std::string& path, const TRasterOptions& options);

// Writes one or more pages into one TIFF file, a page at a time, so a long
// range never has to be held in memory. Compression CCITT group 3 and 4 and
// PackBits write 1-bit pages.
class TTiffWriter {
public:
    TTiffWriter(const std::string& path, const TRasterOptions& options);
    ~TTiffWriter();
    TTiffWriter(const TTiffWriter&) = delete;
    TTiffWriter& operator=(const TTiffWriter&) = delete;

    void addPage(const QImage& page);
    // Completes the file and moves it into place; without it nothing is left.
    void finish();

private:
    // Writes one strip of packed rows, compressed; false when it fails.
    bool writeStrip(uint32_t index, std::vector<uint8_t>& strip);

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace orv
