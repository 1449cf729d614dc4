#include "CupsTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orv::printtest {

namespace {

constexpr const char* kSocketName = "cups.sock";

std::optional<std::string> environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The CUPS tools live in sbin, which an ordinary user's PATH may lack.
QString toolPath(const QString& tool)
{
    QString found = QStandardPaths::findExecutable(tool);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(tool, {"/usr/sbin", "/usr/local/sbin", "/sbin"});
    if (found.isEmpty())
        throw std::runtime_error(tool.toStdString() +
                                 " is not installed (scripts/setup.sh installs cups-daemon and cups-client)");
    return found;
}

std::string readFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    return file.readAll().toStdString();
}

void writeFile(const std::string& path, const std::string& text)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()))
        throw std::runtime_error("cannot write " + path);
}

bool acceptsConnections(const std::string& socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof(address.sun_path) - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        ::close(fd);
    return connected;
}

std::string jobFileName(const char* format, int32_t jobId)
{
    char name[32];
    std::snprintf(name, sizeof(name), format, jobId);
    return name;
}

uint16_t bigEndian16(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>((static_cast<unsigned char>(bytes.at(at)) << 8) |
                                 static_cast<unsigned char>(bytes.at(at + 1)));
}

} // namespace

TCupsServerRedirect::TCupsServerRedirect(const std::string& socketPath)
{
    for (const char* name : {"CUPS_SERVER", "PRINTER", "LPDEST"})
        m_savedEnvironment.emplace_back(name, environmentValue(name));
    setenv("CUPS_SERVER", socketPath.c_str(), 1);
    unsetenv("PRINTER");
    unsetenv("LPDEST");
    // libcups keeps its server per thread once read, so the environment
    // alone would not move an engine that has printed before.
    cupsSetServer(socketPath.c_str());
}

TCupsServerRedirect::~TCupsServerRedirect()
{
    for (const auto& [name, value] : m_savedEnvironment) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    // Back to whatever the environment and the client configuration say.
    cupsSetServer(nullptr);
}

TCupsTestServer::TCupsTestServer(const std::vector<std::string>& queues, const std::string& defaultQueue)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder for cupsd");
    writeConfiguration();
    startScheduler();
    for (const std::string& queue : queues)
        runTool("lpadmin", {"-p", QString::fromStdString(queue), "-E", "-v", "file:///dev/null", "-m", "raw"});
    runTool("lpadmin", {"-d", QString::fromStdString(defaultQueue)});
    m_redirect.emplace(path(kSocketName));
}

TCupsTestServer::~TCupsTestServer()
{
    m_redirect.reset();
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished();
    }
}

std::string TCupsTestServer::path(const std::string& name) const
{
    return m_dir.filePath(QString::fromStdString(name)).toStdString();
}

void TCupsTestServer::writeConfiguration() const
{
    for (const char* folder : {"conf", "spool/temp", "cache", "state", "log"})
        if (!QDir().mkpath(QString::fromStdString(path(folder))))
            throw std::runtime_error("cannot create " + path(folder));

    writeFile(path("conf/cups-files.conf"), "ServerRoot " + path("conf") + "\n"
                                            "RequestRoot " + path("spool") + "\n"
                                            "TempDir " + path("spool/temp") + "\n"
                                            "CacheDir " + path("cache") + "\n"
                                            "StateDir " + path("state") + "\n"
                                            "AccessLog " + path("log/access_log") + "\n"
                                            "ErrorLog " + path("log/error_log") + "\n"
                                            "PageLog " + path("log/page_log") + "\n");
    // No TCP port; anyone on the socket may administer and see every job.
    // Job files stay after printing and control files are written at once,
    // so the tests can read what each job carried.
    writeFile(path("conf/cupsd.conf"), "Listen " + path(kSocketName) + "\n"
                                       "LogLevel info\n"
                                       "Browsing No\n"
                                       "WebInterface No\n"
                                       "PreserveJobFiles Yes\n"
                                       "DirtyCleanInterval 0\n"
                                       "DefaultAuthType None\n"
                                       "<Location />\n"
                                       "  Order allow,deny\n"
                                       "  Allow all\n"
                                       "</Location>\n"
                                       "<Policy default>\n"
                                       "  JobPrivateAccess all\n"
                                       "  JobPrivateValues none\n"
                                       "  SubscriptionPrivateAccess all\n"
                                       "  SubscriptionPrivateValues none\n"
                                       "  <Limit All>\n"
                                       "    Order deny,allow\n"
                                       "  </Limit>\n"
                                       "</Policy>\n");
}

void TCupsTestServer::startScheduler()
{
    m_cupsd.setProgram(toolPath("cupsd"));
    m_cupsd.setArguments({"-f", "-c", QString::fromStdString(path("conf/cupsd.conf")), "-s",
                          QString::fromStdString(path("conf/cups-files.conf"))});
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.setStandardOutputFile(QString::fromStdString(path("log/cupsd.out")));
    // A test process that dies takes its scheduler with it.
    m_cupsd.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.start();
    if (!m_cupsd.waitForStarted(10000))
        throw std::runtime_error("cupsd cannot be started: " + m_cupsd.errorString().toStdString());

    // Started is not ready: cupsd reads its configuration before it listens.
    const QDeadlineTimer deadline(60000);
    while (!acceptsConnections(path(kSocketName))) {
        if (m_cupsd.waitForFinished(20))
            throw std::runtime_error("cupsd stopped at start-up:\n" + schedulerLog());
        if (deadline.hasExpired())
            throw std::runtime_error("cupsd does not listen on " + path(kSocketName) + ":\n" + schedulerLog());
    }
}

std::string TCupsTestServer::runTool(const QString& tool, QStringList arguments) const
{
    arguments.prepend(QString::fromStdString(path(kSocketName)));
    arguments.prepend("-h");
    QProcess process;
    process.start(toolPath(tool), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(tool.toStdString() + " " + arguments.join(' ').toStdString() + " failed: " +
                                 process.readAllStandardError().toStdString() + "\n" + schedulerLog());
    return process.readAllStandardOutput().toStdString();
}

std::string TCupsTestServer::schedulerLog() const
{
    std::string log;
    for (const char* name : {"log/cupsd.out", "log/error_log"}) {
        QFile file(QString::fromStdString(path(name)));
        if (file.open(QIODevice::ReadOnly))
            log += file.readAll().toStdString();
    }
    return log;
}

void TCupsTestServer::removeQueue(const std::string& name) const
{
    runTool("lpadmin", {"-x", QString::fromStdString(name)});
}

void TCupsTestServer::waitUntilIdle(const std::string& queue) const
{
    // lpstat -o lists the queue's jobs that are not finished.
    const QDeadlineTimer deadline(60000);
    while (!runTool("lpstat", {"-o", QString::fromStdString(queue)}).empty()) {
        if (deadline.hasExpired())
            throw std::runtime_error("jobs stay pending on " + queue + ":\n" + schedulerLog());
        QThread::msleep(20);
    }
}

int TCupsTestServer::jobCount(const std::string& queue) const
{
    const QString jobs = QString::fromStdString(runTool("lpstat", {"-W", "all", "-o", QString::fromStdString(queue)}));
    return static_cast<int>(jobs.split('\n', Qt::SkipEmptyParts).size());
}

std::string TCupsTestServer::jobDocument(int32_t jobId) const
{
    return readFile(path("spool/" + jobFileName("d%05d-001", jobId)));
}

std::optional<std::string> TCupsTestServer::jobAttribute(int32_t jobId, const std::string& name) const
{
    // The control file is the job's IPP message: an eight-byte header, then
    // tags, each attribute as value tag, name and value (lengths as two
    // big-endian bytes); an empty name continues the attribute before.
    const std::string message = readFile(path("spool/" + jobFileName("c%05d", jobId)));
    constexpr char kEndOfAttributes = 0x03, kLastDelimiter = 0x0F;
    size_t at = 8;
    while (at < message.size() && message[at] != kEndOfAttributes) {
        if (message[at++] <= kLastDelimiter)
            continue;
        const size_t nameLength = bigEndian16(message, at);
        const std::string attribute = message.substr(at + 2, nameLength);
        at += 2 + nameLength;
        const size_t valueLength = bigEndian16(message, at);
        if (attribute == name)
            return message.substr(at + 2, valueLength);
        at += 2 + valueLength;
    }
    return std::nullopt;
}

} // namespace orv::printtest
