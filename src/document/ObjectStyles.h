#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

// The style codes of a report object, by name. An object keeps each code as
// the one byte the host passed (so a value without a name stays what it
// was); the drawers read it back through TReportObject's readers and decide
// what an unnamed value draws.

// Object type codes, one character per report object.
namespace ObjType {
enum TCode : char {
    Text = 'T',
    Field = 'F',
    Shape = 'S',
    Line = 'L',
    Arc = '1',
    Chord = '2',
    Pie = '3',
    Grid = 'G',
    Picture = 'I',
    BarCode = 'B',
    Chart = 'C',
    Annotation = 'A',
};
} // namespace ObjType

// Fill of a shape, chord, pie or grid. The hatches come in the platform's
// hatch order, starting at Horizontal.
enum class TFillStyle : uint8_t {
    ByBackStyle = 0, // solid when the back style is transparent, hollow when it is opaque
    Hollow = 1,
    Horizontal = 2,
    Vertical = 3,
    ForwardDiagonal = 4,
    BackwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
    Solid = 8,
};

constexpr bool isHatch(TFillStyle style)
{
    return style >= TFillStyle::Horizontal && style <= TFillStyle::DiagonalCross;
}

// 0 horizontal ... 5 diagonal cross, for a hatch fill.
constexpr int32_t hatchCode(TFillStyle style)
{
    return static_cast<int32_t>(style) - static_cast<int32_t>(TFillStyle::Horizontal);
}

// Pen of an outline (BorderStyle) or of a line (its pen style, kept in both
// FillStyle and BorderStyle).
enum class TPenStyle : uint8_t {
    None = 0,
    Dot = 1,
    Dash = 2,
    DashDot = 3,
    DashDotDot = 4,
    Solid = 8,
};

constexpr bool isDashed(TPenStyle style)
{
    return style >= TPenStyle::Dot && style <= TPenStyle::DashDotDot;
}

// 0 dot ... 3 dash-dot-dot, for a dashed pen.
constexpr size_t dashIndex(TPenStyle style)
{
    return static_cast<size_t>(style) - static_cast<size_t>(TPenStyle::Dot);
}

// Which edges of a shape are drawn; styles past OpenTop draw nothing.
enum class TShapeStyle : uint8_t {
    Closed = 0,    // the whole outline
    OpenBottom = 1, // top, left and right
    SidesOnly = 2,  // left and right
    OpenTop = 3,    // left, right and bottom
};

constexpr bool isOpenBox(TShapeStyle style)
{
    return style >= TShapeStyle::OpenBottom && style <= TShapeStyle::OpenTop;
}

// A curvature that makes a shape an ellipse rather than a rounded rectangle.
inline constexpr uint8_t kEllipseCurvature = 99;

// Background of a text or field, and of a shape with fill ByBackStyle.
enum class TBackStyle : uint8_t {
    Transparent = 0,
    Opaque = 1,
};

enum class TTextMode : uint8_t {
    Wrapped = 0,       // lines as laid out when the text was added
    OwnLineBreaks = 5, // lines are the text's own, split at its line breaks
};

// Horizontal alignment of a text or field (and of a chart title).
enum class TTextAlignment : uint8_t {
    Left = 0,
    Right = 1,
    Centre = 2,
    Justified = 3,
};

// What a text does with a line wider than its box.
enum class TTrimming : uint8_t {
    None = 0,
    Character = 1,
    Word = 2,
    EllipsisCharacter = 3,
    EllipsisWord = 4,
    EllipsisPath = 5,
};

enum class TLineSpacing : uint8_t {
    Single = 0,
    OneAndAHalf = 1,
    Double = 2,
};

// How a picture meets its box.
enum class TImageScaling : uint8_t {
    ActualSize = 0,
    FitProportionally = 1, // anchored at the top-left corner
    Stretch = 2,
};

// A named code as the byte an object stores.
template <typename Code>
constexpr uint8_t storedStyle(Code code)
{
    return static_cast<uint8_t>(code);
}

} // namespace orv
