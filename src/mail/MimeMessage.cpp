#include "mail/MimeMessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QUuid>

#include <cctype>
#include <stdexcept>

namespace orv {
namespace {

constexpr size_t kLineLimit = 76;
// Raw bytes per encoded word: 45 bytes are 60 base64 characters, which with
// "=?UTF-8?B?" and "?=" stays within the 75 a word may have.
constexpr size_t kWordBytes = 45;

bool isPrintableAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7e)
            return false;
    return text.find("=?") == std::string::npos;
}

size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xf0)
        return 4;
    if (lead >= 0xe0)
        return 3;
    if (lead >= 0xc0)
        return 2;
    return 1;
}

std::string base64(const std::string& bytes)
{
    return QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())).toBase64().toStdString();
}

std::string base64Lines(const QByteArray& bytes)
{
    const QByteArray encoded = bytes.toBase64();
    std::string lines;
    lines.reserve(size_t(encoded.size()) + size_t(encoded.size()) / kLineLimit * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += qsizetype(kLineLimit)) {
        lines.append(encoded.constData() + at, size_t(std::min<qsizetype>(qsizetype(kLineLimit), encoded.size() - at)));
        lines += "\r\n";
    }
    return lines;
}

// UTF-8 text as quoted-printable with CRLF line ends; any line end the host
// used (CRLF, LF or CR) becomes a hard break.
std::string quotedPrintable(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    size_t column = 0;
    auto put = [&](const std::string& piece) {
        if (column + piece.size() > kLineLimit - 1) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
            column = 0;
            continue;
        }
        const bool lineEnds = i + 1 == text.size() || text[i + 1] == '\r' || text[i + 1] == '\n';
        const bool literal = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !lineEnds);
        // A line starting with "." or "From " is left alone by every relay
        // when the first character is encoded.
        const bool lineStart = column == 0 && (c == '.' || text.compare(i, 5, "From ") == 0);
        if (literal && !lineStart)
            put(std::string(1, char(c)));
        else
            put(std::string{'=', hex[c >> 4], hex[c & 15]});
    }
    return out;
}

std::string quotedIfNeeded(const std::string& name)
{
    if (name.find_first_of("()<>[]:;@\\,.\"") == std::string::npos)
        return name;
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string formatAddress(const TMailAddress& address)
{
    if (address.displayName.empty())
        return address.address;
    const std::string name = isPrintableAscii(address.displayName) ? quotedIfNeeded(address.displayName)
                                                                   : encodeHeaderText(address.displayName);
    return name + " <" + address.address + ">";
}

// "Name: a, b" folded before an address that would make the line too long.
std::string addressHeader(const char* name, const std::vector<TMailAddress>& addresses)
{
    std::string header = std::string(name) + ": ";
    size_t column = header.size();
    for (size_t i = 0; i < addresses.size(); ++i) {
        const std::string item = formatAddress(addresses[i]) + (i + 1 < addresses.size() ? "," : "");
        if (i > 0) {
            if (column + 1 + item.size() > kLineLimit) {
                header += "\r\n";
                column = 0;
            }
            header += ' ';
            ++column;
        }
        header += item;
        column += item.size();
    }
    return header + "\r\n";
}

std::string mimeType(const std::string& path)
{
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(QString::fromStdString(path), QMimeDatabase::MatchExtension);
    return type.isValid() && !type.isDefault() ? type.name().toStdString() : "application/octet-stream";
}

// An RFC 2231 parameter for a file name that is not plain ASCII, with a
// plain fallback for old readers.
std::string fileNameParameters(const std::string& name)
{
    if (isPrintableAscii(name) && name.find_first_of("\"\\") == std::string::npos)
        return "; filename=\"" + name + "\"";
    std::string encoded = "UTF-8''";
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '.' || c == '-' || c == '_')
            encoded += char(c);
        else
            encoded += std::string{'%', hex[c >> 4], hex[c & 15]};
    }
    return ";\r\n filename*=" + encoded;
}

std::string textPart(const char* type, const std::string& body)
{
    return std::string("Content-Type: ") + type + "; charset=UTF-8\r\n" +
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n" + quotedPrintable(body);
}

std::string attachmentPart(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot read the attachment " + path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error("Cannot read the attachment " + path);
    const std::string name = QFileInfo(file).fileName().toStdString();
    return "Content-Type: " + mimeType(path) + "\r\n" + "Content-Transfer-Encoding: base64\r\n" +
           "Content-Disposition: attachment" + fileNameParameters(name) + "\r\n\r\n" + base64Lines(bytes);
}

std::string domainOf(const std::string& address)
{
    const size_t at = address.rfind('@');
    const std::string domain = at == std::string::npos ? std::string() : address.substr(at + 1);
    return domain.empty() || domain.find_first_of(" <>") != std::string::npos ? "localhost" : domain;
}

} // namespace

std::string encodeHeaderText(const std::string& text)
{
    std::string flat = text;
    for (char& c : flat)
        if (c == '\r' || c == '\n')
            c = ' ';
    if (isPrintableAscii(flat))
        return flat;
    std::string words;
    for (size_t at = 0; at < flat.size();) {
        size_t end = at;
        while (end < flat.size()) {
            const size_t next = end + utf8SequenceLength(static_cast<unsigned char>(flat[end]));
            if (next - at > kWordBytes)
                break;
            end = std::min(next, flat.size());
        }
        if (!words.empty())
            words += "\r\n ";
        words += "=?UTF-8?B?" + base64(flat.substr(at, end - at)) + "?=";
        at = end;
    }
    return words;
}

std::string buildMimeMessage(const TMailMessage& message)
{
    std::string text;
    text += "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toStdString() + "\r\n";
    if (!message.from.address.empty())
        text += addressHeader("From", {message.from});
    if (!message.to.empty())
        text += addressHeader("To", message.to);
    if (!message.cc.empty())
        text += addressHeader("Cc", message.cc);
    if (message.bccHeader && !message.bcc.empty())
        text += addressHeader("Bcc", message.bcc);
    text += "Subject: " + encodeHeaderText(message.subject) + "\r\n";
    text += "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString() + "@" +
            domainOf(message.from.address) + ">\r\n";
    if (message.returnReceipt && !message.from.address.empty())
        text += addressHeader("Disposition-Notification-To", {message.from});
    text += "MIME-Version: 1.0\r\n";

    const bool html = !message.htmlBody.empty();
    if (!html && message.attachmentPaths.empty())
        return text + textPart("text/plain", message.textBody);

    // Parts are quoted-printable or base64, neither of which can hold "=_",
    // so the boundary never occurs inside them.
    const std::string boundary =
        "=_orv_" + QByteArray::number(QRandomGenerator::global()->generate64(), 16).toStdString();
    text += "Content-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n\r\n";
    text += "This is a multi-part message in MIME format.\r\n";
    auto addPart = [&](const std::string& part) { text += "\r\n--" + boundary + "\r\n" + part; };
    if (html)
        addPart(textPart("text/html", message.htmlBody));
    addPart(textPart("text/plain", message.textBody));
    for (const std::string& path : message.attachmentPaths)
        addPart(attachmentPart(path));
    return text + "\r\n--" + boundary + "--\r\n";
}

} // namespace orv
