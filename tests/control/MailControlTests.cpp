// SendMail and the Email... settings, against a real SMTP server, the
// local mail system (msmtp relaying to that server) and a recording
// stand-in for the mail client.

#include <orvreport/TORVREP.h>
#include "export/InFolderTesting.h"
#include "mail/MailTestServers.h"
#include "platform/ScriptedUiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace orv;
using namespace orv::mailtest;

namespace {

class MailControlTest : public testing::Test {
protected:
    QTemporaryDir folder;
    TWorkingInFolder inFolder{folder.path()};
    TScriptedUiServices ui;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};

    void SetUp() override
    {
        control.AddText("t", "Page one", 1, 1, 6, 1);
        control.NewPage(8.5f, 11);
        control.AddText("t", "Page two", 1, 1, 6, 1);
    }

    void useServer(const TSmtpTestServer& smtp)
    {
        control.put_EmailSMTPHost("127.0.0.1");
        control.put_EmailSMTPPort(smtp.port());
        control.put_EmailFromAddress("reports@example.org");
        control.put_EmailRecipients("boss@example.org");
        control.put_EmailSMTPTimeout(5);
    }

    int32_t send() { return control.SendMail().toInt32(); }

    QString inFolderPath(const QString& name) const { return QDir::current().absoluteFilePath(name); }

    static QStringList partTypes(const QJsonObject& message)
    {
        QStringList types;
        for (const QJsonValue& part : message["parts"].toArray())
            types << part.toObject()["type"].toString();
        return types;
    }

    static std::optional<QJsonObject> attachment(const QJsonObject& message, const QString& name)
    {
        for (const QJsonValue& part : message["parts"].toArray())
            if (part.toObject()["filename"].toString() == name)
                return part.toObject();
        return std::nullopt;
    }
};

} // namespace

TEST_F(MailControlTest, SettingsKeepWhatWasPutAndIgnoreOutOfRangeChoices)
{
    EXPECT_EQ(control.get_EmailAttachmentFileName(), "Report.PDF");
    EXPECT_EQ(control.get_EMailContentType(), "text/plain");
    control.put_EMailContentType(Variant(int32_t{5}));
    EXPECT_EQ(control.get_EMailContentType(), "text/plain");
    control.put_EMailContentType(Variant("text/html"));
    EXPECT_EQ(control.get_EMailContentType(), "text/html");

    control.put_EMAILFromDisplayStyle(2);
    control.put_EMAILFromDisplayStyle(3);
    EXPECT_EQ(control.get_EMAILFromDisplayStyle(), 2);
    control.put_EMAILSMTPHostDisplayStyle(1);
    EXPECT_EQ(control.get_EMAILSMTPHostDisplayStyle(), 1);
    control.put_EmailSMTPAuthorizationType(9);
    EXPECT_EQ(control.get_EmailSMTPAuthorizationType(), 0);
    control.put_EmailSMTPSecurity(7);
    EXPECT_EQ(control.get_EmailSMTPSecurity(), 0);
    control.put_EmailSMTPTimeout(0);
    EXPECT_EQ(control.get_EmailSMTPTimeout(), 30);

    control.EMAILAddAttachment(Variant("a.txt"));
    control.EMAILAddAttachment(Variant(int32_t{4}));
    control.EMAILAddAttachment(Variant("b.txt"));
    EXPECT_EQ(control.get_EMAILAttachmentCount(), 2);
    control.put_EMAILAttachmentCount(1);
    EXPECT_EQ(control.get_EMAILAttachmentCount(), 2);
    control.put_EMAILAttachmentCount(0);
    EXPECT_EQ(control.get_EMAILAttachmentCount(), 0);

    EXPECT_FALSE(control.get_DisplayEmailButton());
    control.put_DisplayEmailButton(true);
    EXPECT_TRUE(control.get_DisplayEmailButton());
}

TEST_F(MailControlTest, MissingHostSenderOrRecipientsGiveMinusOneAndSendNothing)
{
    EXPECT_EQ(send(), -1);
    control.put_EmailSMTPHost("127.0.0.1");
    EXPECT_EQ(send(), -1);
    control.put_EmailFromAddress("reports@example.org");
    EXPECT_EQ(send(), -1);
    EXPECT_EQ(control.SendMail(Variant::missing(), Variant::missing(), Variant(" , ")).toInt32(), -1);
    // The local mail system needs no host or sender, but recipients.
    control.put_EmailMessagingType(1);
    EXPECT_EQ(control.SendMail(Variant(""), Variant("")).toInt32(), -1);
    EXPECT_FALSE(QFile::exists(inFolderPath("Report.PDF")));
}

TEST_F(MailControlTest, EverythingOmittedSendsTheReportAsReportPdf)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    useServer(smtp);
    control.put_EmailBody("The figures are attached.");
    control.put_EmailSubject("Zahlen für März ✓");
    control.put_EmailCCAddresses("Copy Reader <copy@example.org>");
    control.put_EmailBCCAddresses("hidden@example.org");

    EXPECT_EQ(send(), 250);
    EXPECT_EQ(control.get_LastErrorMessage(), "250 2.0.0 Message accepted for delivery");
    ASSERT_EQ(smtp.messageCount(), 1);

    const QJsonObject envelope = smtp.envelope(1);
    EXPECT_EQ(envelope["mail_from"].toString(), "reports@example.org");
    EXPECT_EQ(envelope["rcpt_tos"].toArray(),
              (QJsonArray{"boss@example.org", "copy@example.org", "hidden@example.org"}));

    const QJsonObject message = smtp.inspect(1);
    const QJsonObject headers = message["headers"].toObject();
    EXPECT_EQ(headers["Subject"].toString(), "Zahlen für März ✓");
    EXPECT_EQ(headers["To"].toString(), "boss@example.org");
    EXPECT_EQ(headers["Cc"].toString(), "Copy Reader <copy@example.org>");
    EXPECT_FALSE(headers.contains("Bcc"));
    EXPECT_FALSE(headers.contains("Disposition-Notification-To"));
    ASSERT_EQ(partTypes(message), (QStringList{"text/plain", "application/pdf"}));
    EXPECT_EQ(message["parts"].toArray()[0].toObject()["text"].toString().trimmed(), "The figures are attached.");

    // The attachment is the whole report, a sound PDF; the file stays.
    ASSERT_TRUE(attachment(message, "Report.PDF"));
    const QString sent = smtp.attachmentFolder(1) + "/Report.PDF";
    int exitCode = -1;
    runTool("qpdf", {"--check", sent}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(runTool("qpdf", {"--show-npages", sent}), "2\n");
    EXPECT_TRUE(QFile::exists(inFolderPath("Report.PDF")));
    EXPECT_EQ(QDir::current().entryList(QDir::Files), QStringList{"Report.PDF"}) << "no temporary file stays";
}

TEST_F(MailControlTest, AttachmentArgumentNamesThePdfInTheCurrentDirectory)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    useServer(smtp);
    EXPECT_EQ(control.SendMail(Variant::missing(), Variant::missing(), Variant::missing(), Variant::missing(),
                               Variant::missing(), Variant("Q3"))
                  .toInt32(),
              250);
    EXPECT_TRUE(QFileInfo(inFolderPath("Q3.PDF")).isFile());
    EXPECT_TRUE(attachment(smtp.inspect(1), "Q3.PDF"));
}

TEST_F(MailControlTest, EmptyAttachmentNameSendsNoReportButTheExtraFiles)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    useServer(smtp);
    QFile notes(inFolderPath("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("remarks\n");
    notes.close();
    control.put_EmailAttachmentFileName("");
    control.EMAILAddAttachment(Variant(inFolderPath("gone.txt").toStdString()));
    control.EMAILAddAttachment(Variant(inFolderPath("notes.txt").toStdString()));

    EXPECT_EQ(send(), 250);
    const QJsonObject message = smtp.inspect(1);
    EXPECT_EQ(partTypes(message), (QStringList{"text/plain", "text/plain"}));
    EXPECT_TRUE(attachment(message, "notes.txt"));
    EXPECT_FALSE(QFile::exists(inFolderPath("Report.PDF")));
}

TEST_F(MailControlTest, HtmlMailNeedsBothTheContentTypeAndAnHtmlBody)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    useServer(smtp);
    control.put_EMailContentType(Variant("text/html"));
    control.put_EmailBody("plain setting");
    control.put_EmailReturnReceipt(true);

    EXPECT_EQ(control.SendMail(Variant::missing(), Variant::missing(), Variant::missing(), Variant::missing(),
                               Variant("argument body"))
                  .toInt32(),
              250);
    QJsonObject message = smtp.inspect(1);
    ASSERT_EQ(partTypes(message), (QStringList{"text/plain", "application/pdf"}));
    EXPECT_EQ(message["parts"].toArray()[0].toObject()["text"].toString().trimmed(), "argument body");
    EXPECT_EQ(message["headers"].toObject()["Disposition-Notification-To"].toString(), "reports@example.org");

    control.put_EMAILBodyHTML("<p>Report</p>");
    EXPECT_EQ(control.SendMail(Variant::missing(), Variant::missing(), Variant::missing(), Variant::missing(),
                               Variant("argument body"))
                  .toInt32(),
              250);
    message = smtp.inspect(2);
    EXPECT_EQ(message["type"].toString(), "multipart/mixed");
    ASSERT_EQ(partTypes(message), (QStringList{"text/html", "text/plain", "application/pdf"}));
    EXPECT_EQ(message["parts"].toArray()[1].toObject()["text"].toString().trimmed(), "plain setting");
}

TEST_F(MailControlTest, RefusedCredentialsReachTheResultAndLastErrorMessage)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.startTls = true, .mechanisms = "LOGIN,PLAIN,CRAM-MD5"});
    useServer(smtp);
    control.put_EmailSMTPCAFile(smtp.certificateFile());
    control.put_EmailSMTPAuthorizationType(2);
    control.put_EmailSMTPUserID("reporter");
    control.put_EmailSMTPPassword("wrong");
    EXPECT_EQ(send(), 535);
    EXPECT_EQ(control.get_LastErrorMessage(), "535 5.7.8 Authentication credentials invalid");

    control.put_EmailSMTPPassword("s3cret");
    EXPECT_EQ(send(), 250);
    EXPECT_EQ(smtp.messageCount(), 1);
}

TEST_F(MailControlTest, AFailedSessionIsNeverReportedAsDelivered)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp({.mechanisms = "PLAIN", .authInClear = true});
    useServer(smtp);
    control.put_EmailSMTPSecurity(1);
    EXPECT_EQ(send(), 0);
    EXPECT_FALSE(control.get_LastErrorMessage().empty());
    EXPECT_FALSE(smtp.sawCommand("MAIL"));

    control.put_EmailSMTPSecurity(0);
    control.put_EmailSMTPHost("no host");
    EXPECT_EQ(send(), 0);
    EXPECT_NE(control.get_LastErrorMessage().find("no host"), std::string::npos);
}

TEST_F(MailControlTest, LocalMailSystemDeliversTheSameMessage)
{
    REQUIRE_SMTP_SERVER();
    TSmtpTestServer smtp;
    QFile config(folder.filePath("msmtprc"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QString("account default\nhost 127.0.0.1\nport %1\nfrom local@example.org\ntls off\nauth off\n")
                     .arg(smtp.port())
                     .toUtf8());
    config.close();
    QFile::setPermissions(config.fileName(), QFile::ReadOwner | QFile::WriteOwner);

    control.put_EmailMessagingType(1);
    control.put_EmailSendmailCommand("/usr/bin/msmtp -C " + config.fileName().toStdString() + " -t -i");
    control.put_EmailRecipients("boss@example.org, second@example.org");
    control.put_EmailBCCAddresses("hidden@example.org");
    control.put_EmailSubject("Übersicht");
    control.put_EmailBody("Local delivery");
    EXPECT_EQ(send(), 0) << control.get_LastErrorMessage();

    ASSERT_EQ(smtp.messageCount(), 1);
    EXPECT_EQ(smtp.envelope(1)["rcpt_tos"].toArray(),
              (QJsonArray{"boss@example.org", "second@example.org", "hidden@example.org"}));
    const QJsonObject message = smtp.inspect(1);
    EXPECT_FALSE(message["headers"].toObject().contains("Bcc"));
    EXPECT_EQ(message["headers"].toObject()["Subject"].toString(), "Übersicht");
    EXPECT_EQ(partTypes(message), (QStringList{"text/plain", "application/pdf"}));
}

TEST_F(MailControlTest, MissingOrFailingLocalMailSystem)
{
    control.put_EmailMessagingType(1);
    control.put_EmailRecipients("boss@example.org");
    control.put_EmailSendmailCommand("/nonexistent/sendmail -t -i");
    EXPECT_EQ(send(), 1);
    EXPECT_FALSE(control.get_LastErrorMessage().empty());
    control.put_EmailSendmailCommand("/bin/false");
    EXPECT_EQ(send(), 2);
}

// The mail client is opened through xdg-email; a stand-in earlier on PATH
// records its arguments.
TEST_F(MailControlTest, MailClientOpensWithTheMessageAndThePdf)
{
    QTemporaryDir bin;
    QFile standIn(bin.filePath("xdg-email"));
    ASSERT_TRUE(standIn.open(QIODevice::WriteOnly));
    standIn.write(QString("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n")
                      .arg(folder.filePath("arguments.txt"))
                      .toUtf8());
    standIn.close();
    standIn.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.path().toStdString() + ":" + oldPath).c_str(), 1);

    control.put_EmailMessagingType(2);
    control.put_EmailRecipients("boss@example.org, second@example.org");
    control.put_EmailCCAddresses("copy@example.org");
    control.put_EmailSubject("Report");
    control.put_EmailBody("Hello");
    const int32_t result = send();
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(result, 0) << control.get_LastErrorMessage();

    QFile recorded(folder.filePath("arguments.txt"));
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recorded.readAll()).split('\n', Qt::SkipEmptyParts),
              (QStringList{"--utf8", "--cc", "copy@example.org", "--subject", "Report", "--body", "Hello", "--attach",
                           inFolderPath("Report.PDF"), "boss@example.org", "second@example.org"}));
}
