#include "pdfexport/PdfBarcode.h"

#include "pdf/PdfCanvas.h"
#include "barcodes/Barcode.h"

namespace orv {

void drawPdfBarcode(TPdfCanvas& canvas, TAsBarcode& barcode, double pageHeight)
{
    canvas.setLineWidth(0.4f);
    canvas.setDashPattern({}, 0);
    canvas.setLineCap(0);
    canvas.setLineJoin(0);
    for (const TAsBarcode::Element& element : barcode.elements()) {
        const auto colour = static_cast<int32_t>(element.bar ? barcode.ColorBar : barcode.Color);
        canvas.setRGBFillColor(colour);
        canvas.setRGBStrokeColor(colour);
        const auto& corners = element.corners;
        canvas.moveTo(static_cast<float>(corners[0].x()), static_cast<float>(pageHeight - corners[0].y()));
        for (size_t i = 1; i < corners.size(); ++i)
            canvas.lineTo(static_cast<float>(corners[i].x()), static_cast<float>(pageHeight - corners[i].y()));
        canvas.closeFillStrokeEvenOdd();
    }
}

} // namespace orv
