// Windows metafiles, plain or behind a placeable header: the common GDI
// records played onto a GDI canvas over a QPainter.
#include "metafile/MetafileRecords.h"

#include "metafile/Dib.h"
#include "metafile/GdiRecords.h"

#include <QPainter>

#include <cmath>
#include <map>
#include <set>

namespace orv::metafile {

namespace {

using namespace gdi;

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

} // namespace

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

} // namespace orv::metafile
