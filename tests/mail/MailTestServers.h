#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace orv::mailtest {

// Why the SMTP tests cannot run here, or empty when they can: they need
// /usr/bin/python3 with aiosmtpd (python3-aiosmtpd of scripts/setup.sh).
std::string smtpServerMissing();

// Skips the test, with the reason, where no SMTP test server can run.
#define REQUIRE_SMTP_SERVER()                            \
    do {                                                 \
        const std::string missing = smtpServerMissing(); \
        if (!missing.empty())                            \
            GTEST_SKIP() << missing;                     \
    } while (false)

// A Python script of tests/mail that serves on 127.0.0.1 and prints
// "PORT <n>" when it is ready; stopped by its process id when this ends.
class TScriptedServer {
public:
    TScriptedServer(const QString& script, const QStringList& arguments);
    ~TScriptedServer();
    TScriptedServer(const TScriptedServer&) = delete;
    TScriptedServer& operator=(const TScriptedServer&) = delete;

    int port() const { return m_port; }

private:
    QProcess m_process;
    int m_port = 0;
};

struct TSmtpServerOptions {
    bool startTls = false;
    bool implicitTls = false;
    std::string mechanisms; // "LOGIN,PLAIN,CRAM-MD5"
    std::string user = "reporter";
    std::string password = "s3cret";
    bool authInClear = false; // AUTH without TLS allowed
};

// An aiosmtpd server that records each command and keeps every message,
// with a throwaway certificate for 127.0.0.1 when it speaks TLS.
class TSmtpTestServer {
public:
    explicit TSmtpTestServer(const TSmtpServerOptions& options = {});

    int port() const { return m_server->port(); }
    // The certificate the server presents, to trust as an extra CA.
    std::string certificateFile() const;
    // The commands the server saw: "EHLO", "STARTTLS", "AUTH PLAIN tls" ...
    std::vector<std::string> session() const;
    bool sawCommand(const std::string& verb) const;
    int messageCount() const;
    std::string messageFile(int number) const;
    // MAIL FROM and RCPT TO of message `number` (from 1).
    QJsonObject envelope(int number) const;
    // The message as Python's email package reads it (inspect_message.py);
    // attachments are written into attachmentFolder(number).
    QJsonObject inspect(int number) const;
    QString attachmentFolder(int number) const;

private:
    QString path(const QString& name) const;
    QTemporaryDir m_dir;
    std::unique_ptr<TScriptedServer> m_server;
};

// Runs a program to its end; its standard output, and the exit code in
// `exitCode`.
std::string runTool(const QString& program, const QStringList& arguments, int* exitCode = nullptr);

} // namespace orv::mailtest
