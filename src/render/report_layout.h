#pragma once
// A report laid out on A4 pages by Qt's text layout: the sections become tables of a text
// document (the captions as a header row that the layout repeats at the top of every page), with
// the fonts, colours and rules of the bands and the formula pictures as images. The same pages
// go to the preview, the printer and the PDF file.

#include "core/report/report_document.h"

#include <QImage>
#include <QTextDocument>

class QPagedPaintDevice;
class QPainter;

namespace zorvane::render {

class ReportLayout {
public:
    explicit ReportLayout(const report::Document& document);
    ReportLayout(const ReportLayout&) = delete;
    ReportLayout& operator=(const ReportLayout&) = delete;

    int pageCount() const;
    // Paints pages `fromPage` to `toPage` (1-based; 0 and 0 for all) on `device`, which gets the
    // A4 portrait page and its margins first. False when the device cannot be painted on.
    bool print(QPagedPaintDevice& device, int fromPage = 0, int toPage = 0) const;

    const QTextDocument& textDocument() const { return document_; }

private:
    void paintPage(QPainter& painter, int page) const;

    QImage metrics_; // the layout's resolution, independent of screen and printer
    QTextDocument document_;
};

} // namespace zorvane::render
