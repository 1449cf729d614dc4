// A PDF page looks like the preview: every kind of object, exported to PDF
// without margins and rendered by poppler at 96 pixels an inch, against the
// same page saved by the engine's own PNG export. Anti-aliasing and glyph
// rasterisers differ, so a pixel counts as the same when a pixel of a
// similar colour lies within one pixel of it in the other picture; what
// remains is measured as a share of the pixels either picture inks.

#include "pdf/PdfTestSupport.h"

#include "render/PageImageTesting.h"

#include <QImage>

#include <cstdio>
#include <string>
#include <vector>

using namespace orv;
using namespace orv::pdftest;

namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kGreen = 0x00A000;
constexpr int32_t kBlue = 0xFF0000;

Currency inches(double value)
{
    return Currency::fromInches(value);
}

bool inked(QRgb pixel)
{
    return qRed(pixel) < 235 || qGreen(pixel) < 235 || qBlue(pixel) < 235;
}

bool similar(QRgb a, QRgb b)
{
    constexpr int kTolerance = 80;
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

// Whether `image` has a pixel like `pixel` at (x, y) or next to it.
bool hasNear(const QImage& image, int x, int y, QRgb pixel)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < image.width() && py < image.height() && similar(image.pixel(px, py), pixel))
                return true;
        }
    return false;
}

struct Difference {
    int inkedPixels = 0;
    int differing = 0;
    double share() const { return inkedPixels == 0 ? 0 : double(differing) / inkedPixels; }
};

Difference compare(const QImage& a, const QImage& b)
{
    Difference d;
    if (a.size() != b.size()) {
        ADD_FAILURE() << "sizes differ: " << a.width() << "x" << a.height() << " and " << b.width() << "x"
                      << b.height();
        return d;
    }
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = a.pixel(x, y), pb = b.pixel(x, y);
            if (!inked(pa) && !inked(pb))
                continue;
            ++d.inkedPixels;
            if (!hasNear(b, x, y, pa) || !hasNear(a, x, y, pb))
                ++d.differing;
        }
    return d;
}

class PdfPreviewFidelityTest : public orv::testing::PageImageTest {
protected:
    void SetUp() override { control.put_PDFMargin(0); }

    QImage pdfPage(int32_t page)
    {
        const Variant bytes = control.PDFStream(page, page);
        const QString file = scratch.write("page.pdf", std::string(bytes.bytes().begin(), bytes.bytes().end()));
        const QString stem = scratch.path("poppler");
        runTool("pdftoppm", {"-png", "-r", "96", "-singlefile", file, stem});
        return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
    }

    // Page `page` both ways; the share of its ink that differs stays under
    // `bound`, and there is ink to compare.
    void expectAlike(int32_t page, const char* kind, double bound)
    {
        const QImage preview = exportedPage(page);
        const QImage pdf = pdfPage(page);
        const Difference d = compare(preview, pdf);
        std::printf("[ fidelity ] %-22s %6.2f %% of %d inked pixels differ (bound %.0f %%)\n", kind,
                    100 * d.share(), d.inkedPixels, 100 * bound);
        EXPECT_GT(d.inkedPixels, 500) << kind;
        EXPECT_LE(d.share(), bound) << kind;
    }

    void newPage()
    {
        if (pages++ > 0)
            control.NewPage();
    }

    void addChart(float x, float y)
    {
        control.AddChart("c", 1, x, y, 4, 3);
        control.put_ChartTitle("Quarterly sales");
        control.ChartAddSeries(1, "North", kBlue);
        for (int32_t q = 1; q <= 4; ++q)
            control.ChartAddXYData(q, 10 * q + 5, ("Q" + std::to_string(q)).c_str(), kBlue);
    }

    TScratchDir scratch;
    int pages = 0;
};

} // namespace

TEST_F(PdfPreviewFidelityTest, EveryObjectKindLooksAlike)
{
    newPage();
    addText("Left aligned line", 1, 1, 14);
    addText("Centred line", 4.25f, 1.5f, 14, 2);
    addText("Right aligned line", 7.5f, 2, 14, 1);
    control.AddText("j", "A justified paragraph spreads the words of every line but its last over the whole "
                         "width of its box, on the screen and in the document alike.",
                    1, 3, 4, 1.5f, "Times New Roman", 12, 0, 0xFFFFFF, "", 0, 0, 3, " ");
    control.AddText("b", "Bold and underlined on a yellow ground", 1, 5, 0, 0, "Arial", 12, kRed, 0x00FFFF, "BU", 0,
                    1, 0, " ");
    control.AddAnnotation("a", "link", inches(1), inches(1), inches(2), inches(0.3), "https://example.org", 0);
    control.AddReportField("f", "'Page ' + TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)", 1, 6, 0, 0,
                           Variant::missing(), Variant::missing(), "Arial", 12, 0, 0xFFFFFF, "", 0, 0, 0, " ");

    newPage();
    control.AddShape("s", 1, 1, 2, 1, 0, kBlue, 0, 0, 0, 2);
    control.AddShape("r", 4, 1, 2, 1, kRed, kGreen, 0, 0, 0, 1, 16);
    control.AddShape("e", 1, 3, 2, 1, kRed, 0, 1, 0, 8, 1, 99);
    control.AddLine("l", 1, 5, 5, 1, kBlue, 2);
    control.AddGrid("g", inches(1), inches(7), inches(4), inches(2), 4, 3, 1, 0, 1);

    newPage();
    control.AddArc("arc", 1, 1, 2, 2, 0, 90, kRed, 0, 1, 0, 0, 2);
    control.AddChord("chord", 4, 1, 2, 2, 45, 180, kBlue, kGreen, 0, 0, 0, 1);
    control.AddPie("pie", 1, 4, 2, 2, 90, 120, 0, kRed, 0, 0, 0, 1);

    newPage();
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((x / 20 + y / 20) % 2 == 0)
                picture.setPixel(x, y, qRgb(0, 80, 200));
    const std::string pictureFile = path("checks.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(pictureFile)));
    control.AddPicture("fitted", pictureFile.c_str(), 1, 1, 3, 3, 1);
    control.AddPicture("stretched", pictureFile.c_str(), 1, 5, 4, 2, 2);

    newPage();
    control.AddBarCode("bc", "FIDELITY", 0, 1, 1, 3, 1, 0, 0);

    newPage();
    addChart(1, 1);

    control.put_PDFChartMode(0);
    expectAlike(1, "text", 0.05);
    expectAlike(2, "shapes-lines-grids", 0.04);
    expectAlike(3, "arcs-chords-pies", 0.03);
    expectAlike(4, "pictures", 0.03);
    expectAlike(5, "barcodes", 0.02);
    // A JPEG of twice the box: its edges blur and its text is rasterised
    // at another size than the screen's.
    expectAlike(6, "chart-bitmap", 0.25);
    control.put_PDFChartMode(1);
    expectAlike(6, "chart-vector", 0.05);
}

TEST_F(PdfPreviewFidelityTest, WatermarkAndCalendarLookAlike)
{
    newPage();
    control.put_WatermarkText("DRAFT");
    expectAlike(1, "watermark", 0.03);

    control.put_WatermarkText("");
    control.put_CalendarShow(true);
    control.put_CalendarMonth(3);
    control.put_CalendarYear(2026);
    // The document lays the calendar out in its own way: day numbers right
    // aligned in fields of two average digits, no grid, the title placed by
    // the font's ascent. The bound only catches a calendar gone missing.
    expectAlike(1, "calendar", 0.90);
}
