// The printer services against a private CUPS scheduler: the printer list,
// what a printer reports, and the paper forms kept per printer.

#include "CupsTestServer.h"

#include "printing/PrinterForms.h"
#include "printing/PrinterServices.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orv;
using orv::printtest::TCupsServerRedirect;
using orv::printtest::TCupsTestServer;

namespace {

std::vector<std::string> namesOf(const std::vector<TInstalledPrinter>& printers)
{
    std::vector<std::string> names;
    for (const TInstalledPrinter& printer : printers)
        names.push_back(printer.name);
    return names;
}

bool sameForm(const TPaperForm& a, const TPaperForm& b)
{
    return a.name == b.name && a.width == b.width && a.height == b.height && a.left == b.left && a.top == b.top &&
           a.right == b.right && a.bottom == b.bottom;
}

class PrinterServicesTest : public testing::Test {
protected:
    // Queues made out of order: CUPS lists them by name.
    TCupsTestServer server{{"Gamma", "Alpha", "Beta"}, "Beta"};
};

TEST_F(PrinterServicesTest, ListsThePrintersInCupsOrderWithTheDefaultFlagged)
{
    const std::vector<TInstalledPrinter> printers = installedPrinters();
    EXPECT_EQ(namesOf(printers), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    for (const TInstalledPrinter& printer : printers)
        EXPECT_EQ(printer.isDefault, printer.name == "Beta") << printer.name;

    EXPECT_TRUE(printerInstalled("Gamma"));
    EXPECT_FALSE(printerInstalled("Delta"));
    // An empty name must not stand for the default printer.
    EXPECT_FALSE(printerInstalled(""));
}

TEST_F(PrinterServicesTest, ARawQueueGetsTheFallbackPaperAndResolution)
{
    const std::optional<TPrinterCaps> caps = printerCaps("Alpha");
    ASSERT_TRUE(caps);
    // A raw queue reports neither resolution nor paper: 300 pixels per inch
    // and Letter, all of it printable.
    EXPECT_EQ(caps->dpiX, 300);
    EXPECT_EQ(caps->dpiY, 300);
    EXPECT_EQ(caps->physicalWidth, static_cast<int32_t>(8.5 * caps->dpiX));
    EXPECT_EQ(caps->physicalHeight, 11 * caps->dpiY);
    EXPECT_EQ(caps->offsetX, 0);
    EXPECT_EQ(caps->offsetY, 0);
    EXPECT_EQ(caps->printableWidth, caps->physicalWidth);
    EXPECT_EQ(caps->printableHeight, caps->physicalHeight);
    EXPECT_EQ(caps->paperCount, 1) << "the fallback paper";
    EXPECT_EQ(caps->binCount, 0);
    // What CUPS itself offers on every queue: copies and their collation.
    EXPECT_TRUE(caps->canCopy);
    EXPECT_TRUE(caps->canCollate);
    EXPECT_FALSE(caps->duplex);
    EXPECT_TRUE(caps->colour);

    EXPECT_FALSE(printerCaps("Delta"));
    EXPECT_FALSE(printerCaps(""));
}

TEST(PrinterServicesWithoutServer, NoSchedulerMeansNoPrinters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TCupsServerRedirect nowhere(dir.filePath("none.sock").toStdString());
    EXPECT_TRUE(installedPrinters().empty());
    EXPECT_FALSE(printerInstalled("Alpha"));
    EXPECT_FALSE(printerCaps("Alpha"));
    EXPECT_EQ(addPrinterForm("Alpha", {"Cheque", 200000, 90000, 0, 0, 200000, 90000}),
              printerError::InvalidPrinterName);
}

// The forms file lives under XDG_CONFIG_HOME, here a fresh folder per test.
class PrinterFormsTest : public PrinterServicesTest {
protected:
    PrinterFormsTest()
    {
        if (const char* saved = std::getenv("XDG_CONFIG_HOME"))
            m_savedConfigHome = saved;
        pointConfigAt(m_config);
    }
    ~PrinterFormsTest() override
    {
        if (m_savedConfigHome)
            setenv("XDG_CONFIG_HOME", m_savedConfigHome->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    static void pointConfigAt(const QTemporaryDir& dir) { setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit(), 1); }

    QString formsFile() const { return m_config.filePath("orvreport/printer-forms.json"); }

    const TPaperForm cheque{"Cheque", 200000, 90000, 5000, 5000, 195000, 85000};
    const TPaperForm label{"Label", 100000, 50000, 0, 0, 100000, 50000};
    QTemporaryDir m_config;

private:
    std::optional<std::string> m_savedConfigHome;
};

TEST_F(PrinterFormsTest, TheConfigurationFolderFollowsXdgConfigHome)
{
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), m_config.path());
}

TEST_F(PrinterFormsTest, AddSetAndDeleteAnswerWithTheirCodes)
{
    EXPECT_EQ(addPrinterForm("Alpha", cheque), 0);
    EXPECT_EQ(addPrinterForm("Alpha", label), 0);
    TPaperForm sameName = label;
    sameName.name = "CHEQUE";
    EXPECT_EQ(addPrinterForm("Alpha", sameName), printerError::FileExists);
    EXPECT_EQ(addPrinterForm("Alpha", TPaperForm{}), printerError::InvalidFormName);

    const std::optional<TPaperForm> found = printerForm("Alpha", "cheque");
    ASSERT_TRUE(found);
    EXPECT_TRUE(sameForm(*found, cheque));

    TPaperForm wider = cheque;
    wider.width = 250000;
    wider.right = 245000;
    EXPECT_EQ(setPrinterForm("Alpha", wider), 0);
    EXPECT_TRUE(sameForm(*printerForm("Alpha", "Cheque"), wider));
    TPaperForm missing = cheque;
    missing.name = "Envelope";
    EXPECT_EQ(setPrinterForm("Alpha", missing), printerError::InvalidFormName);

    EXPECT_EQ(deletePrinterForm("Alpha", "CHEQUE"), 0);
    EXPECT_FALSE(printerForm("Alpha", "Cheque"));
    EXPECT_EQ(deletePrinterForm("Alpha", "Cheque"), printerError::InvalidFormName);
    EXPECT_TRUE(sameForm(*printerForm("Alpha", "Label"), label));
}

TEST_F(PrinterFormsTest, AnUnknownPrinterHasNoForms)
{
    EXPECT_EQ(addPrinterForm("Delta", cheque), printerError::InvalidPrinterName);
    EXPECT_EQ(setPrinterForm("Delta", cheque), printerError::InvalidPrinterName);
    EXPECT_EQ(deletePrinterForm("Delta", "Cheque"), printerError::InvalidPrinterName);
    EXPECT_FALSE(printerForm("Delta", "Cheque"));
    EXPECT_FALSE(QFile::exists(formsFile()));
}

TEST_F(PrinterFormsTest, EachPrinterHasItsOwnForms)
{
    EXPECT_EQ(addPrinterForm("Alpha", cheque), 0);
    EXPECT_FALSE(printerForm("Beta", "Cheque"));
    EXPECT_EQ(addPrinterForm("Beta", cheque), 0);
    EXPECT_EQ(deletePrinterForm("Beta", "Cheque"), 0);
    EXPECT_TRUE(printerForm("Alpha", "Cheque"));
    // Printer names compare as CUPS compares them, ignoring case.
    EXPECT_EQ(addPrinterForm("ALPHA", cheque), printerError::FileExists);
}

TEST_F(PrinterFormsTest, FormsLiveInTheUsersConfigurationFile)
{
    ASSERT_EQ(addPrinterForm("Alpha", cheque), 0);
    ASSERT_EQ(addPrinterForm("Gamma", label), 0);
    EXPECT_TRUE(QFile::exists(formsFile()));
    // Nothing but the file is left beside it (it is written atomically).
    EXPECT_EQ(QDir(m_config.filePath("orvreport")).entryList(QDir::Files), QStringList{"printer-forms.json"});

    // Another user's configuration has none of them ...
    QTemporaryDir elsewhere;
    pointConfigAt(elsewhere);
    EXPECT_FALSE(printerForm("Alpha", "Cheque"));
    // ... and going back finds them again, read from the file.
    pointConfigAt(m_config);
    EXPECT_TRUE(sameForm(*printerForm("Alpha", "Cheque"), cheque));
    EXPECT_TRUE(sameForm(*printerForm("Gamma", "Label"), label));
}

} // namespace
