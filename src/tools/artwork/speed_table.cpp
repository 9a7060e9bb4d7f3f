// The picture on the roller tooth-count panel: the recommended small sprocket tooth count for
// each chain speed range, as a two-row table.

#include "tools/artwork/artwork.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>

#include <array>
#include <initializer_list>

namespace zorvane::artwork {

namespace {

using namespace drafting;

constexpr int kHeaderWidth = 120;
constexpr int kColumnWidth = 80;
constexpr int kRowHeight = 31;
constexpr int kColumns = 3;
constexpr int kWidth = kHeaderWidth + kColumns * kColumnWidth + 1;
constexpr int kHeight = 2 * kRowHeight + 1;
constexpr int kTextSize = 14;

const QColor kHeaderFill(0xee, 0xf1, 0xf4);

struct Row {
    QPainterPath header;
    std::array<const char*, kColumns> values;
};

// Pieces of text set one after the other on a common baseline.
QPainterPath joined(std::initializer_list<QPainterPath> pieces) {
    QPainterPath line;
    qreal x = 0;
    for (const QPainterPath& piece : pieces) {
        const QRectF box = piece.boundingRect();
        line.addPath(piece.translated(x - box.left(), 0));
        x += box.width() + 2;
    }
    return line;
}

QPainterPath plain(const char* text) {
    return plainTextPath(QString::fromUtf8(text), kTextSize);
}

void drawCell(QPainter& painter, const QPainterPath& text, const QRectF& cell) {
    placeText(painter, text, cell.center(), Qt::AlignCenter, kOutline);
}

} // namespace

QImage drawZ1SpeedTable() {
    const std::array<Row, 2> rows{{
        {joined({plain("链速"), symbolPath({QStringLiteral("v"), {}}, kTextSize), plain("/(m/s)")}),
         {"0.6~3", "3~8", ">8"}},
        {joined({plain("小链轮齿数"),
                 symbolPath({QStringLiteral("z"), QStringLiteral("1")}, kTextSize)}),
         {"≥15~17", "≥19~21", ">23~25"}},
    }};

    QImage image = blankImage(kWidth, kHeight, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, kHeaderWidth, kHeight), kHeaderFill);
    for (int r = 0; r < 2; ++r) {
        const qreal top = r * kRowHeight;
        drawCell(painter, rows[r].header, QRectF(0, top, kHeaderWidth, kRowHeight));
        for (int c = 0; c < kColumns; ++c) {
            drawCell(painter, plain(rows[r].values[c]),
                     QRectF(kHeaderWidth + c * kColumnWidth, top, kColumnWidth, kRowHeight));
        }
    }
    // The rules on half pixels, so that each is one sharp pixel wide.
    painter.setPen(QPen(kOutline, 1));
    for (int r = 0; r <= 2; ++r) {
        painter.drawLine(QPointF(0, r * kRowHeight + 0.5), QPointF(kWidth, r * kRowHeight + 0.5));
    }
    for (int c = 0; c <= kColumns; ++c) {
        const qreal x = (c == 0 ? 0 : kHeaderWidth + (c - 1) * kColumnWidth) + 0.5;
        painter.drawLine(QPointF(x, 0), QPointF(x, kHeight));
    }
    painter.drawLine(QPointF(kWidth - 0.5, 0), QPointF(kWidth - 0.5, kHeight));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zorvane::artwork
