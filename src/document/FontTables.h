#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class TReport;

// Style letters: B bold, I italic, U underline, "-" strike-out; a letter
// anywhere switches its attribute on. The style value sums 1, 2, 4 and 8.
uint8_t fontStyleValue(std::string_view styleLetters);
inline constexpr uint8_t kStyleBold = 1;
inline constexpr uint8_t kStyleItalic = 2;
inline constexpr uint8_t kStyleUnderline = 4;
inline constexpr uint8_t kStyleStrikeOut = 8;

// The PDF font key: the family, followed by ",Bold", ",Italic" or
// ",BoldItalic" when the style letters hold B and/or I.
std::string pdfFontKey(std::string_view family, std::string_view styleLetters);

// The index of the measured-font entry for exactly (name, size, style),
// appending and measuring a new entry when there is none. A family that is
// not installed is measured and stored as "Arial".
int32_t internFont(TReport& report, const std::string& name, int32_t size, const std::string& style);
// The index of the PDF font entry for the key of (name, style), appended
// with embedding 0 when new.
int32_t internPdfFont(TReport& report, std::string_view name, std::string_view style);
// The index of a PDF font key, or -1.
int32_t findPdfFont(const TReport& report, std::string_view key);

// Entry accessors; an index outside the table gives "" and 0.
std::string entryFontName(const TReport& report, int32_t index);
std::string entryFontStyle(const TReport& report, int32_t index);
uint8_t entryGdiPlusStyle(const TReport& report, int32_t index);

} // namespace orv
