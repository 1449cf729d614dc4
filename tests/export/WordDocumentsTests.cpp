#include "InFolderTesting.h"
#include "render/PageImageTesting.h"

#include <orvreport/Dispatch.h>
#include "export/MetafileExport.h"
#include "export/OfficeConverter.h"
#include "metafile/MetafilePlayer.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <filesystem>

using namespace orv;
using namespace orv::testing;

namespace fs = std::filesystem;

namespace {

QString toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    EXPECT_TRUE(tool.waitForFinished(-1)) << program.toStdString() << " did not run";
    EXPECT_EQ(tool.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

void writeText(const std::string& path, const QByteArray& text)
{
    QFile out(QString::fromStdString(path));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
}

// A two-page Letter document with margins of 1 (left), 0.5 (top), 1.25
// (right) and 0.75 inch (bottom) and one large word at the top of each page.
const QByteArray kTwoPageDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:automatic-styles>
  <style:page-layout style:name="Letter">
   <style:page-layout-properties fo:page-width="8.5in" fo:page-height="11in" style:print-orientation="portrait"
    fo:margin-left="1in" fo:margin-top="0.5in" fo:margin-right="1.25in" fo:margin-bottom="0.75in"/>
  </style:page-layout>
  <style:style style:name="Big" style:family="paragraph">
   <style:text-properties fo:font-size="48pt" fo:font-family="'Liberation Sans'"/>
  </style:style>
  <style:style style:name="NextPage" style:family="paragraph">
   <style:paragraph-properties fo:break-before="page"/>
   <style:text-properties fo:font-size="48pt" fo:font-family="'Liberation Sans'"/>
  </style:style>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Standard" style:page-layout-name="Letter"/></office:master-styles>
 <office:body><office:text>
  <text:p text:style-name="Big">MMMM</text:p><text:p text:style-name="NextPage">MMMM</text:p>
 </office:text></office:body>
</office:document>
)";

// Every test runs in an empty current directory of its own, where names
// without a folder and the control's temporary pictures go.
class WordDocumentsTest : public PageImageTest {
protected:
    QStringList filesInDirectory() const { return QDir(dir.path()).entryList(QDir::Files); }

    TWorkingInFolder folder{dir.path()};
};

// soffice cannot be found while this lives.
class TNoOfficeOnPath {
public:
    TNoOfficeOnPath() : m_path(qgetenv("PATH")) { qputenv("PATH", m_empty.path().toLocal8Bit()); }
    ~TNoOfficeOnPath() { qputenv("PATH", m_path); }

private:
    QByteArray m_path;
    QTemporaryDir m_empty;
};

} // namespace

TEST_F(WordDocumentsTest, RefusedNamesAndTheButtonNeedNoWordProcessor)
{
    Variant number(int32_t{5});
    EXPECT_EQ(control.SaveToWord(number), Variant(-1));
    EXPECT_EQ(number, Variant(int32_t{5})) << "the caller's variable is left alone";
    Variant empty("");
    EXPECT_EQ(control.SaveToWord(empty), Variant(-1));

    Variant inMissingFolder(path("missing/report.txt"));
    EXPECT_EQ(control.SaveToWord(inMissingFolder), Variant(-2));
    EXPECT_EQ(inMissingFolder, Variant(path("missing/report.txt")));
    EXPECT_FALSE(fs::exists(path("missing")));

    EXPECT_EQ(control.AddWordDocument(Variant("x"), Variant(int32_t{5})), Variant(-1));
    EXPECT_EQ(control.AddWordDocument(Variant("x"), Variant("")), Variant(-1));
    writeText(path("memo.rtf"), "{\\rtf1 memo}");
    EXPECT_EQ(control.AddWordDocument(Variant("x"), Variant(path("memo.rtf"))), Variant(-2)) << "no memo.DOC beside it";
    EXPECT_EQ(control.get_nTotalPages(), 1);
    EXPECT_EQ(control.report().page(1).objectCount(), 0);

    {
        TNoOfficeOnPath noOffice;
        Variant name("report");
        EXPECT_EQ(control.SaveToWord(name), Variant(-2)) << "the word processor cannot be started";
        writeText(path("memo.DOC"), "not read: soffice is missing");
        EXPECT_EQ(control.AddWordDocument(Variant("x"), Variant(path("memo.rtf"))), Variant(-3));
    }
    EXPECT_EQ(filesInDirectory(), (QStringList{"memo.DOC", "memo.rtf"})) << "nothing written on failure";

    EXPECT_FALSE(control.get_DisplayAddDocumentButton()) << "false until a value is put";
    control.put_DisplayAddDocumentButton(true);
    EXPECT_TRUE(control.get_DisplayAddDocumentButton());
    control.put_DisplayAddDocumentButton(false);
    EXPECT_FALSE(control.get_DisplayAddDocumentButton());

    const TDispatchTable& table = TDispatchTable::instance();
    EXPECT_EQ(table.idOfName("SaveToWord"), 342);
    EXPECT_EQ(table.idOfName("AddWordDocument"), 343);
    EXPECT_EQ(table.idOfName("DisplayAddDocumentButton"), 344);
}

TEST_F(WordDocumentsTest, SavesEachPageAsAPictureOnPaperOfItsPage)
{
    addText("Letter first", 1, 1, 40);
    control.NewPageByPaperSize(9, 1); // A4 landscape
    addText("Landscape second", 1, 1, 40);
    control.NewPage(); // Letter
    addText("Letter third", 1, 1, 40);
    control.GotoPage(2);

    Variant name("three.txt");
    EXPECT_EQ(control.SaveToWord(name, true), Variant(0));
    EXPECT_EQ(name, Variant(path("three.txt"))) << "the folder is added, the extension kept";
    const std::string saved = path("three.DOC");
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(filesInDirectory(), QStringList{"three.DOC"});
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, "document");
    EXPECT_EQ(ui.shown().back().text, saved);
    EXPECT_EQ(control.get_nPageNumber(), 1);
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(clipboard, nullptr);
    EXPECT_EQ(clipboard->data("image/x-emf"), pageMetafile(control.report(), 3)) << "the last page stays there";

    const std::string pdf = TOfficeConverter().convert(saved, "pdf", dir.path().toStdString());
    const QString info = toolOutput("pdfinfo", {"-f", "1", "-l", "4", QString::fromStdString(pdf)});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +3\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page +1 size: +612 x 792 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page +2 size: +841\\.[89]\\d* x 595\\.\\d+ pts")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page +3 size: +612 x 792 pts"))) << info.toStdString();

    // Each page shows its own picture, 20 points in from the paper's edges.
    const char* texts[] = {"Letter first", "Landscape second", "Letter third"};
    for (int page = 1; page <= 3; ++page) {
        const QString number = QString::number(page);
        const QString text =
            toolOutput("pdftotext", {"-f", number, "-l", number, QString::fromStdString(pdf), "-"}).simplified();
        EXPECT_EQ(text, texts[page - 1]) << "page " << page;
    }
    const QString prefix = dir.filePath("shown");
    toolOutput("pdftoppm",
               {"-r", "72", "-f", "2", "-l", "2", "-png", "-singlefile", QString::fromStdString(pdf), prefix});
    const QImage landscape(prefix + ".png");
    ASSERT_EQ(landscape.width(), 842);
    ASSERT_NEAR(landscape.height(), 595, 1);
    // The text at (1, 1) inch of a page of 11.69 x 8.27 inches, drawn into
    // a picture of the page 40 points smaller each way.
    const QRect ink = boundsOf(landscape, landscape.rect(), isInk);
    const double scale = (842.0 - 40) / 842;
    EXPECT_NEAR(ink.left(), 20 + 72 * scale, 6);
    EXPECT_LT(ink.top(), 20 + 72 * scale);
}

TEST_F(WordDocumentsTest, AddsEachDocumentPageAsAPictureInsideItsMargins)
{
    writeText(path("memo.fodt"), kTwoPageDocument);
    const std::string document =
        TOfficeConverter().convert(path("memo.fodt"), "doc:MS Word 97", dir.path().toStdString());
    fs::remove(path("memo.fodt"));
    control.NewPageByPaperSize(9, 1);
    control.GotoPage(2);
    const int32_t objectsBefore = control.report().page(2).objectCount();

    EXPECT_EQ(control.AddWordDocument(Variant("word"), Variant(document), 7, 8, 9), Variant(0))
        << "a lower-case .doc is found too; the page arguments are ignored";
    ASSERT_EQ(control.get_nTotalPages(), 3) << "the second page appended";
    EXPECT_EQ(control.get_nPageNumber(), 2) << "the view returns to the page it showed";

    const std::vector<std::string>& temporary = control.report().TempFiles.files();
    ASSERT_EQ(temporary.size(), 2u);
    for (int32_t pageNumber : {2, 3}) {
        const TPageObject& page = control.report().page(pageNumber);
        EXPECT_EQ(page.PaperSize, 1) << "Letter, portrait";
        EXPECT_EQ(page.Orientation, 1);
        ASSERT_EQ(page.objectCount(), (pageNumber == 2 ? objectsBefore : 0) + 1);
        const TReportObject& picture = page.Objects.back();
        EXPECT_EQ(picture.ObjType, ObjType::Picture);
        EXPECT_EQ(picture.Name, "word");
        EXPECT_EQ(picture.ImageScaling, 1);
        EXPECT_EQ(picture.Text, temporary[static_cast<size_t>(pageNumber - 2)]);
        EXPECT_NEAR(picture.HPos, 10000, 20);
        EXPECT_NEAR(picture.VPos, 5000, 20);
        EXPECT_NEAR(picture.Width, 62500, 20);
        EXPECT_NEAR(picture.Height, 97500, 20);

        // The word stands in the picture's top left corner: the margins
        // were cut off.
        QFile file(QString::fromStdString(picture.Text));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QImage played(600, 936, QImage::Format_RGB32); // 6.25 x 9.75 inches at 96 ppi
        played.fill(Qt::white);
        QPainter painter(&played);
        ASSERT_TRUE(playMetafile(painter, file.readAll(), QRectF(played.rect())));
        painter.end();
        const QRect ink = boundsOf(played, played.rect(), isInk);
        EXPECT_LT(ink.left(), 15) << "page " << pageNumber;
        EXPECT_LT(ink.top(), 40);
        EXPECT_GT(ink.width(), 150) << "four large letters, page " << pageNumber;
        EXPECT_LT(ink.bottom(), 100) << "nothing below the word";
    }
    EXPECT_EQ(temporary[0], path("ORVR0.WMF"));
    EXPECT_EQ(temporary[1], path("ORVR1.WMF"));

    control.Clear();
    EXPECT_EQ(filesInDirectory(), QStringList{"memo.doc"}) << "clearing the report deletes the pictures";

    // While pages are built in the background the view stays put, yet each
    // document page still lands on a page of its own.
    control.put_ProcessInBackground(true);
    EXPECT_EQ(control.AddWordDocument(Variant("again"), Variant(document)), Variant(0));
    ASSERT_EQ(control.get_nTotalPages(), 2);
    for (int32_t pageNumber : {1, 2}) {
        ASSERT_EQ(control.report().page(pageNumber).objectCount(), 1) << "page " << pageNumber;
        EXPECT_EQ(control.report().page(pageNumber).Objects[0].Name, "again");
    }
}
