#include "render/FindHits.h"

#include <QChar>

namespace orv {

namespace {

std::u32string upperCased(std::u32string text)
{
    for (char32_t& c : text)
        c = QChar::toUpper(c);
    return text;
}

} // namespace

std::vector<TFindHit> findHits(const std::u32string& text, const std::u32string& findText, bool matchCase)
{
    std::vector<TFindHit> hits;
    if (findText.empty())
        return hits;
    const std::u32string haystack = matchCase ? text : upperCased(text);
    const std::u32string needle = matchCase ? findText : upperCased(findText);
    for (size_t at = haystack.find(needle); at != std::u32string::npos; at = haystack.find(needle, at + 1))
        hits.push_back({static_cast<int32_t>(at), static_cast<int32_t>(needle.size())});
    return hits;
}

} // namespace orv
