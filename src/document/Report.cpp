#include "document/Report.h"

#include "document/PaperSizes.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>
#include <utility>

namespace orv {

namespace {

constexpr float kLetterWidth = 8.5f;
constexpr float kLetterHeight = 11.0f;

bool swapsSides(int32_t orientation)
{
    return (orientation & 0xFF) == 1;
}

} // namespace

TReport::TReport(IReportObserver* observer)
    : m_observer(observer)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    Calendar.CalendarMonth = local.tm_mon + 1;
    Calendar.CalendarYear = local.tm_year + 1900;

    newPage(kLetterWidth, kLetterHeight, 0, 0, 0);
}

TPageObject& TReport::page(int32_t n)
{
    return const_cast<TPageObject&>(std::as_const(*this).page(n));
}

const TPageObject& TReport::page(int32_t n) const
{
    if (n < 1 || n > pageCount())
        throw std::out_of_range("Page " + std::to_string(n) + " does not exist; the report has "
                                + std::to_string(pageCount()) + " page(s)");
    return *m_pages[n - 1];
}

int32_t TReport::insertPage(int32_t pageNumber)
{
    // Checked before anything changes, so a refused position leaves the
    // report exactly as it was.
    if (pageNumber < -1)
        throw std::out_of_range("Cannot insert a page at position " + std::to_string(pageNumber));
    if (pageNumber > pageCount())
        pageNumber = 0;

    // The page drawn on so far is usually done: it gives back the room its
    // object list grew into beyond its objects.
    if (m_drawPage >= 1 && m_drawPage <= pageCount())
        drawPage().Objects.shrink_to_fit();
    auto fresh = std::make_unique<TPageObject>();
    if (pageNumber == 0) {
        m_pages.push_back(std::move(fresh));
        m_drawPage = pageCount();
    } else {
        const int32_t position = pageNumber == -1 ? 1 : pageNumber;
        m_pages.insert(m_pages.begin() + (position - 1), std::move(fresh));
        m_drawPage = position;
        for (int32_t& restart : m_numberRestarts)
            if (restart >= position)
                ++restart;
    }
    if (!m_processInBackground)
        m_viewPage = m_drawPage;
    return m_drawPage;
}

void TReport::newPage(float width, float height, int32_t orientation, int32_t binNumber, int32_t pageNumber)
{
    refuseImpossiblePageSide(width);
    refuseImpossiblePageSide(height);
    TPageObject& fresh = page(insertPage(pageNumber));

    double w = roundHalfEven(static_cast<double>(width) * 10000);
    double h = roundHalfEven(static_cast<double>(height) * 10000);
    if (swapsSides(orientation))
        std::swap(w, h);
    m_lastNewPageWidth = static_cast<float>(w / 10000);
    m_lastNewPageHeight = static_cast<float>(h / 10000);
    if (w <= 0)
        w = 85000;
    if (h <= 0)
        h = 110000;

    fresh.Orientation = TPageObject::orientationFor(w, h);
    fresh.Width = w / 10000;
    fresh.Height = h / 10000;
    fresh.PaperBin = binNumber;
    fresh.PaperSize = kPaperLetter;

    notifyNavigation();
    if (m_processInBackground)
        return;
    if (static_cast<double>(m_layoutWidth) * 10000 == w && static_cast<double>(m_layoutHeight) * 10000 == h) {
        notifyRepaint();
    } else {
        m_layoutWidth = static_cast<float>(w / 10000);
        m_layoutHeight = static_cast<float>(h / 10000);
        notifyLayout();
    }
}

void TReport::newPageByPaperSize(int32_t paperSize, int32_t orientation, int32_t binNumber, int32_t pageNumber)
{
    std::optional<PaperSize> size = paperSizeOf(paperSize);
    if (!size) {
        size = PaperSize{kLetterWidth, kLetterHeight};
        paperSize = kPaperLetter;
    }
    TPageObject& fresh = page(insertPage(pageNumber));

    float w = size->width;
    float h = size->height;
    if (swapsSides(orientation))
        std::swap(w, h);
    m_lastNewPageWidth = w;
    m_lastNewPageHeight = h;
    fresh.Orientation = TPageObject::orientationFor(w, h);
    fresh.PaperSize = static_cast<int16_t>(paperSize);
    fresh.Width = w;
    fresh.Height = h;
    fresh.PaperBin = binNumber;

    notifyNavigation();
    if (m_processInBackground)
        return;
    if (m_layoutWidth == w && m_layoutHeight == h) {
        notifyRepaint();
    } else {
        m_layoutWidth = w;
        m_layoutHeight = h;
        notifyLayout();
    }
}

void TReport::setPageByPaperSize(int32_t paperSize, int32_t orientation)
{
    std::optional<PaperSize> size = paperSizeOf(paperSize);
    if (!size) {
        size = PaperSize{kLetterWidth, kLetterHeight};
        if (paperSize != kPaperUserDefined)
            paperSize = kPaperLetter;
    }
    TPageObject& target = viewPage();
    float w = size->width;
    float h = size->height;
    if (swapsSides(orientation))
        std::swap(w, h);
    target.PaperSize = static_cast<int16_t>(paperSize);
    target.Orientation = h > w ? 1 : 2;
    target.Width = w;
    target.Height = h;
    m_lastNewPageWidth = m_layoutWidth = w;
    m_lastNewPageHeight = m_layoutHeight = h;
    notifyLayout();
}

void TReport::deletePage(int32_t start, int32_t last)
{
    start = std::max(start, 0);
    last = std::max(last, 0);
    if (pageCount() == 1) {
        clear();
        return;
    }
    if (start == 0 && last == 0) {
        start = last = m_viewPage;
    } else {
        if (start == 0)
            start = 1;
        if (last == 0)
            last = start;
        if (last < start)
            std::swap(start, last);
    }

    for (int64_t i = start; i <= last; ++i) {
        if (pageCount() < start)
            break;
        if (pageCount() == 1) {
            clear();
            return;
        }
        m_pages.erase(m_pages.begin() + (start - 1));
        if (m_viewPage > pageCount())
            m_viewPage = pageCount();
    }

    adoptViewPageSize();
    m_drawPage = m_viewPage;
    notifyNavigation();
    notifyRepaint();
}

void TReport::clear()
{
    while (!m_pages.empty())
        m_pages.pop_back();
    m_drawPage = m_viewPage = 0;
    Fonts.clear();
    TempFiles.deleteAll();
    PdfFonts.clear();
    // No hit survives the pages it pointed into.
    FindPage = FindObject = -1;

    newPage(kLetterWidth, kLetterHeight, 0, 0, 0);
    // Background building moves only the draw page, but after a clear the old
    // view page is gone: the fresh page is the one to show.
    if (m_processInBackground) {
        m_viewPage = m_drawPage;
        if (!adoptViewPageSize())
            notifyRepaint();
        notifyNavigation();
    }
}

TReportObject& TReport::appendObject()
{
    ++m_revision;
    return drawPage().Objects.emplace_back();
}

int32_t TReport::totalObjectCount() const
{
    int32_t total = 0;
    for (const auto& p : m_pages)
        total += p->objectCount();
    return total;
}

bool TReport::setPageNumberToOne(int32_t n)
{
    if (n <= 0 || n > pageCount() + 1)
        return false;
    if (std::find(m_numberRestarts.begin(), m_numberRestarts.end(), n) != m_numberRestarts.end())
        return false;
    m_numberRestarts.push_back(n);
    std::sort(m_numberRestarts.begin(), m_numberRestarts.end());
    return true;
}

int32_t TReport::pageNumberInSection(int32_t n) const
{
    auto after = std::upper_bound(m_numberRestarts.begin(), m_numberRestarts.end(), n);
    if (after == m_numberRestarts.begin())
        return n;
    return n - *(after - 1) + 1;
}

int32_t TReport::pageTotalInSection(int32_t n) const
{
    if (m_numberRestarts.empty())
        return pageCount();
    auto after = std::upper_bound(m_numberRestarts.begin(), m_numberRestarts.end(), n);
    if (after == m_numberRestarts.begin())
        return m_numberRestarts.front() - 1;
    if (after == m_numberRestarts.end())
        return pageCount() - m_numberRestarts.back() + 1;
    return *after - *(after - 1);
}

void TReport::showPage(int32_t n)
{
    page(n); // the page must exist
    if (!m_processInBackground)
        m_drawPage = n;
    moveViewPage(n);
}

void TReport::firstPage()
{
    showPage(1);
}

void TReport::priorPage()
{
    if (m_viewPage >= 2)
        showPage(m_viewPage - 1);
}

void TReport::nextPage()
{
    if (m_viewPage < pageCount())
        showPage(m_viewPage + 1);
}

void TReport::lastPage()
{
    showPage(pageCount());
}

void TReport::gotoPage(int32_t n)
{
    if (n >= 1 && n <= pageCount())
        showPage(n);
}

void TReport::moveViewPage(int32_t n)
{
    page(n); // the page must exist
    m_viewPage = n;
    if (!adoptViewPageSize())
        notifyRepaint();
    notifyNavigation();
}

void TReport::setProcessInBackground(bool on)
{
    m_processInBackground = on;
    if (!on) {
        m_drawPage = m_viewPage;
        notifyNavigation();
        adoptViewPageSize();
    }
    if (m_observer)
        m_observer->reportBackgroundChanged(on);
}

void TReport::syncDrawPageToViewPage()
{
    if (!m_processInBackground)
        m_drawPage = m_viewPage;
}

void TReport::contentChanged()
{
    notifyRepaint();
}

void TReport::setLayoutWidth(float inches)
{
    refuseImpossiblePageSide(inches);
    if (inches <= 0)
        return;
    viewPage().Width = inches;
    m_layoutWidth = inches;
    notifyLayout();
}

void TReport::setLayoutHeight(float inches)
{
    refuseImpossiblePageSide(inches);
    if (inches <= 0)
        return;
    viewPage().Height = inches;
    m_layoutHeight = inches;
    notifyLayout();
}

bool TReport::adoptViewPageSize()
{
    const TPageObject& shown = viewPage();
    const float w = static_cast<float>(shown.Width);
    const float h = static_cast<float>(shown.Height);
    if (w == m_layoutWidth && h == m_layoutHeight)
        return false;
    m_layoutWidth = w;
    m_layoutHeight = h;
    notifyLayout();
    return true;
}

void TReport::notifyLayout()
{
    ++m_revision;
    if (m_observer)
        m_observer->reportLayoutChanged();
}

void TReport::notifyRepaint()
{
    ++m_revision;
    if (m_observer)
        m_observer->reportContentChanged();
}

void TReport::notifyNavigation()
{
    ++m_revision;
    if (m_observer)
        m_observer->reportNavigationChanged();
}

} // namespace orv
