#pragma once

// The barcode readers the tests trust, each run once over many images.

#include "pdf/PdfTestSupport.h"

#include <QRegularExpression>
#include <QStringList>

#include <string>
#include <vector>

namespace orv::testing {

// What zbarimg finds in each file, in the order given: "TYPE:data\n" per
// symbol, empty where it finds nothing.
inline std::vector<std::string> zbarReadings(const QStringList& files, const QStringList& options = {})
{
    const pdftest::ToolResult zbar = pdftest::runTool("zbarimg", QStringList{"--nodbus", "--xml"} + options + files);
    static const QRegularExpression source("<source href='([^']*)'>(.*?)</source>",
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression symbol(R"re(<symbol type='([^']*)'[^>]*><data><!\[CDATA\[(.*?)\]\]></data>)re",
                                           QRegularExpression::DotMatchesEverythingOption);
    std::vector<std::string> readings(static_cast<size_t>(files.size()));
    for (auto s = source.globalMatch(QString::fromStdString(zbar.out)); s.hasNext();) {
        const auto m = s.next();
        const auto index = files.indexOf(m.captured(1));
        if (index < 0)
            continue;
        for (auto found = symbol.globalMatch(m.captured(2)); found.hasNext();) {
            const auto f = found.next();
            readings[static_cast<size_t>(index)] += (f.captured(1) + ":" + f.captured(2) + "\n").toStdString();
        }
    }
    return readings;
}

// What ZXingReader -1 finds in each file: "Format \"text\"", or "None".
inline std::vector<std::string> zxingReadings(const QStringList& files)
{
    const pdftest::ToolResult zxing = pdftest::runTool("ZXingReader", QStringList{"-1"} + files);
    std::vector<std::string> readings(static_cast<size_t>(files.size()));
    for (const QString& line : QString::fromStdString(zxing.out).split('\n', Qt::SkipEmptyParts)) {
        const auto space = line.indexOf(' ');
        const auto index = files.indexOf(line.left(space));
        if (index >= 0)
            readings[static_cast<size_t>(index)] += line.mid(space + 1).toStdString();
    }
    return readings;
}

} // namespace orv::testing
