#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace orv {

class TInterfaceTexts;
class TUiServices;
struct TEMAILSetup;

// The fields of a message as the e-mail editors show them.
struct TEmailEditorValues {
    std::string from, host, to, cc, bcc, subject, body;
    std::string attachmentPath; // the report's PDF, with its folder
    bool returnReceipt = false;
};

// The values an editor opens with: the settings, and the attachment name
// with ".PDF" in the current directory when it names no folder (empty when
// the report goes without attachment).
TEmailEditorValues emailEditorValuesOf(const TEMAILSetup& setup);

// Which editor: SMTP (sender and server fields) or the local mail system.
enum class TEmailEditorKind { Smtp, LocalMail };

// The e-mail message editor ("TEmailForm" for SMTP, "TMAPIEmailForm" for
// the local mail system): sender and server (SMTP only), recipients,
// subject, priority, return receipt, attachment and body. The settings'
// display styles make the sender and server fields editable, read-only or
// hidden; each hidden or absent field moves the fields below it up by one
// row and shortens the window by as much. Send with an empty To field says
// so and stays open. Words come from the interface texts.
class TEmailEditor : public QDialog {
public:
    TEmailEditor(TEmailEditorKind kind, const TEMAILSetup& setup, const TInterfaceTexts& texts, TUiServices& ui,
                 QWidget* parent = nullptr);

    // The fields as they stand now.
    TEmailEditorValues values() const;

    static constexpr int kRowHeight = 26;

private:
    void send();
    QLineEdit* addField(const char* name, const QString& label, int& top, uint8_t displayStyle);

    TUiServices& m_ui;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_host = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_cc = nullptr;
    QLineEdit* m_bcc = nullptr;
    QLineEdit* m_subject = nullptr;
    QComboBox* m_priority = nullptr;
    QCheckBox* m_returnReceipt = nullptr;
    QLineEdit* m_attachment = nullptr;
    QPlainTextEdit* m_body = nullptr;
};

} // namespace orv
