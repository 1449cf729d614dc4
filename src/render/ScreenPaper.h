#pragma once

#include <cstdint>

namespace orv {

class TDrawingSurface;
class TReport;
struct TPageObject;
struct TScreenView;

// What a preview page control draws besides the page's own content: the
// paper (colour, border, ruled or banded style) under it, and the design
// grid and the printer margins over it. These follow the zoom alone.
void paintPaper(TDrawingSurface& surface, const TReport& report, const TPageObject& page, const TScreenView& view);
void paintDesignGrid(TDrawingSurface& surface, const TReport& report, const TPageObject& page,
                     const TScreenView& view);
void paintPrinterMargins(TDrawingSurface& surface, const TReport& report, const TPageObject& page,
                         const TScreenView& view);

} // namespace orv
