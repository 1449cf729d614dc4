#include "document/GraphicObjects.h"

#include "document/BarcodeTypes.h"
#include "platform/ClipboardPicture.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace orv {

namespace {

uint8_t lowByte(int32_t value) { return static_cast<uint8_t>(value); }

int16_t lowWord(int32_t value) { return static_cast<int16_t>(value); }

void start(TReportObject& object, char type, std::string name, TObjectPlace place)
{
    object.ObjType = type;
    object.Name = std::move(name);
    object.HPos = place.HPos;
    object.VPos = place.VPos;
    object.Width = place.Width;
    object.Height = place.Height;
}

// Pen and fill colours go into both the record's colour pairs.
void applyFigureStyle(TReportObject& object, const TFigureStyle& style)
{
    object.ForeColor = object.PenColor = static_cast<Colour>(style.PenColor);
    object.BackColor = object.FillColor = static_cast<Colour>(style.FillColor);
    object.FillStyle = lowByte(style.FillStyle);
    object.BackStyle = lowByte(style.BackStyle);
    object.BorderStyle = lowByte(style.BorderStyle);
    object.BorderWidth = lowByte(style.BorderWidth);
    object.AlphaLevel = lowByte(style.AlphaLevel);
}

} // namespace

TObjectPlace TObjectPlace::fromInches(float hPos, float vPos, float width, float height)
{
    return {storedUnits(hPos), storedUnits(vPos), storedUnits(width), storedUnits(height)};
}

TObjectPlace TObjectPlace::fromCurrency(Currency hPos, Currency vPos, Currency width, Currency height)
{
    return {storedUnits(hPos), storedUnits(vPos), storedUnits(width), storedUnits(height)};
}

void fillShape(TReportObject& object, std::string name, TObjectPlace place, const TFigureStyle& style,
               int32_t curvature, int32_t shapeStyle)
{
    start(object, ObjType::Shape, std::move(name), place);
    applyFigureStyle(object, style);
    object.Curvature = lowByte(curvature);
    object.ShapeStyle = lowByte(shapeStyle);
}

void fillLine(TReportObject& object, std::string name, TObjectPlace place, const TLineStyle& style)
{
    start(object, ObjType::Line, std::move(name), place);
    object.ForeColor = object.PenColor = static_cast<Colour>(style.PenColor);
    object.FillColor = static_cast<Colour>(style.FillColor);
    object.BorderWidth = lowByte(style.PenWidth);
    object.FillStyle = object.BorderStyle = lowByte(style.PenStyle);
    object.BackStyle = lowByte(style.BackStyle);
}

void fillArcFigure(TReportObject& object, char type, std::string name, TObjectPlace place, int32_t startAngle,
                   int32_t sweepAngle, const TFigureStyle& style)
{
    if (type != ObjType::Arc && type != ObjType::Chord && type != ObjType::Pie)
        throw std::invalid_argument(std::string("Not an arc, chord or pie type: ") + type);
    start(object, type, std::move(name), place);
    object.StartAngle = static_cast<float>(startAngle);
    object.SweepAngle = static_cast<float>(sweepAngle);
    applyFigureStyle(object, style);
    if (type == ObjType::Arc) {
        object.FillStyle = storedStyle(TFillStyle::Hollow);
        object.BackStyle = storedStyle(TBackStyle::Transparent);
    }
}

void fillGrid(TReportObject& object, std::string name, TObjectPlace place, const TGridStyle& style)
{
    start(object, ObjType::Grid, std::move(name), place);
    object.Columns = lowWord(style.Columns);
    object.Rows = lowWord(style.Rows);
    object.ForeColor = object.PenColor = static_cast<Colour>(style.PenColor);
    object.BackColor = object.FillColor = static_cast<Colour>(style.FillColor);
    object.FillStyle = lowByte(style.FillStyle);
    object.BorderStyle = lowByte(style.BorderStyle);
    object.BorderWidth = lowByte(style.BorderWidth);
}

void fillPicture(TReportObject& object, std::string name, std::string fileName, TObjectPlace place,
                 int32_t imageScaling, int32_t flags, int32_t frame)
{
    start(object, ObjType::Picture, std::move(name), place);
    object.Text = std::move(fileName);
    object.ImageScaling = lowByte(imageScaling);
    object.ImageFlags = lowByte(flags);
    object.LineCount = lowWord(frame);
}

void fillBarCode(TReportObject& object, std::string name, std::string data, int32_t interfaceType, TObjectPlace place,
                 int32_t barColor, int32_t rotationAngle)
{
    start(object, ObjType::BarCode, std::move(name), place);
    object.Text = std::move(data);
    object.BarCodeType = static_cast<uint8_t>(barcodeTypeOf(interfaceType));
    object.ForeColor = static_cast<Colour>(barColor);
    object.RotationAngle = lowWord(rotationAngle);
}

void fillAnnotation(TReportObject& object, std::string name, std::string content, TObjectPlace place,
                    int32_t borderWidth)
{
    start(object, ObjType::Annotation, std::move(name), place);
    object.Text = std::move(content);
    object.IsAnnotation = 1;
    object.BorderWidth = lowByte(borderWidth);
}

int32_t addChart(TPageObject& page, std::string name, int32_t chartType, TObjectPlace place)
{
    // The placeholder keeps the chart's number in one byte; a wrapped number
    // would make it draw another chart's data, or none that exists.
    if (page.Charts.size() >= std::numeric_limits<uint8_t>::max())
        throw std::length_error("A page holds at most 255 charts");
    page.Charts.emplace_back(lowByte(chartType));
    const auto number = static_cast<int32_t>(page.Charts.size());
    TReportObject& placeholder = page.Objects.emplace_back();
    start(placeholder, ObjType::Chart, std::move(name), place);
    placeholder.ChartType = lowByte(chartType);
    placeholder.ChartIndex = lowByte(number);
    return number;
}

TChartObject* chartAt(TPageObject& page, int32_t n)
{
    return const_cast<TChartObject*>(chartAt(std::as_const(page), n));
}

const TChartObject* chartAt(const TPageObject& page, int32_t n)
{
    if (n < 1 || static_cast<size_t>(n) > page.Charts.size())
        return nullptr;
    return &page.Charts[static_cast<size_t>(n) - 1];
}

void addClipboardPicture(TTempFiles& tempFiles, TPageObject& page, const TClipboardPicture& picture, std::string name,
                         TObjectPlace place, int32_t imageScaling)
{
    std::string path = tempFiles.createInCurrentDirectory(picture.extension());
    picture.saveTo(path);
    fillPicture(page.Objects.emplace_back(), std::move(name), std::move(path), place, imageScaling, 0, 0);
}

} // namespace orv
