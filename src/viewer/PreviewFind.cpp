#include "viewer/PreviewFind.h"

#include "document/Report.h"
#include "platform/Screen.h"
#include "viewer/FindToolbar.h"
#include "viewer/Preview.h"
#include "viewer/ReportSearch.h"
#include "viewer/ViewerActions.h"

#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <exception>

namespace orv {

namespace {

// The scroll positions of a hit carry this offset, as the page's band is
// reckoned from it.
constexpr int kScrollOffset = 20;
// A hit is brought into view horizontally at least this wide.
constexpr double kMinHitWidth = 0.75;

// The hourglass while a search runs.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

std::string utf8(const QString& text) { return text.toStdString(); }

} // namespace

TPreviewFind::TPreviewFind(TPreview& preview, TReport& report, TInterfaceTexts& texts, TViewerActions& actions)
    : QObject(&preview)
    , m_preview(preview)
    , m_report(report)
    , m_texts(texts)
    , m_actions(actions)
{
    m_toolbar = new TFindToolbar(preview.findDock(false));
    preview.findDock(false)->layout()->addWidget(m_toolbar);
    connect(m_toolbar, &TFindToolbar::nextRequested, this, [this] { searchFromToolbar(false); });
    connect(m_toolbar, &TFindToolbar::previousRequested, this, [this] { searchFromToolbar(true); });
    connect(m_toolbar, &TFindToolbar::closeRequested, this, &TPreviewFind::close);
    connect(m_toolbar, &TFindToolbar::searchTextChanged, this, &TPreviewFind::onSearchTextChanged);
    connect(m_toolbar, &TFindToolbar::highlightClicked, this, &TPreviewFind::onHighlightClicked);
    m_toolbar->applyTexts(m_texts);
}

bool TPreviewFind::toolbarOpen() const { return !m_toolbar->isHidden(); }

void TPreviewFind::show(bool top)
{
    QWidget* dock = m_preview.findDock(top);
    QWidget* other = m_preview.findDock(!top);
    if (m_toolbar->parentWidget() != dock) {
        other->layout()->removeWidget(m_toolbar);
        m_toolbar->setParent(dock);
        dock->layout()->addWidget(m_toolbar);
    }
    other->hide();
    m_toolbar->applyTexts(m_texts);
    m_toolbar->show();
    dock->show();
    m_preview.layoutAgain();
    m_toolbar->searchBox()->setFocus();
}

void TPreviewFind::hide()
{
    m_toolbar->hide();
    m_preview.findDock(true)->hide();
    m_preview.findDock(false)->hide();
    m_preview.layoutAgain();
}

void TPreviewFind::setDisplay(int32_t value)
{
    if (value < 0 || value > 2)
        return;
    m_report.ShowFindToolbar = static_cast<uint8_t>(value);
    if (value == 0)
        hide();
    else
        show(value == 2);
    // The find button shows whether the toolbar is open.
    m_preview.toolbar()->button("cmdFind")->setChecked(value != 0);
}

void TPreviewFind::toggled(bool down, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        clearMarks();
    if (down)
        show(modifiers & Qt::ControlModifier);
    else
        hide();
}

void TPreviewFind::close()
{
    hide();
    m_report.HighlightAll = false;
    m_report.FindPage = -1;
    m_report.FindObject = -1;
    m_preview.toolbar()->button("cmdFind")->setChecked(false);
    m_report.contentChanged();
}

void TPreviewFind::open()
{
    if (!toolbarOpen()) {
        show(m_toolbar->parentWidget() == m_preview.findDock(true));
        m_preview.toolbar()->button("cmdFind")->setChecked(true);
    }
    m_toolbar->searchBox()->setFocus();
    m_toolbar->searchBox()->selectAll();
}

void TPreviewFind::search(const std::string& text, bool matchCase, bool backwards)
{
    const TWaitCursor wait;
    const TSearchStep step = searchReport(m_report, text, matchCase, backwards, m_toolbar->highlightPressed());
    if (step == TSearchStep::NewObject) {
        // The hit's page first: a page of another size is laid out anew,
        // and the hit is then brought into view on that layout.
        m_report.gotoPage(m_report.FindPage + 1);
        bringIntoView(m_report.page(m_report.FindPage + 1).Objects[size_t(m_report.FindObject)]);
    }
    if (step != TSearchStep::NotFound)
        m_report.contentChanged();
}

void TPreviewFind::searchFromToolbar(bool backwards)
{
    const QString text = m_toolbar->text();
    if (text.isEmpty())
        return;
    try {
        search(utf8(text), m_toolbar->matchCase(), backwards);
    } catch (const std::exception& failure) {
        m_actions.tellFailure(failure.what());
    }
}

void TPreviewFind::clearMarks()
{
    clearFoundMarks(m_report);
    m_report.contentChanged();
}

void TPreviewFind::applyTexts()
{
    m_toolbar->applyTexts(m_texts);
    m_preview.layoutAgain();
}

void TPreviewFind::applyStyle(int32_t toolbarStyle) { m_toolbar->applyStyle(toolbarStyle); }

void TPreviewFind::onSearchTextChanged()
{
    m_report.FindText = utf8(m_toolbar->text());
    m_report.FindMatchCase = m_toolbar->matchCase();
    m_report.FindActive = !m_report.FindText.empty() && m_toolbar->searchBox()->isVisible();
    m_report.contentChanged();
}

void TPreviewFind::onHighlightClicked(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        clearFoundMarks(m_report);
    m_report.HighlightAll = m_toolbar->highlightPressed();
    if (m_report.HighlightAll)
        markPage(m_report, m_report.viewPageNumber() - 1, utf8(m_toolbar->text()), m_toolbar->matchCase());
    m_report.contentChanged();
}

void TPreviewFind::bringIntoView(const TReportObject& hit)
{
    const double k = screenPixelsPerInch() * m_report.ZoomPercent / 100.0;
    if (k <= 0)
        return;
    const TPreviewArea& area = *m_preview.area();

    // Vertically: the band of the page in view runs from (V - 20) / k
    // inches for the height of the area.
    QScrollBar* down = area.verticalScrollBar();
    const double height = area.viewport()->height();
    const double top = (down->value() - kScrollOffset) / k;
    const double bottom = top + height / k;
    const double y = hit.VPos / 10000.0;
    const double lineHeight = hit.LineHeight;
    if (y < top + lineHeight || y > bottom) {
        const double target = y <= bottom ? k * (y - lineHeight) : k * (y - height / k + lineHeight);
        down->setValue(static_cast<int>(std::trunc(target)) + kScrollOffset);
    }

    // Horizontally: the hit's left edge, or its right edge (at least 0.75 in
    // from its left), comes to the edge of the view it lay beyond. The page's
    // own place in the scrolled extent is the offset, so the hit lands
    // exactly on the edge.
    QScrollBar* across = area.horizontalScrollBar();
    const int pageLeft = area.pagePlacement().left();
    const double width = area.viewport()->width();
    const double left = (across->value() - pageLeft) / k;
    const double right = left + width / k;
    const double x = hit.HPos / 10000.0;
    const double hitRight = x + std::max(hit.Width / 10000.0, kMinHitWidth);
    if (hitRight > right)
        across->setValue(pageLeft + static_cast<int>(std::ceil(k * hitRight - width)));
    if (x < (across->value() - pageLeft) / k)
        across->setValue(pageLeft + static_cast<int>(std::trunc(k * x)));
}

} // namespace orv
