#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

// The drawing objects of a metafile, as their creating records describe them.
struct TGdiPen {
    uint32_t style = 0; // PS_ style, end cap, join and PS_GEOMETRIC bits
    double width = 0;   // logical units; 0 draws one pixel wide
    QColor colour = Qt::black;
    std::vector<double> dashes; // PS_USERSTYLE lengths, logical units
};

struct TGdiBrush {
    uint32_t style = 0; // BS_
    QColor colour = Qt::white;
    uint32_t hatch = 0;
    QImage pattern;
};

struct TGdiFont {
    int32_t height = 0; // logical units; negative: em height, positive: cell height
    int32_t escapement = 0;
    int32_t weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    QString face;
};

enum class ArcKind { Arc, Chord, Pie, ArcTo };

// A GDI device context played onto a QPainter: mapping modes, world
// transform, selected objects, current position, path bracket, clipping and
// the saved-state stack. Coordinates are logical units unless named device
// units; device space is mapped onto the painter by `deviceToTarget`.
class TGdiCanvas {
public:
    // `devicePixelsPerMm` sizes the metric mapping modes.
    TGdiCanvas(QPainter& painter, const QTransform& deviceToTarget, QSizeF devicePixelsPerMm);
    ~TGdiCanvas();
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    // --- mapping
    void setMapMode(uint32_t mode);
    void setWindowOrg(QPointF origin) { m_state.windowOrg = origin; }
    void setWindowExt(QSizeF extent);
    void setViewportOrg(QPointF origin) { m_state.viewportOrg = origin; }
    void setViewportExt(QSizeF extent);
    bool setWorldTransform(const QTransform& transform);
    void modifyWorldTransform(const QTransform& transform, uint32_t mode);

    // --- attributes and objects
    void selectPen(const TGdiPen& pen) { m_state.pen = pen; }
    void selectBrush(const TGdiBrush& brush) { m_state.brush = brush; }
    void selectFont(const TGdiFont& font) { m_state.font = font; }
    // Stock objects by their number (WHITE_BRUSH ... DC_PEN).
    void selectStockObject(uint32_t stock);
    void setTextColour(QColor colour) { m_state.textColour = colour; }
    void setBackgroundColour(QColor colour) { m_state.backgroundColour = colour; }
    void setBackgroundMode(uint32_t mode) { m_state.opaqueBackground = mode == 2; }
    void setTextAlign(uint32_t align) { m_state.textAlign = align; }
    void setPolyFillMode(uint32_t mode) { m_state.winding = mode == 2; }
    void setArcDirection(uint32_t direction) { m_state.clockwise = direction == 2; }
    void save();
    void restore(int32_t which);

    // --- figures
    void moveTo(QPointF point);
    void lineTo(QPointF point);
    void polyline(const QPolygonF& points);
    void polylineTo(const QPolygonF& points);
    void polygon(const QPolygonF& points);
    void polyPolygon(const std::vector<QPolygonF>& polygons);
    void polyPolyline(const std::vector<QPolygonF>& lines);
    void polyBezier(const QPolygonF& points);
    void polyBezierTo(const QPolygonF& points);
    void rectangle(const QRectF& box);
    void roundRect(const QRectF& box, QSizeF corner);
    void ellipse(const QRectF& box);
    // Radial points give where the arc starts and ends.
    void arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end);
    void setPixel(QPointF point, QColor colour);
    // Fills a rectangle with the brush, black or white (pattern blits).
    void fillWithBrush(const QRectF& box);
    void fillRect(const QRectF& box, QColor colour);

    // --- path bracket
    void beginPath();
    void endPath() { m_state.pathOpen = false; }
    void abortPath();
    void closeFigure();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();
    void selectClipPath(uint32_t mode);

    // --- clipping
    void intersectClipRect(const QRectF& box);
    void excludeClipRect(const QRectF& box);
    // Rectangles in device units; none with RGN_COPY resets the clip.
    void selectClipRegion(const std::vector<QRectF>& deviceRects, uint32_t mode);

    // --- text and images
    // `advances` are the logical distances from each character to the next
    // (empty: the font's own); `box` is the opaque or clipping rectangle.
    void text(QPointF reference, const QString& text, const std::vector<double>& advances, uint32_t options,
              const std::optional<QRectF>& box);
    // Draws `source` of `image` into `dest`; a negative width or height mirrors.
    void image(const QRectF& dest, const QImage& image, const QRectF& source, double opacity = 1);

private:
    struct TState {
        uint32_t mapMode = 1;
        QPointF windowOrg, viewportOrg;
        QSizeF windowExt{1, 1}, viewportExt{1, 1};
        QTransform world;
        TGdiPen pen;
        TGdiBrush brush;
        TGdiFont font;
        QColor textColour = Qt::black, backgroundColour = Qt::white;
        bool opaqueBackground = true;
        uint32_t textAlign = 0;
        bool winding = false;
        bool clockwise = false;
        QPointF position;
        std::optional<QPainterPath> clip; // device units
        QPainterPath path;                // device units
        bool pathOpen = false;
    };

    QTransform logicalToDevice() const;
    // Logical units to the painter's coordinates; nothing when the mapping
    // is degenerate or too large to draw.
    std::optional<QTransform> logicalToPainter() const;
    QPen qPen() const;
    QBrush qBrush() const;
    // Adds a figure to the open path, or draws it now.
    void figure(const QPainterPath& logical, bool fill, bool stroke);
    void draw(const QPainterPath& logical, bool fill, bool stroke);
    void drawDevicePath(bool fill, bool stroke);
    void combineClip(const QPainterPath& device, uint32_t mode);
    void applyClip();
    QPainterPath arcPath(ArcKind kind, const QRectF& box, QPointF start, QPointF end) const;

    QPainter& m_painter;
    QTransform m_base;
    QTransform m_deviceToTarget;
    QSizeF m_pixelsPerMm;
    TState m_state;
    std::vector<TState> m_saved;
};

} // namespace orv
