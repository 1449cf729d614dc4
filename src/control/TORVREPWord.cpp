// The word-processor operations of the control: the report saved as a Word
// document, a document's pages taken in as page pictures, and the viewer's
// "Add Word Document" button.

#include "control/TORVREP.h"
#include "viewer/Preview.h"

#include "export/WordDocuments.h"

namespace orv {

namespace {

bool isFileName(const Variant& cFileName)
{
    return cFileName.isString() && !cFileName.toString().empty();
}

} // namespace

Variant TORVREP::SaveToWord(Variant& cFileName, bool lOpenFile)
{
    return runTrapped([&] {
        if (!isFileName(cFileName))
            return Variant(int32_t{-1});
        std::string fileName = cFileName.toString();
        const int32_t result = saveReportToWord(*m_report, *m_ui, fileName, lOpenFile);
        cFileName = Variant(fileName);
        return Variant(result);
    });
}

// The whole document is taken in: the page arguments are accepted and
// ignored.
Variant TORVREP::AddWordDocument(const Variant& cName, const Variant& cFileName, int32_t, int32_t, int32_t)
{
    return runTrapped([&] {
        if (!isFileName(cFileName))
            return Variant(int32_t{-1});
        const int32_t result = addWordDocument(*m_report, cName.toString(), cFileName.toString());
        m_report->contentChanged();
        return Variant(result);
    });
}

bool TORVREP::get_DisplayAddDocumentButton() { return m_displayAddDocumentButton; }
void TORVREP::put_DisplayAddDocumentButton(bool value)
{
    m_displayAddDocumentButton = value;
    m_preview->setControlShown("cmdAddWordDocument", value);
}

} // namespace orv
