#include "platform/AtomicFile.h"

#include "platform/SpoolFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr size_t kLongestName = NAME_MAX;
constexpr const char* kTemporaryMark = ".~";

std::runtime_error cannotWrite(const std::string& path, int error)
{
    return std::runtime_error("Cannot write " + path + ": " + strerror(error));
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a name stands for: a symbolic link is followed to the file it
// names (even one that does not exist yet), so that writing replaces the
// link's target and keeps the link.
std::string followLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::string link(static_cast<size_t>(status.st_size > 0 ? status.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0)
            return path;
        link.resize(static_cast<size_t>(length));
        path = link.starts_with('/') ? link : folderOf(path) + link;
    }
    throw cannotWrite(path, ELOOP);
}

// The start of every temporary name for a target: the target's name cut so
// that the marks and the process number still fit in a file name.
std::string temporaryStem(const std::string& name)
{
    constexpr size_t kRoomForMarks = 24; // ".~" + process id + "-" + attempt
    std::string stem = name.substr(0, std::min(name.size(), kLongestName - kRoomForMarks));
    return stem + kTemporaryMark;
}

// A temporary file "<stem><pid>-<n>" of a process that no longer runs was
// left by an export that was killed; the next export to the same name
// removes it.
void removeStaleTemporaries(const std::string& folder, const std::string& stem)
{
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (!name.starts_with(stem))
            continue;
        const std::string rest = name.substr(stem.size());
        char* end = nullptr;
        const long pid = std::strtol(rest.c_str(), &end, 10);
        if (pid <= 0 || end == rest.c_str() || *end != '-' || pid == getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlink((folder + name).c_str());
    }
    ::closedir(directory);
}

} // namespace

void refuseNonRegularFile(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        throw std::runtime_error("Cannot write " + path + ": not a regular file");
}

TAtomicFile::TAtomicFile(std::string targetPath)
    : m_targetPath(followLinks(std::move(targetPath)))
{
    refuseNonRegularFile(m_targetPath);
    const std::string folder = folderOf(m_targetPath);
    const std::string name = nameOf(m_targetPath);
    if (name.size() > kLongestName)
        throw cannotWrite(m_targetPath, ENAMETOOLONG);
    // The folder must take the file before anything is drawn for it.
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0)
        throw cannotWrite(m_targetPath, errno);
    const std::string stem = temporaryStem(name);
    removeStaleTemporaries(folder, stem);
    m_stem = folder + stem;

    // An existing file keeps its permissions; a new one gets the usual ones
    // (the umask applies).
    struct stat existing {};
    m_replaces = ::stat(m_targetPath.c_str(), &existing) == 0;
    m_mode = existing.st_mode & 07777;
}

TAtomicFile::~TAtomicFile()
{
    if (m_appendFd >= 0)
        ::close(m_appendFd);
    if (!m_committed && !m_temporaryPath.empty())
        std::remove(m_temporaryPath.c_str());
}

const std::string& TAtomicFile::create()
{
    if (!m_temporaryPath.empty())
        return m_temporaryPath;
    // Created exclusively, beside the target so that the rename stays on
    // one file system.
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = m_stem + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (m_replaces)
                ::fchmod(fd, m_mode);
            ::close(fd);
            m_temporaryPath = std::move(candidate);
            return m_temporaryPath;
        }
        if (errno != EEXIST)
            break;
    }
    throw cannotWrite(m_targetPath, errno);
}

void TAtomicFile::write(std::string_view bytes)
{
    FILE* file = std::fopen(create().c_str(), "wb");
    if (!file)
        throw cannotWrite(m_targetPath, errno);
    const bool complete = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !complete)
        throw std::runtime_error("Cannot write " + m_targetPath);
}

std::string TAtomicFile::folder() const
{
    const std::string folder = folderOf(m_targetPath);
    return folder.empty() ? std::string("./") : folder;
}

int TAtomicFile::appendDescriptor()
{
    if (m_appendFd < 0) {
        m_appendFd = ::open(create().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (m_appendFd < 0)
            throw cannotWrite(m_targetPath, errno);
    }
    return m_appendFd;
}

void TAtomicFile::append(std::string_view bytes)
{
    const int fd = appendDescriptor();
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw cannotWrite(m_targetPath, n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

void TAtomicFile::append(TSpoolFile& spool, uint64_t offset, uint64_t length)
{
    spool.copyTo(appendDescriptor(), offset, length);
}

// Some file systems report a failed write only when the file is closed.
void TAtomicFile::closeAppended()
{
    if (m_appendFd < 0)
        return;
    const int fd = m_appendFd;
    m_appendFd = -1;
    if (::close(fd) != 0)
        throw cannotWrite(m_targetPath, errno);
}

void TAtomicFile::commit()
{
    if (m_temporaryPath.empty())
        throw std::logic_error("Nothing was written for " + m_targetPath);
    closeAppended();
    if (std::rename(m_temporaryPath.c_str(), m_targetPath.c_str()) != 0)
        throw cannotWrite(m_targetPath, errno);
    m_committed = true;
}

void writeFileAtomically(const std::string& path, std::string_view bytes)
{
    TAtomicFile target(path);
    target.write(bytes);
    target.commit();
}

std::string outputFileName(const std::string& name, const std::string& extension)
{
    refuseNonRegularFile(name);
    return withExtension(name, extension);
}

} // namespace orv
