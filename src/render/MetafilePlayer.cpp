#include "render/MetafilePlayer.h"

#include "platform/CodePages.h"
#include "render/Dib.h"
#include "render/GdiCanvas.h"
#include "render/GdiRecords.h"

#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <set>
#include <string_view>
#include <variant>

namespace orv {

namespace {

using namespace gdi;

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

// --- headers

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

// Where a WMF's records start after its headers; 0 when it is none.
size_t wmfRecordsAt(std::string_view bytes, bool placeable)
{
    TReader header(bytes, placeable ? kPlaceableHeaderSize : 0);
    const uint16_t type = header.u16(), headerWords = header.u16(), version = header.u16();
    if (!header.ok() || (type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
        return 0;
    const size_t recordsAt = header.position() - 6 + kWmfHeaderSize;
    return recordsAt <= bytes.size() ? recordsAt : 0;
}

struct TEmfHeader {
    QRectF frame;      // hundredths of a millimetre
    QRectF bounds;     // device units
    QSizeF pixelsPerMm; // of the recording device
    uint16_t handles = 0;
};

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

// The first window extent a plain WMF sets: its only size.
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

// True when every record lies inside the bytes, up to an end-of-file record
// or the end of the data, and the file is as long as its header says.
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

// --- objects

struct TOtherObject {}; // palettes, regions and bitmaps: they take a slot, nothing more
using TGdiObject = std::variant<TGdiPen, TGdiBrush, TGdiFont, TOtherObject>;

void select(TGdiCanvas& canvas, const TGdiObject& object)
{
    if (const auto* pen = std::get_if<TGdiPen>(&object))
        canvas.selectPen(*pen);
    else if (const auto* brush = std::get_if<TGdiBrush>(&object))
        canvas.selectBrush(*brush);
    else if (const auto* font = std::get_if<TGdiFont>(&object))
        canvas.selectFont(*font);
}

// --- enhanced metafiles

class TEmfPlayer {
public:
    TEmfPlayer(std::string_view bytes, TGdiCanvas& canvas, uint16_t handles)
        : m_bytes(bytes)
        , m_canvas(canvas)
        , m_handles(handles)
    {
    }

    void play()
    {
        size_t at = 0;
        while (at + 8 <= m_bytes.size()) {
            TReader header(m_bytes, at);
            const uint32_t type = header.u32(), size = header.u32();
            if (type == emr::Eof)
                return;
            // The structure was checked before playing: the record fits.
            play(type, TReader(m_bytes.substr(at, size), 8));
            at += size;
        }
    }

private:
    static QPointF point(TReader& r)
    {
        const int32_t x = r.i32();
        return QPointF(x, r.i32());
    }
    static QPointF point16(TReader& r)
    {
        const int16_t x = r.i16();
        return QPointF(x, r.i16());
    }
    static QRectF box(TReader& r)
    {
        const int32_t left = r.i32(), top = r.i32(), right = r.i32(), bottom = r.i32();
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    static QSizeF size(TReader& r)
    {
        const int32_t cx = r.i32();
        return QSizeF(cx, r.i32());
    }
    static QTransform xform(TReader& r)
    {
        const float m11 = r.f32(), m12 = r.f32(), m21 = r.f32(), m22 = r.f32(), dx = r.f32(), dy = r.f32();
        return QTransform(m11, m12, m21, m22, dx, dy);
    }

    // Bounds, a count and that many points, 16 or 32 bits each.
    static std::optional<QPolygonF> points(TReader& r, bool shortForm)
    {
        r.bytes(16);
        const uint32_t count = r.u32();
        if (!r.ok() || uint64_t(count) * (shortForm ? 4 : 8) > r.remaining())
            return std::nullopt;
        QPolygonF polygon;
        polygon.reserve(count);
        for (uint32_t i = 0; i < count; ++i)
            polygon << (shortForm ? point16(r) : point(r));
        return polygon;
    }

    // Bounds, a count of figures, the total points, each figure's count and
    // the points.
    static std::optional<std::vector<QPolygonF>> polyPoints(TReader& r, bool shortForm)
    {
        r.bytes(16);
        const uint32_t figures = r.u32(), total = r.u32();
        const uint64_t pointSize = shortForm ? 4 : 8;
        if (!r.ok() || uint64_t(figures) * 4 + uint64_t(total) * pointSize > r.remaining())
            return std::nullopt;
        std::vector<uint32_t> counts;
        uint64_t sum = 0;
        for (uint32_t i = 0; i < figures; ++i) {
            counts.push_back(r.u32());
            sum += counts.back();
        }
        if (sum != total)
            return std::nullopt;
        std::vector<QPolygonF> polygons;
        for (uint32_t count : counts) {
            QPolygonF polygon;
            for (uint32_t i = 0; i < count; ++i)
                polygon << (shortForm ? point16(r) : point(r));
            polygons.push_back(std::move(polygon));
        }
        return polygons;
    }

    // The bitmap a record carries by offsets from its start.
    QImage bitmap(TReader& r, DibAlpha alpha) const
    {
        const uint32_t infoAt = r.u32(), infoSize = r.u32(), bitsAt = r.u32(), bitsSize = r.u32();
        if (!r.ok() || infoSize == 0)
            return {};
        TReader record = m_record;
        record.seek(infoAt);
        const std::string_view info = record.bytes(infoSize);
        record.seek(bitsAt);
        const std::string_view bits = record.bytes(bitsSize);
        if (!record.ok())
            return {};
        return decodeDib(info, bits, alpha);
    }

    // The source rectangle in the image's top-down rows; bitmaps count
    // their rows from the bottom.
    static QRectF sourceRect(const QImage& image, double x, double y, double width, double height)
    {
        return QRectF(x, image.height() - y - height, width, height);
    }

    bool validHandle(uint32_t index) const { return index > 0 && index < m_handles; }

    void create(uint32_t index, TGdiObject object)
    {
        if (validHandle(index))
            m_objects[index] = std::move(object);
    }

    static TGdiPen pen(uint32_t style, double width, uint32_t colour)
    {
        return TGdiPen{style, std::abs(width), colourOf(colour), {}};
    }

    void play(uint32_t type, TReader r)
    {
        m_record = r;
        switch (type) {
        case emr::SetMapMode:
            m_canvas.setMapMode(r.u32());
            break;
        case emr::SetWindowExtEx:
            m_canvas.setWindowExt(size(r));
            break;
        case emr::SetWindowOrgEx:
            m_canvas.setWindowOrg(point(r));
            break;
        case emr::SetViewportExtEx:
            m_canvas.setViewportExt(size(r));
            break;
        case emr::SetViewportOrgEx:
            m_canvas.setViewportOrg(point(r));
            break;
        case emr::SetBkMode:
            m_canvas.setBackgroundMode(r.u32());
            break;
        case emr::SetPolyFillMode:
            m_canvas.setPolyFillMode(r.u32());
            break;
        case emr::SetTextAlign:
            m_canvas.setTextAlign(r.u32());
            break;
        case emr::SetTextColor:
            m_canvas.setTextColour(colourOf(r.u32()));
            break;
        case emr::SetBkColor:
            m_canvas.setBackgroundColour(colourOf(r.u32()));
            break;
        case emr::SetArcDirection:
            m_canvas.setArcDirection(r.u32());
            break;
        case emr::SaveDC:
            m_canvas.save();
            break;
        case emr::RestoreDC:
            m_canvas.restore(r.i32());
            break;
        case emr::SetWorldTransform: {
            const QTransform t = xform(r);
            if (r.ok())
                m_canvas.setWorldTransform(t);
            break;
        }
        case emr::ModifyWorldTransform: {
            const QTransform t = xform(r);
            const uint32_t mode = r.u32();
            if (r.ok())
                m_canvas.modifyWorldTransform(t, mode);
            break;
        }
        case emr::SelectObject: {
            const uint32_t index = r.u32();
            if (index & kStockObject)
                m_canvas.selectStockObject(index & ~kStockObject);
            else if (const auto found = m_objects.find(index); found != m_objects.end())
                select(m_canvas, found->second);
            break;
        }
        case emr::DeleteObject:
            m_objects.erase(r.u32());
            break;
        case emr::CreatePen: {
            const uint32_t index = r.u32(), style = r.u32();
            const int32_t width = r.i32();
            r.i32();
            const uint32_t colour = r.u32();
            if (r.ok())
                create(index, pen(style, width, colour));
            break;
        }
        case emr::ExtCreatePen:
            createExtPen(r);
            break;
        case emr::CreateBrushIndirect: {
            const uint32_t index = r.u32(), style = r.u32(), colour = r.u32(), hatch = r.u32();
            if (r.ok())
                create(index, TGdiBrush{style, colourOf(colour), hatch, {}});
            break;
        }
        case emr::CreateDIBPatternBrushPt: {
            const uint32_t index = r.u32();
            r.u32(); // colour usage: palette indices read as colours
            const QImage pattern = bitmap(r, DibAlpha::Ignored);
            if (!pattern.isNull())
                create(index, TGdiBrush{BS_DIBPATTERNPT, Qt::black, 0, pattern});
            break;
        }
        case emr::ExtCreateFontIndirectW:
            createFont(r);
            break;
        case emr::MoveToEx:
            m_canvas.moveTo(point(r));
            break;
        case emr::SetPixelV: {
            const QPointF at = point(r);
            const uint32_t colour = r.u32();
            if (r.ok())
                m_canvas.setPixel(at, colourOf(colour));
            break;
        }
        case emr::LineTo: {
            const QPointF to = point(r);
            if (r.ok())
                m_canvas.lineTo(to);
            break;
        }
        case emr::Rectangle:
        case emr::Ellipse: {
            const QRectF b = box(r);
            if (r.ok())
                type == emr::Rectangle ? m_canvas.rectangle(b) : m_canvas.ellipse(b);
            break;
        }
        case emr::RoundRect: {
            const QRectF b = box(r);
            const QSizeF corner = size(r);
            if (r.ok())
                m_canvas.roundRect(b, corner);
            break;
        }
        case emr::Arc:
        case emr::ArcTo:
        case emr::Chord:
        case emr::Pie: {
            const QRectF b = box(r);
            const QPointF start = point(r), end = point(r);
            const ArcKind kind = type == emr::Arc     ? ArcKind::Arc
                                 : type == emr::ArcTo ? ArcKind::ArcTo
                                 : type == emr::Chord ? ArcKind::Chord
                                                      : ArcKind::Pie;
            if (r.ok())
                m_canvas.arc(kind, b, start, end);
            break;
        }
        case emr::Polygon:
        case emr::Polygon16:
        case emr::Polyline:
        case emr::Polyline16:
        case emr::PolyBezier:
        case emr::PolyBezier16:
        case emr::PolyBezierTo:
        case emr::PolyBezierTo16:
        case emr::PolylineTo:
        case emr::PolylineTo16:
            playPoly(type, r);
            break;
        case emr::PolyPolygon:
        case emr::PolyPolygon16:
        case emr::PolyPolyline:
        case emr::PolyPolyline16: {
            const bool shortForm = type == emr::PolyPolygon16 || type == emr::PolyPolyline16;
            if (const auto figures = polyPoints(r, shortForm)) {
                if (type == emr::PolyPolygon || type == emr::PolyPolygon16)
                    m_canvas.polyPolygon(*figures);
                else
                    m_canvas.polyPolyline(*figures);
            }
            break;
        }
        case emr::BeginPath:
            m_canvas.beginPath();
            break;
        case emr::EndPath:
            m_canvas.endPath();
            break;
        case emr::AbortPath:
            m_canvas.abortPath();
            break;
        case emr::CloseFigure:
            m_canvas.closeFigure();
            break;
        case emr::FillPath:
            m_canvas.fillPath();
            break;
        case emr::StrokePath:
            m_canvas.strokePath();
            break;
        case emr::StrokeAndFillPath:
            m_canvas.strokeAndFillPath();
            break;
        case emr::SelectClipPath:
            m_canvas.selectClipPath(r.u32());
            break;
        case emr::IntersectClipRect:
        case emr::ExcludeClipRect: {
            const QRectF b = box(r);
            if (r.ok())
                type == emr::IntersectClipRect ? m_canvas.intersectClipRect(b) : m_canvas.excludeClipRect(b);
            break;
        }
        case emr::ExtSelectClipRgn:
            selectClipRegion(r);
            break;
        case emr::ExtTextOutW:
        case emr::ExtTextOutA:
            playText(r, type == emr::ExtTextOutW);
            break;
        case emr::StretchDIBits:
            playStretchDIBits(r);
            break;
        case emr::BitBlt:
        case emr::StretchBlt:
            playBlt(r, type == emr::StretchBlt);
            break;
        case emr::AlphaBlend:
            playAlphaBlend(r);
            break;
        default:
            break; // records that change nothing we draw
        }
    }

    void playPoly(uint32_t type, TReader& r)
    {
        const bool shortForm = type == emr::Polygon16 || type == emr::Polyline16 || type == emr::PolyBezier16 ||
                               type == emr::PolyBezierTo16 || type == emr::PolylineTo16;
        const std::optional<QPolygonF> polygon = points(r, shortForm);
        if (!polygon)
            return;
        switch (type) {
        case emr::Polygon:
        case emr::Polygon16:
            m_canvas.polygon(*polygon);
            break;
        case emr::Polyline:
        case emr::Polyline16:
            m_canvas.polyline(*polygon);
            break;
        case emr::PolyBezier:
        case emr::PolyBezier16:
            m_canvas.polyBezier(*polygon);
            break;
        case emr::PolyBezierTo:
        case emr::PolyBezierTo16:
            m_canvas.polyBezierTo(*polygon);
            break;
        default:
            m_canvas.polylineTo(*polygon);
            break;
        }
    }

    void createExtPen(TReader& r)
    {
        const uint32_t index = r.u32();
        r.bytes(16); // the optional pattern bitmap's offsets
        const uint32_t style = r.u32(), width = r.u32();
        const uint32_t brushStyle = r.u32();
        const uint32_t colour = r.u32();
        r.u32();
        const uint32_t entries = r.u32();
        if (!r.ok())
            return;
        // A cosmetic pen is one pixel wide whatever its width says; a pen
        // with a hollow brush draws nothing.
        const uint32_t drawnStyle = brushStyle == BS_NULL ? PS_NULL : style;
        TGdiPen created = pen(drawnStyle, style & PS_GEOMETRIC ? width : 0, colour);
        if ((style & PS_STYLE_MASK) == PS_USERSTYLE && uint64_t(entries) * 4 <= r.remaining()) {
            for (uint32_t i = 0; i < entries && i < 64; ++i)
                created.dashes.push_back(r.u32());
        }
        create(index, std::move(created));
    }

    void createFont(TReader& r)
    {
        const uint32_t index = r.u32();
        TGdiFont font;
        font.height = r.i32();
        r.i32(); // width: the face's own
        font.escapement = r.i32();
        r.i32(); // orientation: glyphs follow the escapement
        font.weight = r.i32();
        font.italic = r.u8();
        font.underline = r.u8();
        font.strikeOut = r.u8();
        r.bytes(5);
        font.face = utf16Text(r.bytes(64)).section(QChar(0), 0, 0);
        if (r.ok())
            create(index, std::move(font));
    }

    void selectClipRegion(TReader& r)
    {
        const uint32_t dataSize = r.u32(), mode = r.u32();
        std::vector<QRectF> rects;
        if (dataSize >= 32) {
            TReader data(r.bytes(dataSize));
            data.u32(); // header size
            data.u32(); // type
            const uint32_t count = data.u32();
            data.u32();
            data.bytes(16);
            if (!data.ok() || uint64_t(count) * 16 > data.remaining())
                return;
            for (uint32_t i = 0; i < count; ++i)
                rects.push_back(box(data));
        }
        if (r.ok())
            m_canvas.selectClipRegion(rects, mode);
    }

    void playText(TReader& r, bool wide)
    {
        r.bytes(16 + 12); // bounds, graphics mode and scales
        const QPointF reference = point(r);
        const uint32_t count = r.u32(), stringAt = r.u32(), options = r.u32();
        const QRectF rect = box(r);
        const uint32_t dxAt = r.u32();
        if (!r.ok())
            return;
        TReader record = m_record;
        record.seek(stringAt);
        const std::string_view characters = record.bytes(size_t(count) * (wide ? 2 : 1));
        if (!record.ok())
            return;
        const QString text = wide ? utf16Text(characters) : ansiText(characters);
        std::vector<double> advances;
        if (dxAt != 0) {
            // With ETO_PDY each character has a horizontal and a vertical advance.
            const size_t step = options & ETO_PDY ? 2 : 1;
            record.seek(dxAt);
            for (uint32_t i = 0; i < count && record.remaining() >= 4 * step; ++i) {
                advances.push_back(record.i32());
                if (step == 2)
                    record.i32();
            }
        }
        const std::optional<QRectF> clip =
            options & (ETO_OPAQUE | ETO_CLIPPED) ? std::optional<QRectF>(rect) : std::nullopt;
        m_canvas.text(reference, text, advances, options, clip);
    }

    void playStretchDIBits(TReader& r)
    {
        r.bytes(16);
        const int32_t x = r.i32(), y = r.i32(), xSrc = r.i32(), ySrc = r.i32(), cxSrc = r.i32(), cySrc = r.i32();
        const QImage image = bitmap(r, DibAlpha::Ignored);
        r.u32(); // colour usage
        const uint32_t rop = r.u32();
        const int32_t cx = r.i32(), cy = r.i32();
        if (!r.ok() || image.isNull() || rop != SRCCOPY)
            return;
        m_canvas.image(QRectF(x, y, cx, cy), image, sourceRect(image, xSrc, ySrc, cxSrc, cySrc));
    }

    // Bit block transfers with a source bitmap draw it; without one they
    // fill with the brush (or black or white).
    void playBlt(TReader& r, bool stretch)
    {
        constexpr uint32_t kPatCopy = 0x00F00021, kBlackness = 0x00000042, kWhiteness = 0x00FF0062;
        r.bytes(16);
        const int32_t x = r.i32(), y = r.i32(), cx = r.i32(), cy = r.i32();
        const uint32_t rop = r.u32();
        const int32_t xSrc = r.i32(), ySrc = r.i32();
        r.bytes(24 + 4 + 4); // source transform, background colour, colour usage
        const size_t bitmapFields = r.position();
        r.u32(); // the bitmap header's offset, read again below
        const uint32_t infoSize = r.u32();
        r.bytes(8);
        const int32_t cxSrc = stretch ? r.i32() : cx, cySrc = stretch ? r.i32() : cy;
        if (!r.ok())
            return;
        const QRectF dest(x, y, cx, cy);
        if (infoSize == 0) {
            if (rop == kPatCopy)
                m_canvas.fillWithBrush(dest);
            else if (rop == kBlackness || rop == kWhiteness)
                m_canvas.fillRect(dest, rop == kBlackness ? Qt::black : Qt::white);
            return;
        }
        r.seek(bitmapFields);
        const QImage image = bitmap(r, DibAlpha::Ignored);
        if (!image.isNull() && rop == SRCCOPY)
            m_canvas.image(dest, image, sourceRect(image, xSrc, ySrc, cxSrc, cySrc));
    }

    void playAlphaBlend(TReader& r)
    {
        r.bytes(16);
        const int32_t x = r.i32(), y = r.i32(), cx = r.i32(), cy = r.i32();
        const uint32_t blend = r.u32();
        const int32_t xSrc = r.i32(), ySrc = r.i32();
        r.bytes(24 + 4 + 4);
        const bool perPixel = (blend >> 24) & AC_SRC_ALPHA;
        const QImage image = bitmap(r, perPixel ? DibAlpha::Premultiplied : DibAlpha::Ignored);
        const int32_t cxSrc = r.i32(), cySrc = r.i32();
        if (!r.ok() || image.isNull())
            return;
        const double constantAlpha = ((blend >> 16) & 0xFF) / 255.0;
        m_canvas.image(QRectF(x, y, cx, cy), image, sourceRect(image, xSrc, ySrc, cxSrc, cySrc), constantAlpha);
    }

    std::string_view m_bytes;
    TGdiCanvas& m_canvas;
    uint32_t m_handles;
    std::map<uint32_t, TGdiObject> m_objects;
    TReader m_record{std::string_view()};
};

// --- plain metafiles

class TWmfPlayer {
public:
    TWmfPlayer(std::string_view bytes, TGdiCanvas& canvas)
        : m_bytes(bytes)
        , m_canvas(canvas)
    {
    }

    void play(size_t at)
    {
        while (at + 6 <= m_bytes.size()) {
            TReader header(m_bytes, at);
            const size_t size = size_t(header.u32()) * 2;
            const uint16_t function = header.u16();
            if (function == wmr::Eof)
                return;
            play(function, TReader(m_bytes.substr(at, size), 6));
            at += size;
        }
    }

private:
    // Parameters come in reverse order of the drawing call's arguments.
    static QPointF point(TReader& r)
    {
        const int16_t y = r.i16();
        return QPointF(r.i16(), y);
    }
    static QRectF box(TReader& r)
    {
        const int16_t bottom = r.i16(), right = r.i16(), top = r.i16(), left = r.i16();
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    static QPolygonF polygon(TReader& r, uint32_t count)
    {
        QPolygonF points;
        if (uint64_t(count) * 4 > r.remaining())
            return points;
        for (uint32_t i = 0; i < count; ++i) {
            const int16_t x = r.i16();
            points << QPointF(x, r.i16());
        }
        return points;
    }

    // New objects take the lowest free slot of the table.
    void create(TGdiObject object)
    {
        uint16_t slot = m_nextUnused;
        if (!m_freed.empty() && *m_freed.begin() < slot) {
            slot = *m_freed.begin();
            m_freed.erase(m_freed.begin());
        } else if (m_nextUnused == UINT16_MAX) {
            return;
        } else {
            ++m_nextUnused;
        }
        m_objects[slot] = std::move(object);
    }

    void remove(uint16_t slot)
    {
        if (m_objects.erase(slot) > 0)
            m_freed.insert(slot);
    }

    void play(uint16_t function, TReader r)
    {
        switch (function) {
        case wmr::SetWindowOrg:
            m_canvas.setWindowOrg(point(r));
            break;
        case wmr::SetWindowExt: {
            const QPointF extent = point(r);
            if (r.ok())
                m_canvas.setWindowExt(QSizeF(extent.x(), extent.y()));
            break;
        }
        case wmr::SetViewportOrg:
        case wmr::SetViewportExt:
        case wmr::SetMapMode:
            break; // the viewport is the target rectangle
        case wmr::SetBkMode:
            m_canvas.setBackgroundMode(r.u16());
            break;
        case wmr::SetPolyFillMode:
            m_canvas.setPolyFillMode(r.u16());
            break;
        case wmr::SetTextAlign:
            m_canvas.setTextAlign(r.u16());
            break;
        case wmr::SetTextColor:
            m_canvas.setTextColour(colourOf(r.u32()));
            break;
        case wmr::SetBkColor:
            m_canvas.setBackgroundColour(colourOf(r.u32()));
            break;
        case wmr::SaveDC:
            m_canvas.save();
            break;
        case wmr::RestoreDC:
            m_canvas.restore(r.i16());
            break;
        case wmr::SelectObject:
            if (const auto found = m_objects.find(r.u16()); found != m_objects.end())
                select(m_canvas, found->second);
            break;
        case wmr::DeleteObject:
            remove(r.u16());
            break;
        case wmr::CreatePenIndirect: {
            const uint16_t style = r.u16();
            const int16_t width = r.i16();
            r.i16();
            const uint32_t colour = r.u32();
            create(TGdiPen{style, double(std::abs(width)), colourOf(colour), {}});
            break;
        }
        case wmr::CreateBrushIndirect: {
            const uint16_t style = r.u16();
            const uint32_t colour = r.u32();
            const uint16_t hatch = r.u16();
            create(TGdiBrush{style, colourOf(colour), hatch, {}});
            break;
        }
        case wmr::DibCreatePatternBrush: {
            const uint16_t style = r.u16();
            r.u16();
            const std::string_view dib = r.bytes(r.remaining());
            const size_t bitsAt = style == BS_PATTERN ? 0 : packedDibBitsOffset(dib);
            const QImage pattern = bitsAt ? decodeDib(dib.substr(0, bitsAt), dib.substr(bitsAt)) : QImage();
            create(pattern.isNull() ? TGdiObject(TGdiBrush{BS_SOLID, Qt::black, 0, {}})
                                    : TGdiObject(TGdiBrush{BS_DIBPATTERNPT, Qt::black, 0, pattern}));
            break;
        }
        case wmr::CreateFontIndirect:
            createFont(r);
            break;
        case wmr::CreatePalette:
        case wmr::CreatePatternBrush:
        case wmr::CreateRegion:
            create(TOtherObject{});
            break;
        case wmr::MoveTo:
            m_canvas.moveTo(point(r));
            break;
        case wmr::SetPixel: {
            const uint32_t colour = r.u32();
            const QPointF at = point(r);
            if (r.ok())
                m_canvas.setPixel(at, colourOf(colour));
            break;
        }
        case wmr::LineTo: {
            const QPointF to = point(r);
            if (r.ok())
                m_canvas.lineTo(to);
            break;
        }
        case wmr::Rectangle:
        case wmr::Ellipse: {
            const QRectF b = box(r);
            if (r.ok())
                function == wmr::Rectangle ? m_canvas.rectangle(b) : m_canvas.ellipse(b);
            break;
        }
        case wmr::RoundRect: {
            const int16_t height = r.i16(), width = r.i16();
            const QRectF b = box(r);
            if (r.ok())
                m_canvas.roundRect(b, QSizeF(width, height));
            break;
        }
        case wmr::Arc:
        case wmr::Chord:
        case wmr::Pie: {
            const QPointF end = point(r), start = point(r);
            const QRectF b = box(r);
            const ArcKind kind = function == wmr::Arc ? ArcKind::Arc : function == wmr::Chord ? ArcKind::Chord : ArcKind::Pie;
            if (r.ok())
                m_canvas.arc(kind, b, start, end);
            break;
        }
        case wmr::Polygon:
        case wmr::Polyline: {
            const QPolygonF points = polygon(r, r.u16());
            function == wmr::Polygon ? m_canvas.polygon(points) : m_canvas.polyline(points);
            break;
        }
        case wmr::PolyPolygon:
            playPolyPolygon(r);
            break;
        case wmr::IntersectClipRect:
        case wmr::ExcludeClipRect: {
            const QRectF b = box(r);
            if (r.ok())
                function == wmr::IntersectClipRect ? m_canvas.intersectClipRect(b) : m_canvas.excludeClipRect(b);
            break;
        }
        case wmr::TextOut: {
            const uint16_t length = r.u16();
            const QString text = ansiText(r.bytes(length));
            r.bytes(length % 2);
            const QPointF at = point(r);
            if (r.ok())
                m_canvas.text(at, text, {}, 0, std::nullopt);
            break;
        }
        case wmr::ExtTextOut:
            playExtTextOut(r);
            break;
        case wmr::StretchDib:
        case wmr::DibStretchBlt:
        case wmr::DibBitBlt:
            playBitmap(function, r);
            break;
        default:
            break;
        }
    }

    void createFont(TReader& r)
    {
        TGdiFont font;
        font.height = r.i16();
        r.i16();
        font.escapement = r.i16();
        r.i16();
        font.weight = r.i16();
        font.italic = r.u8();
        font.underline = r.u8();
        font.strikeOut = r.u8();
        r.bytes(5);
        if (!r.ok())
            return create(TOtherObject{});
        font.face = ansiText(r.bytes(std::min<size_t>(r.remaining(), 32)));
        create(std::move(font));
    }

    void playPolyPolygon(TReader& r)
    {
        const uint16_t figures = r.u16();
        std::vector<uint16_t> counts;
        for (uint16_t i = 0; i < figures && r.ok(); ++i)
            counts.push_back(r.u16());
        std::vector<QPolygonF> polygons;
        for (uint16_t count : counts) {
            if (!r.ok() || uint64_t(count) * 4 > r.remaining())
                return;
            polygons.push_back(polygon(r, count));
        }
        if (r.ok())
            m_canvas.polyPolygon(polygons);
    }

    void playExtTextOut(TReader& r)
    {
        const QPointF at = point(r);
        const uint16_t length = r.u16(), options = r.u16();
        std::optional<QRectF> rect;
        if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
            const int16_t left = r.i16(), top = r.i16(), right = r.i16(), bottom = r.i16();
            rect = QRectF(QPointF(left, top), QPointF(right, bottom));
        }
        const QString text = ansiText(r.bytes(length));
        r.bytes(length % 2);
        if (!r.ok())
            return;
        std::vector<double> advances;
        if (r.remaining() >= size_t(length) * 2) {
            for (uint16_t i = 0; i < length; ++i)
                advances.push_back(r.i16());
        }
        m_canvas.text(at, text, advances, options, rect);
    }

    // The three bitmap records share their tail: destination and source in
    // reverse order, then the packed bitmap.
    void playBitmap(uint16_t function, TReader& r)
    {
        const uint32_t rop = r.u32();
        if (function == wmr::StretchDib)
            r.u16(); // colour usage
        int16_t srcHeight = 0, srcWidth = 0;
        if (function != wmr::DibBitBlt) {
            srcHeight = r.i16();
            srcWidth = r.i16();
        }
        const int16_t ySrc = r.i16(), xSrc = r.i16();
        const int16_t height = r.i16(), width = r.i16(), y = r.i16(), x = r.i16();
        if (function == wmr::DibBitBlt) {
            srcHeight = height;
            srcWidth = width;
        }
        const std::string_view dib = r.bytes(r.remaining());
        const size_t bitsAt = packedDibBitsOffset(dib);
        if (!r.ok() || bitsAt == 0 || rop != SRCCOPY)
            return;
        const QImage image = decodeDib(dib.substr(0, bitsAt), dib.substr(bitsAt));
        if (!image.isNull())
            m_canvas.image(QRectF(x, y, width, height), image,
                           QRectF(xSrc, image.height() - ySrc - srcHeight, srcWidth, srcHeight));
    }

    std::string_view m_bytes;
    TGdiCanvas& m_canvas;
    std::map<uint16_t, TGdiObject> m_objects;
    std::set<uint16_t> m_freed;
    uint16_t m_nextUnused = 0;
};

QTransform rectToRect(const QRectF& from, const QRectF& to)
{
    return QTransform::fromTranslate(-from.x(), -from.y()) *
           QTransform::fromScale(to.width() / from.width(), to.height() / from.height()) *
           QTransform::fromTranslate(to.x(), to.y());
}

bool playEnhanced(QPainter& painter, std::string_view bytes, const QRectF& target)
{
    const TEmfHeader header = readEmfHeader(bytes);
    // The frame in device units; the bounds when the frame is empty.
    QRectF picture(header.frame.x() * header.pixelsPerMm.width() / 100,
                   header.frame.y() * header.pixelsPerMm.height() / 100,
                   header.frame.width() * header.pixelsPerMm.width() / 100,
                   header.frame.height() * header.pixelsPerMm.height() / 100);
    if (!(picture.width() > 0 && picture.height() > 0))
        picture = header.bounds;
    if (!(picture.width() > 0 && picture.height() > 0) || !emfRecordsFit(bytes))
        return false;
    TGdiCanvas canvas(painter, rectToRect(picture, target), header.pixelsPerMm);
    TEmfPlayer(bytes, canvas, header.handles).play();
    return true;
}

bool playWindows(QPainter& painter, std::string_view bytes, const QRectF& target, bool placeable)
{
    const size_t recordsAt = wmfRecordsAt(bytes, placeable);
    if (recordsAt == 0 || !wmfRecordsFit(bytes, recordsAt))
        return false;
    // The player owns the viewport (the target); the records choose the
    // window, which starts as the placeable header's bounding box.
    QRectF window;
    if (placeable) {
        TReader box(bytes, 6);
        const int16_t left = box.i16(), top = box.i16(), right = box.i16(), bottom = box.i16();
        window = QRectF(QPointF(left, top), QPointF(right, bottom));
    } else if (const std::optional<QSizeF> extent = plainWmfExtent(bytes, recordsAt)) {
        window = QRectF(QPointF(0, 0), *extent);
    }
    if (window.width() == 0 || window.height() == 0)
        return false;
    TGdiCanvas canvas(painter, QTransform(), QSizeF(96 / 25.4, 96 / 25.4));
    canvas.setMapMode(MM_ANISOTROPIC);
    canvas.setWindowOrg(window.topLeft());
    canvas.setWindowExt(window.size());
    canvas.setViewportOrg(target.topLeft());
    canvas.setViewportExt(target.size());
    TWmfPlayer(bytes, canvas).play(recordsAt);
    return true;
}

} // namespace

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
