#include "pdf/PdfPainter.h"

#include "pdf/PdfBitmap.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfImage.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace orv {

namespace {

int32_t windowsColour(const QColor& colour)
{
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}

// "Arial", "Arial,Bold", "Arial,Italic" or "Arial,BoldItalic": the key that
// names a font of the document.
std::string fontKeyOf(const QFont& font)
{
    std::string key = font.family().toStdString();
    if (font.bold() || font.italic()) {
        key += ',';
        if (font.bold())
            key += "Bold";
        if (font.italic())
            key += "Italic";
    }
    return key;
}

// Turns QPainter calls into content operators of the current page. Geometry
// is mapped through the painter's transform and the area's own placement
// here, so the content stream holds page coordinates only. Gradients,
// patterns and translucent fills are not claimed: QPainter renders them
// and hands them over as images, which keep their transparency as a soft
// mask.
class TPdfPaintEngine final : public QPaintEngine {
public:
    TPdfPaintEngine(TPdfCanvas& canvas, const TPdfPaintArea& area)
        : QPaintEngine(PaintEngineFeatures(PrimitiveTransform | PixmapTransform | PainterPaths | Antialiasing |
                                           PaintOutsidePaintEvent))
        , m_canvas(canvas)
        , m_area(area)
    {
        const double sx = area.pageBox.width() / area.pixels.width();
        const double sy = area.pageBox.height() / area.pixels.height();
        // Device y grows downwards, page y upwards.
        m_toPage = QTransform(sx, 0, 0, -sy, area.pageBox.left(), area.pageBox.bottom());
    }

    bool begin(QPaintDevice*) override
    {
        setActive(true);
        return true;
    }

    bool end() override
    {
        closeClip();
        setActive(false);
        return true;
    }

    Type type() const override { return Type(User + 2); }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
        if (dirty & DirtyTransform)
            m_transform = state.transform();
        if (dirty & (DirtyClipPath | DirtyClipRegion)) {
            QPainterPath path;
            if (dirty & DirtyClipPath)
                path = state.clipPath();
            else
                path.addRegion(state.clipRegion());
            updateClip(state.clipOperation(), toPage().map(path));
        }
        if (dirty & DirtyClipEnabled) {
            m_clipEnabled = state.isClipEnabled();
            m_clipDirty = true;
        }
    }

    void drawPath(const QPainterPath& path) override { paint(toPage().map(path), true); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode)
            path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        paint(toPage().map(path), mode != PolylineMode);
    }

    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override
    {
        const QRect part = source.toAlignedRect().intersected(image.rect());
        if (part.isEmpty() || rect.isEmpty() || !m_area.nextImageName)
            return;
        writeClip();
        const std::string name = m_area.nextImageName();
        m_canvas.document().addImage(name, imageOf(image.copy(part)));
        // Turned images keep their upright bounds; the painters this serves
        // turn text and paths only.
        const QRectF box = toPage().mapRect(rect);
        m_canvas.drawXObject(static_cast<float>(box.x()), static_cast<float>(box.y()),
                             static_cast<float>(box.width()), static_cast<float>(box.height()), name);
    }

    void drawTextItem(const QPointF& origin, const QTextItem& item) override
    {
        const QString text = item.text();
        if (text.isEmpty() || m_pen.style() == Qt::NoPen)
            return;
        writeClip();
        const QFont font = item.font();
        const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_area.dotsPerInch / 72;
        const QTransform t = toPage();
        const QPointF start = t.map(origin);
        const QPointF along = t.map(origin + QPointF(1, 0)) - start;
        const QPointF up = t.map(origin + QPointF(0, 1)) - start;
        const int32_t size = static_cast<int32_t>(std::lround(pixels * std::hypot(up.x(), up.y())));
        if (size <= 0)
            return;
        const double angle = std::atan2(along.y(), along.x()) * 180 / std::numbers::pi;
        drawPdfText(m_canvas, static_cast<float>(start.x()), static_cast<float>(start.y()), angle,
                    text.toStdString(), fontKeyOf(font), size, windowsColour(m_pen.color()), m_pen.color().alpha());
    }

private:
    QTransform toPage() const { return m_transform * m_toPage; }

    // --- paths

    void paint(const QPainterPath& path, bool fillable)
    {
        const bool fills = fillable && m_brush.style() != Qt::NoBrush;
        const bool strokes = m_pen.style() != Qt::NoPen && m_pen.brush().style() != Qt::NoBrush;
        if (path.isEmpty() || (!fills && !strokes))
            return;
        writeClip();
        if (fills)
            m_canvas.setRGBFillColor(windowsColour(m_brush.color()));
        if (strokes)
            writePen();
        writePath(path);
        const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
        if (fills && strokes)
            evenOdd ? m_canvas.fillStrokeEvenOdd() : m_canvas.fillStroke();
        else if (fills)
            evenOdd ? m_canvas.fillEvenOdd() : m_canvas.fill();
        else
            m_canvas.stroke();
    }

    void writePath(const QPainterPath& path)
    {
        QPointF subpathStart;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            if (e.isMoveTo()) {
                subpathStart = e;
                m_canvas.moveTo(static_cast<float>(e.x), static_cast<float>(e.y));
            } else if (e.isLineTo()) {
                m_canvas.lineTo(static_cast<float>(e.x), static_cast<float>(e.y));
            } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
                const QPainterPath::Element& c2 = path.elementAt(i + 1);
                const QPainterPath::Element& end = path.elementAt(i + 2);
                m_canvas.curveTo(static_cast<float>(e.x), static_cast<float>(e.y), static_cast<float>(c2.x),
                                 static_cast<float>(c2.y), static_cast<float>(end.x), static_cast<float>(end.y));
                i += 2;
            }
            // A subpath that returns to its start is closed, so that its
            // last corner is joined like the others.
            const bool subpathEnds = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
            if (subpathEnds && !e.isMoveTo() && QPointF(path.elementAt(i)) == subpathStart)
                m_canvas.closePath();
        }
    }

    // Width, colour, caps, joins and dashes of the pen, in points.
    void writePen()
    {
        const double deviceWidth = m_pen.widthF() > 0 ? m_pen.widthF() : 1;
        const double scale = m_pen.isCosmetic() ? std::sqrt(std::abs(m_toPage.determinant()))
                                                : std::sqrt(std::abs(toPage().determinant()));
        const double width = deviceWidth * scale;
        m_canvas.setRGBStrokeColor(windowsColour(m_pen.color()));
        m_canvas.setLineWidth(static_cast<float>(width));
        m_canvas.setLineCap(m_pen.capStyle() == Qt::RoundCap ? 1 : m_pen.capStyle() == Qt::SquareCap ? 2 : 0);
        m_canvas.setLineJoin(m_pen.joinStyle() == Qt::RoundJoin ? 1 : m_pen.joinStyle() == Qt::BevelJoin ? 2 : 0);
        std::vector<uint8_t> dashes;
        if (m_pen.style() != Qt::SolidLine) {
            // Dash lengths are in pen widths; the canvas takes whole points.
            for (qreal length : m_pen.dashPattern())
                dashes.push_back(static_cast<uint8_t>(std::clamp(std::lround(length * width), 1L, 255L)));
        }
        m_canvas.setDashPattern(dashes, 0);
    }

    // --- clipping: one q/Q pair holds the current clip, so that a new clip
    // can replace it

    void updateClip(Qt::ClipOperation operation, const QPainterPath& path)
    {
        if (operation == Qt::NoClip) {
            m_hasClip = false;
        } else if (operation == Qt::IntersectClip && m_hasClip) {
            m_clip = m_clip.intersected(path);
        } else {
            m_clip = path;
            m_hasClip = true;
        }
        m_clipDirty = true;
    }

    void writeClip()
    {
        if (!m_clipDirty)
            return;
        m_clipDirty = false;
        closeClip();
        if (!m_clipEnabled || !m_hasClip)
            return;
        m_canvas.saveGraphicsState();
        m_clipOpen = true;
        writePath(m_clip);
        m_canvas.clip();
        m_canvas.endPath();
    }

    void closeClip()
    {
        if (m_clipOpen)
            m_canvas.restoreGraphicsState();
        m_clipOpen = false;
    }

    // --- images

    // An image with its colours and, where it is not opaque, its alpha as a
    // soft mask.
    std::unique_ptr<TPdfImage> imageOf(const QImage& source)
    {
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        TPdfBitmap bitmap;
        bitmap.width = argb.width();
        bitmap.height = argb.height();
        bitmap.bitsPerPixel = 32; // blue, green, red, alpha in memory
        bitmap.stride = static_cast<int32_t>(argb.bytesPerLine());
        bitmap.pixels.assign(reinterpret_cast<const char*>(argb.constBits()), static_cast<size_t>(argb.sizeInBytes()));
        std::unique_ptr<TPdfImage> image = createBitmapImage(bitmap);

        std::string alpha;
        alpha.reserve(static_cast<size_t>(argb.width()) * static_cast<size_t>(argb.height()));
        bool opaque = true;
        for (int y = 0; y < argb.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                alpha += static_cast<char>(qAlpha(row[x]));
                opaque = opaque && qAlpha(row[x]) == 255;
            }
        }
        if (!opaque) {
            auto mask = std::make_unique<TPdfImage>(std::make_unique<TPdfName>("DeviceGray"), argb.width(),
                                                    argb.height(), "FlateDecode");
            mask->data() = std::move(alpha);
            image->attributes().addReference("SMask", m_canvas.document().xref().addObject(std::move(mask)));
        }
        return image;
    }

    TPdfCanvas& m_canvas;
    const TPdfPaintArea& m_area;
    QTransform m_toPage;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QPainterPath m_clip;
    bool m_hasClip = false;
    bool m_clipEnabled = false;
    bool m_clipDirty = false;
    bool m_clipOpen = false;
};

class TPdfPaintDevice final : public QPaintDevice {
public:
    TPdfPaintDevice(TPdfCanvas& canvas, const TPdfPaintArea& area) : m_engine(canvas, area), m_area(area) {}

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        const auto dpi = static_cast<int>(std::lround(m_area.dotsPerInch));
        switch (metric) {
        case PdmWidth:
            return m_area.pixels.width();
        case PdmHeight:
            return m_area.pixels.height();
        case PdmWidthMM:
            return static_cast<int>(m_area.pixels.width() * 25.4 / m_area.dotsPerInch);
        case PdmHeightMM:
            return static_cast<int>(m_area.pixels.height() * 25.4 / m_area.dotsPerInch);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return dpi;
        case PdmNumColors:
            return std::numeric_limits<int>::max();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    mutable TPdfPaintEngine m_engine;
    const TPdfPaintArea& m_area;
};

} // namespace

void paintOnPdfCanvas(TPdfCanvas& canvas, const TPdfPaintArea& area, const std::function<void(QPainter&)>& paint)
{
    if (area.pixels.isEmpty() || area.pageBox.isEmpty() || !(area.dotsPerInch > 0))
        return;
    TPdfPaintDevice device(canvas, area);
    QPainter painter;
    if (!painter.begin(&device))
        return;
    paint(painter);
    painter.end();
}

} // namespace orv
