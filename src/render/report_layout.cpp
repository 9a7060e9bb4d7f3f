#include "render/report_layout.h"

#include "render/report_fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QTextCursor>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>

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
    }
}

class SectionWriter {
public:
    SectionWriter(QTextDocument& document, QTextCursor& cursor, int& pictures)
        : document_(document), cursor_(cursor), pictures_(pictures) {}

    void write(const Section& section) {
        insertTitle(cursor_, section.title);
        std::vector<QTextLength> widths;
        for (const Column& column : section.columns) {
            widths.emplace_back(QTextLength::PercentageLength, column.widthPercent);
        }
        QTextTableFormat format = tableFormat(widths, kThinRuleMm);
        // The column header repeats at the top of each page; a caption band alone prints once.
        format.setHeaderRowCount(section.columnHeader ? 1 : 0);
        const int rows = 1 + static_cast<int>(section.rows.size());
        const int columns = static_cast<int>(section.columns.size());
        QTextTable* table = cursor_.insertTable(rows, columns, format);
        for (int c = 0; c < columns; ++c) {
            const Column& column = section.columns[static_cast<std::size_t>(c)];
            setCellBorders(table->cellAt(0, c), kHeavyRuleMm, kThinRuleMm, kThinRuleMm);
            insertCellText(table->cellAt(0, c), qs(column.caption), column.captionStyle,
                           Qt::AlignHCenter);
        }
        for (int r = 1; r < rows; ++r) {
            const auto& row = section.rows[static_cast<std::size_t>(r - 1)];
            for (int c = 0; c < columns; ++c) {
                const auto at = static_cast<std::size_t>(c);
                setCellBorders(table->cellAt(r, c), kThinRuleMm, kThinRuleMm, kThinRuleMm);
                writeCell(table->cellAt(r, c), section, section.columns[at], row[at]);
            }
        }
        cursor_.movePosition(QTextCursor::End);
    }

private:
    void writeCell(QTextTableCell cell, const Section& section, const Column& column,
                   const report::Cell& value) {
        switch (column.kind) {
        case CellKind::Picture:
            insertPicture(cell, section, value.picture);
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

    void insertPicture(QTextTableCell cell, const Section& section,
                       const std::vector<std::uint8_t>& bytes) {
        QImage image;
        if (bytes.empty() || !image.loadFromData(bytes.data(), static_cast<int>(bytes.size()))) {
            return;
        }
        // Pictures print on white: a transparent background would come out black where the
        // printer drops the alpha channel.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, image);
        const QUrl name(QStringLiteral("report-picture:%1").arg(pictures_++));
        document_.addResource(QTextDocument::ImageResource, name, opaque);
        const double boxWidth = pixels(section.pictureWidthMm);
        const double boxHeight = pixels(section.pictureHeightMm);
        const double scale = std::min(boxWidth / opaque.width(), boxHeight / opaque.height());
        QTextImageFormat format;
        format.setName(name.toString());
        format.setWidth(opaque.width() * scale);
        format.setHeight(opaque.height() * scale);
        QTextCursor cursor = cell.firstCursorPosition();
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(block);
        cursor.insertImage(format);
    }

    QTextDocument& document_;
    QTextCursor& cursor_;
    int& pictures_;
};

} // namespace

ReportLayout::ReportLayout(const report::Document& document)
    : metrics_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMetre = static_cast<int>(kLayoutDpi / 0.0254 + 0.5);
    metrics_.setDotsPerMeterX(dotsPerMetre);
    metrics_.setDotsPerMeterY(dotsPerMetre);
    document_.documentLayout()->setPaintDevice(&metrics_);
    document_.setUseDesignMetrics(true);
    document_.setDocumentMargin(0);
    // The empty lines between sections are measured in this font, whatever the program's own.
    QFont lines(QStringLiteral("Arial"));
    lines.setPointSize(8);
    document_.setDefaultFont(lines);
    document_.setPageSize(QSizeF(units(report::kPageWidthMm - 2 * report::kPageMarginMm),
                                 units(report::kPageHeightMm - 2 * report::kPageMarginMm)));
    QTextCursor cursor(&document_);
    int pictures = 0;
    SectionWriter writer(document_, cursor, pictures);
    // One edit block: the document is laid out once, at its end, not after every cell.
    cursor.beginEditBlock();
    for (const Section& section : document.sections) {
        writer.write(section);
    }
    cursor.endEditBlock();
}

int ReportLayout::pageCount() const {
    return document_.pageCount();
}

void ReportLayout::paintPage(QPainter& painter, int page) const {
    const QSizeF size = document_.pageSize();
    const QRectF view(0, page * size.height(), size.width(), size.height());
    painter.save();
    painter.translate(0, -view.top());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    document_.documentLayout()->draw(&painter, context);
    painter.restore();
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
        paintPage(painter, page - 1);
    }
    return painter.end();
}

} // namespace zorvane::render
