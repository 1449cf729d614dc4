// QPainter drawings written into a PDF page as vectors, checked with poppler
// (pdftoppm, pdftotext) and qpdf.

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfObjects.h"
#include "pdf/PdfPainter.h"

#include "PdfTestSupport.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <gtest/gtest.h>

using namespace orv;
using namespace orv::pdftest;

namespace {

bool near(QRgb pixel, QColor colour)
{
    return std::abs(qRed(pixel) - colour.red()) < 40 && std::abs(qGreen(pixel) - colour.green()) < 40 &&
           std::abs(qBlue(pixel) - colour.blue()) < 40;
}

// A Letter page whose drawing area is 4 x 2 inches at (1, 1) inch from the
// top-left corner: 384 x 192 device pixels at 96 an inch.
class PdfPainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Settings = fixedSettings();
        doc.Settings.StreamCompression = false;
        doc.startDocument();
        doc.addPage();
        area.pageBox = QRectF(72, 792 - 72 - 144, 288, 144);
        area.pixels = QSize(384, 192);
        area.nextImageName = [this] { return "pic" + std::to_string(images++); };
    }

    std::string content() { return doc.canvas().page().lookupAs<TPdfStream>("Contents")->data(); }

    QString saved()
    {
        const QString file = scratch.write("painted.pdf", doc.save());
        const ToolResult check = runTool("qpdf", {"--check", file});
        EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        return file;
    }

    // The page at 96 pixels an inch: device pixels of the area land on page
    // pixels 96 further right and down.
    QImage rendered(const QString& file)
    {
        runTool("pdftoppm", {"-png", "-r", "96", "-singlefile", file, scratch.path("painted")});
        return QImage(scratch.path("painted.png")).convertToFormat(QImage::Format_RGB32);
    }

    TPdfDoc doc;
    TPdfPaintArea area;
    int images = 0;
    TScratchDir scratch;
};

} // namespace

TEST_F(PdfPainterTest, PathsPensAndClipsLandWhereTheDeviceDrewThem)
{
    paintOnPdfCanvas(doc.canvas(), area, [](QPainter& painter) {
        painter.fillRect(QRect(0, 0, 100, 50), Qt::red);
        painter.setPen(QPen(Qt::blue, 4, Qt::DashLine));
        painter.drawLine(0, 150, 380, 150);
        painter.setClipRect(QRect(200, 0, 50, 100));
        painter.fillRect(QRect(150, 0, 200, 190), QColor(0, 160, 0));
    });
    const std::string ops = content();
    EXPECT_NE(ops.find("1 0 0 rg"), std::string::npos) << ops;
    EXPECT_NE(ops.find(" d\n"), std::string::npos) << ops; // the dash pattern
    EXPECT_NE(ops.find("W\nn\n"), std::string::npos) << ops;

    const QImage page = rendered(saved());
    EXPECT_TRUE(near(page.pixel(96 + 50, 96 + 25), Qt::red));
    EXPECT_TRUE(near(page.pixel(96 + 110, 96 + 25), Qt::white));
    // Green only inside the clip.
    EXPECT_TRUE(near(page.pixel(96 + 225, 96 + 50), QColor(0, 160, 0)));
    EXPECT_TRUE(near(page.pixel(96 + 175, 96 + 50), Qt::white));
    EXPECT_TRUE(near(page.pixel(96 + 225, 96 + 120), Qt::white));
    // The dashed line has blue dashes and gaps along it.
    int blue = 0, white = 0;
    for (int x = 96; x < 96 + 380; ++x) {
        blue += near(page.pixel(x, 96 + 150), Qt::blue) ? 1 : 0;
        white += near(page.pixel(x, 96 + 150), Qt::white) ? 1 : 0;
    }
    EXPECT_GT(blue, 100);
    EXPECT_GT(white, 50);
}

TEST_F(PdfPainterTest, TextStaysTextAndTurnsWithThePainter)
{
    paintOnPdfCanvas(doc.canvas(), area, [](QPainter& painter) {
        QFont font("Arial");
        font.setPixelSize(24);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(10, 40), "Upright");
        painter.translate(300, 180);
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), "Turned");
    });
    const std::string ops = content();
    // 24 pixels at 96 an inch are 18 points; the turned text gets its matrix.
    EXPECT_NE(ops.find("18 Tf\n(Upright) Tj"), std::string::npos) << ops;
    EXPECT_NE(ops.find("0 1 -0.99 0 297 585 Tm"), std::string::npos) << ops;
    const QString file = saved();
    const std::string text = runTool("pdftotext", {file, "-"}).out;
    EXPECT_NE(text.find("Upright"), std::string::npos) << text;
    EXPECT_NE(text.find("Turned"), std::string::npos) << text;
}

TEST_F(PdfPainterTest, WhatOnlyPixelsShowBecomesAnImageWithItsTransparency)
{
    paintOnPdfCanvas(doc.canvas(), area, [](QPainter& painter) {
        QLinearGradient fade(0, 0, 200, 0);
        fade.setColorAt(0, Qt::yellow);
        fade.setColorAt(1, Qt::red);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fade);
        painter.drawEllipse(QRect(0, 0, 200, 100));
    });
    EXPECT_EQ(images, 1);
    const std::string pdf = doc.save();
    EXPECT_NE(pdf.find("/SMask"), std::string::npos);
    EXPECT_NE(content().find("/pic0 Do"), std::string::npos);
    const QImage page = rendered(scratch.write("gradient.pdf", pdf));
    // The ellipse's middle is coloured, the box's corner shows the paper.
    EXPECT_FALSE(near(page.pixel(96 + 100, 96 + 50), Qt::white));
    EXPECT_TRUE(near(page.pixel(96 + 2, 96 + 2), Qt::white));
}

TEST_F(PdfPainterTest, AnEmptyAreaDrawsNothing)
{
    area.pixels = QSize(0, 10);
    bool painted = false;
    paintOnPdfCanvas(doc.canvas(), area, [&](QPainter&) { painted = true; });
    EXPECT_FALSE(painted);
    EXPECT_EQ(content(), "/F0 10 Tf\n");
}
