#include "render/report_layout.h"

#include "render/report_fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

namespace zorvane::render {

using report::Align;
using report::CellKind;
using report::Column;
using report::Section;

namespace {

// Layout units per inch. Fonts, rules and pictures are sized in this resolution, and every
// device scales it to its own, so that preview, printer and PDF break the pages alike.
constexpr double kLayoutDpi = 288;
constexpr double kThinRuleMm = 0.3;
constexpr double kHeavyRuleMm = 0.8;
constexpr double kCellPaddingMm = 1.0;
constexpr double kTitleSpaceMm = 3.0;

double units(double mm) {
    return mm / 25.4 * kLayoutDpi;
}

// Border widths, cell padding and image sizes, which Qt's text layout takes in screen pixels and
// scales to the layout's resolution (block margins and frame heights it takes as they are).
double pixels(double mm);

// The resolution Qt's text layout assumes for image sizes (what it calls its default one).
double screenDpi() {
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi)) {
        return 96;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? std::round(screen->logicalDotsPerInchY()) : 96;
}

double pixels(double mm) {
    return mm / 25.4 * screenDpi();
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QTextCharFormat charFormat(const report::TextStyle& style) {
    QTextCharFormat format;
    format.setFontFamilies(reportFontFamilies(style.family));
    format.setFontPointSize(style.pointSize);
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setForeground(QColor::fromRgb(style.colour));
    return format;
}

Qt::Alignment alignment(Align align) {
    switch (align) {
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextTableFormat tableFormat(const std::vector<QTextLength>& widths, double borderMm) {
    QTextTableFormat format;
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({widths.begin(), widths.end()});
    format.setBorderCollapse(true);
    format.setBorder(pixels(borderMm));
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellSpacing(0);
    format.setCellPadding(pixels(kCellPaddingMm));
    format.setMargin(0);
    return format;
}

void setCellBorders(QTextTableCell cell, double top, double bottom, double sides) {
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    format.setTopBorder(pixels(top));
    format.setBottomBorder(pixels(bottom));
    format.setLeftBorder(pixels(sides));
    format.setRightBorder(pixels(sides));
    for (auto edge :
         {QTextFormat::TableCellTopBorderStyle, QTextFormat::TableCellBottomBorderStyle,
          QTextFormat::TableCellLeftBorderStyle, QTextFormat::TableCellRightBorderStyle}) {
        format.setProperty(edge, QTextFrameFormat::BorderStyle_Solid);
    }
    cell.setFormat(format);
}

void insertCellText(QTextTableCell cell, const QString& text, const report::TextStyle& style,
                    Qt::Alignment align) {
    QTextCursor cursor = cell.firstCursorPosition();
    QTextBlockFormat block;
    block.setAlignment(align);
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(charFormat(style));
    cursor.insertText(text, charFormat(style));
}

// A rule across the page: a frame of the rule's height filled black.
void insertRule(QTextCursor& cursor, double heightMm) {
    QTextFrameFormat format;
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setHeight(QTextLength(QTextLength::FixedLength, units(heightMm)));
    format.setBackground(Qt::black);
    format.setBorder(0);
    format.setMargin(0);
    format.setPadding(0);
    cursor.insertFrame(format);
    // The frame's one empty line must not be taller than the rule.
    QTextCharFormat tiny;
    tiny.setFontPointSize(1);
    cursor.setBlockCharFormat(tiny);
    cursor.movePosition(QTextCursor::End);
}

// The title band: the rule above it and the heavy rule below it that the band asks for.
void insertTitle(QTextCursor& cursor, const report::Title& title) {
    if (title.ruleAbove) {
        insertRule(cursor, kThinRuleMm);
    }
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    block.setTopMargin(units(kTitleSpaceMm));
    block.setBottomMargin(units(kTitleSpaceMm));
    cursor.insertBlock(block, charFormat(title.style));
    cursor.insertText(qs(title.text), charFormat(title.style));
    if (title.heavyRuleBelow) {
        insertRule(cursor, kHeavyRuleMm);
        // The captions follow the rule directly: the empty line after it must not be taller.
        QTextCharFormat tiny;
        tiny.setFontPointSize(1);
        cursor.setBlockCharFormat(tiny);
    }
}

// A table of one row in the section's columns; null for a section without columns.
QTextTable* insertRowTable(QTextCursor& cursor, const Section& section, bool header) {
    if (section.columns.empty()) {
        return nullptr;
    }
    std::vector<QTextLength> widths;
    for (const Column& column : section.columns) {
        widths.emplace_back(QTextLength::PercentageLength, column.widthPercent);
    }
    QTextTable* table = cursor.insertTable(1, static_cast<int>(section.columns.size()),
                                           tableFormat(widths, kThinRuleMm));
    for (int c = 0; c < table->columns(); ++c) {
        setCellBorders(table->cellAt(0, c), header ? kHeavyRuleMm : kThinRuleMm, kThinRuleMm,
                       kThinRuleMm);
    }
    return table;
}

void insertCaptions(QTextCursor& cursor, const Section& section) {
    QTextTable* table = insertRowTable(cursor, section, true);
    for (int c = 0; table && c < table->columns(); ++c) {
        const Column& column = section.columns[static_cast<std::size_t>(c)];
        insertCellText(table->cellAt(0, c), qs(column.caption), column.captionStyle,
                       Qt::AlignHCenter);
    }
}

// The size of a picture's image without decoding it; invalid when its bytes are no image.
QSize imageSize(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty()) {
        return size;
    }
    return QImage::fromData(bytes).size();
}

} // namespace

// The pictures of a report as drawn, decoded once each: a history repeats the same formulas, and
// the PDF writer stores an image it has drawn before (the same image, by its cache key) once.
class ReportPictures {
public:
    // The image on white: a transparent background would come out black where the printer drops
    // the alpha channel. An image whose header promised `size` but that does not decode (the
    // reader's allocation limit refuses an absurd size) is one white pixel, stretched, so that
    // the row keeps the height it was measured at.
    QImage opaque(const QByteArray& bytes, QSize size) {
        const std::string key = bytes.toStdString();
        if (const auto found = decoded_.find(key); found != decoded_.end()) {
            return found->second;
        }
        const QImage image = QImage::fromData(bytes);
        const bool decoded = image.size() == size;
        QImage opaque(decoded ? size : QSize(1, 1), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        if (decoded) {
            QPainter(&opaque).drawImage(0, 0, image);
        }
        // A report of ever new pictures starts over rather than holding them all.
        if (decoded_.size() >= kKept) {
            decoded_.clear();
        }
        decoded_.emplace(key, opaque);
        return opaque;
    }

private:
    static constexpr std::size_t kKept = 64;
    std::unordered_map<std::string, QImage> decoded_;
};

namespace {

// A picture scaled into the section's picture box; drawn from `pictures`, or only measured when
// there are none.
void insertPicture(QTextDocument& document, QTextTableCell cell, const Section& section,
                   const std::vector<std::uint8_t>& picture, ReportPictures* pictures) {
    if (picture.empty()) {
        return;
    }
    const auto bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(picture.data()),
                                               static_cast<qsizetype>(picture.size()));
    const QSize size = imageSize(bytes);
    if (!size.isValid() || size.isEmpty()) {
        return;
    }
    const QUrl name(QStringLiteral("report-picture:0"));
    // Measured only, the picture is a white pixel: without a resource of its name the document
    // would look for a file of that name.
    static const QImage measured = [] {
        QImage white(1, 1, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }();
    document.addResource(QTextDocument::ImageResource, name,
                         pictures ? pictures->opaque(bytes, size) : measured);
    const double boxWidth = pixels(section.pictureWidthMm);
    const double boxHeight = pixels(section.pictureHeightMm);
    const double scale = std::min(boxWidth / size.width(), boxHeight / size.height());
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(size.width() * scale);
    format.setHeight(size.height() * scale);
    QTextCursor cursor = cell.firstCursorPosition();
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(block);
    cursor.insertImage(format);
}

void insertCell(QTextDocument& document, QTextTableCell cell, const Section& section,
                const Column& column, const report::Cell& value, ReportPictures* pictures) {
    switch (column.kind) {
    case CellKind::Picture:
        insertPicture(document, cell, section, value.picture, pictures);
        return;
    case CellKind::RichText:
        // The explanation keeps its paragraphs and wraps within its column.
        insertCellText(cell, qs(value.text), column.style, Qt::AlignLeft);
        return;
    case CellKind::Text:
        break;
    }
    QString text = qs(value.text);
    if (value.lineBreak && *value.lineBreak < value.text.size()) {
        text = qs(value.text.substr(0, *value.lineBreak)) + QChar(QChar::LineSeparator) +
               qs(value.text.substr(*value.lineBreak + 1));
    }
    insertCellText(cell, text, column.style, alignment(column.align));
}

void insertRow(QTextDocument& document, QTextCursor& cursor, const Section& section,
               const report::ReportRow& row, ReportPictures* pictures) {
    QTextTable* table = insertRowTable(cursor, section, false);
    for (std::size_t c = 0; table && c < section.columns.size() && c < row.size(); ++c) {
        insertCell(document, table->cellAt(0, static_cast<int>(c)), section, section.columns[c],
                   row[c], pictures);
    }
}

double pageWidth() {
    return units(report::kPageWidthMm - 2 * report::kPageMarginMm);
}

double pageHeight() {
    return units(report::kPageHeightMm - 2 * report::kPageMarginMm);
}

// The rows of a table are documents of their own, each drawn onto the bottom rule of the band
// above it, so that the two rules print as one, as in one table. A collapsed table border leaves
// a rule's width of space outside its top and bottom rules: the overlap is both spaces and one
// rule.
double overlap(report::BandKind kind) {
    return kind == report::BandKind::Title ? 0 : 3 * units(kThinRuleMm);
}

double height(const QTextDocument& document) {
    return document.size().height();
}

} // namespace

ReportLayout::ReportLayout(const report::Document& document)
    : document_(document), metrics_(1, 1, QImage::Format_RGB32),
      pictures_(std::make_unique<ReportPictures>()) {
    const int dotsPerMetre = static_cast<int>(kLayoutDpi / 0.0254 + 0.5);
    metrics_.setDotsPerMeterX(dotsPerMetre);
    metrics_.setDotsPerMeterY(dotsPerMetre);
    std::vector<report::SectionHeights> heights;
    for (std::size_t s = 0; s < document_.sections.size(); ++s) {
        const Section& section = document_.sections[s];
        report::SectionHeights& measured = heights.emplace_back();
        measured.title = height(*bandDocument({s, report::BandKind::Title}, false));
        measured.caption = height(*bandDocument({s, report::BandKind::Caption}, false)) -
                           overlap(report::BandKind::Caption);
        // A caption band alone prints once; a column header at the top of each page.
        measured.captionRepeats = section.columnHeader;
        for (std::size_t r = 0; r < section.rows.size(); ++r) {
            measured.rows.push_back(height(*bandDocument({s, report::BandKind::Row, r}, false)) -
                                    overlap(report::BandKind::Row));
        }
    }
    pages_ = report::paginate(heights, pageHeight());
}

std::unique_ptr<QTextDocument> ReportLayout::bandDocument(const report::PlacedBand& band,
                                                          bool drawn) const {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&metrics_);
    document->setUseDesignMetrics(true);
    document->setDocumentMargin(0);
    // The empty line above a title is measured in this font, whatever the program's own.
    QFont lines(QStringLiteral("Arial"));
    lines.setPointSize(8);
    document->setDefaultFont(lines);
    document->setTextWidth(pageWidth());
    const Section& section = document_.sections[band.section];
    QTextCursor cursor(document.get());
    // One edit block: the band is laid out once, at its end, not after every cell.
    cursor.beginEditBlock();
    switch (band.kind) {
    case report::BandKind::Title:
        insertTitle(cursor, section.title);
        break;
    case report::BandKind::Caption:
        insertCaptions(cursor, section);
        break;
    case report::BandKind::Row:
        insertRow(*document, cursor, section, section.rows[band.row],
                  drawn ? pictures_.get() : nullptr);
        break;
    }
    cursor.endEditBlock();
    return document;
}

ReportLayout::~ReportLayout() = default;

int ReportLayout::pageCount() const {
    return static_cast<int>(pages_.size());
}

void ReportLayout::paintPage(QPainter& painter, const report::PageBands& page) const {
    for (const report::PlacedBand& band : page) {
        const auto document = bandDocument(band, true);
        const double shift = overlap(band.kind);
        const bool whole = band.from == 0 && band.height >= height(*document) - shift;
        painter.save();
        painter.translate(0, band.top - band.from - shift);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, Qt::black);
        if (!whole) {
            // A slice of a band taller than a page.
            context.clip = QRectF(0, band.from + shift, pageWidth(), band.height);
            painter.setClipRect(context.clip, Qt::IntersectClip);
        }
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

bool ReportLayout::print(QPagedPaintDevice& device, int fromPage, int toPage) const {
    const double margin = report::kPageMarginMm;
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(margin, margin, margin, margin),
                                     QPageLayout::Millimeter));
    const int pages = pageCount();
    const int first = fromPage > 0 ? std::min(fromPage, pages) : 1;
    const int last = toPage > 0 ? std::clamp(toPage, first, pages) : pages;
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // JPEG would blur the thin strokes of the formula pictures in a PDF.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const double scale = device.logicalDpiX() / kLayoutDpi;
    painter.scale(scale, device.logicalDpiY() / kLayoutDpi);
    for (int page = first; page <= last; ++page) {
        if (page > first) {
            device.newPage();
        }
        paintPage(painter, pages_[static_cast<std::size_t>(page - 1)]);
    }
    return painter.end();
}

} // namespace zorvane::render
