#include "metafile/EmfWriter.h"

#include "metafile/Dib.h"
#include "metafile/GdiRecords.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace orv {

namespace {

using namespace gdi;

// Logical units per device pixel: the metafile maps a window 16 times the
// canvas onto it, so coordinates keep a sixteenth of a pixel.
constexpr int kSubpixels = 16;
constexpr int kLargestSide = 1 << 20;

// The object table: one slot each for the pen, the brush and the font in use.
constexpr uint32_t kPenSlot = 1, kBrushSlot = 2, kFontSlot = 3, kHandles = 4;

int32_t clampedInt(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<int32_t>(std::clamp(std::round(value), double(std::numeric_limits<int32_t>::min()),
                                            double(std::numeric_limits<int32_t>::max())));
}

uint32_t colorRef(const QColor& colour)
{
    const QRgb rgb = colour.rgb();
    return uint32_t(qRed(rgb)) | uint32_t(qGreen(rgb)) << 8 | uint32_t(qBlue(rgb)) << 16;
}

// One record being assembled: type, size (filled in at the end), fields.
class TEmfRecord {
public:
    explicit TEmfRecord(uint32_t type)
    {
        u32(type);
        u32(0);
    }
    TEmfRecord& u32(uint32_t value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 4);
        return *this;
    }
    TEmfRecord& i32(int32_t value) { return u32(static_cast<uint32_t>(value)); }
    TEmfRecord& i16(int16_t value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 2);
        return *this;
    }
    TEmfRecord& f32(float value) { return u32(std::bit_cast<uint32_t>(value)); }
    TEmfRecord& rect(const QRect& r) { return i32(r.left()).i32(r.top()).i32(r.right()).i32(r.bottom()); }
    TEmfRecord& bytes(const QByteArray& data)
    {
        m_bytes.append(data);
        return *this;
    }
    TEmfRecord& zeros(qsizetype count)
    {
        m_bytes.append(count, '\0');
        return *this;
    }
    // The record padded to whole 32-bit words, its size written in.
    QByteArray finished()
    {
        m_bytes.append((4 - m_bytes.size() % 4) % 4, '\0');
        qToLittleEndian(static_cast<uint32_t>(m_bytes.size()), m_bytes.data() + 4);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
};

// What was last selected into the metafile's device context, so that a
// state change that changes nothing writes nothing.
struct TPenKey {
    uint32_t style = 0;
    int32_t width = 0;
    uint32_t colour = 0;
    std::vector<uint32_t> dashes;
    bool operator==(const TPenKey&) const = default;
};
struct TBrushKey {
    uint32_t style = 0, colour = 0, hatch = 0;
    qint64 texture = 0;
    bool operator==(const TBrushKey&) const = default;
};
struct TFontKey {
    QString face;
    int32_t height = 0, escapement = 0, weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    bool operator==(const TFontKey&) const = default;
};

// Turns QPainter calls into EMF records. Geometry is mapped through the
// painter's transform here, so the file needs no world transform except
// for turned images, and readers that ignore world transforms still draw
// it right.
class TEmfEngine final : public QPaintEngine {
public:
    TEmfEngine(QSize pixels, double dotsPerInch)
        : QPaintEngine(PaintEngineFeatures(PrimitiveTransform | PatternTransform | PixmapTransform | PainterPaths |
                                           PatternBrush | Antialiasing | PaintOutsidePaintEvent))
        , m_pixels(pixels)
        , m_dpi(dotsPerInch)
    {
    }

    bool begin(QPaintDevice*) override
    {
        add(TEmfRecord(emr::SetMapMode).u32(MM_ANISOTROPIC));
        add(TEmfRecord(emr::SetWindowExtEx).i32(m_pixels.width() * kSubpixels).i32(m_pixels.height() * kSubpixels));
        add(TEmfRecord(emr::SetViewportExtEx).i32(m_pixels.width()).i32(m_pixels.height()));
        add(TEmfRecord(emr::SetBkMode).u32(TRANSPARENT));
        add(TEmfRecord(emr::SetTextAlign).u32(TA_BASELINE));
        setActive(true);
        return true;
    }

    bool end() override
    {
        for (uint32_t slot : {kPenSlot, kBrushSlot, kFontSlot})
            releaseSlot(slot);
        add(TEmfRecord(emr::Eof).u32(0).u32(16).u32(20));
        setActive(false);
        return true;
    }

    Type type() const override { return Type(User + 1); }

    QByteArray metafile() const { return header() + m_records; }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
        if (dirty & DirtyBackground)
            m_background = state.backgroundBrush().color();
        if (dirty & DirtyBackgroundMode)
            m_opaqueBackground = state.backgroundMode() == Qt::OpaqueMode;
        if (dirty & DirtyTransform)
            m_transform = state.transform();
        if (dirty & (DirtyClipPath | DirtyClipRegion)) {
            QPainterPath path;
            if (dirty & DirtyClipPath)
                path = state.clipPath();
            else
                path.addRegion(state.clipRegion());
            updateClip(state.clipOperation(), m_transform.map(path));
        }
        if (dirty & DirtyClipEnabled) {
            m_clipEnabled = state.isClipEnabled();
            m_clipDirty = true;
        }
    }

    void drawPath(const QPainterPath& path) override
    {
        const QPainterPath device = m_transform.map(path);
        if (device.isEmpty())
            return;
        prepare(path.fillRule());
        writePath(device);
        add(TEmfRecord(fillsOrStrokes()).rect(boundsOf(device.boundingRect())));
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << m_transform.map(points[i]);
        if (mode == PolylineMode) {
            prepareStroke();
            addPoly(emr::Polyline, emr::Polyline16, polygon);
            return;
        }
        prepare(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        addPoly(emr::Polygon, emr::Polygon16, polygon);
    }

    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            if (m_transform.type() > QTransform::TxScale) {
                const QPolygonF corners = QPolygonF(rects[i]);
                drawPolygon(corners.constData(), 4, ConvexMode);
                continue;
            }
            prepare(Qt::OddEvenFill);
            const QRectF box = m_transform.mapRect(rects[i]);
            add(TEmfRecord(emr::Rectangle).rect(logicalRect(box)));
        }
    }

    void drawEllipse(const QRectF& rect) override
    {
        if (m_transform.type() > QTransform::TxScale) {
            QPainterPath path;
            path.addEllipse(rect);
            drawPath(path);
            return;
        }
        prepare(Qt::OddEvenFill);
        add(TEmfRecord(emr::Ellipse).rect(logicalRect(m_transform.mapRect(rect))));
    }

    void drawLines(const QLineF* lines, int count) override
    {
        prepareStroke();
        for (int i = 0; i < count; ++i)
            addPoly(emr::Polyline, emr::Polyline16, QPolygonF{m_transform.map(lines[i].p1()), m_transform.map(lines[i].p2())});
    }

    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override
    {
        const QRect part = source.toAlignedRect().intersected(image.rect());
        if (part.isEmpty() || rect.isEmpty())
            return;
        writeClip();
        writeImage(rect, image.copy(part));
    }

    void drawTextItem(const QPointF& origin, const QTextItem& item) override
    {
        const QString text = item.text();
        if (text.isEmpty() || m_pen.style() == Qt::NoPen)
            return;
        writeClip();
        if (m_pen.color().alpha() < 255) {
            drawTranslucentText(origin, item);
            return;
        }
        writeBackground();
        writeFont(item.font());
        if (colorRef(m_pen.color()) != m_textColour || !m_textColourWritten) {
            m_textColour = colorRef(m_pen.color());
            m_textColourWritten = true;
            add(TEmfRecord(emr::SetTextColor).u32(m_textColour));
        }
        writeText(origin, item);
    }

private:
    // --- records

    void add(TEmfRecord record)
    {
        m_records += record.finished();
        ++m_recordCount;
    }

    QByteArray header() const
    {
        const double mmPerPixel = 25.4 / m_dpi;
        TEmfRecord header(emr::Header);
        header.rect(QRect(QPoint(0, 0), m_pixels))
            .i32(0)
            .i32(0)
            .i32(clampedInt(m_pixels.width() * mmPerPixel * 100))
            .i32(clampedInt(m_pixels.height() * mmPerPixel * 100))
            .u32(kEmfSignature)
            .u32(0x10000)
            .u32(0) // the file's size, written below
            .u32(static_cast<uint32_t>(m_recordCount + 1))
            .i16(kHandles)
            .i16(0)
            .u32(0)
            .u32(0)
            .u32(0)
            // The reference device is the canvas itself, so device units are
            // its pixels and readers find the resolution from the sizes.
            .i32(m_pixels.width())
            .i32(m_pixels.height())
            .i32(std::max(clampedInt(m_pixels.width() * mmPerPixel), 1))
            .i32(std::max(clampedInt(m_pixels.height() * mmPerPixel), 1))
            .u32(0)
            .u32(0)
            .u32(0)
            .i32(clampedInt(m_pixels.width() * mmPerPixel * 1000))
            .i32(clampedInt(m_pixels.height() * mmPerPixel * 1000));
        QByteArray bytes = header.finished();
        qToLittleEndian(static_cast<uint32_t>(bytes.size() + m_records.size()), bytes.data() + 48);
        return bytes;
    }

    // Logical coordinates stay below 2^30 either way, so that the width of
    // a box between two of them, and its right edge, still fit an int.
    static QPoint logical(QPointF device)
    {
        constexpr double kLimit = (1 << 30) - 1;
        auto coordinate = [&](double pixels) { return clampedInt(std::clamp(pixels * kSubpixels, -kLimit, kLimit)); };
        return QPoint(coordinate(device.x()), coordinate(device.y()));
    }

    static QRect logicalRect(const QRectF& device)
    {
        const QRectF box = device.normalized();
        return QRect(logical(box.topLeft()), logical(box.bottomRight()));
    }

    // A rectangle by its corner and its size in logical units.
    static QRect logicalBox(const QRectF& device)
    {
        const QPoint from = logical(device.topLeft()), to = logical(device.bottomRight());
        return QRect(from.x(), from.y(), to.x() - from.x(), to.y() - from.y());
    }

    static QRect boundsOf(const QRectF& device)
    {
        return device.normalized().toAlignedRect();
    }

    void addPoints(TEmfRecord& record, const QPolygonF& points, bool shortForm)
    {
        for (const QPointF& point : points) {
            const QPoint at = logical(point);
            if (shortForm)
                record.i16(static_cast<int16_t>(at.x())).i16(static_cast<int16_t>(at.y()));
            else
                record.i32(at.x()).i32(at.y());
        }
    }

    static bool fitsShortForm(const QPolygonF& points)
    {
        // Compared as they are: the most negative int has no absolute value.
        auto fits = [](int32_t v) {
            return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
        };
        return std::all_of(points.begin(), points.end(), [&](QPointF point) {
            const QPoint at = logical(point);
            return fits(at.x()) && fits(at.y());
        });
    }

    // A polygon or polyline record, in 16-bit points when they fit.
    void addPoly(uint32_t longType, uint32_t shortType, const QPolygonF& points)
    {
        const bool shortForm = fitsShortForm(points);
        TEmfRecord record(shortForm ? shortType : longType);
        record.rect(boundsOf(points.boundingRect())).u32(static_cast<uint32_t>(points.size()));
        addPoints(record, points, shortForm);
        add(std::move(record));
    }

    void writePath(const QPainterPath& device)
    {
        add(TEmfRecord(emr::BeginPath));
        QPolygonF run;
        uint32_t runShort = 0, runLong = 0;
        auto flush = [&] {
            if (!run.isEmpty())
                addPoly(runLong, runShort, run);
            run.clear();
        };
        QPointF subpathStart;
        for (int i = 0; i < device.elementCount(); ++i) {
            const QPainterPath::Element element = device.elementAt(i);
            switch (element.type) {
            case QPainterPath::MoveToElement: {
                flush();
                if (i > 0 && QPointF(device.elementAt(i - 1)) == subpathStart)
                    add(TEmfRecord(emr::CloseFigure));
                subpathStart = element;
                const QPoint at = logical(element);
                add(TEmfRecord(emr::MoveToEx).i32(at.x()).i32(at.y()));
                break;
            }
            case QPainterPath::LineToElement:
                if (runShort != emr::PolylineTo16)
                    flush();
                runShort = emr::PolylineTo16;
                runLong = emr::PolylineTo;
                run << element;
                break;
            case QPainterPath::CurveToElement:
                if (runShort != emr::PolyBezierTo16)
                    flush();
                runShort = emr::PolyBezierTo16;
                runLong = emr::PolyBezierTo;
                run << element;
                break;
            case QPainterPath::CurveToDataElement:
                run << element;
                break;
            }
        }
        flush();
        if (device.elementCount() > 1 && QPointF(device.elementAt(device.elementCount() - 1)) == subpathStart)
            add(TEmfRecord(emr::CloseFigure));
        add(TEmfRecord(emr::EndPath));
    }

    // --- state

    uint32_t fillsOrStrokes() const
    {
        const bool stroke = m_pen.style() != Qt::NoPen, fill = m_brush.style() != Qt::NoBrush;
        if (stroke && fill)
            return emr::StrokeAndFillPath;
        return fill ? emr::FillPath : emr::StrokePath;
    }

    void prepare(Qt::FillRule rule)
    {
        writeClip();
        const uint32_t mode = rule == Qt::WindingFill ? WINDING : ALTERNATE;
        if (mode != m_fillMode) {
            m_fillMode = mode;
            add(TEmfRecord(emr::SetPolyFillMode).u32(mode));
        }
        writePen();
        writeBrush();
        writeBackground();
    }

    void prepareStroke()
    {
        writeClip();
        writePen();
    }

    // Selects a stock object in place of the slot's own one and deletes it.
    void releaseSlot(uint32_t slot)
    {
        if (!m_slotUsed[slot])
            return;
        const uint32_t stock = slot == kPenSlot ? BlackPen : slot == kBrushSlot ? WhiteBrush : SystemFont;
        add(TEmfRecord(emr::SelectObject).u32(kStockObject | stock));
        add(TEmfRecord(emr::DeleteObject).u32(slot));
        m_slotUsed[slot] = false;
    }

    void selectStock(uint32_t slot, uint32_t stock)
    {
        releaseSlot(slot);
        add(TEmfRecord(emr::SelectObject).u32(kStockObject | stock));
    }

    void selectCreated(uint32_t slot, TEmfRecord creation)
    {
        releaseSlot(slot);
        add(std::move(creation));
        add(TEmfRecord(emr::SelectObject).u32(slot));
        m_slotUsed[slot] = true;
    }

    // The pen's width in device pixels: a cosmetic pen keeps its width, any
    // other is scaled with the drawing.
    double penPixels() const
    {
        const double width = m_pen.widthF();
        if (m_pen.isCosmetic())
            return std::max(width, 1.0);
        return width * std::sqrt(std::abs(m_transform.determinant()));
    }

    static uint32_t penStyleOf(Qt::PenStyle style)
    {
        switch (style) {
        case Qt::DashLine:
            return PS_DASH;
        case Qt::DotLine:
            return PS_DOT;
        case Qt::DashDotLine:
            return PS_DASHDOT;
        case Qt::DashDotDotLine:
            return PS_DASHDOTDOT;
        case Qt::CustomDashLine:
            return PS_USERSTYLE;
        default:
            return PS_SOLID;
        }
    }

    void writePen()
    {
        std::optional<TPenKey> key;
        if (m_pen.style() != Qt::NoPen) {
            key.emplace();
            const double pixels = penPixels();
            key->width = std::max(clampedInt(pixels * kSubpixels), 1);
            key->colour = colorRef(m_pen.color());
            const uint32_t cap = m_pen.capStyle() == Qt::FlatCap     ? PS_ENDCAP_FLAT
                                 : m_pen.capStyle() == Qt::SquareCap ? PS_ENDCAP_SQUARE
                                                                     : PS_ENDCAP_ROUND;
            const uint32_t join = m_pen.joinStyle() == Qt::RoundJoin   ? PS_JOIN_ROUND
                                  : m_pen.joinStyle() == Qt::BevelJoin ? PS_JOIN_BEVEL
                                                                       : PS_JOIN_MITER;
            key->style = PS_GEOMETRIC | penStyleOf(m_pen.style()) | cap | join;
            if (m_pen.style() == Qt::CustomDashLine) {
                // Dash lengths count in pen widths; the file wants logical units.
                for (qreal length : m_pen.dashPattern())
                    key->dashes.push_back(static_cast<uint32_t>(
                        std::max(clampedInt(length * std::max(pixels, 1.0) * kSubpixels), 1)));
            }
        }
        if (key == m_writtenPen && m_penWritten)
            return;
        m_writtenPen = key;
        m_penWritten = true;
        if (!key) {
            selectStock(kPenSlot, NullPen);
            return;
        }
        TEmfRecord pen(emr::ExtCreatePen);
        pen.u32(kPenSlot).u32(0).u32(0).u32(0).u32(0);
        pen.u32(key->style).i32(key->width).u32(BS_SOLID).u32(key->colour).u32(0);
        pen.u32(static_cast<uint32_t>(key->dashes.size()));
        for (uint32_t dash : key->dashes)
            pen.u32(dash);
        selectCreated(kPenSlot, std::move(pen));
    }

    static std::optional<uint32_t> hatchOf(Qt::BrushStyle style)
    {
        switch (style) {
        case Qt::HorPattern:
            return HS_HORIZONTAL;
        case Qt::VerPattern:
            return HS_VERTICAL;
        case Qt::FDiagPattern:
            return HS_FDIAGONAL;
        case Qt::BDiagPattern:
            return HS_BDIAGONAL;
        case Qt::CrossPattern:
            return HS_CROSS;
        case Qt::DiagCrossPattern:
            return HS_DIAGCROSS;
        default:
            return std::nullopt;
        }
    }

    // The share of pixels the dense patterns cover, for a solid colour of
    // the same weight on white paper.
    static std::optional<double> denseCoverage(Qt::BrushStyle style)
    {
        switch (style) {
        case Qt::Dense1Pattern:
            return 0.94;
        case Qt::Dense2Pattern:
            return 0.88;
        case Qt::Dense3Pattern:
            return 0.63;
        case Qt::Dense4Pattern:
            return 0.5;
        case Qt::Dense5Pattern:
            return 0.37;
        case Qt::Dense6Pattern:
            return 0.12;
        case Qt::Dense7Pattern:
            return 0.06;
        default:
            return std::nullopt;
        }
    }

    void writeBrush()
    {
        std::optional<TBrushKey> key;
        const Qt::BrushStyle style = m_brush.style();
        if (style != Qt::NoBrush) {
            key.emplace();
            key->colour = colorRef(m_brush.color());
            if (const std::optional<uint32_t> hatch = hatchOf(style)) {
                key->style = BS_HATCHED;
                key->hatch = *hatch;
            } else if (const std::optional<double> coverage = denseCoverage(style)) {
                const QColor c = m_brush.color();
                auto mix = [&](int channel) { return int(std::lround(255 - (255 - channel) * *coverage)); };
                key->colour = colorRef(QColor(mix(c.red()), mix(c.green()), mix(c.blue())));
            } else if (style == Qt::TexturePattern) {
                key->style = BS_DIBPATTERNPT;
                key->texture = m_brush.textureImage().cacheKey();
            }
        }
        if (key == m_writtenBrush && m_brushWritten)
            return;
        m_writtenBrush = key;
        m_brushWritten = true;
        if (!key) {
            selectStock(kBrushSlot, NullBrush);
            return;
        }
        if (key->style == BS_DIBPATTERNPT) {
            const TDib dib = encodeDib(m_brush.textureImage().convertToFormat(QImage::Format_RGB32));
            TEmfRecord brush(emr::CreateDIBPatternBrushPt);
            const uint32_t infoAt = 32;
            brush.u32(kBrushSlot).u32(DIB_RGB_COLORS).u32(infoAt).u32(uint32_t(dib.info.size()));
            brush.u32(infoAt + uint32_t(dib.info.size())).u32(uint32_t(dib.bits.size()));
            brush.bytes(dib.info).bytes(dib.bits);
            selectCreated(kBrushSlot, std::move(brush));
            return;
        }
        TEmfRecord brush(emr::CreateBrushIndirect);
        brush.u32(kBrushSlot).u32(key->style).u32(key->colour).u32(key->hatch);
        selectCreated(kBrushSlot, std::move(brush));
    }

    // Hatches and text show the background colour behind them only in
    // opaque background mode.
    void writeBackground()
    {
        const uint32_t mode = m_opaqueBackground ? OPAQUE : TRANSPARENT;
        if (mode != m_bkMode) {
            m_bkMode = mode;
            add(TEmfRecord(emr::SetBkMode).u32(mode));
        }
        if (m_opaqueBackground && (colorRef(m_background) != m_bkColour || !m_bkColourWritten)) {
            m_bkColour = colorRef(m_background);
            m_bkColourWritten = true;
            add(TEmfRecord(emr::SetBkColor).u32(m_bkColour));
        }
    }

    // --- clipping

    void updateClip(Qt::ClipOperation operation, const QPainterPath& device)
    {
        switch (operation) {
        case Qt::NoClip:
            m_clip.reset();
            m_clipEnabled = false;
            break;
        case Qt::ReplaceClip:
            m_clip = device;
            m_clipEnabled = true;
            break;
        case Qt::IntersectClip:
            m_clip = m_clip ? m_clip->intersected(device) : device;
            m_clipEnabled = true;
            break;
        }
        m_clipDirty = true;
    }

    void writeClip()
    {
        if (!m_clipDirty)
            return;
        m_clipDirty = false;
        // Replacing the whole clip each time keeps the file free of
        // intersections a reader might combine differently.
        add(TEmfRecord(emr::ExtSelectClipRgn).u32(0).u32(RGN_COPY));
        if (!m_clipEnabled || !m_clip)
            return;
        const QPolygonF outline = m_clip->toFillPolygon();
        const QRectF box = m_clip->boundingRect();
        if (outline.size() == 5 && QPolygonF(box) == outline) {
            add(TEmfRecord(emr::IntersectClipRect).rect(QRect(logical(box.topLeft()), logical(box.bottomRight()))));
            return;
        }
        writePath(*m_clip);
        add(TEmfRecord(emr::SelectClipPath).u32(RGN_COPY));
    }

    // --- images

    void writeImage(const QRectF& rect, const QImage& image)
    {
        // A turned or sheared image is placed by a world transform around it.
        const bool turned = m_transform.type() > QTransform::TxScale;
        QRect dest;
        if (turned) {
            const QTransform& t = m_transform;
            add(TEmfRecord(emr::SetWorldTransform)
                    .f32(float(t.m11()))
                    .f32(float(t.m12()))
                    .f32(float(t.m21()))
                    .f32(float(t.m22()))
                    .f32(float(t.dx() * kSubpixels))
                    .f32(float(t.dy() * kSubpixels)));
            dest = logicalBox(rect);
        } else {
            dest = logicalBox(m_transform.mapRect(rect));
        }
        const QRect bounds = boundsOf(m_transform.mapRect(rect));
        const TDib dib = encodeDib(image);
        const bool alpha = image.hasAlphaChannel();
        const int width = image.width(), height = image.height();
        if (alpha) {
            constexpr uint32_t kHeader = 108;
            TEmfRecord record(emr::AlphaBlend);
            record.rect(bounds).i32(dest.x()).i32(dest.y()).i32(dest.width()).i32(dest.height());
            record.u32(uint32_t(AC_SRC_ALPHA) << 24 | 255u << 16); // source over, opaque constant, per-pixel alpha
            record.i32(0).i32(0);
            record.f32(1).f32(0).f32(0).f32(1).f32(0).f32(0);
            record.u32(0).u32(DIB_RGB_COLORS);
            record.u32(kHeader).u32(uint32_t(dib.info.size()));
            record.u32(kHeader + uint32_t(dib.info.size())).u32(uint32_t(dib.bits.size()));
            record.i32(width).i32(height);
            add(std::move(record.bytes(dib.info).bytes(dib.bits)));
        } else {
            constexpr uint32_t kHeader = 80;
            TEmfRecord record(emr::StretchDIBits);
            record.rect(bounds).i32(dest.x()).i32(dest.y()).i32(0).i32(0).i32(width).i32(height);
            record.u32(kHeader).u32(uint32_t(dib.info.size()));
            record.u32(kHeader + uint32_t(dib.info.size())).u32(uint32_t(dib.bits.size()));
            record.u32(DIB_RGB_COLORS).u32(SRCCOPY).i32(dest.width()).i32(dest.height());
            add(std::move(record.bytes(dib.info).bytes(dib.bits)));
        }
        if (turned)
            add(TEmfRecord(emr::ModifyWorldTransform).f32(1).f32(0).f32(0).f32(1).f32(0).f32(0).u32(MWT_IDENTITY));
    }

    // --- text

    // The font's em height in pixels of this canvas.
    double fontPixels(const QFont& font) const
    {
        if (font.pixelSize() > 0)
            return font.pixelSize();
        return font.pointSizeF() * m_dpi / 72;
    }

    void writeFont(const QFont& font)
    {
        const double scale = std::hypot(m_transform.m21(), m_transform.m22());
        const double turn = std::atan2(m_transform.m12(), m_transform.m11()) * 180 / M_PI;
        TFontKey key;
        key.face = font.family().left(31);
        key.height = -std::max(clampedInt(fontPixels(font) * scale * kSubpixels), 1);
        // The painter turns clockwise for positive angles on a y-down
        // canvas; escapement counts tenths of a degree the other way.
        key.escapement = (clampedInt(-turn * 10) % 3600 + 3600) % 3600;
        key.weight = font.weight();
        key.italic = font.italic();
        key.underline = font.underline();
        key.strikeOut = font.strikeOut();
        if (m_writtenFont && *m_writtenFont == key)
            return;
        m_writtenFont = key;

        TEmfRecord record(emr::ExtCreateFontIndirectW);
        record.u32(kFontSlot);
        record.i32(key.height).i32(0).i32(key.escapement).i32(key.escapement).i32(key.weight);
        record.bytes(QByteArray(1, char(key.italic))).bytes(QByteArray(1, char(key.underline)));
        record.bytes(QByteArray(1, char(key.strikeOut))).bytes(QByteArray(1, char(DEFAULT_CHARSET)));
        record.bytes(QByteArray(4, '\0')); // precision, quality, pitch and family: the defaults
        QByteArray face(64, '\0');
        for (qsizetype i = 0; i < key.face.size(); ++i)
            qToLittleEndian<uint16_t>(key.face[i].unicode(), face.data() + 2 * i);
        record.bytes(face);
        // The full name, style, version, vendor and PANOSE fields that
        // readers expect after the logical font stay empty.
        record.zeros(320 - 92);
        selectCreated(kFontSlot, std::move(record));
    }

    void writeText(const QPointF& origin, const QTextItem& item)
    {
        const QString text = item.text();
        QFont font = item.font();
        font.setPixelSize(std::max(1, int(std::lround(fontPixels(item.font())))));
        const QFontMetricsF metrics(font);
        // Each character's advance as laid out, scaled to the item's width,
        // so readers place the text exactly as the painter would.
        std::vector<double> ends;
        for (qsizetype i = 1; i <= text.size(); ++i)
            ends.push_back(metrics.horizontalAdvance(text.left(i)));
        const double stretch = ends.back() > 0 ? item.width() / ends.back() : 1;
        const double scale = std::hypot(m_transform.m11(), m_transform.m12()) * kSubpixels * stretch;

        const QPoint reference = logical(m_transform.map(origin));
        const QRectF box = m_transform.mapRect(QRectF(origin.x(), origin.y() - item.ascent(), item.width(),
                                                       item.ascent() + item.descent()));
        constexpr uint32_t kHeader = 76;
        const uint32_t count = static_cast<uint32_t>(text.size());
        const uint32_t stringAt = kHeader, dxAt = kHeader + (count * 2 + 3) / 4 * 4;
        TEmfRecord record(emr::ExtTextOutW);
        record.rect(boundsOf(box)).u32(1).f32(0).f32(0);
        record.i32(reference.x()).i32(reference.y()).u32(count).u32(stringAt).u32(0);
        record.i32(0).i32(0).i32(-1).i32(-1).u32(dxAt);
        for (QChar c : text)
            record.i16(static_cast<int16_t>(c.unicode()));
        record.zeros(dxAt - kHeader - count * 2);
        int32_t placed = 0;
        for (double end : ends) {
            const int32_t next = clampedInt(end * scale);
            record.i32(next - placed);
            placed = next;
        }
        add(std::move(record));
    }

    // Translucent text becomes an image of its glyphs with their alpha.
    void drawTranslucentText(const QPointF& origin, const QTextItem& item)
    {
        QFont font = item.font();
        font.setPixelSize(std::max(1, int(std::lround(fontPixels(item.font())))));
        QPainterPath glyphs;
        glyphs.addText(origin, font, item.text());
        const QRect area = m_transform.map(glyphs).boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
        if (area.isEmpty() || int64_t(area.width()) * area.height() > int64_t(kLargestSide) * 16)
            return;
        QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(m_transform * QTransform::fromTranslate(-area.x(), -area.y()));
        painter.fillPath(glyphs, m_pen.color());
        painter.end();
        const QTransform saved = m_transform;
        m_transform = QTransform();
        writeImage(QRectF(area), image);
        m_transform = saved;
    }

    QSize m_pixels;
    double m_dpi;
    QByteArray m_records;
    qsizetype m_recordCount = 0;

    QPen m_pen;
    QBrush m_brush;
    QColor m_background = Qt::white;
    bool m_opaqueBackground = false;
    QTransform m_transform;
    std::optional<QPainterPath> m_clip;
    bool m_clipEnabled = false;
    bool m_clipDirty = false;

    bool m_slotUsed[kHandles] = {};
    std::optional<TPenKey> m_writtenPen;
    bool m_penWritten = false;
    std::optional<TBrushKey> m_writtenBrush;
    bool m_brushWritten = false;
    std::optional<TFontKey> m_writtenFont;
    uint32_t m_fillMode = ALTERNATE;
    uint32_t m_bkMode = TRANSPARENT;
    uint32_t m_bkColour = 0;
    bool m_bkColourWritten = false;
    uint32_t m_textColour = 0;
    bool m_textColourWritten = false;
};

// A canvas of a given size and resolution whose painting becomes records.
class TEmfDevice final : public QPaintDevice {
public:
    TEmfDevice(QSize pixels, double dotsPerInch)
        : m_engine(pixels, dotsPerInch)
        , m_pixels(pixels)
        , m_dpi(dotsPerInch)
    {
    }

    QPaintEngine* paintEngine() const override { return &m_engine; }
    QByteArray metafile() const { return m_engine.metafile(); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_pixels.width();
        case PdmHeight:
            return m_pixels.height();
        case PdmWidthMM:
            return clampedInt(m_pixels.width() * 25.4 / m_dpi);
        case PdmHeightMM:
            return clampedInt(m_pixels.height() * 25.4 / m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return clampedInt(m_dpi);
        case PdmNumColors:
            return std::numeric_limits<int>::max();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    mutable TEmfEngine m_engine;
    QSize m_pixels;
    double m_dpi;
};

} // namespace

QByteArray recordEmf(QSize pixels, double dotsPerInch, const std::function<void(QPainter&)>& paint)
{
    if (pixels.isEmpty() || pixels.width() > kLargestSide || pixels.height() > kLargestSide ||
        !(dotsPerInch > 0 && dotsPerInch < 1e6))
        return {};
    TEmfDevice device(pixels, dotsPerInch);
    QPainter painter(&device);
    paint(painter);
    painter.end();
    return device.metafile();
}

} // namespace orv
