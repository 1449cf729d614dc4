#include "viewer/PdfToolbarExport.h"

#include "viewer/PdfFileExport.h"
#include "platform/CurrentDirectory.h"
#include "viewer/PdfOptionsDialog.h"

namespace orv {

std::string runPdfToolbarExport(TReport& report, TUiServices& ui, IPdfOptionsDialog& dialog,
                                IPdfExportProgress* progress)
{
    TCurrentDirectoryGuard keepDirectory;
    const TPdfDialogOutcome outcome = dialog.ask();
    if (!outcome.save)
        return {};
    TPdfFileExport request;
    request.fileName = outcome.values.fileName;
    request.toolbarMode = true;
    request.silent = false;
    request.firstPage = outcome.values.firstPage;
    request.lastPage = outcome.values.lastPage;
    request.progress = progress;
    return exportPdfFile(report, ui, request);
}

} // namespace orv
