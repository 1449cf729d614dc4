#include "metafile/MetafileRecords.h"

#include "platform/CodePages.h"
#include "metafile/GdiRecords.h"

#include <QByteArray>

namespace orv::metafile {

using namespace gdi;

std::string_view viewOf(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

QColor colourOf(uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QString ansiText(std::string_view bytes)
{
    QString text;
    for (char c : bytes) {
        if (c == '\0')
            break;
        text += QChar(char16_t(codePageToUnicode(1252, uint8_t(c))));
    }
    return text;
}

QString utf16Text(std::string_view bytes)
{
    QString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(qFromLittleEndian<uint16_t>(bytes.data() + i));
    return text;
}

bool isEnhanced(std::string_view bytes)
{
    TReader header(bytes);
    const uint32_t type = header.u32(), size = header.u32();
    header.seek(40);
    return header.u32() == kEmfSignature && header.ok() && type == emr::Header && size >= kEmfHeaderMinimum &&
           size <= bytes.size();
}

bool isPlaceable(std::string_view bytes)
{
    TReader header(bytes);
    return header.u32() == kPlaceableKey && header.ok() && bytes.size() >= kPlaceableHeaderSize + kWmfHeaderSize;
}

size_t wmfRecordsAt(std::string_view bytes, bool placeable)
{
    TReader header(bytes, placeable ? kPlaceableHeaderSize : 0);
    const uint16_t type = header.u16(), headerWords = header.u16(), version = header.u16();
    if (!header.ok() || (type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
        return 0;
    const size_t recordsAt = header.position() - 6 + kWmfHeaderSize;
    return recordsAt <= bytes.size() ? recordsAt : 0;
}


TEmfHeader readEmfHeader(std::string_view bytes)
{
    TReader r(bytes, 8);
    TEmfHeader header;
    const int32_t bl = r.i32(), bt = r.i32(), br = r.i32(), bb = r.i32();
    const int32_t fl = r.i32(), ft = r.i32(), fr = r.i32(), fb = r.i32();
    header.bounds = QRectF(QPointF(bl, bt), QPointF(br + 1.0, bb + 1.0));
    header.frame = QRectF(QPointF(fl, ft), QPointF(fr, fb));
    r.seek(56);
    header.handles = r.u16();
    r.seek(72);
    const int32_t devX = r.i32(), devY = r.i32(), mmX = r.i32(), mmY = r.i32();
    // The size in micrometres, when the header is long enough to hold it,
    // is exact; whole millimetres are not.
    r.seek(100);
    const int32_t umX = r.i32(), umY = r.i32();
    const bool micrometres = r.ok() && TReader(bytes, 4).u32() >= 108 && umX > 0 && umY > 0;
    header.pixelsPerMm = QSizeF(96 / 25.4, 96 / 25.4);
    if (devX > 0 && devY > 0 && micrometres)
        header.pixelsPerMm = QSizeF(devX * 1000.0 / umX, devY * 1000.0 / umY);
    else if (devX > 0 && devY > 0 && mmX > 0 && mmY > 0)
        header.pixelsPerMm = QSizeF(double(devX) / mmX, double(devY) / mmY);
    return header;
}

std::optional<QSizeF> plainWmfExtent(std::string_view bytes, size_t recordsAt)
{
    TReader r(bytes, recordsAt);
    while (r.remaining() >= 6) {
        const size_t start = r.position();
        const uint64_t size = uint64_t(r.u32()) * 2;
        const uint16_t function = r.u16();
        if (size < 6 || size > bytes.size() - start || function == wmr::Eof)
            break;
        if (function == wmr::SetWindowExt && size >= 10) {
            const int16_t y = r.i16(), x = r.i16();
            if (x != 0 && y != 0)
                return QSizeF(std::abs(x), std::abs(y));
        }
        r.seek(start + size);
    }
    return std::nullopt;
}

// --- record structure

bool emfRecordsFit(std::string_view bytes)
{
    TReader header(bytes, 48);
    if (header.u32() > bytes.size())
        return false;
    size_t at = 0;
    while (at < bytes.size()) {
        TReader r(bytes, at);
        const uint32_t type = r.u32(), size = r.u32();
        if (!r.ok() || size < 8 || size % 4 != 0 || size > bytes.size() - at)
            return false;
        if (type == emr::Eof)
            return true;
        at += size;
    }
    return true;
}

bool wmfRecordsFit(std::string_view bytes, size_t at)
{
    TReader header(bytes, at - kWmfHeaderSize + 6);
    if (uint64_t(header.u32()) * 2 > bytes.size() - (at - kWmfHeaderSize))
        return false;
    while (at < bytes.size()) {
        TReader r(bytes, at);
        const uint64_t size = uint64_t(r.u32()) * 2;
        const uint16_t function = r.u16();
        if (!r.ok() || size < 6 || size > bytes.size() - at)
            return false;
        if (function == wmr::Eof)
            return true;
        at += size_t(size);
    }
    return true;
}
void select(TGdiCanvas& canvas, const TGdiObject& object)
{
    if (const auto* pen = std::get_if<TGdiPen>(&object))
        canvas.selectPen(*pen);
    else if (const auto* brush = std::get_if<TGdiBrush>(&object))
        canvas.selectBrush(*brush);
    else if (const auto* font = std::get_if<TGdiFont>(&object))
        canvas.selectFont(*font);
}

} // namespace orv::metafile
