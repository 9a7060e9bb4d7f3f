// The checking drawings of the reference browser: the run-out check with two dial indicators,
// the sprocket blank with the sizes its tolerances apply to, the roller sprocket sizes that carry
// limit deviations (dk, df, MR and the caliper size Lx), and the toothed sprocket's inspected
// features (Δt, De, Di, ty at height y, b3).

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/browser_section.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace zorvane::artwork {

namespace {

using namespace drafting;
using section::Frame;

void caption(QPainter& painter, const QString& text, QPointF at) {
    placeText(painter, plainTextPath(text, 13), at, Qt::AlignHCenter | Qt::AlignBottom, kOutline);
}

// A dial indicator: the round dial at `dial` with its needle, and the plunger from the dial's rim
// to the tip at `tip`.
void dialIndicator(QPainter& painter, QPointF dial, QPointF tip) {
    const qreal radius = 22;
    const QPointF along = unit(tip - dial);
    painter.setPen(QPen(kOutline, 1.6));
    painter.drawLine(dial + along * radius, tip - along * 3);
    painter.setBrush(kOutline);
    painter.drawEllipse(tip - along * 3, 3, 3);
    painter.setBrush(QColor(0xf7, 0xf7, 0xf2));
    painter.drawEllipse(dial, radius, radius);
    painter.setPen(QPen(kOutline, 1));
    for (int i = 0; i < 20; ++i) {
        const QPointF d = direction(2 * kPi * i / 20);
        painter.drawLine(dial + d * (radius - 4), dial + d * (radius - (i % 5 == 0 ? 9 : 6)));
    }
    painter.setPen(QPen(QColor(0xb0, 0x3a, 0x2e), 1.6));
    painter.drawLine(dial, dial + direction(-kPi * 0.3) * (radius - 6));
}

Sprocket endView(QPointF centre, int teeth, qreal pitchRadius, qreal roller) {
    Sprocket shape;
    shape.centre = centre;
    shape.teeth = teeth;
    shape.pitchRadius = pitchRadius;
    shape.seatRadius = roller;
    shape.tipRadius = pitchRadius + roller * 1.1;
    shape.gapAngle = -kPi / 2;
    return shape;
}

void drawEndView(QPainter& painter, const Sprocket& shape, qreal bore) {
    const QPainterPath body = shape.outline().subtracted(circlePath(shape.centre, bore));
    painter.fillPath(body, kPartFill);
    painter.strokePath(body, outlinePen());
    centreMark(painter, shape.centre, bore + 14);
}

} // namespace

QImage drawRunout() {
    Sheet sheet(620, 420, QStringLiteral("链轮圆跳动的检验"));
    QPainter& painter = sheet.painter();

    // End view on the arbor; the radial indicator on a pin in the top tooth gap.
    const QPointF centre(170, 236);
    const Sprocket shape = endView(centre, 15, 112, 11);
    drawEndView(painter, shape, 22);
    painter.setPen(QPen(kOutline, 1.4));
    painter.setBrush(kSteel);
    painter.drawEllipse(centre, 22, 22);
    const QPointF pin = centre + QPointF(0, -112);
    measuringPin(painter, pin, 10.5);
    dialIndicator(painter, QPointF(170, 78), pin + QPointF(0, -10.5));
    section::note(painter, centre + QPointF(14, 14), QPointF(262, 380),
                  QStringLiteral("心轴（以孔定位）"), Qt::AlignLeft | Qt::AlignVCenter);
    caption(painter, QStringLiteral("径向圆跳动：表经量柱触齿根"), QPointF(170, 412));

    // Side view: the sprocket on the arbor between centres, the axial indicator on the side face.
    const qreal axis = 236, face = 430, width = 22, tip = 123, hub = 40;
    painter.setPen(outlinePen());
    painter.setBrush(kSteel);
    painter.drawRect(QRectF(QPointF(330, axis - 14), QPointF(560, axis + 14)));
    for (const qreal x : {330.0, 560.0}) {
        const qreal s = x < 400 ? -1 : 1;
        QPolygonF centreTip{QPointF(x + s * 26, axis - 12), QPointF(x + s * 26, axis + 12),
                            QPointF(x + s * 2, axis)};
        painter.setBrush(QColor(0x6a, 0x74, 0x80));
        painter.drawPolygon(centreTip);
    }
    QPainterPath side;
    side.addRect(QRectF(QPointF(face - width, axis - tip), QPointF(face, axis + tip)));
    side.addRect(QRectF(QPointF(face - width - 24, axis - hub), QPointF(face + 10, axis + hub)));
    side.setFillRule(Qt::WindingFill);
    const QPainterPath plate = side.simplified();
    painter.fillPath(plate, kPartFill);
    painter.strokePath(plate, outlinePen());
    painter.setPen(QPen(kOutline, 1));
    for (const int s : {-1, 1}) {
        painter.drawLine(QPointF(face - width, axis + s * (tip - 14)),
                         QPointF(face, axis + s * (tip - 14)));
    }
    centreLine(painter, QPointF(310, axis), QPointF(585, axis));
    const QPointF touch(face, axis - tip + 26);
    dialIndicator(painter, QPointF(530, touch.y()), touch + QPointF(1, 0));
    caption(painter, QStringLiteral("端面圆跳动：表触齿侧面"), QPointF(450, 412));
    placeText(painter,
              plainTextPath(QStringLiteral("转动链轮一周，表针最大与最小读数之差即为圆跳动"), 13),
              QPointF(604, 18), Qt::AlignRight | Qt::AlignTop, kOutline);
    return sheet.finish();
}

QImage drawSprocketBlank() {
    Sheet sheet(620, 420, QStringLiteral("链轮轮坯（轴向半剖面）"));
    QPainter& painter = sheet.painter();
    const Frame frame{300, 352};
    const qreal half = 30, tip = 250, root = 214, hubHalf = 62, hub = 104, bore = 58, chamfer = 8;
    QPolygonF outline{frame.at(-hubHalf, bore),       frame.at(-hubHalf, hub),
                      frame.at(-half, hub),           frame.at(-half, tip - chamfer),
                      frame.at(-half + chamfer, tip), frame.at(half - chamfer, tip),
                      frame.at(half, tip - chamfer),  frame.at(half, hub),
                      frame.at(hubHalf, hub),         frame.at(hubHalf, bore)};
    QPainterPath body;
    body.addPolygon(outline);
    body.closeSubpath();
    section::sectionFill(painter, body);
    centreLine(painter, frame.at(-hubHalf - 16, 0), frame.at(hubHalf + 16, 0));
    // The teeth are cut later down to the root circle.
    painter.setPen(QPen(kOutline, 1, Qt::DashLine));
    painter.drawLine(frame.at(-half, root), frame.at(half, root));
    section::note(painter, frame.at(half - 8, root), frame.at(half + 58, root - 26),
                  QStringLiteral("切齿后的齿根圆"), Qt::AlignLeft | Qt::AlignBottom);

    alignedDimension(painter, frame.at(-half, tip - chamfer), frame.at(half, tip - chamfer),
                     -(chamfer + 26), {QStringLiteral("b"), QStringLiteral("f")});
    section::halfDiameter(painter, frame, frame.at(half - chamfer, tip),
                          frame.at(hubHalf, 0).x() + 70, {QStringLiteral("d"), QStringLiteral("a")},
                          1, 30);
    const QPointF boreEnd = frame.at(-hubHalf, bore);
    section::halfDiameter(painter, frame, boreEnd, boreEnd.x() - 40,
                          {QStringLiteral("d"), QStringLiteral("k")}, -1, 14);
    // Datum A on the bore: a filled triangle on the bore line with its letter in a box.
    {
        const QPointF foot = frame.at(-hubHalf + 26, bore);
        QPainterPath triangle;
        triangle.addPolygon(
            QPolygonF{foot + QPointF(-7, 0), foot + QPointF(7, 0), foot + QPointF(0, 11)});
        triangle.closeSubpath();
        painter.fillPath(triangle, kDimension);
        painter.setPen(thinPen());
        painter.drawLine(foot + QPointF(0, 11), foot + QPointF(0, 34));
        const QRectF box(foot + QPointF(-11, 34), QSizeF(22, 22));
        painter.setBrush(kPaper);
        painter.drawRect(box);
        placeText(painter, plainTextPath(QStringLiteral("A"), 15), box.center(), Qt::AlignCenter);
    }
    section::note(painter, frame.at(-half, tip - 40), frame.at(-half - 120, tip - 20),
                  QStringLiteral("端面圆跳动（基准 A）"), Qt::AlignRight | Qt::AlignVCenter);
    section::note(painter, frame.at(-6, tip), frame.at(-120, tip + 46),
                  QStringLiteral("齿顶圆径向圆跳动（基准 A）"), Qt::AlignRight | Qt::AlignVCenter);
    caption(painter, QStringLiteral("齿形链链轮的齿宽按导向型式为 b3、F 或 W"), QPointF(310, 412));
    return sheet.finish();
}

QImage drawRollerDeviations() {
    Sheet sheet(620, 420, QStringLiteral("有极限偏差的滚子链轮尺寸"));
    QPainter& painter = sheet.painter();

    // Even count: bore dk, root diameter df, MR over pins.
    const QPointF even(170, 226);
    const Sprocket a = endView(even, 12, 104, 11);
    drawEndView(painter, a, 26);
    const qreal root = 104 - 11;
    for (const qreal angle : {-kPi / 2, kPi / 2}) {
        measuringPin(painter, even + direction(angle) * 104, 10.5);
    }
    alignedDimension(painter, even + QPointF(0, -104 - 10.5), even + QPointF(0, 104 + 10.5), 132,
                     {QStringLiteral("M"), QStringLiteral("R")});
    painter.setPen(QPen(kDimension, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(even, root, root);
    diameterLeader(painter, even, -kPi * 0.12, root, {QStringLiteral("d"), QStringLiteral("f")},
                   root * 0.62, -1);
    diameterLeader(painter, even, kPi * 0.8, 26, {QStringLiteral("d"), QStringLiteral("k")}, 40, 1);
    caption(painter, QStringLiteral("偶数齿：dk、df、MR"), QPointF(170, 410));

    // Odd count: the caliper size Lx over the roots of the nearest-opposite gaps.
    const QPointF odd(450, 226);
    const int teeth = 11;
    const Sprocket b = endView(odd, teeth, 104, 11);
    drawEndView(painter, b, 26);
    const qreal first = -kPi / 2;
    const qreal second = first + 2 * kPi / teeth * (teeth / 2);
    const QPointF p1 = odd + direction(first) * root;
    const QPointF p2 = odd + direction(second) * root;
    centreLine(painter, p1, p2);
    alignedDimension(painter, p1, p2, -118, {QStringLiteral("L"), QStringLiteral("x")});
    caption(painter, QStringLiteral("奇数齿：卡尺量齿根距离 Lx"), QPointF(450, 410));
    return sheet.finish();
}

namespace {

// A toothed chain sprocket seen along its axis: straight working faces, the faces of one tooth
// gap meeting at the 60 degree wedge angle.
QPainterPath toothedOutline(QPointF centre, int teeth, qreal tipRadius, qreal rootRadius) {
    const qreal step = 2 * kPi / teeth;
    QPolygonF outline;
    for (int k = 0; k < teeth; ++k) {
        const qreal middle = -kPi / 2 + k * step; // the middle of tooth k
        const qreal tipHalf = step * 0.14, rootHalf = step * 0.36, gapFloor = step * 0.5;
        outline << centre + direction(middle - rootHalf) * rootRadius
                << centre + direction(middle - tipHalf) * tipRadius
                << centre + direction(middle + tipHalf) * tipRadius
                << centre + direction(middle + rootHalf) * rootRadius
                << centre + direction(middle + gapFloor) * rootRadius;
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

} // namespace

QImage drawToothedChecks() {
    Sheet sheet(620, 440, QStringLiteral("齿形链链轮的检验项目"));
    QPainter& painter = sheet.painter();
    const QPointF centre(236, 500);
    const int teeth = 21;
    const qreal pitch = 300, tipRadius = 322, rootRadius = 272;
    const qreal step = 2 * kPi / teeth;
    const QPainterPath body = toothedOutline(centre, teeth, tipRadius, rootRadius);
    const QPainterPath wave = breakLine(QPointF(24, 404), QPointF(446, 404), 3, 5);
    drawBrokenOff(painter, body, wave, QPointF(446, 120), QPointF(24, 120));
    const qreal reach = 0.36;
    centreArc(painter, centre, pitch, -kPi / 2 - reach, -kPi / 2 + reach);

    // Δt: the pitch t between adjacent teeth on the pitch circle, checked tooth by tooth.
    const qreal t0 = -kPi / 2 - 2 * step, t1 = -kPi / 2 - step;
    for (const qreal t : {t0, t1}) {
        centreLine(painter, centre + direction(t) * (rootRadius - 14),
                   centre + direction(t) * (tipRadius + 56));
    }
    angleDimension(painter, centre, t0, t1, tipRadius + 44, {QStringLiteral("t"), QString()}, 4);
    placeText(painter, plainTextPath(QStringLiteral("相邻齿距差 Δt：相邻两齿距 t 之差"), 13),
              QPointF(24, 92), Qt::AlignLeft | Qt::AlignBottom);

    // De and Di from the centre below the picture.
    const auto fromBelow = [&](qreal angle, qreal radius, const Symbol& symbol) {
        const QPointF end = centre + direction(angle) * radius;
        const QPointF start = centre + direction(angle) * (radius - 110);
        dimensionLine(painter, start, end, Arrows::AtEndOnly);
        placeSymbol(painter, symbol, start + QPointF(4, 0), Qt::AlignLeft | Qt::AlignTop);
    };
    fromBelow(-kPi / 2 + step, tipRadius, {QStringLiteral("D"), QStringLiteral("e")});
    fromBelow(-kPi / 2 + 1.5 * step, rootRadius, {QStringLiteral("D"), QStringLiteral("i")});

    // ty: the thickness of the top tooth at the height y below its tip.
    {
        const qreal tipHalf = step * 0.14, rootHalf = step * 0.36;
        const qreal depth = 28;
        const qreal f = depth / (tipRadius - rootRadius);
        const auto side = [&](int s) {
            const QPointF tip = centre + direction(-kPi / 2 + s * tipHalf) * tipRadius;
            const QPointF root = centre + direction(-kPi / 2 + s * rootHalf) * rootRadius;
            return tip + (root - tip) * f;
        };
        const QPointF l = side(-1), r = side(1);
        dimensionLine(painter, l, r, Arrows::Outside);
        placeSymbol(painter, {QStringLiteral("t"), QStringLiteral("y")}, r + QPointF(24, 0),
                    Qt::AlignLeft | Qt::AlignVCenter);
        const QPointF tipLeft = centre + direction(-kPi / 2 - tipHalf) * tipRadius;
        alignedDimension(painter, QPointF(l.x(), tipLeft.y()), l, 30,
                         {QStringLiteral("y"), QString()});
        extensionLine(painter, tipLeft, QPointF(l.x() - 30, tipLeft.y()));
    }

    // The rim cut through a tooth on the right: tooth width b3; the side face for the axial
    // run-out.
    const qreal left = 484, right = 532, top = 170, bottom = 320, chamfer = 6;
    QPainterPath rim;
    rim.addPolygon(QPolygonF{QPointF(left, bottom + 20), QPointF(left, top + chamfer),
                             QPointF(left + chamfer, top), QPointF(right - chamfer, top),
                             QPointF(right, top + chamfer), QPointF(right, bottom + 20)});
    rim.closeSubpath();
    QPainterPath below;
    below.moveTo(right + 10, bottom + 40);
    below.lineTo(left - 10, bottom + 40);
    below.connectPath(breakLine(QPointF(left - 10, bottom), QPointF(right + 10, bottom), 2.5, 3));
    below.closeSubpath();
    section::sectionFill(painter, rim.subtracted(below), 6);
    painter.setPen(QPen(kOutline, 1, Qt::DashLine));
    painter.drawLine(QPointF(left, top + 50), QPointF(right, top + 50));
    alignedDimension(painter, QPointF(left, top + chamfer), QPointF(right, top + chamfer),
                     -(chamfer + 22), {QStringLiteral("b"), QStringLiteral("3")});
    section::note(painter, QPointF(right, 250), QPointF(544, 290), QStringLiteral("端面圆跳动"),
                  Qt::AlignLeft | Qt::AlignTop);
    caption(painter, QStringLiteral("轮缘剖面"), QPointF(508, 372));
    caption(painter,
            QStringLiteral("径向圆跳动查齿根圆 Di；两项跳动均以孔的轴线为基准；MR 见“量柱测量距”"),
            QPointF(310, 432));
    return sheet.finish();
}

} // namespace zorvane::artwork
