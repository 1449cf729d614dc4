#include "mail/SmtpTransport.h"

#include <curl/curl.h>

#include <QFile>

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>

namespace orv {
namespace {

// The longest reply line kept; a hostile server may send megabytes.
constexpr size_t kReplyLineLimit = 512;

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Follows the server's replies as libcurl reports them, line by line, and
// keeps the code and first line of the last reply before QUIT.
class TReplyRecorder {
public:
    void received(const char* data, size_t size)
    {
        if (m_quitSent)
            return;
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == '\n') {
                lineEnded();
            } else if (m_line.size() < kReplyLineLimit) {
                if (data[i] != '\r')
                    m_line += data[i];
            }
        }
    }
    void sent(const char* data, size_t size)
    {
        if (size >= 4 && std::equal(data, data + 4, "QUIT"))
            m_quitSent = true;
    }
    int32_t code() const { return m_code; }
    const std::string& firstLine() const { return m_firstLine; }

private:
    void lineEnded()
    {
        const bool coded = m_line.size() >= 3 && std::all_of(m_line.begin(), m_line.begin() + 3, [](char c) {
                               return c >= '0' && c <= '9';
                           });
        if (!m_continues) {
            m_firstLine = m_line;
            m_code = coded ? std::stoi(m_line.substr(0, 3)) : 0;
        }
        m_continues = coded && m_line.size() > 3 && m_line[3] == '-';
        m_line.clear();
    }

    std::string m_line;
    bool m_continues = false;
    bool m_quitSent = false;
    int32_t m_code = 0;
    std::string m_firstLine;
};

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* recorder)
{
    auto* replies = static_cast<TReplyRecorder*>(recorder);
    if (type == CURLINFO_HEADER_IN)
        replies->received(data, size);
    else if (type == CURLINFO_HEADER_OUT)
        replies->sent(data, size);
    return 0;
}

struct TUpload {
    const std::string& bytes;
    size_t offset = 0;
};

size_t onRead(char* buffer, size_t size, size_t count, void* upload)
{
    auto* source = static_cast<TUpload*>(upload);
    const size_t length = std::min(size * count, source->bytes.size() - source->offset);
    std::copy_n(source->bytes.data() + source->offset, length, buffer);
    source->offset += length;
    return length;
}

bool isHostName(const std::string& host)
{
    return !host.empty() && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_' || c == ':';
    });
}

std::string serverUrl(const TSmtpServer& server, bool implicitTls)
{
    const std::string host = server.host.find(':') != std::string::npos ? "[" + server.host + "]" : server.host;
    return std::string(implicitTls ? "smtps://" : "smtp://") + host + ":" +
           std::to_string(server.port == 0 ? 25 : server.port);
}

std::string readWholeFile(const std::string& path, bool& ok)
{
    QFile file(QString::fromStdString(path));
    ok = file.open(QIODevice::ReadOnly);
    return ok ? file.readAll().toStdString() : std::string();
}

// One SMTP session as libcurl runs it.
class TSmtpSession {
public:
    TSmtpSession(const TSmtpServer& server, const TSmtpEnvelope& envelope, const std::string& message)
        : m_server(server), m_envelope(envelope), m_message(message)
    {
    }

    // Runs the session with TLS from the start, by STARTTLS, or not at all;
    // credentials go only when `sendCredentials` is set.
    CURLcode run(bool implicitTls, curl_usessl tls, bool sendCredentials, TSmtpOutcome& outcome)
    {
        std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
        std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> recipients(nullptr, curl_slist_free_all);
        if (!curl) {
            outcome.failure = "The mail transport could not be started";
            return CURLE_FAILED_INIT;
        }
        for (const std::string& address : m_envelope.recipients) {
            curl_slist* grown = curl_slist_append(recipients.get(), ("<" + address + ">").c_str());
            if (!grown) {
                outcome.failure = "Out of memory";
                return CURLE_OUT_OF_MEMORY;
            }
            recipients.release();
            recipients.reset(grown);
        }

        TReplyRecorder replies;
        TUpload upload{m_message};
        char error[CURL_ERROR_SIZE] = {};
        const std::string url = serverUrl(m_server, implicitTls);
        const std::string sender = "<" + m_envelope.sender + ">";
        CURL* handle = curl.get();
        curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, onDebug);
        curl_easy_setopt(handle, CURLOPT_DEBUGDATA, &replies);
        curl_easy_setopt(handle, CURLOPT_MAIL_FROM, sender.c_str());
        curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
        curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(handle, CURLOPT_READFUNCTION, onRead);
        curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
        curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, curl_off_t(m_message.size()));
        curl_easy_setopt(handle, CURLOPT_USE_SSL, long(tls));
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, long(std::max(1, m_server.limits.connectSeconds)));
        curl_easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(std::max(1, m_server.limits.replySeconds)));
        curl_easy_setopt(handle, CURLOPT_TIMEOUT, long(std::max(1, m_server.limits.sessionSeconds)));

        std::string caBundle;
        if (!m_server.extraCaFile.empty()) {
            if (!trustExtraCa(handle, caBundle)) {
                outcome.failure = "Cannot read the CA file " + m_server.extraCaFile;
                return CURLE_SSL_CACERT_BADFILE;
            }
        }
        if (sendCredentials) {
            if (!m_server.userId.empty())
                curl_easy_setopt(handle, CURLOPT_USERNAME, m_server.userId.c_str());
            if (!m_server.password.empty())
                curl_easy_setopt(handle, CURLOPT_PASSWORD, m_server.password.c_str());
            curl_easy_setopt(handle, CURLOPT_LOGIN_OPTIONS,
                             m_server.authorization == TSmtpAuthorization::Login
                                 ? "AUTH=LOGIN"
                                 : "AUTH=LOGIN;AUTH=PLAIN;AUTH=CRAM-MD5;AUTH=EXTERNAL");
        }

        const CURLcode code = curl_easy_perform(handle);
        outcome.delivered = code == CURLE_OK;
        outcome.replyCode = replies.code();
        outcome.replyLine = replies.firstLine();
        if (code != CURLE_OK)
            outcome.failure = error[0] ? error : curl_easy_strerror(code);
        return code;
    }

private:
    // libcurl takes one CA bundle: the system's bundle and the extra file
    // go in together, so trusting a private CA keeps the public ones.
    bool trustExtraCa(CURL* handle, std::string& bundle)
    {
        bool ok = false;
        const std::string extra = readWholeFile(m_server.extraCaFile, ok);
        if (!ok)
            return false;
        char* systemBundle = nullptr;
        if (curl_easy_getinfo(handle, CURLINFO_CAINFO, &systemBundle) == CURLE_OK && systemBundle)
            bundle = readWholeFile(systemBundle, ok) + "\n";
        bundle += extra;
        curl_blob blob{bundle.data(), bundle.size(), CURL_BLOB_NOCOPY};
        curl_easy_setopt(handle, CURLOPT_CAINFO_BLOB, &blob);
        return true;
    }

    const TSmtpServer& m_server;
    const TSmtpEnvelope& m_envelope;
    const std::string& m_message;
};

} // namespace

TSmtpOutcome sendSmtpMessage(const TSmtpServer& server, const TSmtpEnvelope& envelope, const std::string& message)
{
    TSmtpOutcome outcome;
    if (!isHostName(server.host)) {
        outcome.failure = "Not a host name: " + server.host;
        return outcome;
    }
    initialiseCurl();
    const bool credentials =
        server.authorization != TSmtpAuthorization::None && !(server.userId.empty() && server.password.empty());
    TSmtpSession session(server, envelope, message);
    if (server.security == TSmtpSecurity::Off) {
        session.run(false, CURLUSESSL_NONE, credentials, outcome);
        return outcome;
    }
    if (server.implicitTls) {
        session.run(true, CURLUSESSL_ALL, credentials, outcome);
        return outcome;
    }
    const CURLcode code = session.run(false, CURLUSESSL_ALL, credentials, outcome);
    if (code != CURLE_USE_SSL_FAILED || server.security == TSmtpSecurity::Required)
        return outcome;
    // The server offers no STARTTLS: without credentials the message may go
    // in clear; a password never does.
    if (credentials) {
        outcome.failure = "The server offers no TLS; the password is not sent in clear";
        return outcome;
    }
    outcome = {};
    session.run(false, CURLUSESSL_NONE, false, outcome);
    return outcome;
}

} // namespace orv
