#pragma once
// The exports of a report that need no printer: plain text for a terminal, CSV for a
// spreadsheet and one self-contained HTML file. Every text is UTF-8.

#include "core/report/report_document.h"

#include <string>
#include <string_view>

namespace zorvane::report {

// Columns of a fixed-width font, lines of at most the table's width; a Chinese character takes
// two columns. Titles and rules as the bands print them; the history's explanation follows its
// row as an indented paragraph, since a terminal shows no formula pictures.
std::string toText(const Document& document);

// Begins a CSV file, so that spreadsheet programs that guess the encoding read it as UTF-8.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The byte-order mark, a header row of the captions, then one record per table row, quoted where
// CSV requires it, lines ending in CR LF. Picture columns are left out. A report of several
// sections writes each as its title, its header row and its rows, with an empty line between
// sections.
std::string toCsv(const Document& document);

// One HTML page with the titles, rules, captions and rows; the pictures embedded as data URLs.
std::string toHtml(const Document& document);

// A caption without the blanks that spread it over its column: "名      称" gives "名称".
std::string compactCaption(std::string_view caption);

// Columns a UTF-8 text takes in a terminal.
std::size_t displayWidth(std::string_view utf8);

} // namespace zorvane::report
