#pragma once

#include "codecs/JpegCodec.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// How a picture file's name extension selects its reader.
enum class PictureKind {
    Tiff,     // libtiff, pages selectable
    Jpeg,     // the engine's JPEG codec, scaled decoding
    Gif,      // giflib, the first frame
    Metafile, // EMF and WMF: played by the metafile player, never decoded to pixels
    Other,    // BMP, PNG, ICO and whatever else Qt recognises by content
};

PictureKind pictureKindOf(const QString& path);
// ".PNG" for "a/b.png"; empty without an extension.
QString upperExtension(const QString& path);

// The file a picture object names: the name itself, or, when no file of
// that name exists (a report moved with its pictures), the bare file name in
// the current directory. Nothing for an empty name or when neither exists.
std::optional<QString> locatePictureFile(const std::string& fileName);

// Decodes a picture; `frame` is the 0-based page of a multi-page TIFF (a
// page beyond the last shows the first). A null image when the file cannot
// be read, is corrupt or truncated, or is a metafile.
//
// `shown` is how many device pixels the picture covers where it is drawn
// (empty: a target without pixels, such as PDF). A big picture is decoded
// at decodedSize (codecs/ImageLimits.h): as large as needed to cover
// `shown` and never above kLargePicturePixels, so that what is drawn needs
// no more memory than the target can show. `fullSize`, when given,
// receives the picture's own size, which a reduced image no longer has.
QImage loadPicture(const QString& path, int32_t frame, TJpegDecoding jpeg, QSize shown = {},
                   QSize* fullSize = nullptr);

// JPEG data decoded as loadPicture decodes a JPEG file; throws when
// libjpeg cannot read it.
QImage decodeJpegPicture(std::string_view jpeg, TJpegDecoding decoding, QSize shown, QSize* fullSize = nullptr);

// A metafile's bytes, read whole; empty when the file cannot be read or is
// larger than any real page's metafile (64 MiB).
QByteArray readMetafileBytes(const QString& path);

} // namespace orv
