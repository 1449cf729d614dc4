// An invoice built through the engine's typed interface and written as a
// PDF document and a PNG picture of its first page:
//   invoice OUTPUT-FOLDER
#include <orvreport/orvreport.h>

#include <QApplication>

#include <cstdio>
#include <string>

namespace {

constexpr int32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0x808080, kBlue = 0xA05000; // 0xBBGGRR

struct Item {
    const char* description;
    int quantity;
    double price;
};

constexpr Item kItems[] = {
    {"Paper, A4, 80 g, box of 2500", 4, 21.90},
    {"Toner cartridge, black", 2, 64.50},
    {"Desk lamp, LED", 1, 39.00},
    {"Binder clips, 50 pieces", 6, 3.25},
};

std::string money(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

void addText(orv::TORVREP& report, const std::string& text, float x, float y, float width, int32_t size = 10,
             const char* style = "", int32_t alignment = 0)
{
    report.AddText("text", text, x, y, width, 0, "Arial", size, kBlack, kWhite, style, 0, 0, alignment);
}

void buildInvoice(orv::TORVREP& report)
{
    report.put_PDFTitle("Invoice 2026-0412");
    report.SetPageByPaperSize(1); // Letter
    report.AddText("company", "Orv Office Supplies", 0.75, 0.8, 5, 0, "Arial", 18, kBlue, kWhite, "B");
    addText(report, "INVOICE 2026-0412", 7.75, 0.85, 3, 16, "B", 1);
    report.AddBarCode("number", "2026-0412", 10, 5.25, 1.3, 2.5, 0.5, kBlack, 0); // Code 128 B

    const float top = 2.2f, rowHeight = 0.25f;
    const int32_t rows = static_cast<int32_t>(std::size(kItems)) + 1;
    report.AddGrid("items", orv::Currency::fromInches(0.75), orv::Currency::fromInches(top),
                   orv::Currency::fromInches(7), orv::Currency::fromInches(rowHeight * rows), 1, rows);
    addText(report, "Item", 0.85, top + 0.2f, 4, 10, "B");
    addText(report, "Amount", 7.65, top + 0.2f, 1.5, 10, "B", 1);
    double total = 0;
    float y = top + 0.2f;
    for (const Item& item : kItems) {
        y += rowHeight;
        const double amount = item.quantity * item.price;
        total += amount;
        addText(report, std::to_string(item.quantity) + " x " + item.description, 0.85, y, 5);
        addText(report, money(amount), 7.65, y, 1.5, 10, "", 1);
    }
    addText(report, "Total due: " + money(total) + " EUR", 7.65, y + 0.5f, 4, 12, "B", 1);
    report.AddReportField("page", "'Page ' + TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)", 7.5, 10.6, 0,
                          0.3, "", "", "Arial", 9, kGrey, kWhite, "", 0, 0, 1);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : ".";
    try {
        orv::TORVREP report;
        buildInvoice(report);
        // The by-reference form hands back the name the file was written to.
        orv::Variant pdf(folder + "/invoice.pdf");
        if (report.SaveToPDF(pdf).toInt32() != 0)
            throw orv::EngineError(orv::E_UNEXPECTED, "the PDF was not written");
        const orv::Variant png = report.SaveToPNG(folder + "/invoice.png", 1);
        if (png.toInt32() != 0)
            throw orv::EngineError(orv::E_UNEXPECTED, "the PNG was not written");
        std::printf("%s\n%s/invoice.PNG\n", pdf.toString().c_str(), folder.c_str());
    } catch (const orv::EngineError& e) {
        std::fprintf(stderr, "invoice: %s (%s)\n", e.what(), e.statusText().c_str());
        return 1;
    }
    return 0;
}
