#pragma once

#include <QImage>
#include <QString>

namespace orv {

// The first frame of a GIF file through giflib, on its logical screen with
// transparent background, as ARGB32. A null image when the file is not a
// GIF or ends early (Qt's reader would hand out the rows it got).
QImage decodeGifFile(const QString& path);

} // namespace orv
