#pragma once
// The bands of each report and the sections they make from the rows of a working table. The
// captions, fonts, colours and rules are fixed per report; the rows come from the table in its
// own order.

#include "core/report/report_document.h"

#include <string_view>

namespace zorvane::store {
class Dataset;
}

namespace zorvane::report {

// The working tables the reports print.
constexpr std::string_view kInitTable = "Init_Unnamed";
constexpr std::string_view kResultTable = "Result_Unnamed";
constexpr std::string_view kSizeTable = "Size_Unnamed";
constexpr std::string_view kHistoryTable = "Hty_Rec_Unnamed";

// A section as the combined report prints it, or as its own report prints it alone: the design
// results and the sprocket sizes then leave out the rule above their title, and the sizes their
// caption band (their column header still prints on every page).
enum class Variant { Combined, StandAlone };

// The section with its bands and no rows.
Section initSection();
Section resultSection(Variant variant);
Section sizeSection(Variant variant);
Section historySection();

// Appends every row of `table` (an open table or query) to `section`, in table order. A field
// the section prints that the table lacks throws the store's error naming table and field.
void readRows(Section& section, const store::Dataset& table);

} // namespace zorvane::report
