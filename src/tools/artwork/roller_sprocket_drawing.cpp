// The roller chain sprocket drawing of the database directory: a partial front view of a duplex
// sprocket with two rollers seated and the pitch polygon, and beside it the axial section through
// the top tooth, with the rim groove between the rows. The dimension symbols are those of the
// roller size table (d, da, df, ha, dg, pt) and of the chain (p, dr).

#include "tools/artwork/artwork.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace zorvane::artwork {

namespace {

using namespace drafting;

// The sprocket drawn, in millimetres: 15 teeth for the chain 16A, two rows.
constexpr int kTeeth = 15;
constexpr qreal kPitch = 25.4;
constexpr qreal kRoller = 15.88;      // dr
constexpr qreal kRowPitch = 29.29;    // pt
constexpr qreal kPlateHeight = 24.13; // h, inner plate
constexpr qreal kInnerWidth = 15.75;  // b1, between the inner plates
constexpr qreal kBoreRadius = 17;
constexpr qreal kShoulder = 3; // the body beyond the teeth on each side, below dg

// The picture, in pixels.
constexpr int kWidth = 620;
constexpr int kHeight = 360;
constexpr qreal kScale = 3.75; // pixels per millimetre
const QPointF kCentre(196, 334);
constexpr qreal kSectionX = 506;              // the middle plane of the section
constexpr qreal kHalfSector = 45 * kPi / 180; // the front view's reach either side of the top

const qreal kToothAngle = 2 * kPi / kTeeth;
constexpr qreal kTop = -kPi / 2;

// The sprocket's main sizes: the radii as the size table computes them (d, da between damin and
// damax, df, dg), the tooth gap of the standard tooth form (the seat radius ri at its smallest,
// the seating angle at its largest, the flank radius re) and the axial tooth shape (width bf1,
// side relief ba, side radius rx).
struct Sizes {
    qreal pitchRadius = kPitch / (2 * std::sin(kPi / kTeeth));
    qreal tipRadius = 0;
    qreal rootRadius = 0;
    qreal rimRadius = (kPitch / std::tan(kPi / kTeeth) - 1.04 * kPlateHeight - 0.76) / 2;
    qreal seatRadius = 0.505 * kRoller + 0.069 * std::cbrt(kRoller);
    qreal seatAngle = (140 - 90.0 / kTeeth) * kPi / 180;
    qreal flankRadius = 0.008 * kRoller * (kTeeth * kTeeth + 180);
    qreal toothWidth = 0.93 * kInnerWidth;
    qreal sideRelief = 0.13 * kPitch;
    qreal sideRadius = kPitch;

    Sizes() {
        const qreal d = 2 * pitchRadius;
        const qreal tipMax = d + 1.25 * kPitch - kRoller;
        const qreal tipMin = d + (1 - 1.6 / kTeeth) * kPitch - kRoller;
        tipRadius = (tipMax + tipMin) / 4;
        rootRadius = (d - kRoller) / 2;
    }
};

const Sizes kSizes;

qreal px(qreal millimetres) {
    return millimetres * kScale;
}

QPointF frontPoint(qreal angle, qreal radius) {
    return kCentre + direction(angle) * px(radius);
}

// The centre angle of tooth gap k: gaps -2 and 1 stay empty, -1 and 0 carry rollers.
qreal gapAngle(int k) {
    return kTop + (k + 0.5) * kToothAngle;
}

QPainterPath disk(QPointF centre, qreal radius) {
    return circlePath(centre, radius);
}

// One tooth gap: the roller seat over the seating angle, then the two convex flank arcs re that
// touch it where the seating angle ends, out to the tip circle. The gap reaches sideways to the
// middle of the teeth on either side.
QPainterPath gapShape(qreal angle) {
    const QPointF out = direction(angle);
    const QPointF across = normal(out);
    const QPointF seat = frontPoint(angle, kSizes.pitchRadius);
    const qreal ri = px(kSizes.seatRadius);
    const qreal re = px(kSizes.flankRadius);
    const qreal c = std::cos(kSizes.seatAngle / 2);
    const qreal s = std::sin(kSizes.seatAngle / 2);
    const QPointF toLeft = -out * c - across * s;
    const QPointF toRight = -out * c + across * s;
    // The flank circles lie in the teeth, touching the seat circle from outside.
    const QPainterPath flanks =
        disk(seat + toLeft * (ri + re), re).united(disk(seat + toRight * (ri + re), re));
    const qreal far = px(kSizes.tipRadius + 10);
    QPainterPath space;
    space.addPolygon(
        QPolygonF{seat + toLeft * ri, kCentre + direction(angle - kToothAngle / 2) * far,
                  kCentre + direction(angle + kToothAngle / 2) * far, seat + toRight * ri});
    space.closeSubpath();
    return disk(seat, ri).united(space.subtracted(flanks));
}

QPainterPath toothOutline() {
    QPainterPath body = disk(kCentre, px(kSizes.tipRadius));
    for (int k = 0; k < kTeeth; ++k) {
        body = body.subtracted(gapShape(gapAngle(k)));
    }
    return body;
}

void drawFrontView(QPainter& painter) {
    const QPainterPath outline = toothOutline();
    const QPainterPath bore = disk(kCentre, px(kBoreRadius));
    const QPainterPath material = outline.subtracted(bore);
    const BrokenSector sector =
        brokenSector(kCentre, px(kSizes.tipRadius + 12), kTop - kHalfSector, kTop + kHalfSector);
    const qreal first = kTop - kHalfSector - 0.05;
    const qreal last = kTop + kHalfSector + 0.05;

    // The pitch circle, and the pitch polygon the chain's pitch line follows.
    centreArc(painter, kCentre, px(kSizes.pitchRadius), first, last);
    for (int k = -2; k < 1; ++k) {
        centreLine(painter, frontPoint(gapAngle(k), kSizes.pitchRadius),
                   frontPoint(gapAngle(k + 1), kSizes.pitchRadius));
    }
    centreLine(painter, kCentre + QPointF(0, 14), frontPoint(kTop, kSizes.tipRadius + 7));
    centreLine(painter, kCentre - QPointF(14, 0), kCentre + QPointF(14, 0));

    painter.save();
    painter.setClipPath(sector.region);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outlinePen());
    painter.drawPath(outline);
    painter.drawPath(bore);
    // The shoulder beside the teeth (dg) shows as a circle on the face.
    painter.drawPath(disk(kCentre, px(kSizes.rimRadius)));
    painter.restore();

    // Break lines where the view is cut, drawn thin across the material only.
    painter.save();
    painter.setClipPath(material);
    painter.setPen(thinPen(kOutline));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(sector.breaks);
    painter.restore();

    // Two rollers seated in their gaps.
    for (const int k : {-1, 0}) {
        const QPointF centre = frontPoint(gapAngle(k), kSizes.pitchRadius);
        painter.setPen(QPen(kOutline, 1.4));
        painter.setBrush(kPartFill);
        painter.drawEllipse(centre, px(kRoller / 2), px(kRoller / 2));
        centreMark(painter, centre, px(kRoller / 2) + 4);
    }
}

void drawFrontDimensions(QPainter& painter) {
    const QPointF left = frontPoint(gapAngle(-1), kSizes.pitchRadius);
    const QPointF right = frontPoint(gapAngle(0), kSizes.pitchRadius);
    // p between the roller centres, above the teeth.
    const qreal aboveTips = left.y() - (kCentre.y() - px(kSizes.tipRadius)) + 20;
    alignedDimension(painter, left, right, -aboveTips, {QStringLiteral("p"), {}});

    // ha: from the side of the pitch polygon out to the tip, on the tooth left of the rollers.
    const qreal toothAngle = gapAngle(-1) - kToothAngle / 2;
    const QPointF chord = frontPoint(toothAngle, kSizes.pitchRadius * std::cos(kToothAngle / 2));
    const QPointF tip = frontPoint(toothAngle, kSizes.tipRadius);
    dimensionLine(painter, chord, tip);
    placeSymbol(painter, {QStringLiteral("h"), QStringLiteral("a")},
                (chord + tip) / 2 - normal(direction(toothAngle)) * 7,
                Qt::AlignRight | Qt::AlignVCenter);

    // dr across the right roller, led out to a shoulder.
    const qreal lead = -0.70;
    const QPointF along = direction(lead);
    const qreal r = px(kRoller / 2);
    const QPointF outer = right + along * r;
    dimensionLine(painter, right - along * r, outer);
    leaderToShoulder(painter, outer, along, {QStringLiteral("d"), QStringLiteral("r")}, 1);

    // The three diameters, from the centre: d to an empty seat, da to a tip, df to a root.
    const qreal labelAt = 0.58 * kSizes.pitchRadius;
    diameterLeader(painter, kCentre, gapAngle(-2), px(kSizes.pitchRadius),
                   {QStringLiteral("d"), {}}, px(labelAt), 1);
    diameterLeader(painter, kCentre, gapAngle(1) - kToothAngle / 2, px(kSizes.tipRadius),
                   {QStringLiteral("d"), QStringLiteral("a")}, px(labelAt), 1);
    diameterLeader(painter, kCentre, gapAngle(1), px(kSizes.rootRadius),
                   {QStringLiteral("d"), QStringLiteral("f")}, px(labelAt + 8), -1);
}

// ---- The axial section through the top tooth ----

QPointF sectionPoint(qreal axial, qreal radius) {
    return {kSectionX + px(axial), kCentre.y() - px(radius)};
}

// One row's tooth, from the groove level up: straight sides, then the side arcs rx that take
// ba off each side at the tip. Points run up the left side and down the right.
void appendTooth(QPolygonF& outline, qreal middle) {
    const Sizes& s = kSizes;
    const qreal half = s.toothWidth / 2;
    const qreal rise = std::sqrt(s.sideRadius * s.sideRadius -
                                 (s.sideRadius - s.sideRelief) * (s.sideRadius - s.sideRelief));
    const qreal start = s.tipRadius - rise;
    constexpr int kSteps = 10;
    outline << sectionPoint(middle - half, s.rimRadius);
    for (int i = 0; i <= kSteps; ++i) {
        const qreal up = rise * i / kSteps;
        const qreal in = s.sideRadius - std::sqrt(s.sideRadius * s.sideRadius - up * up);
        outline << sectionPoint(middle - half + in, start + up);
    }
    for (int i = kSteps; i >= 0; --i) {
        const qreal up = rise * i / kSteps;
        const qreal in = s.sideRadius - std::sqrt(s.sideRadius * s.sideRadius - up * up);
        outline << sectionPoint(middle + half - in, start + up);
    }
    outline << sectionPoint(middle + half, s.rimRadius);
}

qreal sectionHalfWidth() {
    return (kRowPitch + kSizes.toothWidth) / 2 + kShoulder;
}

QPainterPath sectionOutline() {
    const qreal half = sectionHalfWidth();
    QPolygonF outline;
    outline << sectionPoint(-half, kBoreRadius) << sectionPoint(-half, kSizes.rimRadius);
    appendTooth(outline, -kRowPitch / 2);
    appendTooth(outline, kRowPitch / 2);
    outline << sectionPoint(half, kSizes.rimRadius) << sectionPoint(half, kBoreRadius);
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

void drawSection(QPainter& painter) {
    const QPainterPath outline = sectionOutline();
    hatch(painter, outline, 5);
    painter.setPen(outlinePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);

    const qreal half = sectionHalfWidth();
    centreLine(painter, sectionPoint(-half - 4, 0), sectionPoint(half + 4, 0));
    // The pitch line across both rows, and the middle plane of each row.
    centreLine(painter, sectionPoint(-half - 3, kSizes.pitchRadius),
               sectionPoint(half + 3, kSizes.pitchRadius));
    for (const qreal row : {-kRowPitch / 2, kRowPitch / 2}) {
        centreLine(painter, sectionPoint(row, kSizes.rimRadius - 4),
                   sectionPoint(row, kSizes.tipRadius + 1.5));
    }
}

void drawSectionDimensions(QPainter& painter) {
    const qreal tipY = kCentre.y() - px(kSizes.tipRadius);
    const QPointF leftRow = sectionPoint(-kRowPitch / 2, kSizes.tipRadius);
    const QPointF rightRow = sectionPoint(kRowPitch / 2, kSizes.tipRadius);
    alignedDimension(painter, leftRow, rightRow, -(leftRow.y() - tipY + 20),
                     {QStringLiteral("p"), QStringLiteral("t")});

    // dg: the shoulder beside the teeth and the groove between the rows, from the axis.
    const QPointF shoulder = sectionPoint(-sectionHalfWidth(), kSizes.rimRadius);
    const qreal x = shoulder.x() - 20;
    extensionLine(painter, shoulder, QPointF(x, shoulder.y()));
    dimensionLine(painter, QPointF(x, kCentre.y() + 8), QPointF(x, shoulder.y()),
                  Arrows::AtEndOnly);
    placeSymbol(painter, {QStringLiteral("d"), QStringLiteral("g")},
                QPointF(x - 5, (kCentre.y() + shoulder.y()) / 2),
                Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

QImage drawRollerSprocketDrawing() {
    QImage image = blankImage(kWidth, kHeight, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFrontView(painter);
    drawSection(painter);
    drawFrontDimensions(painter);
    drawSectionDimensions(painter);
    drawingTitle(painter, QStringLiteral("滚子链链轮"));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zorvane::artwork
