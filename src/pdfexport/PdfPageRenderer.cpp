#include "pdfexport/PdfPageRenderer.h"

#include "document/GraphicObjects.h"
#include "document/Report.h"
#include "pdfexport/PdfBarcode.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdfexport/PdfPageDrawers.h"
#include "pdfexport/ReportPdfExport.h"
#include "platform/Rounding.h"
#include "barcodes/Barcode.h"
#include "render/SheetLayout.h"


#include <array>
#include <cmath>
#include <functional>

namespace orv {

namespace {

// A dash pattern of five bytes and a phase. Every object starts from a
// solid pattern, so one object's dashes never leak into the next.
struct TDash {
    std::array<uint8_t, 5> bytes{};
    uint8_t phase = 0;
};

// The dashes of the dashed pen styles, dot to dash-dot-dot: one table for
// the outlines of shapes, arcs, chords, pies and grids, one for lines.
using TDashTable = std::array<TDash, 4>;
constexpr TDashTable kFigureDashes = {{
    {{3, 0, 0, 0, 0}, 0},
    {{1, 0, 0, 0, 0}, 1},
    {{3, 1, 0, 0, 0}, 0},
    {{3, 1, 1, 0, 0}, 0},
}};
constexpr TDashTable kLineDashes = {{
    {{3, 0, 0, 0, 0}, 0},
    {{18, 0, 0, 0, 0}, 1},
    {{9, 6, 3, 6, 0}, 0},
    {{9, 3, 3, 3, 3}, 0},
}};

// Every other pen style draws solid.
TDash dashOf(const TDashTable& table, TPenStyle style)
{
    if (!isDashed(style))
        return {};
    return table[dashIndex(style)];
}

void setDash(TPdfCanvas& canvas, const TDash& dash)
{
    canvas.setDashPattern(dash.bytes, dash.phase);
}

// The corner radius of a rounded shape, in points.
float cornerRadius(uint8_t curvature)
{
    switch (curvature) {
    case 12:
        return 12;
    case 16:
        return 14;
    case 24:
        return 18;
    case 32:
        return 32;
    default:
        return curvature * 0.75f;
    }
}

class TPdfPageDrawer {
public:
    TPdfPageDrawer(TPdfExport& pdfExport, int32_t pageNumber, int32_t position)
        : m_export(pdfExport)
        , m_canvas(pdfExport.doc.canvas())
        , m_page(pdfExport.report.page(pageNumber))
        , m_pageNumber(pageNumber)
    {
        const TReport& report = pdfExport.report;
        const TSheetLayout layout{report.PdfPagesPerSheet};
        m_place.scale = layout.scale();
        const TSheetSize sheetInches = layout.sheetSize(m_page.Width, m_page.Height);
        m_place.sheetWidthInches = sheetInches.width;
        m_place.sheetHeightInches = sheetInches.height;
        const double sheetWidth = roundHalfEven(72 * m_place.sheetWidthInches);
        const double sheetHeight = roundHalfEven(72 * m_place.sheetHeightInches);
        const TCellOrigin origin = layout.cellOrigin(position, {sheetWidth, sheetHeight});
        m_place.ox = origin.x;
        m_place.oy = origin.y;
        m_place.xOffset = report.PdfSetup.XOffset.toDouble();
        m_place.yOffset = report.PdfSetup.YOffset.toDouble();
        m_place.mediaHeight = static_cast<float>(m_canvas.mediaBoxHeight());
        m_place.sheetHeight = static_cast<float>(sheetHeight);
    }

    // False when the export was cancelled on the way.
    bool draw()
    {
        if (!m_page.WaterMark.Text.empty())
            drawPdfWatermark(m_export, m_place, m_page.WaterMark);
        for (const TReportObject& object : m_page.Objects) {
            drawObject(object);
            if (!proceed())
                return false;
        }
        if (m_export.report.Calendar.CalendarShow)
            drawPdfCalendar(m_export, m_place, m_export.report.Calendar, m_pageNumber);
        return true;
    }

private:
    // Lets the progress window run now and then; false once the user
    // cancelled.
    bool proceed()
    {
        m_export.events.pace();
        return !(m_export.progress && m_export.progress->cancelled());
    }

    using Box = TPdfPagePlacement::Box;

    float hm() const { return m_place.mediaHeight; }

    void drawObject(const TReportObject& object)
    {
        switch (object.ObjType) {
        case ObjType::Text:
        case ObjType::Field:
            drawPdfTextObject(m_export, m_place, object, m_pageNumber);
            break;
        case ObjType::Shape:
        case ObjType::Arc:
        case ObjType::Chord:
        case ObjType::Pie:
            drawFigure(object);
            break;
        case ObjType::Grid:
            drawGrid(object);
            break;
        case ObjType::Line:
            drawLine(object);
            break;
        case ObjType::Picture:
            drawPdfPicture(m_export, m_place, object);
            break;
        case ObjType::Chart:
            drawChart(object);
            break;
        case ObjType::BarCode:
            drawBarcode(object);
            break;
        case ObjType::Annotation:
            drawAnnotation(object);
            break;
        default:
            break;
        }
    }

    float outlineWidth(const TReportObject& object) const
    {
        return static_cast<float>(object.BorderWidth * m_place.scale * 0.66);
    }

    // Fill and stroke colours, the dash and the outline width of a shape,
    // arc or grid; a style without a border strokes in the fill colour with
    // the thinnest line.
    float selectFigurePen(const TReportObject& object)
    {
        m_canvas.setRGBFillColor(static_cast<int32_t>(object.FillColor));
        m_canvas.setRGBStrokeColor(static_cast<int32_t>(object.PenColor));
        setDash(m_canvas, dashOf(kFigureDashes, object.borderStyle()));
        if (object.borderStyle() == TPenStyle::None) {
            m_canvas.setRGBStrokeColor(static_cast<int32_t>(object.FillColor));
            return 0;
        }
        return outlineWidth(object);
    }

    // The outline path of a shape, arc, chord or pie in PDF coordinates.
    void appendPath(const TReportObject& object, const Box& b)
    {
        const float bottom = hm() - (b.top + b.height);
        switch (object.ObjType) {
        case ObjType::Arc:
            appendEllipticArc(m_canvas, PdfArcKind::Arc, b.x, bottom, b.width, b.height, object.StartAngle,
                              object.SweepAngle);
            return;
        case ObjType::Chord:
            appendEllipticArc(m_canvas, PdfArcKind::Chord, b.x, bottom, b.width, b.height, object.StartAngle,
                              object.SweepAngle);
            return;
        case ObjType::Pie:
            appendEllipticArc(m_canvas, PdfArcKind::Pie, b.x, bottom, b.width, b.height, object.StartAngle,
                              object.SweepAngle);
            return;
        default:
            break;
        }
        if (object.isEllipse())
            appendEllipse(m_canvas, b.x, bottom, b.width, b.height);
        else if (object.Curvature >= 1)
            appendRoundedRectangle(m_canvas, b.x, bottom, b.width, b.height, cornerRadius(object.Curvature));
        else
            m_canvas.rectangle(b.x, bottom, b.width, b.height);
    }

    // Hatch lines in the fill colour, clipped to the figure, with the gaps
    // left open as on screen: a line every 6 points (8 screen pixels). Only
    // the lines that cross the page are written, counted in whole steps, so
    // a figure far larger than its page costs no more than the page.
    void hatchFigure(const TReportObject& object, const Box& b)
    {
        const double left = std::min(b.x, b.x + b.width), width = std::abs(double(b.width));
        const double bottom = hm() - std::max(b.top, b.top + b.height), height = std::abs(double(b.height));
        const double top = bottom + height, right = left + width;
        // The part of the page the figure covers.
        const double seenLeft = std::max(left, 0.0), seenRight = std::min(right, double(m_canvas.mediaBoxWidth()));
        const double seenBottom = std::max(bottom, 0.0), seenTop = std::min(top, double(hm()));
        if (!(seenLeft < seenRight && seenBottom < seenTop))
            return;

        m_canvas.saveGraphicsState();
        appendPath(object, b);
        m_canvas.clip();
        m_canvas.endPath();
        m_canvas.setRGBStrokeColor(static_cast<int32_t>(object.FillColor));
        m_canvas.setDashPattern({}, 0);
        const float hatchWidth = static_cast<float>(0.75 * m_place.scale);
        const double step = 6 * m_place.scale;
        // Steps k = first .. last, at least 1, of offsets k x step from 0
        // that lie within [from, to] and below `limit`.
        auto eachStep = [&](double from, double to, double limit, const std::function<void(double)>& line) {
            const auto first = static_cast<int64_t>(std::max(1.0, std::ceil(from / step)));
            const double end = std::min(to, std::nextafter(limit, 0.0));
            for (int64_t k = first; k * step <= end; ++k)
                line(k * step);
        };
        auto segment = [&](double x1, double y1, double x2, double y2) {
            drawPdfLine(m_canvas, float(x1), float(y1), float(x2), float(y2), hatchWidth);
        };
        const TFillStyle style = object.fillStyle();
        if (style == TFillStyle::Horizontal || style == TFillStyle::Cross)
            eachStep(top - seenTop, top - seenBottom, height, [&](double d) { segment(seenLeft, top - d, seenRight, top - d); });
        if (style == TFillStyle::Vertical || style == TFillStyle::Cross)
            eachStep(seenLeft - left, seenRight - left, width,
                     [&](double d) { segment(left + d, seenBottom, left + d, seenTop); });
        // Diagonals at 45 degrees through the bottom edge at left + d - height
        // (forward) or left + d (backward), drawn across the seen part.
        const double span = width + height;
        if (style == TFillStyle::ForwardDiagonal || style == TFillStyle::DiagonalCross)
            eachStep(seenLeft - left + height - (seenTop - bottom), seenRight - left + height - (seenBottom - bottom), span,
                     [&](double d) {
                         const double x0 = left + d - height - bottom; // x = x0 + y
                         segment(x0 + seenBottom, seenBottom, x0 + seenTop, seenTop);
                     });
        if (style == TFillStyle::BackwardDiagonal || style == TFillStyle::DiagonalCross)
            eachStep(seenLeft - left + (seenBottom - bottom), seenRight - left + (seenTop - bottom), span,
                     [&](double d) {
                         const double x0 = left + d + bottom; // x = x0 - y
                         segment(x0 - seenBottom, seenBottom, x0 - seenTop, seenTop);
                     });
        m_canvas.restoreGraphicsState();
    }

    // Fills (solid or hatched) and strokes the figure's path; a hollow fill
    // only strokes. Below full alpha the fill is translucent.
    void paintFigure(const TReportObject& object, const Box& b, bool evenOdd)
    {
        const bool translucent = object.AlphaLevel < 255 && object.ObjType != ObjType::Grid;
        if (translucent) {
            m_canvas.saveGraphicsState();
            m_canvas.setAlpha(object.AlphaLevel);
        }
        if (isHatch(object.fillStyle())) {
            hatchFigure(object, b);
            appendPath(object, b);
            m_canvas.stroke();
        } else {
            appendPath(object, b);
            if (object.fillStyle() == TFillStyle::Hollow)
                m_canvas.stroke();
            else if (evenOdd) {
                m_canvas.closePath();
                m_canvas.closeFillStrokeEvenOdd();
            }
            else
                m_canvas.fillStroke();
        }
        if (translucent)
            m_canvas.restoreGraphicsState();
    }

    void drawFigure(const TReportObject& object)
    {
        const Box b = m_place.boxOf(object);
        const float lw = selectFigurePen(object);
        if (object.Curvature >= 1 && object.ObjType == ObjType::Shape) {
            // Rounded shapes and ellipses keep a fine round outline.
            m_canvas.setLineWidth(0.75f);
            m_canvas.setLineCap(1);
            m_canvas.setLineJoin(1);
            paintFigure(object, b, true);
            return;
        }
        m_canvas.setLineWidth(lw);
        m_canvas.setLineCap(0);
        m_canvas.setLineJoin(0);
        const TShapeStyle shapeStyle = object.ObjType == ObjType::Shape ? object.shapeStyle() : TShapeStyle::Closed;
        if (shapeStyle == TShapeStyle::Closed) {
            m_canvas.setRGBStrokeColor(static_cast<int32_t>(lw != 0 ? object.PenColor : object.FillColor));
            paintFigure(object, b, false);
        } else if (isOpenBox(shapeStyle)) {
            drawOpenBox(object, b, lw, shapeStyle);
        }
    }

    // Open boxes: the fill, then only the named edges.
    void drawOpenBox(const TReportObject& object, const Box& b, float lw, TShapeStyle shapeStyle)
    {
        if (object.borderStyle() == TPenStyle::None) {
            paintFigure(object, b, true);
            return;
        }
        m_canvas.setLineWidth(0);
        if (object.fillStyle() != TFillStyle::Hollow) {
            m_canvas.setRGBStrokeColor(static_cast<int32_t>(object.FillColor));
            paintFigure(object, b, true);
        }
        m_canvas.setRGBStrokeColor(static_cast<int32_t>(object.PenColor));
        m_canvas.setLineCap(0);
        m_canvas.setLineJoin(0);
        setDash(m_canvas, dashOf(kFigureDashes, object.borderStyle()));
        const float left = b.x, right = b.x + b.width;
        const float top = hm() - b.top, bottom = hm() - b.top - b.height;
        if (shapeStyle == TShapeStyle::OpenBottom)
            drawPdfLine(m_canvas, left, top, right, top, lw);
        drawPdfLine(m_canvas, left, top, left, bottom, lw);
        drawPdfLine(m_canvas, right, top, right, bottom, lw);
        if (shapeStyle == TShapeStyle::OpenTop)
            drawPdfLine(m_canvas, left, bottom, right, bottom, lw);
    }

    void drawGrid(const TReportObject& object)
    {
        const Box b = m_place.boxOf(object);
        const float lw = selectFigurePen(object);
        if (object.Curvature != 0 || object.shapeStyle() != TShapeStyle::Closed)
            return;
        m_canvas.setLineWidth(lw);
        m_canvas.setLineCap(0);
        m_canvas.setLineJoin(0);
        m_canvas.rectangle(b.x, hm() - (b.top + b.height), b.width, b.height);
        if (object.fillStyle() != TFillStyle::Hollow) {
            m_canvas.closePath();
            m_canvas.closeFillStrokeEvenOdd();
        } else {
            m_canvas.stroke();
        }
        // Rows and columns step in whole points.
        const float top = hm() - b.top;
        if (object.Rows > 0) {
            const float rowHeight = std::trunc(b.height / object.Rows);
            for (int32_t k = 1; k < object.Rows; ++k)
                drawPdfLine(m_canvas, b.x, top - k * rowHeight, b.x + b.width, top - k * rowHeight, lw);
        }
        if (object.Columns > 0) {
            const float columnWidth = std::trunc(b.width / object.Columns);
            for (int32_t k = 1; k < object.Columns; ++k)
                drawPdfLine(m_canvas, b.x + k * columnWidth, top - b.height, b.x + k * columnWidth, top, lw);
        }
    }

    void drawLine(const TReportObject& object)
    {
        const Box b = m_place.boxOf(object);
        m_canvas.setRGBFillColor(static_cast<int32_t>(object.FillColor));
        m_canvas.setRGBStrokeColor(static_cast<int32_t>(object.PenColor));
        const float lw = outlineWidth(object);
        m_canvas.setLineWidth(lw);
        if (object.borderStyle() == TPenStyle::None)
            return;
        m_canvas.setLineCap(0);
        m_canvas.setLineJoin(0);
        setDash(m_canvas, dashOf(kLineDashes, object.borderStyle()));
        drawPdfLine(m_canvas, b.x, hm() - b.top, b.x + b.width, hm() - b.top - b.height, lw);
    }

    void drawChart(const TReportObject& object)
    {
        if (const TChartObject* chart = chartAt(m_page, object.ChartIndex))
            drawPdfChart(m_export, m_place, *chart, m_place.boxOf(object));
    }

    // Bars in the object's colour, spaces white, in points.
    void drawBarcode(const TReportObject& object)
    {
        const Box b = m_place.boxOf(object);
        auto points = [](float value) { return roundHalfEven(value * 10000.0) / 10000; };
        TAsBarcode code = barcodeOfObject(
            object, QRectF(points(b.x), points(b.top), points(b.width), points(b.height)), m_place.scale);
        drawPdfBarcode(m_canvas, code, hm());
    }

    void drawAnnotation(const TReportObject& object)
    {
        const Box b = m_place.boxOf(object);
        m_export.doc.addLink(b.x, hm() - (b.top + b.height), b.x + b.width, hm() - b.top, object.BorderWidth,
                             object.Text);
    }

    TPdfExport& m_export;
    TPdfCanvas& m_canvas;
    const TPageObject& m_page;
    int32_t m_pageNumber;
    TPdfPagePlacement m_place;
};

} // namespace

TPdfPagePlacement::Box TPdfPagePlacement::boxOf(const TReportObject& object) const
{
    const double toPoints = 72 * scale;
    return Box{static_cast<float>((object.HPos / 10000.0 + xOffset) * toPoints + ox),
               static_cast<float>((object.VPos / 10000.0 + yOffset) * toPoints + oy),
               static_cast<float>(object.Width / 10000.0 * toPoints),
               static_cast<float>(object.Height / 10000.0 * toPoints)};
}

bool renderPdfPage(TPdfExport& pdfExport, int32_t pageNumber, int32_t position)
{
    return TPdfPageDrawer(pdfExport, pageNumber, position).draw();
}

} // namespace orv
