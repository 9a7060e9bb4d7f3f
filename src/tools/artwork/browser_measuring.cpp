// The measuring drawing of the reference browser: two pins in the tooth gaps of a sprocket with
// an even and with an odd tooth count, and the distance MR measured over them.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>

#include <cmath>

namespace zorvane::artwork {

namespace {

using namespace drafting;

// One sprocket seen along its axis with pins in the gap at the top and in the gap opposite, or
// the nearest to opposite for an odd count; MR over the pins below it.
void pinView(QPainter& painter, QPointF centre, int teeth, const QString& label) {
    const qreal pitchRadius = 110;
    const qreal pin = 11;
    const qreal step = 2 * kPi / teeth;
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
    const qreal first = -kPi / 2;
    const qreal second = teeth % 2 == 0 ? kPi / 2 : first + step * (teeth / 2);
    const QPointF a = centre + direction(first) * pitchRadius;
    const QPointF b = centre + direction(second) * pitchRadius;
    for (const QPointF& c : {a, b}) {
        painter.setPen(QPen(kOutline, 1.4));
        painter.setBrush(QColor(0x9a, 0xa5, 0xb1));
        painter.drawEllipse(c, pin, pin);
    }
    centreLine(painter, a, b);
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
        angleDimension(painter, centre, opposite, second, pitchRadius * 0.8,
                       {QStringLiteral("90°/z"), QString()}, 8);
    }
    placeText(painter, plainTextPath(label, 15), centre + QPointF(0, pitchRadius + 64),
              Qt::AlignHCenter | Qt::AlignTop, kOutline);
}

} // namespace

QImage drawMeasuringPins() {
    QImage image = blankImage(620, 420, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawingTitle(painter, QStringLiteral("量柱测量距MR"));
    pinView(painter, QPointF(185, 215), 12, QStringLiteral("偶数齿：MR = d + dR（滚子链）"));
    pinView(painter, QPointF(425, 215), 11, QStringLiteral("奇数齿：MR = d·cos(90°/z) + dR"));
    return image;
}

} // namespace zorvane::artwork
