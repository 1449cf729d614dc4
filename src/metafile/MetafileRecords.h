#pragma once

// The parts the metafile players share: a bounds-checked little-endian
// reader, text and colour decoding, the header and record-structure checks
// of EMF and WMF files, and the GDI object table entries. Only the players
// use this header.

#include "metafile/GdiCanvas.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

class QByteArray;
class QPainter;

namespace orv::metafile {

constexpr size_t kEmfHeaderMinimum = 88;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr double kHundredthsMmPerInch = 2540;

// Reads little-endian fields from a stretch of bytes. A read past its end
// gives 0 and marks the reader failed, so a record is checked once after
// its fields are read instead of before each one.
class TReader {
public:
    explicit TReader(std::string_view bytes, size_t at = 0)
        : m_bytes(bytes)
    {
        seek(at);
    }

    bool ok() const { return !m_failed; }
    size_t position() const { return m_at; }
    size_t remaining() const { return m_bytes.size() - m_at; }
    void seek(size_t at)
    {
        m_failed |= at > m_bytes.size();
        m_at = std::min(at, m_bytes.size());
    }

    uint8_t u8() { return take<uint8_t>(); }
    uint16_t u16() { return take<uint16_t>(); }
    int16_t i16() { return take<int16_t>(); }
    uint32_t u32() { return take<uint32_t>(); }
    int32_t i32() { return take<int32_t>(); }
    float f32() { return std::bit_cast<float>(take<uint32_t>()); }
    std::string_view bytes(size_t count)
    {
        if (count > remaining()) {
            m_failed = true;
            return {};
        }
        const std::string_view part = m_bytes.substr(m_at, count);
        m_at += count;
        return part;
    }

private:
    template <typename T>
    T take()
    {
        if (sizeof(T) > remaining()) {
            m_failed = true;
            return 0;
        }
        const T value = qFromLittleEndian<T>(m_bytes.data() + m_at);
        m_at += sizeof(T);
        return value;
    }

    std::string_view m_bytes;
    size_t m_at = 0;
    bool m_failed = false;
};

std::string_view viewOf(const QByteArray& bytes);
QColor colourOf(uint32_t colorRef);
// Text of code page 1252 up to its first NUL.
QString ansiText(std::string_view bytes);
QString utf16Text(std::string_view bytes);

// --- headers

bool isEnhanced(std::string_view bytes);
bool isPlaceable(std::string_view bytes);
// Where a WMF's records start after its headers; 0 when it is none.
size_t wmfRecordsAt(std::string_view bytes, bool placeable);

struct TEmfHeader {
    QRectF frame;      // hundredths of a millimetre
    QRectF bounds;     // device units
    QSizeF pixelsPerMm; // of the recording device
    uint16_t handles = 0;
};
TEmfHeader readEmfHeader(std::string_view bytes);

// The first window extent a plain WMF sets: its only size.
std::optional<QSizeF> plainWmfExtent(std::string_view bytes, size_t recordsAt);

// True when every record lies inside the bytes, up to an end-of-file record
// or the end of the data, and the file is as long as its header says.
bool emfRecordsFit(std::string_view bytes);
bool wmfRecordsFit(std::string_view bytes, size_t at);

// --- objects

struct TOtherObject {}; // palettes, regions and bitmaps: they take a slot, nothing more
using TGdiObject = std::variant<TGdiPen, TGdiBrush, TGdiFont, TOtherObject>;

// Makes a pen, brush or font current; other objects change nothing.
void select(TGdiCanvas& canvas, const TGdiObject& object);

// --- the players: each draws a file's records so that its picture fills
// `target`; false, with nothing drawn, when its records do not fit.

bool playEnhanced(QPainter& painter, std::string_view bytes, const QRectF& target);
bool playWindows(QPainter& painter, std::string_view bytes, const QRectF& target, bool placeable);

} // namespace orv::metafile
