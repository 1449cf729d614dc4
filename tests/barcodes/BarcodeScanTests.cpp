// Barcodes as scanners see them: every symbology that zbar or ZXing reads is
// placed on one page at its natural size and at the smallest module a
// 300-dpi printer holds for both readers (two dots), turned by 0, 90, 180 and
// 270 degrees; the page is drawn
// as a raster image and as PDF (rendered by poppler) at 300 dpi, each
// symbol cut out with its quiet zone, and all cut-outs of a target go to
// each reader in one call.

#include "barcodes/Barcode.h"
#include "barcodes/BarcodeReaders.h"
#include "document/GraphicObjects.h"
#include "document/Report.h"
#include "pdf/PdfTestSupport.h"
#include "pdfexport/ReportPdfExport.h"
#include "render/PageImageTesting.h"
#include "render/PageRenderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace orv;
using namespace orv::pdftest;

namespace {

constexpr int kDpi = 300;
// The smallest module, in printer dots, that both readers take at every
// angle: at one dot zbar misses several symbologies that ZXing still reads.
constexpr int kSmallestModule = 2;

struct TAddOn {
    int32_t type;
    std::string data;
};

// A symbology with data, what zbar reports for it ("TYPE:data" lines, all
// of them expected; none when zbar cannot read it) and what ZXingReader -1
// reports (empty when it cannot).
struct TScanCase {
    int32_t type;
    std::string data;
    std::vector<std::string> zbar;
    std::string zxing;
    std::optional<TAddOn> addOn = std::nullopt;
};

const std::vector<TScanCase>& scanCases()
{
    static const std::vector<TScanCase> cases = {
        {0, "CODE39", {"CODE-39:CODE39"}, "Code39 \"CODE39\""},
        {1, "Ab!", {"CODE-39:A+B/A"}, "Code39 \"A+B/A\""},
        {3, "40156", {"Codabar:A40156B"}, "Codabar \"40156\""},
        {4, "123456", {"I2/5:123456"}, "ITF \"123456\""},
        {7, "CODE93", {"CODE-93:CODE93"}, "Code93 \"CODE93\""},
        {8, "ab!", {"CODE-93:ab!"}, "Code93 \"ab!\""},
        {9, "ABC-12", {"CODE-128:ABC-12"}, "Code128 \"ABC-12\""},
        {10, "Hello", {"CODE-128:Hello"}, "Code128 \"Hello\""},
        {11, "1234567", {"CODE-128:01234567"}, "Code128 \"01234567\""},
        {14, "ABC", {"CODE-128:ABC"}, "Code128 \"ABC\""},
        {15, "Hello", {"CODE-128:Hello"}, "Code128 \"Hello\""},
        {16, "1234", {"CODE-128:1234"}, "Code128 \"1234\""},
        {12, "96385074", {"EAN-8:96385074"}, "EAN-8 \"96385074\""},
        {13, "5901234123457", {"EAN-13:5901234123457"}, "EAN-13 \"5901234123457\""},
        {18, "036000291452", {"EAN-13:0036000291452"}, "UPC-A \"036000291452\""},
        {19, "0123456", {"EAN-13:0012345000065"}, "UPC-E \"01234565\""},
        {19, "654321", {"EAN-13:0065100004327"}, "UPC-E \"06543217\""},
        // zbar reads UPC-E of number system 0 only.
        {20, "1123456", {}, "UPC-E \"11234562\""},
        {13, "5901234123457", {"EAN-13:5901234123457", "EAN-2:12"}, "", TAddOn{21, "12"}},
        {13, "5901234123457", {"EAN-13:5901234123457", "EAN-5:52495"}, "", TAddOn{22, "52495"}},
    };
    return cases;
}

// The narrow modules of a symbol at ratio 2.
double modulesOf(int32_t type, const std::string& data)
{
    TAsBarcode code;
    code.Typ = barcodeTypeOf(type);
    code.Text = data;
    return code.width();
}

double upToHundredths(double inches)
{
    return std::ceil(inches * 100 - 1e-9) / 100;
}

enum class ModuleSize { Natural, Smallest };

// One symbol (with its add-on) on the sheet and the cell it is cut out by.
struct TPlacedSymbol {
    const TScanCase* scanCase;
    ModuleSize size;
    int32_t angle;
    QRectF cell; // inches
    std::string label() const
    {
        return "type " + std::to_string(scanCase->type) + " '" + scanCase->data + "' "
            + (size == ModuleSize::Natural ? "natural" : "smallest") + " at " + std::to_string(angle);
    }
};

// A page holding every case at both sizes and four angles, laid out in
// rows of cells on whole hundredths of an inch (whole pixels at 300 dpi).
class TScanSheet {
public:
    TScanSheet()
    {
        m_report.PdfSetup.Margin = Currency::fromInches(0);
        m_report.PdfSetup.XOffset = Currency::fromInches(0);
        m_report.PdfSetup.YOffset = Currency::fromInches(0);
        for (ModuleSize size : {ModuleSize::Natural, ModuleSize::Smallest})
            for (int32_t angle : {0, 90, 180, 270})
                for (const TScanCase& c : scanCases())
                    layOut(c, size, angle);
        m_report.newPage(8.5f, static_cast<float>(upToHundredths(m_y + m_rowHeight + 0.2)), 0, 0, 0);
        for (const TObject& object : m_objects)
            fillBarCode(m_report.appendObject(), "b", object.data, object.type, object.place, 0, object.angle);
    }

    const TReport& report() const { return m_report; }
    int32_t page() const { return m_report.pageCount(); }
    const std::vector<TPlacedSymbol>& symbols() const { return m_symbols; }

private:
    struct TObject {
        int32_t type;
        std::string data;
        TObjectPlace place;
        int32_t angle;
    };

    static constexpr double kBarHeight = 0.4;
    static constexpr double kAddOnHeight = 0.34;
    static constexpr double kAddOnGap = 0.12;

    // The symbol's length: at the natural size, that of the larger natural
    // module (a point in PDF, against a pixel at 96 dpi on raster targets);
    // otherwise a requested width of kSmallestModule dots a module, a
    // little more rather than less, since raster targets cut widths to whole
    // pixels.
    static double lengthOf(int32_t type, const std::string& data, ModuleSize size)
    {
        const double modules = modulesOf(type, data);
        if (size == ModuleSize::Natural)
            return modules / 72;
        return std::ceil(modules * kSmallestModule / kDpi * 10000 + 2) / 10000;
    }

    void layOut(const TScanCase& c, ModuleSize size, int32_t angle)
    {
        const double quiet = size == ModuleSize::Natural ? 0.2 : 0.1;
        const double length = lengthOf(c.type, c.data, size);
        const double addOnLength = c.addOn ? lengthOf(c.addOn->type, c.addOn->data, size) : 0;
        const double along = upToHundredths(length + (c.addOn ? kAddOnGap + addOnLength : 0));
        const bool upright = angle == 90 || angle == 270;
        const QSizeF box = upright ? QSizeF(kBarHeight, along) : QSizeF(along, kBarHeight);
        const double cellWidth = upToHundredths(box.width() + 2 * quiet);
        const double cellHeight = upToHundredths(box.height() + 2 * quiet);
        if (m_x + cellWidth > 8.3) {
            m_x = 0.2;
            m_y = upToHundredths(m_y + m_rowHeight);
            m_rowHeight = 0;
        }
        const QPointF at(m_x + quiet, m_y + quiet);
        m_symbols.push_back({&c, size, angle, QRectF(m_x, m_y, cellWidth, cellHeight)});
        const float width = size == ModuleSize::Natural ? 0 : static_cast<float>(length);
        // The add-on follows the main symbol in reading order; at 180 and 90
        // degrees reading runs right to left and bottom to top.
        const QPointF main = at + (angle == 180 ? QPointF(along - length, 0) : angle == 90 ? QPointF(0, along - length) : QPointF());
        m_objects.push_back({c.type, c.data, place(main, width, kBarHeight), angle});
        if (c.addOn) {
            const float addOnWidth = size == ModuleSize::Natural ? 0 : static_cast<float>(addOnLength);
            // Add-on bars stand on the main symbol's baseline.
            const double drop = kBarHeight - kAddOnHeight;
            const QPointF addOnAt = angle == 0     ? at + QPointF(length + kAddOnGap, drop)
                                    : angle == 180 ? at
                                    : angle == 90  ? at + QPointF(drop, 0)
                                                   : at + QPointF(0, length + kAddOnGap);
            m_objects.push_back({c.addOn->type, c.addOn->data, place(addOnAt, addOnWidth, kAddOnHeight), angle});
        }
        m_x = upToHundredths(m_x + cellWidth);
        m_rowHeight = std::max(m_rowHeight, cellHeight);
    }

    static TObjectPlace place(QPointF at, float width, double height)
    {
        return TObjectPlace::fromInches(static_cast<float>(at.x()), static_cast<float>(at.y()), width,
                                        static_cast<float>(height));
    }

    TReport m_report;
    std::vector<TPlacedSymbol> m_symbols;
    std::vector<TObject> m_objects;
    double m_x = 0.2, m_y = 0.2, m_rowHeight = 0;
};

const TScanSheet& sheet()
{
    static const TScanSheet instance;
    return instance;
}

// The page as the image export draws it, at 300 dpi.
QImage rasterPage(const TReport& report, int32_t page)
{
    const TPageDrawing drawing(report, page, kDpi / 96.0);
    QImage image(drawing.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawing.play(painter);
    return image;
}

// The page exported to PDF and rendered by poppler at 300 dpi.
QImage pdfPage(const TReport& report, int32_t page, const TScratchDir& scratch)
{
    const QString file = scratch.write("sheet.pdf", buildReportPdf(report, {page, page}, false));
    const ToolResult rendered = runTool("pdftoppm", {"-r", QString::number(kDpi), "-gray", "-singlefile", file,
                                                     scratch.path("sheet")});
    EXPECT_EQ(rendered.exitCode, 0) << rendered.err;
    return QImage(scratch.path("sheet.pgm"));
}

// What each reader made of each cut-out, in the order of the symbols.
struct TReadings {
    std::vector<std::string> zbar;
    std::vector<std::string> zxing;
};

TReadings read(const QImage& page, const std::vector<TPlacedSymbol>& symbols, const TScratchDir& scratch,
               const QString& prefix)
{
    QStringList files;
    for (const TPlacedSymbol& symbol : symbols) {
        const QRectF& c = symbol.cell;
        const QRect pixels(qRound(c.x() * kDpi), qRound(c.y() * kDpi), qRound(c.width() * kDpi),
                           qRound(c.height() * kDpi));
        files << scratch.path(prefix + QString::number(files.size()) + ".pgm");
        page.copy(pixels).convertToFormat(QImage::Format_Grayscale8).save(files.back());
    }
    return {orv::testing::zbarReadings(files, {"-Sean2.enable", "-Sean5.enable"}),
            orv::testing::zxingReadings(files)};
}

enum class Reader { Zbar, ZXing };

// Misses of a reader at the raster target's natural module of 3.125 pixels,
// whose bars the rasteriser draws 3 or 4 pixels wide (wide ones 6 or 7): zbar
// then rejects Codabar's ratio and ZXing the full-ASCII Code 39. Both read
// them from PDF and at whole-pixel modules, and the other reader reads them
// here.
bool mayMiss(const char* target, const TPlacedSymbol& symbol, Reader reader)
{
    if (std::string(target) != "raster" || symbol.size != ModuleSize::Natural)
        return false;
    const int32_t type = symbol.scanCase->type;
    return (reader == Reader::Zbar && type == 3) || (reader == Reader::ZXing && type == 1);
}

// Every reader reads every symbol it knows, exactly; where it may miss one,
// it still never reads it wrongly.
void expectEveryCaseRead(const TReadings& readings, const std::vector<TPlacedSymbol>& symbols, const char* target)
{
    for (size_t i = 0; i < symbols.size(); ++i) {
        const TScanCase& c = *symbols[i].scanCase;
        const bool zbarMay = mayMiss(target, symbols[i], Reader::Zbar);
        for (const std::string& expected : c.zbar) {
            if (!zbarMay || !readings.zbar[i].empty()) {
                EXPECT_NE(readings.zbar[i].find(expected + "\n"), std::string::npos)
                    << target << " zbar, " << symbols[i].label() << ": " << readings.zbar[i];
            }
        }
        if (c.zxing.empty())
            continue;
        if (mayMiss(target, symbols[i], Reader::ZXing) && readings.zxing[i] == "None")
            continue;
        EXPECT_EQ(readings.zxing[i], c.zxing) << target << " ZXing, " << symbols[i].label();
    }
}

} // namespace

TEST(BarcodeScans, RasterPagesAt300DpiReadAtBothSizesAndEveryRightAngle)
{
    TScratchDir scratch;
    const QImage page = rasterPage(sheet().report(), sheet().page());
    ASSERT_FALSE(page.isNull());
    expectEveryCaseRead(read(page, sheet().symbols(), scratch, "raster"), sheet().symbols(), "raster");
}

TEST(BarcodeScans, PdfPagesRenderedAt300DpiReadAtBothSizesAndEveryRightAngle)
{
    TScratchDir scratch;
    const QImage page = pdfPage(sheet().report(), sheet().page(), scratch);
    ASSERT_FALSE(page.isNull());
    expectEveryCaseRead(read(page, sheet().symbols(), scratch, "pdf"), sheet().symbols(), "PDF");
}

// A label's Code 39 with a 10-mil module (1.2 in for "ROTATED"), flat and
// turned upwards: from raster and PDF pages alike its ink has its top-left
// corner at the object's position and the requested length, and the PDF
// reads at every common printer resolution.
TEST(BarcodeScans, RequestedWidthsLandAtTheirPlaceOnEveryTarget)
{
    TReport report;
    report.PdfSetup.Margin = Currency::fromInches(0);
    report.PdfSetup.XOffset = Currency::fromInches(0);
    report.PdfSetup.YOffset = Currency::fromInches(0);
    fillBarCode(report.appendObject(), "flat", "ROTATED", 0, TObjectPlace::fromInches(1, 1, 1.2f, 0.5f), 0, 0);
    fillBarCode(report.appendObject(), "up", "ROTATED", 0, TObjectPlace::fromInches(3, 1, 1.2f, 0.5f), 0, 90);
    const QRect flat(300, 300, 360, 150); // pixels at 300 dpi
    const QRect up(900, 300, 150, 360);

    TScratchDir scratch;
    const QImage raster = rasterPage(report, 1);
    const QImage pdf = pdfPage(report, 1, scratch);
    for (const auto& [target, page] : {std::pair{"raster", raster}, std::pair{"PDF", pdf}})
        for (const QRect& box : {flat, up}) {
            const QRect ink = orv::testing::boundsOf(page, box.adjusted(-60, -60, 60, 60), orv::testing::isInk);
            EXPECT_LE((ink.topLeft() - box.topLeft()).manhattanLength(), 1) << target;
            EXPECT_NEAR(ink.width(), box.width(), 1) << target;
            EXPECT_NEAR(ink.height(), box.height(), 1) << target;
        }

    const QString file = scratch.write("label.pdf", buildReportPdf(report, {1, 1}, false));
    for (int dpi : {300, 600, 1200}) {
        // Only the symbol and its quiet zone: a whole page at 1200 dpi is large.
        const double pixels = dpi / 72.0;
        const QStringList area = {"-x", QString::number(qRound(54 * pixels)), "-y", QString::number(qRound(54 * pixels)),
                                  "-W", QString::number(qRound(122 * pixels)), "-H", QString::number(qRound(72 * pixels))};
        const QString stem = scratch.path("label" + QString::number(dpi));
        runTool("pdftoppm", QStringList{"-r", QString::number(dpi), "-gray", "-singlefile"} + area + QStringList{file, stem});
        EXPECT_EQ(runTool("zbarimg", {"--nodbus", "-q", stem + ".pgm"}).out, "CODE-39:ROTATED\n") << dpi;
        // ZXingReader's downscaled pass trips over its own assertion on
        // these large images; the full-size pass is what is checked.
        EXPECT_EQ(runTool("ZXingReader", {"-1", "-noscale", stem + ".pgm"}).out, (stem + ".pgm Code39 \"ROTATED\"\n").toStdString())
            << dpi;
        // Bars are as wide as drawn: the ink spans the requested 1.2 inches.
        const QImage label(stem + ".pgm");
        const QRect ink = orv::testing::boundsOf(label, label.rect(), orv::testing::isInk);
        EXPECT_NEAR(ink.width(), 1.2 * dpi, 1) << dpi;
    }
}
