#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv::printtest {

// Points libcups, in this thread and in the processes started from here, at
// one CUPS server for as long as it lives; the environment's own choice
// (CUPS_SERVER, PRINTER, LPDEST) comes back afterwards. With no PRINTER or
// LPDEST the server's default printer is the default.
class TCupsServerRedirect {
public:
    explicit TCupsServerRedirect(const std::string& socketPath);
    ~TCupsServerRedirect();
    TCupsServerRedirect(const TCupsServerRedirect&) = delete;
    TCupsServerRedirect& operator=(const TCupsServerRedirect&) = delete;

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_savedEnvironment;
};

// A private CUPS scheduler (cupsd in the foreground, as a child process)
// with its configuration, spool and logs in a temporary folder, reachable
// only through a socket there, so that test processes running side by side
// never meet. Its queues are raw: CUPS keeps the document of each job byte
// for byte as it arrived. Works as root (cupsd then serves as user lp) and
// as an ordinary user. Throws, saying why, when cupsd cannot be started.
class TCupsTestServer {
public:
    // Starts cupsd with these queues; `defaultQueue` is the server's default.
    TCupsTestServer(const std::vector<std::string>& queues, const std::string& defaultQueue);
    ~TCupsTestServer();
    TCupsTestServer(const TCupsTestServer&) = delete;
    TCupsTestServer& operator=(const TCupsTestServer&) = delete;

    void removeQueue(const std::string& name) const;
    // Waits until the queue holds no pending or printing job.
    void waitUntilIdle(const std::string& queue) const;
    // How many jobs the queue has had, finished or not.
    int jobCount(const std::string& queue) const;
    // The document of a job exactly as CUPS received it.
    std::string jobDocument(int32_t jobId) const;
    // The first value of a job attribute as CUPS stored it (an integer as
    // four big-endian bytes); nothing when the job has no such attribute.
    std::optional<std::string> jobAttribute(int32_t jobId, const std::string& name) const;

private:
    std::string path(const std::string& name) const;
    void writeConfiguration() const;
    void startScheduler();
    // Runs a CUPS command-line tool against this server; throws when it fails.
    std::string runTool(const QString& tool, QStringList arguments) const;
    std::string schedulerLog() const;

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    std::optional<TCupsServerRedirect> m_redirect;
};

} // namespace orv::printtest
