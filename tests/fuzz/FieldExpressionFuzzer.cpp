// Evaluates arbitrary bytes as a report field's expression on a report of
// three pages with a numbering restart: whatever the quotes, parentheses and
// STR widths, the result is bounded and the evaluation never fails.

#include "document/Report.h"
#include "render/FieldExpression.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

orv::TReport& report()
{
    static orv::TReport* pages = [] {
        auto* made = new orv::TReport;
        made->newPage(8.5f, 11, 0, 0, 0);
        made->newPage(8.5f, 11, 0, 0, 0);
        made->setPageNumberToOne(2);
        return made;
    }();
    return *pages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string expression(reinterpret_cast<const char*>(data), size);
    for (int32_t page = 1; page <= 3; ++page) {
        const std::string shown = orv::evaluateFieldExpression(report(), expression, page);
        if (shown.size() > 65536)
            std::abort(); // a field's text is bounded whatever it asks for
    }
    return 0;
}
