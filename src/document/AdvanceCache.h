#pragma once

#include "platform/PairTable.h"

#include <QFont>
#include <QFontMetricsF>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace orv {

// The advances of one font's simple characters (printable Latin-1, Greek
// and Cyrillic, which need no shaping of their own), each measured once
// through Qt's shaping and kept, with the kerning of every pair met so far.
// A line of such text in one alphabet can then be measured by adding
// numbers instead of laying it out.
class TAdvanceCache {
public:
    explicit TAdvanceCache(const QFont& font);

    const QFont& font() const { return m_font; }

    struct Extent {
        double advance = 0; // pixels: the advances and the kerning of the text
        double overhang = 0; // pixels the ink of a character may reach past its advance
    };
    // The extent of `text`, or nothing when a character needs shaping,
    // breaks a line or is not printable, or when letters of two alphabets
    // meet (the layout shapes them apart, without kerning between them).
    std::optional<Extent> measure(std::u32string_view text);

    // The alphabet of a simple character (0: blanks, digits, punctuation,
    // signs) or -1 for a character that is not simple.
    static int alphabet(char32_t c);

private:
    struct Glyph {
        float advance = -1; // not measured yet
        float overhang = 0;
    };
    const Glyph& glyph(char32_t c);
    float kerning(char32_t left, char32_t right);

    QFont m_font;
    QFontMetricsF m_metrics;
    static constexpr char32_t kLastSimple = 0x4FF;
    std::array<Glyph, kLastSimple + 1> m_glyphs;
    // The first 128 characters met get small numbers, in that order, and
    // the kerning of pairs among them sits in a square table (NaN: not
    // measured yet): a report's text mostly uses fewer characters than
    // that, whatever its alphabet. Other pairs go by left << 16 | right.
    static constexpr size_t kNumbered = 128;
    std::array<uint8_t, kLastSimple + 1> m_numberOf{}; // 0: none, else the number + 1
    size_t m_numbered = 0;
    std::vector<float> m_numberedKerning;
    TPairTable<float> m_kerning;
};

// One advance cache per screen font (family, points, style value), made on
// first use and kept: what a report measures again and again is a handful
// of fonts.
class TAdvanceCaches {
public:
    TAdvanceCache& forFont(const std::string& family, int32_t pointSize, uint8_t styleValue);

private:
    std::map<std::tuple<std::string, int32_t, uint8_t>, std::unique_ptr<TAdvanceCache>> m_caches;
};

} // namespace orv
