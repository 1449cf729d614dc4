#include "printing/PrintConfirmDialog.h"

#include "platform/UiServices.h"
#include "printing/PrinterInventory.h"

namespace orv {

std::optional<TPrintChoices> TPrintConfirmDialog::ask(const TPrintDialogPreset& preset, TCurrentPrinter& printer)
{
    const std::string question = "Print " + std::to_string(preset.pageCount) +
                                 (preset.pageCount == 1 ? " page" : " pages") + " on " + printer.name() + "?";
    if (m_ui.showMessage("Print", question, TUiServices::Icon::Question, TUiServices::Buttons::OkCancel) !=
        TUiServices::Answer::Ok)
        return std::nullopt;
    TPrintChoices choices;
    choices.printerIndex = printer.index();
    choices.duplex = preset.duplex;
    choices.reverse = preset.reverse;
    choices.pagesPerSheet = preset.pagesPerSheet;
    choices.fitToPage = preset.shrinkToFit;
    const std::optional<TPrinterCaps> caps = printer.caps();
    choices.colour = caps && caps->colour;
    return choices;
}

} // namespace orv
