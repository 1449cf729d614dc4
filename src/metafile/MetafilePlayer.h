#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <optional>

class QPainter;

namespace orv {

enum class MetafileFormat {
    Enhanced,  // EMF
    Placeable, // WMF behind the 22-byte placeable header
    Plain,     // WMF alone
};

// What a metafile's header says about the picture.
struct TMetafileHeader {
    MetafileFormat format = MetafileFormat::Enhanced;
    QSizeF frame;             // hundredths of a millimetre
    double dpiX = 96, dpiY = 96; // the recording device's resolution
};

// The header of an EMF, placeable WMF or plain WMF, recognised by content
// whatever the file's extension. A plain WMF carries no size of its own: its
// window extent counts as pixels at 96 per inch. Nothing for anything else,
// or for a picture without a size.
std::optional<TMetafileHeader> readMetafileHeader(const QByteArray& bytes);

// The picture's frame size, hundredths of a millimetre.
std::optional<QSizeF> metafileFrame(const QByteArray& bytes);

// The frame in pixels at `dotsPerInch`, at least one pixel a side.
QSize metafilePixels(QSizeF frame, double dotsPerInch);

// Plays the metafile's records so that its frame fills `target` (painter
// coordinates). False, with nothing drawn, when the bytes are not a
// metafile or its records do not fit inside it; a record whose contents are
// inconsistent is skipped.
bool playMetafile(QPainter& painter, const QByteArray& bytes, const QRectF& target);

} // namespace orv
