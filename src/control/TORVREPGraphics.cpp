// The graphic operations of the control: shapes, lines, arcs, grids,
// pictures, barcodes, annotations and chart placeholders, the chart
// selection and the stored shape and line settings.

#include "control/TORVREP.h"

#include "document/GraphicObjects.h"
#include "platform/ClipboardPicture.h"
#include "platform/UiServices.h"

#include <array>

namespace orv {

namespace {

// The picture formats the engine reads, in either case of the extension.
constexpr const char* kPictureFilter = "Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.ico *.emf *.wmf "
                                       "*.BMP *.JPG *.JPEG *.PNG *.GIF *.TIF *.TIFF *.ICO *.EMF *.WMF);;"
                                       "All files (*)";

// Arcs, chords and pies share one argument list.
int32_t appendArcFigure(TReport& report, char type, const Variant& cName, std::array<float, 4> inches,
                        int32_t startAngle, int32_t sweepAngle, const TFigureStyle& style)
{
    return runTrapped([&] {
        std::string name = cName.toString();
        const TObjectPlace place = TObjectPlace::fromInches(inches[0], inches[1], inches[2], inches[3]);
        fillArcFigure(report.appendObject(), type, std::move(name), place, startAngle, sweepAngle, style);
        return 1;
    });
}

} // namespace

int32_t TORVREP::AddShape(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                          int32_t nPenColor, int32_t nFillColor, int32_t nFillStyle, int32_t nBackStyle,
                          int32_t nBorderStyle, int32_t nBorderWidth, int32_t nCurvature, int32_t nShapeStyle,
                          int32_t nAlphaLevel)
{
    return runTrapped([&] {
        std::string name = cName.toString();
        const TObjectPlace place = TObjectPlace::fromInches(nHPos, nVPos, nWidth, nHeight);
        fillShape(m_report->appendObject(), std::move(name), place,
                  {nPenColor, nFillColor, nFillStyle, nBackStyle, nBorderStyle, nBorderWidth, nAlphaLevel},
                  nCurvature, nShapeStyle);
        return 1;
    });
}

// The border style and alpha level are accepted for symmetry with shapes;
// a line has no use for them.
int32_t TORVREP::AddLine(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                         int32_t nPenColor, int32_t nPenWidth, int32_t nPenStyle, int32_t nFillColor,
                         int32_t nBackStyle, int32_t, int32_t)
{
    return runTrapped([&] {
        std::string name = cName.toString();
        const TObjectPlace place = TObjectPlace::fromInches(nHPos, nVPos, nWidth, nHeight);
        fillLine(m_report->appendObject(), std::move(name), place,
                 {nPenColor, nPenWidth, nPenStyle, nFillColor, nBackStyle});
        return 1;
    });
}

int32_t TORVREP::AddArc(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                        int32_t nStartAngle, int32_t nSweepAngle, int32_t nPenColor, int32_t nFillColor,
                        int32_t nFillStyle, int32_t nBackStyle, int32_t nBorderStyle, int32_t nBorderWidth,
                        int32_t nAlphaLevel)
{
    return appendArcFigure(*m_report, ObjType::Arc, cName, {nHPos, nVPos, nWidth, nHeight},
                           nStartAngle, nSweepAngle,
                           {nPenColor, nFillColor, nFillStyle, nBackStyle, nBorderStyle, nBorderWidth, nAlphaLevel});
}

int32_t TORVREP::AddChord(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                          int32_t nStartAngle, int32_t nSweepAngle, int32_t nPenColor, int32_t nFillColor,
                          int32_t nFillStyle, int32_t nBackStyle, int32_t nBorderStyle, int32_t nBorderWidth,
                          int32_t nAlphaLevel)
{
    return appendArcFigure(*m_report, ObjType::Chord, cName, {nHPos, nVPos, nWidth, nHeight},
                           nStartAngle, nSweepAngle,
                           {nPenColor, nFillColor, nFillStyle, nBackStyle, nBorderStyle, nBorderWidth, nAlphaLevel});
}

int32_t TORVREP::AddPie(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                        int32_t nStartAngle, int32_t nSweepAngle, int32_t nPenColor, int32_t nFillColor,
                        int32_t nFillStyle, int32_t nBackStyle, int32_t nBorderStyle, int32_t nBorderWidth,
                        int32_t nAlphaLevel)
{
    return appendArcFigure(*m_report, ObjType::Pie, cName, {nHPos, nVPos, nWidth, nHeight},
                           nStartAngle, nSweepAngle,
                           {nPenColor, nFillColor, nFillStyle, nBackStyle, nBorderStyle, nBorderWidth, nAlphaLevel});
}

// The pen width is accepted and not kept: grid lines are drawn with the
// border width.
int32_t TORVREP::AddGrid(const Variant& cName, Currency nHPos, Currency nVPos, Currency nWidth, Currency nHeight,
                         int32_t nColumns, int32_t nRows, int32_t, int32_t nPenColor, int32_t nBorderWidth,
                         int32_t nFillColor, int32_t nBorderStyle, int32_t nFillStyle)
{
    return runTrapped([&] {
        std::string name = cName.toString();
        const TObjectPlace place = TObjectPlace::fromCurrency(nHPos, nVPos, nWidth, nHeight);
        fillGrid(m_report->appendObject(), std::move(name), place,
                 {nColumns, nRows, nPenColor, nBorderWidth, nFillColor, nBorderStyle, nFillStyle});
        return 0;
    });
}

void TORVREP::AddPicture(const Variant& cName, const Variant& cFileName, float nHPos, float nVPos, float nWidth,
                         float nHeight, int32_t nImageScaling, int32_t nFlags, int32_t nPageNumber)
{
    runTrapped([&] {
        std::string name = cName.toString();
        std::optional<std::string> fileName = cFileName.toString();
        // The dialog runs before the record is appended: while it is open the
        // host's events still run and may change the pages, so no reference
        // into a page may be held across it.
        if (fileName->empty()) {
            fileName = m_ui->openFileName("Select Image File", kPictureFilter, "");
            m_report->contentChanged();
        }
        const TObjectPlace place = TObjectPlace::fromInches(nHPos, nVPos, nWidth, nHeight);
        TReportObject& picture = m_report->appendObject();
        // Without a file the record stays empty (type 0), which nothing draws.
        if (fileName && !fileName->empty())
            fillPicture(picture, std::move(name), std::move(*fileName), place, nImageScaling, nFlags, nPageNumber);
    });
}

Variant TORVREP::AddFromClipboard(const Variant& cName, Currency nHPos, Currency nVPos, Currency nWidth,
                                  Currency nHeight, int32_t nImageScaling)
{
    return runTrapped([&] {
        std::string name = cName.toString();
        if (std::optional<TClipboardPicture> picture = TClipboardPicture::take())
            addClipboardPicture(m_report->TempFiles, m_report->viewPage(), *picture, std::move(name),
                                TObjectPlace::fromCurrency(nHPos, nVPos, nWidth, nHeight), nImageScaling);
        m_report->contentChanged();
        return Variant();
    });
}

void TORVREP::AddBarCode(const Variant& cName, const Variant& cData, int32_t nBarCodeType, float nHPos, float nVPos,
                         float nWidth, float nHeight, int32_t nBarColor, int32_t nRotationAngle)
{
    runTrapped([&] {
        std::string name = cName.toString();
        std::string data = cData.toString();
        const TObjectPlace place = TObjectPlace::fromInches(nHPos, nVPos, nWidth, nHeight);
        fillBarCode(m_report->appendObject(), std::move(name), std::move(data), nBarCodeType,
                    place, nBarColor, nRotationAngle);
    });
}

// The annotation type is accepted and not kept: every annotation is a note.
void TORVREP::AddAnnotation(const Variant& cName, const Variant&, Currency nHPos, Currency nVPos, Currency nWidth,
                            Currency nHeight, const Variant& cContent, int32_t nBorderWidth)
{
    runTrapped([&] {
        std::string name = cName.toString();
        std::string content = cContent.toString();
        fillAnnotation(m_report->appendObject(), std::move(name), std::move(content),
                       TObjectPlace::fromCurrency(nHPos, nVPos, nWidth, nHeight), nBorderWidth);
    });
}

void TORVREP::AddChart(const Variant& cName, int32_t nChartType, float nHPos, float nVPos, float nWidth,
                       float nHeight)
{
    runTrapped([&] {
        m_currentChart = addChart(m_report->drawPage(), cName.toString(), nChartType,
                                  TObjectPlace::fromInches(nHPos, nVPos, nWidth, nHeight));
    });
}

// Any number without a chart on the draw page (0 and negative numbers
// included) leaves no chart selected.
bool TORVREP::ChartSelect(int32_t nChartIndex)
{
    return runTrapped([&] {
        m_currentChart = chartAt(m_report->drawPage(), nChartIndex) ? nChartIndex : 0;
        return m_currentChart != 0;
    });
}

// --- the legacy object list ------------------------------------------------------
// Old hosts kept their own list of objects through these operations. No
// adding operation fills it, so it is always empty: its length reads 0,
// shortening it to 0 entries (or fewer) only repaints, and there is never a
// last item to remove.

void TORVREP::ClearLastItem() { m_report->contentChanged(); }

int32_t TORVREP::get_nReportObjects() { return 0; }

void TORVREP::put_nReportObjects(int32_t value)
{
    if (value <= 0)
        m_report->contentChanged();
}

// --- stored shape and line settings ----------------------------------------------

int32_t TORVREP::get_ShapePenColor() { return m_shapePenColor; }
void TORVREP::put_ShapePenColor(int32_t value) { m_shapePenColor = value; }
int32_t TORVREP::get_ShapeFillColor() { return m_shapeFillColor; }
void TORVREP::put_ShapeFillColor(int32_t value) { m_shapeFillColor = value; }
int32_t TORVREP::get_ShapeFillStyle() { return m_shapeFillStyle; }
void TORVREP::put_ShapeFillStyle(int32_t value) { m_shapeFillStyle = value; }
int32_t TORVREP::get_ShapeBackStyle() { return m_shapeBackStyle; }
void TORVREP::put_ShapeBackStyle(int32_t value) { m_shapeBackStyle = value; }
int32_t TORVREP::get_ShapeBorderStyle() { return m_shapeBorderStyle; }
void TORVREP::put_ShapeBorderStyle(int32_t value) { m_shapeBorderStyle = value; }
int32_t TORVREP::get_ShapeBorderWidth() { return m_shapeBorderWidth; }
void TORVREP::put_ShapeBorderWidth(int32_t value) { m_shapeBorderWidth = value; }
int32_t TORVREP::get_ShapeCurvature() { return m_shapeCurvature; }
void TORVREP::put_ShapeCurvature(int32_t value) { m_shapeCurvature = value; }
int32_t TORVREP::get_LinePenColor() { return m_linePenColor; }
void TORVREP::put_LinePenColor(int32_t value) { m_linePenColor = value; }
int32_t TORVREP::get_LinePenWidth() { return m_linePenWidth; }
void TORVREP::put_LinePenWidth(int32_t value) { m_linePenWidth = value; }
int32_t TORVREP::get_LinePenStyle() { return m_linePenStyle; }
void TORVREP::put_LinePenStyle(int32_t value) { m_linePenStyle = value; }

} // namespace orv
