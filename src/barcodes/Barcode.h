#pragma once

#include "document/BarcodeTypes.h"
#include "document/Units.h"

#include <QPointF>
#include <QRect>
#include <QRectF>

#include <array>
#include <string>
#include <vector>

class QPainter;

namespace orv {

// Turns data into the bars and spaces of one of 23 linear symbologies and
// paints them, rotated by any angle. The symbol is first encoded into a
// string of width codes: "0".."3" spaces and "5".."8" bars of widths w0..w3,
// "A".."D" short bars (2/5 of the height), where w0 = Modul, w1 = Modul x
// Ratio, w2 = 1.5 x w1 and w3 = 2 x w1. Lengths are in the units of the
// surface the barcode is painted on.
class TAsBarcode {
public:
    // One element of the painted symbol: its four corners after rotation.
    struct Element {
        std::array<QPointF, 4> corners;
        bool bar = false;
    };

    TBarcodeType Typ = TBarcodeType::Ean13;
    std::string Text;
    double Left = 0;
    double Top = 0;
    double Height = 0;
    double Ratio = 2.0;
    double Angle = 0; // degrees, counter-clockwise
    Colour Color = 0xFFFFFF;
    Colour ColorBar = 0;

    int32_t modul() const { return m_modul; }
    // Only 1 to 49 are taken.
    void setModul(int32_t modul);
    // Asks for a total width: the symbol is stretched to it exactly, and
    // Modul becomes Trunc(Modul x requested / natural) when that is 1..49.
    void setWidth(double requested);
    // The natural width: the sum of the element widths.
    double width() const;
    double widthRatio() const;
    void setWidthRatio(double ratio);

    // The width codes of the symbol. Reading them changes nothing: Text
    // and Ratio stay as set.
    std::string encode() const;
    // The data the symbol carries: Text without the characters the
    // symbology cannot show, numbers filled with leading zeros.
    std::string encodedText() const;
    // The wide-to-narrow ratio drawn: Ratio held to the symbology's range.
    double ratio() const;

    // The painted elements, in order, with the stretch, rotation and
    // position applied.
    std::vector<Element> elements() const;

    // Paints the symbol: bars in ColorBar, spaces in white.
    void draw(QPainter& painter) const;

private:
    double elementWidth(char code, double ratio) const;
    double naturalWidth(const std::string& codes) const;
    double stretch(double natural) const;
    QPointF rotatedOrigin(double drawnWidth) const;

    int32_t m_modul = 1;
    double m_requestedWidth = 0;
    double m_widthRatio = 0;
};

struct TReportObject;

// A painter (Modul 1, default ratio) loaded with a barcode object's angle,
// symbology, bar colour and data, placed in `box` in the units of the
// surface it will paint on; a box width of 0 keeps the natural width
// stretched by `widthRatio`.
TAsBarcode barcodeOfObject(const TReportObject& object, const QRectF& box, double widthRatio);

// The barcode step of the page renderer: the object's barcode painted in
// `box` (device pixels), a natural width stretched by `penScale`.
void drawBarcodeObject(QPainter& painter, const TReportObject& object, const QRect& box, double penScale);

} // namespace orv
