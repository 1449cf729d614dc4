#include "pdfexport/PdfBarcode.h"

#include "pdf/PdfCanvas.h"
#include "barcodes/Barcode.h"

namespace orv {

void drawPdfBarcode(TPdfCanvas& canvas, const TAsBarcode& barcode, double pageHeight)
{
    for (const TAsBarcode::Element& element : barcode.elements()) {
        canvas.setRGBFillColor(static_cast<int32_t>(element.bar ? barcode.ColorBar : barcode.Color));
        const auto& corners = element.corners;
        canvas.moveTo(static_cast<float>(corners[0].x()), static_cast<float>(pageHeight - corners[0].y()));
        for (size_t i = 1; i < corners.size(); ++i)
            canvas.lineTo(static_cast<float>(corners[i].x()), static_cast<float>(pageHeight - corners[i].y()));
        canvas.fill(); // closes the path
    }
}

} // namespace orv
