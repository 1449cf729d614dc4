#pragma once

namespace orv {

class TAsBarcode;
class TPdfCanvas;

// Paints a barcode on a PDF page with the geometry it has on a canvas, in
// PDF units with y measured from the page's bottom edge. Each element is
// filled as the closed path through its four rotated corners, with no
// outline, so every bar and space is exactly as wide as on the screen: bars
// in the bar colour, spaces in the space colour.
void drawPdfBarcode(TPdfCanvas& canvas, const TAsBarcode& barcode, double pageHeight);

} // namespace orv
