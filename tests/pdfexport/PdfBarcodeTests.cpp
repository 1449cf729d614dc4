// Barcodes painted into PDF pages, rendered by poppler and read by zbar.
#include "pdfexport/PdfBarcode.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "barcodes/Barcode.h"

#include "pdf/PdfTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace orv;
using pdftest::runTool;
using pdftest::TScratchDir;

namespace {

TAsBarcode barcode(TBarcodeType type, const std::string& data, double left, double top, double angle = 0)
{
    TAsBarcode code;
    code.Typ = type;
    code.Text = data;
    code.setModul(2);
    code.Height = 60;
    code.Left = left;
    code.Top = top;
    code.Angle = angle;
    code.ColorBar = 0x400000; // dark blue bars
    return code;
}

} // namespace

TEST(PdfBarcode, RenderedPagesDecode)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.startDocument();
    doc.addPage();
    TPdfCanvas& canvas = doc.canvas();
    TAsBarcode ean = barcode(TBarcodeType::Ean13, "5901234123457", 72, 72);
    TAsBarcode turned = barcode(TBarcodeType::Code128B, "Turned", 72, 300, 90);
    TAsBarcode upside = barcode(TBarcodeType::Code39, "UPSIDE", 300, 300, 180);
    for (TAsBarcode* code : {&ean, &turned, &upside})
        drawPdfBarcode(canvas, *code, canvas.mediaBoxHeight());

    TScratchDir dir;
    const QString pdf = dir.write("codes.pdf", doc.save());
    ASSERT_EQ(runTool("qpdf", {"--check", pdf}).exitCode, 0);
    ASSERT_EQ(runTool("pdftoppm", {"-r", "150", "-png", "-singlefile", pdf, dir.path("page")}).exitCode, 0);
    const std::string found = runTool("zbarimg", {"--nodbus", "-q", dir.path("page.png")}).out;
    EXPECT_NE(found.find("EAN-13:5901234123457"), std::string::npos) << found;
    EXPECT_NE(found.find("CODE-128:Turned"), std::string::npos) << found;
    EXPECT_NE(found.find("CODE-39:UPSIDE"), std::string::npos) << found;

    // The bars take the bar colour (0x400000 is dark blue).
    const QImage page(dir.path("page.png"));
    ASSERT_FALSE(page.isNull());
    int blueBarPixels = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2) {
            const QRgb p = page.pixel(x, y);
            if (qBlue(p) > 40 && qRed(p) < 20 && qGreen(p) < 20)
                ++blueBarPixels;
        }
    EXPECT_GT(blueBarPixels, 100);
}
