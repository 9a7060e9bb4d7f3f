#pragma once
// A report laid out on A4 pages. Each band of a section (its title with its rules, its captions,
// each of its rows) is a small text document of its own in the fonts, colours and rules of the
// band, with the formula pictures as images; the bands are measured once and shared out over the
// pages by their heights, so that no row splits across a page break and a title keeps its table
// with it. A page is painted from its own bands alone. The same pages go to the preview, the
// printer and the PDF file.

#include "core/report/report_document.h"
#include "core/report/report_pages.h"

#include <QImage>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace zorvane::render {

class ReportPictures;

class ReportLayout {
public:
    // `document` must outlive the layout: the pages are drawn from it when printed.
    explicit ReportLayout(const report::Document& document);
    ReportLayout(const ReportLayout&) = delete;
    ReportLayout& operator=(const ReportLayout&) = delete;
    ~ReportLayout();

    int pageCount() const;
    // Paints pages `fromPage` to `toPage` (1-based; 0 and 0 for all) on `device`, which gets the
    // A4 portrait page and its margins first. False when the device cannot be painted on.
    bool print(QPagedPaintDevice& device, int fromPage = 0, int toPage = 0) const;

private:
    // The text document of a band; `drawn` decodes its pictures, else only their sizes are read.
    std::unique_ptr<QTextDocument> bandDocument(const report::PlacedBand& band, bool drawn) const;
    void paintPage(QPainter& painter, const report::PageBands& page) const;

    const report::Document& document_;
    mutable QImage metrics_; // the layout's resolution, independent of screen and printer
    std::vector<report::PageBands> pages_;
    std::unique_ptr<ReportPictures> pictures_; // decoded when a page is painted
};

} // namespace zorvane::render
