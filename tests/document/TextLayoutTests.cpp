#include "document/AdvanceCache.h"
#include "document/FontTables.h"
#include "document/Report.h"
#include "document/TextLayout.h"
#include "document/TextObjects.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace orv;

namespace {

// Words of printable Latin-1, Greek and Cyrillic with the pairs fonts kern
// and ligate (AV, To, Ту, fi, ffl), now and then a character that needs
// shaping (combining marks, Hebrew, Arabic, Greek, CJK), a tab or a hard
// line break.
class TRandomText {
public:
    explicit TRandomText(uint32_t seed) : m_random(seed) {}

    std::u32string next()
    {
        static const std::u32string kWords[] = {
            U"AVATAR", U"Toward", U"office", U"waffle", U"fjord", U"caf\u00e9", U"r\u00e9sum\u00e9", U"12,345.67",
            U"Yes,", U"LT", U"\u00bfQu\u00e9?", U"W.A.V.", U"ff", U"fi", U"fl", U"ffi", U"\u00c6sop", U"\u00df",
            U"quarterly", U"i", U"(x)", U"--", U"\"q\"", U"f", U"y.", U"11111", U"MMMMMM", U"lj",
            U"\u041a\u0432\u0430\u0440\u0442\u0430\u043b", U"\u0422\u0443", U"\u0413\u041e\u0414", U"\u0451\u0436",
            U"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1", U"\u0391\u03a5\u03a4\u039f"};
        static const std::u32string kRare[] = {U"e\u0301", U"\u05e9\u05dc\u05d5\u05dd", U"\u0645\u0631\u062d\u0628\u0627",
                                               U"\u03b1\u03b2\u03b3", U"\u4e2d\u6587", U"\t", U"\r\n", U"\n",
                                               U"\u00ad", U"\u00a0", U"\u2028", U"x\u200bx"};
        std::u32string text;
        const int words = pick(1, 24);
        for (int i = 0; i < words; ++i) {
            if (i > 0)
                text += pick(0, 6) == 0 ? U"  " : U" ";
            text += pick(0, 14) == 0 ? kRare[pick(0, std::size(kRare) - 1)] : kWords[pick(0, std::size(kWords) - 1)];
        }
        if (pick(0, 8) == 0)
            text += U" ";
        return text;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    std::mt19937 m_random;
};

struct FontChoice {
    const char* family;
    uint8_t style;
};

const FontChoice kFonts[] = {{"Arial", 0},           {"Arial", kStyleBold},        {"Times New Roman", kStyleItalic},
                             {"Courier New", 0},     {"DejaVu Sans", 0},           {"Lato", 0},
                             {"Lato", kStyleItalic}, {"FreeSerif", kStyleBold | kStyleItalic}, {"Liberation Serif", 0}};

std::vector<int32_t> lineLengths(const std::vector<TLineFitter::Fit>& fits)
{
    std::vector<int32_t> lengths;
    for (const TLineFitter::Fit& fit : fits)
        lengths.push_back(fit.characters);
    return lengths;
}

} // namespace

// Lines measured from cached advances break exactly where QTextLayout
// breaks them, in boxes far wider than the text, about as wide and
// narrower, for every trimming.
TEST(TextLayoutFastPath, BreaksExactlyAsTheFullLayout)
{
    TRandomText random(20261209);
    TAdvanceCaches caches;
    int cases = 0;
    int nearTheEdge = 0;
    for (const FontChoice& choice : kFonts) {
        for (int round = 0; round < 250; ++round) {
            const int32_t points = random.pick(5, 40);
            TAdvanceCache& cache = caches.forFont(choice.family, points, choice.style);
            const std::u32string text = random.next();
            const double natural =
                QFontMetricsF(cache.font()).horizontalAdvance(QString::fromStdU32String(text));
            // Widths within two pixels of the text's own, then anywhere.
            const double width = round % 2 == 0 ? natural + random.pick(-200, 200) / 100.0
                                                : random.pick(1, 1600) / 2.0;
            if (std::abs(width - natural) < 2)
                ++nearTheEdge;
            for (const TTrimming trimming : {TTrimming::Word, TTrimming::Character, TTrimming::None}) {
                const TLineFitter full(cache.font(), trimming);
                const TLineFitter fast(cache, trimming);
                const int32_t maxLines = random.pick(0, 3);
                EXPECT_EQ(lineLengths(fast.fitLines(text, width, maxLines)),
                          lineLengths(full.fitLines(text, width, maxLines)))
                    << choice.family << ' ' << points << "pt style " << int(choice.style) << " width " << width
                    << ": " << QString::fromStdU32String(text).toStdString();
                ++cases;
            }
        }
    }
    EXPECT_GE(cases, 6000);
    EXPECT_GE(nearTheEdge, 900);
}

// A cached line's width stays within a pixel of the laid-out one, and a
// line no cache can measure (outside Latin-1, tabs, line breaks) says so.
TEST(TextLayoutFastPath, CachedWidthsAreCloseAndShapedTextIsLeftToTheLayout)
{
    TAdvanceCaches caches;
    TAdvanceCache& cache = caches.forFont("Arial", 10, 0);
    for (const std::u32string text : {U"The quarterly figures for the caf\u00e9", U"AVATAR Toward WAVE", U"office waffle"}) {
        const std::optional<TAdvanceCache::Extent> extent = cache.measure(text);
        ASSERT_TRUE(extent);
        const double laidOut = QFontMetricsF(cache.font()).horizontalAdvance(QString::fromStdU32String(text));
        EXPECT_NEAR(extent->advance, laidOut, 1.0 / 64 * text.size());
    }
    // Kerning is counted: "AV" is narrower than its two letters apart.
    EXPECT_LT(cache.measure(U"AV")->advance, cache.measure(U"A")->advance + cache.measure(U"V")->advance);
    for (const std::u32string text : {U"tab\there", U"line\n", U"e\u0301", U"\u05e9\u05dc", U"soft\u00adhyphen", U"\u4e2d"})
        EXPECT_FALSE(cache.measure(text)) << QString::fromStdU32String(text).toStdString();
    // The same font, size and style share one cache.
    EXPECT_EQ(&caches.forFont("Arial", 10, 0), &cache);
    EXPECT_NE(&caches.forFont("Arial", 10, kStyleBold), &cache);
}

// Through the report: text objects keep the same line ends and a text's
// measured height is the same whether or not its lines came from the cache.
TEST(TextLayoutFastPath, ReportLayoutAndTextHeightMatchTheFullLayout)
{
    TRandomText random(7);
    TReport report;
    for (int i = 0; i < 400; ++i) {
        const std::u32string text = random.next();
        const std::string utf8 = QString::fromStdU32String(text).toStdString();
        const int32_t width = random.pick(1, 7);
        report.DefaultFontSize = static_cast<int16_t>(random.pick(6, 30));

        const QFont font = screenFont(report.DefaultFontName, report.DefaultFontSize, 0);
        const auto fullLines = TLineFitter(font, TTrimming::Word).fitLines(text, width * 96.0);
        const int32_t expectedHeight =
            std::max<int32_t>(1, static_cast<int32_t>(fullLines.size())) * std::ceil(QFontMetricsF(font).height());
        EXPECT_EQ(measureTextHeight(report, width, utf8, 0, 96), expectedHeight) << utf8;

        TTextArguments args;
        args.text = utf8;
        args.hPos = 0.5f;
        args.vPos = 1;
        args.width = static_cast<float>(width);
        args.height = 100;
        args.fontName = "Arial";
        args.fontSize = report.DefaultFontSize;
        addText(report, args, 96);
        const TReportObject& object = report.drawPage().Objects.back();
        std::vector<int16_t> expectedEnds;
        size_t start = 0;
        for (const TLineFitter::Fit& fit : TLineFitter(font, TTrimming::Word).fitLines(text, object.Width / 10000.0 * 96)) {
            start += fit.characters;
            expectedEnds.push_back(static_cast<int16_t>(std::min(text.size(), start + 1)));
        }
        EXPECT_EQ(object.LineEnds, expectedEnds) << utf8;
    }
}
