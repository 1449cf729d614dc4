#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// One occurrence of the find text: its first character (0-based) and its
// length, both counted in characters (code points).
struct TFindHit {
    int32_t start = 0;
    int32_t length = 0;
    friend bool operator==(const TFindHit&, const TFindHit&) = default;
};

// Every occurrence of `findText` in `text`, overlapping ones included ("aa"
// occurs twice in "aaa"). Without `matchCase` only the ASCII letters a-z
// fold to A-Z: "é" never matches "É". An empty find text occurs nowhere.
std::vector<TFindHit> findHits(const std::u32string& text, const std::u32string& findText, bool matchCase);
// The same over UTF-8 text, as the report stores it; starts and lengths are
// still counted in characters.
std::vector<TFindHit> findHits(std::string_view text, std::string_view findText, bool matchCase);
// How many hits findHits would give, without building them.
int32_t countFindHits(std::string_view text, std::string_view findText, bool matchCase);

// The test the backward search and page marking apply: the find text without
// the blanks around it occurs in `text`, or equals it (so a blank find text
// matches an empty text only).
bool containsFindText(std::string_view text, std::string_view findText, bool matchCase);

} // namespace orv
