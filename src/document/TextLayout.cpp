#include "document/TextLayout.h"

#include "document/AdvanceCache.h"
#include "document/FontTables.h"
#include "document/Report.h"
#include "platform/CodePoints.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <cmath>

namespace orv {

namespace {

bool isLineBreak(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

// Trimming after a character cuts lines anywhere; the others at words.
bool breaksAnywhere(TTrimming trimming)
{
    return trimming == TTrimming::Character || trimming == TTrimming::EllipsisCharacter;
}

} // namespace

const std::string& drawnFamily(const std::string& family)
{
    static const std::string fallback = "Arial";
    return family.empty() ? fallback : family;
}

QFont screenFont(const std::string& family, int32_t pointSize, uint8_t styleValue)
{
    QFont font(QString::fromStdString(drawnFamily(family)));
    font.setPointSizeF(pointSize > 0 ? pointSize : 1);
    font.setBold(styleValue & kStyleBold);
    font.setItalic(styleValue & kStyleItalic);
    font.setUnderline(styleValue & kStyleUnderline);
    font.setStrikeOut(styleValue & kStyleStrikeOut);
    // Unhinted advances: line breaks then do not depend on the hinting of
    // the machine that lays the report out.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TLineFitter::TLineFitter(const QFont& font, TTrimming trimming)
    : m_font(font)
    , m_breakAnywhere(breaksAnywhere(trimming))
{
}

TLineFitter::TLineFitter(TAdvanceCache& cache, TTrimming trimming)
    : m_font(cache.font())
    , m_breakAnywhere(breaksAnywhere(trimming))
    , m_cache(&cache)
{
}

std::optional<TLineFitter::Fit> TLineFitter::fitFromCache(std::u32string_view line, double widthPixels) const
{
    // A pixel to spare besides the ink that may reach past the advances:
    // QTextLayout counts a line's last character by its ink when that
    // reaches further, and adds its advances in 1/64 pixels.
    constexpr double kSparePixels = 1;
    const std::optional<TAdvanceCache::Extent> extent = m_cache->measure(line);
    if (!extent || extent->advance + extent->overhang + kSparePixels >= widthPixels)
        return std::nullopt;
    return Fit{static_cast<int32_t>(line.size()), extent->advance};
}

std::vector<TLineFitter::Fit> TLineFitter::fitLines(const std::u32string& text, double widthPixels,
                                                    int32_t maxLines) const
{
    std::vector<Fit> lines;
    if (widthPixels <= 0)
        return lines;
    QTextOption option;
    option.setWrapMode(m_breakAnywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto full = [&] { return maxLines > 0 && static_cast<int32_t>(lines.size()) >= maxLines; };

    // Hard line breaks end a line; the text between them is laid out once and
    // cut into lines of the box's width.
    size_t from = 0;
    while (from < text.size() && !full()) {
        size_t end = from;
        while (end < text.size() && !isLineBreak(text[end]))
            ++end;
        size_t breakLength = 0;
        if (end < text.size())
            breakLength = (text[end] == U'\r' && end + 1 < text.size() && text[end + 1] == U'\n') ? 2 : 1;
        if (end == from) {
            lines.push_back({static_cast<int32_t>(breakLength), 0});
            from += breakLength;
            continue;
        }

        if (m_cache) {
            if (std::optional<Fit> fit = fitFromCache(std::u32string_view(text).substr(from, end - from), widthPixels)) {
                fit->characters += static_cast<int32_t>(breakLength);
                lines.push_back(*fit);
                from = end + breakLength;
                continue;
            }
        }

        const QString segment = QString::fromStdU32String(text.substr(from, end - from));
        QTextLayout layout(segment, m_font);
        layout.setTextOption(option);
        layout.beginLayout();
        int consumed = 0; // UTF-16 units
        while (consumed < segment.size() && !full()) {
            QTextLine line = layout.createLine();
            line.setLineWidth(widthPixels);
            const int units = line.textLength();
            const auto characters = static_cast<int32_t>(segment.mid(consumed, units).toStdU32String().size());
            // A box narrower than the first character holds nothing.
            if (characters <= 1 && line.naturalTextWidth() > widthPixels) {
                layout.endLayout();
                return lines;
            }
            consumed += units;
            Fit fit{characters, line.naturalTextWidth()};
            if (consumed >= segment.size())
                fit.characters += static_cast<int32_t>(breakLength);
            lines.push_back(fit);
        }
        layout.endLayout();
        from = end + breakLength;
    }
    return lines;
}

int32_t wrapText(TReport& report, TPageObject& page, int32_t objectIndex, double pixelsPerInch)
{
    TReportObject& object = page.Objects.at(objectIndex);
    object.LineEnds.clear();
    const std::u32string text = toCodePoints(object.Text);
    int32_t lines = 0;
    if (text.empty()) {
        object.LineCount = 0;
        return 0;
    }

    const double x = object.HPos / 10000.0 * pixelsPerInch;
    double width = object.Width / 10000.0 * pixelsPerInch;
    const bool automaticWidth = width == 0;
    if (automaticWidth)
        width = page.Width * pixelsPerInch - x;

    const TReportFont& entry = report.Fonts.at(object.FontIndex);
    const int32_t em = entry.EmHeight != 0 ? entry.EmHeight : 2048;
    double lineHeight = object.FontSize / 72.0 * entry.LineSpacingUnits / em;
    if (lineHeight == 0)
        lineHeight = 1;
    const int32_t maxLines = static_cast<int32_t>(object.Height / 10000.0 / lineHeight);

    // A line measured from cached advances knows its width only nearly,
    // so an automatic width is laid out in full.
    TAdvanceCache& cache = report.AdvanceCaches.forFont(entry.Name, object.FontSize, entry.GdiPlusStyle);
    const TLineFitter fitter = automaticWidth ? TLineFitter(cache.font(), object.trimming())
                                              : TLineFitter(cache, object.trimming());
    size_t start = 0; // 0-based here; LineEnds are 1-based
    for (const TLineFitter::Fit& fit : fitter.fitLines(text, width, maxLines)) {
        if (automaticWidth)
            object.Width = static_cast<float>(fit.width / pixelsPerInch * 10000);
        ++lines;
        start += fit.characters;
        object.LineEnds.push_back(static_cast<int16_t>(std::min<size_t>(text.size(), start + 1)));
    }
    object.LineCount = static_cast<int16_t>(lines);
    object.LineHeight = static_cast<float>(roundToFourDecimals(lineHeight));
    return lines;
}

int32_t measureTextHeight(TReport& report, int32_t width, const std::string& text, int32_t format,
                          double pixelsPerInch)
{
    constexpr int32_t kWordBreak = 0x10;
    constexpr int32_t kSingleLine = 0x20;
    if (format == 0)
        format = kWordBreak | 0x800;

    TAdvanceCache& cache = report.AdvanceCaches.forFont(report.DefaultFontName, report.DefaultFontSize, 0);
    const double lineHeight = std::ceil(QFontMetricsF(cache.font()).height());
    const std::u32string codePoints = toCodePoints(text);
    if (codePoints.empty())
        return 0;
    if (format & kSingleLine)
        return static_cast<int32_t>(lineHeight);

    int32_t lines = 0;
    if (format & kWordBreak) {
        const TLineFitter fitter(cache, TTrimming::Word);
        const auto fitted = fitter.fitLines(codePoints, width * pixelsPerInch);
        // A box too narrow for one character still shows the text on one line.
        lines = std::max<int32_t>(1, static_cast<int32_t>(fitted.size()));
    } else {
        lines = 1;
        for (size_t i = 0; i < codePoints.size(); ++i)
            if (codePoints[i] == U'\n' || (codePoints[i] == U'\r' && (i + 1 == codePoints.size() || codePoints[i + 1] != U'\n')))
                ++lines;
        if (isLineBreak(codePoints.back()))
            --lines;
    }
    return static_cast<int32_t>(lines * lineHeight);
}

} // namespace orv

