#pragma once

#include "document/Page.h"
#include "document/TempFiles.h"

#include <cstdint>
#include <string>

namespace orv {

class TClipboardPicture;

// Filling the records of the non-text report objects from the interface's
// arguments. Nothing is validated: every code and colour is kept for the
// drawers to interpret. One-byte fields keep the low 8 bits of an argument,
// 16-bit fields its low 16 bits.

// Where an object stands on its page, in stored units.
struct TObjectPlace {
    float HPos = 0, VPos = 0, Width = 0, Height = 0;

    static TObjectPlace fromInches(float hPos, float vPos, float width, float height);
    static TObjectPlace fromCurrency(Currency hPos, Currency vPos, Currency width, Currency height);
};

// Pen, fill and outline of a shape, arc, chord or pie.
struct TFigureStyle {
    int32_t PenColor = 0;
    int32_t FillColor = 0;
    int32_t FillStyle = 0;
    int32_t BackStyle = 0;
    int32_t BorderStyle = 0;
    int32_t BorderWidth = 0;
    int32_t AlphaLevel = 0;
};

struct TLineStyle {
    int32_t PenColor = 0;
    int32_t PenWidth = 0;
    int32_t PenStyle = 0;
    int32_t FillColor = 0;
    int32_t BackStyle = 0;
};

struct TGridStyle {
    int32_t Columns = 0;
    int32_t Rows = 0;
    int32_t PenColor = 0;
    int32_t BorderWidth = 0;
    int32_t FillColor = 0;
    int32_t BorderStyle = 0;
    int32_t FillStyle = 0;
};

void fillShape(TReportObject& object, std::string name, TObjectPlace place, const TFigureStyle& style,
               int32_t curvature, int32_t shapeStyle);
// The pen style goes into both FillStyle and BorderStyle, the pen width into
// BorderWidth; a line has no back colour.
void fillLine(TReportObject& object, std::string name, TObjectPlace place, const TLineStyle& style);
// type is ObjType::Arc, Chord or Pie. An arc is an open curve: it always
// gets FillStyle 1 and BackStyle 0, whatever the style says.
void fillArcFigure(TReportObject& object, char type, std::string name, TObjectPlace place, int32_t startAngle,
                   int32_t sweepAngle, const TFigureStyle& style);
void fillGrid(TReportObject& object, std::string name, TObjectPlace place, const TGridStyle& style);
// frame: the page of a multi-page image.
void fillPicture(TReportObject& object, std::string name, std::string fileName, TObjectPlace place,
                 int32_t imageScaling, int32_t flags, int32_t frame);
// interfaceType is translated into the painter's symbology (see BarcodeTypes.h).
void fillBarCode(TReportObject& object, std::string name, std::string data, int32_t interfaceType, TObjectPlace place,
                 int32_t barColor, int32_t rotationAngle);
void fillAnnotation(TReportObject& object, std::string name, std::string content, TObjectPlace place,
                    int32_t borderWidth);

// Appends a chart placeholder object and a new chart of the type (with one
// series of that type) to the page; returns the chart's 1-based number.
// Refuses a chart beyond the 255 that a placeholder can number.
int32_t addChart(TPageObject& page, std::string name, int32_t chartType, TObjectPlace place);

// Chart n (1-based) of the page; null for any number without a chart.
TChartObject* chartAt(TPageObject& page, int32_t n);
const TChartObject* chartAt(const TPageObject& page, int32_t n);

// Saves a clipboard picture as a new temporary file and appends a picture
// object showing it to the page.
void addClipboardPicture(TTempFiles& tempFiles, TPageObject& page, const TClipboardPicture& picture, std::string name,
                         TObjectPlace place, int32_t imageScaling);

} // namespace orv
