// The e-mail operations of the control: SendMail and the Email... settings
// of the report.

#include "control/TORVREP.h"
#include "viewer/Preview.h"

#include "mail/ReportMail.h"

namespace orv {

namespace {

// An omitted argument takes the setting; anything passed, even empty text,
// stands as given.
std::string argumentOr(const Variant& argument, const std::string& setting)
{
    return argument.isMissing() ? setting : argument.toString();
}

// The settings that take 0, 1 or 2 and ignore other values.
void putChoice(uint8_t& setting, uint8_t value)
{
    if (value <= 2)
        setting = value;
}

} // namespace

Variant TORVREP::SendMail(const Variant& cSMTPHost, const Variant& cFromAddress, const Variant& cRecipients,
                          const Variant& cSubject, const Variant& cBodyText, const Variant& cAttachmentFileName)
{
    return runTrapped([&] {
        const TEMAILSetup& setup = m_report->EmailSetup;
        TReportMail mail;
        mail.host = argumentOr(cSMTPHost, setup.SmtpHost);
        mail.from = argumentOr(cFromAddress, setup.FromAddress);
        mail.recipients = argumentOr(cRecipients, setup.Recipients);
        mail.subject = argumentOr(cSubject, setup.Subject);
        mail.body = argumentOr(cBodyText, setup.Body);
        mail.attachmentName = argumentOr(cAttachmentFileName, setup.AttachmentFileName);
        m_lastErrorMessage.clear();
        const TReportMailResult result = sendReportMail(*m_report, setup, mail);
        if (result.message)
            m_lastErrorMessage = *result.message;
        return Variant(result.result);
    });
}

std::string TORVREP::get_EmailFromAddress() { return m_report->EmailSetup.FromAddress; }
void TORVREP::put_EmailFromAddress(const std::string& value) { m_report->EmailSetup.FromAddress = value; }
std::string TORVREP::get_EmailSMTPHost() { return m_report->EmailSetup.SmtpHost; }
void TORVREP::put_EmailSMTPHost(const std::string& value) { m_report->EmailSetup.SmtpHost = value; }
std::string TORVREP::get_EmailRecipients() { return m_report->EmailSetup.Recipients; }
void TORVREP::put_EmailRecipients(const std::string& value) { m_report->EmailSetup.Recipients = value; }
std::string TORVREP::get_EmailSubject() { return m_report->EmailSetup.Subject; }
void TORVREP::put_EmailSubject(const std::string& value) { m_report->EmailSetup.Subject = value; }
std::string TORVREP::get_EmailBody() { return m_report->EmailSetup.Body; }
void TORVREP::put_EmailBody(const std::string& value) { m_report->EmailSetup.Body = value; }
std::string TORVREP::get_EMAILBodyHTML() { return m_report->EmailSetup.BodyHtml; }
void TORVREP::put_EMAILBodyHTML(const std::string& value) { m_report->EmailSetup.BodyHtml = value; }
std::string TORVREP::get_EmailCCAddresses() { return m_report->EmailSetup.CcAddresses; }
void TORVREP::put_EmailCCAddresses(const std::string& value) { m_report->EmailSetup.CcAddresses = value; }
std::string TORVREP::get_EmailBCCAddresses() { return m_report->EmailSetup.BccAddresses; }
void TORVREP::put_EmailBCCAddresses(const std::string& value) { m_report->EmailSetup.BccAddresses = value; }
std::string TORVREP::get_EmailSMTPUserID() { return m_report->EmailSetup.UserId; }
void TORVREP::put_EmailSMTPUserID(const std::string& value) { m_report->EmailSetup.UserId = value; }
std::string TORVREP::get_EmailSMTPPassword() { return m_report->EmailSetup.Password; }
void TORVREP::put_EmailSMTPPassword(const std::string& value) { m_report->EmailSetup.Password = value; }
std::string TORVREP::get_EmailAttachmentFileName() { return m_report->EmailSetup.AttachmentFileName; }
void TORVREP::put_EmailAttachmentFileName(const std::string& value)
{
    m_report->EmailSetup.AttachmentFileName = value;
}
std::string TORVREP::get_EMailContentType() { return m_report->EmailSetup.ContentType; }
void TORVREP::put_EMailContentType(const Variant& value)
{
    if (value.isString())
        m_report->EmailSetup.ContentType = value.toString();
}
std::string TORVREP::get_EmailMAPIProfileName() { return m_report->EmailSetup.MapiProfileName; }
void TORVREP::put_EmailMAPIProfileName(const std::string& value) { m_report->EmailSetup.MapiProfileName = value; }
std::string TORVREP::get_EmailMAPIPassword() { return m_report->EmailSetup.MapiPassword; }
void TORVREP::put_EmailMAPIPassword(const std::string& value) { m_report->EmailSetup.MapiPassword = value; }
int32_t TORVREP::get_EmailSMTPPort() { return m_report->EmailSetup.SmtpPort; }
void TORVREP::put_EmailSMTPPort(int32_t value) { m_report->EmailSetup.SmtpPort = value; }
uint8_t TORVREP::get_EmailSMTPAuthorizationType() { return m_report->EmailSetup.AuthorizationType; }
void TORVREP::put_EmailSMTPAuthorizationType(uint8_t value) { putChoice(m_report->EmailSetup.AuthorizationType, value); }
bool TORVREP::get_EmailReturnReceipt() { return m_report->EmailSetup.ReturnReceipt; }
void TORVREP::put_EmailReturnReceipt(bool value) { m_report->EmailSetup.ReturnReceipt = value; }
uint8_t TORVREP::get_EmailMessagingType() { return m_report->EmailSetup.MessagingType; }
void TORVREP::put_EmailMessagingType(uint8_t value) { putChoice(m_report->EmailSetup.MessagingType, value); }
bool TORVREP::get_EmailDisplayConfirmationAfterSend() { return m_report->EmailSetup.ConfirmAfterSend; }
void TORVREP::put_EmailDisplayConfirmationAfterSend(bool value) { m_report->EmailSetup.ConfirmAfterSend = value; }
uint8_t TORVREP::get_EMAILFromDisplayStyle() { return m_report->EmailSetup.FromDisplayStyle; }
void TORVREP::put_EMAILFromDisplayStyle(uint8_t value) { putChoice(m_report->EmailSetup.FromDisplayStyle, value); }
uint8_t TORVREP::get_EMAILSMTPHostDisplayStyle() { return m_report->EmailSetup.SmtpHostDisplayStyle; }
void TORVREP::put_EMAILSMTPHostDisplayStyle(uint8_t value)
{
    putChoice(m_report->EmailSetup.SmtpHostDisplayStyle, value);
}

void TORVREP::EMAILAddAttachment(const Variant& cFileName)
{
    if (cFileName.isString())
        m_report->EmailSetup.Attachments.push_back(cFileName.toString());
}

int32_t TORVREP::get_EMAILAttachmentCount()
{
    return static_cast<int32_t>(m_report->EmailSetup.Attachments.size());
}
void TORVREP::put_EMAILAttachmentCount(int32_t value)
{
    if (value == 0)
        m_report->EmailSetup.Attachments.clear();
}

int32_t TORVREP::get_EmailPriorityLevel() { return 0; }
void TORVREP::put_EmailPriorityLevel(int32_t) {}

bool TORVREP::get_DisplayEmailButton() { return m_displayEmailButton; }
void TORVREP::put_DisplayEmailButton(bool value)
{
    m_displayEmailButton = value;
    m_preview->setControlShown("cmdEmail", value);
}

uint8_t TORVREP::get_EmailSMTPSecurity() { return m_report->EmailSetup.SmtpSecurity; }
void TORVREP::put_EmailSMTPSecurity(uint8_t value) { putChoice(m_report->EmailSetup.SmtpSecurity, value); }
std::string TORVREP::get_EmailSMTPCAFile() { return m_report->EmailSetup.SmtpCaFile; }
void TORVREP::put_EmailSMTPCAFile(const std::string& value) { m_report->EmailSetup.SmtpCaFile = value; }
int32_t TORVREP::get_EmailSMTPTimeout() { return m_report->EmailSetup.SmtpTimeout; }
void TORVREP::put_EmailSMTPTimeout(int32_t value)
{
    if (value >= 1)
        m_report->EmailSetup.SmtpTimeout = value;
}
std::string TORVREP::get_EmailSendmailCommand() { return m_report->EmailSetup.SendmailCommand; }
void TORVREP::put_EmailSendmailCommand(const std::string& value) { m_report->EmailSetup.SendmailCommand = value; }

} // namespace orv
