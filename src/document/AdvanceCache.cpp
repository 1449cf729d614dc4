#include "document/AdvanceCache.h"

#include "document/TextLayout.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>

namespace orv {

TAdvanceCache::TAdvanceCache(const QFont& font)
    : m_font(font)
    , m_metrics(font)
{
}

const TAdvanceCache::Glyph& TAdvanceCache::glyph(char32_t c)
{
    Glyph& entry = m_glyphs[c];
    if (entry.advance < 0) {
        const QChar character(static_cast<char16_t>(c));
        entry.advance = static_cast<float>(m_metrics.horizontalAdvance(QString(character)));
        // A negative right bearing is ink beyond the advance.
        entry.overhang = static_cast<float>(std::max<qreal>(0, -m_metrics.rightBearing(character)));
    }
    return entry;
}

// The pair's shaped width less its two advances: kerning, or a ligature's
// saving.
float TAdvanceCache::kerning(char32_t left, char32_t right)
{
    auto measurePair = [&] {
        const char16_t pair[] = {static_cast<char16_t>(left), static_cast<char16_t>(right)};
        const QString text(reinterpret_cast<const QChar*>(pair), 2);
        return static_cast<float>(m_metrics.horizontalAdvance(text)) - glyph(left).advance - glyph(right).advance;
    };
    auto numberOf = [this](char32_t c) {
        uint8_t& number = m_numberOf[c];
        if (number == 0 && m_numbered < kNumbered)
            number = static_cast<uint8_t>(++m_numbered);
        return number;
    };
    const uint8_t leftNumber = numberOf(left);
    const uint8_t rightNumber = numberOf(right);
    if (leftNumber != 0 && rightNumber != 0) {
        if (m_numberedKerning.empty())
            m_numberedKerning.assign(kNumbered * kNumbered, std::numeric_limits<float>::quiet_NaN());
        float& kern = m_numberedKerning[(leftNumber - 1u) * kNumbered + (rightNumber - 1u)];
        if (std::isnan(kern))
            kern = measurePair();
        return kern;
    }
    const uint32_t key = static_cast<uint32_t>(left) << 16 | static_cast<uint32_t>(right);
    if (const float* known = m_kerning.find(key))
        return *known;
    const float kern = measurePair();
    m_kerning.insert(key, kern);
    return kern;
}

int TAdvanceCache::alphabet(char32_t c)
{
    enum { Neutral, Latin, Greek, Cyrillic };
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF && c != 0xAD)) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xAA || c == 0xB5 || c == 0xBA ||
                            (c >= 0xC0 && c != 0xD7 && c != 0xF7);
        return letter ? Latin : Neutral;
    }
    // Greek letters with their accents precomposed; Cyrillic without its
    // combining signs (U+0483 to U+0489).
    if (c >= 0x0386 && c <= 0x03CE && c != 0x0387 && c != 0x038B && c != 0x038D && c != 0x03A2)
        return Greek;
    if ((c >= 0x0400 && c <= 0x0482) || (c >= 0x048A && c <= kLastSimple))
        return Cyrillic;
    return -1;
}

std::optional<TAdvanceCache::Extent> TAdvanceCache::measure(std::u32string_view text)
{
    Extent extent;
    char32_t previous = 0;
    int lineAlphabet = 0;
    for (const char32_t c : text) {
        const int letters = alphabet(c);
        if (letters < 0 || (letters > 0 && lineAlphabet > 0 && letters != lineAlphabet))
            return std::nullopt;
        if (letters > 0)
            lineAlphabet = letters;
        const Glyph& measured = glyph(c);
        extent.advance += measured.advance;
        extent.overhang = std::max<double>(extent.overhang, measured.overhang);
        if (previous != 0)
            extent.advance += kerning(previous, c);
        previous = c;
    }
    return extent;
}

TAdvanceCache& TAdvanceCaches::forFont(const std::string& family, int32_t pointSize, uint8_t styleValue)
{
    auto [place, added] = m_caches.try_emplace(std::make_tuple(family, pointSize, styleValue));
    if (added)
        place->second = std::make_unique<TAdvanceCache>(screenFont(family, pointSize, styleValue));
    return *place->second;
}

} // namespace orv
