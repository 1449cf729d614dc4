#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

class QPainter;

namespace orv {

// The rendered picture of the one page the preview shows, kept as tiles so
// that scrolling only renders the strip it uncovers and a page at a high
// zoom never needs one huge image. The tiles belong to one page at one zoom;
// any change of the page, the zoom or the content drops them all. Tiles
// beyond the byte budget drop the least recently drawn ones.
class TPageTiles {
public:
    // Draws the page, in page pixels, onto a painter whose origin is the
    // page's top-left corner.
    using Renderer = std::function<void(QPainter&)>;

    static constexpr int kTileSize = 256;

    explicit TPageTiles(int64_t byteBudget = 64ll * 1024 * 1024);

    // The page and zoom the tiles show; a different one drops the tiles.
    void show(int32_t pageNumber, int32_t zoom, QSize pageSize);
    // The page's content or a display setting changed.
    void invalidate();

    // Paints the part `exposed` (page pixels) of the page with its top-left
    // corner at `origin` on the painter, rendering missing tiles in one pass.
    void paint(QPainter& painter, QPoint origin, const QRect& exposed, const Renderer& render);

    // Render passes and tiles rendered since the tiles were made: a page
    // that did not change never renders a tile twice.
    int64_t renderPasses() const { return m_renderPasses; }
    int64_t tilesRendered() const { return m_tilesRendered; }
    int64_t bytes() const { return m_bytes; }

private:
    struct Tile {
        QImage image;
        uint64_t lastUse = 0;
    };
    using Key = std::pair<int, int>; // column, row

    QRect tileRect(Key key) const;
    void renderMissing(const QRect& exposed, const Renderer& render);
    void evictBeyondBudget();

    int64_t m_byteBudget;
    int32_t m_pageNumber = 0;
    int32_t m_zoom = 0;
    QSize m_pageSize;
    std::map<Key, Tile> m_tiles;
    int64_t m_bytes = 0;
    uint64_t m_useClock = 0;
    int64_t m_renderPasses = 0;
    int64_t m_tilesRendered = 0;
};

} // namespace orv
