#pragma once

#include <string>

namespace orv {

class IPdfExportProgress;
class IPdfOptionsDialog;
class TReport;
class TUiServices;

// The Save to PDF button: the options dialog (whose values go back into
// the report however it closes), then, when the user chose Save with a file
// name, the file export in toolbar mode with the progress window: the
// report's confirmation and open-after-create settings apply, a cancelled
// export leaves no file. Returns the file written, empty when none was.
std::string runPdfToolbarExport(TReport& report, TUiServices& ui, IPdfOptionsDialog& dialog,
                                IPdfExportProgress* progress);

} // namespace orv
