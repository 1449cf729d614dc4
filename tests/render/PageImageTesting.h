#pragma once

// Shared by the rendering and export tests: a control to build pages with,
// exported pages read back from their PNG files, and pixel counting.

#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace orv::testing {

inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

inline bool isColour(QRgb pixel, QColor colour, int tolerance = 40)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance && std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Pixels of `area` that satisfy `test`.
inline int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// The smallest rectangle around the pixels of `area` that satisfy `test`.
inline QRect boundsOf(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    QRect bounds;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (test(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Lengths of the runs of ink and gaps along a line of pixels, from the first
// ink to the last.
inline std::vector<int> inkRuns(const QImage& image, QPoint from, QPoint step, int count)
{
    std::vector<bool> ink;
    for (QPoint at = from; count-- > 0; at += step)
        ink.push_back(isInk(image.pixel(at)));
    const auto first = std::find(ink.begin(), ink.end(), true);
    const auto last = std::find(ink.rbegin(), ink.rend(), true).base();
    std::vector<int> runs;
    for (auto it = first; it < last; ++it) {
        if (it == first || *it != *(it - 1))
            runs.push_back(0);
        ++runs.back();
    }
    return runs;
}

inline std::vector<int> rowRuns(const QImage& image, int y, int x0, int x1)
{
    return inkRuns(image, QPoint(x0, y), QPoint(1, 0), x1 - x0 + 1);
}

inline std::vector<int> columnRuns(const QImage& image, int x, int y0, int y1)
{
    return inkRuns(image, QPoint(x, y0), QPoint(0, 1), y1 - y0 + 1);
}

class PageImageTest : public ::testing::Test {
protected:
    // Page n saved through SaveToPNG and read back.
    QImage exportedPage(int32_t page)
    {
        const std::string name = dir.filePath("page-" + QString::number(page)).toStdString();
        const Variant result = control.SaveToPNG(Variant(name), page);
        EXPECT_EQ(result, Variant(0));
        QImage image(QString::fromStdString(name + ".PNG"));
        EXPECT_FALSE(image.isNull()) << name;
        return image.convertToFormat(QImage::Format_RGB32);
    }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    // A one-line text in Arial at (x, y) inches, its base line at y.
    void addText(const char* text, float x, float y, int32_t size, int32_t alignment = 0, int32_t rotation = 0,
                 int32_t colour = 0)
    {
        control.AddText("t", text, x, y, 0, 0, "Arial", size, colour, 0xFFFFFF, "", rotation, 0, alignment, " ");
    }

    QTemporaryDir dir;
    TScriptedUiServices ui;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};
};

} // namespace orv::testing
