// Drawings of the chains in the reference browser: the roller chain with its dimension letters
// (side view and plan view), the cross-sections of chains of one to four rows, and the toothed
// chain with its pitch, width and guide arrangements.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <vector>

namespace zorvane::artwork {

namespace {

using namespace drafting;

QPainterPath roundedBar(QPointF a, QPointF b, qreal halfHeight) {
    QPainterPath path;
    path.addRoundedRect(QRectF(a.x() - halfHeight, a.y() - halfHeight,
                               b.x() - a.x() + 2 * halfHeight, 2 * halfHeight),
                        halfHeight, halfHeight);
    return path;
}

void fillOutline(QPainter& painter, const QPainterPath& path, QColor fill = kPartFill) {
    painter.fillPath(path, fill);
    painter.strokePath(path, outlinePen());
}

} // namespace

QImage drawRollerChainDimensions() {
    Sheet sheet(620, 400, QStringLiteral("滚子链的主要尺寸"));
    QPainter& painter = sheet.painter();
    // Side view: three pitches of plates with the rollers, scale 5 px/mm for a 16A-like chain.
    const qreal s = 4.0;
    const qreal p = 25.4 * s, d1 = 15.88 * s, h2 = 24.13 * s, d2 = 7.94 * s;
    const qreal y = 135;
    const qreal x0 = 70;
    for (int k = 0; k < 3; ++k) {
        const QPointF a(x0 + k * p, y), b(x0 + (k + 1) * p, y);
        fillOutline(painter, roundedBar(a, b, h2 / 2),
                    k % 2 ? QColor(0xf2, 0xf3, 0xf5) : kPartFill);
    }
    for (int k = 0; k <= 3; ++k) {
        const QPointF c(x0 + k * p, y);
        fillOutline(painter, circlePath(c, d1 / 2), QColor(0xc9, 0xd0, 0xd8));
        fillOutline(painter, circlePath(c, d2 / 2), QColor(0x9a, 0xa5, 0xb1));
        centreMark(painter, c, d1 / 2 + 6);
    }
    alignedDimension(painter, QPointF(x0, y), QPointF(x0 + p, y), -(h2 / 2 + 22),
                     {QStringLiteral("p"), QString()});
    alignedDimension(painter, QPointF(x0 + 2 * p, y - h2 / 2), QPointF(x0 + 2 * p, y + h2 / 2),
                     -(p / 2 + 8), {QStringLiteral("h"), QStringLiteral("2")});
    diameterLeader(painter, QPointF(x0 + 3 * p, y), -kPi / 4, d1 / 2,
                   {QStringLiteral("d"), QStringLiteral("1")}, d1 / 2 + 22, 1);
    diameterLeader(painter, QPointF(x0 + p, y), kPi * 0.75, d2 / 2,
                   {QStringLiteral("d"), QStringLiteral("2")}, d2 / 2 + 40, -1);

    // Plan view of the cross-section through a pin, three rows: b1, b2, pt.
    const qreal s2 = 2.6;
    const qreal b1 = 15.75 * s2, b2 = 22.61 * s2, pt = 29.29 * s2, plate = (b2 - b1) / 2;
    const qreal top = 268;
    const qreal cx = 470;
    const qreal outer = 3.2 * s2;
    const qreal rows = 3;
    const qreal width = (rows - 1) * pt + b2 + 2 * outer;
    const qreal left = cx - width / 2;
    // The pin across all rows.
    fillOutline(painter, QPainterPath([&] {
                    QPainterPath pin;
                    pin.addRect(QRectF(left - 6, top + 28, width + 12, 18));
                    return pin;
                }()),
                QColor(0x9a, 0xa5, 0xb1));
    for (int r = 0; r < 3; ++r) {
        const qreal mid = left + outer + b2 / 2 + r * pt;
        for (int side : {-1, 1}) {
            QPainterPath inner;
            const qreal x = side < 0 ? mid - b2 / 2 : mid + b1 / 2;
            inner.addRect(QRectF(x, top, plate, 74));
            fillOutline(painter, inner);
        }
        QPainterPath roller;
        roller.addRect(QRectF(mid - b1 / 2 + 2, top + 14, b1 - 4, 46));
        fillOutline(painter, roller, QColor(0xc9, 0xd0, 0xd8));
        centreLine(painter, QPointF(mid, top - 14), QPointF(mid, top + 100));
    }
    QPainterPath outerPlates;
    outerPlates.addRect(QRectF(left, top - 4, outer, 82));
    outerPlates.addRect(QRectF(left + width - outer, top - 4, outer, 82));
    fillOutline(painter, outerPlates);
    const qreal mid0 = left + outer + b2 / 2;
    alignedDimension(painter, QPointF(mid0 - b1 / 2, top + 74), QPointF(mid0 + b1 / 2, top + 74),
                     18, {QStringLiteral("b"), QStringLiteral("1")});
    alignedDimension(painter, QPointF(mid0 - b2 / 2, top), QPointF(mid0 + b2 / 2, top), -22,
                     {QStringLiteral("b"), QStringLiteral("2")});
    alignedDimension(painter, QPointF(mid0 + pt, top - 8), QPointF(mid0 + 2 * pt, top - 8), -14,
                     {QStringLiteral("p"), QStringLiteral("t")});
    placeText(painter, plainTextPath(QStringLiteral("侧视图"), 14), QPointF(x0 + 1.5 * p, 200),
              Qt::AlignHCenter | Qt::AlignTop, kOutline);
    placeText(painter, plainTextPath(QStringLiteral("三排链横截面（过销轴）"), 14),
              QPointF(cx, 398), Qt::AlignHCenter | Qt::AlignBottom, kOutline);
    return sheet.finish();
}

QImage drawToothedChainDimensions() {
    Sheet sheet(620, 400, QStringLiteral("齿形链的节距、链宽与导向型式"));
    QPainter& painter = sheet.painter();
    // Side view: three toothed plates on four joints, pitch 100 px; each plate has two teeth
    // whose working faces meet at 60 degrees.
    const qreal p = 110, y = 120, x0 = 60, h = 70;
    for (int k = 0; k < 3; ++k) {
        const qreal a = x0 + k * p;
        QPolygonF plate;
        const qreal top = y - h * 0.42;
        const qreal bottom = y + h * 0.58;
        const qreal notch = p * 0.5;
        // Upper edge straight, lower edge with the two teeth (60 degree flanks) and a notch.
        const qreal depth = (notch / 2) * std::sqrt(3.0) * 0.55;
        plate << QPointF(a - p * 0.32, top) << QPointF(a + p * 1.32, top)
              << QPointF(a + p * 1.32, bottom - depth) << QPointF(a + p * 1.0 + 6, bottom)
              << QPointF(a + p * 0.5 + notch / 2 * 0.55, bottom)
              << QPointF(a + p * 0.5, bottom - depth)
              << QPointF(a + p * 0.5 - notch / 2 * 0.55, bottom) << QPointF(a - 6, bottom)
              << QPointF(a - p * 0.32, bottom - depth);
        QPainterPath path;
        path.addPolygon(plate);
        path.closeSubpath();
        fillOutline(painter, path, k % 2 ? QColor(0xf2, 0xf3, 0xf5) : kPartFill);
    }
    for (int k = 0; k <= 3; ++k) {
        const QPointF c(x0 + k * p, y);
        fillOutline(painter, circlePath(c, 9), QColor(0x9a, 0xa5, 0xb1));
        centreMark(painter, c, 16);
    }
    alignedDimension(painter, QPointF(x0 + p, y), QPointF(x0 + 2 * p, y), -(h * 0.42 + 18),
                     {QStringLiteral("p"), QString()});
    const QPointF notchTip(x0 + 1.5 * p, y + h * 0.58 - (p * 0.25) * std::sqrt(3.0) * 0.55);
    placeText(painter, plainTextPath(QStringLiteral("齿楔角60°"), 14), notchTip + QPointF(0, 60),
              Qt::AlignHCenter | Qt::AlignTop);

    // Plan views of the three guide arrangements, chain width b and overall width M.
    const char* names[3] = {"侧导（外导）", "中导（内导）", "双中导"};
    for (int g = 0; g < 3; ++g) {
        const qreal cx = 110 + g * 200, top = 260, w = g == 0 ? 70 : 110;
        QPainterPath links;
        links.addRect(QRectF(cx - w / 2, top, w, 60));
        fillOutline(painter, links);
        painter.setPen(thinPen(kOutline));
        for (qreal x = cx - w / 2 + 7; x < cx + w / 2; x += 7) {
            painter.drawLine(QPointF(x, top + 2), QPointF(x, top + 58));
        }
        QPainterPath guides;
        if (g == 0) {
            guides.addRect(QRectF(cx - w / 2 - 6, top - 6, 6, 72));
            guides.addRect(QRectF(cx + w / 2, top - 6, 6, 72));
        } else if (g == 1) {
            guides.addRect(QRectF(cx - 4, top - 6, 8, 72));
        } else {
            guides.addRect(QRectF(cx - w / 4 - 4, top - 6, 8, 72));
            guides.addRect(QRectF(cx + w / 4 - 4, top - 6, 8, 72));
        }
        fillOutline(painter, guides, QColor(0x9a, 0xa5, 0xb1));
        alignedDimension(painter, QPointF(cx - w / 2, top + 60), QPointF(cx + w / 2, top + 60), 14,
                         {QStringLiteral("b"), QString()});
        if (g == 0) {
            alignedDimension(painter, QPointF(cx - w / 2 - 6, top - 6),
                             QPointF(cx + w / 2 + 6, top - 6), -14,
                             {QStringLiteral("M"), QString()});
        }
        placeText(painter, plainTextPath(QString::fromUtf8(names[g]), 14), QPointF(cx, 392),
                  Qt::AlignHCenter | Qt::AlignBottom, kOutline);
    }
    return sheet.finish();
}

namespace {

// The cross-section through a pin of a chain of `rows` rows, `s` pixels per millimetre (16A
// proportions), its top at `top` and its middle at `cx`. Returns the middles of the rows.
std::vector<qreal> chainCrossSection(QPainter& painter, qreal cx, qreal top, int rows, qreal s) {
    const qreal b1 = 15.75 * s, b2 = 22.61 * s, pt = 29.29 * s, plate = (b2 - b1) / 2;
    const qreal outer = 3.2 * s;
    const qreal height = 64;
    const qreal width = (rows - 1) * pt + b2 + 2 * outer;
    const qreal left = cx - width / 2;
    QPainterPath pin;
    pin.addRect(QRectF(left - 5, top + height / 2 - 8, width + 10, 16));
    fillOutline(painter, pin, QColor(0x9a, 0xa5, 0xb1));
    std::vector<qreal> middles;
    for (int r = 0; r < rows; ++r) {
        const qreal mid = left + outer + b2 / 2 + r * pt;
        middles.push_back(mid);
        for (int side : {-1, 1}) {
            QPainterPath inner;
            const qreal x = side < 0 ? mid - b2 / 2 : mid + b1 / 2;
            inner.addRect(QRectF(x, top, plate, height));
            fillOutline(painter, inner);
        }
        QPainterPath roller;
        roller.addRect(QRectF(mid - b1 / 2 + 2, top + 12, b1 - 4, height - 24));
        fillOutline(painter, roller, QColor(0xc9, 0xd0, 0xd8));
        centreLine(painter, QPointF(mid, top - 12), QPointF(mid, top + height + 12));
    }
    QPainterPath outerPlates;
    outerPlates.addRect(QRectF(left, top - 4, outer, height + 8));
    outerPlates.addRect(QRectF(left + width - outer, top - 4, outer, height + 8));
    fillOutline(painter, outerPlates);
    return middles;
}

} // namespace

QImage drawMultiRowChain() {
    Sheet sheet(620, 300, QStringLiteral("多排链的截面（过销轴）"));
    QPainter& painter = sheet.painter();
    const qreal s = 1.55, top = 120;
    const qreal centres[4] = {44, 153, 308, 509};
    const char* names[4] = {"单排  n = 1", "双排  n = 2", "三排  n = 3", "四排  n = 4"};
    for (int n = 1; n <= 4; ++n) {
        const auto middles = chainCrossSection(painter, centres[n - 1], top, n, s);
        if (n > 1) {
            alignedDimension(painter, QPointF(middles[0], top - 12), QPointF(middles[1], top - 12),
                             -12, {QStringLiteral("p"), QStringLiteral("t")});
        }
        placeText(painter, plainTextPath(QString::fromUtf8(names[n - 1]), 14),
                  QPointF(centres[n - 1], top + 104), Qt::AlignHCenter | Qt::AlignTop, kOutline);
    }
    placeText(painter,
              plainTextPath(QStringLiteral("排数系数 Kp：n 排链所能传递的功率与单排链之比"), 14),
              QPointF(310, 288), Qt::AlignHCenter | Qt::AlignBottom, kOutline);
    return sheet.finish();
}

} // namespace zorvane::artwork
