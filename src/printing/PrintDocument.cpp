#include "printing/PrintDocument.h"

#include "printing/PrinterServices.h"

#include <QPageLayout>
#include <QPdfWriter>

#include <string>
#include <utility>
#include <vector>

namespace orv {

namespace {

// The print system's names (media-source keywords) for the bin numbers
// hosts choose paper sources by: upper, lower, middle, manual feed,
// envelope, automatic, large capacity. Other bins are left to the printer.
constexpr std::pair<int32_t, const char*> kPaperSources[] = {
    {1, "top"}, {2, "bottom"}, {3, "middle"}, {4, "manual"}, {5, "envelope"}, {7, "auto"}, {11, "large-capacity"},
};

const char* paperSource(int32_t bin)
{
    for (const auto& [number, name] : kPaperSources)
        if (number == bin)
            return name;
    return nullptr;
}

const char* sides(int32_t duplex)
{
    switch (duplex) {
    case 2:
        return "two-sided-long-edge";
    case 3:
        return "two-sided-short-edge";
    default:
        return "one-sided";
    }
}

std::vector<TJobOption> jobOptions(const TPrintJobSettings& settings)
{
    std::vector<TJobOption> options;
    if (settings.copies > 1) {
        options.push_back({"copies", std::to_string(settings.copies)});
        options.push_back({"multiple-document-handling", settings.collate ? "separate-documents-collated-copies"
                                                                           : "separate-documents-uncollated-copies"});
    }
    options.push_back({"sides", sides(settings.duplex)});
    options.push_back({"print-color-mode", settings.colour ? "color" : "monochrome"});
    if (const char* source = paperSource(settings.paperBin))
        options.push_back({"media-source", source});
    return options;
}

// A page exactly the size of the sheet, turned or not, with no margins.
QPageLayout sheetLayout(const TSheetSettings& sheet)
{
    return QPageLayout(QPageSize(QSizeF(sheet.widthInches, sheet.heightInches), QPageSize::Inch, QString(),
                                 QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF());
}

} // namespace

TPrintDocument::TPrintDocument(TPrintJobSettings settings) : m_settings(std::move(settings)) {}

TPrintDocument::~TPrintDocument()
{
    abort();
}

bool TPrintDocument::start()
{
    if (!m_settings.outputFile.empty()) {
        try {
            m_outputFile.emplace(m_settings.outputFile);
        } catch (const std::exception& error) {
            return fail(error.what());
        }
    } else if (!printerInstalled(m_settings.printer)) {
        return fail("The printer \"" + m_settings.printer + "\" is not installed");
    }
    m_pdf.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_pdf);
    m_writer->setResolution(m_settings.devicePpi);
    m_writer->setTitle(QString::fromStdString(m_settings.title));
    return true;
}

QPainter& TPrintDocument::startSheet(const TSheetSettings& sheet)
{
    // The layout set before a new page is the layout of that page.
    m_writer->setPageLayout(sheetLayout(sheet));
    if (m_painter.isActive())
        m_writer->newPage();
    else
        m_painter.begin(m_writer.get());
    // Each sheet starts from a fresh painter state, whatever the last one left.
    m_painter.save();
    ++m_sheetCount;
    return m_painter;
}

void TPrintDocument::endSheet()
{
    m_painter.restore();
}

bool TPrintDocument::finish()
{
    const QByteArray pdf = endDocument();
    if (m_sheetCount == 0) {
        m_outputFile.reset();
        return true;
    }
    return deliver(std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
}

void TPrintDocument::abort()
{
    endDocument();
    m_outputFile.reset();
}

QByteArray TPrintDocument::endDocument()
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    m_pdf.close();
    return std::exchange(m_pdf.buffer(), QByteArray());
}

bool TPrintDocument::deliver(std::string_view pdf)
{
    if (m_outputFile) {
        std::string error;
        try {
            m_outputFile->write(pdf);
            m_outputFile->commit();
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        m_outputFile.reset(); // removes the temporary file unless it was committed
        return error.empty() || fail(error);
    }
    const TSubmittedJob job = submitPdfJob(m_settings.printer, m_settings.title, jobOptions(m_settings), pdf);
    if (job.id == 0)
        return fail(job.error);
    m_jobId = job.id;
    return true;
}

bool TPrintDocument::fail(std::string error)
{
    m_errorText = std::move(error);
    return false;
}

} // namespace orv
