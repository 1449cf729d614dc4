// Decodes arbitrary bytes as every kind of picture file the engine reads:
// the bytes are written under each extension and loaded as a picture
// object's file would be.

#include "pictures/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> folder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* name : {"p.tif", "p.jpg", "p.gif", "p.bmp", "p.png", "p.ico"}) {
        const QString path = folder->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
        file.close();
        // The second page of a TIFF and the reduced JPEG decoding take
        // their own paths through the decoders.
        orv::loadPicture(path, 1, orv::TJpegDecoding{});
        orv::TJpegDecoding reduced;
        reduced.reduction = 2;
        orv::loadPicture(path, 0, reduced);
    }
    return 0;
}
