#include "platform/CodePoints.h"

#include <QString>

namespace orv {

namespace {

constexpr char32_t kByteOrderMark = 0xFEFF;

bool isScalarValue(char32_t c)
{
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// False at the first sequence that is not well-formed UTF-8 of a scalar
// value other than the byte order mark.
bool decodeWellFormed(std::string_view utf8, std::u32string& out)
{
    // Never more code points than bytes: written in place, trimmed at the end.
    out.resize(utf8.size());
    char32_t* written = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            *written++ = lead;
            ++p;
            continue;
        }
        // Two-byte sequences (Latin-1 to Cyrillic, Greek, Hebrew, Arabic)
        // take a short way; one starting with C0 to DF that does not pass
        // here is not well-formed.
        if ((lead & 0xE0) == 0xC0 && lead >= 0xC2 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            *written++ = static_cast<char32_t>((lead & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
            continue;
        }
        int following;
        char32_t c;
        char32_t smallest;
        if ((lead & 0xF0) == 0xE0) {
            following = 2, c = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            following = 3, c = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (end - p <= following)
            return false;
        for (int i = 1; i <= following; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (p[i] & 0x3F);
        }
        if (c < smallest || !isScalarValue(c) || c == kByteOrderMark)
            return false;
        *written++ = c;
        p += following + 1;
    }
    out.resize(static_cast<size_t>(written - out.data()));
    return true;
}

bool encodeWellFormed(std::u32string_view codePoints, std::string& out)
{
    // Sized exactly first, as the text may be kept, then written in place.
    size_t length = 0;
    for (const char32_t c : codePoints)
        length += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    out.resize(length);
    char* written = out.data();
    auto put = [&written](char32_t byte) { *written++ = static_cast<char>(byte); };
    for (const char32_t c : codePoints) {
        if (c < 0x80) {
            put(c);
        } else if (!isScalarValue(c) || c == kByteOrderMark) {
            return false;
        } else if (c < 0x800) {
            put(0xC0 | (c >> 6));
            put(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            put(0xE0 | (c >> 12));
            put(0x80 | ((c >> 6) & 0x3F));
            put(0x80 | (c & 0x3F));
        } else {
            put(0xF0 | (c >> 18));
            put(0x80 | ((c >> 12) & 0x3F));
            put(0x80 | ((c >> 6) & 0x3F));
            put(0x80 | (c & 0x3F));
        }
    }
    return true;
}

} // namespace

std::u32string toCodePoints(std::string_view utf8)
{
    std::u32string codePoints;
    if (decodeWellFormed(utf8, codePoints))
        return codePoints;
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU32String();
}

std::string toUtf8(std::u32string_view codePoints)
{
    std::string utf8;
    if (encodeWellFormed(codePoints, utf8))
        return utf8;
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size())).toStdString();
}

} // namespace orv
