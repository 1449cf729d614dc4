#include "metafile/MetafilePlayer.h"

#include "metafile/MetafileRecords.h"

#include <QPainter>

#include <cmath>

namespace orv {

using namespace metafile;

std::optional<TMetafileHeader> readMetafileHeader(const QByteArray& data)
{
    const std::string_view bytes = viewOf(data);
    TMetafileHeader header;
    if (isEnhanced(bytes)) {
        const TEmfHeader emf = readEmfHeader(bytes);
        header.format = MetafileFormat::Enhanced;
        header.frame = emf.frame.size();
        header.dpiX = emf.pixelsPerMm.width() * 25.4;
        header.dpiY = emf.pixelsPerMm.height() * 25.4;
        if (!(header.frame.width() > 0 && header.frame.height() > 0))
            header.frame = QSizeF(emf.bounds.width() / emf.pixelsPerMm.width() * 100,
                                  emf.bounds.height() / emf.pixelsPerMm.height() * 100);
    } else if (isPlaceable(bytes)) {
        TReader r(bytes, 6);
        const int16_t left = r.i16(), top = r.i16(), right = r.i16(), bottom = r.i16();
        const uint16_t unitsPerInch = r.u16();
        if (unitsPerInch == 0 || wmfRecordsAt(bytes, true) == 0)
            return std::nullopt;
        header.format = MetafileFormat::Placeable;
        header.frame = QSizeF(std::abs(right - left), std::abs(bottom - top)) * kHundredthsMmPerInch / unitsPerInch;
        header.dpiX = header.dpiY = unitsPerInch;
    } else if (const size_t recordsAt = wmfRecordsAt(bytes, false)) {
        const std::optional<QSizeF> extent = plainWmfExtent(bytes, recordsAt);
        if (!extent)
            return std::nullopt;
        header.format = MetafileFormat::Plain;
        header.frame = *extent * kHundredthsMmPerInch / 96;
    } else {
        return std::nullopt;
    }
    if (!(header.frame.width() > 0 && header.frame.height() > 0) || !std::isfinite(header.dpiX) ||
        !std::isfinite(header.dpiY))
        return std::nullopt;
    return header;
}

std::optional<QSizeF> metafileFrame(const QByteArray& bytes)
{
    if (const std::optional<TMetafileHeader> header = readMetafileHeader(bytes))
        return header->frame;
    return std::nullopt;
}

QSize metafilePixels(QSizeF frame, double dotsPerInch)
{
    auto pixels = [&](double hundredths) {
        return int(std::clamp(std::round(hundredths / kHundredthsMmPerInch * dotsPerInch), 1.0, 1e9));
    };
    return QSize(pixels(frame.width()), pixels(frame.height()));
}

bool playMetafile(QPainter& painter, const QByteArray& data, const QRectF& target)
{
    const std::string_view bytes = viewOf(data);
    if (!target.isValid() || !readMetafileHeader(data))
        return false;
    if (isEnhanced(bytes))
        return playEnhanced(painter, bytes, target);
    return playWindows(painter, bytes, target, isPlaceable(bytes));
}

} // namespace orv
