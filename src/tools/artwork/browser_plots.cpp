// The coefficient curves of the reference browser: the roller chain tooth factor Kz, the toothed
// chain tooth factor Kz and the centre distance factor Ka, each drawn from the relation its table
// was computed from.

#include "tools/artwork/browser_drawings.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <vector>

namespace zorvane::artwork {

namespace {

using namespace drafting;

const QColor kCurveA(0x1b, 0x3d, 0x8f);
const QColor kCurveB(0xb0, 0x3a, 0x2e);
const QColor kGrid(0xdd, 0xe1, 0xe6);

// A chart area with linear axes from (x0, y0) to (x1, y1) in data units.
struct Chart {
    QRectF area;
    qreal x0, x1, y0, y1;

    QPointF at(qreal x, qreal y) const {
        return {area.left() + (x - x0) / (x1 - x0) * area.width(),
                area.bottom() - (y - y0) / (y1 - y0) * area.height()};
    }
};

QString number(qreal value, int decimals) {
    return QString::number(value, 'f', decimals);
}

// Grid lines, axes with tick labels every `dx` and `dy`, and the axis symbols.
void drawAxes(QPainter& painter, const Chart& chart, qreal dx, qreal dy, int xDecimals,
              int yDecimals, const Symbol& xSymbol, const Symbol& ySymbol) {
    painter.setPen(QPen(kGrid, 1));
    for (qreal x = chart.x0; x <= chart.x1 + 1e-9; x += dx) {
        painter.drawLine(chart.at(x, chart.y0), chart.at(x, chart.y1));
    }
    for (qreal y = chart.y0; y <= chart.y1 + 1e-9; y += dy) {
        painter.drawLine(chart.at(chart.x0, y), chart.at(chart.x1, y));
    }
    painter.setPen(QPen(kOutline, 1.4));
    painter.drawLine(chart.at(chart.x0, chart.y0), chart.at(chart.x1, chart.y0));
    painter.drawLine(chart.at(chart.x0, chart.y0), chart.at(chart.x0, chart.y1));
    for (qreal x = chart.x0; x <= chart.x1 + 1e-9; x += dx) {
        const QPointF foot = chart.at(x, chart.y0);
        painter.setPen(QPen(kOutline, 1));
        painter.drawLine(foot, foot + QPointF(0, 4));
        placeText(painter, plainTextPath(number(x, xDecimals), 12), foot + QPointF(0, 7),
                  Qt::AlignHCenter | Qt::AlignTop, kOutline);
    }
    for (qreal y = chart.y0; y <= chart.y1 + 1e-9; y += dy) {
        const QPointF foot = chart.at(chart.x0, y);
        painter.setPen(QPen(kOutline, 1));
        painter.drawLine(foot, foot - QPointF(4, 0));
        placeText(painter, plainTextPath(number(y, yDecimals), 12), foot - QPointF(7, 0),
                  Qt::AlignRight | Qt::AlignVCenter, kOutline);
    }
    placeSymbol(painter, xSymbol, chart.area.bottomRight() + QPointF(0, 26),
                Qt::AlignRight | Qt::AlignTop);
    placeSymbol(painter, ySymbol, chart.area.topLeft() - QPointF(0, 10),
                Qt::AlignHCenter | Qt::AlignBottom);
}

void drawCurve(QPainter& painter, const Chart& chart, const std::function<QPointF(qreal)>& point,
               qreal from, qreal to, QColor ink, Qt::PenStyle style = Qt::SolidLine) {
    constexpr int kSteps = 160;
    QPainterPath path(chart.at(point(from).x(), point(from).y()));
    for (int i = 1; i <= kSteps; ++i) {
        const QPointF p = point(from + (to - from) * i / kSteps);
        path.lineTo(chart.at(p.x(), p.y()));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 2, style, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void dot(QPainter& painter, QPointF at, QColor ink) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(at, 3, 3);
}

// A legend line: a short stroke of the curve's colour, then its text.
void legend(QPainter& painter, QPointF at, QColor ink, const QString& text) {
    painter.setPen(QPen(ink, 2));
    painter.drawLine(at, at + QPointF(26, 0));
    placeText(painter, plainTextPath(text, 14), at + QPointF(34, 0),
              Qt::AlignLeft | Qt::AlignVCenter, kOutline);
}

} // namespace

QImage drawRollerToothFactorCurves() {
    Sheet sheet(520, 360, QStringLiteral("滚子链小链轮齿数系数Kz"));
    QPainter& painter = sheet.painter();
    const Chart chart{QRectF(70, 70, 410, 230), 9, 25, 0.2, 1.6};
    drawAxes(painter, chart, 2, 0.2, 0, 1, {QStringLiteral("z"), QStringLiteral("1")},
             {QStringLiteral("K"), QStringLiteral("z")});
    const auto curve = [](qreal exponent) {
        return [exponent](qreal z) { return QPointF(z, std::pow(z / 19, exponent)); };
    };
    drawCurve(painter, chart, curve(1.08), 9, 25, kCurveA);
    drawCurve(painter, chart, curve(1.5), 9, 25, kCurveB);
    for (int z = 9; z <= 25; ++z) {
        dot(painter, chart.at(z, std::pow(z / 19.0, 1.08)), kCurveA);
        dot(painter, chart.at(z, std::pow(z / 19.0, 1.5)), kCurveB);
    }
    painter.setPen(thinPen());
    painter.drawLine(chart.at(19, 0.2), chart.at(19, 1.0));
    placeText(painter, plainTextPath(QStringLiteral("z₁=19, Kz=1"), 13),
              chart.at(19, 1.0) + QPointF(-8, -8), Qt::AlignRight | Qt::AlignBottom);
    legend(painter, QPointF(90, 92), kCurveA, QStringLiteral("n₁低于峰值转速：(z₁/19)^1.08"));
    legend(painter, QPointF(90, 116), kCurveB, QStringLiteral("n₁不低于峰值转速：(z₁/19)^1.5"));
    return sheet.finish();
}

QImage drawToothedToothFactorCurve() {
    Sheet sheet(520, 360, QStringLiteral("齿形链齿数系数Kz"));
    QPainter& painter = sheet.painter();
    const Chart chart{QRectF(70, 70, 410, 230), 13, 41, 0.6, 2.0};
    drawAxes(painter, chart, 4, 0.2, 0, 1, {QStringLiteral("z"), QStringLiteral("1")},
             {QStringLiteral("K"), QStringLiteral("z")});
    const qreal k = std::log(1.88 / 0.77) / std::log(37.0 / 17.0);
    drawCurve(
        painter, chart, [k](qreal z) { return QPointF(z, 0.77 * std::pow(z / 17, k)); }, 17, 37,
        kCurveA);
    drawCurve(
        painter, chart, [](qreal z) { return QPointF(z, 0.77); }, 13, 17, kCurveB, Qt::DashLine);
    drawCurve(
        painter, chart, [](qreal z) { return QPointF(z, 1.88); }, 37, 41, kCurveB, Qt::DashLine);
    for (int z = 17; z <= 37; z += 2) {
        dot(painter, chart.at(z, 0.77 * std::pow(z / 17.0, k)), kCurveA);
    }
    placeText(painter, plainTextPath(QStringLiteral("z₁<17：0.77"), 13),
              chart.at(15, 0.77) + QPointF(0, 8), Qt::AlignHCenter | Qt::AlignTop);
    placeText(painter, plainTextPath(QStringLiteral("z₁>37：1.88"), 13),
              chart.at(39, 1.88) + QPointF(0, 8), Qt::AlignHCenter | Qt::AlignTop);
    legend(painter, QPointF(90, 92), kCurveA,
           QStringLiteral("Kz = 0.77·(z₁/17)^1.1478（奇数齿列表）"));
    return sheet.finish();
}

QImage drawCentreDistanceFactorCurve() {
    Sheet sheet(520, 360, QStringLiteral("中心距系数Ka  a = p·Ka·(2Lp − z₁ − z₂)"));
    QPainter& painter = sheet.painter();
    // The straight spans inclined at θ: r = 1/2 + (θ + cot θ)/π, Ka = 1/[4(θ sin θ + cos θ)].
    const Chart chart{QRectF(70, 70, 410, 230), 1, 4, 0.19, 0.25};
    drawAxes(painter, chart, 0.5, 0.01, 1, 2, {QStringLiteral("(Lp−z₁)/(z₂−z₁)"), QString()},
             {QStringLiteral("K"), QStringLiteral("a")});
    const auto point = [](qreal theta) {
        const qreal r = 0.5 + (theta + 1 / std::tan(theta)) / kPi;
        return QPointF(r, 1 / (4 * (theta * std::sin(theta) + std::cos(theta))));
    };
    // θ from the ratio 4 (small angle) up to the ratio 1.05.
    qreal low = 0.05, high = 1.2;
    for (int i = 0; i < 60; ++i) {
        const qreal mid = (low + high) / 2;
        (point(mid).x() > 4 ? low : high) = mid;
    }
    qreal top = low;
    low = 0.05;
    high = 1.5;
    for (int i = 0; i < 60; ++i) {
        const qreal mid = (low + high) / 2;
        (point(mid).x() > 1.05 ? low : high) = mid;
    }
    drawCurve(painter, chart, point, top, low, kCurveA);
    drawCurve(
        painter, chart, [](qreal r) { return QPointF(r, 0.19245); }, 1, 1.05, kCurveB,
        Qt::DashLine);
    placeText(painter, plainTextPath(QStringLiteral("比值≤1.05：Ka=0.19245"), 13),
              chart.at(1.05, 0.19245) + QPointF(10, -4), Qt::AlignLeft | Qt::AlignBottom);
    placeText(painter, plainTextPath(QStringLiteral("比值>30：Ka=0.25"), 13),
              chart.at(4, 0.25) + QPointF(-4, 6), Qt::AlignRight | Qt::AlignTop);
    return sheet.finish();
}

} // namespace zorvane::artwork
