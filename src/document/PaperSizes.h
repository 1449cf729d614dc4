#pragma once

#include <cstdint>
#include <optional>

namespace orv {

// A paper size in single-precision inches; metric sizes are the float of
// millimetres / 25.4.
struct PaperSize {
    float width;
    float height;
};

inline constexpr int32_t kPaperLetter = 1;
inline constexpr int32_t kPaperUserDefined = 256;

// The row of a Windows paper-size code 1..41; nothing for other codes.
std::optional<PaperSize> paperSizeOf(int32_t code);

// The paper-size code a page size reports: the last matching table row,
// 3 or 4 for 11 x 17 and 17 x 11, 256 when nothing matches.
int32_t lookUpPaperSize(double width, double height);

} // namespace orv
