#include "pictures/PictureDrawer.h"

#include "document/ReportObject.h"
#include "surface/DrawingSurface.h"
#include "metafile/MetafilePlayer.h"
#include "pictures/PictureFile.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {


// TIFF, PNG and GIF go through the advanced imaging path, which positions
// pictures on paper and in exported pages in hundredths of an inch.
bool usesAdvancedImaging(const QString& path)
{
    const QString extension = upperExtension(path);
    return extension == ".TIF" || extension == ".PNG" || extension == ".GIF";
}

// Whole hundredths, kept as a double: a box 2^30 pixels wide at one dot per
// inch has more of them than an int holds.
double toHundredths(int32_t pixels, int dpi)
{
    return std::trunc(double(pixels) / dpi * 100);
}

QRectF inHundredthsOfAnInch(const QRect& box, const QPaintDevice& device)
{
    const int dpiX = std::max(device.logicalDpiX(), 1), dpiY = std::max(device.logicalDpiY(), 1);
    return QRectF(toHundredths(box.x(), dpiX) * dpiX / 100.0, toHundredths(box.y(), dpiY) * dpiY / 100.0,
                  toHundredths(box.width(), dpiX) * dpiX / 100.0, toHundredths(box.height(), dpiY) * dpiY / 100.0);
}

// A metafile fits by its frame at the screen's 96 pixels per inch, the size
// it would have as a bitmap; only its proportions matter for the fit.
void drawMetafile(TDrawingSurface& surface, const QString& path, const TReportObject& object, const QRect& box,
                  double penScale)
{
    const QByteArray bytes = readMetafileBytes(path);
    const std::optional<TMetafileHeader> header = readMetafileHeader(bytes);
    if (!header)
        return;
    const QRect target = object.imageScaling() == TImageScaling::FitProportionally
                             ? fittedPictureBox(box, metafilePixels(header->frame, 96), penScale)
                             : box;
    TDrawingSurface::TStateGuard guard(surface);
    playMetafile(surface.painter(), bytes, QRectF(target));
}

// The device pixels a box covers through the painter's transform, so that a
// big picture is decoded no larger than the target shows it.
QSize devicePixels(const QPainter& painter, const QRect& box)
{
    constexpr double kLargestSide = 1 << 20;
    const QSizeF covered = painter.worldTransform().mapRect(QRectF(box)).size();
    auto side = [&](double pixels) { return static_cast<int>(std::ceil(std::clamp(pixels, 1.0, kLargestSide))); };
    return QSize(side(covered.width()), side(covered.height()));
}

} // namespace

QRect fittedPictureBox(const QRect& box, QSize imagePixels, double penScale)
{
    const double scaledWidth = imagePixels.width() * penScale, scaledHeight = imagePixels.height() * penScale;
    if (scaledWidth <= 0 || scaledHeight <= 0)
        return QRect(box.topLeft(), QSize(0, 0));
    const float fx = static_cast<float>(box.width() / scaledWidth);
    const float fy = static_cast<float>(box.height() / scaledHeight);
    const float f = std::min(fx, fy);
    return QRect(box.x(), box.y(), static_cast<int>(std::trunc(scaledWidth * f)),
                 static_cast<int>(std::trunc(scaledHeight * f)));
}

void drawPictureObject(TDrawingSurface& surface, const TReportObject& object, const QRect& box,
                       const TPictureDrawing& drawing)
{
    const std::optional<QString> path = locatePictureFile(object.Text);
    if (!path)
        return;
    if (pictureKindOf(*path) == PictureKind::Metafile) {
        drawMetafile(surface, *path, object, box, drawing.penScale);
        return;
    }
    const bool advanced = usesAdvancedImaging(*path);
    if (advanced && !drawing.advancedImaging)
        return;
    TJpegDecoding jpeg;
    jpeg.reduction = drawing.jpegReduction;
    jpeg.favourSpeed = drawing.target == RenderTarget::Screen;
    const QImage image =
        loadPicture(*path, std::max<int32_t>(object.LineCount - 1, 0), jpeg, devicePixels(surface.painter(), box));
    if (image.isNull())
        return;

    // A reduced JPEG keeps its proportions, so it takes the same rectangle.
    const QRect target =
        object.imageScaling() == TImageScaling::FitProportionally ? fittedPictureBox(box, image.size(), drawing.penScale) : box;
    QPainter& painter = surface.painter();
    TDrawingSurface::TStateGuard guard(surface);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (advanced && drawing.target != RenderTarget::Screen && painter.device())
        painter.drawImage(inHundredthsOfAnInch(target, *painter.device()), image);
    else
        painter.drawImage(QRectF(target), image);
}

} // namespace orv
