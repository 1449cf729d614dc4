// Random reports of every object kind, built through the late-bound
// interface with random, extreme and non-finite arguments, each exported to
// every file format. Nothing may crash; every export that reports success
// leaves a complete file its format's reader opens, and every export that
// fails leaves no file at all.
//
// ORV_STRESS_REPORTS sets how many reports (default 40: well under a minute
// in the sanitizer build); ORV_STRESS_SEED picks another sequence.

#include "../control/LateBoundControlTest.h"
#include "../pdf/PdfTestSupport.h"

#include "metafile/MetafilePlayer.h"

#include <orvreport/EngineError.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <tiffio.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

using namespace orv;
using orv::pdftest::runTool;

namespace {

int environmentNumber(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

// One operation and the kind of each argument it takes:
// s text, e field expression, f font name, p picture file, n position or
// size, w page side, i style, count or colour.
struct TOperation {
    const char* name;
    const char* arguments;
};

constexpr TOperation kAddingOperations[] = {
    {"AddText", "ssnnnnfniisiiisiii"},
    {"AddReportField", "sennnnssfniisiiisi"},
    {"AddShape", "snnnniiiiiiiii"},
    {"AddLine", "snnnniniiiii"},
    {"AddArc", "snnnnnniiiiiii"},
    {"AddChord", "snnnnnniiiiiii"},
    {"AddPie", "snnnnnniiiiiii"},
    {"AddGrid", "snnnniiiiiiii"},
    {"AddPicture", "spnnnniii"},
    {"AddBarCode", "ssinnnnii"},
    {"AddAnnotation", "ssnnnnsi"},
    {"AddChart", "sinnnn"},
    {"ChartAddSeries", "isi"},
    {"ChartAddData", "insi"},
    {"ChartAddXYData", "nnsi"},
    {"NewPage", "wwiii"},
    {"SetPageNumberToOne", "i"},
};

class RandomReports {
public:
    explicit RandomReports(unsigned seed, std::vector<std::string> pictures)
        : m_random(seed)
        , m_pictures(std::move(pictures))
    {
    }

    Variant argument(char kind)
    {
        switch (kind) {
        case 's':
            return pick<const char*>({"", "Total", "Ünïcödé ✓ 漢字", "\t\r\n", "nan", "-inf", "1E+30", "B", "BIU-S",
                                      "L", "0123456789", "Link", "http://example.com"});
        case 'e':
            return pick<const char*>({"TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)", "STR(_PAGENO, 65535)",
                                      "ALLTRIM(", "'unclosed", ")))(((", "_PAGENO", "STR(_PAGETOTAL,-5)"});
        case 'f':
            return pick<const char*>({"Arial", "", "No Such Font", "Courier New", "Times New Roman"});
        case 'p':
            return m_pictures[index(m_pictures.size())];
        case 'w':
            return pick<double>({8.5, 11, 4, 14, 0, -1, 1e-3, 201, 1e30, kNaN, kInfinity});
        case 'n':
            if (coin())
                return std::uniform_real_distribution<double>(-1, 12)(m_random);
            return pick<double>({0, -1, 1e-30, 1e6, 1e15, -1e15, 1e30, 3.4e38, kNaN, kInfinity, -kInfinity,
                                 2147483647.0, 900, -3600});
        default:
            if (coin())
                return static_cast<int32_t>(std::uniform_int_distribution<int>(0, 12)(m_random));
            return pick<int32_t>({-1, 255, 256, 65535, 0xFFFFFF, 3600, -3600, std::numeric_limits<int32_t>::max(),
                                  std::numeric_limits<int32_t>::min()});
        }
    }

    const TOperation& operation() { return kAddingOperations[index(std::size(kAddingOperations))]; }
    size_t index(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(m_random); }
    bool coin() { return std::uniform_int_distribution<int>(0, 1)(m_random) == 1; }

private:
    template <typename T>
    Variant pick(std::initializer_list<T> values)
    {
        return Variant(*(values.begin() + index(values.size())));
    }

    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();
    std::mt19937 m_random;
    std::vector<std::string> m_pictures;
};

class RandomReportStressTest : public LateBoundControlTest {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }

    // A failed export leaves nothing; a successful one a file that its
    // format's reader opens.
    void expectOutcome(const Variant& result, const QString& name, const std::function<bool(const QString&)>& opens)
    {
        const bool written = result.isNumeric() && result.toInt32() == 0;
        if (!written) {
            EXPECT_FALSE(QFile::exists(file(name))) << name.toStdString() << " after a failure";
            return;
        }
        ASSERT_TRUE(QFile::exists(file(name))) << name.toStdString();
        EXPECT_TRUE(opens(file(name))) << name.toStdString() << " does not open";
        if (name.endsWith(".PDF"))
            pdfs << file(name);
    }

    // Runs an export; an interface failure counts as a failed export.
    static Variant attempt(const std::function<Variant()>& exportIt)
    {
        try {
            return exportIt();
        } catch (const EngineError&) {
            return Variant(int32_t(-1));
        }
    }

    QTemporaryDir dir;
    QStringList pdfs;
};

bool imageOpens(const QString& path)
{
    QImageReader reader(path);
    return !reader.read().isNull();
}

bool tiffOpens(const QString& path)
{
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff)
        return false;
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    std::vector<uint32_t> pixels(size_t(width) * height);
    const bool read = width > 0 && height > 0 && TIFFReadRGBAImage(tiff, width, height, pixels.data(), 0);
    TIFFClose(tiff);
    return read;
}

bool metafileOpens(const QString& path)
{
    QFile emf(path);
    if (!emf.open(QIODevice::ReadOnly))
        return false;
    QImage canvas(64, 64, QImage::Format_RGB32);
    QPainter painter(&canvas);
    return playMetafile(painter, emf.readAll(), QRectF(0, 0, 64, 64));
}

bool pdfBytesComplete(const Variant& stream)
{
    const Variant::Bytes& bytes = stream.bytes();
    const std::string text(bytes.begin(), bytes.end());
    return text.starts_with("%PDF-") && text.find("%%EOF", text.size() > 16 ? text.size() - 16 : 0) != std::string::npos;
}

} // namespace

TEST_F(RandomReportStressTest, RandomReportsExportToEveryFormatOrFailCleanly)
{
    const int reports = environmentNumber("ORV_STRESS_REPORTS", 40);
    const auto seed = static_cast<unsigned>(environmentNumber("ORV_STRESS_SEED", 20261209));
    SCOPED_TRACE("ORV_STRESS_SEED=" + std::to_string(seed));

    // Real pictures, crafted ones and a name that is no file.
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    ASSERT_TRUE(photo.save(file("photo.png")));
    ASSERT_TRUE(photo.save(file("photo.jpg")));
    std::vector<std::string> pictures{file("photo.png").toStdString(), file("photo.jpg").toStdString(),
                                      file("missing.bmp").toStdString()};
    for (const QString& folder : {QStringLiteral("pictures"), QStringLiteral("metafile")}) {
        const QDir seeds(ORV_SOURCE_DIR "/tests/fuzz/corpus/" + folder);
        for (const QString& name : seeds.entryList(QDir::Files))
            pictures.push_back(seeds.filePath(name).toStdString());
    }
    RandomReports random(seed, pictures);

    for (int report = 0; report < reports; ++report) {
        SCOPED_TRACE("report " + std::to_string(report));
        call("ClearAll");
        try {
            put("WatermarkText", random.argument('s'));
            put("CalendarShow", Variant(random.coin()));
        } catch (const EngineError&) {
        }
        const size_t objects = 3 + random.index(10);
        for (size_t i = 0; i < objects; ++i) {
            const TOperation& operation = random.operation();
            std::vector<Variant> arguments;
            for (const char* kind = operation.arguments; *kind; ++kind)
                arguments.push_back(random.argument(*kind));
            try {
                call(operation.name, arguments);
            } catch (const EngineError&) {
                // Refused: the report stays as it was.
            }
        }

        const QString stem = QString("report%1").arg(report);
        Variant pdfName(file(stem).toStdString());
        expectOutcome(attempt([&] { return control.SaveToPDF(pdfName); }), stem + ".PDF", [](const QString&) { return true; });
        const Variant stream = attempt([&] { return control.PDFStream(); });
        if (stream.type() == VarType::Bytes) {
            EXPECT_TRUE(pdfBytesComplete(stream));
        }
        const std::string name = file(stem).toStdString();
        expectOutcome(attempt([&] { return control.SaveToPNG(name, 1); }), stem + ".PNG", imageOpens);
        expectOutcome(attempt([&] { return control.SaveToJPEG(name, 1); }), stem + ".JPG", imageOpens);
        expectOutcome(attempt([&] { return control.SaveToBitmap(name, 1); }), stem + ".BMP", imageOpens);
        expectOutcome(attempt([&] { return control.SaveToTIFF(name); }), stem + ".TIF", tiffOpens);
        expectOutcome(attempt([&] { return control.SaveToMetafile(name, 1); }), stem + ".EMF", metafileOpens);
        attempt([&] { return control.CopyPageToClipboard(1); });
    }

    // Every PDF passes qpdf's check and draws in mutool.
    for (const QString& pdf : pdfs) {
        const auto check = runTool("qpdf", {"--check", pdf});
        EXPECT_EQ(check.exitCode, 0) << pdf.toStdString() << check.out << check.err;
        const auto draw = runTool("mutool", {"draw", "-q", "-r", "9", "-o", file("drawn%d.png"), pdf});
        EXPECT_EQ(draw.exitCode, 0) << pdf.toStdString() << draw.err;
    }
    // Nothing half-written stays behind.
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
        EXPECT_FALSE(name.contains(".~")) << name.toStdString();
}
