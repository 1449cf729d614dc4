#pragma once

#include "document/AdvanceCache.h"
#include "document/Page.h"
#include "document/ReportObserver.h"
#include "document/Settings.h"
#include "document/TempFiles.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orv {

// The report: an ordered list of pages (page n is item n - 1) plus every
// report-wide setting. It always holds at least one page outside an
// operation. Page positions in its interface count from 1.
class TReport {
public:
    explicit TReport(IReportObserver* observer = nullptr);
    TReport(const TReport&) = delete;
    TReport& operator=(const TReport&) = delete;

    void setObserver(IReportObserver* observer) { m_observer = observer; }

    // --- pages -------------------------------------------------------------
    int32_t pageCount() const { return static_cast<int32_t>(m_pages.size()); }
    // Page n (1-based); a number outside 1..pageCount() throws.
    TPageObject& page(int32_t n);
    const TPageObject& page(int32_t n) const;
    int32_t drawPageNumber() const { return m_drawPage; }
    int32_t viewPageNumber() const { return m_viewPage; }
    TPageObject& drawPage() { return page(m_drawPage); }
    TPageObject& viewPage() { return page(m_viewPage); }

    // Creates a page of the given size in inches (0 or less: 8.5 x 11).
    // pageNumber 0 appends, -1 inserts as page 1, p >= 1 inserts before page
    // p; a number beyond the page count appends.
    void newPage(float width, float height, int32_t orientation, int32_t binNumber, int32_t pageNumber);
    // Creates a page of a paper-size code (unknown codes give Letter, code 1).
    void newPageByPaperSize(int32_t paperSize, int32_t orientation, int32_t binNumber, int32_t pageNumber);
    // Resizes the view page to a paper-size code; objects keep their places.
    void setPageByPaperSize(int32_t paperSize, int32_t orientation);
    // Removes pages start..last (both 0: the view page); removing the last
    // remaining page clears the report.
    void deletePage(int32_t start, int32_t last);
    // Frees every page, empties the font tables and deletes the temporary
    // files, then starts again with one Letter page. Settings survive.
    void clear();

    // Appends an empty object to the draw page and returns it for filling.
    TReportObject& appendObject();
    int32_t totalObjectCount() const;

    // --- page numbering ----------------------------------------------------
    // Adds a page at which numbering restarts at 1; false when n is out of
    // 1..pageCount()+1 or already listed.
    bool setPageNumberToOne(int32_t n);
    const std::vector<int32_t>& numberRestarts() const { return m_numberRestarts; }
    // The number and the total that page n shows, restarts applied.
    int32_t pageNumberInSection(int32_t n) const;
    int32_t pageTotalInSection(int32_t n) const;

    // --- page cursors and layout --------------------------------------------
    // Shows page n: the view page (and, unless in background, the draw page)
    // moves there; the preview is laid out again when the size differs.
    void showPage(int32_t n);
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void gotoPage(int32_t n);
    // Shows page n without moving the draw page: what is added next still
    // goes where it went before.
    void moveViewPage(int32_t n);

    bool processInBackground() const { return m_processInBackground; }
    void setProcessInBackground(bool on);
    // Points the draw page at the view page unless building in background.
    void syncDrawPageToViewPage();
    // Asks the viewer to repaint after a change of what it shows (a
    // watermark, the calendar) that the report does not make itself.
    void contentChanged();
    // Grows with every change the report knows of (objects added, pages
    // created, moved or deleted, repaints asked for): a picture of a page
    // taken at one revision is stale at another.
    uint64_t revision() const { return m_revision; }

    float layoutWidth() const { return m_layoutWidth; }
    float layoutHeight() const { return m_layoutHeight; }
    // The PageWidth/PageHeight writes: resize the layout and the view page.
    void setLayoutWidth(float inches);
    void setLayoutHeight(float inches);
    float lastNewPageWidth() const { return m_lastNewPageWidth; }
    float lastNewPageHeight() const { return m_lastNewPageHeight; }

    // --- measured fonts and temporary files ---------------------------------
    std::vector<TReportFont> Fonts;
    std::vector<TPDFReportFont> PdfFonts;
    TTempFiles TempFiles;
    // What text layout has measured of each screen font; a pure function of
    // the font, so it outlives Clear.
    TAdvanceCaches AdvanceCaches;

    // --- report-wide settings -----------------------------------------------
    bool GdiPlusAvailable = false;
    int32_t TextRenderingHint = 0;
    std::string FindTrace;
    uint8_t PageBorderSize = 10;
    int32_t RedrawCount = 0;
    std::string VersionText;
    uint8_t PageMode = 0;
    int32_t PaperStyle = 0;
    bool ShowGrid = false;
    uint8_t ShowFindToolbar = 0;
    bool ShowPrinterMargins = false;
    Colour PaperColor = 0xFFFFFF;
    bool ShowPageBorder = true;
    int32_t PopupMenuMode = 0;
    Colour GridColor = 0xC0C0C0;
    std::string DefaultFontName = "Arial";
    int16_t DefaultFontSize = 12;
    std::string DefaultFontStyle;
    Colour DefaultForeColor = 0;
    Colour DefaultBackColor = 0xFFFFFF;
    int32_t PrinterScale = 100;
    int32_t ZoomPercent = 0;
    TPDFSetup PdfSetup;
    TPrinterSetup PrinterSetup;
    // The current printer's metrics: resolution, unprintable edges and
    // printable area in inches, and the unprintable left and top edges in
    // device pixels.
    int32_t PrinterDpiX = 0;
    int32_t PrinterDpiY = 0;
    Currency PrinterOffsetLeft;
    Currency PrinterOffsetTop;
    Currency PrinterMarginRight;
    Currency PrinterMarginBottom;
    Currency PrintableWidth;
    Currency PrintableHeight;
    int32_t PrinterOffsetXPixels = 0;
    int32_t PrinterOffsetYPixels = 0;
    TEMAILSetup EmailSetup;
    Currency PreviewOffsetX;
    Currency PreviewOffsetY;
    Currency PrintOffsetX;
    Currency PrintOffsetY;
    TCalendarSetup Calendar;
    uint8_t ViewPagesPerSheet = 1;
    uint8_t PdfPagesPerSheet = 1;
    std::string PrintJobTitle = "Orv Report Engine";

    // Find state: the current hit (0-based page and object, -1 when none).
    int32_t FindPage = -1;
    int32_t FindObject = -1;
    int32_t FindHit = 0;
    bool FindMatchCase = false;
    bool HighlightAll = false;
    std::string FindText;
    bool FindActive = false;
    struct Range {
        int32_t start;
        int32_t length;
    };
    std::vector<Range> FindRanges;

private:
    int32_t insertPage(int32_t pageNumber);
    // Takes the view page's size as the layout size when it differs; true
    // when the preview was laid out again.
    bool adoptViewPageSize();
    void notifyLayout();
    void notifyRepaint();
    void notifyNavigation();

    IReportObserver* m_observer = nullptr;
    std::vector<std::unique_ptr<TPageObject>> m_pages;
    int32_t m_drawPage = 0;
    int32_t m_viewPage = 0;
    bool m_processInBackground = false;
    uint64_t m_revision = 0;
    float m_layoutWidth = 8.5f;
    float m_layoutHeight = 11.0f;
    float m_lastNewPageWidth = 8.5f;
    float m_lastNewPageHeight = 11.0f;
    std::vector<int32_t> m_numberRestarts;
};

} // namespace orv
