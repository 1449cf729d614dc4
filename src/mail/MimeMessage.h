#pragma once

#include "mail/MailAddresses.h"

#include <string>
#include <vector>

namespace orv {

// What one e-mail says; the MIME writer turns it into the text that goes
// over SMTP or into the local mail system.
struct TMailMessage {
    TMailAddress from;        // no From header when its address is empty
    std::vector<TMailAddress> to, cc, bcc;
    std::string subject;
    std::string textBody;
    // Not empty: the body is multipart/mixed, text/html then text/plain.
    std::string htmlBody;
    // Asks for a read receipt to the sender (Disposition-Notification-To).
    bool returnReceipt = false;
    // Only `sendmail -t` needs a Bcc header: it reads the recipients from the
    // headers and removes that one. Over SMTP blind copies stay in the
    // envelope alone.
    bool bccHeader = false;
    // Files attached in this order, each under its own file name.
    std::vector<std::string> attachmentPaths;
};

// The message as RFC 5322 text with CRLF line ends: headers in ASCII
// (RFC 2047 words for other text, RFC 2231 file names), text parts in UTF-8
// quoted-printable, attachments in base64. Plain text alone is a single
// text/plain part; with attachments or an HTML body it is multipart/mixed.
// Throws std::runtime_error when an attachment cannot be read.
std::string buildMimeMessage(const TMailMessage& message);

// One header value as RFC 2047 encoded words when it holds anything but
// printable ASCII; lines are folded to stay short.
std::string encodeHeaderText(const std::string& text);

} // namespace orv
