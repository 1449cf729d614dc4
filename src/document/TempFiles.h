#pragma once

#include <string>
#include <vector>

namespace orv {

// The files the control created (pictures taken from the clipboard,
// converted document pages). They belong to the report and are deleted
// from disk when the report is cleared or destroyed.
class TTempFiles {
public:
    TTempFiles() = default;
    TTempFiles(const TTempFiles&) = delete;
    TTempFiles& operator=(const TTempFiles&) = delete;
    ~TTempFiles();

    // Creates a new empty file "<stem><extension>", or when a file of that
    // name exists the first free "<stem><k><extension>" for k = 0, 1, 2 ...;
    // exclusively (an existing file is never reused or overwritten),
    // registers it and returns its path.
    std::string createExclusive(const std::string& stem, const std::string& extension);

    // Creates a file for a picture the control takes in (from the clipboard,
    // from a converted document) in the current directory, named after the
    // number n of registered files: "ORVR<n><extension>", then
    // "ORVR<n><k><extension>" as createExclusive tries them.
    std::string createInCurrentDirectory(const std::string& extension);

    void registerFile(const std::string& path);

    // Deletes every registered file that still exists; a file that cannot be
    // deleted stays on disk. The list is emptied either way.
    void deleteAll();

    const std::vector<std::string>& files() const { return m_files; }

private:
    std::vector<std::string> m_files;
};

} // namespace orv
