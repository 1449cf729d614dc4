#pragma once

#include "document/Units.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Object type codes, one character per report object.
namespace ObjType {
inline constexpr char Text = 'T';
inline constexpr char Field = 'F';
inline constexpr char Shape = 'S';
inline constexpr char Line = 'L';
inline constexpr char Arc = '1';
inline constexpr char Chord = '2';
inline constexpr char Pie = '3';
inline constexpr char Grid = 'G';
inline constexpr char Picture = 'I';
inline constexpr char BarCode = 'B';
inline constexpr char Chart = 'C';
inline constexpr char Annotation = 'A';
} // namespace ObjType

// One report object: a plain record that the page owns. Positions and sizes
// are whole ten-thousandths of an inch (see storedUnits); which fields an
// object uses depends on its type code.
struct TReportObject {
    char ObjType = 0;
    std::string Name;
    std::string Text;
    std::string Format;
    std::vector<int16_t> LineEnds; // 1-based character index ending each laid-out line
    uint8_t TextMode = 0;          // 5: the text keeps its own line breaks
    uint8_t IsAnnotation = 0;
    char DataType = 0;
    uint8_t ShapeStyle = 0;
    uint8_t BarCodeType = 0;
    uint8_t ChartType = 0;
    uint8_t ChartIndex = 0;
    uint8_t Found = 0;
    float HPos = 0, VPos = 0, Width = 0, Height = 0;
    float StartAngle = 0, SweepAngle = 0;
    float EndX = 0, EndY = 0;
    int16_t Columns = 0, Rows = 0;
    float LineHeight = 0; // inches, not ten-thousandths
    uint8_t Alignment = 0;
    uint8_t TrimmingStyle = 0;
    int32_t FontIndex = 0;
    uint8_t LineSpacing = 0;
    int16_t FontSize = 0;
    Colour ForeColor = 0;
    Colour BackColor = 0;
    uint8_t AlphaLevel = 0;
    int16_t RotationAngle = 0;
    Colour PenColor = 0;
    Colour FillColor = 0;
    uint8_t FillStyle = 0;
    uint8_t BackStyle = 0;
    uint8_t BorderStyle = 0;
    uint8_t BorderWidth = 0;
    uint8_t Curvature = 0;
    char SubType = 0;
    uint8_t ImageScaling = 0;
    uint8_t ImageFlags = 0;
    int16_t LineCount = 0;
};

// The watermark of one page: a rotated text drawn under the page's objects.
struct TWaterMarkObject {
    std::string Text; // empty: no watermark
    std::string FontName = "Arial";
    int32_t FontSize = 90;
    Colour ForeColor = 0xC0C0C0;
    Colour BackColor = 0;
    std::string FontStyle; // style letters, upper-case
    bool Italic = false, Bold = false, Underline = false, StrikeOut = false;
    int32_t BackMode = 0;
    int32_t RotationAngle = 45;
};

} // namespace orv
