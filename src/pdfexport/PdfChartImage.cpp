// Charts on PDF pages: the chart is drawn into a bitmap of twice its box in
// points, which travels as a JPEG image of the best quality.

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImage.h"
#include "pdfexport/PdfPageDrawers.h"
#include "codecs/ImageLimits.h"
#include "codecs/JpegCodec.h"
#include "charts/ChartDrawer.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace orv {

void drawPdfChart(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TChartObject& chart,
                  const TPdfPagePlacement::Box& box)
{
    const auto x = static_cast<int32_t>(std::trunc(box.x));
    const auto top = static_cast<int32_t>(std::trunc(box.top));
    const auto width = static_cast<int32_t>(std::trunc(box.width));
    const auto height = static_cast<int32_t>(std::trunc(box.height));
    // A box too large to hold as a bitmap is left empty rather than
    // exhaust memory.
    if (!isDecodableSize(2 * int64_t(width), 2 * int64_t(height)))
        return;
    QImage bitmap(2 * width, 2 * height, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        drawChart(painter, chart, bitmap.rect(), place.scale);
    }
    TJpegOptions best;
    best.quality = 100;
    const std::string name = pdfExport.nextImageName();
    pdfExport.doc.addImage(name, createJpegImage(encodeJpeg(bitmap, best)));
    pdfExport.doc.canvas().drawXObject(static_cast<float>(x), place.mediaHeight - static_cast<float>(top + height),
                                       static_cast<float>(width), static_cast<float>(height), name);
}

} // namespace orv
