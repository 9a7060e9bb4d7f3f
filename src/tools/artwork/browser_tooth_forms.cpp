// The end-face tooth forms of the roller chain sprocket in the reference browser: the tooth gap of
// the standard form with its minimum and maximum gap forms laid over each other (ri, re, α), and
// the three-arc-one-line groove with its arcs, centres and angles. Both are computed from the
// relations of their tables for a sprocket of 12 teeth; only symbols are written on them.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <tuple>
#include <utility>

namespace zorvane::artwork {

namespace {

using namespace drafting;

// The sprocket both forms are drawn for, in millimetres: 12 teeth of the chain 16A.
constexpr int kTeeth = 12;
constexpr qreal kPitch = 25.4;
constexpr qreal kRoller = 15.88; // d1

qreal radians(qreal degrees) {
    return degrees * kPi / 180;
}

// ---- The standard tooth gap ----

struct GapForm {
    qreal seat;  // ri
    qreal flank; // re
    qreal angle; // α, radians
};

// The minimum gap form: ri,min, re,max, α,max; the maximum: ri,max, re,min, α,min.
const GapForm kMinimumGap{0.505 * kRoller, 0.12 * kRoller*(kTeeth + 2),
                          radians(140 - 90.0 / kTeeth)};
const GapForm kMaximumGap{0.505 * kRoller + 0.069 * std::cbrt(kRoller),
                          0.008 * kRoller*(kTeeth* kTeeth + 180), radians(120 - 90.0 / kTeeth)};

struct GapView {
    QPointF seat; // the roller centre of the middle gap, on screen
    qreal scale;  // pixels per millimetre
    qreal pitchRadius = kPitch / (2 * std::sin(kPi / kTeeth));
    qreal tipRadius = 0;

    QPointF centre() const { return seat + QPointF(0, pitchRadius * scale); }
    // The roller centre of gap k (0 the middle one, -1 to its left).
    QPointF seatOf(int k) const {
        return centre() + direction(-kPi / 2 + k * 2 * kPi / kTeeth) * pitchRadius * scale;
    }
    // The direction from the middle seat towards the centre of flank circle `side` (-1 left).
    QPointF flankDirection(const GapForm& form, int side) const {
        return QPointF(side * std::sin(form.angle / 2), std::cos(form.angle / 2));
    }
    QPointF flankCentre(const GapForm& form, int side) const {
        return seat + flankDirection(form, side) * (form.seat + form.flank) * scale;
    }
};

GapView gapView() {
    GapView view{QPointF(300, 188), 9.2};
    const qreal d = 2 * view.pitchRadius;
    const qreal tipMax = d + 1.25 * kPitch - kRoller;
    const qreal tipMin = d + (1 - 1.6 / kTeeth) * kPitch - kRoller;
    view.tipRadius = (tipMax + tipMin) / 4;
    return view;
}

// The sprocket body near the middle gap for one gap form: the tip disk less the three gaps.
QPainterPath gapBody(const GapView& view, const GapForm& form) {
    QPainterPath body = circlePath(view.centre(), view.tipRadius * view.scale);
    const qreal step = 2 * kPi / kTeeth;
    for (int k = -1; k <= 1; ++k) {
        const qreal angle = -kPi / 2 + k * step;
        const QPointF seat = view.seatOf(k);
        const QPointF out = direction(angle);
        const QPointF across = normal(out);
        const qreal c = std::cos(form.angle / 2);
        const qreal s = std::sin(form.angle / 2);
        const QPointF toLeft = -out * c - across * s;
        const QPointF toRight = -out * c + across * s;
        const qreal ri = form.seat * view.scale;
        const qreal re = form.flank * view.scale;
        const QPainterPath flanks = circlePath(seat + toLeft * (ri + re), re)
                                        .united(circlePath(seat + toRight * (ri + re), re));
        const qreal far = (view.tipRadius + 12) * view.scale;
        QPainterPath space;
        space.addPolygon(
            QPolygonF{seat + toLeft * ri, view.centre() + direction(angle - step / 2) * far,
                      view.centre() + direction(angle + step / 2) * far, seat + toRight * ri});
        space.closeSubpath();
        body = body.subtracted(circlePath(seat, ri).united(space.subtracted(flanks)));
    }
    return body;
}

// A radius shown by a short line inward from the arc at `onArc` towards `centre`, arrow on the
// arc, the symbol at the inner end.
void radiusLeader(QPainter& painter, QPointF centre, QPointF onArc, qreal length,
                  const Symbol& symbol, Qt::Alignment alignment) {
    const QPointF inward = unit(centre - onArc);
    const QPointF start = onArc + inward * length;
    dimensionLine(painter, start, onArc, Arrows::AtEndOnly);
    placeSymbol(painter, symbol, start + inward * 3, alignment);
}

void legendLine(QPainter& painter, QPointF at, const QPen& pen, const QString& text) {
    painter.setPen(pen);
    painter.drawLine(at, at + QPointF(34, 0));
    placeText(painter, plainTextPath(text, 13), at + QPointF(42, 0),
              Qt::AlignLeft | Qt::AlignVCenter, kOutline);
}

} // namespace

QImage drawRollerToothGap() {
    QImage image = blankImage(620, 460, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const GapView view = gapView();
    // The body near the gap, cut off below by a break line.
    const QPainterPath wave = breakLine(QPointF(24, 410), QPointF(596, 410), 3, 6);
    QPainterPath window = wave;
    window.lineTo(596, 60);
    window.lineTo(24, 60);
    window.closeSubpath();
    const QPainterPath minimum = gapBody(view, kMinimumGap);
    const QPainterPath maximum = gapBody(view, kMaximumGap);
    painter.save();
    painter.setClipPath(window);
    painter.fillPath(minimum, kPartFill);
    painter.strokePath(minimum, outlinePen());
    QPen dashed(kOutline, 1.4, Qt::DashLine, Qt::FlatCap);
    painter.strokePath(maximum, dashed);
    painter.restore();
    painter.save();
    painter.setClipPath(minimum);
    painter.strokePath(wave, thinPen(kOutline));
    painter.restore();

    // Rollers, pitch circle and root circle.
    const qreal rollerRadius = kRoller / 2 * view.scale;
    for (int k = -1; k <= 1; ++k) {
        painter.setPen(QPen(kCentreLine, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(view.seatOf(k), rollerRadius, rollerRadius);
        centreMark(painter, view.seatOf(k), rollerRadius + 8);
    }
    const qreal spread = radians(40);
    centreArc(painter, view.centre(), view.pitchRadius * view.scale, -kPi / 2 - spread,
              -kPi / 2 + spread);
    const qreal rootRadius = view.pitchRadius - kMinimumGap.seat;
    painter.setPen(QPen(kDimension, 1.0, Qt::DotLine));
    painter.drawPath(arcPath(view.centre(), rootRadius * view.scale, -kPi / 2 - radians(9),
                             -kPi / 2 + radians(9)));

    // p between the roller centres of the middle gap and the one to its right.
    alignedDimension(painter, view.seat, view.seatOf(1), -118, {QStringLiteral("p"), QString()});
    diameterLeader(painter, view.seatOf(-1), -kPi * 0.75, rollerRadius,
                   {QStringLiteral("d"), QStringLiteral("1")}, rollerRadius * 0.5, -1);
    placeSymbol(painter, {QStringLiteral("d"), QString()},
                view.centre() +
                    direction(-kPi / 2 - spread + radians(3)) * (view.pitchRadius * view.scale + 6),
                Qt::AlignRight | Qt::AlignBottom);
    placeSymbol(painter, {QStringLiteral("d"), QStringLiteral("f")},
                view.seat + QPointF(0, kMinimumGap.seat * view.scale + 5),
                Qt::AlignHCenter | Qt::AlignTop);

    // The seating angles about the roller centre, α,max (minimum form) inside α,min.
    for (const auto& [form, radius, sub] :
         {std::tuple{kMinimumGap, 104.0, QStringLiteral("max")},
          std::tuple{kMaximumGap, 128.0, QStringLiteral("min")}}) {
        const qreal half = form.angle / 2;
        painter.setPen(thinPen());
        for (const int side : {-1, 1}) {
            const qreal angle = kPi / 2 - side * half;
            painter.drawLine(view.seat, view.seat + direction(angle) * (radius + 8));
        }
        angleDimension(painter, view.seat, kPi / 2 - half, kPi / 2 + half, radius,
                       {QStringLiteral("α"), sub}, 4);
    }

    // Seat radii: ri,min on the left, ri,max on the right; flank radii the same way.
    const auto seatPoint = [&](const GapForm& form, qreal fromDown) {
        return view.seat + direction(kPi / 2 + fromDown) * form.seat * view.scale;
    };
    for (const auto& [form, fromDown, sub, side] :
         {std::tuple{kMinimumGap, radians(28), QStringLiteral("i,min"), -1},
          std::tuple{kMaximumGap, -radians(28), QStringLiteral("i,max"), 1}}) {
        dimensionLine(painter, view.seat, seatPoint(form, fromDown), Arrows::AtEndOnly);
        placeSymbol(painter, {QStringLiteral("r"), sub}, view.seat + QPointF(side * 8, -8),
                    (side < 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom);
    }
    const auto flankPoint = [&](const GapForm& form, int side, qreal beyond) {
        const QPointF centre = view.flankCentre(form, side);
        const QPointF toSeat = unit(view.seat - centre);
        const QPointF turned = toSeat * std::cos(beyond) + normal(toSeat) * std::sin(beyond) * side;
        return std::pair{centre, centre + turned * form.flank * view.scale};
    };
    {
        const auto [centre, point] = flankPoint(kMinimumGap, -1, radians(8));
        radiusLeader(painter, centre, point, 56, {QStringLiteral("r"), QStringLiteral("e,max")},
                     Qt::AlignRight | Qt::AlignVCenter);
    }
    {
        const auto [centre, point] = flankPoint(kMaximumGap, 1, radians(5));
        radiusLeader(painter, centre, point, 56, {QStringLiteral("r"), QStringLiteral("e,min")},
                     Qt::AlignLeft | Qt::AlignVCenter);
    }

    drawingTitle(painter, QStringLiteral("滚子链轮端面齿槽形状"));
    QPen solid = outlinePen();
    legendLine(painter, QPointF(330, 26), solid,
               QStringLiteral("最小齿槽形状（ri,min  re,max  α,max）"));
    legendLine(painter, QPointF(330, 48), dashed,
               QStringLiteral("最大齿槽形状（ri,max  re,min  α,min）"));
    placeText(painter, plainTextPath(QStringLiteral("实际齿槽应介于两者之间；df = d − 2ri"), 13),
              QPointF(310, 452), Qt::AlignHCenter | Qt::AlignBottom, kOutline);
    return image;
}

namespace {

// ---- The three-arc-one-line groove ----

// The groove's construction in millimetres about the groove arc centre O, y towards the sprocket
// centre: a the end of the groove arc r1, b the end of the working arc r2 (centre O2), c the end
// of the straight line, d where the tip arc r3 (centre O3) meets the tip circle.
struct ThreeArc {
    qreal d1 = kRoller;
    qreal r1 = 0.5025 * kRoller + 0.05;
    qreal halfAlpha = radians(55 - 60.0 / kTeeth);
    qreal r2 = 1.3025 * kRoller + 0.05;
    qreal beta = radians(18 - 56.0 / kTeeth);
    qreal halfGamma = radians(17 - 64.0 / kTeeth);
    qreal r3 = kRoller * (1.3 * std::cos(radians(17 - 64.0 / kTeeth)) +
                          0.8 * std::cos(radians(18 - 56.0 / kTeeth)) - 1.3025) -
               0.05;
    qreal pitchRadius = kPitch / (2 * std::sin(kPi / kTeeth));
    qreal tipRadius = kPitch * (0.54 + 1 / std::tan(kPi / kTeeth)) / 2;

    QPointF o2() const { return 0.8 * d1 * QPointF(std::sin(halfAlpha), -std::cos(halfAlpha)); }
    QPointF o3() const {
        return 1.3 * d1 * QPointF(-std::cos(kPi / kTeeth), std::sin(kPi / kTeeth));
    }
    QPointF centre() const { return {0, pitchRadius}; }
    // The point of an arc about `c` at `fromDown` radians from straight down, towards the left.
    static QPointF onArc(QPointF c, qreal radius, qreal fromDown) {
        return c + radius * QPointF(-std::sin(fromDown), std::cos(fromDown));
    }
    QPointF a() const { return onArc({}, r1, halfAlpha); }
    QPointF b() const { return onArc(o2(), r2, halfAlpha + beta); }
    QPointF lineDirection() const {
        return {-std::cos(halfAlpha + beta), -std::sin(halfAlpha + beta)};
    }
    QPointF c() const {
        const qreal length = d1 * (1.3 * std::sin(halfGamma) - 0.8 * std::sin(beta));
        return b() + lineDirection() * length;
    }
    // The screen angle about the sprocket centre of the left tooth's middle.
    qreal toothAngle() const { return -kPi / 2 - kPi / kTeeth; }
    qreal angleAbout(QPointF p) const {
        return std::atan2(p.y() - centre().y(), p.x() - centre().x());
    }

    // The left flank from the bottom of the groove up to the middle of the left tooth.
    QPolygonF leftFlank() const {
        QPolygonF flank;
        constexpr int kSteps = 16;
        for (int i = 0; i <= kSteps; ++i) {
            flank << onArc({}, r1, halfAlpha * i / kSteps);
        }
        for (int i = 1; i <= kSteps; ++i) {
            flank << onArc(o2(), r2, halfAlpha + beta * i / kSteps);
        }
        flank << c();
        // The tip arc from c about O3, turning up, until it leaves the tip circle; then the tip
        // circle to the tooth's middle.
        const QPointF from = c() - o3();
        const qreal start = std::atan2(from.y(), from.x());
        QPointF last = c();
        for (int i = 1; i < 400; ++i) {
            const QPointF p = o3() + direction(start - i * 0.004) * r3;
            const QPointF fromCentre = p - centre();
            if (std::hypot(fromCentre.x(), fromCentre.y()) > tipRadius ||
                angleAbout(p) < toothAngle()) {
                break;
            }
            flank << p;
            last = p;
        }
        for (qreal angle = angleAbout(last); angle > toothAngle(); angle -= 0.004) {
            flank << centre() + direction(angle) * tipRadius;
        }
        flank << centre() + direction(toothAngle()) * tipRadius;
        return flank;
    }
};

// Where the tip arc ends: the last point of the flank that is not on the tip circle.
QPointF tipArcEnd(const ThreeArc& g, const QPolygonF& flank) {
    for (qsizetype i = flank.size() - 1; i > 0; --i) {
        const QPointF r = flank[i] - g.centre();
        if (std::hypot(r.x(), r.y()) < g.tipRadius - 1e-6) {
            return flank[i];
        }
    }
    return flank.last();
}

void pointLetter(QPainter& painter, QPointF at, const QString& letter, QPointF offset) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    painter.drawEllipse(at, 2.6, 2.6);
    placeText(painter, symbolPath({letter, {}}, 15), at + offset, Qt::AlignCenter, kOutline);
}

void centreLabel(QPainter& painter, QPointF at, const Symbol& symbol, QPointF offset) {
    centreMark(painter, at, 9);
    placeText(painter, symbolPath(symbol, 15), at + offset, Qt::AlignCenter, kOutline);
}

} // namespace

QImage drawThreeArcGroove() {
    QImage image = blankImage(620, 480, kPaper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const ThreeArc g;
    const qreal scale = 11;
    const QPointF origin(372, 256);
    const auto at = [&](QPointF mm) { return origin + mm * scale; };
    const auto mirrored = [](QPointF p) { return QPointF(-p.x(), p.y()); };

    // The teeth either side of the groove and their neighbours: the tip disk less three grooves,
    // cut off below by a break line.
    const QPolygonF flank = g.leftFlank();
    const qreal base = g.pitchRadius - 14;
    QPolygonF groove;
    groove << at(g.centre() + direction(g.toothAngle()) * (g.tipRadius + 20));
    for (qsizetype i = flank.size() - 1; i >= 0; --i) {
        groove << at(flank[i]);
    }
    for (qsizetype i = 1; i < flank.size(); ++i) {
        groove << at(mirrored(flank[i]));
    }
    groove << at(g.centre() + direction(-kPi - g.toothAngle()) * (g.tipRadius + 20));
    QPainterPath body = circlePath(at(g.centre()), g.tipRadius * scale);
    for (const int k : {-1, 0, 1}) {
        QTransform turn;
        turn.translate(at(g.centre()).x(), at(g.centre()).y());
        turn.rotateRadians(k * 2 * kPi / kTeeth);
        turn.translate(-at(g.centre()).x(), -at(g.centre()).y());
        QPainterPath space;
        space.addPolygon(turn.map(groove));
        space.closeSubpath();
        body = body.subtracted(space);
    }
    const QPainterPath wave = breakLine(at({-24, 13}), at({24, 13}), 3, 6);
    drawBrokenOff(painter, body, wave, at({24, -30}), at({-24, -30}));

    // The roller, the groove axis, the pitch line through O and O3, the left tooth's middle.
    painter.setPen(QPen(kCentreLine, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at({}), g.d1 / 2 * scale, g.d1 / 2 * scale);
    centreLine(painter, at({0, -14}), at({0, 15}));
    const QPointF chord = unit(g.o3());
    centreLine(painter, at(chord * -3), at(g.o3() + chord * 4));
    centreLine(painter, at({2.5, 0}), at({g.o2().x() + 4, 0}));
    const QPointF toothUp = direction(g.toothAngle());
    const QPointF c = g.c();
    const QPointF t = g.lineDirection();
    // Where the straight line, run on, crosses the tooth's middle: the vertex of γ/2.
    const QPointF m = g.centre();
    const qreal det = t.x() * -toothUp.y() + toothUp.x() * t.y();
    const qreal u = ((m.x() - c.x()) * -toothUp.y() + toothUp.x() * (m.y() - c.y())) / det;
    const QPointF vertex = c + t * u;
    centreLine(painter, at(g.centre() + toothUp * (base + 2)), at(vertex + toothUp * 1.5));
    painter.setPen(thinPen());
    painter.drawLine(at(c), at(vertex + t * 1.2));

    // The construction radii from their centres.
    const QPointF a = g.a(), b = g.b();
    const QPointF d = tipArcEnd(g, flank);
    painter.setPen(thinPen());
    for (const QPointF& end : {a, b}) {
        painter.drawLine(at(g.o2()), at(end));
    }
    painter.drawLine(at({}), at(a));
    dimensionLine(painter, at({}), at(ThreeArc::onArc({}, g.r1, -radians(28))), Arrows::AtEndOnly);
    placeSymbol(painter, {QStringLiteral("r"), QStringLiteral("1")},
                at(ThreeArc::onArc({}, g.r1 * 0.55, -radians(28))) + QPointF(6, 0),
                Qt::AlignLeft | Qt::AlignVCenter);
    const QPointF abMiddle = ThreeArc::onArc(g.o2(), g.r2, g.halfAlpha + g.beta / 2);
    placeSymbol(painter, {QStringLiteral("r"), QStringLiteral("2")},
                at((g.o2() + abMiddle) / 2) + QPointF(8, 4), Qt::AlignLeft | Qt::AlignTop);
    const QPointF cdMiddle = g.o3() + unit((c + d) / 2 - g.o3()) * g.r3;
    dimensionLine(painter, at(g.o3()), at(cdMiddle), Arrows::AtEndOnly);
    placeSymbol(painter, {QStringLiteral("r"), QStringLiteral("3")},
                at((g.o3() + cdMiddle) / 2) + QPointF(-6, 0), Qt::AlignRight | Qt::AlignBottom);

    // The angles: α/2 at O, β at O2, γ/2 between the line and the tooth's middle.
    angleDimension(painter, at({}), kPi / 2, kPi / 2 + g.halfAlpha, 34,
                   {QStringLiteral("α/2"), QString()}, 4);
    const auto screenAngle = [](QPointF v) { return std::atan2(v.y(), v.x()); };
    angleDimension(painter, at(g.o2()), screenAngle(a - g.o2()), screenAngle(b - g.o2()), 196,
                   {QStringLiteral("β"), QString()}, 4);
    angleDimension(painter, at(vertex), screenAngle(-toothUp), screenAngle(-t), 70,
                   {QStringLiteral("γ/2"), QString()}, 4);

    // O2 by M and T, O3 by W and V, all from O.
    const QPointF o2 = at(g.o2()), o3 = at(g.o3()), o = at({});
    centreLine(painter, o, QPointF(o.x(), o2.y() - 26));
    alignedDimension(painter, QPointF(o.x(), o2.y()), o2, -18, {QStringLiteral("M"), QString()});
    alignedDimension(painter, QPointF(o2.x(), o.y()), o2, 56, {QStringLiteral("T"), QString()});
    centreLine(painter, o3 - QPointF(0, 34), QPointF(o3.x(), o.y() + 150));
    centreLine(painter, o + QPointF(0, 40), QPointF(o.x(), o.y() + 150));
    alignedDimension(painter, QPointF(o3.x(), o.y() + 114), QPointF(o.x(), o.y() + 114), 0,
                     {QStringLiteral("W"), QString()});
    alignedDimension(painter, QPointF(o3.x(), o.y()), o3, 34, {QStringLiteral("V"), QString()});

    centreLabel(painter, o, {QStringLiteral("O"), QString()}, QPointF(-12, -12));
    centreLabel(painter, o2, {QStringLiteral("O"), QStringLiteral("2")}, QPointF(14, -12));
    centreLabel(painter, o3, {QStringLiteral("O"), QStringLiteral("3")}, QPointF(-14, 14));
    pointLetter(painter, at(a), QStringLiteral("a"), QPointF(-12, 6));
    pointLetter(painter, at(b), QStringLiteral("b"), QPointF(12, 0));
    pointLetter(painter, at(c), QStringLiteral("c"), QPointF(12, -2));
    pointLetter(painter, at(d), QStringLiteral("d"), QPointF(10, -10));

    drawingTitle(painter, QStringLiteral("三圆弧一直线齿槽形状"));
    return image;
}

} // namespace zorvane::artwork
