#pragma once

#include <string>
#include <vector>

namespace orv {

// One entry of an address list as the host typed it: "jane@example.org",
// "Jane Doe <jane@example.org>" or "\"Doe, Jane\" <jane@example.org>".
struct TMailAddress {
    std::string displayName; // without quotes, empty when none was given
    std::string address;     // what goes into MAIL FROM and RCPT TO
};

// Splits a comma-separated list; blank entries are dropped. Control
// characters never survive into names or addresses, so nothing a host
// passes can start a new header line or SMTP command.
std::vector<TMailAddress> parseAddressList(const std::string& list);
TMailAddress parseAddress(const std::string& entry);

// The recipient entries of the local mail system: commas count as
// semicolons and every piece between them is one entry, kept as typed
// (so "a@x, b@y" gives "a@x" and " b@y"); empty pieces are dropped.
std::vector<std::string> splitRecipientEntries(const std::string& list);

} // namespace orv
