#include "barcodes/Barcode.h"

#include "barcodes/Symbology.h"
#include "document/ReportObject.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <stdexcept>

namespace orv {

void TAsBarcode::setModul(int32_t modul)
{
    if (modul >= 1 && modul <= 49)
        m_modul = modul;
}

void TAsBarcode::setWidth(double requested)
{
    m_requestedWidth = roundToFourDecimals(requested);
    const double natural = width();
    if (natural > 0) {
        const auto modul = static_cast<int32_t>(std::trunc(m_modul * m_requestedWidth / natural));
        setModul(modul);
    }
}

double TAsBarcode::width() const
{
    return naturalWidth(encode());
}

double TAsBarcode::widthRatio() const
{
    const double natural = width();
    return natural == 0 ? 1 : m_requestedWidth / natural;
}

void TAsBarcode::setWidthRatio(double ratio)
{
    m_widthRatio = roundToFourDecimals(ratio);
}

std::string TAsBarcode::encode() const
{
    const barcodes::TSymbology& symbology = barcodes::symbologyOf(Typ);
    return symbology.encode(symbology.data(Text));
}

std::string TAsBarcode::encodedText() const
{
    return barcodes::symbologyOf(Typ).data(Text);
}

double TAsBarcode::ratio() const
{
    return barcodes::symbologyOf(Typ).ratio.applied(Ratio);
}

double TAsBarcode::elementWidth(char code, double ratio) const
{
    const double w1 = roundToFourDecimals(m_modul * ratio);
    switch (code) {
    case '0':
    case '5':
    case 'A':
        return m_modul;
    case '1':
    case '6':
    case 'B':
        return w1;
    case '2':
    case '7':
    case 'C':
        return roundToFourDecimals(1.5 * w1);
    case '3':
    case '8':
    case 'D':
        return roundToFourDecimals(2 * w1);
    default:
        throw std::logic_error("TAsBarcode: internal Error");
    }
}

double TAsBarcode::naturalWidth(const std::string& codes) const
{
    const double r = ratio();
    double total = 0;
    for (char code : codes)
        total += elementWidth(code, r);
    return total;
}

// A requested width is met exactly; otherwise the width ratio, when set,
// stretches the natural width.
double TAsBarcode::stretch(double natural) const
{
    if (m_requestedWidth > 0 && natural > 0)
        return m_requestedWidth / natural;
    return m_widthRatio != 0 ? m_widthRatio : 1;
}

// Where the symbol's unrotated top-left corner goes so that the bounding
// box of the drawn symbol, turned by Angle, has its top-left corner at
// (Left, Top). The drawn width counts, so a stretched symbol lands in place
// whatever its natural width in the surface's units.
QPointF TAsBarcode::rotatedOrigin(double drawnWidth) const
{
    const double radians = Angle * M_PI / 180;
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    const double w = drawnWidth;
    const double h = Height;
    QPointF origin(Left, Top);
    if (s >= 0 && c >= 0)
        origin += QPointF(0, s * w);
    else if (s >= 0)
        origin += QPointF(-c * w, s * w - c * h);
    else if (c >= 0)
        origin += QPointF(-s * h, 0);
    else
        origin += QPointF(-c * w - s * h, -c * h);
    return origin;
}

std::vector<TAsBarcode::Element> TAsBarcode::elements() const
{
    const std::string codes = encode();
    const double r = ratio();
    const double natural = naturalWidth(codes);
    const double f = stretch(natural);
    const QPointF origin = rotatedOrigin(natural * f);
    const double radians = Angle * M_PI / 180;
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    auto rotated = [&](double u, double v) { return origin + QPointF(c * u + s * v, -s * u + c * v); };

    // Short bars are 2/5 of the height, hanging from the top except for
    // PostNet, whose bars stand on the baseline.
    const double shortHeight = std::round(0.4 * Height);
    const bool onBaseline = Typ == TBarcodeType::PostNet;
    std::vector<Element> result;
    result.reserve(codes.size());
    double x = 0;
    for (char code : codes) {
        const double e = elementWidth(code, r) * f;
        const bool isShort = code >= 'A' && code <= 'D';
        const double y0 = isShort && onBaseline ? Height - shortHeight : 0;
        const double y1 = isShort && !onBaseline ? shortHeight : Height;
        Element element;
        element.bar = code >= '5';
        element.corners = {rotated(x, y0), rotated(x, y1), rotated(x + e, y1), rotated(x + e, y0)};
        result.push_back(element);
        x += e;
    }
    return result;
}

void TAsBarcode::draw(QPainter& painter) const
{
    const QColor bars(ColorBar & 0xFF, (ColorBar >> 8) & 0xFF, (ColorBar >> 16) & 0xFF);
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const Element& element : elements()) {
        painter.setBrush(element.bar ? bars : QColor(Qt::white));
        // The polygon of the rotated corners: exact at every angle.
        painter.drawPolygon(QPolygonF({element.corners[0], element.corners[1], element.corners[2], element.corners[3]}));
    }
    painter.restore();
}

TAsBarcode barcodeOfObject(const TReportObject& object, const QRectF& box, double widthRatio)
{
    TAsBarcode code;
    code.Angle = object.RotationAngle;
    code.Typ = object.BarCodeType < kBarcodeTypeCount ? static_cast<TBarcodeType>(object.BarCodeType)
                                                       : TBarcodeType::PostNet;
    code.ColorBar = object.ForeColor;
    code.Text = object.Text;
    code.Left = box.x();
    code.Top = box.y();
    if (box.width() != 0)
        code.setWidth(box.width());
    else
        code.setWidthRatio(widthRatio);
    code.Height = box.height();
    return code;
}

void drawBarcodeObject(QPainter& painter, const TReportObject& object, const QRect& box, double penScale)
{
    barcodeOfObject(object, QRectF(box), penScale).draw(painter);
}

} // namespace orv
