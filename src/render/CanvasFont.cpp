#include "render/CanvasFont.h"

#include "document/FontTables.h"
#include "document/TextLayout.h"
#include "platform/FontServices.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Absurd sizes are held to what a page can show.
constexpr int64_t kLargestEm = 100000;

int32_t scaledUnits(int32_t designUnits, int32_t em, int32_t emHeight)
{
    return static_cast<int32_t>(std::lround(static_cast<double>(designUnits) * em / emHeight));
}

} // namespace

TCanvasFont TCanvasFont::make(const std::string& family, int32_t points, uint8_t styleValue, int32_t pixelsPerInch)
{
    // Points to pixels, rounded as the device contexts do.
    const auto em = static_cast<int32_t>(
        std::clamp<int64_t>(std::llround(static_cast<double>(points) * pixelsPerInch / 72.0), 1, kLargestEm));
    TCanvasFont result;
    result.font = screenFont(family, 1, styleValue);
    result.font.setPixelSize(em);

    const TFontFaceMetrics& design =
        TFontServices::instance().metrics(drawnFamily(family), styleValue & kStyleBold, styleValue & kStyleItalic);
    const int32_t emHeight = design.emHeight > 0 ? design.emHeight : 2048;
    result.ascent = scaledUnits(design.cellAscent, em, emHeight);
    result.cellHeight = result.ascent + scaledUnits(design.cellDescent, em, emHeight);
    result.internalLeading = result.cellHeight - em;
    result.externalLeading = std::max(0, scaledUnits(design.lineSpacing, em, emHeight) - result.cellHeight);
    return result;
}

uint8_t decorationStyleValue(const std::string& letters, bool withLines)
{
    uint8_t value = 0;
    for (char c : letters) {
        if (c == 'B')
            value |= kStyleBold;
        else if (c == 'I')
            value |= kStyleItalic;
        else if (c == 'U' && withLines)
            value |= kStyleUnderline;
        else if (c == 'S' && withLines)
            value |= kStyleStrikeOut;
    }
    return value;
}

} // namespace orv
