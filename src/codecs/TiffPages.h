#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>

struct tiff; // libtiff's TIFF

namespace orv {

// What one page of a TIFF file holds, from its tags.
struct TTiffPageInfo {
    int32_t width = 0;
    int32_t height = 0;
    double dpiX = 0, dpiY = 0; // 0 when the file names no resolution
    int32_t bitsPerSample = 1;
    int32_t samplesPerPixel = 1;
    int32_t paletteColours = 0; // colours of a palette image, else 0
    bool hasAlpha = false;
};

// Reads pages of multi-page TIFF files through libtiff. Files libtiff cannot
// read give no page; libtiff's complaints about them are kept off stderr.
class TTiffFile {
public:
    explicit TTiffFile(const QString& path);
    ~TTiffFile();
    TTiffFile(const TTiffFile&) = delete;
    TTiffFile& operator=(const TTiffFile&) = delete;

    bool isOpen() const { return m_tiff != nullptr; }
    int32_t pageCount() const;
    // Page `index` (0-based); nothing when there is no such page or it
    // cannot be decoded.
    std::optional<TTiffPageInfo> pageInfo(int32_t index);
    // The page decoded at decodedSize(its size, `shown`): a big page is read
    // a band of rows at a time and sampled down, never held whole.
    QImage page(int32_t index, QSize shown = {});

private:
    bool select(int32_t index);
    bool readSampled(QImage& image, QSize full);

    ::tiff* m_tiff = nullptr;
};

} // namespace orv
