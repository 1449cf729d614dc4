#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

class TReport;

// What one search step did to the report's find state.
enum class TSearchStep {
    NotFound,     // nothing changed
    SameObject,   // the next hit lies in the current hit's object (FindHit grew)
    NewObject,    // another text object became the current hit
};

// The search over the report's text objects, working on the find state the
// report keeps for the renderer (FindPage, FindObject, FindHit, FindRanges,
// FindTrace and the objects' Found marks). Scrolling and showing the hit
// are the viewer's business.
//
// Forwards the text is used as given and hits are counted inside the
// current object before moving on; backwards an object matches when it
// contains the text without its surrounding blanks. Case folds ASCII
// letters only. With `markViewPage` the matching objects of the view page
// are marked first, and those of the hit's page after a new hit.
// Throws std::runtime_error, leaving the find state as it was, when the
// current hit's page no longer exists.
TSearchStep searchReport(TReport& report, std::string_view text, bool matchCase, bool backwards,
                         bool markViewPage);

// Marks (Found = 1) every text object of page `pageIndex` (0-based) that
// contains the text; pages outside the report mark nothing.
void markPage(TReport& report, int32_t pageIndex, std::string_view text, bool matchCase);

// Removes every Found mark; the current hit stays where it is.
void clearFoundMarks(TReport& report);

} // namespace orv
