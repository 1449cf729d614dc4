#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct TReportObject;

// A stretch of a text object's characters (code points) drawn as one line.
struct TLineSpan {
    int32_t start = 0;
    int32_t length = 0;
    bool endsParagraph = true; // last line, or ended by a line break
};

bool isLineBreak(char32_t c);

// The text split at its own line breaks (CR, LF or CR LF).
std::vector<TLineSpan> splitAtBreaks(const std::u32string& text);

// The lines laid out when the text was added: line i runs from where line
// i - 1 ended up to LineEnds[i] (1-based), the last line including that
// character. Ends outside the text are held to it; line breaks that end a
// line are not part of it.
std::vector<TLineSpan> storedLines(const TReportObject& object, const std::u32string& text);

} // namespace orv
