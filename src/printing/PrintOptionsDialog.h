#pragma once

#include "printing/PrintJob.h"
#include "printing/PrinterInventory.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace orv {

class TPagePreview;
class TReport;
class TUiServices;

// The "Print" dialog a print job shows before it prints: the printer, the
// range and page parity, copies and collation, duplex, order, fitting,
// colour and pages per sheet, with a preview of any page. It lives for one
// job, with its own printer inventory, so copies and collation chosen here
// are not remembered for the next job.
class TPrintOptionsDialog : public QDialog, public IPrintDialog {
public:
    TPrintOptionsDialog(const TReport& report, TUiServices& ui, QWidget* parent = nullptr);

    // preset, shown modally, then the choices.
    std::optional<TPrintChoices> ask(const TPrintDialogPreset& preset, TCurrentPrinter& printer) override;

    // Fills the dialog from the job's settings and opens it on `printer`,
    // which follows the printer chosen while the dialog is open.
    void preset(const TPrintDialogPreset& preset, TCurrentPrinter& printer);
    // What the user confirmed; nothing unless the dialog was accepted.
    std::optional<TPrintChoices> choices() const;

    // Copies and collation follow the dialog's controls.
    const TOrvPrinters& inventory() const { return m_printers; }

private:
    void buildPrinterGroup();
    void buildRangeGroup();
    void buildCopiesGroup();
    void buildPreview();
    void buildBottomRow();
    void connectControls();

    void activate();
    void changePrinter(int index);
    void showPrinterProperties();
    void copiesTyped(const QString& text);
    void upDownStepped(int copies);
    void applyRangeChoice();
    void showPage(int pageNumber);
    void reportNoPrinterAccess();

    const TReport& m_report;
    TUiServices& m_ui;
    TOrvPrinters m_printers;
    TCurrentPrinter* m_printer = nullptr;
    int m_pageCount = 1;

    QComboBox* m_printerList = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_where = nullptr;
    QLabel* m_type = nullptr;
    QComboBox* m_colour = nullptr;
    QCheckBox* m_duplex = nullptr;
    QCheckBox* m_fitToPage = nullptr;
    QCheckBox* m_reverse = nullptr;

    QComboBox* m_pageType = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_currentPage = nullptr;
    QRadioButton* m_pagesFrom = nullptr;
    QLineEdit* m_fromPage = nullptr;
    QLineEdit* m_toPage = nullptr;

    QLineEdit* m_copies = nullptr;
    QSpinBox* m_upDown = nullptr;
    QCheckBox* m_driverCopies = nullptr;
    QCheckBox* m_driverCollates = nullptr;
    QCheckBox* m_collate = nullptr;
    QLabel* m_collationPicture = nullptr;

    TPagePreview* m_preview = nullptr;
    QLabel* m_pageLabel = nullptr;
    QScrollBar* m_pageScroller = nullptr;

    QComboBox* m_pagesPerSheet = nullptr;
};

} // namespace orv
