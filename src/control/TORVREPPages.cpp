// The page operations of the control: creating, sizing, deleting and
// numbering pages, the page-level properties and navigation.

#include "control/TORVREP.h"

#include "document/PaperSizes.h"

namespace orv {

// --- pages ---------------------------------------------------------------------

Variant TORVREP::NewPage(float nPageWidth, float nPageHeight, int32_t nOrientation, int32_t nBinNumber,
                         int32_t nPageNumber)
{
    return runTrapped([&] {
        m_report->newPage(nPageWidth, nPageHeight, nOrientation, nBinNumber, nPageNumber);
        return Variant();
    });
}

void TORVREP::NewPageByPaperSize(int32_t nPaperSize, int32_t nOrientation, int32_t nBinNumber, int32_t nPageNumber)
{
    runTrapped([&] { m_report->newPageByPaperSize(nPaperSize, nOrientation, nBinNumber, nPageNumber); });
}

void TORVREP::SetPageByPaperSize(int32_t nPaperSize, int32_t nOrientation, int32_t)
{
    runTrapped([&] { m_report->setPageByPaperSize(nPaperSize, nOrientation); });
}

int32_t TORVREP::DeletePage(int32_t nStartPage, int32_t nLastPage)
{
    return runTrapped([&] {
        m_report->deletePage(nStartPage, nLastPage);
        return 0;
    });
}

void TORVREP::Clear()
{
    runTrapped([&] { m_report->clear(); });
}

void TORVREP::ClearAll()
{
    Clear();
}

bool TORVREP::SetPageNumberToOne(int32_t nPageNumber)
{
    return runTrapped([&] { return m_report->setPageNumberToOne(nPageNumber); });
}

int32_t TORVREP::get_nTotalPages()
{
    return m_report->pageCount();
}

void TORVREP::put_nTotalPages(int32_t) {}

int32_t TORVREP::get_nPageNumber()
{
    return m_report->viewPageNumber();
}

void TORVREP::put_nPageNumber(int32_t) {}

float TORVREP::get_PageWidth()
{
    return m_report->layoutWidth();
}

void TORVREP::put_PageWidth(float value)
{
    runTrapped([&] { m_report->setLayoutWidth(value); });
}

float TORVREP::get_PageHeight()
{
    return m_report->layoutHeight();
}

void TORVREP::put_PageHeight(float value)
{
    runTrapped([&] { m_report->setLayoutHeight(value); });
}

int32_t TORVREP::get_PaperBin()
{
    return runTrapped([&] {
        m_report->syncDrawPageToViewPage();
        return m_report->drawPage().PaperBin;
    });
}

void TORVREP::put_PaperBin(int32_t value)
{
    runTrapped([&] {
        m_report->syncDrawPageToViewPage();
        if (value > 0)
            m_report->drawPage().PaperBin = value;
    });
}

int32_t TORVREP::get_MediaType()
{
    return runTrapped([&] { return m_report->viewPage().MediaType; });
}

void TORVREP::put_MediaType(int32_t value)
{
    runTrapped([&] {
        if (value > 0)
            m_report->viewPage().MediaType = value;
    });
}

Variant TORVREP::get_PageForm()
{
    return runTrapped([&] { return Variant(m_report->viewPage().FormName); });
}

void TORVREP::put_PageForm(const Variant& value)
{
    runTrapped([&] {
        if (value.isString())
            m_report->viewPage().FormName = value.toString();
    });
}

int32_t TORVREP::get_PageSize()
{
    return runTrapped([&] {
        const TPageObject& shown = m_report->viewPage();
        return lookUpPaperSize(shown.Width, shown.Height);
    });
}

void TORVREP::put_PageSize(int32_t value)
{
    runTrapped([&] { m_report->viewPage().PaperSize = static_cast<int16_t>(value); });
}

// Reserved page properties: accepted, no effect, no value.
float TORVREP::get_nCurrentPageWidth() { return 0; }
void TORVREP::put_nCurrentPageWidth(float) {}
float TORVREP::get_nCurrentPageHeight() { return 0; }
void TORVREP::put_nCurrentPageHeight(float) {}
int32_t TORVREP::get_nCurrentPageOrientation() { return 0; }
void TORVREP::put_nCurrentPageOrientation(int32_t) {}
int32_t TORVREP::get_nCurrentPageBinNumber() { return 0; }
void TORVREP::put_nCurrentPageBinNumber(int32_t) {}
int32_t TORVREP::get_nPageOrientation() { return 0; }
void TORVREP::put_nPageOrientation(int32_t) {}

// --- page navigation -------------------------------------------------------------

void TORVREP::FirstPage()
{
    runTrapped([&] { m_report->firstPage(); });
}

void TORVREP::PriorPage()
{
    runTrapped([&] { m_report->priorPage(); });
}

void TORVREP::NextPage()
{
    runTrapped([&] { m_report->nextPage(); });
}

void TORVREP::LastPage()
{
    runTrapped([&] { m_report->lastPage(); });
}

Variant TORVREP::GotoPage(int32_t nPageNumber)
{
    return runTrapped([&] {
        m_report->gotoPage(nPageNumber);
        return Variant();
    });
}

} // namespace orv
