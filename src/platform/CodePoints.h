#pragma once

#include <string>
#include <string_view>

namespace orv {

// Text is UTF-8 in the interface; lengths, line ends and find ranges count
// characters (code points). These convert between the two forms. Well-formed
// text is converted directly; anything else (malformed UTF-8, a surrogate or
// a code point beyond U+10FFFF, a byte order mark) goes through QString, so
// its replacements stay Qt's.
std::u32string toCodePoints(std::string_view utf8);
std::string toUtf8(std::u32string_view codePoints);

} // namespace orv
