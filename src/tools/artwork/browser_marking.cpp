// The marked sprocket drawing of the reference browser: a working drawing of a roller chain
// sprocket as the marking table describes it. The axial section carries the axial tooth form with
// its sizes (the end-face tooth form is not drawn); the parameter table in the upper right names
// z, p, d1, d, da, df and MR with its limit deviations, left blank to be filled in; the note gives
// the tooth-form standard.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/browser_section.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <array>

namespace zorvane::artwork {

namespace {

using namespace drafting;
using section::Frame;

constexpr int kWidth = 620;
constexpr int kHeight = 440;

// The section through the axis, both halves: a plate sprocket with its hub on both sides.
QPainterPath fullSection(const Frame& frame) {
    const qreal half = 20, tip = 150, hubHalf = 44, hub = 62, bore = 34;
    QPolygonF upper;
    upper << frame.at(-hubHalf, bore) << frame.at(-hubHalf, hub);
    section::appendTooth(upper, frame, 0, half, hub, tip, 64, 8);
    upper << frame.at(hubHalf, hub) << frame.at(hubHalf, bore);
    QPainterPath top;
    top.addPolygon(upper);
    top.closeSubpath();
    QTransform flip;
    flip.translate(0, frame.axis);
    flip.scale(1, -1);
    flip.translate(0, -frame.axis);
    return top.united(flip.map(top));
}

void cell(QPainter& painter, const QRectF& box, const QPainterPath& text) {
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    if (!text.isEmpty()) {
        placeText(painter, text, box.center(), Qt::AlignCenter, kOutline);
    }
}

struct TableRow {
    const char* name;
    Symbol symbol;
};

} // namespace

QImage drawMarkedSprocket() {
    QImage image = blankImage(kWidth, kHeight, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kOutline, 1.6));
    painter.drawRect(QRectF(6, 6, kWidth - 12, kHeight - 12));
    drawingTitle(painter, QStringLiteral("滚子链轮工作图（示例）"));

    // The axial section with the axial tooth form: bf1, ba, rx, da, dk, dh, l.
    const Frame frame{206, 248};
    const QPainterPath body = fullSection(frame);
    section::sectionFill(painter, body, 6);
    centreLine(painter, frame.at(-62, 0), frame.at(62, 0));
    for (const qreal r : {137.0, -137.0}) {
        centreLine(painter, frame.at(-30, r), frame.at(30, r));
    }
    const qreal straight = 112;
    alignedDimension(painter, frame.at(-20, straight), frame.at(20, straight),
                     -(150 - straight + 40), {QStringLiteral("b"), QStringLiteral("f1")});
    alignedDimension(painter, frame.at(12, 150), frame.at(20, 150), -12,
                     {QStringLiteral("b"), QStringLiteral("a")});
    {
        const QPointF onArc = frame.at(-18, 140);
        dimensionLine(painter, onArc + QPointF(-34, -18), onArc, Arrows::AtEndOnly);
        placeSymbol(painter, {QStringLiteral("r"), QStringLiteral("x")}, onArc + QPointF(-38, -18),
                    Qt::AlignRight | Qt::AlignVCenter);
    }
    // Diameters across both halves.
    const auto diameter = [&](qreal axial, qreal radius, qreal x, const Symbol& symbol, int side) {
        const QPointF high = frame.at(axial, radius), low = frame.at(axial, -radius);
        extensionLine(painter, high, QPointF(x, high.y()));
        extensionLine(painter, low, QPointF(x, low.y()));
        dimensionLine(painter, QPointF(x, high.y()), QPointF(x, low.y()));
        placeSymbol(painter, symbol, QPointF(x + side * 4, frame.axis - 50),
                    (side > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    };
    diameter(16, 150, frame.middle + 86, {QStringLiteral("d"), QStringLiteral("a")}, 1);
    diameter(-44, 34, frame.middle - 70, {QStringLiteral("d"), QStringLiteral("k")}, -1);
    diameter(-44, 62, frame.middle - 104, {QStringLiteral("d"), QStringLiteral("h")}, -1);
    alignedDimension(painter, frame.at(-44, -62), frame.at(44, -62), 150 - 62 + 12,
                     {QStringLiteral("l"), QString()});

    // The parameter table, values left to be filled in.
    const std::array rows{
        TableRow{"齿数", {QStringLiteral("z"), QString()}},
        TableRow{"配用链条节距", {QStringLiteral("p"), QString()}},
        TableRow{"配用链条滚子外径", {QStringLiteral("d"), QStringLiteral("1")}},
        TableRow{"分度圆直径", {QStringLiteral("d"), QString()}},
        TableRow{"齿顶圆直径", {QStringLiteral("d"), QStringLiteral("a")}},
        TableRow{"齿根圆直径", {QStringLiteral("d"), QStringLiteral("f")}},
        TableRow{"量柱测量距及极限偏差", {QStringLiteral("M"), QStringLiteral("R")}},
    };
    const qreal left = 364, top = 22, nameWidth = 150, symbolWidth = 40, valueWidth = 50,
                rowHeight = 24;
    cell(painter, QRectF(left, top, nameWidth, rowHeight),
         plainTextPath(QStringLiteral("名称"), 13));
    cell(painter, QRectF(left + nameWidth, top, symbolWidth, rowHeight),
         plainTextPath(QStringLiteral("代号"), 13));
    cell(painter, QRectF(left + nameWidth + symbolWidth, top, valueWidth, rowHeight),
         plainTextPath(QStringLiteral("数值"), 13));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const qreal y = top + rowHeight * static_cast<qreal>(i + 1);
        cell(painter, QRectF(left, y, nameWidth, rowHeight),
             plainTextPath(QString::fromUtf8(rows[i].name), 13));
        cell(painter, QRectF(left + nameWidth, y, symbolWidth, rowHeight),
             symbolPath(rows[i].symbol, 15));
        cell(painter, QRectF(left + nameWidth + symbolWidth, y, valueWidth, rowHeight), {});
    }
    const qreal below = top + rowHeight * static_cast<qreal>(rows.size() + 1);
    cell(painter, QRectF(left, below, nameWidth + symbolWidth + valueWidth, rowHeight),
         plainTextPath(QStringLiteral("齿形按 GB/T 1243 制造"), 13));

    // The notes.
    const QPointF notes(364, 290);
    placeText(painter, plainTextPath(QStringLiteral("技术要求"), 14), notes,
              Qt::AlignLeft | Qt::AlignTop, kOutline);
    const char* lines[] = {"1. 端面齿形按标准制造，可不画出；",
                           "2. 轴向齿廓必须画出并注齿宽、倒角，", "    供车削轮坯；",
                           "3. 三圆弧一直线齿形注明", "    “齿形按3RGB1244-85规定制造”。"};
    for (int i = 0; i < 5; ++i) {
        placeText(painter, plainTextPath(QString::fromUtf8(lines[i]), 13),
                  notes + QPointF(0, 26 + 20 * i), Qt::AlignLeft | Qt::AlignTop, kOutline);
    }
    return image;
}

} // namespace zorvane::artwork
