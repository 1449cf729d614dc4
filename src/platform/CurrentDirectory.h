#pragma once

#include <QDir>
#include <QString>

namespace orv {

// Puts the process's current directory back when it goes out of scope:
// dialogs and print systems may change it, and the engine resolves relative
// file names against it.
class TCurrentDirectoryGuard {
public:
    TCurrentDirectoryGuard() : m_saved(QDir::currentPath()) {}
    ~TCurrentDirectoryGuard() { QDir::setCurrent(m_saved); }
    TCurrentDirectoryGuard(const TCurrentDirectoryGuard&) = delete;
    TCurrentDirectoryGuard& operator=(const TCurrentDirectoryGuard&) = delete;

private:
    QString m_saved;
};

} // namespace orv
