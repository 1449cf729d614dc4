#include "document/TempFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr unsigned kMaxSuffix = 100000;

// Creates the file only when no file of that name exists; false when one
// does. Any other failure throws.
bool createNewFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != EEXIST)
        throw std::runtime_error("Cannot create temporary file " + path + ": " + strerror(errno));
    return false;
}

} // namespace

TTempFiles::~TTempFiles()
{
    deleteAll();
}

std::string TTempFiles::createExclusive(const std::string& stem, const std::string& extension)
{
    std::string path = stem + extension;
    for (unsigned k = 0; !createNewFile(path); ++k) {
        if (k == kMaxSuffix)
            throw std::runtime_error("Cannot create temporary file " + stem + "*" + extension
                                     + ": every name is taken");
        path = stem + std::to_string(k) + extension;
    }
    registerFile(path);
    return path;
}

std::string TTempFiles::createInCurrentDirectory(const std::string& extension)
{
    const std::string stem = std::filesystem::current_path().string() + "/ORVR" + std::to_string(m_files.size());
    return createExclusive(stem, extension);
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
