// What the viewer's buttons and page menu start: the PDF options dialog and
// export, the Save As Image dialog, the e-mail editors and the print job.

#include "control/TORVREP.h"

#include "platform/UiServices.h"
#include "viewer/EmailFromViewer.h"
#include "viewer/PdfOptionsDialog.h"
#include "viewer/PdfProgressWindow.h"
#include "viewer/PdfToolbarExport.h"
#include "viewer/SaveAsImageDialog.h"

#include <exception>
#include <memory>

namespace orv {

namespace {

// Runs a viewer action; what fails is told to the user, who started it.
template <typename Action>
void tellingFailures(TUiServices& ui, Action&& action)
{
    try {
        action();
    } catch (const std::exception& failure) {
        ui.showMessage("Error", failure.what(), TUiServices::Icon::Error, TUiServices::Buttons::Ok);
    }
}

} // namespace

void TORVREP::saveToPdfFromViewer()
{
    tellingFailures(*m_ui, [this] {
        if (m_ownedUi) {
            TPdfOptionsDialog dialog(*m_report, m_interfaceTexts, *m_ui, m_report->viewPageNumber(), window());
            TPdfProgressWindow progress(*m_ui, window());
            runPdfToolbarExport(*m_report, *m_ui, dialog, &progress);
        } else {
            TPdfSaveConfirmation confirmation(*m_report, *m_ui);
            runPdfToolbarExport(*m_report, *m_ui, confirmation, nullptr);
        }
    });
}

void TORVREP::saveAsImageFromViewer()
{
    tellingFailures(*m_ui, [this] {
        if (m_ownedUi) {
            TSaveAsImageDialog dialog(*m_report, m_interfaceTexts, *m_ui, window());
            dialog.exec();
        } else {
            saveAsImageWithoutDialog(*m_report, *m_ui);
        }
    });
}

void TORVREP::emailFromViewer()
{
    tellingFailures(*m_ui, [this] {
        emailReportFromViewer(*m_report, m_interfaceTexts, *m_ui, window(), m_ownedUi != nullptr);
    });
}

// The print settings as they are, the print dialog first when asked for.
void TORVREP::printFromViewer()
{
    tellingFailures(*m_ui, [this] { printWithCurrentSettings(m_report->PrinterSetup.PromptForPrint); });
}

} // namespace orv
