#pragma once
// How the bands of a report share out over its pages, from their heights alone: a row never
// splits across a page break, a section's title stays on the page of its captions and first
// row, and a column header repeats at the top of every page its rows continue on. Whatever draws
// the bands measures them and paints what this returns, page by page.

#include <cstddef>
#include <vector>

namespace zorvane::report {

// The heights of one section's bands, in any one unit.
struct SectionHeights {
    double title = 0;            // the title with its rules and the space before it
    double caption = 0;          // the captions' row
    bool captionRepeats = false; // a column header, not a caption band printed once
    std::vector<double> rows;
};

enum class BandKind { Title, Caption, Row };

// A band, or a slice of one, on a page. A row taller than a page starts on a fresh page and
// continues over as many as it needs; each page then shows the slice from `from` on.
struct PlacedBand {
    std::size_t section = 0;
    BandKind kind = BandKind::Title;
    std::size_t row = 0; // rows only
    double top = 0;      // on the page
    double from = 0;     // into the band, where the slice begins
    double height = 0;   // of the slice

    bool operator==(const PlacedBand&) const = default;
};

using PageBands = std::vector<PlacedBand>;

// The pages of the sections in order, each page `pageHeight` tall. Never empty.
std::vector<PageBands> paginate(const std::vector<SectionHeights>& sections, double pageHeight);

} // namespace zorvane::report
