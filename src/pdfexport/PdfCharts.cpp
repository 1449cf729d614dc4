// Charts on PDF pages, as the report's PDF settings ask: a JPEG image of
// twice the box in points, or vector paths with real text drawn through the
// PDF painter. Both draw the chart as the preview does, at the resolution
// they give it.

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfPainter.h"
#include "pdfexport/PdfPageDrawers.h"
#include "codecs/ImageLimits.h"
#include "codecs/JpegCodec.h"
#include "charts/ChartDrawer.h"
#include "document/Report.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace orv {

namespace {

// Chart fonts and pens are sized for a chart at this many pixels an inch.
constexpr double kChartPixelsPerInch = 96;
constexpr int32_t kVectorCharts = 1;

void drawChartImage(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TChartObject& chart,
                    const TPdfPagePlacement::Box& box)
{
    const double width = std::trunc(box.width), height = std::trunc(box.height);
    if (!(width >= 1 && height >= 1))
        return;
    // Two pixels a point, and no more than a big picture may have: a chart
    // far larger than its page is drawn at less. A bitmap side JPEG cannot
    // hold leaves the chart empty rather than fail the page.
    constexpr double kLargestSide = 1 << 30;
    const QSize wanted(static_cast<int>(std::min(2 * width, kLargestSide)),
                       static_cast<int>(std::min(2 * height, kLargestSide)));
    const QSize pixels = decodedSize(wanted, {});
    constexpr int kLargestJpegSide = 65500;
    if (pixels.width() > kLargestJpegSide || pixels.height() > kLargestJpegSide)
        return;
    QImage bitmap(pixels, QImage::Format_RGB32);
    if (bitmap.isNull())
        return;
    bitmap.fill(Qt::white);
    {
        // The bitmap has more pixels an inch than the chart's own
        // resolution: its fonts and pens grow with it.
        const double pixelsPerPoint = pixels.width() / width;
        QPainter painter(&bitmap);
        drawChart(painter, chart, bitmap.rect(), place.scale * pixelsPerPoint * 72 / kChartPixelsPerInch);
    }
    TJpegOptions best;
    best.quality = 100;
    const std::string name = pdfExport.nextImageName();
    pdfExport.doc.addImage(name, createJpegImage(encodeJpeg(bitmap, best)));
    pdfExport.doc.canvas().drawXObject(std::trunc(box.x), place.mediaHeight - static_cast<float>(std::trunc(box.top) + height),
                                       static_cast<float>(width), static_cast<float>(height), name);
}

void drawChartVectors(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TChartObject& chart,
                      const TPdfPagePlacement::Box& box)
{
    const QSize pixels(static_cast<int>(std::lround(box.width * kChartPixelsPerInch / 72)),
                       static_cast<int>(std::lround(box.height * kChartPixelsPerInch / 72)));
    if (!isDecodableSize(pixels.width(), pixels.height()))
        return;
    TPdfPaintArea area;
    area.pageBox = QRectF(box.x, place.mediaHeight - (box.top + box.height), box.width, box.height);
    area.pixels = pixels;
    area.dotsPerInch = kChartPixelsPerInch;
    area.nextImageName = [&pdfExport] { return pdfExport.nextImageName(); };
    paintOnPdfCanvas(pdfExport.doc.canvas(), area, [&](QPainter& painter) {
        drawChart(painter, chart, QRect(QPoint(0, 0), pixels), place.scale);
    });
}

} // namespace

void drawPdfChart(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TChartObject& chart,
                  const TPdfPagePlacement::Box& box)
{
    if (pdfExport.report.PdfSetup.ChartMode == kVectorCharts)
        drawChartVectors(pdfExport, place, chart, box);
    else
        drawChartImage(pdfExport, place, chart, box);
}

} // namespace orv
