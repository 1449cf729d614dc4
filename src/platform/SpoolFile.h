#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// An unnamed temporary file for bytes that are written once and read back
// later, so that the finished parts of a long export wait on disk instead
// of in memory. It lives in the given folder (beside the file being made,
// so copying out of it stays on one disk) and has no name: nothing is left
// behind when it is closed, nor when the process dies.
class TSpoolFile {
public:
    // Throws when no temporary file can be made in `folder` ("" is the
    // current folder).
    explicit TSpoolFile(const std::string& folder);
    ~TSpoolFile();
    TSpoolFile(const TSpoolFile&) = delete;
    TSpoolFile& operator=(const TSpoolFile&) = delete;

    // Appends bytes and returns where they start. Writes are gathered into
    // large blocks; a disk that refuses them throws, here or on a later call.
    uint64_t append(std::string_view bytes);
    uint64_t size() const { return m_size; }

    // Appends `length` bytes from `offset` to `out`.
    void readInto(std::string& out, uint64_t offset, uint64_t length);
    // Writes `length` bytes from `offset` to the open file `fd` at its
    // current position, inside the kernel where it can.
    void copyTo(int fd, uint64_t offset, uint64_t length);

private:
    void flush();

    std::string m_folder;
    int m_fd = -1;
    uint64_t m_size = 0;   // bytes appended, those in m_pending included
    std::string m_pending; // the tail not yet written
};

} // namespace orv
