#pragma once

#include <cstdint>
#include <string>

namespace orv {

class TReport;
class TUiServices;

// SaveToWord: the report as a Word document (".DOC", written by LibreOffice)
// of one page per report page, each page of the report's paper with 20 point
// margins holding the page's picture. `fileName` (non-empty) receives the
// full name: a name without a folder gets the current directory. The
// document is saved under that name with its extension replaced by ".DOC".
// The view page becomes page 1 and the clipboard holds the last page's
// picture. Returns 0; -2 when the folder does not exist, LibreOffice cannot
// be started or saving failed; -3 when `openFile` is set and the document is
// missing afterwards.
int32_t saveReportToWord(TReport& report, TUiServices& ui, std::string& fileName, bool openFile);

// AddWordDocument: each page of the document `fileName` (any format
// LibreOffice reads) as a picture of the area inside its margins, stored as a
// temporary ".WMF" file in the current directory and placed at the margins
// on a report page of the document page's paper: the first on the view
// page, the others on pages appended to the report. The view page is
// restored afterwards. Returns 0; -2 when no ".DOC" file (any case) exists
// under `fileName` with its extension replaced; -3 when LibreOffice cannot
// be started. Throws when the document cannot be converted.
int32_t addWordDocument(TReport& report, const std::string& pictureName, const std::string& fileName);

} // namespace orv
