#include "viewer/PageTiles.h"

#include <QPainter>

#include <vector>

namespace orv {

TPageTiles::TPageTiles(int64_t byteBudget)
    : m_byteBudget(byteBudget)
{
}

void TPageTiles::show(int32_t pageNumber, int32_t zoom, QSize pageSize)
{
    if (pageNumber == m_pageNumber && zoom == m_zoom && pageSize == m_pageSize)
        return;
    m_pageNumber = pageNumber;
    m_zoom = zoom;
    m_pageSize = pageSize;
    invalidate();
}

void TPageTiles::invalidate()
{
    m_tiles.clear();
    m_bytes = 0;
}

QRect TPageTiles::tileRect(Key key) const
{
    return QRect(key.first * kTileSize, key.second * kTileSize, kTileSize, kTileSize)
        .intersected(QRect(QPoint(0, 0), m_pageSize));
}

void TPageTiles::paint(QPainter& painter, QPoint origin, const QRect& exposed, const Renderer& render)
{
    const QRect wanted = exposed.intersected(QRect(QPoint(0, 0), m_pageSize));
    if (wanted.isEmpty())
        return;
    renderMissing(wanted, render);
    for (int row = wanted.top() / kTileSize; row <= wanted.bottom() / kTileSize; ++row) {
        for (int column = wanted.left() / kTileSize; column <= wanted.right() / kTileSize; ++column) {
            auto found = m_tiles.find({column, row});
            if (found == m_tiles.end())
                continue;
            found->second.lastUse = ++m_useClock;
            painter.drawImage(origin + tileRect({column, row}).topLeft(), found->second.image);
        }
    }
    evictBeyondBudget();
}

void TPageTiles::renderMissing(const QRect& wanted, const Renderer& render)
{
    std::vector<Key> missing;
    QRect bounds;
    for (int row = wanted.top() / kTileSize; row <= wanted.bottom() / kTileSize; ++row) {
        for (int column = wanted.left() / kTileSize; column <= wanted.right() / kTileSize; ++column) {
            if (m_tiles.count({column, row}))
                continue;
            missing.push_back({column, row});
            bounds |= tileRect({column, row});
        }
    }
    if (missing.empty())
        return;

    // One pass of the renderer over everything missing, cut into tiles.
    QImage pass(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    pass.fill(Qt::transparent);
    {
        QPainter painter(&pass);
        painter.translate(-bounds.topLeft());
        painter.setClipRect(bounds);
        render(painter);
    }
    ++m_renderPasses;
    for (const Key& key : missing) {
        const QRect rect = tileRect(key);
        Tile tile{pass.copy(rect.translated(-bounds.topLeft())), ++m_useClock};
        m_bytes += tile.image.sizeInBytes();
        m_tiles.emplace(key, std::move(tile));
        ++m_tilesRendered;
    }
}

void TPageTiles::evictBeyondBudget()
{
    while (m_bytes > m_byteBudget && m_tiles.size() > 1) {
        auto oldest = m_tiles.begin();
        for (auto it = m_tiles.begin(); it != m_tiles.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        }
        m_bytes -= oldest->second.image.sizeInBytes();
        m_tiles.erase(oldest);
    }
}

} // namespace orv
