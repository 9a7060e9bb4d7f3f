// The toothed chain sprocket drawing of the database directory: a partial view of a sprocket for
// a toothed chain with two links seated and the spaces to their right left free, and a single
// link plate beside it, dimensioned with the symbols of the toothed size table (alpha, d, da,
// rA, phi, beta, gamma, h1, c, df, dE) and the pitch p.
//
// The profile follows from those sizes. Every tooth-space wall is a straight line tangent to the
// locating circle rA about the joint and inclined beta to the joint's radius, so the two walls
// either side of a link lie 60 degrees apart (alpha) and carry its outer flanks, and the flanks
// of a tooth lie gamma either side of its radius. The tips lie on the pitch polygon (da), the
// link teeth end h1 below the pitch line on the circle dE, and the root circle df lies c deeper.
// The heel of each plate is the locating circle about its pin.

#include "tools/artwork/artwork.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace zorvane::artwork {

namespace {

using namespace drafting;

constexpr int kTeeth = 17;
constexpr int kWidth = 620;
constexpr int kHeight = 440;
constexpr qreal kP = 104; // the pitch in pixels; every length below is in pitches
const QPointF kCentre(290, 420);
constexpr qreal kFirst = -146 * kPi / 180; // the edges of the view
constexpr qreal kLast = -38 * kPi / 180;

constexpr qreal kTop = -kPi / 2;
const qreal kToothAngle = 2 * kPi / kTeeth;             // phi
const qreal kSpaceAngle = kPi / 6 - kPi / kTeeth;       // beta
const qreal kProfileAngle = kPi / 6 - 2 * kPi / kTeeth; // gamma
const qreal kCot = 1 / std::tan(kPi / kTeeth);

const qreal kPitchRadius = 0.5 / std::sin(kPi / kTeeth);                        // d / 2
const qreal kTipRadius = kCot / 2;                                              // da / 2
const qreal kRootRadius = std::sqrt(std::pow(kCot - 1.26, 2) + 1.296328) / 2;   // df / 2
const qreal kContactRadius = std::sqrt(std::pow(kCot - 1.1, 2) + 1.515213) / 2; // dE / 2
constexpr qreal kLocating = 0.375;                                              // rA
constexpr qreal kWorkingDepth = 0.55;                                           // h1
constexpr qreal kRootDepth = kWorkingDepth + 0.08;                              // h1 + c
constexpr qreal kBoreRadius = 0.85;

// The plate: clearance of its inner flanks from the tooth under it, the crotch over that
// tooth's tip, the pin.
constexpr qreal kInnerClearance = 0.05;
constexpr qreal kCrotch = 0.17;
constexpr qreal kPinRadius = 0.13;

// Joints 0 to 4 from the left; the links sit on joints 0-1 and 1-2, tooth k lies between
// joints k - 1 and k.
qreal jointAngle(int k) {
    return kTop + (k - 1.5) * kToothAngle;
}

qreal toothAngle(int k) {
    return jointAngle(k) - kToothAngle / 2;
}

QPointF at(qreal angle, qreal radius) {
    return kCentre + direction(angle) * (radius * kP);
}

QPointF joint(int k) {
    return at(jointAngle(k), kPitchRadius);
}

// The two walls of the space at joint k meet at its apex, inside the root circle.
QPointF spaceApex(int k) {
    return at(jointAngle(k), kPitchRadius - kLocating / std::sin(kSpaceAngle));
}

// A wall of the space at joint k, outwards from the apex: side 1 is the wall clockwise of the
// joint (the left flank of the next tooth), -1 the other.
QPointF wallDirection(int k, int side) {
    return direction(jointAngle(k) + side * kSpaceAngle);
}

// Where two lines p + s u and q + t v meet.
QPointF meeting(QPointF p, QPointF u, QPointF q, QPointF v) {
    const QPointF d = q - p;
    return p + u * ((d.x() * v.y() - d.y() * v.x()) / (u.x() * v.y() - u.y() * v.x()));
}

QPainterPath sprocketOutline() {
    QPainterPath body = circlePath(kCentre, kTipRadius * kP);
    for (int k = 0; k < kTeeth; ++k) {
        const QPointF apex = spaceApex(k);
        QPainterPath space;
        space.addPolygon(QPolygonF{apex, apex + wallDirection(k, 1) * 3 * kP,
                                   apex + wallDirection(k, -1) * 3 * kP});
        space.closeSubpath();
        body = body.subtracted(space);
    }
    return body.united(circlePath(kCentre, kRootRadius * kP));
}

// A link's own frame: t along the pitch line from its left pin to its right, n square to it
// (towards the sprocket centre when seated), in pitches from the middle of the link.
struct Frame {
    QPointF middle;
    QPointF along;
    QPointF in;
    qreal scale = kP;

    QPointF point(qreal t, qreal n) const { return middle + (along * t + in * n) * scale; }
};

Frame seatedLink(int left) {
    const QPointF along = unit(joint(left + 1) - joint(left));
    return {(joint(left) + joint(left + 1)) / 2, along, normal(along)};
}

// The right outer flank at depth n: the line 30 degrees to n that touches the heel circle.
qreal outerFlank(qreal n) {
    return 0.5 + (kLocating - n / 2) / (std::sqrt(3.0) / 2);
}

QPainterPath plateOutline(const Frame& frame) {
    // The inner flank keeps clear of the tooth under the link, whose flank passes rA from the
    // pin at gamma to n.
    const qreal innerTop = 0.5 - kLocating / std::cos(kProfileAngle) + kInnerClearance;
    QPolygonF half; // the right half, from the middle of the back round to the crotch
    constexpr int kSteps = 16;
    for (int i = 0; i <= kSteps; ++i) {
        const qreal a = -kPi / 2 + (kPi / 2 + kPi / 6) * i / kSteps;
        half << QPointF(0.5 + kLocating * std::cos(a), kLocating * std::sin(a));
    }
    half << QPointF(outerFlank(kWorkingDepth), kWorkingDepth)
         << QPointF(innerTop + kWorkingDepth * std::tan(kProfileAngle), kWorkingDepth)
         << QPointF(innerTop, 0);
    for (int i = 0; i <= kSteps / 2; ++i) {
        const qreal a = -kPi / 2 * i / (kSteps / 2);
        half << QPointF(std::max(kCrotch, innerTop) * std::cos(a), kCrotch * std::sin(a));
    }
    QPolygonF outline;
    outline << frame.point(0, -kLocating);
    for (const QPointF& point : half) {
        outline << frame.point(point.x(), point.y());
    }
    for (auto point = half.rbegin(); point != half.rend(); ++point) {
        outline << frame.point(-point->x(), point->y());
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

void drawPlate(QPainter& painter, const Frame& frame) {
    painter.setPen(QPen(kOutline, 1.4));
    painter.setBrush(kPartFill);
    painter.drawPath(plateOutline(frame));
    for (const qreal t : {-0.5, 0.5}) {
        const QPointF pin = frame.point(t, 0);
        const qreal r = kPinRadius * frame.scale;
        painter.setPen(QPen(kOutline, 1.4));
        painter.setBrush(kPaper);
        painter.drawEllipse(pin, r, r);
        centreMark(painter, pin, r + 4);
    }
}

void drawSprocket(QPainter& painter) {
    const QPainterPath outline = sprocketOutline();
    const QPainterPath bore = circlePath(kCentre, kBoreRadius * kP);
    const BrokenSector sector = brokenSector(kCentre, (kPitchRadius + 0.8) * kP, kFirst, kLast);

    painter.save();
    painter.setClipPath(sector.region);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outlinePen());
    painter.drawPath(outline);
    painter.drawPath(bore);
    painter.restore();

    painter.save();
    painter.setClipPath(outline.subtracted(bore));
    painter.setPen(thinPen(kOutline));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(sector.breaks);
    painter.restore();

    centreArc(painter, kCentre, kPitchRadius * kP, kFirst - 0.03, kLast + 0.03);
    centreArc(painter, kCentre, kContactRadius * kP, kFirst + 0.02, kLast - 0.02);
    centreMark(painter, kCentre, 14);
    for (const int k : {1, 2}) {
        centreLine(painter, at(jointAngle(k), 1.55), at(jointAngle(k), kPitchRadius));
    }
    centreLine(painter, at(jointAngle(3), kRootRadius), at(jointAngle(3), kPitchRadius + 0.5));
    // The locating circle of the free space touches both its walls.
    centreArc(painter, joint(3), kLocating * kP, 0, 2 * kPi);
    centreMark(painter, joint(3), 6);
}

void drawChain(QPainter& painter) {
    for (const int left : {0, 1}) {
        const Frame link = seatedLink(left);
        centreLine(painter, link.point(left == 0 ? -1.1 : -0.5, 0),
                   link.point(left == 1 ? 0.8 : 0.5, 0));
        drawPlate(painter, link);
    }
}

// phi between two joints, beta between the free space's radius and its wall, and gamma between
// the free tooth's radius and its flank, shown beyond the point above the tip where they meet.
void drawSprocketAngles(QPainter& painter) {
    angleDimension(painter, kCentre, jointAngle(1), jointAngle(2), 1.75 * kP,
                   {QStringLiteral("φ"), {}});

    const QPointF apex = spaceApex(3);
    extensionLine(painter, apex + wallDirection(3, 1) * 0.75 * kP, apex);
    angleDimension(painter, apex, jointAngle(3), jointAngle(3) + kSpaceAngle, 0.62 * kP,
                   {QStringLiteral("β"), {}});

    const qreal middle = toothAngle(3);
    const QPointF corner = at(middle, kTipRadius);
    const QPointF top = meeting(kCentre, direction(middle), spaceApex(3), wallDirection(3, -1));
    const QPointF flankTip =
        meeting(spaceApex(3), wallDirection(3, -1), corner, direction(middle + kPi / 2));
    centreLine(painter, at(middle, kTipRadius - 0.3), top + direction(middle) * 0.42 * kP);
    extensionLine(painter, flankTip, top + wallDirection(3, -1) * 0.36 * kP);
    angleDimension(painter, top, middle - kProfileAngle, middle, 0.34 * kP,
                   {QStringLiteral("γ"), {}});
}

void drawChainDimensions(QPainter& painter) {
    // p between the pins of the right link, above the plates.
    alignedDimension(painter, joint(1), joint(2), -(kLocating * kP + 20),
                     {QStringLiteral("p"), {}});

    // rA: the heel of the left link, led out to the left.
    const Frame left = seatedLink(0);
    const QPointF heelDirection = unit(-left.along - left.in);
    const QPointF heel = joint(0) + heelDirection * kLocating * kP;
    dimensionLine(painter, joint(0), heel, Arrows::AtEndOnly);
    leaderToShoulder(painter, heel, heelDirection, {QStringLiteral("r"), QStringLiteral("A")}, -1);

    // h1: from the pitch line down to the end of the working flank, beside the left link.
    const QPointF flankEnd = left.point(-outerFlank(kWorkingDepth), kWorkingDepth);
    const QPointF lineEnd = left.point(-1.02, kWorkingDepth);
    extensionLine(painter, flankEnd, lineEnd);
    dimensionLine(painter, left.point(-0.97, 0), left.point(-0.97, kWorkingDepth));
    placeSymbol(painter, {QStringLiteral("h"), QStringLiteral("1")},
                left.point(-1.03, kWorkingDepth / 2), Qt::AlignRight | Qt::AlignVCenter);

    // c: from the tip of the right link's tooth down to the root, where the wall meets it.
    const Frame right = seatedLink(1);
    const qreal wall = outerFlank(kRootDepth);
    const QPointF rootPoint = right.point(wall, kRootDepth);
    dimensionLine(painter, right.point(wall, kWorkingDepth), rootPoint, Arrows::Outside);
    placeSymbol(painter, {QStringLiteral("c"), {}}, rootPoint + right.in * 20,
                Qt::AlignHCenter | Qt::AlignTop);
}

void drawDiameters(QPainter& painter) {
    diameterLeader(painter, kCentre, jointAngle(0), kPitchRadius * kP, {QStringLiteral("d"), {}},
                   1.3 * kP, -1);
    diameterLeader(painter, kCentre, toothAngle(1), kContactRadius * kP,
                   {QStringLiteral("d"), QStringLiteral("E")}, 1.3 * kP, 1);
    diameterLeader(painter, kCentre, jointAngle(3), kRootRadius * kP,
                   {QStringLiteral("d"), QStringLiteral("f")}, 1.25 * kP, -1);
    diameterLeader(painter, kCentre, toothAngle(4), kTipRadius * kP,
                   {QStringLiteral("d"), QStringLiteral("a")}, 1.5 * kP, 1);
}

// One plate on its own, with the wedge angle between its outer flanks.
void drawPlateDetail(QPainter& painter) {
    const Frame plate{QPointF(548, 92), QPointF(1, 0), QPointF(0, 1), 0.5 * kP};
    drawPlate(painter, plate);
    const QPointF leftTip = plate.point(-outerFlank(kWorkingDepth), kWorkingDepth);
    const QPointF rightTip = plate.point(outerFlank(kWorkingDepth), kWorkingDepth);
    const QPointF wedge = meeting(leftTip, direction(kTop - kPi / 6 + kPi), rightTip,
                                  direction(kTop + kPi / 6 + kPi));
    extensionLine(painter, leftTip, wedge);
    extensionLine(painter, rightTip, wedge);
    angleDimension(painter, wedge, kTop - kPi / 6, kTop + kPi / 6, 0.5 * plate.scale * 1.1,
                   {QStringLiteral("α"), {}}, 4);
    placeText(painter, plainTextPath(QStringLiteral("链板"), 14), plate.point(0, -kLocating - 0.25),
              Qt::AlignHCenter | Qt::AlignBottom, kOutline);
}

} // namespace

QImage drawToothedSprocketDrawing() {
    QImage image = blankImage(kWidth, kHeight, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSprocket(painter);
    drawChain(painter);
    drawSprocketAngles(painter);
    drawChainDimensions(painter);
    drawDiameters(painter);
    drawPlateDetail(painter);
    drawingTitle(painter, QStringLiteral("齿形链链轮"));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zorvane::artwork
