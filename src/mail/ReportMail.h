#pragma once

#include "mail/MimeMessage.h"
#include "mail/SmtpTransport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class TReport;
struct TEMAILSetup;

// One sending of the report: the fields a caller gave, the omitted ones
// already taken from the e-mail settings.
struct TReportMail {
    std::string host, from, recipients, subject, body;
    // The PDF attachment's name as given; empty for a message without the
    // report.
    std::string attachmentName;
    // The local mail system and the mail client get the files of the
    // settings' attachment list too, unless only the report goes.
    bool reportOnly = false;
    // The mail client may open with no recipient yet; everything else
    // needs one.
    bool requireRecipients = true;
};

// What a sending came to: SendMail's result and, when it has one, the text
// LastErrorMessage shows afterwards.
struct TReportMailResult {
    int32_t result = 0;
    std::optional<std::string> message;
};

// Where the report goes for a given attachment name: the name with ".PDF",
// in the current directory when it names no folder.
std::string reportAttachmentPath(const std::string& attachmentName);

// Writes the whole report to `path` as PDF, replacing an older file, through
// a temporary name; throws when the file cannot be written.
void exportReportAttachment(const TReport& report, const std::string& path);

// The SMTP server of the settings, for `host`.
TSmtpServer smtpServer(const TEMAILSetup& setup, const std::string& host);

// The message SMTP carries: To from `mail`, CC and BCC from the settings;
// HTML mail when the content type asks for it and the HTML body is not
// empty (the plain part is then the settings' body); the report's PDF when
// `reportPath` is not empty, then every existing file of the attachment list.
TMailMessage smtpMessage(const TEMAILSetup& setup, const TReportMail& mail, const std::string& reportPath);

// Sends the report as the settings' messaging type says: -1 without host,
// sender (SMTP) or recipients; otherwise the SMTP server's last reply code
// (0 when a failure left no error reply) or the local mail system's result.
// Transport failures never throw; a failing PDF export does.
TReportMailResult sendReportMail(const TReport& report, const TEMAILSetup& setup, const TReportMail& mail);

} // namespace orv
