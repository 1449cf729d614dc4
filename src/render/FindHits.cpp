#include "render/FindHits.h"

namespace orv {

namespace {

template <typename Char>
Char folded(Char c, bool matchCase)
{
    return (!matchCase && c >= Char('a') && c <= Char('z')) ? Char(c - 'a' + 'A') : c;
}

// Calls `onHit` with the position (in units of Char) of every occurrence,
// overlapping ones included. Valid UTF-8 matched byte by byte only matches
// at character boundaries, and folding leaves every byte above 0x7F alone.
template <typename Char, typename OnHit>
void scanHits(std::basic_string_view<Char> text, std::basic_string_view<Char> find, bool matchCase, OnHit&& onHit)
{
    if (find.empty() || find.size() > text.size())
        return;
    const Char first = folded(find[0], matchCase);
    const size_t last = text.size() - find.size();
    for (size_t at = 0; at <= last; ++at) {
        if (folded(text[at], matchCase) != first)
            continue;
        size_t i = 1;
        while (i < find.size() && folded(text[at + i], matchCase) == folded(find[i], matchCase))
            ++i;
        if (i == find.size())
            onHit(at);
    }
}

bool isUtf8Lead(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

int32_t characterCount(std::string_view utf8)
{
    int32_t count = 0;
    for (char c : utf8)
        count += isUtf8Lead(c) ? 1 : 0;
    return count;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view withoutBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::vector<TFindHit> findHits(const std::u32string& text, const std::u32string& findText, bool matchCase)
{
    std::vector<TFindHit> hits;
    const auto length = static_cast<int32_t>(findText.size());
    scanHits(std::u32string_view(text), std::u32string_view(findText), matchCase,
             [&](size_t at) { hits.push_back({static_cast<int32_t>(at), length}); });
    return hits;
}

std::vector<TFindHit> findHits(std::string_view text, std::string_view findText, bool matchCase)
{
    std::vector<TFindHit> hits;
    const int32_t length = characterCount(findText);
    // Characters before each hit, counted on from the previous one.
    size_t counted = 0;
    int32_t characters = 0;
    scanHits(text, findText, matchCase, [&](size_t at) {
        characters += characterCount(text.substr(counted, at - counted));
        counted = at;
        hits.push_back({characters, length});
    });
    return hits;
}

int32_t countFindHits(std::string_view text, std::string_view findText, bool matchCase)
{
    int32_t count = 0;
    scanHits(text, findText, matchCase, [&](size_t) { ++count; });
    return count;
}

bool containsFindText(std::string_view text, std::string_view findText, bool matchCase)
{
    const std::string_view trimmed = withoutBlanks(findText);
    if (trimmed.empty())
        return text.empty();
    bool found = false;
    scanHits(text, trimmed, matchCase, [&](size_t) { found = true; });
    return found;
}

} // namespace orv
