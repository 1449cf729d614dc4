#include "document/TempFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdexcept>
#include <string.h>
#include <unistd.h>

namespace orv {

TTempFiles::~TTempFiles()
{
    deleteAll();
}

std::string TTempFiles::createExclusive(const std::string& prefix, const std::string& extension)
{
    for (unsigned attempt = 1; attempt < 100000; ++attempt) {
        std::string path = prefix + std::to_string(attempt) + extension;
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            registerFile(path);
            return path;
        }
        if (errno != EEXIST)
            throw std::runtime_error("Cannot create temporary file " + path + ": " + strerror(errno));
    }
    throw std::runtime_error("Cannot create temporary file " + prefix + "*" + extension
                             + ": every name is taken");
}

void TTempFiles::registerFile(const std::string& path)
{
    m_files.push_back(path);
}

void TTempFiles::deleteAll()
{
    for (const std::string& path : m_files)
        std::remove(path.c_str());
    m_files.clear();
}

} // namespace orv
