#include "metafile/GdiCanvas.h"

#include "metafile/GdiRecords.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

using namespace gdi;

// Deeper save stacks than this are a hostile file's, not a drawing's.
constexpr size_t kMostSavedStates = 1024;
// Text larger than this many pixels is not drawn: no page needs it, and a
// hostile size would make every glyph a huge outline.
constexpr double kLargestTextPixels = 4096;
// Mappings that scale beyond this make nothing drawable.
constexpr double kLargestScale = 1e7;

bool isUsable(const QTransform& t)
{
    const double parts[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    if (!std::all_of(std::begin(parts), std::end(parts), [](double v) { return std::isfinite(v); }))
        return false;
    const double largest = std::max({std::abs(t.m11()), std::abs(t.m12()), std::abs(t.m21()), std::abs(t.m22())});
    return largest <= kLargestScale && std::abs(t.determinant()) > 1e-12;
}

Qt::BrushStyle hatchStyle(uint32_t hatch)
{
    switch (hatch) {
    case HS_HORIZONTAL:
        return Qt::HorPattern;
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    case HS_DIAGCROSS:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

// Radial points to the ellipse's own angle (degrees, counter-clockwise on
// screen) where the ray from the centre through the point meets it.
double ellipseAngle(const QRectF& box, QPointF point)
{
    const QPointF centre = box.center();
    const double a = std::max(box.width() / 2, 1e-9), b = std::max(box.height() / 2, 1e-9);
    return std::atan2(-(point.y() - centre.y()) / b, (point.x() - centre.x()) / a) * 180 / M_PI;
}

} // namespace

TGdiCanvas::TGdiCanvas(QPainter& painter, const QTransform& deviceToTarget, QSizeF devicePixelsPerMm)
    : m_painter(painter)
    , m_base(painter.transform())
    , m_deviceToTarget(deviceToTarget)
    , m_pixelsPerMm(devicePixelsPerMm)
{
    // The outer state is the caller's; the inner one is reset whenever the
    // clip changes, so a new clip never intersects an old one.
    m_painter.save();
    m_painter.save();
}

TGdiCanvas::~TGdiCanvas()
{
    m_painter.restore();
    m_painter.restore();
}

// --- mapping

void TGdiCanvas::setMapMode(uint32_t mode)
{
    if (mode >= MM_TEXT && mode <= MM_ANISOTROPIC)
        m_state.mapMode = mode;
}

void TGdiCanvas::setWindowExt(QSizeF extent)
{
    if (extent.width() != 0 && extent.height() != 0)
        m_state.windowExt = extent;
}

void TGdiCanvas::setViewportExt(QSizeF extent)
{
    if (extent.width() != 0 && extent.height() != 0)
        m_state.viewportExt = extent;
}

bool TGdiCanvas::setWorldTransform(const QTransform& transform)
{
    if (!isUsable(transform))
        return false;
    m_state.world = transform;
    return true;
}

void TGdiCanvas::modifyWorldTransform(const QTransform& transform, uint32_t mode)
{
    switch (mode) {
    case MWT_IDENTITY:
        m_state.world = QTransform();
        break;
    case MWT_LEFTMULTIPLY:
        setWorldTransform(transform * m_state.world);
        break;
    case MWT_RIGHTMULTIPLY:
        setWorldTransform(m_state.world * transform);
        break;
    case MWT_SET:
        setWorldTransform(transform);
        break;
    default:
        break;
    }
}

QTransform TGdiCanvas::logicalToDevice() const
{
    const TState& s = m_state;
    double sx = 1, sy = 1;
    auto metric = [&](double mmPerUnit) {
        sx = mmPerUnit * m_pixelsPerMm.width();
        sy = -mmPerUnit * m_pixelsPerMm.height();
    };
    switch (s.mapMode) {
    case MM_LOMETRIC:
        metric(0.1);
        break;
    case MM_HIMETRIC:
        metric(0.01);
        break;
    case MM_LOENGLISH:
        metric(0.254);
        break;
    case MM_HIENGLISH:
        metric(0.0254);
        break;
    case MM_TWIPS:
        metric(25.4 / 1440);
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        sx = s.viewportExt.width() / s.windowExt.width();
        sy = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == MM_ISOTROPIC) {
            const double scale = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
        break;
    default:
        break;
    }
    const QTransform page = QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y()) *
                            QTransform::fromScale(sx, sy) *
                            QTransform::fromTranslate(s.viewportOrg.x(), s.viewportOrg.y());
    return s.world * page;
}

std::optional<QTransform> TGdiCanvas::logicalToPainter() const
{
    const QTransform t = logicalToDevice() * m_deviceToTarget * m_base;
    if (!isUsable(t))
        return std::nullopt;
    return t;
}

// --- objects

void TGdiCanvas::selectStockObject(uint32_t stock)
{
    static const QColor kGreys[] = {Qt::white, QColor(192, 192, 192), QColor(128, 128, 128), QColor(64, 64, 64),
                                    Qt::black};
    if (stock <= BlackBrush) {
        m_state.brush = TGdiBrush{BS_SOLID, kGreys[stock], 0, {}};
    } else if (stock == NullBrush) {
        m_state.brush = TGdiBrush{BS_NULL, Qt::black, 0, {}};
    } else if (stock == WhitePen || stock == BlackPen) {
        m_state.pen = TGdiPen{PS_SOLID, 0, stock == WhitePen ? QColor(Qt::white) : QColor(Qt::black), {}};
    } else if (stock == NullPen) {
        m_state.pen = TGdiPen{PS_NULL, 0, Qt::black, {}};
    } else if (stock >= 10 && stock <= 17 && stock != 15) {
        m_state.font = TGdiFont{};
    }
}

QPen TGdiCanvas::qPen() const
{
    const TGdiPen& p = m_state.pen;
    const uint32_t style = p.style & PS_STYLE_MASK;
    if (style == PS_NULL)
        return Qt::NoPen;
    QPen pen(p.colour);
    // Width 0 is one pixel whatever the mapping; any other is logical units.
    if (p.width > 0) {
        pen.setWidthF(p.width);
    } else {
        pen.setWidth(1);
        pen.setCosmetic(true);
    }
    switch (p.style & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE:
        pen.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        pen.setCapStyle(Qt::FlatCap);
        break;
    default:
        pen.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (p.style & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        pen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        pen.setJoinStyle(Qt::RoundJoin);
        break;
    }
    switch (style) {
    case PS_DASH:
        pen.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
        pen.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        pen.setStyle(Qt::DashDotLine);
        break;
    case PS_DASHDOTDOT:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case PS_USERSTYLE: {
        // Pattern lengths count in pen widths.
        const double unit = pen.isCosmetic() ? 1 : std::max(p.width, 1.0);
        QList<qreal> pattern;
        for (double length : p.dashes)
            pattern.push_back(std::max(length / unit, 0.01));
        if (pattern.size() % 2 == 1)
            pattern.push_back(pattern.back());
        if (!pattern.isEmpty())
            pen.setDashPattern(pattern);
        break;
    }
    default:
        break;
    }
    return pen;
}

QBrush TGdiCanvas::qBrush() const
{
    const TGdiBrush& b = m_state.brush;
    switch (b.style) {
    case BS_NULL:
        return Qt::NoBrush;
    case BS_HATCHED:
        return QBrush(b.colour, hatchStyle(b.hatch));
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        return b.pattern.isNull() ? QBrush(b.colour) : QBrush(b.pattern);
    default:
        return QBrush(b.colour);
    }
}

void TGdiCanvas::save()
{
    if (m_saved.size() < kMostSavedStates)
        m_saved.push_back(m_state);
}

void TGdiCanvas::restore(int32_t which)
{
    // Negative: relative to the latest save; positive: the n-th save.
    const int64_t depth = int64_t(m_saved.size());
    const int64_t index = which < 0 ? depth + which : int64_t(which) - 1;
    if (which == 0 || index < 0 || index >= depth)
        return;
    m_state = m_saved[size_t(index)];
    m_saved.resize(size_t(index));
    applyClip();
}

// --- figures

void TGdiCanvas::figure(const QPainterPath& logical, bool fill, bool stroke)
{
    if (m_state.pathOpen) {
        m_state.path.addPath(logicalToDevice().map(logical));
        return;
    }
    draw(logical, fill, stroke);
}

void TGdiCanvas::draw(const QPainterPath& logical, bool fill, bool stroke)
{
    const std::optional<QTransform> transform = logicalToPainter();
    if (!transform)
        return;
    m_painter.setTransform(*transform);
    m_painter.setPen(stroke ? qPen() : QPen(Qt::NoPen));
    m_painter.setBrush(fill ? qBrush() : QBrush(Qt::NoBrush));
    m_painter.setBackgroundMode(m_state.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(m_state.backgroundColour);
    QPainterPath path = logical;
    path.setFillRule(m_state.winding ? Qt::WindingFill : Qt::OddEvenFill);
    m_painter.drawPath(path);
}

void TGdiCanvas::moveTo(QPointF point)
{
    m_state.position = point;
    if (m_state.pathOpen)
        m_state.path.moveTo(logicalToDevice().map(point));
}

void TGdiCanvas::lineTo(QPointF point)
{
    if (m_state.pathOpen) {
        if (m_state.path.elementCount() == 0)
            m_state.path.moveTo(logicalToDevice().map(m_state.position));
        m_state.path.lineTo(logicalToDevice().map(point));
    } else {
        QPainterPath line(m_state.position);
        line.lineTo(point);
        draw(line, false, true);
    }
    m_state.position = point;
}

void TGdiCanvas::polyline(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    figure(path, false, true);
}

void TGdiCanvas::polylineTo(const QPolygonF& points)
{
    for (QPointF point : points)
        lineTo(point);
}

void TGdiCanvas::polygon(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    figure(path, true, true);
}

void TGdiCanvas::polyPolygon(const std::vector<QPolygonF>& polygons)
{
    QPainterPath path;
    for (const QPolygonF& polygon : polygons) {
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    figure(path, true, true);
}

void TGdiCanvas::polyPolyline(const std::vector<QPolygonF>& lines)
{
    QPainterPath path;
    for (const QPolygonF& line : lines)
        path.addPolygon(line);
    figure(path, false, true);
}

void TGdiCanvas::polyBezier(const QPolygonF& points)
{
    if (points.size() < 4)
        return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    figure(path, false, true);
}

void TGdiCanvas::polyBezierTo(const QPolygonF& points)
{
    QPainterPath path(m_state.position);
    for (qsizetype i = 0; i + 2 < points.size(); i += 3) {
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
        m_state.position = points[i + 2];
    }
    if (m_state.pathOpen) {
        // Inside a path the curves continue the figure being built.
        const QPainterPath device = logicalToDevice().map(path);
        if (m_state.path.elementCount() == 0)
            m_state.path.moveTo(device.elementAt(0));
        for (int i = 1; i + 2 < device.elementCount(); i += 3)
            m_state.path.cubicTo(device.elementAt(i), device.elementAt(i + 1), device.elementAt(i + 2));
        return;
    }
    draw(path, false, true);
}

void TGdiCanvas::rectangle(const QRectF& box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    figure(path, true, true);
}

void TGdiCanvas::roundRect(const QRectF& box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    figure(path, true, true);
}

void TGdiCanvas::ellipse(const QRectF& box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    figure(path, true, true);
}

QPainterPath TGdiCanvas::arcPath(ArcKind kind, const QRectF& box, QPointF start, QPointF end) const
{
    const QRectF rect = box.normalized();
    const double from = ellipseAngle(rect, start);
    double sweep = ellipseAngle(rect, end) - from;
    // Counter-clockwise by default; the same start and end make a whole turn.
    if (m_state.clockwise)
        sweep = sweep >= 0 ? sweep - 360 : sweep;
    else
        sweep = sweep <= 0 ? sweep + 360 : sweep;
    QPainterPath path;
    if (kind == ArcKind::Pie) {
        path.moveTo(rect.center());
        path.arcTo(rect, from, sweep);
        path.closeSubpath();
        return path;
    }
    if (kind == ArcKind::ArcTo)
        path.moveTo(m_state.position);
    else
        path.arcMoveTo(rect, from);
    path.arcTo(rect, from, sweep);
    if (kind == ArcKind::Chord)
        path.closeSubpath();
    return path;
}

void TGdiCanvas::arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end)
{
    const QPainterPath path = arcPath(kind, box, start, end);
    const bool closed = kind == ArcKind::Chord || kind == ArcKind::Pie;
    figure(path, closed, true);
    if (kind == ArcKind::ArcTo)
        m_state.position = path.currentPosition();
}

void TGdiCanvas::setPixel(QPointF point, QColor colour)
{
    fillRect(QRectF(point, QSizeF(1, 1)), colour);
}

void TGdiCanvas::fillWithBrush(const QRectF& box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    draw(path, true, false);
}

void TGdiCanvas::fillRect(const QRectF& box, QColor colour)
{
    const TGdiBrush brush = m_state.brush;
    m_state.brush = TGdiBrush{BS_SOLID, colour, 0, {}};
    fillWithBrush(box);
    m_state.brush = brush;
}

// --- path bracket

void TGdiCanvas::beginPath()
{
    m_state.path = QPainterPath();
    m_state.pathOpen = true;
}

void TGdiCanvas::abortPath()
{
    m_state.path = QPainterPath();
    m_state.pathOpen = false;
}

void TGdiCanvas::closeFigure()
{
    if (m_state.pathOpen)
        m_state.path.closeSubpath();
}

void TGdiCanvas::drawDevicePath(bool fill, bool stroke)
{
    // The path was built in device units; it is drawn through the current
    // mapping so that the pen keeps its logical width.
    const QTransform toDevice = logicalToDevice();
    bool invertible = false;
    const QTransform toLogical = toDevice.inverted(&invertible);
    if (invertible && !m_state.path.isEmpty())
        draw(toLogical.map(m_state.path), fill, stroke);
    m_state.path = QPainterPath();
    m_state.pathOpen = false;
}

void TGdiCanvas::fillPath()
{
    drawDevicePath(true, false);
}

void TGdiCanvas::strokePath()
{
    drawDevicePath(false, true);
}

void TGdiCanvas::strokeAndFillPath()
{
    drawDevicePath(true, true);
}

void TGdiCanvas::selectClipPath(uint32_t mode)
{
    QPainterPath path = m_state.path;
    path.setFillRule(m_state.winding ? Qt::WindingFill : Qt::OddEvenFill);
    m_state.path = QPainterPath();
    m_state.pathOpen = false;
    combineClip(path, mode);
}

// --- clipping

void TGdiCanvas::combineClip(const QPainterPath& device, uint32_t mode)
{
    std::optional<QPainterPath>& clip = m_state.clip;
    switch (mode) {
    case RGN_AND:
        clip = clip ? clip->intersected(device) : device;
        break;
    case RGN_OR:
        if (clip)
            clip = clip->united(device);
        break;
    case RGN_XOR:
        if (clip)
            clip = clip->united(device).subtracted(clip->intersected(device));
        break;
    case RGN_DIFF:
        if (clip)
            clip = clip->subtracted(device);
        break;
    case RGN_COPY:
        clip = device;
        break;
    default:
        return;
    }
    applyClip();
}

void TGdiCanvas::applyClip()
{
    m_painter.restore();
    m_painter.save();
    if (!m_state.clip)
        return;
    m_painter.setTransform(m_deviceToTarget * m_base);
    m_painter.setClipPath(*m_state.clip, Qt::IntersectClip);
}

void TGdiCanvas::intersectClipRect(const QRectF& box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    combineClip(logicalToDevice().map(path), RGN_AND);
}

void TGdiCanvas::excludeClipRect(const QRectF& box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    const QPainterPath device = logicalToDevice().map(path);
    if (!m_state.clip) {
        // Everything but the rectangle: the whole plane is the device's reach.
        QPainterPath everything;
        everything.addRect(QRectF(-1e7, -1e7, 2e7, 2e7));
        m_state.clip = everything;
    }
    combineClip(device, RGN_DIFF);
}

void TGdiCanvas::selectClipRegion(const std::vector<QRectF>& deviceRects, uint32_t mode)
{
    if (deviceRects.empty()) {
        if (mode == RGN_COPY) {
            m_state.clip.reset();
            applyClip();
        }
        return;
    }
    QPainterPath region;
    for (const QRectF& rect : deviceRects)
        region.addRect(rect.normalized());
    region.setFillRule(Qt::WindingFill);
    combineClip(region, mode);
}

// --- text and images

namespace {

// The selected font at its size on the target: the mapping's vertical
// scale sizes it and the ratio of the scales stretches it. Both are held to
// what a page can need, since the font engine cannot rasterise glyphs of any
// size; nothing when they are out of bounds.
std::optional<QFont> targetFont(const TGdiFont& f, double scaleX, double scaleY)
{
    QFont font(f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
    double em = f.height == 0 ? 12 : std::abs(double(f.height));
    if (f.height > 0) {
        // A positive height is the cell (ascent plus descent), not the em.
        font.setPixelSize(100);
        const QFontMetricsF reference100(font);
        em = double(f.height) * 100 / std::max(reference100.ascent() + reference100.descent(), 1.0);
    }
    const double pixels = em * scaleY, stretch = scaleX / scaleY;
    if (!(pixels >= 0.5 && pixels * std::max(stretch, 1.0) <= kLargestTextPixels && stretch >= 1.0 / 64 &&
          stretch <= 64))
        return std::nullopt;
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    if (f.weight > 0)
        font.setWeight(QFont::Weight(std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    return font;
}

// Where each character starts along the baseline (none: the font places
// them) and the whole run's width, in target pixels.
struct TTextRun {
    std::vector<double> positions;
    double width = 0;
};

TTextRun textRun(const QString& text, const std::vector<double>& advances, double scaleY,
                 const QFontMetricsF& metrics)
{
    TTextRun run;
    if (advances.size() < size_t(text.size())) {
        run.width = metrics.horizontalAdvance(text);
        return run;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        run.positions.push_back(run.width);
        run.width += advances[size_t(i)] * scaleY;
    }
    return run;
}

// The run's start and baseline relative to the reference point, as the
// text alignment places it.
QPointF alignedOrigin(uint32_t textAlign, double width, const QFontMetricsF& metrics)
{
    double x = 0;
    if ((textAlign & TA_HORZ_MASK) == TA_CENTER)
        x = -width / 2;
    else if ((textAlign & TA_HORZ_MASK) == TA_RIGHT)
        x = -width;
    double baseline = 0;
    if ((textAlign & TA_VERT_MASK) == TA_BOTTOM)
        baseline = -metrics.descent();
    else if ((textAlign & TA_VERT_MASK) == TA_TOP)
        baseline = metrics.ascent();
    return {x, baseline};
}

void drawRun(QPainter& painter, const QString& text, const TTextRun& run, QPointF origin)
{
    if (run.positions.empty()) {
        painter.drawText(origin, text);
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character at its first half's place.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        painter.drawText(origin + QPointF(run.positions[size_t(i)], 0), text.mid(i, length));
        i += length - 1;
    }
}

} // namespace

void TGdiCanvas::text(QPointF reference, const QString& text, const std::vector<double>& advances, uint32_t options,
                      const std::optional<QRectF>& box)
{
    const std::optional<QTransform> toPainter = logicalToPainter();
    if (!toPainter)
        return;
    const QTransform& m = *toPainter;
    if (box && (options & ETO_OPAQUE))
        fillRect(*box, m_state.backgroundColour);
    if (text.isEmpty())
        return;
    const bool updatesPosition = m_state.textAlign & TA_UPDATECP;
    if (updatesPosition)
        reference = m_state.position;

    // Text stands upright on the target whatever the mapping: the baseline
    // follows the mapped x axis turned by the escapement, and the glyphs
    // take the mapping's scales.
    const double scaleX = std::hypot(m.m11(), m.m12()), scaleY = std::hypot(m.m21(), m.m22());
    const std::optional<QFont> font = targetFont(m_state.font, scaleX, scaleY);
    if (!font)
        return;
    const QFontMetricsF metrics(*font);
    const TTextRun run = textRun(text, advances, scaleY, metrics);
    const QPointF origin = alignedOrigin(m_state.textAlign, run.width, metrics);

    const QPointF at = m.map(reference);
    QTransform upright;
    upright.translate(at.x(), at.y());
    upright.rotate(std::atan2(m.m12(), m.m11()) * 180 / M_PI - m_state.font.escapement / 10.0);
    upright.scale(scaleX / scaleY, 1);

    m_painter.save();
    if (box && (options & ETO_CLIPPED)) {
        m_painter.setTransform(m);
        m_painter.setClipRect(box->normalized(), Qt::IntersectClip);
    }
    m_painter.setTransform(upright);
    if (m_state.opaqueBackground)
        m_painter.fillRect(QRectF(origin.x(), origin.y() - metrics.ascent(), run.width, metrics.height()),
                           m_state.backgroundColour);
    m_painter.setFont(*font);
    m_painter.setPen(m_state.textColour);
    drawRun(m_painter, text, run, origin);
    m_painter.restore();
    if (updatesPosition && scaleY > 0)
        m_state.position.rx() += run.width / scaleY;
}

void TGdiCanvas::image(const QRectF& dest, const QImage& image, const QRectF& source, double opacity)
{
    const std::optional<QTransform> transform = logicalToPainter();
    if (!transform || image.isNull() || dest.width() == 0 || dest.height() == 0)
        return;
    // A negative extent mirrors the image across that axis.
    QTransform mirror;
    mirror.translate(dest.x(), dest.y());
    mirror.scale(dest.width() < 0 ? -1 : 1, dest.height() < 0 ? -1 : 1);
    m_painter.save();
    m_painter.setTransform(mirror * *transform);
    m_painter.setOpacity(std::clamp(opacity, 0.0, 1.0));
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(QRectF(0, 0, std::abs(dest.width()), std::abs(dest.height())), image, source);
    m_painter.restore();
}

} // namespace orv
