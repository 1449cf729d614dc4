#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The single-byte Windows code pages that report text is written in: 1252
// (Western, the system's ANSI code page), 1250 (Central European) and 1254
// (Turkish). Code page 0 stands for the system's ANSI code page, and a code
// page without a table here is treated as 1252.
int32_t effectiveCodePage(int32_t codePage);

// The Unicode character of one byte, or 0 when the code page leaves the
// byte undefined. Bytes below 128 are ASCII in every code page.
char32_t codePageToUnicode(int32_t codePage, uint8_t byte);

// UTF-8 text in the code page: one byte per character; a character the code
// page lacks, and every malformed UTF-8 sequence, becomes '?'.
std::string utf8ToCodePage(std::string_view utf8, int32_t codePage);

// Whether every character of UTF-8 text has a byte in the code page
// (malformed UTF-8 has none).
bool fitsCodePage(std::string_view utf8, int32_t codePage);

// UTF-8 text as UTF-16 code units; a malformed sequence gives U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);

} // namespace orv
