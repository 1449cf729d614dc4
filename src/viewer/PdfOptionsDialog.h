#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace orv {

class TInterfaceTexts;
class TPageRangeGroup;
class TPagePreview;
class TReport;
class TUiServices;

// Everything the PDF options dialog shows that goes back into the report's
// settings when it closes, with the page range and file of this export.
struct TPdfDialogValues {
    bool securityLayout = false; // the tabbed layout with security options
    std::string fileName;        // this export only; never stored
    std::string author, title, subject, keywords;
    bool openAfterCreate = true;
    bool compress = true;
    // The tabbed layout only.
    std::string ownerPassword, userPassword;
    int32_t printingLevel = 0;
    bool allowChanges = false, allowDocumentAssembly = false, allowCopying = false;
    bool allowCopyingAccessibility = false, allowCommenting = false, allowFillingFormFields = false;
    int32_t encryptionLevel = 0;
    int32_t pagesPerSheet = 1;
    // 0, 0 for every page.
    int32_t firstPage = 0, lastPage = 0;
};

// The values the dialog opens with: the report's settings, every page.
TPdfDialogValues pdfDialogValuesOf(const TReport& report);

// Writes the dialog's values back into the report, as it does however it
// closes: the document information, opening and compression; one page a
// sheet in the plain layout; security, encryption (trimmed passwords) and
// pages per sheet (for printing too) in the tabbed layout.
void applyPdfDialogValues(TReport& report, const TPdfDialogValues& values);

// What the user asked for when the dialog closed.
struct TPdfDialogOutcome {
    bool save = false; // Save pressed with a file name
    TPdfDialogValues values;
};

// Asks how to save the report to PDF; the values are written back either
// way.
class IPdfOptionsDialog {
public:
    virtual ~IPdfOptionsDialog() = default;
    virtual TPdfDialogOutcome ask() = 0;
};

// The "PDF Document Options" dialog: file name, document information,
// opening and compression, the page range with a preview of any page, and
// with PDFDisplaySecurityOptions a tabbed layout that adds passwords,
// permissions, encryption, pages per sheet and the report's fonts. Its words
// come from the interface texts as it opens.
class TPdfOptionsDialog : public QDialog, public IPdfOptionsDialog {
public:
    TPdfOptionsDialog(TReport& report, const TInterfaceTexts& texts, TUiServices& ui, int32_t displayedPage,
                      QWidget* parent = nullptr);

    TPdfDialogOutcome ask() override;
    // The values the controls hold now.
    TPdfDialogValues values() const;

protected:
    // Closing by Save, Cancel, Esc or the window manager writes back.
    void done(int result) override;

private:
    QWidget* buildDocumentFields(QWidget* parent, int top);
    QWidget* buildSecurityTab();
    QWidget* buildFontsTab();
    void buildRangeGroup(const QRect& geometry);
    void buildPreview(const QRect& geometry);
    void buildButtons(int top);
    void fill(const TPdfDialogValues& values);
    void chooseFileName();
    void showPage(int pageNumber);

    TReport& m_report;
    const TInterfaceTexts& m_texts;
    TUiServices& m_ui;
    bool m_securityLayout;

    QLineEdit* m_fileName = nullptr;
    QLineEdit* m_author = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_subject = nullptr;
    QLineEdit* m_keywords = nullptr;
    QCheckBox* m_open = nullptr;
    QCheckBox* m_compress = nullptr;
    QComboBox* m_pagesPerSheet = nullptr;

    QLineEdit* m_ownerPassword = nullptr;
    QLineEdit* m_userPassword = nullptr;
    QComboBox* m_printing = nullptr;
    QCheckBox* m_allowChanges = nullptr;
    QCheckBox* m_allowAssembly = nullptr;
    QCheckBox* m_allowCopying = nullptr;
    QCheckBox* m_allowAccessibility = nullptr;
    QCheckBox* m_allowCommenting = nullptr;
    QCheckBox* m_allowForms = nullptr;
    QComboBox* m_encryption = nullptr;
    QListWidget* m_fonts = nullptr;
    QCheckBox* m_embedFont = nullptr;

    TPageRangeGroup* m_range = nullptr;
    TPagePreview* m_preview = nullptr;
    QLabel* m_pageLabel = nullptr;
    QScrollBar* m_pageScroller = nullptr;
    QPushButton* m_save = nullptr;
};

// Where no dialog may block (a host that answers dialogs itself): the file
// is asked for in a save dialog and the settings are confirmed unchanged.
class TPdfSaveConfirmation : public IPdfOptionsDialog {
public:
    TPdfSaveConfirmation(TReport& report, TUiServices& ui) : m_report(report), m_ui(ui) {}
    TPdfDialogOutcome ask() override;

private:
    TReport& m_report;
    TUiServices& m_ui;
};

} // namespace orv
