#include "PdfTestSupport.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>

#include <stdexcept>

namespace orv::pdftest {

ToolResult runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        throw std::runtime_error(program.toStdString() + " cannot be started; is it installed (scripts/setup.sh)?");
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        throw std::runtime_error(program.toStdString() + " did not finish");
    return ToolResult{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                      process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

TScratchDir::TScratchDir()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
}

QString TScratchDir::write(const QString& name, const std::string& bytes) const
{
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw std::runtime_error("cannot write " + file.toStdString());
    return file;
}

TPdfDocSettings fixedSettings()
{
    TPdfDocSettings settings;
    settings.CreationTime = {2024, 3, 9, 14, 5, 6, -300}; // five hours behind UTC
    settings.Producer = "Orv Report Engine  [Version: 1.0.0.1]";
    return settings;
}

std::string objectText(const std::string& pdf, int number)
{
    const std::string header = "\n" + std::to_string(number) + " 0 obj\r\n";
    const size_t start = pdf.find(header);
    if (start == std::string::npos)
        return {};
    const size_t body = start + header.size();
    return pdf.substr(body, pdf.find("\r\nendobj\r\n", body) - body);
}

std::string streamData(const std::string& pdf, int number)
{
    const std::string text = objectText(pdf, number);
    const size_t start = text.find("stream\r\n");
    if (start == std::string::npos)
        return {};
    const std::string data = text.substr(start + 8, text.rfind("\nendstream") - start - 8);
    return text.find("/FlateDecode") != std::string::npos ? inflate(data) : data;
}

std::string inflate(const std::string& compressed)
{
    // Qt reads a zlib stream behind a four-byte size hint.
    const QByteArray data = qUncompress(QByteArray(4, '\0') + QByteArray::fromStdString(compressed));
    if (data.isEmpty() && !compressed.empty())
        throw std::runtime_error("stream does not inflate");
    return data.toStdString();
}

std::string written(TPdfObject& object)
{
    std::string out;
    object.writeTo(out, TPdfWriteContext{});
    return out;
}

} // namespace orv::pdftest
