#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Result codes of the local mail system and the mail client, as the
// messaging interface numbers them.
enum TMapiResult : int32_t {
    MapiSuccess = 0,
    MapiUserAbort = 1,
    MapiFailure = 2,
    MapiAttachmentNotFound = 11,
};

// The name of a result code ("MAPI_E_FAILURE"), or "UNKNOWN ERROR: " and
// the number for a code without one; empty for success.
std::string mapiResultText(int32_t result);

struct TLocalMailOutcome {
    int32_t result = MapiSuccess;
    std::string failure; // what went wrong, for LastErrorMessage
};

// Hands the message to the local mail system: `command` (split into words
// as a shell would, but run without one) takes the finished message on its
// input and reads the recipients from its headers, as `sendmail -t -i` of
// exim, postfix, msmtp and nullmailer does. MapiUserAbort when the
// program does not exist, MapiFailure when it fails or outlasts `seconds`.
TLocalMailOutcome deliverToLocalMailSystem(const std::string& command, const std::string& message,
                                           int32_t seconds);

// What the user's mail client opens with.
struct TMailClientRequest {
    std::vector<std::string> to, cc, bcc;
    std::string subject;
    std::string body;
    std::vector<std::string> attachmentPaths;
};

// Opens the user's mail client through xdg-email with the message filled in.
// MapiUserAbort when xdg-email (or the client it needs) is missing,
// MapiAttachmentNotFound when a file is gone, MapiFailure otherwise.
TLocalMailOutcome openInMailClient(const TMailClientRequest& request, int32_t seconds);

} // namespace orv
