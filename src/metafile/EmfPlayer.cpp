// Enhanced metafiles: the records our writer emits and the common GDI
// records, played onto a GDI canvas over a QPainter.
#include "metafile/MetafileRecords.h"

#include "metafile/Dib.h"
#include "metafile/GdiRecords.h"

#include <QPainter>

#include <cmath>
#include <map>

namespace orv::metafile {

namespace {

using namespace gdi;

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

QTransform rectToRect(const QRectF& from, const QRectF& to)
{
    return QTransform::fromTranslate(-from.x(), -from.y()) *
           QTransform::fromScale(to.width() / from.width(), to.height() / from.height()) *
           QTransform::fromTranslate(to.x(), to.y());
}

} // namespace

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

} // namespace orv::metafile
