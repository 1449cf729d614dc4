#include "viewer/EmailFromViewer.h"

#include "document/Report.h"
#include "mail/LocalMailSystem.h"
#include "mail/ReportMail.h"
#include "platform/UiServices.h"
#include "viewer/EmailEditor.h"

#include <QApplication>
#include <QCursor>

namespace orv {
namespace {

constexpr const char* kCaption = "Email";

// The hourglass while the report is exported and sent.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

void tell(TUiServices& ui, const std::string& text, TUiServices::Icon icon)
{
    ui.showMessage(kCaption, text, icon, TUiServices::Buttons::Ok);
}

void confirmIfAsked(TUiServices& ui, const TEMAILSetup& setup)
{
    if (setup.ConfirmAfterSend)
        tell(ui, "Email Message Sent", TUiServices::Icon::Information);
}

// The editor's answer: its fields after Send, nothing after Cancel.
std::optional<TEmailEditorValues> askEditor(TEmailEditorKind kind, const TEMAILSetup& setup,
                                            const TInterfaceTexts& texts, TUiServices& ui, QWidget* parent,
                                            bool showEditor)
{
    if (showEditor) {
        TEmailEditor editor(kind, setup, texts, ui, parent);
        if (editor.exec() != QDialog::Accepted)
            return std::nullopt;
        return editor.values();
    }
    TEmailEditorValues values = emailEditorValuesOf(setup);
    if (QString::fromStdString(values.to).trimmed().isEmpty()) {
        tell(ui, "Please enter Recipient's address!", TUiServices::Icon::Warning);
        return std::nullopt;
    }
    return values;
}

TReportMail mailOf(const TEmailEditorValues& values)
{
    TReportMail mail;
    mail.host = values.host;
    mail.from = values.from;
    mail.recipients = values.to;
    mail.subject = values.subject;
    mail.body = values.body;
    mail.attachmentName = values.attachmentPath;
    return mail;
}

void sendBySmtp(const TReport& report, const TInterfaceTexts& texts, TUiServices& ui, QWidget* parent,
                bool showEditor)
{
    const std::optional<TEmailEditorValues> values =
        askEditor(TEmailEditorKind::Smtp, report.EmailSetup, texts, ui, parent, showEditor);
    if (!values)
        return;
    TEMAILSetup setup = report.EmailSetup;
    setup.CcAddresses = values->cc;
    setup.BccAddresses = values->bcc;
    setup.ReturnReceipt = values->returnReceipt;
    setup.Body = values->body;
    TReportMailResult result;
    {
        TBusyCursor busy;
        result = sendReportMail(report, setup, mailOf(*values));
    }
    if (result.result == 250)
        confirmIfAsked(ui, setup);
    else if (result.result == -1)
        tell(ui, "The message needs a sender, an SMTP host and a recipient.", TUiServices::Icon::Error);
    else
        tell(ui, result.message.value_or("SMTP error " + std::to_string(result.result)), TUiServices::Icon::Error);
}

void sendThroughLocalMail(const TReport& report, const TInterfaceTexts& texts, TUiServices& ui, QWidget* parent,
                          bool showEditor)
{
    const TEMAILSetup& settings = report.EmailSetup;
    const bool withEditor = settings.MessagingType == 1;
    TEMAILSetup setup = settings;
    TReportMail mail;
    if (withEditor) {
        const std::optional<TEmailEditorValues> values =
            askEditor(TEmailEditorKind::LocalMail, settings, texts, ui, parent, showEditor);
        if (!values)
            return;
        setup.CcAddresses = values->cc;
        setup.BccAddresses = values->bcc;
        mail = mailOf(*values);
        mail.reportOnly = true;
    } else {
        mail = mailOf(emailEditorValuesOf(settings));
        mail.requireRecipients = false;
    }
    TReportMailResult result;
    {
        TBusyCursor busy;
        result = sendReportMail(report, setup, mail);
    }
    if (result.result == MapiSuccess)
        confirmIfAsked(ui, setup);
    else if (result.result != MapiUserAbort || withEditor)
        tell(ui, mapiResultText(result.result), TUiServices::Icon::Error);
}

} // namespace

void emailReportFromViewer(const TReport& report, const TInterfaceTexts& texts, TUiServices& ui, QWidget* parent,
                           bool showEditor)
{
    if (report.EmailSetup.MessagingType == 0)
        sendBySmtp(report, texts, ui, parent, showEditor);
    else
        sendThroughLocalMail(report, texts, ui, parent, showEditor);
}

} // namespace orv
