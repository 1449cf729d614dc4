#pragma once

#include <QByteArray>

#include <cstdint>
#include <string>

namespace orv {

class TReport;
class TUiServices;

// Page `pageNumber` as an enhanced metafile: the page recorded at actual
// size (96 pixels per inch, on white paper) and written as EMF records.
// Throws when the page cannot be recorded.
QByteArray pageMetafile(const TReport& report, int32_t pageNumber);

// Writes the page (see exportedPage) as an ".EMF" file under `fileName`
// with its extension replaced. Returns 0, or -1 when the file was to be
// opened and does not exist. Throws when writing fails; no partial file is
// left then.
int32_t savePageMetafile(const TReport& report, TUiServices& ui, const std::string& fileName, int32_t pageNumber,
                         bool openFile);

// Puts a page on the clipboard as "image/x-emf" and "image/png". Page 0 or
// less means page 1, a number past the end the last page.
void copyPageToClipboard(const TReport& report, int32_t pageNumber);

} // namespace orv
