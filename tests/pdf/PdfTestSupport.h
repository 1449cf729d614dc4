#pragma once

#include "pdf/PdfDoc.h"

#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace orv::pdftest {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a PDF tool. A tool that is not installed throws, so the test fails
// loudly instead of passing unchecked.
ToolResult runTool(const QString& program, const QStringList& arguments);

// A temporary folder that holds the files a test hands to the tools.
class TScratchDir {
public:
    TScratchDir();
    // Writes bytes under a name and returns the path.
    QString write(const QString& name, const std::string& bytes) const;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// Settings that make the bytes reproducible: a fixed creation time.
TPdfDocSettings fixedSettings();

// The text between "n 0 obj" and "endobj" of object n, empty when absent.
std::string objectText(const std::string& pdf, int number);

// The content stream of object n, inflated when it is compressed.
std::string streamData(const std::string& pdf, int number);

std::string inflate(const std::string& compressed);

// The bytes an object writes of itself, outside any document.
std::string written(TPdfObject& object);

} // namespace orv::pdftest
