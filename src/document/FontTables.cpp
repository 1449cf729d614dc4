#include "document/FontTables.h"

#include "document/Report.h"
#include "platform/FontServices.h"

#include <cmath>

namespace orv {

namespace {

constexpr const char* kFallbackFamily = "Arial";

Currency currencyRounded(double value)
{
    return Currency{static_cast<int64_t>(roundHalfEven(value * 10000))};
}

} // namespace

uint8_t fontStyleValue(std::string_view styleLetters)
{
    uint8_t value = 0;
    for (char c : styleLetters) {
        switch (c) {
        case 'B':
            value |= kStyleBold;
            break;
        case 'I':
            value |= kStyleItalic;
            break;
        case 'U':
            value |= kStyleUnderline;
            break;
        case '-':
            value |= kStyleStrikeOut;
            break;
        default:
            break;
        }
    }
    return value;
}

std::string pdfFontKey(std::string_view family, std::string_view styleLetters)
{
    const uint8_t style = fontStyleValue(styleLetters);
    std::string key(family);
    if (style & (kStyleBold | kStyleItalic)) {
        key += ',';
        if (style & kStyleBold)
            key += "Bold";
        if (style & kStyleItalic)
            key += "Italic";
    }
    return key;
}

int32_t internFont(TReport& report, const std::string& name, int32_t size, const std::string& style)
{
    for (size_t i = 0; i < report.Fonts.size(); ++i) {
        const TReportFont& entry = report.Fonts[i];
        if (entry.Name == name && entry.Size == size && entry.Style == style)
            return static_cast<int32_t>(i);
    }

    TReportFont entry;
    entry.Name = TFontServices::instance().isInstalled(name) ? name : kFallbackFamily;
    entry.Size = size;
    entry.Style = style;
    entry.GdiPlusStyle = fontStyleValue(style);
    const TFontFaceMetrics& metrics = TFontServices::instance().metrics(
        entry.Name, entry.GdiPlusStyle & kStyleBold, entry.GdiPlusStyle & kStyleItalic);
    entry.EmHeight = metrics.emHeight != 0 ? metrics.emHeight : 2048;
    entry.CellAscent = Currency{int64_t(metrics.cellAscent) * 10000};
    entry.CellDescent = Currency{int64_t(metrics.cellDescent) * 10000};
    entry.LineSpacingUnits = metrics.lineSpacing;
    entry.AscentInches = currencyRounded(size / 72.0 * metrics.cellAscent / entry.EmHeight);
    entry.LineSpacingInches = currencyRounded(size / 72.0 * metrics.lineSpacing / entry.EmHeight);
    report.Fonts.push_back(std::move(entry));
    return static_cast<int32_t>(report.Fonts.size() - 1);
}

int32_t internPdfFont(TReport& report, std::string_view name, std::string_view style)
{
    const std::string key = pdfFontKey(name, style);
    if (int32_t found = findPdfFont(report, key); found >= 0)
        return found;
    report.PdfFonts.push_back({key, 0});
    return static_cast<int32_t>(report.PdfFonts.size() - 1);
}

int32_t findPdfFont(const TReport& report, std::string_view key)
{
    for (size_t i = 0; i < report.PdfFonts.size(); ++i)
        if (report.PdfFonts[i].Name == key)
            return static_cast<int32_t>(i);
    return -1;
}

std::string entryFontName(const TReport& report, int32_t index)
{
    return index >= 0 && index < static_cast<int32_t>(report.Fonts.size()) ? report.Fonts[index].Name : std::string();
}

std::string entryFontStyle(const TReport& report, int32_t index)
{
    return index >= 0 && index < static_cast<int32_t>(report.Fonts.size()) ? report.Fonts[index].Style : std::string();
}

uint8_t entryGdiPlusStyle(const TReport& report, int32_t index)
{
    return index >= 0 && index < static_cast<int32_t>(report.Fonts.size()) ? report.Fonts[index].GdiPlusStyle : 0;
}

} // namespace orv
