#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// How the SMTP session uses TLS.
enum class TSmtpSecurity : uint8_t {
    // STARTTLS whenever the server offers it; without it the message goes
    // in clear, but credentials are never sent in clear.
    Opportunistic = 0,
    // No TLS, no session: a server without STARTTLS fails before any
    // credential or message is sent.
    Required = 1,
    // Plain text throughout, credentials included (a trusted local relay).
    Off = 2,
};

// The time limits of one session, in seconds: connecting, waiting for each
// reply, and the whole session.
struct TSmtpLimits {
    int32_t connectSeconds = 30;
    int32_t replySeconds = 30;
    int32_t sessionSeconds = 300;
};

enum class TSmtpAuthorization : uint8_t {
    None = 0,
    Login = 1, // the AUTH LOGIN exchange
    Sasl = 2,  // LOGIN, PLAIN, CRAM-MD5 or EXTERNAL, as the server offers
};

struct TSmtpServer {
    std::string host;
    int32_t port = 0; // 0: 25
    TSmtpAuthorization authorization = TSmtpAuthorization::None;
    std::string userId;
    std::string password;
    TSmtpSecurity security = TSmtpSecurity::Opportunistic;
    // TLS from the first byte (the submission port 465) rather than
    // STARTTLS; ignored when TLS is off.
    bool implicitTls = false;
    std::string extraCaFile; // PEM certificates trusted besides the system's
    TSmtpLimits limits;
};

struct TSmtpEnvelope {
    std::string sender;
    std::vector<std::string> recipients; // To, CC and BCC addresses
};

// How a session ended. `replyCode` and `replyLine` are those of the last
// reply before QUIT (0 and empty when the server never answered).
struct TSmtpOutcome {
    bool delivered = false;
    int32_t replyCode = 0;
    std::string replyLine;
    std::string failure; // why the message was not delivered
};

// Delivers one finished message (CRLF text) through libcurl; never throws
// for anything the server or the network does.
TSmtpOutcome sendSmtpMessage(const TSmtpServer& server, const TSmtpEnvelope& envelope, const std::string& message);

} // namespace orv
