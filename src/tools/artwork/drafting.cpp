#include "tools/artwork/drafting.h"

#include "tools/artwork/paint_kit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPolygonF>
#include <QRectF>

#include <cmath>

namespace zorvane::artwork::drafting {

namespace {

constexpr qreal kArrowHalfWidth = 2.6;
constexpr qreal kExtensionGap = 3.0;    // between a feature and its extension line
constexpr qreal kExtensionBeyond = 5.0; // extension line past the dimension line
constexpr qreal kOutsideTail = 10.0;    // dimension line beyond an outside arrow

qreal length(QPointF v) {
    return std::hypot(v.x(), v.y());
}

qreal degrees(qreal radians) {
    return radians * 180 / kPi;
}

qreal advance(const QString& text, int pixelSize, bool italic) {
    QFont font(textFamily());
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font).horizontalAdvance(text);
}

// The alignment that puts a label on the side of an anchor that `away` points to.
Qt::Alignment facing(QPointF away) {
    if (away.y() < -0.6) {
        return Qt::AlignHCenter | Qt::AlignBottom;
    }
    if (away.y() > 0.6) {
        return Qt::AlignHCenter | Qt::AlignTop;
    }
    return (away.x() > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

} // namespace

QPointF direction(qreal angle) {
    return {std::cos(angle), std::sin(angle)};
}

QPointF unit(QPointF vector) {
    const qreal size = length(vector);
    return size > 0 ? vector / size : QPointF();
}

QPointF normal(QPointF vector) {
    return {-vector.y(), vector.x()};
}

QPainterPath symbolPath(const Symbol& symbol, int pixelSize) {
    QPainterPath path = textPath(symbol.base, pixelSize, QPointF(0, 0), 0, true);
    if (!symbol.sub.isEmpty()) {
        const int subSize = static_cast<int>(std::lround(pixelSize * 0.68));
        // The italic letter leans right; the subscript starts under its foot.
        const QPointF origin(advance(symbol.base, pixelSize, true) + 0.5, pixelSize * 0.26);
        path.addPath(textPath(symbol.sub, subSize, origin));
    }
    return path;
}

QPainterPath plainTextPath(const QString& text, int pixelSize) {
    return textPath(text, pixelSize, QPointF(0, 0));
}

void placeText(QPainter& painter, const QPainterPath& text, QPointF anchor, Qt::Alignment alignment,
               QColor ink) {
    const QRectF box = text.boundingRect();
    qreal x = anchor.x() - box.left();
    if (alignment & Qt::AlignRight) {
        x = anchor.x() - box.right();
    } else if (alignment & Qt::AlignHCenter) {
        x = anchor.x() - box.center().x();
    }
    qreal y = anchor.y() - box.top();
    if (alignment & Qt::AlignBottom) {
        y = anchor.y() - box.bottom();
    } else if (alignment & Qt::AlignVCenter) {
        y = anchor.y() - box.center().y();
    }
    // The halo is the text filled in paper colour around a small circle; stroking glyph outlines
    // trips over their degenerate segments.
    for (int i = 0; i < 12; ++i) {
        const QPointF shift = direction(2 * kPi * i / 12) * 2.2;
        painter.fillPath(text.translated(x + shift.x(), y + shift.y()), kPaper);
    }
    painter.fillPath(text.translated(x, y), ink);
}

void placeSymbol(QPainter& painter, const Symbol& symbol, QPointF anchor, Qt::Alignment alignment) {
    placeText(painter, symbolPath(symbol), anchor, alignment);
}

QPen outlinePen() {
    return QPen(kOutline, kOutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen thinPen(QColor ink) {
    return QPen(ink, kThinWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPen centrePen() {
    QPen pen(kCentreLine, kThinWidth, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({16, 3, 2, 3});
    return pen;
}

void arrowHead(QPainter& painter, QPointF tip, QPointF towards) {
    const QPointF along = unit(towards);
    const QPointF across = normal(along) * kArrowHalfWidth;
    const QPointF back = tip - along * kArrowLength;
    QPainterPath head;
    head.addPolygon(QPolygonF{tip, back + across, back - across});
    head.closeSubpath();
    painter.fillPath(head, kDimension);
}

void dimensionLine(QPainter& painter, QPointF from, QPointF to, Arrows arrows) {
    const QPointF along = unit(to - from);
    painter.setPen(thinPen());
    switch (arrows) {
    case Arrows::Inside:
        painter.drawLine(from, to);
        arrowHead(painter, from, -along);
        arrowHead(painter, to, along);
        break;
    case Arrows::Outside:
        painter.drawLine(from - along * (kArrowLength + kOutsideTail),
                         to + along * (kArrowLength + kOutsideTail));
        arrowHead(painter, from, along);
        arrowHead(painter, to, -along);
        break;
    case Arrows::AtEndOnly:
        painter.drawLine(from, to);
        arrowHead(painter, to, along);
        break;
    }
}

void extensionLine(QPainter& painter, QPointF feature, QPointF to) {
    const QPointF along = unit(to - feature);
    painter.setPen(thinPen());
    painter.drawLine(feature + along * kExtensionGap, to + along * kExtensionBeyond);
}

void alignedDimension(QPainter& painter, QPointF a, QPointF b, qreal offset, const Symbol& symbol) {
    const QPointF side = unit(normal(b - a)) * (offset < 0 ? -1 : 1);
    const QPointF a2 = a + side * std::abs(offset);
    const QPointF b2 = b + side * std::abs(offset);
    extensionLine(painter, a, a2);
    extensionLine(painter, b, b2);
    const bool roomy = length(b2 - a2) > 2 * kArrowLength + 6;
    dimensionLine(painter, a2, b2, roomy ? Arrows::Inside : Arrows::Outside);
    placeSymbol(painter, symbol, (a2 + b2) / 2 + side * 4, facing(side));
}

QPainterPath arcPath(QPointF centre, qreal radius, qreal fromAngle, qreal toAngle) {
    // Qt counts degrees anticlockwise on screen; screen angles run clockwise.
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path;
    path.arcMoveTo(box, -degrees(fromAngle));
    path.arcTo(box, -degrees(fromAngle), -degrees(toAngle - fromAngle));
    return path;
}

void angleDimension(QPainter& painter, QPointF vertex, qreal fromAngle, qreal toAngle, qreal radius,
                    const Symbol& symbol, qreal labelGap) {
    const qreal low = std::min(fromAngle, toAngle);
    const qreal high = std::max(fromAngle, toAngle);
    const auto at = [&](qreal angle) { return vertex + direction(angle) * radius; };
    const qreal arrowTurn = kArrowLength / radius;
    const bool roomy = (high - low) * radius > 2 * kArrowLength + 4;
    painter.setPen(thinPen());
    painter.setBrush(Qt::NoBrush);
    if (roomy) {
        painter.drawPath(arcPath(vertex, radius, low, high));
        arrowHead(painter, at(low), at(low) - at(low + arrowTurn));
        arrowHead(painter, at(high), at(high) - at(high - arrowTurn));
    } else {
        const qreal tail = (kArrowLength + kOutsideTail) / radius;
        painter.drawPath(arcPath(vertex, radius, low - tail, high + tail));
        arrowHead(painter, at(low), at(low) - at(low - arrowTurn));
        arrowHead(painter, at(high), at(high) - at(high + arrowTurn));
    }
    const QPointF middle = direction((low + high) / 2);
    placeSymbol(painter, symbol, vertex + middle * (radius + labelGap), facing(middle));
}

void diameterLeader(QPainter& painter, QPointF centre, qreal angle, qreal radius,
                    const Symbol& symbol, qreal labelRadius, int labelSide) {
    const QPointF along = direction(angle);
    dimensionLine(painter, centre - along * 8, centre + along * radius, Arrows::AtEndOnly);
    const QPointF side = normal(along) * labelSide;
    placeSymbol(painter, symbol, centre + along * labelRadius + side * 5, facing(side));
}

void leaderToShoulder(QPainter& painter, QPointF point, QPointF along, const Symbol& symbol,
                      int side) {
    const QPointF elbow = point + unit(along) * 16;
    const QPointF end = elbow + QPointF(28 * side, 0);
    painter.setPen(thinPen());
    painter.drawLine(point, elbow);
    painter.drawLine(elbow, end);
    placeSymbol(painter, symbol, (elbow + end) / 2 - QPointF(0, 2),
                Qt::AlignHCenter | Qt::AlignBottom);
}

void drawingTitle(QPainter& painter, const QString& title) {
    placeText(painter, plainTextPath(title, 17), QPointF(16, 16), Qt::AlignLeft | Qt::AlignTop,
              kOutline);
}

Sheet::Sheet(int width, int height, const QString& title)
    : image_(blankImage(width, height, kPaper)), painter_(&image_) {
    painter_.setRenderHint(QPainter::Antialiasing);
    drawingTitle(painter_, title);
}

QImage Sheet::finish() {
    painter_.end();
    return image_;
}

void measuringPin(QPainter& painter, QPointF centre, qreal radius) {
    painter.setPen(QPen(kOutline, 1.4));
    painter.setBrush(kSteel);
    painter.drawEllipse(centre, radius, radius);
}

void centreLine(QPainter& painter, QPointF from, QPointF to) {
    painter.setPen(centrePen());
    painter.drawLine(from, to);
}

void centreArc(QPainter& painter, QPointF centre, qreal radius, qreal fromAngle, qreal toAngle) {
    painter.setPen(centrePen());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arcPath(centre, radius, fromAngle, toAngle));
}

void centreMark(QPainter& painter, QPointF centre, qreal half) {
    centreLine(painter, centre - QPointF(half, 0), centre + QPointF(half, 0));
    centreLine(painter, centre - QPointF(0, half), centre + QPointF(0, half));
}

QPainterPath breakLine(QPointF from, QPointF to, qreal amplitude, int waves) {
    const QPointF across = unit(normal(to - from)) * amplitude;
    constexpr int kSteps = 48;
    QPainterPath path(from);
    for (int i = 1; i <= kSteps; ++i) {
        const qreal t = static_cast<qreal>(i) / kSteps;
        path.lineTo(from + (to - from) * t + across * std::sin(2 * kPi * waves * t));
    }
    return path;
}

void drawBrokenOff(QPainter& painter, const QPainterPath& body, const QPainterPath& wave,
                   QPointF farEnd, QPointF farStart) {
    QPainterPath window = wave;
    window.lineTo(farEnd);
    window.lineTo(farStart);
    window.closeSubpath();
    painter.save();
    painter.setClipPath(window);
    painter.fillPath(body, kPartFill);
    painter.strokePath(body, outlinePen());
    painter.restore();
    painter.save();
    painter.setClipPath(body);
    painter.strokePath(wave, thinPen(kOutline));
    painter.restore();
}

BrokenSector brokenSector(QPointF centre, qreal radius, qreal fromAngle, qreal toAngle) {
    const QPainterPath first = breakLine(centre, centre + direction(fromAngle) * radius, 2.5, 4);
    const QPainterPath second = breakLine(centre, centre + direction(toAngle) * radius, 2.5, 4);
    QPainterPath region = first;
    region.connectPath(arcPath(centre, radius, fromAngle, toAngle));
    region.connectPath(second.toReversed());
    region.closeSubpath();
    QPainterPath breaks = first;
    breaks.addPath(second);
    return {region, breaks};
}

void hatch(QPainter& painter, const QPainterPath& region, qreal spacing) {
    const QRectF box = region.boundingRect();
    painter.save();
    painter.setClipPath(region);
    painter.setPen(thinPen(kOutline));
    // Lines x + y = c, rising to the right at 45 degrees.
    const qreal step = spacing * std::sqrt(2.0);
    const qreal first = box.left() + box.top();
    const int count = static_cast<int>(std::ceil((box.width() + box.height()) / step)) + 1;
    for (int i = 0; i < count; ++i) {
        const qreal c = first + i * step;
        painter.drawLine(QPointF(c - box.bottom(), box.bottom()),
                         QPointF(c - box.top(), box.top()));
    }
    painter.restore();
}

} // namespace zorvane::artwork::drafting
