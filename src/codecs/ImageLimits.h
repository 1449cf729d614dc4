#pragma once

#include <QSize>

#include <cstdint>
#include <vector>

namespace orv {

// Pictures are decoded whole into memory: a picture of more pixels than this
// (a gigabyte as 32-bit pixels) is refused rather than let a hostile header
// exhaust memory.
inline constexpr int64_t kMaxPicturePixels = 256ll * 1024 * 1024;

// Pictures above this many pixels (a 4096 x 4096 square) are big.
inline constexpr int64_t kLargePicturePixels = int64_t(4096) * 4096;

inline bool isDecodableSize(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

// The size a picture of `full` pixels is decoded at where it covers `shown`
// device pixels (empty: a target without pixels of its own, such as PDF).
// A picture up to kLargePicturePixels is decoded whole. A big one is
// decoded only as large as needed to cover `shown`, and never above
// kLargePicturePixels (its proportions kept), so no picture takes more than
// 64 MB however large the file declares it.
QSize decodedSize(QSize full, QSize shown);

// Picks the pixels of a smaller image out of a bigger one while the bigger
// one is decoded, row by row in any order: each target pixel takes the
// source pixel nearest its centre.
class TPixelSampler {
public:
    TPixelSampler(QSize source, QSize target);

    // The target rows that source row `y` gives: [first, last), empty for
    // the rows a reduction skips.
    std::pair<int, int> targetRows(int y) const;
    // The source column of each target column.
    const std::vector<int>& sourceColumns() const { return m_columns; }

private:
    std::vector<int> m_rows; // the source row of each target row, ascending
    std::vector<int> m_columns;
};

} // namespace orv
