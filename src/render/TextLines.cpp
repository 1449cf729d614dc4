#include "render/TextLines.h"

#include "document/ReportObject.h"

#include <algorithm>

namespace orv {

bool isLineBreak(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

std::vector<TLineSpan> splitAtBreaks(const std::u32string& text)
{
    std::vector<TLineSpan> spans;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text[i]))
            continue;
        spans.push_back({static_cast<int32_t>(start), static_cast<int32_t>(i - start), true});
        if (i + 1 < text.size() && text[i] == U'\r' && text[i + 1] == U'\n')
            ++i;
        start = i + 1;
    }
    return spans;
}

std::vector<TLineSpan> storedLines(const TReportObject& object, const std::u32string& text)
{
    std::vector<TLineSpan> spans;
    const auto size = static_cast<int32_t>(text.size());
    int32_t start = 0;
    for (int32_t i = 0; i < object.LineCount; ++i) {
        if (i >= static_cast<int32_t>(object.LineEnds.size())) {
            spans.push_back({start, 0, true});
            continue;
        }
        const bool last = i == object.LineCount - 1;
        const int32_t end = std::clamp(object.LineEnds[i] - (last ? 0 : 1), start, size);
        TLineSpan span{start, end - start, last};
        while (span.length > 0 && isLineBreak(text[span.start + span.length - 1])) {
            --span.length;
            span.endsParagraph = true;
        }
        spans.push_back(span);
        start = end;
    }
    return spans;
}

} // namespace orv
