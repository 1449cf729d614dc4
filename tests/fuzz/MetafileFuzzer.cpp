// Plays arbitrary bytes as a metafile onto a small image: the player must
// neither crash, nor read outside the data, nor run away with memory or time.

#include "metafile/MetafilePlayer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Text needs fonts, and fonts need a GUI application.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<QSizeF> frame = orv::metafileFrame(bytes))
        orv::metafilePixels(*frame, 96);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    orv::playMetafile(painter, bytes, QRectF(0, 0, 64, 48));
    return 0;
}
