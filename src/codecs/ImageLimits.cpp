#include "codecs/ImageLimits.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

int64_t pixelsOf(QSize size)
{
    return int64_t(size.width()) * size.height();
}

// The source index nearest the centre of each of `target` cells.
std::vector<int> nearestIndices(int source, int target)
{
    std::vector<int> indices(static_cast<size_t>(std::max(target, 0)));
    for (int i = 0; i < target; ++i)
        indices[static_cast<size_t>(i)] = static_cast<int>((int64_t(2 * i + 1) * source) / (int64_t(2) * target));
    return indices;
}

} // namespace

QSize decodedSize(QSize full, QSize shown)
{
    if (pixelsOf(full) <= kLargePicturePixels)
        return full;
    QSize size = full;
    if (!shown.isEmpty()) {
        const QSize covering = full.scaled(shown, Qt::KeepAspectRatioByExpanding);
        if (covering.width() < full.width())
            size = covering;
    }
    if (pixelsOf(size) > kLargePicturePixels) {
        const double factor = std::sqrt(double(kLargePicturePixels) / double(pixelsOf(size)));
        size = QSize(std::max(1, static_cast<int>(size.width() * factor)),
                     std::max(1, static_cast<int>(size.height() * factor)));
    }
    return size;
}

TPixelSampler::TPixelSampler(QSize source, QSize target)
    : m_rows(nearestIndices(source.height(), target.height()))
    , m_columns(nearestIndices(source.width(), target.width()))
{
}

std::pair<int, int> TPixelSampler::targetRows(int y) const
{
    const auto first = std::lower_bound(m_rows.begin(), m_rows.end(), y);
    const auto last = std::upper_bound(first, m_rows.end(), y);
    return {static_cast<int>(first - m_rows.begin()), static_cast<int>(last - m_rows.begin())};
}

} // namespace orv
