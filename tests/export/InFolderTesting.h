#pragma once

#include "platform/CurrentDirectory.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

namespace orv {

// Makes a test's own folder the current directory, where names without a
// folder and the control's temporary pictures go, and leaves the previous
// directory and an empty clipboard behind.
class TWorkingInFolder {
public:
    explicit TWorkingInFolder(const QString& folder) { QDir::setCurrent(folder); }
    ~TWorkingInFolder() { QGuiApplication::clipboard()->clear(); }
    TWorkingInFolder(const TWorkingInFolder&) = delete;
    TWorkingInFolder& operator=(const TWorkingInFolder&) = delete;

private:
    TCurrentDirectoryGuard m_previous; // taken before the folder is entered
};

} // namespace orv
