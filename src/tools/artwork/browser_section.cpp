#include "tools/artwork/browser_section.h"

#include "tools/artwork/paint_kit.h"

#include <cmath>

namespace zorvane::artwork::section {

using namespace drafting;

void appendTooth(QPolygonF& outline, const Frame& frame, qreal centre, qreal halfWidth, qreal from,
                 qreal tip, qreal sideRadius, qreal relief) {
    const qreal rise =
        std::sqrt(sideRadius * sideRadius - (sideRadius - relief) * (sideRadius - relief));
    const qreal start = tip - rise;
    constexpr int kSteps = 12;
    const auto inset = [&](qreal up) {
        return sideRadius - std::sqrt(sideRadius * sideRadius - up * up);
    };
    outline << frame.at(centre - halfWidth, from);
    for (int i = 0; i <= kSteps; ++i) {
        const qreal up = rise * i / kSteps;
        outline << frame.at(centre - halfWidth + inset(up), start + up);
    }
    for (int i = kSteps; i >= 0; --i) {
        const qreal up = rise * i / kSteps;
        outline << frame.at(centre + halfWidth - inset(up), start + up);
    }
    outline << frame.at(centre + halfWidth, from);
}

void halfDiameter(QPainter& painter, const Frame& frame, QPointF feature, qreal lineX,
                  const Symbol& symbol, int side, qreal labelDrop) {
    const QPointF top(lineX, feature.y());
    extensionLine(painter, feature, top);
    dimensionLine(painter, QPointF(lineX, frame.axis + 8), top, Arrows::AtEndOnly);
    placeSymbol(painter, symbol, QPointF(lineX + side * 4, top.y() + labelDrop),
                (side > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

void sectionFill(QPainter& painter, const QPainterPath& region, qreal spacing) {
    painter.fillPath(region, kPaper);
    hatch(painter, region, spacing);
    painter.setPen(outlinePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(region);
}

void note(QPainter& painter, QPointF from, QPointF to, const QString& text,
          Qt::Alignment alignment) {
    painter.setPen(thinPen());
    painter.drawLine(from, to);
    painter.setBrush(kDimension);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(from, 2.2, 2.2);
    placeText(painter, plainTextPath(text, 13), to, alignment);
}

} // namespace zorvane::artwork::section
