#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>
#include <string>

namespace orv {

// A picture taken from the desktop clipboard: a metafile (image/x-emf or
// image/x-wmf, kept as its bytes) when the clipboard offers one, otherwise a
// bitmap.
class TClipboardPicture {
public:
    // What the clipboard holds now; nothing when it holds neither kind.
    static std::optional<TClipboardPicture> take();

    // The file extension the picture is saved under: ".WMF" or ".BMP". An
    // enhanced metafile keeps the ".WMF" name too; the player reads either
    // kind by its content.
    std::string extension() const;
    // Writes the picture into the file at path; throws when it cannot.
    void saveTo(const std::string& path) const;

private:
    QByteArray m_metafile;
    QImage m_bitmap;
};

// Replaces the clipboard's contents with a page: its enhanced metafile as
// "image/x-emf", its PNG file as "image/png" and the image itself for
// programs that take any bitmap.
void offerPageOnClipboard(const QByteArray& emf, const QByteArray& png, const QImage& image);

} // namespace orv
