// The axial tooth profiles of the reference browser: the roller chain sprocket's rim cut through
// a tooth, single row and three rows (bf1, ba, rx, ra, pt, bfn, dg, da), and the toothed chain
// sprocket's rims for the three guide arrangements (W, H, F, C, D, R, A, dg, M).

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/browser_section.h"
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
using section::Frame;

QPen phantomPen() {
    QPen pen(QColor(0x6a, 0x6a, 0x6a), kThinWidth, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({12, 3, 2, 3, 2, 3});
    return pen;
}

void label(QPainter& painter, const QString& text, QPointF at) {
    placeText(painter, plainTextPath(text, 14), at, Qt::AlignHCenter | Qt::AlignBottom, kOutline);
}

// ---- Roller chain sprocket ----

// In section coordinates (pixels): the tip radius, the flange radius dg, the break below it.
constexpr qreal kTip = 300, kFlange = 196, kBreak = 150;
constexpr qreal kHalfTooth = 34, kSideRadius = 104, kRelief = 14, kShoulder = 20, kFillet = 10;

// The rim cut through the teeth of `rows` rows at `rowPitch`: the teeth above dg, the flange
// beside them below dg with the fillet ra in each corner, a break line at the bottom.
QPainterPath rollerRim(const Frame& frame, int rows, qreal rowPitch) {
    const qreal first = -(rows - 1) * rowPitch / 2;
    QPainterPath rim;
    const qreal outer = -first + kHalfTooth + kShoulder;
    rim.addRect(QRectF(frame.at(-outer, kFlange), frame.at(outer, kBreak)));
    for (int r = 0; r < rows; ++r) {
        QPolygonF tooth;
        section::appendTooth(tooth, frame, first + r * rowPitch, kHalfTooth, kFlange - 2, kTip,
                             kSideRadius, kRelief);
        QPainterPath path;
        path.addPolygon(tooth);
        path.closeSubpath();
        rim = rim.united(path);
        for (const int side : {-1, 1}) {
            const qreal wall = first + r * rowPitch + side * kHalfTooth;
            QPainterPath corner;
            corner.addRect(
                QRectF(frame.at(std::min(wall, wall + side * kFillet), kFlange + kFillet),
                       frame.at(std::max(wall, wall + side * kFillet), kFlange)));
            rim = rim.united(corner.subtracted(
                circlePath(frame.at(wall + side * kFillet, kFlange + kFillet), kFillet)));
        }
    }
    // Cut the bottom along a break line.
    QPainterPath below;
    QPainterPath wave =
        breakLine(frame.at(-outer - 8, kBreak + 6), frame.at(outer + 8, kBreak + 6), 3, 5);
    below.moveTo(frame.at(outer + 8, kBreak - 40));
    below.lineTo(frame.at(-outer - 8, kBreak - 40));
    below.connectPath(wave);
    below.closeSubpath();
    return rim.subtracted(below);
}

void rollerRimView(QPainter& painter, const Frame& frame, int rows, qreal rowPitch) {
    const QPainterPath rim = rollerRim(frame, rows, rowPitch);
    section::sectionFill(painter, rim, 6);
    const qreal first = -(rows - 1) * rowPitch / 2;
    for (int r = 0; r < rows; ++r) {
        centreLine(painter, frame.at(first + r * rowPitch, kFlange - 12),
                   frame.at(first + r * rowPitch, kTip + 12));
    }
}

// The flange radius dg (or the tip radius) from the axis below the picture: one arrow upwards.
void fromAxis(QPainter& painter, const Frame& frame, QPointF feature, qreal lineX,
              const Symbol& symbol, int side) {
    const QPointF top(lineX, feature.y());
    extensionLine(painter, feature, top);
    dimensionLine(painter, QPointF(lineX, frame.at(0, kBreak - 30).y()), top, Arrows::AtEndOnly);
    placeSymbol(painter, symbol, QPointF(lineX + side * 4, top.y() + 22),
                (side > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

} // namespace

QImage drawRollerAxialProfile() {
    Sheet sheet(620, 420, QStringLiteral("滚子链轮轴向齿廓"));
    QPainter& painter = sheet.painter();

    // Single row: bf1, ba, rx, ra, dg, da.
    const Frame single{150, 470};
    rollerRimView(painter, single, 1, 0);
    const qreal straight = kTip - 40;
    alignedDimension(painter, single.at(-kHalfTooth, straight), single.at(kHalfTooth, straight),
                     -(kTip - straight + 34), {QStringLiteral("b"), QStringLiteral("f1")});
    alignedDimension(painter, single.at(kHalfTooth - kRelief, kTip), single.at(kHalfTooth, kTip),
                     -12, {QStringLiteral("b"), QStringLiteral("a")});
    {
        // rx: a radius of the left side arc, pointing at its middle from outside.
        const qreal rise = std::sqrt(kSideRadius * kSideRadius -
                                     (kSideRadius - kRelief) * (kSideRadius - kRelief));
        const QPointF centre = single.at(-kHalfTooth + kSideRadius, kTip - rise);
        const qreal angle = kPi + std::asin(rise / 2 / kSideRadius) * -1;
        const QPointF onArc = centre + direction(angle) * kSideRadius;
        const QPointF out = onArc - direction(angle) * -44;
        dimensionLine(painter, out, onArc, Arrows::AtEndOnly);
        placeSymbol(painter, {QStringLiteral("r"), QStringLiteral("x")}, out + QPointF(-4, 0),
                    Qt::AlignRight | Qt::AlignVCenter);
    }
    section::note(painter, single.at(kHalfTooth + 3, kFlange + 3),
                  single.at(kHalfTooth + 44, kFlange + 40), {}, Qt::AlignLeft);
    placeSymbol(painter, {QStringLiteral("r"), QStringLiteral("a")},
                single.at(kHalfTooth + 46, kFlange + 40), Qt::AlignLeft | Qt::AlignBottom);
    fromAxis(painter, single, single.at(-kHalfTooth - kShoulder, kFlange),
             single.at(-kHalfTooth - kShoulder, 0).x() - 22,
             {QStringLiteral("d"), QStringLiteral("g")}, -1);
    fromAxis(painter, single, single.at(-6, kTip), single.at(-kHalfTooth - kShoulder, 0).x() - 52,
             {QStringLiteral("d"), QStringLiteral("a")}, -1);
    label(painter, QStringLiteral("单排"), QPointF(single.middle, 408));

    // Three rows: bf1 of one row, pt, bfn, dg.
    const qreal pitch = 92;
    const Frame triple{430, 470};
    rollerRimView(painter, triple, 3, pitch);
    alignedDimension(painter, triple.at(-pitch - kHalfTooth, straight),
                     triple.at(-pitch + kHalfTooth, straight), -(kTip - straight + 18),
                     {QStringLiteral("b"), QStringLiteral("f1")});
    alignedDimension(painter, triple.at(0, kTip), triple.at(pitch, kTip), -18,
                     {QStringLiteral("p"), QStringLiteral("t")});
    alignedDimension(painter, triple.at(-pitch - kHalfTooth, straight),
                     triple.at(pitch + kHalfTooth, straight), -(kTip - straight + 56),
                     {QStringLiteral("b"), QStringLiteral("fn")});
    fromAxis(painter, triple, triple.at(pitch + kHalfTooth + kShoulder, kFlange),
             triple.at(pitch + kHalfTooth + kShoulder, 0).x() + 22,
             {QStringLiteral("d"), QStringLiteral("g")}, 1);
    label(painter, QStringLiteral("三排（多排）"), QPointF(triple.middle, 408));
    return sheet.finish();
}

namespace {

// ---- Toothed chain sprocket ----

constexpr qreal kToothedScale = 6;              // pixels per millimetre
constexpr qreal kRound = 5.08 * kToothedScale;  // R
constexpr qreal kDepth = 3.38 * kToothedScale;  // A
constexpr qreal kGroove = 2.54 * kToothedScale; // C
constexpr qreal kChamfer = 1.3 * kToothedScale; // H
constexpr qreal kTipY = 196, kFloorY = 260, kBottomY = 326;

// The material rounded off at a corner of the tip: the corner at x = `wall` on the tip line, the
// material on side `side`, the radius R centred at depth A.
QPainterPath roundedCorner(qreal wall, int side) {
    QPainterPath box;
    box.addRect(QRectF(QPointF(std::min(wall, wall + side * kRound), kTipY - 1),
                       QPointF(std::max(wall, wall + side * kRound), kTipY + kDepth)));
    return box.subtracted(circlePath(QPointF(wall + side * kRound, kTipY + kDepth), kRound));
}

// A rim of face width `width` about `middle` with grooves at the offsets `grooves`; the outer
// edges chamfered by H (side guide) or rounded by R.
QPainterPath toothedRim(qreal middle, qreal width, const std::vector<qreal>& grooves,
                        bool chamfered) {
    const qreal left = middle - width / 2, right = middle + width / 2;
    QPainterPath rim;
    rim.addRect(QRectF(QPointF(left, kTipY), QPointF(right, kBottomY)));
    for (const qreal g : grooves) {
        QPainterPath slot;
        slot.addRect(QRectF(QPointF(middle + g - kGroove / 2, kTipY - 1),
                            QPointF(middle + g + kGroove / 2, kFloorY)));
        rim = rim.subtracted(slot);
        rim = rim.subtracted(roundedCorner(middle + g - kGroove / 2, -1));
        rim = rim.subtracted(roundedCorner(middle + g + kGroove / 2, 1));
    }
    if (chamfered) {
        QPainterPath corners;
        corners.addPolygon(QPolygonF{QPointF(left - 1, kTipY - 1),
                                     QPointF(left + kChamfer + 1, kTipY - 1),
                                     QPointF(left - 1, kTipY + kChamfer + 1)});
        corners.addPolygon(QPolygonF{QPointF(right + 1, kTipY - 1),
                                     QPointF(right - kChamfer - 1, kTipY - 1),
                                     QPointF(right + 1, kTipY + kChamfer + 1)});
        rim = rim.subtracted(corners);
    } else {
        rim = rim.subtracted(roundedCorner(left, 1));
        rim = rim.subtracted(roundedCorner(right, -1));
    }
    QPainterPath below;
    below.moveTo(right + 10, kBottomY + 20);
    below.lineTo(left - 10, kBottomY + 20);
    below.connectPath(
        breakLine(QPointF(left - 10, kBottomY - 6), QPointF(right + 10, kBottomY - 6), 2.5, 4));
    below.closeSubpath();
    return rim.subtracted(below);
}

// The chain over the rim as a phantom: the link plates above the tip, guide plates reaching down
// beside the rim (side guide) or into the grooves.
void chainPhantom(QPainter& painter, qreal middle, qreal width, const std::vector<qreal>& guides,
                  qreal guideDepth) {
    painter.setPen(phantomPen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(QPointF(middle - width / 2, kTipY - 44), QPointF(middle + width / 2, kTipY - 6)));
    for (const qreal g : guides) {
        painter.drawRect(QRectF(QPointF(middle + g - 5, kTipY - 44),
                                QPointF(middle + g + 5, kTipY + guideDepth)));
    }
}

} // namespace

QImage drawToothedAxialProfile() {
    Sheet sheet(620, 420, QStringLiteral("齿形链链轮轴向齿廓"));
    QPainter& painter = sheet.painter();

    // Side guide: face width W, chamfer H; the chain's guide plates outside, its width M.
    const qreal sideMiddle = 100, sideWidth = 110;
    section::sectionFill(painter, toothedRim(sideMiddle, sideWidth, {}, true), 6);
    chainPhantom(painter, sideMiddle, sideWidth + 30, {-sideWidth / 2 - 10, sideWidth / 2 + 10},
                 30);
    alignedDimension(painter, QPointF(sideMiddle - sideWidth / 2, kBottomY - 20),
                     QPointF(sideMiddle + sideWidth / 2, kBottomY - 20), 50,
                     {QStringLiteral("W"), QString()});
    alignedDimension(painter, QPointF(sideMiddle - sideWidth / 2 - 15, kTipY - 44),
                     QPointF(sideMiddle + sideWidth / 2 + 15, kTipY - 44), -16,
                     {QStringLiteral("M"), QString()});
    alignedDimension(painter, QPointF(sideMiddle + sideWidth / 2, kTipY + kChamfer),
                     QPointF(sideMiddle + sideWidth / 2, kTipY), 26,
                     {QStringLiteral("H"), QString()});
    label(painter, QStringLiteral("侧导（外导）"), QPointF(sideMiddle, 408));

    // Centre guide: face width F, groove C with its entrance radius R at depth A, floor at dg.
    const qreal centreMiddle = 300, centreWidth = 150;
    section::sectionFill(painter, toothedRim(centreMiddle, centreWidth, {0}, false), 6);
    chainPhantom(painter, centreMiddle, centreWidth - 4, {0}, 34);
    alignedDimension(painter, QPointF(centreMiddle - centreWidth / 2, kBottomY - 20),
                     QPointF(centreMiddle + centreWidth / 2, kBottomY - 20), 50,
                     {QStringLiteral("F"), QString()});
    alignedDimension(painter, QPointF(centreMiddle - kGroove / 2, kFloorY),
                     QPointF(centreMiddle + kGroove / 2, kFloorY), 22,
                     {QStringLiteral("C"), QString()});
    {
        const QPointF centre(centreMiddle + kGroove / 2 + kRound, kTipY + kDepth);
        centreMark(painter, centre, 6);
        const QPointF onArc = centre + direction(-kPi * 0.8) * kRound;
        dimensionLine(painter, centre, onArc, Arrows::AtEndOnly);
        placeSymbol(painter, {QStringLiteral("R"), QString()}, centre + QPointF(6, 4),
                    Qt::AlignLeft | Qt::AlignTop);
        alignedDimension(painter, QPointF(centreMiddle + centreWidth / 2, kTipY),
                         QPointF(centreMiddle + centreWidth / 2, kTipY + kDepth), -24,
                         {QStringLiteral("A"), QString()});
        extensionLine(painter, centre, QPointF(centreMiddle + centreWidth / 2 + 24, centre.y()));
    }
    {
        const qreal x = centreMiddle - centreWidth / 2 - 22;
        extensionLine(painter, QPointF(centreMiddle - kGroove / 2, kFloorY), QPointF(x, kFloorY));
        dimensionLine(painter, QPointF(x, kBottomY + 40), QPointF(x, kFloorY), Arrows::AtEndOnly);
        placeSymbol(painter, {QStringLiteral("d"), QStringLiteral("g")},
                    QPointF(x - 4, kFloorY + 40), Qt::AlignRight | Qt::AlignVCenter);
    }
    label(painter, QStringLiteral("中导（内导）"), QPointF(centreMiddle, 408));

    // Two centre guides: grooves D apart.
    const qreal twoMiddle = 505, twoWidth = 170, half = 42;
    section::sectionFill(painter, toothedRim(twoMiddle, twoWidth, {-half, half}, false), 6);
    chainPhantom(painter, twoMiddle, twoWidth - 4, {-half, half}, 34);
    alignedDimension(painter, QPointF(twoMiddle - half, kTipY - 44),
                     QPointF(twoMiddle + half, kTipY - 44), -16, {QStringLiteral("D"), QString()});
    alignedDimension(painter, QPointF(twoMiddle - twoWidth / 2, kBottomY - 20),
                     QPointF(twoMiddle + twoWidth / 2, kBottomY - 20), 50,
                     {QStringLiteral("F"), QString()});
    label(painter, QStringLiteral("双中导"), QPointF(twoMiddle, 408));
    placeText(painter, plainTextPath(QStringLiteral("双点画线为链条；导槽全宽至少切到直径 dg"), 13),
              QPointF(16, 44), Qt::AlignLeft | Qt::AlignTop, kOutline);
    return sheet.finish();
}

} // namespace zorvane::artwork
