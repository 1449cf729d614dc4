#include "render/PageRenderer.h"

#include "document/GraphicObjects.h"
#include "document/Report.h"
#include "barcodes/Barcode.h"
#include "charts/ChartDrawer.h"
#include "surface/DrawingSurface.h"
#include "render/PageDecorations.h"
#include "pictures/PictureDrawer.h"
#include "render/ScreenPaper.h"
#include "render/ShapeDrawer.h"
#include "render/TextDrawer.h"

#include <QPainter>

#include <cmath>

namespace orv {

namespace {

constexpr int32_t kExportPpi = 96;

bool pageExists(const TReport& report, int32_t pageNumber)
{
    return pageNumber >= 1 && pageNumber <= report.pageCount();
}

// Several pages side by side in the preview are each drawn smaller.
float pagesPerViewFactor(int32_t pagesPerView)
{
    switch (pagesPerView) {
    case 2:
        return 0.66f;
    case 4:
        return 0.5f;
    case 8:
        return 0.25f;
    default:
        return 1.0f;
    }
}

// Draws what a page holds onto one surface: the watermark, the objects in
// the order they were added (a later object covers an earlier one) and the
// calendar. On paper it gives the print job a chance to stop after each object.
class TPageContentRenderer {
public:
    TPageContentRenderer(TDrawingSurface& surface, const TReport& report, int32_t pageNumber, RenderTarget target,
                         const PageTransform& transform, double screenPpi, IPrintProgress* progress = nullptr)
        : m_surface(surface)
        , m_report(report)
        , m_pageNumber(pageNumber)
        , m_page(report.page(pageNumber))
        , m_target(target)
        , m_transform(transform)
        , m_screenPpi(screenPpi)
        , m_progress(progress)
    {
    }

    // The preview's PictureJPEGSpeed: 0 full size, 1 half, 2 quarter, 3 eighth.
    void setJpegReduction(int32_t reduction) { m_jpegReduction = reduction; }

    // pageInches: the page's size as it lies on the surface.
    void draw(QSizeF pageInches)
    {
        if (!proceed())
            return;
        drawWatermark(m_surface, m_page.WaterMark, m_target, m_transform, pageInches);
        if (!drawObjects())
            return;
        drawCalendar(m_surface, m_report.Calendar, m_pageNumber, m_transform);
    }

private:
    // False once a running print job was aborted.
    bool proceed()
    {
        if (!m_progress)
            return true;
        m_progress->processMessages();
        return !m_progress->aborted();
    }

    // Every object is followed by one chance for the print job to stop.
    bool drawObjects()
    {
        for (int32_t i = 0; i < m_page.objectCount(); ++i) {
            drawObject(i);
            if (!proceed())
                return false;
        }
        return true;
    }

    void drawObject(int32_t index)
    {
        const TReportObject& object = m_page.Objects[index];
        const int32_t x = m_transform.x(object.HPos), y = m_transform.y(object.VPos);
        switch (object.ObjType) {
        case ObjType::Text:
        case ObjType::Field:
            drawTextObject(m_surface, m_report, m_pageNumber, index, m_transform, truncatedBox(object, x, y));
            break;
        case ObjType::Shape:
            drawShapeObject(m_surface, object, shapeBox(object, x, y), pens(object), drawerTarget(object));
            break;
        case ObjType::Arc:
        case ObjType::Chord:
        case ObjType::Pie:
            drawShapeObject(m_surface, object, roundedBox(object, x, y), pens(object), drawerTarget(object));
            break;
        case ObjType::Line:
            drawLineObject(m_surface, object, truncatedBox(object, x, y), pens(object), drawerTarget(object));
            break;
        case ObjType::Grid:
            drawGridObject(m_surface, object, truncatedBox(object, x, y), pens(object));
            break;
        case ObjType::BarCode:
            drawBarcodeObject(m_surface.painter(), object, truncatedBox(object, x, y), pens(object));
            break;
        case ObjType::Picture:
            drawPictureObject(m_surface, object, truncatedBox(object, x, y), pictureDrawing(object));
            break;
        case ObjType::Chart:
            drawChartObject(object, truncatedBox(object, x, y));
            break;
        default:
            // Annotations appear only in PDF output; empty slots draw nothing.
            break;
        }
    }

    // A placeholder whose chart record is missing shows an empty white chart.
    void drawChartObject(const TReportObject& object, const QRect& box)
    {
        const TDrawingSurface::TStateGuard guard(m_surface);
        if (const TChartObject* chart = chartAt(m_page, object.ChartIndex))
            drawChart(m_surface.painter(), *chart, box, pens(object));
        else if (!box.isEmpty())
            m_surface.fillArea(QRectF(box), Qt::white);
    }

    // Shapes are rounded to whole pixels, except on paper.
    QRect shapeBox(const TReportObject& object, int32_t x, int32_t y) const
    {
        if (m_target == RenderTarget::Print)
            return truncatedBox(object, x, y);
        return roundedBox(object, x, y);
    }

    QRect truncatedBox(const TReportObject& object, int32_t x, int32_t y) const
    {
        return QRect(x, y, m_transform.truncatedSize(object.Width), m_transform.truncatedSize(object.Height));
    }

    QRect roundedBox(const TReportObject& object, int32_t x, int32_t y) const
    {
        return QRect(x, y, m_transform.roundedSize(object.Width), m_transform.roundedSize(object.Height));
    }

    double pens(const TReportObject& object) const
    {
        return penScale(m_target, object.ObjType, m_transform, m_screenPpi);
    }

    // Only the preview decodes JPEG pictures at reduced size.
    TPictureDrawing pictureDrawing(const TReportObject& object) const
    {
        TPictureDrawing drawing;
        drawing.target = m_target;
        drawing.penScale = pens(object);
        drawing.jpegReduction = m_target == RenderTarget::Screen ? m_jpegReduction : 0;
        drawing.advancedImaging = m_report.GdiPlusAvailable;
        return drawing;
    }

    // Arcs, chords and pies in exported pictures are drawn as on the preview;
    // lines there use the canvas's own dash styles.
    DrawerTarget drawerTarget(const TReportObject& object) const
    {
        switch (m_target) {
        case RenderTarget::Screen:
            return DrawerTarget::Screen;
        case RenderTarget::Print:
            return DrawerTarget::Print;
        case RenderTarget::Export:
            break;
        }
        if (object.ObjType == ObjType::Line)
            return DrawerTarget::ExportCanvas;
        if (object.ObjType == ObjType::Shape)
            return DrawerTarget::Export;
        return DrawerTarget::Screen;
    }

    TDrawingSurface& m_surface;
    const TReport& m_report;
    const int32_t m_pageNumber;
    const TPageObject& m_page;
    const RenderTarget m_target;
    const PageTransform m_transform;
    const double m_screenPpi;
    IPrintProgress* m_progress;
    int32_t m_jpegReduction = 0;
};

PageTransform screenTransform(const TReport& report, const TScreenView& view)
{
    PageTransform transform;
    transform.devicePpi = static_cast<int32_t>(std::lround(view.screenPpi));
    transform.scale = static_cast<float>(view.zoomPercent / 100.0 * pagesPerViewFactor(report.ViewPagesPerSheet));
    transform.offsetX = report.PreviewOffsetX;
    transform.offsetY = report.PreviewOffsetY;
    return transform;
}

} // namespace

void paintScreenPage(QPainter& painter, const TReport& report, int32_t pageNumber, const TScreenView& view)
{
    if (!pageExists(report, pageNumber))
        return;
    TDrawingSurface surface(painter);
    const TPageObject& page = report.page(pageNumber);
    paintPaper(surface, report, page, view);
    TPageContentRenderer content(surface, report, pageNumber, RenderTarget::Screen, screenTransform(report, view),
                                 view.screenPpi);
    content.setJpegReduction(view.pictureJpegSpeed);
    content.draw(QSizeF(page.Width, page.Height));
    paintDesignGrid(surface, report, page, view);
    paintPrinterMargins(surface, report, page, view);
}

TPageDrawing::TPageDrawing(const TReport& report, int32_t pageNumber, double scale)
    : m_report(report)
    , m_pageNumber(pageNumber)
{
    if (!pageExists(report, pageNumber))
        return;
    const TPageObject& page = report.page(pageNumber);
    scale = roundToFourDecimals(scale);
    const double width = roundToFourDecimals(page.Width);
    const double height = roundToFourDecimals(page.Height);
    m_size = QSize(truncated(scale * kExportPpi * width), truncated(scale * kExportPpi * height));

    m_transform.devicePpi = kExportPpi;
    m_transform.scale = scale;
    m_transform.offsetX = report.PreviewOffsetX;
    m_transform.offsetY = report.PreviewOffsetY;
}

void TPageDrawing::play(QPainter& painter) const
{
    if (m_size.isEmpty())
        return;
    const TPageObject& page = m_report.page(m_pageNumber);
    TDrawingSurface surface(painter);
    TDrawingSurface::TStateGuard guard(surface);
    // Exported pages are always white paper.
    surface.fillArea(QRectF(QPointF(0, 0), QSizeF(m_size)), Qt::white);
    TPageContentRenderer(surface, m_report, m_pageNumber, RenderTarget::Export, m_transform, kExportPpi)
        .draw(QSizeF(page.Width, page.Height));
}

void renderPageForPrint(QPainter& painter, const TReport& report, int32_t pageNumber,
                        const TPrintPlacement& placement)
{
    if (!pageExists(report, pageNumber))
        return;
    const TPageObject& page = report.page(pageNumber);
    // Two and eight pages per sheet turn the sheet.
    const bool turned = placement.pagesPerSheet == 2 || placement.pagesPerSheet == 8;
    const QSizeF pageInches = turned ? QSizeF(page.Height, page.Width) : QSizeF(page.Width, page.Height);
    TDrawingSurface surface(painter);
    TPageContentRenderer(surface, report, pageNumber, RenderTarget::Print, placement.transform, placement.screenPpi,
                         placement.progress)
        .draw(pageInches);
}

} // namespace orv
