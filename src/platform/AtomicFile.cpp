#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdexcept>
#include <string.h>
#include <unistd.h>

namespace orv {

TAtomicFile::TAtomicFile(std::string targetPath)
    : m_targetPath(std::move(targetPath))
{
    // Created exclusively with the usual permissions (the umask applies),
    // beside the target so that the rename stays on one file system.
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = m_targetPath + ".~" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_temporaryPath = std::move(candidate);
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw std::runtime_error("Cannot write " + m_targetPath + ": " + strerror(errno));
}

TAtomicFile::~TAtomicFile()
{
    if (!m_committed)
        std::remove(m_temporaryPath.c_str());
}

void TAtomicFile::write(std::string_view bytes)
{
    FILE* file = std::fopen(m_temporaryPath.c_str(), "wb");
    if (!file)
        throw std::runtime_error("Cannot write " + m_targetPath + ": " + strerror(errno));
    const bool complete = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !complete)
        throw std::runtime_error("Cannot write " + m_targetPath);
}

void TAtomicFile::commit()
{
    if (std::rename(m_temporaryPath.c_str(), m_targetPath.c_str()) != 0)
        throw std::runtime_error("Cannot write " + m_targetPath + ": " + strerror(errno));
    m_committed = true;
}

void writeFileAtomically(const std::string& path, std::string_view bytes)
{
    TAtomicFile target(path);
    target.write(bytes);
    target.commit();
}

} // namespace orv
