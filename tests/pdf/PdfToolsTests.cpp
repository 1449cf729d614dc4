// Documents checked with the tools their readers use: qpdf, poppler
// (pdftotext, pdffonts, pdftoppm) and mupdf.
#include "codecs/JpegCodec.h"
#include "codecs/Crypto.h"
#include "pdf/PdfAesSecurity.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfErrors.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <regex>

using namespace orv;
using pdftest::runTool;
using pdftest::TScratchDir;

namespace {

// Letters of code page 1252 and of code page 1250, in UTF-8.
const std::string kWesternText = "Gr\xC3\xBC\xC3\x9F" "e caf\xC3\xA9 \xE2\x82\xAC" "12";
const std::string kCentralEuropeanText = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xC4\x8C" "e\xC5\xA1tina \xC5\x90r \xC5\x9B";

struct Variant {
    bool encrypted = false;
    bool compressed = false;
    bool embedded = false;
    std::string userPassword = "u";
    std::string ownerPassword = "o";
    TPdfPermissions permissions{};
    int32_t codePage = 1252;
    TPdfEncryption encryption = TPdfEncryption::Rc4Bits40;
};

// A 16 x 16 checkerboard of red and blue squares.
QImage checkerImage()
{
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(200, 30, 30) : qRgb(30, 30, 200));
    return image;
}

TPdfBitmap checkerBitmap(int32_t bits)
{
    TPdfBitmap bitmap{16, 16, bits, bits == 8 ? 16 : 48, {}, {}};
    bitmap.pixels.resize(size_t(bitmap.stride) * 16);
    for (size_t i = 0; i < bitmap.pixels.size(); ++i)
        bitmap.pixels[i] = static_cast<char>((i / 3 + i / bitmap.stride) % 2 ? 0xC0 : 0x20);
    if (bits == 8)
        for (int i = 0; i < 256; ++i)
            bitmap.palette.push_back({uint8_t(i), uint8_t(255 - i), 90});
    return bitmap;
}

// Text in two fonts, paths, three kinds of images, a link and a translucent
// text on the first page; one more line on the second.
std::string richDocument(const Variant& variant)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.Settings.Encrypted = variant.encrypted;
    doc.Settings.Encryption = variant.encryption;
    doc.Settings.UserPassword = variant.userPassword;
    doc.Settings.OwnerPassword = variant.ownerPassword;
    doc.Settings.Permissions = variant.permissions;
    doc.Settings.EmbedFonts = variant.embedded;
    doc.Settings.ReportFonts = {{"Times New Roman,Bold", 1}};
    doc.Settings.CodePage = variant.codePage;
    doc.startDocument();
    doc.setTitle("Quarterly report");
    doc.setAuthor("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    doc.Settings.StreamCompression = variant.compressed;
    doc.addPage();
    TPdfCanvas& canvas = doc.canvas();
    if (variant.codePage == 1250)
        drawPdfText(canvas, 72, 720, 0, kCentralEuropeanText, "Arial", 14, 0, 255);
    else
        drawPdfText(canvas, 72, 720, 0, kWesternText, "Arial", 14, 0, 255);
    drawPdfText(canvas, 72, 690, 0, "Embedded heading", "Times New Roman,Bold", 18, 0x800000, 255);
    drawPdfText(canvas, 300, 400, 30, "DRAFT", "Arial", 60, 0x0000FF, 128);
    canvas.setRGBStrokeColor(0x00FF00);
    drawPdfLine(canvas, 72, 680, 540, 680, 0.75f);
    appendEllipse(canvas, 72, 500, 100, 60);
    canvas.closeFillStrokeEvenOdd();
    appendRoundedRectangle(canvas, 200, 500, 100, 60, 12);
    canvas.stroke();
    doc.addImage("im0", createJpegImage(encodeJpeg(checkerImage(), {90})));
    doc.addImage("im1", createBitmapImage(checkerBitmap(8)));
    doc.addImage("im2", createBitmapImage(checkerBitmap(24)));
    canvas.drawXObject(72, 300, 64, 64, "im0");
    canvas.drawXObject(172, 300, 64, 64, "im1");
    canvas.drawXObject(272, 300, 64, 64, "im2");
    doc.addLink(72, 690, 300, 710, 1, "https://example.com/report?q=(1)");
    doc.addPage();
    drawPdfText(doc.canvas(), 72, 720, 0, "Second page", "Arial", 12, 0, 255);
    return doc.save();
}

enum class Tool { Qpdf, Poppler };

// The arguments with the user password of an encrypted variant in front.
QStringList withPassword(const Variant& variant, QStringList arguments, Tool tool = Tool::Qpdf)
{
    const QString password = QString::fromStdString(variant.userPassword);
    if (variant.encrypted)
        arguments = (tool == Tool::Qpdf ? QStringList{"--password=" + password} : QStringList{"-upw", password}) +
                    arguments;
    return arguments;
}

} // namespace

TEST(PdfTools, QpdfAndMupdfAcceptEveryVariant)
{
    const TScratchDir dir;
    for (bool encrypted : {false, true})
        for (bool compressed : {false, true})
            for (bool embedded : {false, true}) {
                const Variant variant{.encrypted = encrypted, .compressed = compressed, .embedded = embedded};
                const QString file = dir.write("variant.pdf", richDocument(variant));
                const auto check = runTool("qpdf", withPassword(variant, {"--check", file}));
                SCOPED_TRACE(testing::Message() << "encrypted " << encrypted << " compressed " << compressed
                                                << " embedded " << embedded << "\n" << check.out << check.err);
                EXPECT_EQ(check.exitCode, 0);
                EXPECT_NE(check.out.find("No syntax or stream encoding errors found"), std::string::npos);
                // mupdf renders every page: fonts, images and content must decode.
                QStringList draw{"draw", "-q", "-o", dir.path("page%d.png"), "-r", "36"};
                if (encrypted)
                    draw << "-p" << "u";
                auto render = runTool("mutool", draw << file);
                EXPECT_EQ(render.exitCode, 0);
                // This build of mupdf lacks colour management and says so.
                const std::string noIcc = "warning: ICC support is not available\n";
                if (render.err.starts_with(noIcc))
                    render.err.erase(0, noIcc.size());
                EXPECT_EQ(render.err, "");
            }
}

TEST(PdfTools, EitherPasswordOpensTheDocumentAndNothingElseDoes)
{
    const TScratchDir dir;
    const Variant locked{.encrypted = true, .compressed = true, .embedded = true};
    const QString file = dir.write("locked.pdf", richDocument(locked));
    const auto without = runTool("qpdf", {"--check", file});
    EXPECT_NE(without.exitCode, 0);
    EXPECT_NE(without.err.find("invalid password"), std::string::npos) << without.err;
    EXPECT_NE(runTool("qpdf", {"--password=x", "--check", file}).exitCode, 0);
    EXPECT_EQ(runTool("qpdf", {"--password=u", "--check", file}).exitCode, 0);
    EXPECT_EQ(runTool("qpdf", {"--password=o", "--check", file}).exitCode, 0);

    const auto owner = runTool("qpdf", {"--password=o", "--show-encryption", file});
    EXPECT_NE(owner.out.find("Supplied password is owner password"), std::string::npos) << owner.out;
    EXPECT_NE(owner.out.find("User password = u"), std::string::npos) << owner.out;
    EXPECT_NE(owner.out.find("R = 2"), std::string::npos) << owner.out;
}

namespace {

// What qpdf says about the encryption of a document.
std::string encryptionReport(const TScratchDir& dir, const Variant& variant)
{
    const QString file = dir.write("permissions.pdf", richDocument(variant));
    return runTool("qpdf", {"--password=u", "--show-encryption", file}).out;
}

} // namespace

TEST(PdfTools, QpdfReportsThePermissionsThatPEncodes)
{
    const TScratchDir dir;
    Variant nothing{.encrypted = true};
    const std::string locked = encryptionReport(dir, nothing);
    EXPECT_NE(locked.find("P = -3904"), std::string::npos) << locked;
    for (const char* line : {"extract for accessibility: not allowed", "extract for any purpose: not allowed",
                             "print low resolution: not allowed", "modify annotations: not allowed",
                             "modify other: not allowed"})
        EXPECT_NE(locked.find(line), std::string::npos) << line;

    Variant printing{.encrypted = true};
    printing.permissions.PrintingLevel = 1;
    const std::string low = encryptionReport(dir, printing);
    EXPECT_NE(low.find("P = -3900"), std::string::npos) << low;
    EXPECT_NE(low.find("print low resolution: allowed"), std::string::npos) << low;
    EXPECT_NE(low.find("extract for any purpose: not allowed"), std::string::npos) << low;

    Variant copying{.encrypted = true};
    copying.permissions.AllowCopying = true;
    const std::string copy = encryptionReport(dir, copying);
    EXPECT_NE(copy.find("extract for any purpose: allowed"), std::string::npos) << copy;
}

TEST(PdfTools, EmptyPasswordsOpenWithoutAsking)
{
    const TScratchDir dir;
    const Variant open{.encrypted = true, .compressed = true, .userPassword = "", .ownerPassword = ""};
    const QString file = dir.write("open.pdf", richDocument(open));
    EXPECT_EQ(runTool("qpdf", {"--check", file}).exitCode, 0);
    EXPECT_NE(runTool("qpdf", {"--show-encryption", file}).out.find("R = 2"), std::string::npos);
    EXPECT_NE(runTool("pdftotext", {file, "-"}).out.find("Second page"), std::string::npos);
}

TEST(PdfTools, ObjectsNumberedAbove255Decrypt)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.Settings.Encrypted = true;
    doc.Settings.UserPassword = "u";
    doc.Settings.StreamCompression = true;
    doc.startDocument();
    for (int page = 1; page <= 160; ++page) {
        doc.addPage();
        drawPdfText(doc.canvas(), 72, 720, 0, "Page " + std::to_string(page), "Arial", 12, 0, 255);
    }
    doc.addLink(72, 700, 200, 730, 0, "https://example.com/last");
    ASSERT_GT(doc.xref().count(), 300);
    const TScratchDir dir;
    const QString file = dir.write("long.pdf", doc.save());
    EXPECT_EQ(runTool("qpdf", {"--password=u", "--check", file}).exitCode, 0);
    const auto last = runTool("pdftotext", {"-upw", "u", "-f", "160", "-l", "160", file, "-"});
    EXPECT_NE(last.out.find("Page 160"), std::string::npos) << last.out << last.err;

    const QString plain = dir.path("plain.pdf");
    ASSERT_EQ(runTool("qpdf", {"--password=u", "--decrypt", "--object-streams=disable", file, plain}).exitCode, 0);
    QFile decrypted(plain);
    ASSERT_TRUE(decrypted.open(QIODevice::ReadOnly));
    EXPECT_TRUE(decrypted.readAll().contains("/URI (https://example.com/last)"));
}

TEST(PdfTools, EmbeddedFontProgramsOfEncryptedDocumentsDecrypt)
{
    const TScratchDir dir;
    const std::string pdf = richDocument(Variant{.encrypted = true, .embedded = true});
    std::smatch fontFile;
    ASSERT_TRUE(std::regex_search(pdf, fontFile, std::regex("/FontFile2 (\\d+) 0 R")));
    const std::string object = fontFile[1];
    const size_t body = pdf.find("\n" + object + " 0 obj\r\n");
    EXPECT_EQ(pdf.find(std::string("stream\r\n\0\1\0\0", 12), body), std::string::npos) << "the program is in clear";

    const QString file = dir.write("fonts.pdf", pdf);
    const auto program = runTool("qpdf", {"--password=u", "--show-object=" + QString::fromStdString(object),
                                          "--raw-stream-data", file});
    EXPECT_EQ(program.out.substr(0, 4), std::string("\0\1\0\0", 4));
    EXPECT_GT(program.out.size(), 100000u);
}

TEST(PdfTools, PdffontsListsTrueTypeWinAnsiFontsEmbeddedWhenChosen)
{
    const TScratchDir dir;
    for (bool encrypted : {false, true}) {
        const Variant variant{.encrypted = encrypted, .compressed = true, .embedded = true};
        const auto fonts = runTool("pdffonts", withPassword(variant, {dir.write("fonts.pdf", richDocument(variant))},
                                                            Tool::Poppler));
        // The encryption dictionary, object 2, moves the fonts one number up.
        const std::string arial = encrypted ? "7" : "6";
        const std::string times = encrypted ? "9" : "8";
        const std::regex arialLine("\nArial +TrueType +WinAnsi +no +no +no +" + arial + " +0");
        EXPECT_TRUE(std::regex_search(fonts.out, arialLine)) << fonts.out << fonts.err;
        EXPECT_TRUE(std::regex_search(
            fonts.out, std::regex("\nTimesNewRoman,Bold +TrueType +WinAnsi +yes +no +no +" + times + " +0")))
            << fonts.out;
    }
    const auto plain = runTool("pdffonts", {dir.write("plain.pdf", richDocument(Variant{.compressed = true}))});
    EXPECT_TRUE(std::regex_search(plain.out, std::regex("\nTimesNewRoman,Bold +TrueType +WinAnsi +no ")))
        << plain.out;
}

TEST(PdfTools, PdftotextExtractsTheTextInItsCodePage)
{
    const TScratchDir dir;
    for (bool encrypted : {false, true}) {
        Variant variant{.encrypted = encrypted, .compressed = true, .embedded = true};
        const QString file = dir.write("text.pdf", richDocument(variant));
        const auto text = runTool("pdftotext", withPassword(variant, {file, "-"}, Tool::Poppler));
        EXPECT_NE(text.out.find(kWesternText), std::string::npos) << text.out;
        EXPECT_NE(text.out.find("Embedded heading"), std::string::npos) << text.out;
        const auto info = runTool("pdfinfo", withPassword(variant, {file}, Tool::Poppler));
        const std::string author = "Author:          Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\n";
        EXPECT_NE(info.out.find(author), std::string::npos) << info.out;
    }
    Variant centralEuropean;
    centralEuropean.codePage = 1250;
    const auto text = runTool("pdftotext", {dir.write("cp1250.pdf", richDocument(centralEuropean)), "-"});
    EXPECT_NE(text.out.find(kCentralEuropeanText), std::string::npos) << text.out;
}

TEST(PdfTools, TranslucentTextIsRenderedBlended)
{
    TPdfDoc doc;
    doc.Settings = pdftest::fixedSettings();
    doc.startDocument();
    doc.addPage();
    // Pure red "I"s, first half transparent, then opaque.
    drawPdfText(doc.canvas(), 100, 400, 0, "IIII", "Arial", 200, 0x0000FF, 128);
    drawPdfText(doc.canvas(), 100, 100, 0, "IIII", "Arial", 200, 0x0000FF, 255);
    const TScratchDir dir;
    const QString file = dir.write("alpha.pdf", doc.save());
    ASSERT_EQ(runTool("pdftoppm", {"-r", "18", "-singlefile", file, dir.path("alpha")}).exitCode, 0);
    QFile image(dir.path("alpha.ppm"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    const QByteArray ppm = image.readAll();
    // P6, 153 x 198 pixels of 8-bit red, green, blue.
    const QList<QByteArray> header = ppm.left(20).split('\n');
    ASSERT_EQ(header.value(0), "P6");
    const int width = header.value(1).split(' ').value(0).toInt();
    const qsizetype start = header.value(0).size() + header.value(1).size() + header.value(2).size() + 3;
    auto lowestGreen = [&](int fromRow, int toRow) {
        int lowest = 255;
        for (int y = fromRow; y < toRow; ++y)
            for (int x = 0; x < width; ++x)
                lowest = std::min(lowest, int(uint8_t(ppm[start + (y * width + x) * 3 + 1])));
        return lowest;
    };
    // The translucent glyphs stand 400 to 543 points above the bottom (rows
    // 62 to 98 at 18 pixels per inch), the opaque ones 300 points lower.
    EXPECT_NEAR(lowestGreen(55, 105), 127, 12) << "red at half strength over white";
    EXPECT_LE(lowestGreen(130, 180), 10) << "opaque red";
}

// --- AES-256 (revision 6) -------------------------------------------------------

namespace {

const Variant kAes{.encrypted = true, .compressed = true, .embedded = true,
                   .encryption = TPdfEncryption::Aes256Bits};

} // namespace

TEST(PdfTools, Aes256DocumentsPassQpdfPopplerAndMupdfWithEitherPassword)
{
    const TScratchDir dir;
    for (bool compressed : {false, true}) {
        Variant variant = kAes;
        variant.compressed = compressed;
        const QString file = dir.write("aes.pdf", richDocument(variant));
        const auto check = runTool("qpdf", {"--password=u", "--check", file});
        EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        EXPECT_NE(check.out.find("No syntax or stream encoding errors found"), std::string::npos);
        EXPECT_EQ(runTool("qpdf", {"--password=o", "--check", file}).exitCode, 0);
        EXPECT_NE(runTool("qpdf", {"--check", file}).exitCode, 0);
        EXPECT_NE(runTool("qpdf", {"--password=x", "--check", file}).exitCode, 0);

        const auto text = runTool("pdftotext", {"-upw", "u", file, "-"});
        EXPECT_NE(text.out.find("Embedded heading"), std::string::npos) << text.err;
        EXPECT_NE(text.out.find("Second page"), std::string::npos);
        EXPECT_NE(runTool("pdftotext", {"-upw", "wrong", file, "-"}).exitCode, 0);

        const auto render = runTool("mutool", {"draw", "-q", "-o", dir.path("aes%d.png"), "-r", "36", "-p", "u", file});
        EXPECT_EQ(render.exitCode, 0) << render.err;
        EXPECT_TRUE(QFile::exists(dir.path("aes2.png")));
    }
}

TEST(PdfTools, QpdfReportsRevision6AesAndEveryPermission)
{
    const TScratchDir dir;
    Variant nothing = kAes;
    const std::string locked = runTool("qpdf", {"--password=u", "--show-encryption",
                                                dir.write("locked.pdf", richDocument(nothing))}).out;
    for (const char* line : {"R = 6", "P = -3904", "stream encryption method: AESv3",
                             "string encryption method: AESv3", "print low resolution: not allowed",
                             "print high resolution: not allowed", "modify document assembly: not allowed",
                             "modify annotations: not allowed", "extract for any purpose: not allowed"})
        EXPECT_NE(locked.find(line), std::string::npos) << line << "\n" << locked;

    Variant everything = kAes;
    everything.permissions = {2, true, true, true, true, true, true};
    const std::string open = runTool("qpdf", {"--password=u", "--show-encryption",
                                              dir.write("open.pdf", richDocument(everything))}).out;
    for (const char* line : {"print low resolution: allowed", "print high resolution: allowed",
                             "modify document assembly: allowed", "modify forms: allowed",
                             "modify annotations: allowed", "modify other: allowed",
                             "extract for accessibility: allowed", "extract for any purpose: allowed"})
        EXPECT_NE(open.find(line), std::string::npos) << line << "\n" << open;
}

TEST(PdfTools, Aes256PasswordsAreUtf8AndPreparedBeforeHashing)
{
    const TScratchDir dir;
    Variant variant = kAes;
    variant.userPassword = "  p\xC3\xA4ss\xE2\x80\x8Bw\xC3\xB6rd  "; // blanks, a zero-width space
    variant.ownerPassword = "\xEF\xAC\x81" "x"; // the ligature fi
    const QString file = dir.write("utf8.pdf", richDocument(variant));
    EXPECT_EQ(runTool("qpdf", {QString::fromUtf8("--password=p\xC3\xA4ssw\xC3\xB6rd"), "--check", file}).exitCode, 0);
    EXPECT_EQ(runTool("qpdf", {"--password=fix", "--check", file}).exitCode, 0);
    EXPECT_NE(runTool("qpdf", {"--password=passwort", "--check", file}).exitCode, 0);

    EXPECT_EQ(TPdfAes256Security::preparePassword("a\xC2\xA0" "b\xC2\xAD" "c"), "a bc");
    EXPECT_EQ(TPdfAes256Security::preparePassword(std::string(200, 'x')).size(), 127u);
}

TEST(PdfTools, Aes256EntriesUnlockTheFileKey)
{
    TPdfPermissions permissions;
    permissions.AllowCopying = true;
    const TPdfAes256Security security("owner", "user", permissions);
    ASSERT_EQ(security.userEntry().size(), 48u);
    ASSERT_EQ(security.ownerEntry().size(), 48u);
    const std::string& u = security.userEntry();
    EXPECT_EQ(TPdfAes256Security::passwordHash("user", u.substr(32, 8), {}), u.substr(0, 32));
    const std::string zero(16, '\0');
    EXPECT_EQ(aesCbcDecrypt(TPdfAes256Security::passwordHash("user", u.substr(40, 8), {}), zero,
                            security.userKeyEntry(), false),
              security.fileKey());
    const std::string& o = security.ownerEntry();
    EXPECT_EQ(aesCbcDecrypt(TPdfAes256Security::passwordHash("owner", o.substr(40, 8), u), zero,
                            security.ownerKeyEntry(), false),
              security.fileKey());

    // Strings get a fresh vector each time and decrypt with the file key.
    const std::string a = security.encrypt("secret", 5, 0), b = security.encrypt("secret", 5, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(aesCbcDecrypt(security.fileKey(), a.substr(0, 16), a.substr(16), true), "secret");
    EXPECT_EQ(security.permissions() & 0x10, 0x10);
}

TEST(PdfTools, FortyBitPasswordsAreCodePage1252AndNothingElse)
{
    auto encrypted = [](const std::string& password) {
        TPdfDoc doc;
        doc.Settings = pdftest::fixedSettings();
        doc.Settings.Encrypted = true;
        doc.Settings.UserPassword = password;
        doc.startDocument();
        doc.addPage();
        drawPdfText(doc.canvas(), 72, 720, 0, "Locked", "Arial", 12, 0, 255);
        return doc.save();
    };
    // A Western password is its code page 1252 bytes, as a reader makes of
    // the typed text.
    const TScratchDir dir;
    const QString file = dir.write("cafe.pdf", encrypted("Café"));
    EXPECT_EQ(runTool("qpdf", {"--password=Café", "--check", file}).exitCode, 0);
    EXPECT_NE(runTool("qpdf", {"--password=Cafe", "--check", file}).exitCode, 0);

    // One outside it would have become '?', and any password of as many
    // such characters would have opened the document.
    EXPECT_THROW(encrypted("Пароль"), EPdfInvalidValue);
    EXPECT_THROW(encrypted("x\xFFy"), EPdfInvalidValue) << "not even UTF-8";
}
