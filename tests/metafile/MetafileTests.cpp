#include "metafile/MetafileTesting.h"
#include "render/PageImageTesting.h"

#include "metafile/Dib.h"
#include "metafile/EmfWriter.h"
#include "metafile/MetafilePlayer.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <map>
#include <set>

using namespace orv;
using namespace orv::testing;
namespace emr = orv::gdi::emr;
namespace wmr = orv::gdi::wmr;

namespace {

const QColor kRed(220, 30, 30);
const QColor kBlue(30, 30, 220);

QImage white(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage played(const QByteArray& metafile, QSize size, bool* result = nullptr)
{
    QImage image = white(size);
    QPainter painter(&image);
    const bool ok = playMetafile(painter, metafile, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    if (result)
        *result = ok;
    return image;
}

int count(const QImage& image, QRect area, QColor colour)
{
    return countPixels(image, area, [colour](QRgb p) { return isColour(p, colour); });
}

bool allWhite(const QImage& image)
{
    return countPixels(image, image.rect(), [](QRgb p) { return p != qRgb(255, 255, 255); }) == 0;
}

// A scene with what pages hold: filled and hatched shapes, dashed lines,
// text upright and turned, an image and a clipped figure.
void paintScene(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(kRed);
    painter.drawRect(QRectF(20, 20, 120, 60));
    painter.setBrush(QBrush(kBlue, Qt::DiagCrossPattern));
    painter.drawEllipse(QRectF(160, 20, 100, 80));
    QPen dashed(Qt::darkGreen, 3, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({4, 2});
    painter.setPen(dashed);
    painter.drawLine(QPointF(20, 120), QPointF(280, 120));
    painter.setPen(Qt::black);
    QFont font("Liberation Sans");
    font.setPixelSize(24);
    painter.setFont(font);
    painter.drawText(QPointF(20, 170), "Metafile");
    painter.save();
    painter.translate(290, 250);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), "Turned");
    painter.restore();
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkMagenta);
    painter.drawImage(QRectF(200, 140, 40, 40), image);
    painter.setClipRect(QRectF(20, 200, 50, 50));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::darkCyan);
    painter.drawEllipse(QRectF(0, 180, 120, 120));
}

} // namespace

TEST(EmfWriter, HeaderGivesTheFrameAndTheRecordsFillTheFile)
{
    const QByteArray emf = recordEmf(QSize(816, 1056), 96, [](QPainter& p) { p.fillRect(10, 10, 50, 50, kRed); });
    const std::vector<TEmfRecordView> records = emfRecords(emf);
    ASSERT_GE(records.size(), 2u);
    const TEmfRecordView& header = records.front();
    EXPECT_EQ(header.type, emr::Header);
    EXPECT_EQ(header.u32(40), gdi::kEmfSignature);
    EXPECT_EQ(header.u32(48), uint32_t(emf.size()));
    EXPECT_EQ(header.u32(52), uint32_t(records.size()));
    // A Letter page at 96 dpi: 8.5 x 11 in in hundredths of a millimetre.
    EXPECT_EQ(header.i32(32), 21590);
    EXPECT_EQ(header.i32(36), 27940);
    EXPECT_EQ(header.i32(72), 816);   // reference device: the canvas
    EXPECT_EQ(header.i32(80), 216);   // ... in whole millimetres
    EXPECT_EQ(header.i32(100), 215900); // ... and micrometres
    EXPECT_EQ(records.back().type, emr::Eof);

    const std::optional<TMetafileHeader> read = readMetafileHeader(emf);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->format, MetafileFormat::Enhanced);
    EXPECT_NEAR(read->dpiX, 96, 0.5);
    EXPECT_EQ(metafilePixels(read->frame, 96), QSize(816, 1056));

    EXPECT_TRUE(recordEmf(QSize(0, 10), 96, [](QPainter&) {}).isEmpty());
    EXPECT_TRUE(recordEmf(QSize(1 << 21, 10), 96, [](QPainter&) {}).isEmpty());
}

// A point far to the left is clamped to the most negative int; 16-bit
// points must not take it, nor the other points of its polygon.
TEST(EmfWriter, PointsBeyondSixteenBitsKeepTheLongForm)
{
    const auto polygonTypes = [](const QPolygonF& polygon) {
        std::vector<uint32_t> types;
        const QByteArray emf = recordEmf(QSize(300, 300), 96, [&](QPainter& p) {
            p.setBrush(Qt::black);
            p.drawPolygon(polygon);
        });
        for (const TEmfRecordView& r : emfRecords(emf))
            if (r.type == emr::Polygon || r.type == emr::Polygon16)
                types.push_back(r.type);
        return types;
    };
    EXPECT_EQ(polygonTypes(QPolygonF({QPointF(10, 10), QPointF(90, 10), QPointF(50, 80)})),
              std::vector<uint32_t>{emr::Polygon16});
    EXPECT_EQ(polygonTypes(QPolygonF({QPointF(-1e12, 10), QPointF(90, 10), QPointF(50, 80)})),
              std::vector<uint32_t>{emr::Polygon});

    // A picture spanning far both ways keeps a positive width.
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray emf = recordEmf(QSize(300, 300), 96, [&](QPainter& p) {
        p.drawImage(QRectF(-1e12, 10, 2e12, 20), image);
    });
    int32_t pictures = 0;
    for (const TEmfRecordView& r : emfRecords(emf))
        if (r.type == emr::StretchDIBits) {
            ++pictures;
            EXPECT_GT(r.i32(72), 0) << "the destination's width";
        }
    EXPECT_EQ(pictures, 1);
}

TEST(EmfWriter, ObjectsAreCreatedSelectedAndDeletedInOrder)
{
    const QByteArray emf = recordEmf(QSize(300, 300), 96, paintScene);
    std::set<uint32_t> live;
    std::map<uint32_t, uint32_t> selectedIn; // slot of the object -> kind
    uint32_t created = 0;
    std::vector<uint32_t> hatches, penStyles;
    std::vector<QString> texts;
    std::vector<int32_t> escapements;
    for (const TEmfRecordView& r : emfRecords(emf)) {
        switch (r.type) {
        case emr::ExtCreatePen:
        case emr::CreateBrushIndirect:
        case emr::ExtCreateFontIndirectW:
        case emr::CreateDIBPatternBrushPt:
            EXPECT_FALSE(live.count(r.u32(8))) << "a slot is reused only after deletion";
            live.insert(r.u32(8));
            ++created;
            if (r.type == emr::CreateBrushIndirect && r.u32(12) == gdi::BS_HATCHED)
                hatches.push_back(r.u32(20));
            if (r.type == emr::ExtCreatePen)
                penStyles.push_back(r.u32(28));
            if (r.type == emr::ExtCreateFontIndirectW)
                escapements.push_back(r.i32(20));
            break;
        case emr::SelectObject:
            EXPECT_TRUE((r.u32(8) & gdi::kStockObject) || live.count(r.u32(8))) << "selects a live object";
            break;
        case emr::DeleteObject:
            EXPECT_TRUE(live.erase(r.u32(8))) << "deletes a live object";
            break;
        case emr::ExtTextOutW: {
            const uint32_t length = r.u32(44), at = r.u32(48);
            texts.push_back(QString::fromUtf16(reinterpret_cast<const char16_t*>(r.bytes.constData() + at), length));
            break;
        }
        default:
            break;
        }
    }
    EXPECT_TRUE(live.empty()) << "every object is deleted before the end";
    EXPECT_GE(created, 4u);
    EXPECT_EQ(hatches, std::vector<uint32_t>{gdi::HS_DIAGCROSS});
    EXPECT_TRUE(std::any_of(penStyles.begin(), penStyles.end(),
                            [](uint32_t s) { return (s & gdi::PS_STYLE_MASK) == gdi::PS_USERSTYLE; }));
    EXPECT_EQ(texts, (std::vector<QString>{"Metafile", "Turned"}));
    EXPECT_EQ(escapements, (std::vector<int32_t>{0, 900}));
}

TEST(MetafilePlayer, PlaysOurMetafilesLikeTheDirectDrawing)
{
    const QSize size(300, 300);
    QImage direct = white(size);
    {
        QPainter painter(&direct);
        paintScene(painter);
    }
    const QImage replayed = played(recordEmf(size, 96, paintScene), size);
    EXPECT_LT(differingShare(direct, replayed), 0.02);
    // The clip holds: nothing of the clipped circle outside its square.
    EXPECT_GT(count(replayed, QRect(25, 205, 40, 40), Qt::darkCyan), 1000);
    EXPECT_EQ(count(replayed, QRect(75, 200, 40, 90), Qt::darkCyan), 0);
    // The turned text stands upwards, right of x = 260.
    EXPECT_GT(countPixels(replayed, QRect(262, 140, 30, 112), isInk), 50);
    // Played into half the size, the picture scales with its frame.
    const QImage half = played(recordEmf(size, 96, paintScene), size / 2);
    EXPECT_GT(count(half, QRect(12, 12, 55, 25), kRed), 1000);
}

TEST(MetafilePlayer, PlaceableWmfWithARectangleAndText)
{
    // One inch by half an inch in thousandths of an inch.
    TWmfBuilder wmf;
    wmf.record(wmr::CreateBrushIndirect, {0, 0x1E1E, 0xDC, 0})        // slot 0: solid kBlue
        .record(wmr::SelectObject, {0})
        .record(wmr::CreatePenIndirect, {int(gdi::PS_NULL), 0, 0, 0, 0}) // slot 1
        .record(wmr::SelectObject, {1})
        .record(wmr::Rectangle, {400, 400, 100, 100})
        .record(wmr::CreateFontIndirect, {-150, 0, 0, 0, 700, 0, 0, 0, 0}, "Liberation Sans")
        .record(wmr::SelectObject, {2})
        .record(wmr::SetTextColor, {0x1EDC, 0x1E}) // kRed
        .record(wmr::SetBkMode, {int(gdi::TRANSPARENT)})
        .record(wmr::SetTextAlign, {int(gdi::TA_TOP)})
        .record(wmr::TextOut, {5}, TFields().text("Hello").text(QByteArray(1, '\0')).i16(100).i16(500).bytes());
    const QByteArray file = wmf.build(true, QRect(QPoint(0, 0), QPoint(1000, 500)));

    const std::optional<TMetafileHeader> header = readMetafileHeader(file);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->format, MetafileFormat::Placeable);
    EXPECT_DOUBLE_EQ(header->frame.width(), 2540);
    EXPECT_DOUBLE_EQ(header->frame.height(), 1270);

    // The window of 1000 x 500 units fills 200 x 100 pixels.
    bool ok = false;
    const QImage image = played(file, QSize(200, 100), &ok);
    ASSERT_TRUE(ok);
    EXPECT_GT(count(image, QRect(22, 22, 56, 56), kBlue), 56 * 56 * 9 / 10);
    EXPECT_EQ(count(image, QRect(85, 0, 115, 100), kBlue), 0);
    // Bold red text 30 pixels high, its top at (100, 20).
    const QRect text = boundsOf(image, image.rect(), [](QRgb p) { return isColour(p, kRed, 60); });
    EXPECT_GE(text.left(), 99);
    EXPECT_GE(text.top(), 19);
    EXPECT_LE(text.bottom(), 52);
    EXPECT_GT(text.width(), 40) << "five letters of 30 pixels";
}

TEST(MetafilePlayer, PlainWmfReusesFreedObjectSlotsAndSizesByItsWindow)
{
    TWmfBuilder wmf;
    wmf.record(wmr::SetWindowExt, {100, 200})                         // 200 x 100 units
        .record(wmr::CreateBrushIndirect, {0, 0x00FF, 0, 0})          // slot 0 red
        .record(wmr::CreateBrushIndirect, {0, 0xFF00, 0, 0})          // slot 1 green
        .record(wmr::DeleteObject, {0})
        .record(wmr::CreateBrushIndirect, {0, 0x0000, 0xFF, 0})       // slot 0 again: blue
        .record(wmr::SelectObject, {0})
        .record(wmr::Rectangle, {100, 200, 0, 0});
    const QByteArray file = wmf.build(false);
    const std::optional<TMetafileHeader> header = readMetafileHeader(file);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->format, MetafileFormat::Plain);
    EXPECT_EQ(metafilePixels(header->frame, 96), QSize(200, 100));
    const QImage image = played(file, QSize(100, 50));
    EXPECT_GT(count(image, QRect(5, 5, 90, 40), Qt::blue), 3500);
}

TEST(MetafilePlayer, EmfMappingSavedStatesClipsAndWorldTransforms)
{
    auto brush = [](uint32_t slot, uint32_t colour) {
        return TFields().u32(slot).u32(gdi::BS_SOLID).u32(colour).u32(0);
    };
    auto rect = [](int l, int t, int r, int b) { return TFields().i32(l).i32(t).i32(r).i32(b); };
    TEmfBuilder emf;
    // Logical units of a tenth of a pixel: window 1000 on a viewport of 100.
    emf.record(emr::SetMapMode, TFields().u32(gdi::MM_ANISOTROPIC))
        .record(emr::SetWindowExtEx, TFields().i32(1000).i32(1000))
        .record(emr::SetViewportExtEx, TFields().i32(100).i32(100))
        .record(emr::SelectObject, TFields().u32(gdi::kStockObject | gdi::NullPen))
        .record(emr::CreateBrushIndirect, brush(1, 0x0000FF))
        .record(emr::SelectObject, TFields().u32(1))
        .record(emr::SaveDC)
        .record(emr::CreateBrushIndirect, brush(2, 0xFF0000))
        .record(emr::SelectObject, TFields().u32(2))
        .record(emr::IntersectClipRect, rect(0, 0, 500, 1000))
        .record(emr::Rectangle, rect(0, 0, 1000, 300)) // blue, left half only
        .record(emr::RestoreDC, TFields().i32(-1))
        // Moved 500 units right by the world transform, red again, unclipped.
        .record(emr::SetWorldTransform, TFields().u32(0x3F800000).u32(0).u32(0).u32(0x3F800000).u32(0x43FA0000).u32(0))
        .record(emr::Rectangle, rect(0, 500, 500, 1000));
    bool ok = false;
    const QImage image = played(emf.build(QRect(QPoint(0, 0), QPoint(2645, 2645))), QSize(100, 100), &ok);
    ASSERT_TRUE(ok);
    EXPECT_GT(count(image, QRect(2, 2, 45, 25), Qt::blue), 1000);
    EXPECT_EQ(count(image, QRect(52, 0, 48, 30), Qt::blue), 0) << "clipped";
    EXPECT_GT(count(image, QRect(52, 52, 45, 45), Qt::red), 1800) << "restored brush, moved by the transform";
    EXPECT_EQ(count(image, QRect(0, 52, 48, 48), Qt::red), 0);
}

TEST(MetafilePlayer, BitmapsRoundTripThroughDibs)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(2, 1, qRgb(0, 0, 255));
    const TDib dib = encodeDib(image);
    EXPECT_EQ(dib.bits.size(), 2 * 12) << "rows padded to four bytes";
    const QImage decoded = decodeDib(std::string_view(dib.info.constData(), dib.info.size()),
                                     std::string_view(dib.bits.constData(), dib.bits.size()));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), image);
    EXPECT_TRUE(decodeDib(std::string_view(dib.info.constData(), dib.info.size()),
                          std::string_view(dib.bits.constData(), dib.bits.size() - 1))
                    .isNull())
        << "short rows";
}

TEST(MetafilePlayer, HostileInputDrawsNothingAndNeverCrashes)
{
    const QByteArray good = recordEmf(QSize(60, 40), 96, paintScene);
    // Every truncation of a real file is refused before anything is drawn.
    for (qsizetype length = 0; length < good.size(); length += 7) {
        bool ok = true;
        EXPECT_TRUE(allWhite(played(good.left(length), QSize(60, 40), &ok))) << length;
        EXPECT_FALSE(ok) << length;
    }

    const QRect frame(QPoint(0, 0), QPoint(2645, 2645));
    auto bounds = TFields().i32(0).i32(0).i32(0).i32(0);
    std::vector<std::pair<const char*, QByteArray>> cases;
    // Counts far beyond the record.
    cases.emplace_back("polygon count", TEmfBuilder().record(emr::Polygon16, TFields(bounds).u32(0x7FFFFFFF).i16(1).i16(1)).build(frame));
    cases.emplace_back("polypolygon counts",
                       TEmfBuilder().record(emr::PolyPolygon16, TFields(bounds).u32(2).u32(4).u32(0xFFFFFFFE).u32(6)).build(frame));
    // A bitmap whose offsets point outside the record, and one whose header
    // promises 10^6 x 10^6 pixels.
    cases.emplace_back("bitmap offsets",
                       TEmfBuilder()
                           .record(emr::StretchDIBits, TFields(bounds).i32(0).i32(0).i32(0).i32(0).i32(1).i32(1)
                                                           .u32(0xFFFFFFF0).u32(40).u32(80).u32(4).u32(0)
                                                           .u32(gdi::SRCCOPY).i32(50).i32(50))
                           .build(frame));
    TFields huge(bounds);
    huge.i32(0).i32(0).i32(0).i32(0).i32(1).i32(1).u32(80).u32(40).u32(120).u32(4).u32(0).u32(gdi::SRCCOPY).i32(50).i32(50);
    huge.u32(40).i32(1000000).i32(1000000).u16(1).u16(24).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0xFFFFFFFF).u32(0);
    cases.emplace_back("bitmap size", TEmfBuilder().record(emr::StretchDIBits, huge).build(frame));
    // Objects outside the table, a text whose string lies elsewhere, a
    // degenerate mapping and an endless stack of saved states.
    TEmfBuilder objects;
    objects.record(emr::CreateBrushIndirect, TFields().u32(70000).u32(0).u32(0xFF).u32(0))
        .record(emr::SelectObject, TFields().u32(70000))
        .record(emr::ExtTextOutW, TFields(bounds).u32(1).u32(0).u32(0).i32(10).i32(10).u32(0x40000000).u32(0x7FFFFFF0)
                                      .u32(0).i32(0).i32(0).i32(0).i32(0).u32(0))
        .record(emr::SetWindowExtEx, TFields().i32(0).i32(0))
        .record(emr::SetWorldTransform, TFields().u32(0x7FC00000).u32(0).u32(0).u32(0x7FC00000).u32(0).u32(0));
    for (int i = 0; i < 5000; ++i)
        objects.record(emr::SaveDC);
    objects.record(emr::RestoreDC, TFields().i32(-100000));
    cases.emplace_back("objects and state", objects.build(frame, 4));
    // Text with no characters at an offset past the record, a cell height
    // that overflows when converted, and glyphs stretched a million times.
    TEmfBuilder text;
    text.record(emr::ExtTextOutW, TFields(bounds).u32(1).u32(0).u32(0).i32(10).i32(10).u32(0).u32(0x7FFFFFF0).u32(0)
                                      .i32(0).i32(0).i32(0).i32(0).u32(0))
        .record(emr::ExtCreateFontIndirectW, TFields().u32(1).i32(0x7FFFFFFF).i32(0).i32(0).i32(0).i32(400).u32(0)
                                                 .u32(0).text(QByteArray(64, '\0')))
        .record(emr::SelectObject, TFields().u32(1))
        .record(emr::ExtTextOutW, TFields(bounds).u32(1).u32(0).u32(0).i32(10).i32(10).u32(1).u32(76).u32(0)
                                      .i32(0).i32(0).i32(0).i32(0).u32(0).u16('W').u16(0))
        .record(emr::SetMapMode, TFields().u32(gdi::MM_ANISOTROPIC))
        .record(emr::SetWindowExtEx, TFields().i32(1).i32(1000000))
        .record(emr::SetViewportExtEx, TFields().i32(100).i32(100))
        .record(emr::ExtCreateFontIndirectW, TFields().u32(2).i32(-20000).i32(0).i32(0).i32(0).i32(400).u32(0)
                                                 .u32(0).text(QByteArray(64, '\0')))
        .record(emr::SelectObject, TFields().u32(2))
        .record(emr::ExtTextOutW, TFields(bounds).u32(1).u32(0).u32(0).i32(0).i32(0).u32(1).u32(76).u32(0)
                                      .i32(0).i32(0).i32(0).i32(0).u32(0).u16('W').u16(0));
    cases.emplace_back("text", text.build(frame));
    // A record of size 0 would never advance.
    QByteArray endless = TEmfBuilder().build(frame);
    endless.insert(88, TFields().u32(emr::SaveDC).u32(0).bytes());
    cases.emplace_back("zero-sized record", endless);
    // A WMF record claiming more words than the file has, and a font 2^15 high.
    cases.emplace_back("wmf size", TWmfBuilder().record(wmr::Polygon, {30000, 1, 1}).build(true, QRect(0, 0, 100, 100)));
    cases.emplace_back("wmf font",
                       TWmfBuilder()
                           .record(wmr::CreateFontIndirect, {-32768, 0, 0, 0, 400, 0, 0, 0, 0}, "Liberation Sans")
                           .record(wmr::SelectObject, {0})
                           .record(wmr::TextOut, {2}, TFields().text("Hi").i16(0).i16(0).bytes())
                           .build(true, QRect(0, 0, 100, 100)));

    for (const auto& [name, bytes] : cases) {
        bool ok = false;
        const QImage image = played(bytes, QSize(60, 40), &ok);
        EXPECT_TRUE(allWhite(image)) << name;
    }
    EXPECT_FALSE(metafileFrame(QByteArray("not a metafile at all, just words")));
}

namespace {

class MetafilePictureTest : public PageImageTest {
protected:
    std::string saveMetafile(const char* name, QSize pixels, QColor colour)
    {
        const std::string file = path(name);
        QFile out(QString::fromStdString(file));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(recordEmf(pixels, 96, [&](QPainter& p) { p.fillRect(QRect(QPoint(0, 0), pixels), colour); }));
        return file;
    }

    QRect redBounds(const QImage& page)
    {
        return boundsOf(page, page.rect(), [](QRgb p) { return isColour(p, kRed); });
    }
};

} // namespace

TEST_F(MetafilePictureTest, MetafilePicturesAreFittedOrStretchedLikeBitmaps)
{
    const std::string emf = saveMetafile("wide.EMF", QSize(384, 192), kRed);
    control.AddPicture("p", Variant(emf), 1, 1, 2, 2, 1, 0, 0);
    EXPECT_EQ(redBounds(exportedPage(1)), QRect(96, 96, 192, 96));

    control.NewPage();
    control.AddPicture("p", Variant(emf), 1, 1, 2, 2, 0, 0, 0);
    EXPECT_EQ(redBounds(exportedPage(2)), QRect(96, 96, 192, 192));

    // An enhanced metafile saved under a .WMF name (as clipboard pictures
    // are) is read by its content.
    const std::string renamed = path("clip.WMF");
    QFile::copy(QString::fromStdString(emf), QString::fromStdString(renamed));
    control.NewPage();
    control.AddPicture("p", Variant(renamed), 1, 1, 2, 2, 1, 0, 0);
    EXPECT_EQ(redBounds(exportedPage(3)), QRect(96, 96, 192, 96));
}

TEST_F(MetafilePictureTest, ImageInfoOfEnhancedMetafiles)
{
    const std::string emf = saveMetafile("info.EMF", QSize(384, 192), kRed);
    auto info = [&](int32_t attribute, const std::string& file) {
        return control.GetImageInfo(Variant(attribute), Variant(file));
    };
    EXPECT_EQ(info(1, emf), Variant(int32_t(384)));
    EXPECT_EQ(info(2, emf), Variant(int32_t(192)));
    EXPECT_NEAR(info(3, emf).toDouble(), 96, 0.5);
    EXPECT_EQ(info(5, emf), Variant(int32_t(1)));
    EXPECT_EQ(info(7, emf), Variant(int32_t(2))) << "a metafile";
    EXPECT_EQ(info(8, emf), Variant(int32_t(0x22009)));
    EXPECT_EQ(info(10, emf), Variant(int32_t(0)));
    // .WMF is not among the reported extensions; a broken EMF reports nothing.
    const std::string wmf = path("info.WMF");
    QFile::copy(QString::fromStdString(emf), QString::fromStdString(wmf));
    EXPECT_EQ(info(1, wmf), Variant(int32_t(-1)));
    QFile broken(QString::fromStdString(path("broken.EMF")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(200, 'x'));
    broken.close();
    EXPECT_EQ(info(1, path("broken.EMF")), Variant(int32_t(-1)));
}
