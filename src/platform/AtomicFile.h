#pragma once

#include "platform/FileNames.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class TSpoolFile;

// Writes a file under a temporary name in the target's folder and renames it
// into place on commit, so that a failed export never leaves a half-written
// file, nor destroys an older file of the same name. Without a commit the
// temporary file is removed. The temporary file is made only when the
// first bytes are ready (write() or create()), so an export that is killed
// while it is still drawing leaves nothing behind.
//
// A target that is a symbolic link is written through: its file is
// replaced and the link stays. A replaced file keeps its permissions.
// Anything other than a regular file (a device, a folder, a pipe) is
// refused. Temporary names are short enough for any legal target name, and
// those left behind by a killed process are removed by the next write to
// the same name.
class TAtomicFile {
public:
    // Throws at once when the target is no regular file or its folder takes
    // no new file (missing, not writable, a name too long).
    explicit TAtomicFile(std::string targetPath);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Makes the (empty) temporary file, once, and gives its name, for
    // writers that open the file themselves; throws when it cannot be made.
    const std::string& create();
    // Empty until the temporary file is made.
    const std::string& temporaryPath() const { return m_temporaryPath; }
    const std::string& targetPath() const { return m_targetPath; }
    // The folder both names are in, with its trailing slash ("./" for the
    // current folder, so that it is never empty).
    std::string folder() const;
    // Writes `bytes` as the whole content of the temporary file; throws
    // when they cannot all be written.
    void write(std::string_view bytes);
    // Adds to what the appends so far wrote, for content made piece by
    // piece (the file starts empty); throws when the disk refuses.
    void append(std::string_view bytes);
    // Adds `length` bytes of a spool file from `offset`.
    void append(TSpoolFile& spool, uint64_t offset, uint64_t length);
    // Renames the temporary file to the target; throws when that fails.
    void commit();

private:
    int appendDescriptor();
    void closeAppended();

    std::string m_stem; // the folder and the start of every temporary name
    bool m_replaces = false;
    unsigned m_mode = 0; // the replaced file's permissions
    std::string m_targetPath;
    std::string m_temporaryPath;
    int m_appendFd = -1;
    bool m_committed = false;
};

// Writes a whole file through a temporary name renamed into place.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Throws when `path` names an existing file that is not a regular file.
void refuseNonRegularFile(const std::string& path);

// The file an export writes for the name its caller gave: the name with
// `extension` (see withExtension). A name that already stands for a device
// or another non-regular file is refused rather than turned into a new file
// beside it ("/dev/null" never becomes "/dev/null.PDF").
std::string outputFileName(const std::string& name, const std::string& extension);

} // namespace orv
