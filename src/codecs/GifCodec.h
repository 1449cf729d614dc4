#pragma once

#include <QImage>
#include <QString>

#include <string>

namespace orv {

// The first frame of a GIF file through giflib, on its logical screen with
// transparent background, as ARGB32 at decodedSize(screen, `shown`). A null
// image when the file is not a GIF or ends early (Qt's reader would hand
// out the rows it got).
QImage decodeGifFile(const QString& path, QSize shown = {});

// The logical screen a GIF file declares, read from its header alone;
// empty when the file is no GIF.
QSize gifScreenSize(const QString& path);

// A palette image (QImage::Format_Indexed8 with at most 256 colours) as the
// bytes of a GIF 89a file, its colour table padded to a power of two. Throws
// std::runtime_error when giflib refuses it.
std::string encodeGif(const QImage& indexed);

} // namespace orv
