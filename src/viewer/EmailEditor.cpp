#include "viewer/EmailEditor.h"

#include "document/Settings.h"
#include "mail/ReportMail.h"
#include "platform/UiServices.h"
#include "printing/DialogControls.h"
#include "viewer/InterfaceTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orv {
namespace {

constexpr int kWidth = 480;
constexpr int kLabelWidth = 84;
constexpr int kFieldLeft = 96;
constexpr int kBodyHeight = 150;
constexpr uint8_t kEditable = 0, kReadOnly = 1, kHidden = 2;

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

} // namespace

TEmailEditorValues emailEditorValuesOf(const TEMAILSetup& setup)
{
    TEmailEditorValues values;
    values.from = setup.FromAddress;
    values.host = setup.SmtpHost;
    values.to = setup.Recipients;
    values.cc = setup.CcAddresses;
    values.bcc = setup.BccAddresses;
    values.subject = setup.Subject;
    values.body = setup.Body;
    values.returnReceipt = setup.ReturnReceipt;
    if (!setup.AttachmentFileName.empty())
        values.attachmentPath = reportAttachmentPath(setup.AttachmentFileName);
    return values;
}

TEmailEditor::TEmailEditor(TEmailEditorKind kind, const TEMAILSetup& setup, const TInterfaceTexts& texts,
                           TUiServices& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui)
{
    const bool smtp = kind == TEmailEditorKind::Smtp;
    setObjectName(smtp ? QStringLiteral("TEmailForm") : QStringLiteral("TMAPIEmailForm"));
    setWindowTitle(texts.text(TextSlot::strEmailEditorTitle) + QStringLiteral(" - ") +
                   (smtp ? QStringLiteral("SMTP") : QStringLiteral("MAPI")));
    const QString colon = QStringLiteral(":");

    int top = 8;
    m_from = addField("txtFrom", texts.text(TextSlot::strFrom) + colon, top, smtp ? setup.FromDisplayStyle : kHidden);
    m_host = addField("txtSMTPHost", QStringLiteral("SMTP Host:"), top, smtp ? setup.SmtpHostDisplayStyle : kHidden);
    m_to = addField("txtTo", texts.text(TextSlot::strTo), top, kEditable);
    m_cc = addField("txtCC", QStringLiteral("CC:"), top, kEditable);
    m_bcc = addField("txtBCC", QStringLiteral("BCC:"), top, kEditable);
    m_subject = addField("txtSubject", texts.text(TextSlot::strSubject) + colon, top, kEditable);

    auto* priorityLabel = addLabel(texts.text(TextSlot::strPriority) + colon, this,
                                   QRect(8, top + 3, kLabelWidth, 16), "lblPriority");
    m_priority = addControl<QComboBox>(this, "cboPriority", QRect(kFieldLeft, top, 100, 22));
    m_priority->addItems({QStringLiteral("High"), QStringLiteral("Normal"), QStringLiteral("Low")});
    m_priority->setCurrentIndex(1);
    priorityLabel->setBuddy(m_priority);
    m_returnReceipt = addControl<QCheckBox>(this, "chkReturnReceipt", QRect(kFieldLeft + 120, top, 200, 22),
                                            texts.text(TextSlot::strReturnReceipt));
    top += kRowHeight;

    // The label's length changes with the language: the box follows it.
    auto* attachmentLabel = addLabel(texts.text(TextSlot::strAttachmentFileName) + colon, this,
                                     QRect(8, top + 3, kLabelWidth, 16), "lblAttachment");
    attachmentLabel->adjustSize();
    const int boxLeft = attachmentLabel->geometry().right() + 1 + 5;
    m_attachment = addControl<QLineEdit>(this, "txtAttachment", QRect(boxLeft, top, kWidth - boxLeft - 7, 22));
    top += kRowHeight;

    m_body = addControl<QPlainTextEdit>(this, "txtBody", QRect(8, top, kWidth - 16, kBodyHeight));
    top += kBodyHeight + 8;

    auto* sendButton =
        addControl<QPushButton>(this, "cmdSend", QRect(kWidth - 176, top, 80, 26), texts.text(TextSlot::strSend));
    auto* cancelButton = addControl<QPushButton>(this, "cmdCancel", QRect(kWidth - 88, top, 80, 26),
                                                 texts.text(TextSlot::strCancel));
    sendButton->setDefault(true);
    connect(sendButton, &QPushButton::clicked, this, [this] { send(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(kWidth, top + 26 + 8);

    const TEmailEditorValues values = emailEditorValuesOf(setup);
    m_from->setText(fromUtf8(values.from));
    m_host->setText(fromUtf8(values.host));
    m_to->setText(fromUtf8(values.to));
    m_cc->setText(fromUtf8(values.cc));
    m_bcc->setText(fromUtf8(values.bcc));
    m_subject->setText(fromUtf8(values.subject));
    m_returnReceipt->setChecked(values.returnReceipt);
    m_attachment->setText(fromUtf8(values.attachmentPath));
    m_body->setPlainText(fromUtf8(values.body));
}

// A labelled line; a hidden one takes no room.
QLineEdit* TEmailEditor::addField(const char* name, const QString& label, int& top, uint8_t displayStyle)
{
    QLabel* caption = addLabel(label, this, QRect(8, top + 3, kLabelWidth, 16));
    auto* field = addControl<QLineEdit>(this, name, QRect(kFieldLeft, top, kWidth - kFieldLeft - 8, 22));
    caption->setBuddy(field);
    field->setReadOnly(displayStyle == kReadOnly);
    if (displayStyle == kHidden) {
        caption->hide();
        field->hide();
    } else {
        top += kRowHeight;
    }
    return field;
}

TEmailEditorValues TEmailEditor::values() const
{
    TEmailEditorValues values;
    values.from = utf8(m_from->text());
    values.host = utf8(m_host->text());
    values.to = utf8(m_to->text());
    values.cc = utf8(m_cc->text());
    values.bcc = utf8(m_bcc->text());
    values.subject = utf8(m_subject->text());
    values.body = utf8(m_body->toPlainText());
    values.attachmentPath = utf8(m_attachment->text());
    values.returnReceipt = m_returnReceipt->isChecked();
    return values;
}

void TEmailEditor::send()
{
    if (m_to->text().trimmed().isEmpty()) {
        m_ui.showMessage("Email", "Please enter Recipient's address!", TUiServices::Icon::Warning,
                         TUiServices::Buttons::Ok);
        m_to->setFocus();
        return;
    }
    accept();
}

} // namespace orv
