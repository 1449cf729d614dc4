#pragma once

#include "viewer/PageTiles.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <functional>

class QLabel;
class QRubberBand;

namespace orv {

// What a mouse button release on the scrolling area amounts to.
struct TAreaRelease {
    Qt::MouseButton button = Qt::NoButton;
    bool onPage = false;      // the press was on the page
    QPoint pressPoint;        // page pixels at the press
    QPoint releasePoint;      // page pixels at the release
    bool pageMoved = false;   // the press dragged the page
    int32_t placementMode = -1; // 0 Shift, 1 Ctrl, 2 both; -1 none
    QRect band;               // the placement rectangle, page pixels
};

// The scrolling area of the preview: its background and the one page
// control, placed by the layout. It paints the page from tiles, scrolls by
// dragging the page and by the wheel, and draws the rubber band of picture
// placement; what a click means is the preview's business.
class TPreviewArea : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TPreviewArea(QWidget* parent = nullptr);

    void setPageRenderer(TPageTiles::Renderer renderer) { m_render = std::move(renderer); }
    // What the page shows changes with this number; tiles of another
    // revision are rendered afresh.
    void setRevisionSource(std::function<uint64_t()> revision) { m_revision = std::move(revision); }
    // Places the page control (content pixels) in a scrolled extent and
    // returns both scroll positions to 0.
    void setPlacement(int32_t pageNumber, int32_t zoom, const QRect& page, QSize content);
    QRect pagePlacement() const { return m_page; }
    // Another page of the same size in the same place, scrolled as it was.
    void showPage(int32_t pageNumber);
    // The page control in the viewport's coordinates, after scrolling.
    QRect pageOnViewport() const;
    void setBackground(const QColor& colour);
    QColor background() const { return m_background; }
    // The content changed: tiles are rendered afresh at the next paint.
    void pageChanged();
    // The label beside the placement rectangle ("Place Picture at: ...").
    void setPlacementLabelText(const QString& text);

    TPageTiles& tiles() { return m_tiles; }

signals:
    void resized();
    void released(const TAreaRelease& release);
    void bandChanged(const QRect& band);
    void doubleClicked();
    // A wheel turned with Ctrl held: notches away from the user are positive.
    void zoomWheel(int notches);
    void painted();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollRanges();
    QPoint toPage(QPoint viewportPoint) const { return viewportPoint - pageOnViewport().topLeft(); }
    bool pageExceedsArea() const;

    TPageTiles m_tiles;
    TPageTiles::Renderer m_render;
    std::function<uint64_t()> m_revision;
    uint64_t m_tilesRevision = 0;
    int32_t m_zoom = 0;
    QRect m_page;
    QSize m_content;
    QColor m_background = QColor(128, 128, 128);

    // The press being held.
    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_pressOnPage = false;
    QPoint m_pressViewport;
    QPoint m_pressPage;
    QPoint m_pressScroll;
    bool m_pageMoved = false;
    int32_t m_placementMode = -1;
    QRubberBand* m_band = nullptr;
    QLabel* m_bandLabel = nullptr;
};

} // namespace orv
