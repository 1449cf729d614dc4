#pragma once

#include "pdfexport/ReportPdfExport.h"
#include "printing/PrintProgressWindow.h"

#include <QPointer>

class QWidget;

namespace orv {

class TUiServices;

// The window a PDF file export shows while it runs: "Saving Report to PDF
// Document", a bar over the pages written and the button that asks before
// it cancels, with the hourglass cursor meanwhile.
class TPdfProgressWindow : public IPdfExportProgress {
public:
    static constexpr const char* kCaption = "Saving Report to PDF Document";

    explicit TPdfProgressWindow(TUiServices& ui, QWidget* parent = nullptr);
    ~TPdfProgressWindow() override;
    TPdfProgressWindow(const TPdfProgressWindow&) = delete;
    TPdfProgressWindow& operator=(const TPdfProgressWindow&) = delete;

    void start(int32_t pageCount) override;
    void advance(int32_t pages) override;
    bool cancelled() override;
    void finish() override;

    TOperationProgressWindow& window() { return *m_window; }

private:
    void restoreCursor();

    // The host's window may be destroyed first and take the window along.
    QPointer<TOperationProgressWindow> m_window;
    bool m_busyCursor = false;
};

} // namespace orv
