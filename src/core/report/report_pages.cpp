#include "core/report/report_pages.h"

#include <algorithm>

namespace zorvane::report {

namespace {

// The column header a new page starts with, while a section's rows continue.
struct Header {
    std::size_t section;
    double height;
};

class Pager {
public:
    explicit Pager(double pageHeight) : pageHeight_(std::max(pageHeight, 1.0)) {
        pages_.emplace_back();
    }

    double pageHeight() const { return pageHeight_; }

    // Starts a new page unless `height` still fits on this one or the page holds nothing but its
    // header already (then a taller band has to start here and continue over).
    void keepTogether(double height, const Header* header) {
        if (height > room() && !bare_) {
            newPage(header);
        }
    }

    // Places a band; one that does not fit continues on the next pages, in slices.
    void put(PlacedBand band, double height, const Header* header) {
        for (double from = 0;;) {
            if (room() <= 0 && height > from) {
                newPage(header);
            }
            const bool last = height - from <= room();
            band.top = y_;
            band.from = from;
            band.height = last ? height - from : room();
            pages_.back().push_back(band);
            y_ += band.height;
            bare_ = false;
            if (last) {
                return;
            }
            from += band.height;
            newPage(header);
        }
    }

    std::vector<PageBands> pages() && { return std::move(pages_); }

private:
    double room() const { return pageHeight_ - y_; }

    void newPage(const Header* header) {
        pages_.emplace_back();
        y_ = 0;
        if (header) {
            pages_.back().push_back({header->section, BandKind::Caption, 0, 0, 0, header->height});
            y_ = header->height;
        }
        bare_ = true;
    }

    double pageHeight_;
    double y_ = 0;
    bool bare_ = true; // nothing on the page but a repeated header
    std::vector<PageBands> pages_;
};

} // namespace

std::vector<PageBands> paginate(const std::vector<SectionHeights>& sections, double pageHeight) {
    Pager pager(pageHeight);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const SectionHeights& section = sections[s];
        // A header repeats only where it leaves most of the page to the rows.
        const Header header{s, section.caption};
        const Header* repeated =
            section.captionRepeats && section.caption <= pager.pageHeight() / 2 ? &header : nullptr;
        // The title, the captions and the first row share a page.
        pager.keepTogether(section.title + section.caption +
                               (section.rows.empty() ? 0 : section.rows.front()),
                           nullptr);
        pager.put({s, BandKind::Title, 0, 0, 0, 0}, section.title, nullptr);
        pager.put({s, BandKind::Caption, 0, 0, 0, 0}, section.caption, nullptr);
        for (std::size_t r = 0; r < section.rows.size(); ++r) {
            pager.keepTogether(section.rows[r], repeated);
            pager.put({s, BandKind::Row, r, 0, 0, 0}, section.rows[r], repeated);
        }
    }
    return std::move(pager).pages();
}

} // namespace zorvane::report
