#pragma once

#include "export/RasterExport.h"

#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class TReport;

// The picture files the Save As Image dialog writes.
enum class ImageFileType { Bmp, Emf, Gif, Jpeg, Png, Tiff };

// ".BMP", ".EMF", ".GIF", ".JPG", ".PNG" or ".TIF".
const char* imageFileExtension(ImageFileType type);

// The file of one page in a set of page files: the name without its
// extension, "-", the page number padded with zeros to as many digits as
// the page count needs (at least two), and the extension. Page 7 of
// "Report.JPG" in a 40-page report is "Report-07.JPG".
std::string numberedFileName(const std::string& fileName, int32_t pageNumber, int32_t pageCount);

// The size in pixels of the picture that starts with report page
// `firstPage`: its sheet (the page, turned for 2 and 8 pages a sheet) at
// 96 pixels per inch times `scale`.
QSize imageSetSheetSize(const TReport& report, int32_t firstPage, int32_t pagesPerSheet, double scale);

struct TImageSetRequest {
    std::string fileName; // its extension is replaced by the type's own
    ImageFileType type = ImageFileType::Jpeg;
    int32_t firstPage = 1, lastPage = 1; // within the report, first <= last
    double scale = 1.0;                  // 1.0: 96 pixels per inch
    int32_t pagesPerSheet = 1;           // 1, 2, 4 or 8 pages on each image
    bool multiPageTiff = false;          // TIFF: every sheet in one file
    TRasterOptions options;
};

// Told after each image is written; asked whether to stop before the next.
class IImageSetProgress {
public:
    virtual ~IImageSetProgress() = default;
    virtual void sheetSaved(int32_t done, int32_t total) = 0;
    virtual bool stopRequested() = 0;
};

struct TImageSetResult {
    std::vector<std::string> files; // written, in page order
    bool stopped = false;           // the progress asked to stop early
};

// Writes pages firstPage..lastPage as pictures at the request's scale, as
// many report pages on each picture as pagesPerSheet asks, laid out as on
// a printed sheet. One sheet goes to the file name itself; several go to
// numbered files (numberedFileName, by the first page of each sheet), or
// into one multi-page TIFF. A stop leaves the files written so far (a
// multi-page TIFF holds the sheets done). Throws when a page cannot be
// rendered or written; the files already written stay.
TImageSetResult saveImageSet(const TReport& report, const TImageSetRequest& request,
                             IImageSetProgress* progress = nullptr);

// Removes the files of a set.
void deleteImageFiles(const TImageSetResult& result);

} // namespace orv
