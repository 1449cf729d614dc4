// The e-mail editors driven as a user drives them, and the E-mail button's
// way through them to a real SMTP server.

#include "DialogTesting.h"

#include "document/Report.h"
#include "export/InFolderTesting.h"
#include "mail/LocalMailSystem.h"
#include "mail/MailTestServers.h"
#include "platform/ScriptedUiServices.h"
#include "viewer/EmailEditor.h"
#include "viewer/EmailFromViewer.h"
#include "viewer/InterfaceTexts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace orv;
using namespace orv::dialogtest;

namespace {

class EmailEditorTest : public testing::Test {
protected:
    QTemporaryDir folder;
    TWorkingInFolder inFolder{folder.path()};
    TEMAILSetup setup;
    TInterfaceTexts texts;
    TScriptedUiServices ui;

    EmailEditorTest()
    {
        setup.FromAddress = "reports@example.org";
        setup.SmtpHost = "mail.example.org";
        setup.Recipients = "boss@example.org";
        setup.Subject = "Figures";
        setup.Body = "Attached.";
        setup.ReturnReceipt = true;
    }

    static bool shown(const QDialog& editor, const char* name)
    {
        return !control<QLineEdit>(editor, name).isHidden();
    }
};

} // namespace

TEST_F(EmailEditorTest, SmtpEditorOpensWithTheSettingsAndTheInterfaceTexts)
{
    TEmailEditor editor(TEmailEditorKind::Smtp, setup, texts, ui);
    EXPECT_EQ(editor.objectName(), "TEmailForm");
    EXPECT_EQ(editor.windowTitle(), "Email Message Editor - SMTP");
    EXPECT_EQ(control<QLineEdit>(editor, "txtFrom").text(), "reports@example.org");
    EXPECT_EQ(control<QLineEdit>(editor, "txtSMTPHost").text(), "mail.example.org");
    EXPECT_EQ(control<QLineEdit>(editor, "txtTo").text(), "boss@example.org");
    EXPECT_EQ(control<QPlainTextEdit>(editor, "txtBody").toPlainText(), "Attached.");
    EXPECT_TRUE(control<QCheckBox>(editor, "chkReturnReceipt").isChecked());
    EXPECT_EQ(control<QLineEdit>(editor, "txtAttachment").text(), folder.filePath("Report.PDF"));
    EXPECT_EQ(control<QPushButton>(editor, "cmdSend").text(), "Sen&d");

    // The attachment box starts 5 pixels right of its label and ends 7 short
    // of the window's edge.
    const QLabel& label = control<QLabel>(editor, "lblAttachment");
    const QRect box = control<QLineEdit>(editor, "txtAttachment").geometry();
    EXPECT_EQ(box.left(), label.geometry().right() + 1 + 5);
    EXPECT_EQ(box.right() + 1, editor.width() - 7);
}

TEST_F(EmailEditorTest, DisplayStylesMakeFieldsReadOnlyOrHideThemAndShortenTheWindow)
{
    TEmailEditor full(TEmailEditorKind::Smtp, setup, texts, ui);
    const int fullHeight = full.height();
    const int fullToTop = control<QLineEdit>(full, "txtTo").y();

    setup.FromDisplayStyle = 1;
    TEmailEditor readOnly(TEmailEditorKind::Smtp, setup, texts, ui);
    EXPECT_TRUE(control<QLineEdit>(readOnly, "txtFrom").isReadOnly());
    EXPECT_EQ(readOnly.height(), fullHeight);

    setup.FromDisplayStyle = 2;
    TEmailEditor oneHidden(TEmailEditorKind::Smtp, setup, texts, ui);
    EXPECT_FALSE(shown(oneHidden, "txtFrom"));
    EXPECT_TRUE(shown(oneHidden, "txtSMTPHost"));
    EXPECT_EQ(oneHidden.height(), fullHeight - TEmailEditor::kRowHeight);
    EXPECT_EQ(control<QLineEdit>(oneHidden, "txtTo").y(), fullToTop - TEmailEditor::kRowHeight);

    setup.SmtpHostDisplayStyle = 2;
    TEmailEditor bothHidden(TEmailEditorKind::Smtp, setup, texts, ui);
    EXPECT_EQ(bothHidden.height(), fullHeight - 2 * TEmailEditor::kRowHeight);

    TEmailEditor localMail(TEmailEditorKind::LocalMail, TEMAILSetup{}, texts, ui);
    EXPECT_EQ(localMail.objectName(), "TMAPIEmailForm");
    EXPECT_EQ(localMail.windowTitle(), "Email Message Editor - MAPI");
    EXPECT_FALSE(shown(localMail, "txtFrom"));
    EXPECT_FALSE(shown(localMail, "txtSMTPHost"));
    EXPECT_EQ(localMail.height(), bothHidden.height());
}

TEST_F(EmailEditorTest, SendWithoutRecipientSaysSoAndStaysOpen)
{
    setup.Recipients.clear();
    TEmailEditor editor(TEmailEditorKind::Smtp, setup, texts, ui);
    editor.show();
    QTest::mouseClick(&control<QPushButton>(editor, "cmdSend"), Qt::LeftButton);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text, "Please enter Recipient's address!");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Rejected);

    QTest::keyClicks(&control<QLineEdit>(editor, "txtTo"), "someone@example.org");
    QTest::mouseClick(&control<QPushButton>(editor, "cmdSend"), Qt::LeftButton);
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.values().to, "someone@example.org");
    EXPECT_EQ(ui.shown().size(), 1u);
}

TEST_F(EmailEditorTest, CancelSendsNothing)
{
    TReport report;
    report.EmailSetup = setup;
    report.EmailSetup.SmtpHost = "127.0.0.1";
    answerModalDialog([&] { emailReportFromViewer(report, texts, ui, nullptr, true); },
                      [](QDialog& editor) {
                          QTest::mouseClick(&control<QPushButton>(editor, "cmdCancel"), Qt::LeftButton);
                      });
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_FALSE(QFile::exists(folder.filePath("Report.PDF")));
}

TEST_F(EmailEditorTest, SendDeliversTheEditedMessageAndConfirms)
{
    const std::string missing = mailtest::smtpServerMissing();
    if (!missing.empty())
        GTEST_SKIP() << missing;
    mailtest::TSmtpTestServer smtp;
    TReport report;
    report.EmailSetup = setup;
    report.EmailSetup.SmtpHost = "127.0.0.1";
    report.EmailSetup.SmtpPort = smtp.port();
    report.EmailSetup.ConfirmAfterSend = true;
    answerModalDialog([&] { emailReportFromViewer(report, texts, ui, nullptr, true); },
                      [](QDialog& editor) {
                          control<QLineEdit>(editor, "txtTo").setText("edited@example.org");
                          control<QLineEdit>(editor, "txtSubject").setText("Edited subject");
                          QTest::mouseClick(&control<QPushButton>(editor, "cmdSend"), Qt::LeftButton);
                      });
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text, "Email Message Sent");
    ASSERT_EQ(smtp.messageCount(), 1);
    const QJsonObject message = smtp.inspect(1);
    EXPECT_EQ(message["headers"].toObject()["To"].toString(), "edited@example.org");
    EXPECT_EQ(message["headers"].toObject()["Subject"].toString(), "Edited subject");
    EXPECT_TRUE(QFile::exists(folder.filePath("Report.PDF")));
}

TEST_F(EmailEditorTest, LocalMailResultsAreShownByName)
{
    TReport report;
    report.EmailSetup = setup;
    report.EmailSetup.MessagingType = 1;
    report.EmailSetup.SendmailCommand = "/bin/false";
    emailReportFromViewer(report, texts, ui, nullptr, false);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text, "MAPI_E_FAILURE");
    EXPECT_EQ(mapiResultText(99), "UNKNOWN ERROR: 99");
    EXPECT_EQ(mapiResultText(25), "MAPI_E_INVALID_RECIPS");
}
