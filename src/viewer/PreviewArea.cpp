#include "viewer/PreviewArea.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace orv {

namespace {

// The wheel scrolls 15 pixels a notch.
constexpr int kWheelStep = 15;

int32_t placementModeOf(Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (shift && ctrl)
        return 2;
    if (ctrl)
        return 1;
    if (shift)
        return 0;
    return -1;
}

// The rectangle from one corner to the other: its size is the distance
// between them, as the cursor moved.
QRect spanned(QPoint from, QPoint to)
{
    return QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                 QSize(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())));
}

} // namespace

TPreviewArea::TPreviewArea(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setObjectName("PreviewArea");
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_band->setObjectName("PlacementBand");
    m_bandLabel = new QLabel(viewport());
    m_bandLabel->setObjectName("PlacementLabel");
    m_bandLabel->setAutoFillBackground(true);
    m_bandLabel->hide();
}

void TPreviewArea::setPlacement(int32_t pageNumber, int32_t zoom, const QRect& page, QSize content)
{
    m_tiles.show(pageNumber, zoom, page.size());
    m_zoom = zoom;
    m_page = page;
    m_content = content;
    updateScrollRanges();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void TPreviewArea::showPage(int32_t pageNumber)
{
    m_tiles.show(pageNumber, m_zoom, m_page.size());
    viewport()->update();
}

QRect TPreviewArea::pageOnViewport() const
{
    return m_page.translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

void TPreviewArea::setBackground(const QColor& colour)
{
    m_background = colour;
    viewport()->update();
}

void TPreviewArea::pageChanged()
{
    m_tiles.invalidate();
    viewport()->update();
}

void TPreviewArea::setPlacementLabelText(const QString& text)
{
    m_bandLabel->setText(text);
    m_bandLabel->adjustSize();
}

bool TPreviewArea::pageExceedsArea() const
{
    return m_page.width() > viewport()->width() || m_page.height() > viewport()->height();
}

void TPreviewArea::updateScrollRanges()
{
    // Scroll bars come and go with the ranges and narrow the viewport; two
    // rounds settle both.
    // An extent no larger than the whole area never scrolls.
    const bool acrossFits = m_content.width() <= width();
    const bool downFits = m_content.height() <= height();
    for (int round = 0; round < 2; ++round) {
        horizontalScrollBar()->setRange(0, acrossFits ? 0 : std::max(0, m_content.width() - viewport()->width()));
        verticalScrollBar()->setRange(0, downFits ? 0 : std::max(0, m_content.height() - viewport()->height()));
        horizontalScrollBar()->setPageStep(viewport()->width());
        verticalScrollBar()->setPageStep(viewport()->height());
        horizontalScrollBar()->setSingleStep(kWheelStep);
        verticalScrollBar()->setSingleStep(kWheelStep);
    }
}

bool TPreviewArea::event(QEvent* event)
{
    const bool handled = QAbstractScrollArea::event(event);
    if (event->type() == QEvent::Resize)
        emit resized();
    return handled;
}

void TPreviewArea::resizeEvent(QResizeEvent*)
{
    updateScrollRanges();
}

void TPreviewArea::paintEvent(QPaintEvent* event)
{
    if (m_revision && m_revision() != m_tilesRevision) {
        // Something changed since the tiles were made: all of it is redrawn.
        m_tilesRevision = m_revision();
        m_tiles.invalidate();
        if (event->region() != QRegion(viewport()->rect()))
            viewport()->update();
    }
    QPainter painter(viewport());
    const QRect page = pageOnViewport();
    const QRegion background = event->region().subtracted(QRegion(page));
    for (const QRect& rect : background)
        painter.fillRect(rect, m_background);
    if (m_render && !m_page.isEmpty()) {
        const QRect exposed = event->region().boundingRect().intersected(page);
        if (!exposed.isEmpty())
            m_tiles.paint(painter, page.topLeft(), exposed.translated(-page.topLeft()), m_render);
    }
    painter.end();
    emit painted();
}

void TPreviewArea::scrollContentsBy(int dx, int dy)
{
    // Moves what is on screen and exposes only the uncovered strip.
    viewport()->scroll(dx, dy);
}

void TPreviewArea::mousePressEvent(QMouseEvent* event)
{
    m_pressButton = event->button();
    m_pressViewport = event->position().toPoint();
    m_pressPage = toPage(m_pressViewport);
    m_pressOnPage = pageOnViewport().contains(m_pressViewport);
    m_pressScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    m_pageMoved = false;
    m_placementMode = -1;
    if (m_pressButton == Qt::LeftButton && m_pressOnPage) {
        m_placementMode = placementModeOf(event->modifiers());
        if (m_placementMode >= 0) {
            m_band->setGeometry(QRect(m_pressViewport, QSize()));
            m_band->show();
            m_bandLabel->move(m_pressViewport + QPoint(16, 16));
            m_bandLabel->show();
            emit bandChanged(QRect(m_pressPage, QSize()));
        }
    }
}

void TPreviewArea::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressButton != Qt::LeftButton || !m_pressOnPage)
        return;
    const QPoint at = event->position().toPoint();
    if (m_placementMode >= 0) {
        m_band->setGeometry(QRect(m_pressViewport, at).normalized());
        m_bandLabel->move(at + QPoint(16, 16));
        emit bandChanged(spanned(m_pressPage, toPage(at)));
        return;
    }
    if (!pageExceedsArea())
        return;
    viewport()->setCursor(Qt::ClosedHandCursor);
    const QPoint shift = at - m_pressViewport;
    horizontalScrollBar()->setValue(m_pressScroll.x() - shift.x());
    verticalScrollBar()->setValue(m_pressScroll.y() - shift.y());
    if (QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()) != m_pressScroll)
        m_pageMoved = true;
}

void TPreviewArea::mouseReleaseEvent(QMouseEvent* event)
{
    viewport()->unsetCursor();
    TAreaRelease release;
    release.button = event->button();
    release.onPage = m_pressOnPage;
    release.pressPoint = m_pressPage;
    release.releasePoint = toPage(event->position().toPoint());
    release.pageMoved = m_pageMoved;
    release.placementMode = m_placementMode;
    if (m_placementMode >= 0) {
        release.band = spanned(m_pressPage, release.releasePoint);
        m_band->hide();
        m_bandLabel->hide();
    }
    m_pressButton = Qt::NoButton;
    m_placementMode = -1;
    emit released(release);
}

void TPreviewArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press still counts as a press for the release after it.
    mousePressEvent(event);
    emit doubleClicked();
}

void TPreviewArea::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (event->modifiers() & Qt::ControlModifier) {
        if (notches != 0)
            emit zoomWheel(notches);
        event->accept();
        return;
    }
    if (verticalScrollBar()->maximum() > 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * kWheelStep);
    event->accept();
}

} // namespace orv
