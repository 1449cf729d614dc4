#include "export/PdfPageImages.h"

#include <QDir>
#include <QProcess>

#include <algorithm>
#include <stdexcept>

namespace orv {

namespace {

constexpr int kRenderTimeoutMs = 300'000;

// pdftoppm names its files "<prefix>-<page>.png", the page number padded to
// the width of the largest; the number, not the name, gives the order.
int pageNumberOf(const QString& fileName)
{
    return fileName.section('-', -1).section('.', 0, 0).toInt();
}

} // namespace

std::vector<QImage> renderPdfPages(const std::string& pdfFile, int pixelsPerInch, const std::string& workDir)
{
    const QDir dir(QString::fromStdString(workDir));
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", QString::number(pixelsPerInch), "-png", QString::fromStdString(pdfFile),
                                dir.filePath("page")});
    if (!pdftoppm.waitForFinished(kRenderTimeoutMs) || pdftoppm.exitStatus() != QProcess::NormalExit
        || pdftoppm.exitCode() != 0) {
        pdftoppm.kill();
        throw std::runtime_error("pdftoppm could not render " + pdfFile + ": "
                                 + QString::fromLocal8Bit(pdftoppm.readAllStandardError()).toStdString());
    }

    QStringList files = dir.entryList({"page-*.png"}, QDir::Files);
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return pageNumberOf(a) < pageNumberOf(b); });
    std::vector<QImage> pages;
    for (const QString& file : files) {
        QImage page(dir.filePath(file));
        if (page.isNull())
            throw std::runtime_error("pdftoppm wrote an unreadable page " + file.toStdString());
        pages.push_back(std::move(page));
    }
    if (pages.empty())
        throw std::runtime_error("pdftoppm rendered no page of " + pdfFile);
    return pages;
}

} // namespace orv
