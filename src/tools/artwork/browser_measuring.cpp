// The measuring drawings of the reference browser: two pins in the tooth gaps of a sprocket with
// an even and with an odd tooth count, and the distance MR measured over them; once for the roller
// chain sprocket (pins on the pitch circle) and once for the toothed chain sprocket, whose pins
// touch the two straight working faces of a gap and sit on the circle dc inside the pitch circle.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <utility>

namespace zorvane::artwork {

namespace {

using namespace drafting;

// The screen angle of the gap at the top, and of the gap opposite it (the nearest to opposite for
// an odd count).
constexpr qreal kTopGap = -kPi / 2;
qreal oppositeGap(int teeth) {
    return teeth % 2 == 0 ? kPi / 2 : kTopGap + 2 * kPi / teeth * (teeth / 2);
}

// Two measuring pins of radius `pin` on the circle of `pinCircle` about `centre`: one in the gap
// at the top, one in the gap opposite, or the nearest to opposite for an odd count, with the
// centre line through them. Returns their centres.
std::pair<QPointF, QPointF> measuringPins(QPainter& painter, QPointF centre, qreal pinCircle,
                                          qreal pin, int teeth) {
    const QPointF a = centre + direction(kTopGap) * pinCircle;
    const QPointF b = centre + direction(oppositeGap(teeth)) * pinCircle;
    for (const QPointF& c : {a, b}) {
        measuringPin(painter, c, pin);
    }
    centreLine(painter, a, b);
    return {a, b};
}

// One sprocket seen along its axis with pins in the gap at the top and in the gap opposite, or
// the nearest to opposite for an odd count; MR over the pins below it.
void pinView(QPainter& painter, QPointF centre, int teeth, const QString& label) {
    const qreal pitchRadius = 110;
    const qreal pin = 11;
    Sprocket shape;
    shape.centre = centre;
    shape.teeth = teeth;
    shape.pitchRadius = pitchRadius;
    shape.seatRadius = pin + 0.5;
    shape.tipRadius = pitchRadius + 13;
    shape.gapAngle = -kPi / 2;
    const QPainterPath outline = shape.outline();
    painter.fillPath(outline, kPartFill);
    painter.strokePath(outline, outlinePen());
    painter.setPen(centrePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, pitchRadius, pitchRadius);
    centreMark(painter, centre, 14);
    const auto [a, b] = measuringPins(painter, centre, pitchRadius, pin, teeth);
    // MR: the distance over the pins, measured along the line through their centres.
    const QPointF along = unit(b - a);
    const QPointF outerA = a - along * pin;
    const QPointF outerB = b + along * pin;
    alignedDimension(painter, outerA, outerB, teeth % 2 == 0 ? 128 : -128,
                     {QStringLiteral("M"), QStringLiteral("R")});
    diameterLeader(painter, a, -kPi / 4, pin, {QStringLiteral("d"), QStringLiteral("R")}, pin + 24,
                   1);
    diameterLeader(painter, centre, kPi * 0.8, pitchRadius, {QStringLiteral("d"), QString()},
                   pitchRadius * 0.55, 1);
    if (teeth % 2 != 0) {
        const qreal opposite = kPi / 2;
        painter.setPen(thinPen());
        painter.drawLine(centre, centre + direction(opposite) * (pitchRadius + 30));
        angleDimension(painter, centre, opposite, oppositeGap(teeth), pitchRadius * 0.8,
                       {QStringLiteral("90°/z"), QString()}, 8);
    }
    placeText(painter, plainTextPath(label, 15), centre + QPointF(0, pitchRadius + 64),
              Qt::AlignHCenter | Qt::AlignTop, kOutline);
}

} // namespace

QImage drawMeasuringPins() {
    Sheet sheet(620, 420, QStringLiteral("量柱测量距MR"));
    QPainter& painter = sheet.painter();
    pinView(painter, QPointF(185, 215), 12, QStringLiteral("偶数齿：MR = d + dR（滚子链）"));
    pinView(painter, QPointF(425, 215), 11, QStringLiteral("奇数齿：MR = d·cos(90°/z) + dR"));
    return sheet.finish();
}

namespace {

// A toothed chain sprocket of `teeth` teeth seen along its axis, pitch p in pixels: the working
// faces of each gap touch the locating circle of radius 0.375p centred on the pitch circle and
// lean (30° − 180°/z) from the gap's axis; the round tip circle da = p(cot(180°/z) + 0.08).
// Returns the radius of the circle dc the pin centres lie on (pins of diameter 0.625p).
qreal toothedPinView(QPainter& painter, QPointF centre, int teeth, qreal pitchRadius,
                     const QString& label) {
    const qreal step = 2 * kPi / teeth;
    const qreal p = 2 * pitchRadius * std::sin(kPi / teeth);
    const qreal lean = kPi / 6 - kPi / teeth;
    const qreal offset = 0.375 * p / std::cos(lean);
    const qreal tip = p * (1 / std::tan(kPi / teeth) + 0.08) / 2;
    const qreal floor = pitchRadius - 0.55 * p;
    // A point of the face on side s of the gap whose axis is at `axis`, at axial distance u.
    const auto face = [&](qreal axis, int s, qreal u) {
        const qreal v = s * (offset + (u - pitchRadius) * std::tan(lean));
        return centre + direction(axis) * u + normal(direction(axis)) * v;
    };
    const auto tipReach = [&](qreal axis, int s) {
        qreal low = floor, high = tip + p;
        for (int i = 0; i < 60; ++i) {
            const qreal mid = (low + high) / 2;
            const QPointF d = face(axis, s, mid) - centre;
            (std::hypot(d.x(), d.y()) < tip ? low : high) = mid;
        }
        return low;
    };
    QPolygonF outline;
    for (int k = 0; k < teeth; ++k) {
        const qreal axis = -kPi / 2 + k * step;
        const qreal top = tipReach(axis, -1);
        outline << face(axis, -1, top) << face(axis, -1, floor) << face(axis, 1, floor)
                << face(axis, 1, top);
        // The tip circle on to the next gap's first face.
        const QPointF from = face(axis, 1, top) - centre;
        const QPointF to = face(axis + step, -1, tipReach(axis + step, -1)) - centre;
        const qreal a0 = std::atan2(from.y(), from.x());
        qreal a1 = std::atan2(to.y(), to.x());
        while (a1 < a0) {
            a1 += 2 * kPi;
        }
        for (int i = 1; i < 8; ++i) {
            outline << centre + direction(a0 + (a1 - a0) * i / 8) * tip;
        }
    }
    QPainterPath body;
    body.addPolygon(outline);
    body.closeSubpath();
    painter.fillPath(body, kPartFill);
    painter.strokePath(body, outlinePen());
    painter.setPen(centrePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, pitchRadius, pitchRadius);
    centreMark(painter, centre, 14);

    const qreal pin = 0.3125 * p;
    const qreal pinCircle = pitchRadius - 0.0625 * p / std::sin(lean);
    const auto [a, b] = measuringPins(painter, centre, pinCircle, pin, teeth);
    const QPointF along = unit(b - a);
    alignedDimension(painter, a - along * pin, b + along * pin, teeth % 2 == 0 ? 128 : -128,
                     {QStringLiteral("M"), QStringLiteral("R")});
    diameterLeader(painter, a, -kPi / 4, pin, {QStringLiteral("d"), QStringLiteral("R")}, pin + 22,
                   1);
    diameterLeader(painter, centre, kPi * 0.8, pitchRadius, {QStringLiteral("d"), QString()},
                   pitchRadius * 0.6, 1);
    if (teeth % 2 != 0) {
        painter.setPen(thinPen());
        painter.drawLine(centre, centre + direction(kPi / 2) * (pitchRadius + 30));
        angleDimension(painter, centre, kPi / 2, oppositeGap(teeth), pitchRadius * 0.45,
                       {QStringLiteral("90°/z"), QString()}, 8);
    } else {
        diameterLeader(painter, centre, kPi * 0.2, pinCircle,
                       {QStringLiteral("d"), QStringLiteral("c")}, pinCircle * 0.55, -1);
    }
    placeText(painter, plainTextPath(label, 15), centre + QPointF(0, pitchRadius + 64),
              Qt::AlignHCenter | Qt::AlignTop, kOutline);
    return pinCircle;
}

} // namespace

QImage drawToothedMeasuringPins() {
    Sheet sheet(620, 420, QStringLiteral("齿形链链轮的量柱测量距MR"));
    QPainter& painter = sheet.painter();
    toothedPinView(painter, QPointF(185, 215), 12, 110, QStringLiteral("偶数齿：MR = dc + dR"));
    toothedPinView(painter, QPointF(425, 215), 11, 110,
                   QStringLiteral("奇数齿：MR = dc·cos(90°/z) + dR"));
    return sheet.finish();
}

} // namespace zorvane::artwork
