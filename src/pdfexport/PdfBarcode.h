#pragma once

namespace orv {

class TAsBarcode;
class TPdfCanvas;

// Paints a barcode on a PDF page with the geometry it has on a canvas, in
// PDF units with y measured from the page's bottom edge. Each element is a
// closed path through its four rotated corners, filled and stroked
// (even-odd) with a 0.4 unit solid line, butt caps and mitre joins: bars in
// the bar colour, spaces in the space colour.
void drawPdfBarcode(TPdfCanvas& canvas, TAsBarcode& barcode, double pageHeight);

} // namespace orv
