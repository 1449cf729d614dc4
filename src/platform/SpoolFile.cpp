#include "platform/SpoolFile.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <string.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr size_t kBlockSize = 1 << 18;

std::runtime_error spoolError(const std::string& folder, const char* what, int error)
{
    return std::runtime_error(std::string("Cannot ") + what + " the temporary file in " +
                              (folder.empty() ? std::string(".") : folder) + ": " + strerror(error));
}

// O_TMPFILE makes a file without a name; file systems without it get a
// named one that is removed at once.
int openUnnamedFile(const std::string& folder)
{
    const std::string directory = folder.empty() ? std::string(".") : folder;
    const int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
    std::string name = directory + "/.orv-spool-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0)
        ::unlink(name.c_str());
    return named;
}

void writeAll(int fd, const char* data, size_t length, const std::string& folder)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw spoolError(folder, "write", n < 0 ? errno : ENOSPC);
        data += n;
        length -= static_cast<size_t>(n);
    }
}

} // namespace

TSpoolFile::TSpoolFile(const std::string& folder)
    : m_folder(folder)
    , m_fd(openUnnamedFile(folder))
{
    if (m_fd < 0)
        throw spoolError(folder, "create", errno);
}

TSpoolFile::~TSpoolFile()
{
    ::close(m_fd);
}

uint64_t TSpoolFile::append(std::string_view bytes)
{
    const uint64_t start = m_size;
    m_pending.append(bytes);
    m_size += bytes.size();
    if (m_pending.size() >= kBlockSize)
        flush();
    return start;
}

void TSpoolFile::flush()
{
    if (m_pending.empty())
        return;
    writeAll(m_fd, m_pending.data(), m_pending.size(), m_folder);
    m_pending.clear();
}

void TSpoolFile::readInto(std::string& out, uint64_t offset, uint64_t length)
{
    if (offset + length > m_size)
        throw std::out_of_range("TSpoolFile: range beyond the end");
    flush();
    const size_t start = out.size();
    out.resize(start + length);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(m_fd, out.data() + start + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw spoolError(m_folder, "read", n < 0 ? errno : EIO);
        done += static_cast<size_t>(n);
    }
}

void TSpoolFile::copyTo(int fd, uint64_t offset, uint64_t length)
{
    if (offset + length > m_size)
        throw std::out_of_range("TSpoolFile: range beyond the end");
    flush();
    auto from = static_cast<off_t>(offset);
    while (length > 0) {
        const ssize_t n = ::copy_file_range(m_fd, &from, fd, nullptr, length, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n > 0) {
            length -= static_cast<uint64_t>(n);
            continue;
        }
        if (n == 0)
            throw spoolError(m_folder, "read", EIO);
        // File systems that cannot copy between these files: through memory.
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            throw spoolError(m_folder, "copy from", errno);
        std::array<char, 1 << 16> buffer;
        while (length > 0) {
            const size_t chunk = std::min<uint64_t>(length, buffer.size());
            const ssize_t got = ::pread(m_fd, buffer.data(), chunk, from);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                throw spoolError(m_folder, "read", got < 0 ? errno : EIO);
            writeAll(fd, buffer.data(), static_cast<size_t>(got), m_folder);
            from += got;
            length -= static_cast<uint64_t>(got);
        }
    }
}

} // namespace orv
