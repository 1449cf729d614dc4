#include "platform/ClipboardPicture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include <stdexcept>

namespace orv {

std::optional<TClipboardPicture> TClipboardPicture::take()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return std::nullopt;
    TClipboardPicture picture;
    for (const char* format : {"image/x-emf", "image/x-wmf"}) {
        picture.m_metafile = data->data(QString::fromLatin1(format));
        if (!picture.m_metafile.isEmpty())
            return picture;
    }
    if (data->hasImage())
        picture.m_bitmap = qvariant_cast<QImage>(data->imageData());
    if (picture.m_bitmap.isNull())
        return std::nullopt;
    return picture;
}

std::string TClipboardPicture::extension() const { return m_metafile.isEmpty() ? ".BMP" : ".WMF"; }

void TClipboardPicture::saveTo(const std::string& path) const
{
    QFile file(QString::fromStdString(path));
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (written && m_metafile.isEmpty())
        written = m_bitmap.save(&file, "BMP");
    else if (written)
        written = file.write(m_metafile) == m_metafile.size();
    if (!written || !file.flush())
        throw std::runtime_error("Cannot write the clipboard picture to " + path);
}

void offerPageOnClipboard(const QByteArray& emf, const QByteArray& png, const QImage& image)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/x-emf"), emf);
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns it
}

} // namespace orv
