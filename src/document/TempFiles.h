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

    // Creates a new empty file "<prefix><n><extension>" in the current
    // directory, exclusively (never reusing an existing file), registers it
    // and returns its path.
    std::string createExclusive(const std::string& prefix, const std::string& extension);

    void registerFile(const std::string& path);

    // Deletes every registered file that still exists; a file that cannot be
    // deleted stays on disk. The list is emptied either way.
    void deleteAll();

    const std::vector<std::string>& files() const { return m_files; }

private:
    std::vector<std::string> m_files;
};

} // namespace orv
