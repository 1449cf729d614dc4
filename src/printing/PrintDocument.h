#pragma once

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QPainter>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QPdfWriter;

namespace orv {

struct TPrintJobSettings {
    std::string printer;     // CUPS destination name
    std::string title;       // job name the spooler shows
    std::string outputFile;  // non-empty: the PDF goes to this file instead of the printer
    int32_t devicePpi = 300; // painter units are device pixels at this resolution
    int32_t copies = 1;      // copies the device makes (1 when the job repeats sheets itself)
    bool collate = false;
    bool colour = true;
    int32_t duplex = 1;   // 1 one-sided, 2 two-sided long edge, 3 two-sided short edge
    int32_t paperBin = 0; // 0 automatic; else a bin number (DMBIN_UPPER = 1 ...), passed on
                          // when the printer offers that paper source
};

// The sheet as drawn, already turned for 2 or 8 pages a sheet.
struct TSheetSettings {
    double widthInches = 8.5, heightInches = 11;
};

// The device context of one print job: sheets are drawn with QPainter into
// a vector PDF at the device resolution, each page exactly the size of its
// sheet. On finishing, the PDF is handed to CUPS as one job, or written to
// the output file in place of a printer.
class TPrintDocument {
public:
    explicit TPrintDocument(TPrintJobSettings settings);
    // Aborts an unfinished document.
    ~TPrintDocument();
    TPrintDocument(const TPrintDocument&) = delete;
    TPrintDocument& operator=(const TPrintDocument&) = delete;

    // Starts the document; false, with errorText(), when the printer is not
    // installed or the output file cannot be created.
    bool start();
    // Starts a sheet of this size. The painter works in device pixels with
    // the origin at the top left of the sheet.
    QPainter& startSheet(const TSheetSettings& sheet);
    void endSheet();
    // Ends the document and hands it on; false, with errorText(), when it
    // could not be. A document without sheets hands on nothing.
    bool finish();
    // Ends the document without handing anything on.
    void abort();

    int32_t sheetCount() const { return m_sheetCount; }
    // The CUPS job id once finished; 0 for a file.
    int32_t jobId() const { return m_jobId; }
    const std::string& errorText() const { return m_errorText; }

private:
    // Ends painting and takes the finished PDF.
    QByteArray endDocument();
    bool deliver(std::string_view pdf);
    bool fail(std::string error);

    TPrintJobSettings m_settings;
    QBuffer m_pdf;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::optional<TAtomicFile> m_outputFile;
    int32_t m_sheetCount = 0;
    int32_t m_jobId = 0;
    std::string m_errorText;
};

} // namespace orv
