#include "document/GraphicObjects.h"
#include "document/Report.h"
#include "export/PageImageExport.h"
#include "barcodes/Barcode.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

using namespace orv;

namespace {

TAsBarcode barcode(int interfaceType, const std::string& data, int modul = 3)
{
    TAsBarcode code;
    code.Typ = barcodeTypeOf(interfaceType);
    code.Text = data;
    code.setModul(modul);
    code.Height = 120;
    code.Left = 40;
    code.Top = 40;
    return code;
}

// Paints the symbols on a white image with a quiet zone around them.
QImage painted(std::vector<TAsBarcode*> codes)
{
    double right = 0, bottom = 0;
    for (TAsBarcode* code : codes)
        for (const auto& element : code->elements())
            for (const QPointF& corner : element.corners) {
                right = std::max(right, corner.x());
                bottom = std::max(bottom, corner.y());
            }
    QImage image(static_cast<int>(right) + 60, static_cast<int>(bottom) + 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (TAsBarcode* code : codes)
        code->draw(painter);
    return image;
}

// What a real reader decodes from the image: "TYPE:data" lines.
QString decoded(const QImage& image, const QStringList& options = {})
{
    QTemporaryDir dir;
    const QString file = dir.filePath("code.png");
    image.save(file);
    QProcess reader;
    reader.start("zbarimg", QStringList{"--nodbus", "-q"} + options + QStringList{file});
    if (!reader.waitForFinished(20000))
        ADD_FAILURE() << "zbarimg must be installed";
    return QString(reader.readAllStandardOutput()).trimmed();
}

// zint's module rows for a symbology and data.
std::vector<std::string> zintRows(int symbology, const std::string& data, const QStringList& extra = {})
{
    QProcess zint;
    zint.start("zint", QStringList{"-b", QString::number(symbology), "--dump", "-d", QString::fromStdString(data)} + extra);
    if (!zint.waitForFinished(20000))
        ADD_FAILURE() << "zint must be installed";
    std::vector<std::string> rows;
    for (const QString& line : QString(zint.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        std::string bits;
        for (QChar c : line) {
            if (c == ' ')
                continue;
            const int nibble = QString(c).toInt(nullptr, 16);
            for (int bit = 3; bit >= 0; --bit)
                bits += (nibble >> bit) & 1 ? '1' : '0';
        }
        rows.push_back(bits);
    }
    return rows;
}

// A module row as width codes: runs of 1s are bars, of 0s spaces; a run of
// n modules becomes the code that `codeOf` gives it.
std::string runsAsCodes(std::string bits, const std::map<int, char>& barCodes, const std::map<int, char>& spaceCodes)
{
    bits.erase(bits.find_last_of('1') + 1);
    std::string codes;
    for (size_t i = 0; i < bits.size();) {
        size_t run = 1;
        while (i + run < bits.size() && bits[i + run] == bits[i])
            ++run;
        codes += (bits[i] == '1' ? barCodes : spaceCodes).at(static_cast<int>(run));
        i += run;
    }
    return codes;
}

// Our codes without a closing space, which zint's dump cannot show.
std::string withoutTrailingSpace(std::string codes)
{
    while (!codes.empty() && codes.back() >= '0' && codes.back() <= '3')
        codes.pop_back();
    return codes;
}

// zint's PostNet bars, '5' tall and 'A' short: its first row holds the tall
// bars, the second every bar.
std::string zintPostNetBars(const std::string& data)
{
    const auto rows = zintRows(40, data);
    if (rows.size() != 2u) {
        ADD_FAILURE() << "zint PostNet dump of " << data;
        return {};
    }
    std::string bars;
    for (size_t i = 0; i < rows[1].size(); ++i)
        if (rows[1][i] == '1')
            bars += rows[0][i] == '1' ? '5' : 'A';
    return bars;
}

// Our PostNet bars without the spaces between them.
std::string postNetBars(const std::string& data)
{
    std::string bars;
    for (char c : barcode(2, data).encode())
        if (c == '5' || c == 'A')
            bars += c;
    return bars;
}

} // namespace

TEST(BarcodeEncoding, DigitWidthAndModuleTablesBecomeWidthCodes)
{
    TAsBarcode code39 = barcode(0, "0");
    // Start '*', a narrow gap, the digit 0, a gap, stop '*'.
    EXPECT_NE(code39.encode().find("5051606050"), std::string::npos);

    TAsBarcode ean = barcode(13, "000000000000");
    const std::string codes = ean.encode();
    EXPECT_EQ(codes.substr(0, 3), "505");
    EXPECT_EQ(codes.substr(3, 4), "2605");                   // 0 in set A
    EXPECT_EQ(codes.substr(3 + 24 + 5, 4), "7150");          // 0 in set C
    EXPECT_EQ(ean.encodedText(), "0000000000000");
}

TEST(BarcodeEncoding, DataRulesOfEachSymbology)
{
    TAsBarcode ean13 = barcode(13, " 590123412345 ");
    EXPECT_EQ(ean13.encodedText(), "0590123412345"); // filled, no check digit computed

    TAsBarcode code128c = barcode(11, "12345");
    EXPECT_EQ(code128c.encodedText(), "012345");
    TAsBarcode letterPair = barcode(11, "1A");
    TAsBarcode zeros = barcode(11, "00");
    EXPECT_EQ(letterPair.encode(), zeros.encode());

    TAsBarcode code39 = barcode(0, "ABCdef");
    EXPECT_EQ(code39.encode(), barcode(0, "ABC").encode());

    TAsBarcode interleaved = barcode(4, "12345");
    EXPECT_EQ(interleaved.encode(), barcode(4, "1234").encode());
    TAsBarcode digitsOnly = barcode(5, "12-34x");
    EXPECT_EQ(digitsOnly.encodedText(), "1234");

    TAsBarcode postNet = barcode(99, "1");
    EXPECT_EQ(postNet.Typ, TBarcodeType::PostNet);
    // Start bar, the digit 1 (00011), the check digit 9 (10100), the stop bar.
    EXPECT_EQ(postNet.encode(), "51" "A1A1A15151" "51A151A1A1" "5");
}

TEST(BarcodeEncoding, MsiCheckDigitWithoutOverflow)
{
    // 1234: odd positions from the right 4, 2 -> 24 doubled 48, 4 + 8 + 1 + 3 = 16 -> check 4.
    const std::string codes = barcode(17, "1234").encode();
    const std::string check = codes.substr(codes.size() - 3 - 8, 8);
    EXPECT_EQ(check, "51605151"); // 4 = 0100
    // Thirty digits encode without failing and end with a check digit.
    TAsBarcode longData = barcode(17, std::string(30, '9'));
    EXPECT_EQ(longData.encode().size(), 2 + 31 * 8 + 3u);
}

TEST(BarcodeEncoding, RatioIsClampedPerSymbology)
{
    TAsBarcode matrix = barcode(6, "1");
    matrix.Ratio = 2;
    EXPECT_EQ(matrix.ratio(), 2.25);
    TAsBarcode code39 = barcode(0, "1");
    code39.Ratio = 5;
    EXPECT_EQ(code39.ratio(), 3);
    TAsBarcode code128 = barcode(10, "1");
    code128.Ratio = 5;
    EXPECT_EQ(code128.ratio(), 5);
}

TEST(BarcodeGeometry, RequestedWidthIsMetExactly)
{
    for (int modul : {1, 2, 7}) {
        TAsBarcode code = barcode(10, "Width", modul);
        code.setWidth(333.5);
        const auto elements = code.elements();
        EXPECT_NEAR(elements.back().corners[2].x() - elements.front().corners[0].x(), 333.5, 1e-9) << modul;
    }
    TAsBarcode code = barcode(10, "Width", 2);
    const double natural = code.width();
    code.setWidth(natural * 3);
    EXPECT_EQ(code.modul(), 6);
    code.setModul(50);
    EXPECT_EQ(code.modul(), 6);
}

TEST(BarcodeGeometry, RotationKeepsTheBoxAtLeftTop)
{
    for (double angle : {0.0, 90.0, 180.0, 270.0, 30.0}) {
        TAsBarcode code = barcode(10, "Turn");
        code.Angle = angle;
        double left = 1e9, top = 1e9;
        for (const auto& element : code.elements())
            for (const QPointF& corner : element.corners) {
                left = std::min(left, corner.x());
                top = std::min(top, corner.y());
            }
        EXPECT_NEAR(left, 40, 1e-6) << angle;
        EXPECT_NEAR(top, 40, 1e-6) << angle;
    }
    TAsBarcode upwards = barcode(10, "Turn");
    upwards.Angle = 90;
    const auto first = upwards.elements().front();
    // Drawn upwards: the start of the symbol is at the bottom.
    EXPECT_GT(first.corners[0].y(), upwards.elements().back().corners[2].y());
}

TEST(BarcodeReaders, DecodeWhatWePaint)
{
    struct Case {
        int type;
        std::string data;
        QString expected;
    };
    const Case cases[] = {
        {0, "CODE39 TEST", "CODE-39:CODE39 TEST"},
        {1, "Ab!", "CODE-39:A+B/A"},
        {7, "CODE93", "CODE-93:CODE93"},
        {8, "code93!", "CODE-93:code93!"},
        {9, "ABC-123", "CODE-128:ABC-123"},
        {10, "Hello 128", "CODE-128:Hello 128"},
        {11, "1234567", "CODE-128:01234567"},
        {14, "ABC", "CODE-128:ABC"},
        {15, "Hello", "CODE-128:Hello"},
        {16, "1234", "CODE-128:1234"},
        {12, "96385074", "EAN-8:96385074"},
        {13, "5901234123457", "EAN-13:5901234123457"},
        {18, "036000291452", "EAN-13:0036000291452"},
        {19, "0123456", "EAN-13:0012345000065"},
        {4, "123456", "I2/5:123456"},
        {3, "40156", "Codabar:A40156B"},
    };
    for (const Case& c : cases) {
        TAsBarcode code = barcode(c.type, c.data);
        EXPECT_EQ(decoded(painted({&code})), c.expected) << c.type;
    }
    for (double angle : {90.0, 180.0, 270.0}) {
        TAsBarcode code = barcode(10, "Rotated");
        code.Angle = angle;
        EXPECT_EQ(decoded(painted({&code})), "CODE-128:Rotated") << angle;
    }
}

TEST(BarcodeReaders, AddOnsBesideAnEan13)
{
    for (const auto& [type, data, expected] : {std::tuple{21, "12", "EAN-2:12"}, std::tuple{22, "52495", "EAN-5:52495"}}) {
        TAsBarcode main = barcode(13, "5901234123457");
        TAsBarcode addOn = barcode(type, data);
        addOn.Left = 40 + main.width() + 27;
        addOn.Top = 70;
        addOn.Height = 90;
        const QString result = decoded(painted({&main, &addOn}), {"-Sean2.enable", "-Sean5.enable"});
        EXPECT_TRUE(result.contains(expected)) << result.toStdString();
        EXPECT_TRUE(result.contains("EAN-13:5901234123457")) << result.toStdString();
    }
}

TEST(BarcodeReferences, PatternsMatchZint)
{
    // Module runs in zint's dumps: 1 narrow, 3 wide (2 for MSI), 4 the
    // extra-wide start bar of Matrix 2 of 5.
    TAsBarcode industrial = barcode(5, "1234");
    EXPECT_EQ(runsAsCodes(zintRows(7, "1234").at(0), {{1, '5'}, {3, '6'}}, {{1, '0'}, {3, '1'}}), withoutTrailingSpace(industrial.encode()));

    TAsBarcode matrix = barcode(6, "1234");
    EXPECT_EQ(runsAsCodes(zintRows(2, "1234").at(0), {{1, '5'}, {3, '6'}, {4, '7'}}, {{1, '0'}, {3, '1'}}),
              withoutTrailingSpace(matrix.encode()));

    TAsBarcode msi = barcode(17, "1234");
    EXPECT_EQ(runsAsCodes(zintRows(47, "1234", {"--vers=1"}).at(0), {{1, '5'}, {2, '6'}}, {{1, '0'}, {2, '1'}}),
              withoutTrailingSpace(msi.encode()));

    EXPECT_EQ(zintPostNetBars("1234"), postNetBars("1234"));
}

TEST(BarcodeOnPages, ExportedPagesDecodeAtEveryRotationAndWidthRule)
{
    TReport report;
    // A requested width and a natural width (stretched by the export scale).
    fillBarCode(report.appendObject(), "ean", "5901234123457", 13, TObjectPlace::fromInches(1, 1, 3, 1), 0, 0);
    fillBarCode(report.appendObject(), "turned", "Turned", 10, TObjectPlace::fromInches(1, 3, 0, 1), 0, 90);
    fillBarCode(report.appendObject(), "upside", "Upside", 10, TObjectPlace::fromInches(4, 3, 0, 1), 0, 180);
    const QString found = decoded(pageImage(report, 1, 0));
    EXPECT_TRUE(found.contains("EAN-13:5901234123457")) << found.toStdString();
    EXPECT_TRUE(found.contains("CODE-128:Turned")) << found.toStdString();
    EXPECT_TRUE(found.contains("CODE-128:Upside")) << found.toStdString();
}

TEST(BarcodeEncoding, ReadingTheSymbolLeavesThePainterAsSet)
{
    for (int type = 0; type < kBarcodeTypeCount; ++type) {
        TAsBarcode code = barcode(type, " 12ab*x\x01 5");
        code.Ratio = 5;
        const std::string first = code.encode();
        code.encodedText();
        code.width();
        code.widthRatio();
        code.elements();
        EXPECT_EQ(code.Text, " 12ab*x\x01 5") << type;
        EXPECT_EQ(code.Ratio, 5) << type;
        EXPECT_EQ(code.encode(), first) << type;
    }
    TAsBarcode outside = barcode(0, "1");
    outside.Typ = static_cast<TBarcodeType>(kBarcodeTypeCount);
    EXPECT_THROW(outside.encode(), std::invalid_argument);
}

TEST(BarcodeReferences, UpcEMatchesZintForEveryExpansionAndBothNumberSystems)
{
    struct Case {
        int type;
        std::string data;
        std::string carried; // number system and six digits
    };
    const Case cases[] = {
        {19, "0123450", "0123450"}, {19, "0123451", "0123451"}, {19, "0123452", "0123452"},
        {19, "0123453", "0123453"}, {19, "0123454", "0123454"}, {19, "0123455", "0123455"},
        {19, "0987659", "0987659"},
        {19, "123456", "0123456"},   // six digits take the type's number system
        {19, "12345", "0012345"},    // fewer are filled with zeros first
        {19, "01234565", "0123456"}, // a check digit after the seven is not read
        {19, "1123456", "0123456"},  // the type's number system counts
        {20, "1123456", "1123456"}, {20, "654321", "1654321"}, {20, "0555553", "1555553"},
    };
    const std::map<int, char> bars = {{1, '5'}, {2, '6'}, {3, '7'}, {4, '8'}};
    const std::map<int, char> spaces = {{1, '0'}, {2, '1'}, {3, '2'}, {4, '3'}};
    for (const Case& c : cases) {
        TAsBarcode code = barcode(c.type, c.data);
        EXPECT_EQ(code.encodedText(), c.carried) << c.data;
        EXPECT_EQ(runsAsCodes(zintRows(37, c.carried).at(0), bars, spaces), code.encode()) << c.type << " " << c.data;
    }
}

TEST(BarcodeGeometry, TurnedSymbolWithARequestedWidthKeepsItsBoxAtLeftTop)
{
    for (double angle : {0.0, 90.0, 180.0, 270.0}) {
        TAsBarcode code = barcode(7, "TURNED", 2);
        code.Angle = angle;
        code.setWidth(333.5);
        QPolygonF corners;
        for (const auto& element : code.elements())
            for (const QPointF& corner : element.corners)
                corners << corner;
        const QRectF box = corners.boundingRect();
        EXPECT_NEAR(box.left(), 40, 1e-6) << angle;
        EXPECT_NEAR(box.top(), 40, 1e-6) << angle;
        const bool upright = angle == 90 || angle == 270;
        EXPECT_NEAR(box.width(), upright ? 120 : 333.5, 1e-6) << angle;
        EXPECT_NEAR(box.height(), upright ? 333.5 : 120, 1e-6) << angle;
    }
}

TEST(BarcodeReferences, SymbologiesNoReaderTakesMatchZintForEveryDigit)
{
    const std::map<int, char> narrowWideBars = {{1, '5'}, {3, '6'}, {4, '7'}};
    const std::map<int, char> narrowWideSpaces = {{1, '0'}, {3, '1'}};
    for (const std::string data : {"0", "9876543210", "5555", "1029384756"}) {
        EXPECT_EQ(runsAsCodes(zintRows(7, data).at(0), narrowWideBars, narrowWideSpaces),
                  withoutTrailingSpace(barcode(5, data).encode()))
            << "industrial " << data;
        EXPECT_EQ(runsAsCodes(zintRows(2, data).at(0), narrowWideBars, narrowWideSpaces),
                  withoutTrailingSpace(barcode(6, data).encode()))
            << "matrix " << data;
        // MSI draws wide elements two modules wide in zint.
        EXPECT_EQ(runsAsCodes(zintRows(47, data, {"--vers=1"}).at(0), {{1, '5'}, {2, '6'}}, {{1, '0'}, {2, '1'}}),
                  withoutTrailingSpace(barcode(17, data).encode()))
            << "MSI " << data;
        EXPECT_EQ(zintPostNetBars(data), postNetBars(data)) << "PostNet " << data;
    }
}
