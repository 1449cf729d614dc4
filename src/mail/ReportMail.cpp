#include "mail/ReportMail.h"

#include "mail/LocalMailSystem.h"

#include "document/Report.h"
#include "pdfexport/ReportPdfExport.h"
#include "platform/AtomicFile.h"
#include "platform/CurrentDirectory.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace orv {
namespace {

// Files that are gone or cannot be read are left out without notice.
bool isReadableFile(const std::string& path)
{
    const QFileInfo file(QString::fromStdString(path));
    return file.isFile() && file.isReadable();
}

std::vector<std::string> existingFiles(const TEMAILSetup& setup, const std::string& reportPath, bool reportOnly)
{
    std::vector<std::string> files;
    if (!reportPath.empty() && isReadableFile(reportPath))
        files.push_back(reportPath);
    if (!reportOnly)
        for (const std::string& path : setup.Attachments)
            if (isReadableFile(path))
                files.push_back(path);
    return files;
}

TSmtpEnvelope envelopeOf(const TMailMessage& message)
{
    TSmtpEnvelope envelope{message.from.address, {}};
    for (const auto* list : {&message.to, &message.cc, &message.bcc})
        for (const TMailAddress& address : *list)
            envelope.recipients.push_back(address.address);
    return envelope;
}

TReportMailResult sendBySmtp(const TEMAILSetup& setup, const TReportMail& mail, const std::string& reportPath)
{
    const TMailMessage message = smtpMessage(setup, mail, reportPath);
    const TSmtpOutcome outcome = sendSmtpMessage(smtpServer(setup, mail.host), envelopeOf(message),
                                                 buildMimeMessage(message));
    TReportMailResult result;
    // A session that failed after positive replies (a dropped connection,
    // TLS refused, a time limit) must not look like a delivery.
    if (outcome.delivered || outcome.replyCode >= 400)
        result.result = outcome.replyCode;
    if (!outcome.delivered && outcome.replyCode < 400)
        result.message = outcome.failure;
    else if (!outcome.replyLine.empty())
        result.message = outcome.replyLine;
    return result;
}

std::vector<TMailAddress> asAddresses(const std::vector<std::string>& entries)
{
    std::vector<TMailAddress> addresses;
    for (const std::string& entry : entries)
        addresses.push_back(parseAddress(entry));
    return addresses;
}

TReportMailResult sendThroughLocalMail(const TEMAILSetup& setup, const TReportMail& mail,
                                       const std::string& reportPath)
{
    const std::vector<std::string> to = splitRecipientEntries(mail.recipients);
    const std::vector<std::string> cc = splitRecipientEntries(setup.CcAddresses);
    const std::vector<std::string> bcc = splitRecipientEntries(setup.BccAddresses);
    const std::vector<std::string> files = existingFiles(setup, reportPath, mail.reportOnly);
    const int32_t seconds = std::max(1, setup.SmtpTimeout);
    TLocalMailOutcome outcome;
    if (setup.MessagingType == 1) {
        TMailMessage message;
        message.to = asAddresses(to);
        message.cc = asAddresses(cc);
        message.bcc = asAddresses(bcc);
        message.bccHeader = true;
        message.subject = mail.subject;
        message.textBody = mail.body;
        message.attachmentPaths = files;
        outcome = deliverToLocalMailSystem(setup.SendmailCommand, buildMimeMessage(message), seconds);
    } else {
        outcome = openInMailClient({to, cc, bcc, mail.subject, mail.body, files}, seconds);
    }
    TReportMailResult result{outcome.result, std::nullopt};
    if (outcome.result != MapiSuccess)
        result.message = outcome.failure;
    return result;
}

} // namespace

std::string reportAttachmentPath(const std::string& attachmentName)
{
    const std::string name = outputFileName(attachmentName, ".PDF");
    return QDir::current().absoluteFilePath(QString::fromStdString(name)).toStdString();
}

void exportReportAttachment(const TReport& report, const std::string& path)
{
    if (writeReportPdf(report, path, pdfPageRange(report.pageCount(), 0, 0), nullptr) != TPdfFileResult::Written)
        throw std::runtime_error("Cannot create the file " + path);
}

TSmtpServer smtpServer(const TEMAILSetup& setup, const std::string& host)
{
    TSmtpServer server;
    server.host = host;
    server.port = setup.SmtpPort;
    server.authorization = TSmtpAuthorization(setup.AuthorizationType);
    server.userId = setup.UserId;
    server.password = setup.Password;
    server.security = TSmtpSecurity(setup.SmtpSecurity);
    server.implicitTls = setup.SmtpPort == 465;
    server.extraCaFile = setup.SmtpCaFile;
    const int32_t seconds = std::max(1, setup.SmtpTimeout);
    server.limits = {seconds, seconds, seconds * 10};
    return server;
}

TMailMessage smtpMessage(const TEMAILSetup& setup, const TReportMail& mail, const std::string& reportPath)
{
    TMailMessage message;
    message.from = parseAddress(mail.from);
    message.to = parseAddressList(mail.recipients);
    message.cc = parseAddressList(setup.CcAddresses);
    message.bcc = parseAddressList(setup.BccAddresses);
    message.subject = mail.subject;
    if (setup.ContentType != "text/plain" && !setup.BodyHtml.empty()) {
        message.htmlBody = setup.BodyHtml;
        message.textBody = setup.Body;
    } else {
        message.textBody = mail.body;
    }
    message.returnReceipt = setup.ReturnReceipt;
    message.attachmentPaths = existingFiles(setup, reportPath, false);
    return message;
}

TReportMailResult sendReportMail(const TReport& report, const TEMAILSetup& setup, const TReportMail& mail)
{
    const bool smtp = setup.MessagingType == 0;
    if (smtp && (mail.host.empty() || mail.from.empty()))
        return {-1, std::nullopt};
    if (mail.requireRecipients && splitRecipientEntries(mail.recipients).empty())
        return {-1, std::nullopt};
    std::string reportPath;
    if (!mail.attachmentName.empty()) {
        reportPath = reportAttachmentPath(mail.attachmentName);
        exportReportAttachment(report, reportPath);
    }
    // Mail programs may change the current directory.
    TCurrentDirectoryGuard directory;
    return smtp ? sendBySmtp(setup, mail, reportPath) : sendThroughLocalMail(setup, mail, reportPath);
}

} // namespace orv
