#pragma once

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <string_view>

namespace orv {

// A device-independent bitmap as metafile records carry it: its header
// (with any colour table) and its pixel rows, bottom row first.
struct TDib {
    QByteArray info;
    QByteArray bits;
};

// 24 bits a pixel for an opaque image; 32 bits with premultiplied alpha
// otherwise, as alpha-blending records expect.
TDib encodeDib(const QImage& image);

enum class DibAlpha {
    Ignored,       // the fourth byte of 32-bit pixels is padding
    Premultiplied, // it is alpha, the colours already multiplied by it
};

// The image a bitmap header (with its colour table) and its pixel rows
// describe: 1, 4, 8, 16, 24 and 32 bits a pixel, uncompressed or with bit
// fields. A null image for anything else, for rows shorter than the header
// promises, or for more pixels than the picture limit.
QImage decodeDib(std::string_view info, std::string_view bits, DibAlpha alpha = DibAlpha::Ignored);

// Where the pixel rows start in a bitmap packed behind its header and colour
// table (as plain metafiles carry it); 0 when the header is unreadable.
size_t packedDibBitsOffset(std::string_view dib);

} // namespace orv
