#include "mail/LocalMailSystem.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace orv {
namespace {

std::string trimmedCopy(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Local mail programs read their input with the system's line ends.
std::string withUnixLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

std::string firstLine(const QByteArray& output)
{
    const std::string text = output.trimmed().toStdString();
    return text.substr(0, text.find('\n'));
}

QString executable(const QString& program)
{
    if (program.contains('/'))
        return QFileInfo(program).isExecutable() && QFileInfo(program).isFile() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

// Runs a program to its end, feeding it `input`; the exit code, or -1 when
// it could not run or was stopped at the time limit.
struct TRun {
    bool started = false;
    bool finished = false;
    int exitCode = -1;
    std::string errorLine;
};

TRun runProgram(const QString& program, const QStringList& arguments, const std::string& input, int32_t seconds)
{
    TRun run;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(seconds * 1000))
        return run;
    run.started = true;
    process.write(input.data(), qint64(input.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(std::max(1, seconds) * 1000)) {
        process.kill();
        process.waitForFinished(5000);
        run.errorLine = "timed out";
        return run;
    }
    run.finished = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = run.finished ? process.exitCode() : -1;
    run.errorLine = firstLine(process.readAllStandardError());
    if (run.errorLine.empty())
        run.errorLine = firstLine(process.readAllStandardOutput());
    return run;
}

} // namespace

std::string mapiResultText(int32_t result)
{
    switch (result) {
    case 0: return {};
    case 1: return "MAPI_E_USER_ABORT";
    case 2: return "MAPI_E_FAILURE";
    case 3: return "MAPI_E_LOGIN_FAILURE";
    case 5: return "MAPI_E_INSUFFICIENT_MEMORY";
    case 9: return "MAPI_E_TOO_MANY_FILES";
    case 10: return "MAPI_E_TOO_MANY_RECIPIENTS";
    case 11: return "MAPI_E_ATTACHMENT_NOT_FOUND";
    case 12: return "MAPI_E_ATTACHMENT_OPEN_FAILURE";
    case 14: return "MAPI_E_UNKNOWN_RECIPIENT";
    case 15: return "MAPI_E_BAD_RECIPTYPE";
    case 18: return "MAPI_E_TEXT_TOO_LARGE";
    case 21: return "MAPI_E_AMBIGUOUS_RECIPIENT";
    case 25: return "MAPI_E_INVALID_RECIPS";
    default: return "UNKNOWN ERROR: " + std::to_string(result);
    }
}

TLocalMailOutcome deliverToLocalMailSystem(const std::string& command, const std::string& message, int32_t seconds)
{
    QStringList words = QProcess::splitCommand(QString::fromStdString(command));
    const QString program = words.isEmpty() ? QString() : executable(words.takeFirst());
    if (program.isEmpty())
        return {MapiUserAbort, "No local mail system: " + command};
    const TRun run = runProgram(program, words, withUnixLineEnds(message), seconds);
    if (run.finished && run.exitCode == 0)
        return {};
    return {MapiFailure, "The local mail system refused the message" +
                             (run.errorLine.empty() ? std::string() : ": " + run.errorLine)};
}

TLocalMailOutcome openInMailClient(const TMailClientRequest& request, int32_t seconds)
{
    const QString program = executable("xdg-email");
    if (program.isEmpty())
        return {MapiUserAbort, "No mail client: xdg-email is not installed"};
    QStringList arguments{"--utf8"};
    auto add = [&](const char* option, const std::string& value) {
        arguments << option << QString::fromStdString(value);
    };
    for (const std::string& entry : request.cc)
        add("--cc", trimmedCopy(entry));
    for (const std::string& entry : request.bcc)
        add("--bcc", trimmedCopy(entry));
    add("--subject", request.subject);
    add("--body", request.body);
    for (const std::string& path : request.attachmentPaths)
        add("--attach", path);
    for (const std::string& entry : request.to)
        arguments << QString::fromStdString(trimmedCopy(entry));
    const TRun run = runProgram(program, arguments, {}, seconds);
    if (run.finished && run.exitCode == 0)
        return {};
    // xdg-email: 2 a file is missing, 3 no tool to open mail with.
    if (run.exitCode == 2)
        return {MapiAttachmentNotFound, "The mail client did not find an attachment"};
    if (run.exitCode == 3)
        return {MapiUserAbort, "No mail client is set up"};
    return {MapiFailure, "The mail client failed" + (run.errorLine.empty() ? std::string() : ": " + run.errorLine)};
}

} // namespace orv
