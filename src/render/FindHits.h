#pragma once

#include <cstdint>
#include <string>
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
// occurs twice in "aaa"). Without `matchCase` letters compare upper-cased.
// An empty find text occurs nowhere.
std::vector<TFindHit> findHits(const std::u32string& text, const std::u32string& findText, bool matchCase);

} // namespace orv
