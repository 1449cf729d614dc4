#pragma once

#include "document/Units.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// A paper form registered for a printer, in thousandths of a millimetre;
// left, top, right and bottom bound the imageable rectangle.
struct TPaperForm {
    std::string name;
    int32_t width = 0, height = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A length in inches as forms measure it: thousandths of a millimetre,
// cut toward zero.
inline int32_t formLength(Currency inches)
{
    return static_cast<int32_t>(inches.scaled * 254 / 100);
}

// The error codes the form operations return (the system error numbers
// hosts know them by).
namespace printerError {
constexpr int32_t FileExists = 80;
constexpr int32_t InvalidPrinterName = 1801;
constexpr int32_t InvalidFormName = 1902;
} // namespace printerError

// CUPS keeps no paper forms, so the forms live in the user's configuration
// folder (orvreport/printer-forms.json), one list per printer. Form names
// and printer names compare ignoring the case of ASCII letters. A printer
// is unknown when CUPS does not list it. Failing to write the file throws.

// 0; InvalidPrinterName; FileExists when the printer has a form of that
// name; InvalidFormName for an empty name.
int32_t addPrinterForm(const std::string& printer, const TPaperForm& form);
// Replaces the form named form.name: 0, InvalidPrinterName or
// InvalidFormName when the printer has no such form.
int32_t setPrinterForm(const std::string& printer, const TPaperForm& form);
// 0, InvalidPrinterName or InvalidFormName.
int32_t deletePrinterForm(const std::string& printer, const std::string& formName);
// The form, or nothing when the printer or the form is unknown.
std::optional<TPaperForm> printerForm(const std::string& printer, const std::string& formName);

} // namespace orv
