#pragma once

#include <QFont>

#include <cstdint>
#include <string>

namespace orv {

// A font as the device-context drawers (watermark, calendar) use it: a whole
// number of pixels per em and the cell metrics of the family's design
// (Windows ascent and descent), so that their placement does not depend on
// how the painter hints the font.
struct TCanvasFont {
    QFont font;
    int32_t ascent = 0;           // top of the cell to the base line
    int32_t cellHeight = 0;       // ascent + descent
    int32_t internalLeading = 0;  // cell height - em height
    int32_t externalLeading = 0;  // line spacing beyond the cell

    // A font of `points` on a device of `pixelsPerInch`; styleValue sums 1
    // bold, 2 italic, 4 underline and 8 strike-out.
    static TCanvasFont make(const std::string& family, int32_t points, uint8_t styleValue, int32_t pixelsPerInch);
};

// The style value of the watermark's and the calendar's style letters: B
// bold, I italic and, when `withLines`, U underline and S strike-out.
uint8_t decorationStyleValue(const std::string& letters, bool withLines);

} // namespace orv
