#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class TReport;

// What text objects and report fields share: name, box, font, colours,
// rotation, back style, alignment, sub type and alpha. A missing optional
// text argument is nullopt.
struct TTextLook {
    std::string name;
    float hPos = 0, vPos = 0, width = 0, height = 0;
    std::optional<std::string> fontName;
    int32_t fontSize = 0;
    int32_t foreColor = 0;
    int32_t backColor = 0;
    std::optional<std::string> fontStyle;
    int32_t rotationAngle = 0;
    int32_t backStyle = 0;
    int32_t alignment = 0;
    std::optional<std::string> subType;
    int32_t alphaLevel = 255;
};

// The arguments of AddText.
struct TTextArguments : TTextLook {
    std::string text;
    int32_t trimmingStyle = 2;
    int32_t lineSpacing = 0;
};

// The arguments of AddReportField.
struct TFieldArguments : TTextLook {
    std::string expression;
    std::optional<std::string> picture;
    std::optional<std::string> dataType;
};

// Appends a text object to the draw page and lays its text out into lines
// at once, so every renderer and the search draw from the same breaks.
void addText(TReport& report, const TTextArguments& args, double pixelsPerInch);

// Appends a report field (an expression evaluated when the page is drawn)
// to the draw page.
void addReportField(TReport& report, const TFieldArguments& args);

} // namespace orv
