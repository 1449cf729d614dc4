#pragma once

#include <cstdint>

namespace orv {

// A range of 1-based page numbers, both ends included.
struct TPageRange {
    int32_t first = 1;
    int32_t last = 1;
    friend bool operator==(TPageRange, TPageRange) = default;
};

} // namespace orv
