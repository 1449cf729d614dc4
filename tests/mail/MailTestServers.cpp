#include "MailTestServers.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <memory>
#include <stdexcept>

namespace orv::mailtest {
namespace {

const QString kPython = "/usr/bin/python3";

QString script(const QString& name) { return QStringLiteral(ORV_SOURCE_DIR "/tests/mail/") + name; }

} // namespace

std::string runTool(const QString& program, const QStringList& arguments, int* exitCode)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        throw std::runtime_error(program.toStdString() + " could not be started");
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput().toStdString();
}

std::string smtpServerMissing()
{
    int exitCode = -1;
    if (QFile::exists(kPython))
        runTool(kPython, {"-c", "import aiosmtpd"}, &exitCode);
    return exitCode == 0 ? std::string() : "python3-aiosmtpd is not installed for /usr/bin/python3";
}

TScriptedServer::TScriptedServer(const QString& name, const QStringList& arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(kPython, QStringList{script(name)} + arguments);
    while (m_process.waitForReadyRead(15000) || m_process.canReadLine()) {
        if (!m_process.canReadLine())
            continue;
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT ")) {
            m_port = line.mid(5).toInt();
            return;
        }
    }
    throw std::runtime_error(name.toStdString() + " did not start");
}

TScriptedServer::~TScriptedServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

TSmtpTestServer::TSmtpTestServer(const TSmtpServerOptions& options)
{
    QStringList arguments{"--dir", m_dir.path(), "--mechanisms", QString::fromStdString(options.mechanisms),
                          "--user", QString::fromStdString(options.user), "--password",
                          QString::fromStdString(options.password)};
    if (options.startTls || options.implicitTls) {
        int exitCode = -1;
        runTool("openssl",
                {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
                 "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", path("key.pem"), "-out",
                 path("cert.pem")},
                &exitCode);
        if (exitCode != 0)
            throw std::runtime_error("openssl could not make a test certificate");
        arguments << "--cert" << path("cert.pem") << "--key" << path("key.pem");
        if (options.implicitTls)
            arguments << "--implicit-tls";
    }
    if (options.authInClear)
        arguments << "--auth-in-clear";
    m_server = std::make_unique<TScriptedServer>("smtp_test_server.py", arguments);
}

QString TSmtpTestServer::path(const QString& name) const { return m_dir.filePath(name); }

std::string TSmtpTestServer::certificateFile() const { return path("cert.pem").toStdString(); }

std::vector<std::string> TSmtpTestServer::session() const
{
    QFile file(path("session.log"));
    std::vector<std::string> lines;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty())
                lines.push_back(line.toStdString());
    return lines;
}

bool TSmtpTestServer::sawCommand(const std::string& verb) const
{
    for (const std::string& line : session())
        if (line.rfind(verb, 0) == 0)
            return true;
    return false;
}

int TSmtpTestServer::messageCount() const
{
    return int(QDir(m_dir.path()).entryList({"message-*.eml"}, QDir::Files).size());
}

std::string TSmtpTestServer::messageFile(int number) const
{
    return path(QString("message-%1.eml").arg(number)).toStdString();
}

QJsonObject TSmtpTestServer::envelope(int number) const
{
    QFile file(path(QString("message-%1.json").arg(number)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString TSmtpTestServer::attachmentFolder(int number) const { return path(QString("parts-%1").arg(number)); }

QJsonObject TSmtpTestServer::inspect(int number) const
{
    QDir().mkpath(attachmentFolder(number));
    const std::string json = runTool(
        kPython, {script("inspect_message.py"), QString::fromStdString(messageFile(number)), attachmentFolder(number)});
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

} // namespace orv::mailtest
