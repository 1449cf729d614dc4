#pragma once

#include "printing/PrintJob.h"

namespace orv {

class TUiServices;

// Asks to confirm a print job in a message box and answers as the print
// dialog does when it is confirmed unchanged: the current printer, all
// pages, one copy without collation, even and odd pages, in colour when the
// printer prints colour, and the preset's duplex, order, pages per sheet and
// fitting.
class TPrintConfirmDialog : public IPrintDialog {
public:
    explicit TPrintConfirmDialog(TUiServices& ui) : m_ui(ui) {}

    std::optional<TPrintChoices> ask(const TPrintDialogPreset& preset, TCurrentPrinter& printer) override;

private:
    TUiServices& m_ui;
};

} // namespace orv
