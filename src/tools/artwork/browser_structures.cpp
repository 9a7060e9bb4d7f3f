// The sprocket structures of the reference browser, each an axial half-section: the solid steel
// small sprocket with its hub beside the teeth, and the cast web sprocket with one and with three
// rows of teeth. The symbols are those of the structure tables (dk, dh, h, l, d, bf1, pt, bfn);
// the web and rim sizes whose relations were not found are named in words.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/browser_section.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace zorvane::artwork {

namespace {

using namespace drafting;
using section::Frame;

constexpr int kWidth = 620;
constexpr int kHeight = 440;

const QColor kPhantom(0x6a, 0x6a, 0x6a);

QPen phantomPen() {
    QPen pen(kPhantom, kThinWidth, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({12, 3, 2, 3, 2, 3});
    return pen;
}

QPainterPath box(const Frame& frame, qreal left, qreal right, qreal low, qreal high) {
    QPainterPath path;
    path.addRect(QRectF(frame.at(left, high), frame.at(right, low)).normalized());
    return path;
}

// The material filling a concave corner at `corner` (section coordinates) with a fillet of radius
// r: the square towards (sx, sy) less the circle that rounds it.
QPainterPath fillet(const Frame& frame, qreal axial, qreal radius, int sx, int sy, qreal r) {
    const QPainterPath square = box(frame, axial, axial + sx * r, radius, radius + sy * r);
    return square.subtracted(circlePath(frame.at(axial + sx * r, radius + sy * r), r));
}

// The axial tooth form of the rows whose middles are at `centres`, over a rim from `from` up.
QPainterPath teeth(const Frame& frame, std::initializer_list<qreal> centres, qreal halfWidth,
                   qreal from, qreal tip) {
    QPainterPath all;
    for (const qreal centre : centres) {
        QPolygonF outline;
        section::appendTooth(outline, frame, centre, halfWidth, from, tip, 80, 11);
        QPainterPath tooth;
        tooth.addPolygon(outline);
        tooth.closeSubpath();
        all = all.united(tooth);
    }
    return all;
}

// The inner link plates of the chain either side of a tooth, as phantom lines, down to `low`.
void chainPlates(QPainter& painter, const Frame& frame, qreal centre, qreal halfGap, qreal low,
                 qreal high) {
    painter.setPen(phantomPen());
    painter.setBrush(Qt::NoBrush);
    for (const int side : {-1, 1}) {
        const qreal inner = centre + side * halfGap;
        const qreal outer = inner + side * 11;
        painter.drawRect(
            QRectF(frame.at(std::min(inner, outer), high), frame.at(std::max(inner, outer), low)));
    }
}

void caption(QPainter& painter, const QString& text) {
    placeText(painter, plainTextPath(text, 13), QPointF(kWidth / 2.0, kHeight - 8),
              Qt::AlignHCenter | Qt::AlignBottom, kOutline);
}

void axisLine(QPainter& painter, const Frame& frame, qreal left, qreal right) {
    centreLine(painter, frame.at(left, 0), frame.at(right, 0));
}

// The hub's bore dk, outer diameter dh and wall h, dimensioned left of its end face at `end`.
void hubDimensions(QPainter& painter, const Frame& frame, qreal end, qreal bore, qreal hub) {
    const QPointF low = frame.at(end, bore);
    const QPointF high = frame.at(end, hub);
    alignedDimension(painter, low, high, -22, {QStringLiteral("h"), QString()});
    section::halfDiameter(painter, frame, low, low.x() - 50,
                          {QStringLiteral("d"), QStringLiteral("k")}, -1, 12);
    section::halfDiameter(painter, frame, high, high.x() - 78,
                          {QStringLiteral("d"), QStringLiteral("h")}, -1, 12);
}

} // namespace

QImage drawSolidSprocketStructure() {
    Sheet sheet(kWidth, kHeight, QStringLiteral("整体式钢制小链轮（轴向半剖面）"));
    QPainter& painter = sheet.painter();
    const Frame frame{330, 372};
    const qreal half = 24, tip = 236, pitch = 216, root = 196, rim = 170, hub = 116, bore = 68;
    const qreal hubEnd = -half - 96;
    QPainterPath body = box(frame, hubEnd, half, bore, hub);
    body = body.united(box(frame, -half, half, bore, hub + 10));
    body = body.united(teeth(frame, {0}, half, hub, tip));
    body = body.united(fillet(frame, -half, hub, -1, 1, 8));
    section::sectionFill(painter, body);
    axisLine(painter, frame, hubEnd - 14, half + 14);
    centreLine(painter, frame.at(-half - 12, pitch), frame.at(half + 12, pitch));
    painter.setPen(QPen(kOutline, kThinWidth, Qt::DashLine));
    painter.drawLine(frame.at(-half, root), frame.at(half, root));
    chainPlates(painter, frame, 0, half + 2, rim, pitch + 40);
    section::note(painter, frame.at(half + 13, pitch + 34), frame.at(half + 46, pitch + 62),
                  QStringLiteral("链板"), Qt::AlignLeft | Qt::AlignBottom);

    // The tooth: width bf1 above, the diameters to the right from the smallest out.
    const qreal straight = tip - 42;
    alignedDimension(painter, frame.at(-half, straight), frame.at(half, straight),
                     -(tip - straight + 26), {QStringLiteral("b"), QStringLiteral("f1")});
    const qreal x0 = frame.at(half, 0).x() + 58;
    section::halfDiameter(painter, frame, frame.at(half + 13, rim), x0,
                          {QStringLiteral("d"), QStringLiteral("g")}, 1);
    section::halfDiameter(painter, frame, frame.at(half, root), x0 + 30,
                          {QStringLiteral("d"), QStringLiteral("f")}, 1);
    section::halfDiameter(painter, frame, frame.at(half + 12, pitch), x0 + 60,
                          {QStringLiteral("d"), QString()}, 1);
    section::halfDiameter(painter, frame, frame.at(4, tip), x0 + 90,
                          {QStringLiteral("d"), QStringLiteral("a")}, 1);

    // The hub: bore dk, diameter dh, wall h, length l below the axis.
    hubDimensions(painter, frame, hubEnd, bore, hub);
    alignedDimension(painter, frame.at(hubEnd, bore), frame.at(half, bore), bore + 22,
                     {QStringLiteral("l"), QString()});
    caption(painter,
            QStringLiteral("h = K + dk/6 + 0.01d；轮毂直径 dh 不得超过 dg（轮毂不碰链板）"));
    return sheet.finish();
}

namespace {

// A cast web sprocket with `rows` rows of teeth at `rowPitch`: rim, web and hub with fillets.
void drawWebSprocket(QPainter& painter, int rows, qreal rowPitch) {
    const Frame frame{rows == 1 ? 330.0 : 318.0, 372};
    const qreal half = 20, tip = 250, pitch = 232, root = 214, rimInner = 176, hub = 92, bore = 54;
    const qreal web = 10, hubHalf = rows == 1 ? 52 : 70;
    const qreal rimHalf = (rows - 1) * rowPitch / 2 + half;
    QPainterPath body = box(frame, -rimHalf, rimHalf, rimInner, root - 4);
    body = body.united(box(frame, -web, web, hub, rimInner));
    body = body.united(box(frame, -hubHalf, hubHalf, bore, hub));
    if (rows == 1) {
        body = body.united(teeth(frame, {0}, half, rimInner, tip));
    } else {
        body = body.united(teeth(frame, {-rowPitch, 0, rowPitch}, half, rimInner, tip));
    }
    const qreal r = 9;
    for (const int sx : {-1, 1}) {
        body = body.united(fillet(frame, sx * web, rimInner, sx, -1, r));
        body = body.united(fillet(frame, sx * web, hub, sx, 1, r));
    }
    section::sectionFill(painter, body);
    axisLine(painter, frame, -hubHalf - 14, std::max(hubHalf, rimHalf) + 14);
    centreLine(painter, frame.at(-rimHalf - 12, pitch), frame.at(rimHalf + 12, pitch));

    // Rim and web, named in words: their proportions were not found.
    const qreal right = frame.at(std::max(rimHalf, hubHalf), 0).x();
    const qreal webAt = (hub + rimInner) / 2;
    dimensionLine(painter, frame.at(-web, webAt), frame.at(web, webAt), Arrows::Outside);
    placeText(painter, plainTextPath(QStringLiteral("腹板厚度"), 13), frame.at(web + 24, webAt),
              Qt::AlignLeft | Qt::AlignVCenter);
    alignedDimension(painter, frame.at(-rimHalf, rimInner), frame.at(-rimHalf, root - 4), -24, {});
    placeText(painter, plainTextPath(QStringLiteral("轮缘厚度"), 13),
              frame.at(-rimHalf - 30, (rimInner + root - 4) / 2),
              Qt::AlignRight | Qt::AlignVCenter);
    section::note(painter, frame.at(web + 3, hub + 3), frame.at(web + 64, hub + 20),
                  QStringLiteral("圆角"), Qt::AlignLeft | Qt::AlignVCenter);
    section::note(painter, frame.at(web + 3, rimInner - 3), frame.at(web + 64, rimInner - 20),
                  QStringLiteral("圆角"), Qt::AlignLeft | Qt::AlignVCenter);

    const qreal x0 = right + 50;
    section::halfDiameter(painter, frame, frame.at(rimHalf + 12, pitch), x0,
                          {QStringLiteral("d"), QString()}, 1);
    if (rows == 1) {
        const qreal straight = tip - 42;
        alignedDimension(painter, frame.at(-half, straight), frame.at(half, straight),
                         -(tip - straight + 26), {QStringLiteral("b"), QStringLiteral("f1")});
    } else {
        const qreal straight = tip - 42;
        alignedDimension(painter, frame.at(-rowPitch - half, straight),
                         frame.at(-rowPitch + half, straight), -(tip - straight + 16),
                         {QStringLiteral("b"), QStringLiteral("f1")});
        alignedDimension(painter, frame.at(0, tip), frame.at(rowPitch, tip), -16,
                         {QStringLiteral("p"), QStringLiteral("t")});
        alignedDimension(painter, frame.at(-rimHalf, straight), frame.at(rimHalf, straight),
                         -(tip - straight + 48), {QStringLiteral("b"), QStringLiteral("fn")});
    }
    hubDimensions(painter, frame, -hubHalf, bore, hub);
    alignedDimension(painter, frame.at(-hubHalf, bore), frame.at(hubHalf, bore), bore + 22,
                     {QStringLiteral("l"), QString()});
}

} // namespace

QImage drawWebSprocketStructure() {
    Sheet sheet(kWidth, kHeight, QStringLiteral("腹板式单排铸造链轮（轴向半剖面）"));
    QPainter& painter = sheet.painter();
    drawWebSprocket(painter, 1, 0);
    caption(painter, QStringLiteral("轮毂厚度 h = 9.5 + dk/6 + 0.01d"));
    return sheet.finish();
}

QImage drawMultiRowWebSprocketStructure() {
    Sheet sheet(kWidth, kHeight, QStringLiteral("腹板式多排铸造链轮（三排，轴向半剖面）"));
    QPainter& painter = sheet.painter();
    drawWebSprocket(painter, 3, 56);
    caption(painter, QStringLiteral("齿全宽 bfn = (n − 1)·pt + bf1"));
    return sheet.finish();
}

} // namespace zorvane::artwork
