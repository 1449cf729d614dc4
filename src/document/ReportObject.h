#pragma once

#include "document/LineEnds.h"
#include "document/ObjectStyles.h"
#include "document/Units.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// One report object: a plain record that the page owns. Positions and sizes
// are whole ten-thousandths of an inch (see storedUnits); which fields an
// object uses depends on its type code. The style codes are stored as given;
// the readers name them (ObjectStyles.h).
struct TReportObject {
    // Fields are grouped by size, so that a page of many objects wastes no
    // padding.
    std::string Name;
    std::string Text;
    std::string Format;
    TLineEnds LineEnds; // 1-based character index ending each laid-out line
    float HPos = 0, VPos = 0, Width = 0, Height = 0;
    float StartAngle = 0, SweepAngle = 0;
    float EndX = 0, EndY = 0;
    float LineHeight = 0; // inches, not ten-thousandths
    int32_t FontIndex = 0;
    Colour ForeColor = 0;
    Colour BackColor = 0;
    Colour PenColor = 0;
    Colour FillColor = 0;
    int16_t Columns = 0, Rows = 0;
    int16_t FontSize = 0;
    int16_t RotationAngle = 0;
    int16_t LineCount = 0;
    char ObjType = 0;
    uint8_t TextMode = 0;
    uint8_t IsAnnotation = 0;
    char DataType = 0;
    uint8_t ShapeStyle = 0;
    uint8_t BarCodeType = 0;
    uint8_t ChartType = 0;
    uint8_t ChartIndex = 0;
    uint8_t Found = 0;
    uint8_t Alignment = 0;
    uint8_t TrimmingStyle = 0;
    uint8_t LineSpacing = 0;
    uint8_t AlphaLevel = 0;
    uint8_t FillStyle = 0;
    uint8_t BackStyle = 0;
    uint8_t BorderStyle = 0;
    uint8_t BorderWidth = 0;
    uint8_t Curvature = 0;
    char SubType = 0;
    uint8_t ImageScaling = 0;
    uint8_t ImageFlags = 0;

    TTextMode textMode() const { return static_cast<TTextMode>(TextMode); }
    TTextAlignment alignment() const { return static_cast<TTextAlignment>(Alignment); }
    // Unknown trimming styles trim at words.
    TTrimming trimming() const
    {
        return TrimmingStyle > storedStyle(TTrimming::EllipsisPath) ? TTrimming::Word
                                                                     : static_cast<TTrimming>(TrimmingStyle);
    }
    TLineSpacing lineSpacing() const { return static_cast<TLineSpacing>(LineSpacing); }
    TBackStyle backStyle() const { return static_cast<TBackStyle>(BackStyle); }
    TShapeStyle shapeStyle() const { return static_cast<TShapeStyle>(ShapeStyle); }
    TFillStyle fillStyle() const { return static_cast<TFillStyle>(FillStyle); }
    TPenStyle borderStyle() const { return static_cast<TPenStyle>(BorderStyle); }
    TImageScaling imageScaling() const { return static_cast<TImageScaling>(ImageScaling); }
    bool isEllipse() const { return Curvature == kEllipseCurvature; }
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
