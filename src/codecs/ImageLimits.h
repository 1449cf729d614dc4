#pragma once

#include <cstdint>

namespace orv {

// Pictures are decoded whole into memory: a picture of more pixels than this
// (a gigabyte as 32-bit pixels) is refused rather than let a hostile header
// exhaust memory.
inline constexpr int64_t kMaxPicturePixels = 256ll * 1024 * 1024;

inline bool isDecodableSize(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

} // namespace orv
