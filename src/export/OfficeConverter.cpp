#include "export/OfficeConverter.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace orv {

namespace {

// Large documents take long to lay out; a hung soffice must still end.
constexpr int kConversionTimeoutMs = 300'000;

// "doc:MS Word 97" writes ".doc" files, "pdf" ".pdf".
QString extensionOf(const QString& filter)
{
    return "." + filter.section(':', 0, 0);
}

} // namespace

TOfficeConverter::TOfficeConverter()
{
    if (!m_profile.isValid())
        throw std::runtime_error("Cannot create a LibreOffice profile folder");
}

std::string TOfficeConverter::convert(const std::string& source, const std::string& filter,
                                      const std::string& outputDir)
{
    const QFileInfo input(QString::fromStdString(source));
    const QString output = QString::fromStdString(outputDir) + "/" + input.completeBaseName()
                           + extensionOf(QString::fromStdString(filter));
    QFile::remove(output);

    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start("soffice", {"--headless", "--norestore",
                              "-env:UserInstallation=" + QUrl::fromLocalFile(m_profile.path()).toString(),
                              "--convert-to", QString::fromStdString(filter), "--outdir",
                              QString::fromStdString(outputDir), input.absoluteFilePath()});
    if (!soffice.waitForStarted())
        throw TOfficeUnavailable("LibreOffice (soffice) cannot be started: " + soffice.errorString().toStdString());
    if (!soffice.waitForFinished(kConversionTimeoutMs)) {
        soffice.kill();
        soffice.waitForFinished();
        throw std::runtime_error("LibreOffice did not finish converting " + source);
    }
    // soffice reports success even when it could not load the source, so
    // only the converted file tells.
    if (!QFileInfo::exists(output))
        throw std::runtime_error("LibreOffice could not convert " + source + ": "
                                 + QString::fromLocal8Bit(soffice.readAll()).trimmed().toStdString());
    return output.toStdString();
}

} // namespace orv
