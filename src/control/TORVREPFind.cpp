// Find and the interface texts: the host's searches, the find dialog, the
// find toolbar and button switches, the language and the host's own tooltip
// texts.

#include "control/TORVREP.h"

#include "platform/UiServices.h"
#include "viewer/FindDialog.h"
#include "viewer/Preview.h"
#include "viewer/PreviewFind.h"

namespace orv {

void TORVREP::Find(const Variant& cString, bool lCaseSensitive, bool)
{
    runTrapped([&] {
        const std::string text = cString.toString();
        if (text.empty())
            findWithDialog();
        else
            m_preview->find().search(text, lCaseSensitive, false);
    });
}

void TORVREP::findWithDialog()
{
    const TInterfaceTexts& texts = m_interfaceTexts;
    if (m_ownedUi) {
        TFindTextForm dialog(texts, window());
        if (dialog.exec() == QDialog::Accepted && !dialog.text().isEmpty())
            m_preview->find().search(dialog.text().toStdString(), dialog.caseSensitive(), false);
        return;
    }
    const std::optional<std::string> text = m_ui->inputText(texts.text(TextSlot::strFindTitle).toStdString(),
                                                            (texts.text(TextSlot::strFind) + ":").toStdString());
    if (text && !text->empty())
        m_preview->find().search(*text, false, false);
}

void TORVREP::FindClear()
{
    runTrapped([&] { m_preview->find().clearMarks(); });
}

bool TORVREP::get_DisplayFindButton() { return m_preview->controlShown("cmdFind"); }
void TORVREP::put_DisplayFindButton(bool value) { m_preview->setControlShown("cmdFind", value); }
int32_t TORVREP::get_DisplayFindToolbar() { return m_report->ShowFindToolbar; }
void TORVREP::put_DisplayFindToolbar(int32_t value) { m_preview->find().setDisplay(value); }

void TORVREP::SetReportEngineText(int32_t nIndexID, const Variant& cNewString)
{
    runTrapped([&] {
        // The text first: one that cannot be converted leaves the hint as it was.
        const QString text = QString::fromStdString(cNewString.toString());
        if (const std::optional<HintControl> control = TInterfaceTexts::hintForIndex(nIndexID)) {
            m_interfaceTexts.setHint(*control, text);
            m_preview->applyHints();
        }
    });
}

int32_t TORVREP::get_LanguageIndexID() { return m_interfaceTexts.languageIndex(); }
void TORVREP::put_LanguageIndexID(int32_t value) { m_preview->setLanguage(value); }

void TORVREP::tellFailure(const std::string& message)
{
    m_ui->showMessage("Orv Report Engine", message, TUiServices::Icon::Error, TUiServices::Buttons::Ok);
}

} // namespace orv
