#pragma once

#include "document/PageRange.h"
#include "export/RasterExport.h"

#include <QImage>

#include <cstdint>
#include <string>

namespace orv {

class TReport;
class TUiServices;

// The page an export takes: a number above 0 means that page (at most the
// last one); 0 or less means the page the viewer shows.
int32_t exportedPage(const TReport& report, int32_t pageNumber);

// The pages of a range given in either order, each end held to the report;
// both ends 0 (or none above 0) mean the page the viewer shows, and a start
// of 0 or less starts there.
TPageRange exportedPageRange(const TReport& report, int32_t start, int32_t end);

// The result of a saving operation: 0, or -1 when the file was to be opened
// and is not there; a file that is there is opened with the desktop's
// "open" action when asked.
int32_t openWhenAsked(TUiServices& ui, const std::string& path, bool openFile);

// A white image of `size` for a picture of page `pageNumber`. Throws when
// the size is empty or too large to hold in memory.
QImage whitePaperImage(QSize size, int32_t pageNumber);

// Page `pageNumber` as an image: the page recorded once at actual size (96
// pixels per inch, on white paper) and played onto an image of the
// thumbnail size (see thumbnailSize). Throws when the image cannot be made.
QImage pageImage(const TReport& report, int32_t pageNumber, int32_t thumbnail);

enum class PageImageFormat { Jpeg, Bitmap, Png };

struct TPageImageRequest {
    std::string fileName; // its extension is replaced by the format's own
    int32_t pageNumber = 0;
    bool openFile = false; // open the written file with the desktop's "open" action
    int32_t thumbnail = 0;
    TRasterOptions options;
};

// Writes one page as a JPEG (.JPG), bitmap (.BMP) or PNG (.PNG) file.
// Returns 0, or -1 when the file was to be opened and does not exist.
// Throws when rendering or writing fails; no partial file is left then.
int32_t savePageImage(const TReport& report, TUiServices& ui, PageImageFormat format,
                      const TPageImageRequest& request);

struct TTiffRequest {
    std::string fileName; // its extension is replaced by ".TIF"
    int32_t startPage = 0, endPage = 0;
    bool openFile = false;
    int32_t thumbnail = 0;
    TRasterOptions options; // compression and depth apply to every page
};

// Writes a range of pages (see exportedPageRange) into one TIFF file, a page
// per directory. Results and failures as savePageImage.
int32_t savePagesAsTiff(const TReport& report, TUiServices& ui, const TTiffRequest& request);

} // namespace orv
