#include "MailTestServers.h"

#include "mail/MailAddresses.h"
#include "mail/MimeMessage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orv;
using namespace orv::mailtest;

namespace {

// The message as Python's email package reads it back.
class MimeMessageTest : public testing::Test {
protected:
    QTemporaryDir folder;

    QJsonObject readBack(const std::string& text)
    {
        QFile file(folder.filePath("message.eml"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), qint64(text.size()));
        file.close();
        const std::string json =
            runTool("/usr/bin/python3", {ORV_SOURCE_DIR "/tests/mail/inspect_message.py", file.fileName(), folder.path()});
        return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    }

    std::string writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName().toStdString();
    }

    static QStringList partTypes(const QJsonObject& message)
    {
        QStringList types;
        for (const QJsonValue& part : message["parts"].toArray())
            types << part.toObject()["type"].toString();
        return types;
    }
};

bool linesAreShort(const std::string& text)
{
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos || end - start > 998)
            return end == std::string::npos && text.size() - start <= 998;
        start = end + 2;
    }
    return true;
}

} // namespace

TEST_F(MimeMessageTest, PlainTextAloneIsOneUtf8Part)
{
    TMailMessage message;
    message.from = {"Büro Süd", "office@example.org"};
    message.to = parseAddressList("a@example.org, \"Doe, Jane\" <jane@example.org>");
    message.subject = "Quartalsbericht für März – Übersicht mit sehr langem Betreff, der umbrochen werden muss";
    message.textBody = "Grüße\n.\nFrom the office\r\nline three";
    const std::string text = buildMimeMessage(message);
    EXPECT_TRUE(linesAreShort(text));
    EXPECT_EQ(text.find("Bcc"), std::string::npos);

    const QJsonObject read = readBack(text);
    EXPECT_EQ(read["type"].toString(), "text/plain");
    EXPECT_TRUE(read["defects"].toArray().isEmpty());
    const QJsonObject headers = read["headers"].toObject();
    EXPECT_EQ(headers["Subject"].toString().toStdString(), message.subject);
    EXPECT_EQ(headers["From"].toString(), "Büro Süd <office@example.org>");
    EXPECT_EQ(headers["To"].toString(), "a@example.org, \"Doe, Jane\" <jane@example.org>");
    const QJsonObject part = read["parts"].toArray()[0].toObject();
    EXPECT_EQ(part["charset"].toString(), "utf-8");
    EXPECT_EQ(part["text"].toString(), "Grüße\n.\nFrom the office\nline three");
}

TEST_F(MimeMessageTest, HtmlMailIsMixedWithHtmlFirstThenTextThenFilesInOrder)
{
    TMailMessage message;
    message.from = {"", "office@example.org"};
    message.to = {{"", "a@example.org"}};
    message.htmlBody = "<p>Hello <b>there</b></p>";
    message.textBody = "Hello there";
    message.returnReceipt = true;
    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary.append(char(i * 7));
    message.attachmentPaths = {writeFile("Report.PDF", "%PDF-1.4\n%%EOF\n"), writeFile("daten ä.bin", binary)};
    const QJsonObject read = readBack(buildMimeMessage(message));

    EXPECT_EQ(read["type"].toString(), "multipart/mixed");
    EXPECT_EQ(partTypes(read), (QStringList{"text/html", "text/plain", "application/pdf", "application/octet-stream"}));
    const QJsonArray parts = read["parts"].toArray();
    EXPECT_EQ(parts[0].toObject()["text"].toString(), "<p>Hello <b>there</b></p>");
    EXPECT_EQ(parts[2].toObject()["filename"].toString(), "Report.PDF");
    EXPECT_EQ(parts[3].toObject()["filename"].toString(), "daten ä.bin");
    QFile decoded(folder.filePath("daten ä.bin"));
    ASSERT_TRUE(decoded.open(QIODevice::ReadOnly));
    EXPECT_EQ(decoded.readAll(), binary);
    EXPECT_EQ(read["headers"].toObject()["Disposition-Notification-To"].toString(), "office@example.org");
}

TEST_F(MimeMessageTest, TextWithAttachmentsIsMixedWithoutHtml)
{
    TMailMessage message;
    message.to = {{"", "a@example.org"}};
    message.textBody = "body";
    message.attachmentPaths = {writeFile("Q3.PDF", "%PDF-1.4\n")};
    const QJsonObject read = readBack(buildMimeMessage(message));
    EXPECT_EQ(partTypes(read), (QStringList{"text/plain", "application/pdf"}));
    EXPECT_FALSE(read["headers"].toObject().contains("From"));
    EXPECT_FALSE(read["headers"].toObject().contains("Disposition-Notification-To"));
}

TEST_F(MimeMessageTest, HostileFieldsCannotAddHeaders)
{
    TMailMessage message;
    message.from = parseAddress("evil@example.org\r\nBcc: victim@example.org");
    message.to = parseAddressList("a@example.org\nX-Injected: yes");
    message.subject = "Hi\r\nBcc: victim@example.org";
    message.bcc = {{"", "hidden@example.org"}};
    const std::string text = buildMimeMessage(message);
    EXPECT_EQ(text.find("\r\nBcc:"), std::string::npos);
    EXPECT_EQ(text.find("\r\nX-Injected"), std::string::npos);
    EXPECT_EQ(text.find("hidden@example.org"), std::string::npos);

    message.bccHeader = true;
    EXPECT_NE(buildMimeMessage(message).find("\r\nBcc: hidden@example.org\r\n"), std::string::npos);
}

TEST_F(MimeMessageTest, LongLinesAreFoldedAndMissingFilesAreRefused)
{
    TMailMessage message;
    message.textBody = std::string(5000, 'x') + " =end";
    const std::string text = buildMimeMessage(message);
    EXPECT_TRUE(linesAreShort(text));
    EXPECT_TRUE(readBack(text)["parts"].toArray()[0].toObject()["text"].toString().toStdString() == message.textBody);

    message.attachmentPaths = {folder.filePath("gone.pdf").toStdString()};
    EXPECT_THROW(buildMimeMessage(message), std::runtime_error);
}

TEST(MailAddresses, ListsSplitAtCommasOutsideQuotes)
{
    const std::vector<TMailAddress> list = parseAddressList(" a@x.org ,, \"Doe, Jane\" <jane@x.org>,Bob <bob@x.org> ");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].address, "a@x.org");
    EXPECT_EQ(list[1].displayName, "Doe, Jane");
    EXPECT_EQ(list[1].address, "jane@x.org");
    EXPECT_EQ(list[2].displayName, "Bob");
    EXPECT_EQ(list[2].address, "bob@x.org");
}

TEST(MailAddresses, RecipientEntriesKeepTheirTextAndDropEmptyPieces)
{
    EXPECT_EQ(splitRecipientEntries("a@x.org, b@y.org"), (std::vector<std::string>{"a@x.org", " b@y.org"}));
    EXPECT_EQ(splitRecipientEntries("a@x.org;;b@y.org;"), (std::vector<std::string>{"a@x.org", "b@y.org"}));
    EXPECT_TRUE(splitRecipientEntries(" ").empty());
}
