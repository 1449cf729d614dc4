// Switching the interface language and replacing tooltips, seen in the
// widgets and dialogs the user meets.

#include "PreviewTesting.h"

#include "document/Report.h"
#include "viewer/FindDialog.h"
#include "viewer/FindToolbar.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/PdfOptionsDialog.h"
#include "viewer/PreviewFind.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <array>

using namespace orv;

namespace {

// Rows every language must show exactly as written, one text per language
// from English to Brazilian Portuguese.
using Row = std::array<const char*, kLanguageCount>;
const Row kSaveToPdf = {"Save to PDF",      "Guardar como PDF", "Économiser au PDF", "Als PDF speichern",
                        "Excepto ao PDF",   "Bewaren naar PDF", "Risparmi al PDF",   "PDF olarak sakla",
                        "Salvar como PDF"};
const Row kPrintReport = {"Print Report",          "Imprimir informe",      "Rapport d'Impression",
                          "Drucken",               "Relatório Da Cópia",    "Het Rapport afdrukken",
                          "Rapporto Della Stampa", "Raporu bas",            "Imprimir"};
const Row kZoomIn = {"Zoom In",        "Acercar",  "Bourdonnement Dedans", "Vergrößern", "Zumbido Dentro",
                     "Inzoemen",       "Zoom Dentro", "Büyüt",              "Aumentar zoom"};
const Row kFind = {"Find", "Hallazgo", "Trouvaille", "Entdeckung", "Achado", "Vind", "Ritrovamento", "Bul", "Procurar"};
const Row kSend = {"Sen&d", "Envíe", "Envoyez", "Senden Sie", "Emita", "Verzend", "Trasmetta", "Gönder", "Enviar"};

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

class LanguageTest : public PreviewTest {
protected:
    TInterfaceTexts& texts() { return control.interfaceTexts(); }
    QAction* menuItem(QMenu& menu, const char* name) { return menu.findChild<QAction*>(name); }
    void setLanguage(int32_t index) { put("LanguageIndexID", index); }
};

} // namespace

TEST_F(LanguageTest, StartsInEnglishWithTheStartUpTexts)
{
    EXPECT_EQ(get("LanguageIndexID").toInt32(), 0);
    EXPECT_EQ(button("cmdSaveToPDF").toolTip(), "Save to PDF");
    EXPECT_EQ(button("cmdNewPage").toolTip(), "New Page");
    EXPECT_EQ(button("cmdAddWordDocument").toolTip(), "Add Document");
    // The menus show the texts too.
    const QList<QAction*> zoomItems = preview().zoomMenu()->actions();
    EXPECT_EQ(zoomItems.at(12)->text(), "Fit in Window");
    EXPECT_EQ(zoomItems.at(13)->text(), "Actual Size");
    EXPECT_EQ(zoomItems.at(14)->text(), "Fit to Width");
    EXPECT_EQ(zoomItems.at(15)->text(), "Zoom");
    EXPECT_EQ(menuItem(*preview().pageMenu(), "ShowHideGrid")->text(), "Display Grid");
}

TEST_F(LanguageTest, EachLanguageSetsItsEntriesAndLeavesTheOthers)
{
    for (int32_t language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        // Marked entries show which ones the switch leaves alone.
        for (int i = 0; i < kHintControlCount; ++i)
            texts().setHint(HintControl(i), "left");
        for (int i = 0; i < kTextSlotCount; ++i)
            texts().setText(TextSlot(i), "left");
        setLanguage(language);
        EXPECT_EQ(get("LanguageIndexID").toInt32(), language);

        EXPECT_EQ(button("cmdSaveToPDF").toolTip(), q(kSaveToPdf[language]));
        EXPECT_EQ(button("cmdPrintReport").toolTip(), q(kPrintReport[language]));
        EXPECT_EQ(button("cmdZoomIn").toolTip(), q(kZoomIn[language]));
        EXPECT_EQ(texts().text(TextSlot::strFind), q(kFind[language]));
        EXPECT_EQ(texts().text(TextSlot::strSend), q(kSend[language]));
        EXPECT_EQ(texts().text(TextSlot::strUserPassword), "User Password");
        EXPECT_EQ(texts().text(TextSlot::strOwnerPassword), "Owner Password");

        // Every other hint and slot of the language is set, and nothing else.
        const bool englishOrBrazilian = language == 0 || language == 8;
        for (HintControl only : {HintControl::cmdSaveAsImage, HintControl::cboPrinters})
            EXPECT_EQ(texts().hint(only) == "left", !englishOrBrazilian) << TInterfaceTexts::controlName(only);
        EXPECT_EQ(texts().hint(HintControl::cmdAddWordDocument) == "left", language != 8);
        for (TextSlot only : {TextSlot::strFindNext, TextSlot::strFindPrevious, TextSlot::strHighlight,
                              TextSlot::strMatchCase})
            EXPECT_EQ(texts().text(only) == "left", !englishOrBrazilian) << TInterfaceTexts::slotName(only);
        int setHints = 0, setSlots = 0;
        for (int i = 0; i < kHintControlCount; ++i) {
            const QString hint = texts().hint(HintControl(i));
            EXPECT_FALSE(hint.isEmpty());
            setHints += hint != "left";
            if (hint != "left") {
                EXPECT_EQ(hint, *TInterfaceTexts::languageHint(language, HintControl(i)));
            }
        }
        for (int i = 0; i < kTextSlotCount; ++i)
            setSlots += texts().text(TextSlot(i)) != "left";
        EXPECT_EQ(setHints, englishOrBrazilian ? (language == 8 ? 25 : 24) : 22);
        EXPECT_EQ(setSlots, englishOrBrazilian ? 27 : 23);
    }
}

TEST_F(LanguageTest, WordsGivenForSingleLanguagesStandAsWritten)
{
    setLanguage(4);
    EXPECT_EQ(texts().text(TextSlot::strSave), "Excepto");
    setLanguage(2);
    EXPECT_EQ(texts().text(TextSlot::strTo), q("À"));
    setLanguage(5);
    EXPECT_EQ(button("cmdHelp").toolTip(), "Help");
    setLanguage(3);
    EXPECT_EQ(texts().text(TextSlot::strFindTitle), "Entdeckung-Text");
    setLanguage(7);
    EXPECT_EQ(texts().text(TextSlot::strFind), q("Bul"));
    EXPECT_EQ(button("cmdZoomIn").toolTip(), q("Büyüt")) << "Turkish reads as Unicode";
    setLanguage(8);
    EXPECT_EQ(texts().text(TextSlot::strSave), "Excepto");
    EXPECT_EQ(button("cmdSaveAsImage").toolTip(), "Salvar como imagem");
    EXPECT_EQ(texts().text(TextSlot::strFindNext), q("Procurar próxima"));
    // Other languages keep the texts only English and Brazilian Portuguese set.
    setLanguage(1);
    EXPECT_EQ(button("cmdSaveAsImage").toolTip(), "Salvar como imagem");
    EXPECT_EQ(preview().find().toolbar()->nextButton()->text(), q("Procurar próxima"));
    setLanguage(0);
    setLanguage(1);
    EXPECT_EQ(button("cmdSaveAsImage").toolTip(), "Save As Image");
    EXPECT_EQ(preview().find().toolbar()->matchCaseBox()->text(), "Match case");
}

TEST_F(LanguageTest, IndexesOutsideTheLanguagesChangeNothing)
{
    setLanguage(3);
    for (int32_t outside : {9, -1, 255}) {
        setLanguage(outside);
        EXPECT_EQ(get("LanguageIndexID").toInt32(), 3);
        EXPECT_EQ(button("cmdSaveToPDF").toolTip(), "Als PDF speichern");
    }
}

TEST_F(LanguageTest, HostTooltipsLastUntilTheNextSwitch)
{
    call("SetReportEngineText", {9, "Eins zu eins"});
    EXPECT_EQ(button("cmdActualSize").toolTip(), "Eins zu eins");
    call("SetReportEngineText", {4, "One to one"});
    EXPECT_EQ(button("cmdActualSize").toolTip(), "One to one");
    call("SetReportEngineText", {5, "Whole page"});
    EXPECT_EQ(button("cmdFitInWindow").toolTip(), "Whole page");
    EXPECT_EQ(preview().zoomMenu()->actions().at(12)->text(), "Fit in Window") << "menus keep their text";
    EXPECT_EQ(menuItem(*preview().pageMenu(), "FitInWindow2")->text(), "Fit in Window");
    call("SetReportEngineText", {19, 42});
    EXPECT_EQ(button("cmdFind").toolTip(), "42");

    const QString before = button("cmdSaveToPDF").toolTip();
    call("SetReportEngineText", {22, "nothing"});
    call("SetReportEngineText", {0, "nothing"});
    EXPECT_EQ(button("cmdSaveToPDF").toolTip(), before);
    EXPECT_EQ(button("cmdHelp").toolTip(), "Help");

    setLanguage(6);
    EXPECT_EQ(button("cmdFitInWindow").toolTip(), "Adatta alla finestra");
    EXPECT_EQ(preview().zoomMenu()->actions().at(12)->text(), "Adatta alla finestra");
    EXPECT_EQ(menuItem(*preview().pageMenu(), "FitInWindow2")->text(), "Adatta alla finestra");
    EXPECT_EQ(menuItem(*preview().pageMenu(), "PopupPrintReport")->text(), "Rapporto Della Stampa");
    EXPECT_EQ(button("cmdActualSize").toolTip(), "Dimensioni effettive");
}

TEST_F(LanguageTest, LanguageMenuSwitchesAndChecksTheCurrentLanguage)
{
    QMenu& menu = *preview().toolbarMenu();
    menuItem(menu, "LangGerman")->trigger();
    EXPECT_EQ(get("LanguageIndexID").toInt32(), 3);
    EXPECT_EQ(button("cmdSaveToPDF").toolTip(), "Als PDF speichern");
    setLanguage(8);
    emit menu.aboutToShow();
    QStringList checked;
    for (const char* name : {"LangEnglish", "LangSpanish", "LangFrench", "LangGerman", "LangPortuguese", "LangDutch",
                             "LangItalian", "LangTurkish", "BrazilianPortuguese1"})
        if (menuItem(menu, name)->isChecked())
            checked << name;
    EXPECT_EQ(checked, QStringList{"BrazilianPortuguese1"});
}

TEST_F(LanguageTest, FindToolbarAndDialogsReadTheTextsOfTheirLanguage)
{
    setLanguage(8);
    TFindToolbar& bar = *preview().find().toolbar();
    EXPECT_EQ(bar.label()->text(), "Procurar: ");
    EXPECT_EQ(bar.highlightButton()->text(), q("Realçar"));
    {
        TFindTextForm dialog(texts());
        EXPECT_EQ(dialog.findChild<QPushButton*>("cmdFind")->text(), "Procurar");
        EXPECT_EQ(dialog.findChild<QLabel*>("lblFind")->text(), "Procurar:");
    }
    setLanguage(3);
    EXPECT_EQ(bar.label()->text(), "Entdeckung: ");
    {
        TFindTextForm dialog(texts());
        EXPECT_EQ(dialog.windowTitle(), "Entdeckung-Text");
        EXPECT_EQ(dialog.findChild<QLabel*>("lblFind")->text(), "Entdeckung:");
        EXPECT_EQ(dialog.findChild<QCheckBox*>("chkCaseSensitive")->text(), "Groß-/Kleinschreibung beachten");
        EXPECT_EQ(dialog.findChild<QPushButton*>("cmdCancel")->text(), "Abbrechen");
    }
    control.report().PdfSetup.DisplaySecurityOptions = true;
    TPdfOptionsDialog pdf(control.report(), texts(), ui, 1);
    QStringList labels;
    for (const QLabel* label : pdf.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("User Password"));
    EXPECT_TRUE(labels.contains("Owner Password"));
    EXPECT_TRUE(labels.contains("Dateiname"));
    EXPECT_EQ(pdf.windowTitle(), "PDF-Dokumentoptionen");
}
