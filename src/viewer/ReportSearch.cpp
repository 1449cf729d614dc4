#include "viewer/ReportSearch.h"

#include "document/Report.h"
#include "render/FindHits.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace orv {

namespace {

bool isText(const TReportObject& object) { return object.ObjType == ObjType::Text; }

// The page of the current hit, or the failure every search step reports
// once pages were deleted beneath it.
TPageObject& existingPage(TReport& report, int32_t index)
{
    if (index >= report.pageCount())
        throw std::runtime_error("Find: page " + std::to_string(index + 1) + " of the current hit no longer exists");
    return report.page(index + 1);
}

void setRanges(TReport& report, const std::string& text, std::string_view findText, bool matchCase)
{
    const std::vector<TFindHit> hits = findHits(text, findText, matchCase);
    if (hits.empty())
        return;
    report.FindRanges.clear();
    for (const TFindHit& hit : hits)
        report.FindRanges.push_back({hit.start, hit.length});
}

void becomeCurrentHit(TReport& report, int32_t pageIndex, int32_t objectIndex)
{
    report.FindPage = pageIndex;
    report.FindObject = objectIndex;
    report.page(pageIndex + 1).Objects[size_t(objectIndex)].Found = 1;
}

TSearchStep searchForwards(TReport& report, std::string_view text, bool matchCase, int32_t p, int32_t o)
{
    TPageObject& page = existingPage(report, p);
    const int32_t next = report.FindHit + 1;
    const int32_t count = o < page.objectCount() ? countFindHits(page.Objects[size_t(o)].Text, text, matchCase) : 0;
    report.FindTrace += "lnStartPage: " + std::to_string(p) + "\rlnStartObject: " + std::to_string(o)
                        + "\rSTRPOS: " + std::to_string(next) + "\rlnCount: " + std::to_string(count) + "\r";

    // Only a current hit has further hits in its object; without one the
    // scan starts at the first object and the first hit is hit 0.
    const bool hasCurrentHit = report.FindPage >= 0 && report.FindObject >= 0;
    if (hasCurrentHit && next < count) {
        report.FindHit = next;
        setRanges(report, page.Objects[size_t(o)].Text, text, matchCase);
        return TSearchStep::SameObject;
    }

    int32_t first = report.FindObject + 1;
    for (int32_t pageIndex = p; pageIndex < report.pageCount(); ++pageIndex, first = 0) {
        TPageObject& scanned = report.page(pageIndex + 1);
        for (int32_t i = first; i < scanned.objectCount(); ++i) {
            const TReportObject& object = scanned.Objects[size_t(i)];
            if (!isText(object) || countFindHits(object.Text, text, matchCase) < 1)
                continue;
            becomeCurrentHit(report, pageIndex, i);
            report.FindHit = 0;
            setRanges(report, object.Text, text, matchCase);
            return TSearchStep::NewObject;
        }
    }
    return TSearchStep::NotFound;
}

TSearchStep searchBackwards(TReport& report, std::string_view text, bool matchCase, int32_t p)
{
    int32_t pageIndex = p;
    int32_t objectIndex = report.FindObject - 1;
    if (objectIndex < 0) {
        // Before the first object of the first page there is nothing to
        // find; only without a current hit does the first page's end count.
        const bool hasCurrentHit = report.FindPage >= 0 && report.FindObject >= 0;
        if (hasCurrentHit && pageIndex == 0)
            return TSearchStep::NotFound;
        pageIndex = std::max(pageIndex - 1, 0);
        objectIndex = existingPage(report, pageIndex).objectCount() - 1;
    }
    existingPage(report, pageIndex);
    for (; pageIndex >= 0; --pageIndex) {
        TPageObject& page = report.page(pageIndex + 1);
        if (objectIndex < 0 || objectIndex >= page.objectCount())
            objectIndex = page.objectCount() - 1;
        for (; objectIndex >= 0; --objectIndex) {
            const TReportObject& object = page.Objects[size_t(objectIndex)];
            if (isText(object) && containsFindText(object.Text, text, matchCase)) {
                becomeCurrentHit(report, pageIndex, objectIndex);
                return TSearchStep::NewObject;
            }
        }
    }
    return TSearchStep::NotFound;
}

} // namespace

TSearchStep searchReport(TReport& report, std::string_view text, bool matchCase, bool backwards, bool markViewPage)
{
    const int32_t p = std::max(report.FindPage, 0);
    const int32_t o = std::max(report.FindObject, 0);
    if (markViewPage)
        markPage(report, report.viewPageNumber() - 1, text, matchCase);
    const TSearchStep step =
        backwards ? searchBackwards(report, text, matchCase, p) : searchForwards(report, text, matchCase, p, o);
    if (step == TSearchStep::NewObject && markViewPage)
        markPage(report, report.FindPage, text, matchCase);
    return step;
}

void markPage(TReport& report, int32_t pageIndex, std::string_view text, bool matchCase)
{
    if (pageIndex < 0 || pageIndex >= report.pageCount())
        return;
    for (TReportObject& object : report.page(pageIndex + 1).Objects)
        if (isText(object) && containsFindText(object.Text, text, matchCase))
            object.Found = 1;
}

void clearFoundMarks(TReport& report)
{
    for (int32_t n = 1; n <= report.pageCount(); ++n)
        for (TReportObject& object : report.page(n).Objects)
            object.Found = 0;
}

} // namespace orv
