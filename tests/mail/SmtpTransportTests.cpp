#include "MailTestServers.h"

#include "mail/MimeMessage.h"
#include "mail/SmtpTransport.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace orv;
using namespace orv::mailtest;

namespace {

std::string shortMessage()
{
    TMailMessage message;
    message.from = {"", "reports@example.org"};
    message.to = {{"", "boss@example.org"}};
    message.subject = "Monthly figures";
    message.textBody = "See the attached report.";
    return buildMimeMessage(message);
}

TSmtpEnvelope shortEnvelope() { return {"reports@example.org", {"boss@example.org"}}; }

TSmtpServer serverFor(int port)
{
    TSmtpServer server;
    server.host = "127.0.0.1";
    server.port = port;
    server.limits = {5, 5, 30};
    return server;
}

TSmtpServer withCredentials(TSmtpServer server, TSmtpAuthorization authorization, const std::string& password)
{
    server.authorization = authorization;
    server.userId = "reporter";
    server.password = password;
    return server;
}

} // namespace

TEST(SmtpTransport, DeliversWithoutAuthenticationAndKeepsTheLastReply)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    const TSmtpOutcome outcome = sendSmtpMessage(serverFor(smtp.port()), shortEnvelope(), shortMessage());
    EXPECT_TRUE(outcome.delivered) << outcome.failure;
    EXPECT_EQ(outcome.replyCode, 250);
    EXPECT_EQ(outcome.replyLine, "250 2.0.0 Message accepted for delivery");
    ASSERT_EQ(smtp.messageCount(), 1);
    EXPECT_EQ(smtp.envelope(1)["mail_from"].toString(), "reports@example.org");
    EXPECT_FALSE(smtp.sawCommand("AUTH"));
}

TEST(SmtpTransport, LoginTypeUsesTheAuthLoginExchange)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.mechanisms = "LOGIN,PLAIN,CRAM-MD5", .authInClear = true});
    TSmtpServer server = withCredentials(serverFor(smtp.port()), TSmtpAuthorization::Login, "s3cret");
    server.security = TSmtpSecurity::Off;
    const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_TRUE(outcome.delivered) << outcome.failure;
    EXPECT_EQ(outcome.replyCode, 250);
    EXPECT_TRUE(smtp.sawCommand("AUTH LOGIN"));
    EXPECT_FALSE(smtp.sawCommand("AUTH PLAIN"));
    EXPECT_FALSE(smtp.sawCommand("AUTH CRAM-MD5"));
}

TEST(SmtpTransport, EverySaslMechanismGetsTheCredentials)
{
    REQUIRE_SMTP_SERVER();
    for (const char* mechanism : {"LOGIN", "PLAIN", "CRAM-MD5"}) {
        SCOPED_TRACE(mechanism);
        for (const bool good : {true, false}) {
            TSmtpTestServer smtp({.mechanisms = mechanism, .authInClear = true});
            TSmtpServer server =
                withCredentials(serverFor(smtp.port()), TSmtpAuthorization::Sasl, good ? "s3cret" : "wrong");
            server.security = TSmtpSecurity::Off;
            const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
            EXPECT_TRUE(smtp.sawCommand(std::string("AUTH ") + mechanism));
            if (good) {
                EXPECT_TRUE(outcome.delivered) << outcome.failure;
                EXPECT_EQ(outcome.replyCode, 250);
                EXPECT_EQ(smtp.messageCount(), 1);
            } else {
                EXPECT_FALSE(outcome.delivered);
                EXPECT_EQ(outcome.replyCode, 535);
                EXPECT_EQ(outcome.replyLine, "535 5.7.8 Authentication credentials invalid");
                EXPECT_EQ(smtp.messageCount(), 0);
                EXPECT_FALSE(smtp.sawCommand("MAIL"));
            }
        }
    }
}

TEST(SmtpTransport, StartTlsIsUsedWhenOfferedAndTheCertificateIsChecked)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.startTls = true, .mechanisms = "PLAIN"});
    TSmtpServer server = withCredentials(serverFor(smtp.port()), TSmtpAuthorization::Sasl, "s3cret");

    // The throwaway certificate is nobody's: the session stops at the
    // handshake, before any credential.
    TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_FALSE(outcome.delivered);
    EXPECT_EQ(outcome.replyCode, 220) << "the last reply was the STARTTLS go-ahead";
    EXPECT_FALSE(outcome.failure.empty());
    EXPECT_TRUE(smtp.sawCommand("STARTTLS"));
    EXPECT_FALSE(smtp.sawCommand("AUTH"));

    server.extraCaFile = smtp.certificateFile();
    outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_TRUE(outcome.delivered) << outcome.failure;
    EXPECT_TRUE(smtp.sawCommand("AUTH PLAIN tls"));
    EXPECT_TRUE(smtp.sawCommand("MAIL tls"));
    EXPECT_EQ(smtp.messageCount(), 1);
}

TEST(SmtpTransport, ImplicitTlsSpeaksTlsFromTheFirstByte)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.implicitTls = true, .mechanisms = "LOGIN"});
    TSmtpServer server = withCredentials(serverFor(smtp.port()), TSmtpAuthorization::Login, "s3cret");
    server.implicitTls = true;
    server.extraCaFile = smtp.certificateFile();
    const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_TRUE(outcome.delivered) << outcome.failure;
    EXPECT_TRUE(smtp.sawCommand("AUTH LOGIN tls"));
    EXPECT_TRUE(smtp.sawCommand("MAIL tls"));
}

TEST(SmtpTransport, AnUnreadableCaFileStopsBeforeConnecting)
{
    TSmtpServer server = serverFor(25);
    server.extraCaFile = "/nonexistent/ca.pem";
    const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_FALSE(outcome.delivered);
    EXPECT_NE(outcome.failure.find("/nonexistent/ca.pem"), std::string::npos);
}

TEST(SmtpTransport, TlsRequiredFailsBeforeCredentialsWhenTheServerHasNoStartTls)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.mechanisms = "LOGIN,PLAIN", .authInClear = true});
    TSmtpServer server = withCredentials(serverFor(smtp.port()), TSmtpAuthorization::Sasl, "s3cret");
    server.security = TSmtpSecurity::Required;
    const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_FALSE(outcome.delivered);
    EXPECT_FALSE(outcome.failure.empty());
    EXPECT_TRUE(smtp.sawCommand("EHLO"));
    EXPECT_FALSE(smtp.sawCommand("AUTH"));
    EXPECT_FALSE(smtp.sawCommand("MAIL"));
}

TEST(SmtpTransport, OpportunisticTlsNeverSendsAPasswordInClear)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.mechanisms = "LOGIN,PLAIN", .authInClear = true});
    const TSmtpServer server = withCredentials(serverFor(smtp.port()), TSmtpAuthorization::Login, "s3cret");
    const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
    EXPECT_FALSE(outcome.delivered);
    EXPECT_NE(outcome.failure.find("not sent in clear"), std::string::npos) << outcome.failure;
    EXPECT_FALSE(smtp.sawCommand("AUTH"));
    EXPECT_EQ(smtp.messageCount(), 0);
}

TEST(SmtpTransport, OpportunisticTlsWithoutCredentialsDeliversInClear)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    const TSmtpOutcome outcome = sendSmtpMessage(serverFor(smtp.port()), shortEnvelope(), shortMessage());
    EXPECT_TRUE(outcome.delivered) << outcome.failure;
    EXPECT_TRUE(smtp.sawCommand("MAIL"));
    EXPECT_FALSE(smtp.sawCommand("MAIL tls"));
}

TEST(SmtpTransport, RejectedHostNamesNeverReachTheNetwork)
{
    for (const char* host : {"", "mail.example.org/evil", "a b", "user@host"}) {
        TSmtpServer server = serverFor(25);
        server.host = host;
        const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
        EXPECT_FALSE(outcome.delivered) << host;
        EXPECT_EQ(outcome.replyCode, 0) << host;
        EXPECT_FALSE(outcome.failure.empty()) << host;
    }
}

// Misbehaving servers: each session ends by its limits with a result and
// no delivery claimed.
TEST(SmtpTransport, HostileServersEndWithinTheLimits)
{
    REQUIRE_SMTP_SERVER();
    struct Case {
        const char* mode;
        int32_t expectedCode;
    };
    for (const Case& test : {Case{"silent", 0}, Case{"trickle", 0}, Case{"close-in-data", 354},
                             Case{"busy", 421}, Case{"huge-line", 0}}) {
        SCOPED_TRACE(test.mode);
        TScriptedServer hostile("hostile_smtp_server.py", {test.mode});
        TSmtpServer server = serverFor(hostile.port());
        server.limits = {2, 2, 8};
        const auto start = std::chrono::steady_clock::now();
        const TSmtpOutcome outcome = sendSmtpMessage(server, shortEnvelope(), shortMessage());
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
        // Bounded by the session limit (8 s) plus the QUIT wait, with room
        // for a loaded machine.
        EXPECT_LT(seconds, 30);
        EXPECT_EQ(outcome.replyCode, test.expectedCode) << outcome.replyLine;
        EXPECT_LE(outcome.replyLine.size(), 512u);
        EXPECT_FALSE(outcome.delivered);
        EXPECT_FALSE(outcome.failure.empty());
    }
}
