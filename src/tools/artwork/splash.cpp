// The start-up picture: a roller chain drive drawn from its geometry (pitch circles, the two
// outer tangents, a whole number of links), the title and the subtitle.

#include "tools/artwork/artwork.h"
#include "tools/artwork/chain_line.h"
#include "tools/artwork/paint_kit.h"

#include <QBrush>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <vector>

namespace zorvane::artwork {

namespace {

constexpr int kWidth = 423;
constexpr int kHeight = 318;

// The drive: chain pitch in pixels, tooth counts, number of links.
constexpr qreal kPitch = 14.0;
constexpr int kLargeTeeth = 25;
constexpr int kSmallTeeth = 13;
constexpr int kLinks = 50;

qreal arcPitchRadius(int teeth) {
    return ChainLine::arcPitchRadius(teeth, kPitch);
}

// A link plate from (0, 0) to (length, 0): round ends, waisted in the middle.
QPainterPath plateShape(qreal length, qreal endRadius, qreal waist) {
    const qreal control = 2 * waist - endRadius; // puts the curve's middle at the waist
    QPainterPath path;
    path.moveTo(0, -endRadius);
    path.quadTo(length / 2, -control, length, -endRadius);
    path.arcTo(length - endRadius, -endRadius, 2 * endRadius, 2 * endRadius, 90, -180);
    path.quadTo(length / 2, control, 0, endRadius);
    path.arcTo(-endRadius, -endRadius, 2 * endRadius, 2 * endRadius, -90, -180);
    path.closeSubpath();
    return path;
}

QTransform linkFrame(QPointF from, QPointF to) {
    const QPointF d = to - from;
    QTransform frame;
    frame.translate(from.x(), from.y());
    frame.rotateRadians(std::atan2(d.y(), d.x()));
    return frame;
}

qreal distance(QPointF a, QPointF b) {
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

void drawBackground(QPainter& painter) {
    QLinearGradient sky(0, 0, kWidth * 0.35, kHeight);
    sky.setColorAt(0.0, QColor(0x1f, 0x5f, 0x72));
    sky.setColorAt(0.55, QColor(0x14, 0x43, 0x54));
    sky.setColorAt(1.0, QColor(0x0b, 0x27, 0x33));
    painter.fillRect(0, 0, kWidth, kHeight, sky);

    // Drawing-paper grid: fine lines every 10 px, stronger ones every 50 px.
    for (int x = 5; x < kWidth; x += 10) {
        const bool major = (x - 5) % 50 == 0;
        painter.setPen(QPen(QColor(255, 255, 255, major ? 22 : 9), 1));
        painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, kHeight));
    }
    for (int y = 9; y < kHeight; y += 10) {
        const bool major = (y - 9) % 50 == 0;
        painter.setPen(QPen(QColor(255, 255, 255, major ? 22 : 9), 1));
        painter.drawLine(QPointF(0, y + 0.5), QPointF(kWidth, y + 0.5));
    }

    QRadialGradient glow(QPointF(kWidth * 0.55, kHeight * 0.64), kWidth * 0.55);
    glow.setColorAt(0.0, QColor(120, 210, 225, 46));
    glow.setColorAt(1.0, QColor(120, 210, 225, 0));
    painter.fillRect(0, 0, kWidth, kHeight, glow);

    QRadialGradient vignette(QPointF(kWidth / 2.0, kHeight / 2.0), kWidth * 0.75);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 70));
    painter.fillRect(0, 0, kWidth, kHeight, vignette);
}

// The link plates, as closed shapes in picture coordinates; inner links have even indices.
struct Link {
    QPainterPath plate;
    QTransform frame;
    qreal length;
    bool outer;
};

constexpr qreal kPlateEnd = 0.40 * kPitch;
constexpr qreal kPlateWaist = 0.29 * kPitch;

std::vector<Link> chainLinks(const std::vector<QPointF>& rollers) {
    std::vector<Link> links;
    for (std::size_t k = 0; k < rollers.size(); ++k) {
        const QPointF from = rollers[k];
        const QPointF to = rollers[(k + 1) % rollers.size()];
        const qreal length = distance(from, to);
        const QTransform frame = linkFrame(from, to);
        const bool outer = k % 2 == 1;
        const qreal end = outer ? kPlateEnd : kPlateEnd * 0.94;
        links.push_back({frame.map(plateShape(length, end, kPlateWaist)), frame, length, outer});
    }
    return links;
}

void drawChain(QPainter& painter, const std::vector<QPointF>& rollers) {
    const std::vector<Link> links = chainLinks(rollers);
    const QPen edge(QColor(0x10, 0x1a, 0x1f), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (int pass = 0; pass < 2; ++pass) {
        const bool outer = pass == 1;
        for (const Link& link : links) {
            if (link.outer != outer) {
                continue;
            }
            // Shaded across the plate, light on the edge facing up-left.
            const QPointF across = link.frame.map(QPointF(0, 1)) - link.frame.map(QPointF(0, 0));
            const QPointF middle = link.frame.map(QPointF(link.length / 2, 0));
            const qreal flip = across.y() + across.x() * 0.4 < 0 ? -1 : 1;
            QLinearGradient shade(middle - across * (kPlateEnd * flip),
                                  middle + across * (kPlateEnd * flip));
            if (outer) {
                shade.setColorAt(0.0, QColor(0xa8, 0xb6, 0xbd));
                shade.setColorAt(0.5, QColor(0x7b, 0x8c, 0x94));
                shade.setColorAt(1.0, QColor(0x4c, 0x5a, 0x61));
            } else {
                shade.setColorAt(0.0, QColor(0x6c, 0x7b, 0x82));
                shade.setColorAt(1.0, QColor(0x2f, 0x3b, 0x41));
            }
            painter.fillPath(link.plate, shade);
            painter.strokePath(link.plate, edge);
        }
    }
    // Rollers with the pin riveted through them.
    for (const QPointF& roller : rollers) {
        QRadialGradient metal(roller - QPointF(1.2, 1.4), 0.36 * kPitch);
        metal.setColorAt(0.0, QColor(0xf2, 0xf6, 0xf7));
        metal.setColorAt(1.0, QColor(0x9a, 0xaa, 0xb1));
        painter.setPen(QPen(QColor(0x14, 0x1f, 0x24), 0.9));
        painter.setBrush(metal);
        painter.drawEllipse(roller, 0.27 * kPitch, 0.27 * kPitch);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x4f, 0x5f, 0x66));
        painter.drawEllipse(roller, 0.12 * kPitch, 0.12 * kPitch);
    }
}

const QColor kConstruction(0xf2, 0xae, 0x49);
const QColor kCentreLine(150, 222, 236, 165);

void drawCentreLines(QPainter& painter, const ChainLine& line, qreal largeTip, qreal smallTip) {
    QPen pen(kCentreLine, 0.8);
    pen.setDashPattern({10, 3, 2, 3});
    painter.setPen(pen);
    const QPointF l = line.largeCentre();
    const QPointF s = line.smallCentre();
    painter.drawLine(QPointF(l.x() - largeTip - 12, l.y()), QPointF(s.x() + smallTip + 12, s.y()));
    painter.drawLine(QPointF(l.x(), l.y() - largeTip - 10), QPointF(l.x(), l.y() + largeTip + 10));
    painter.drawLine(QPointF(s.x(), s.y() - smallTip - 10), QPointF(s.x(), s.y() + smallTip + 10));
}

void drawPitchCircles(QPainter& painter, const ChainLine& line, qreal largeRadius,
                      qreal smallRadius) {
    QPen pen(kConstruction, 0.9);
    pen.setDashPattern({4, 3});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(line.largeCentre(), largeRadius, largeRadius);
    painter.drawEllipse(line.smallCentre(), smallRadius, smallRadius);
}

// The two tangents of the pitch line, drawn on past the tangent points; the chain covers the
// part between them.
void drawTangents(QPainter& painter, const ChainLine& line) {
    QPen pen(kConstruction, 0.9);
    pen.setDashPattern({4, 3});
    painter.setPen(pen);
    for (const qreal angle : {line.upperAngle(), line.lowerAngle()}) {
        const QPointF a = line.onLarge(angle);
        const QPointF b = line.onSmall(angle);
        const QPointF u = (b - a) / distance(a, b);
        painter.drawLine(a - u * 44, b + u * 32);
    }
}

void drawArrowHead(QPainter& painter, QPointF tip, QPointF direction) {
    const QPointF n(-direction.y(), direction.x());
    painter.drawPolygon(
        QPolygonF{tip, tip - direction * 6 + n * 2.2, tip - direction * 6 - n * 2.2});
}

// The centre distance as a dimension below the drive.
void drawDimension(QPainter& painter, const ChainLine& line, qreal largeTip, qreal smallTip) {
    const QColor ink(190, 232, 240, 200);
    const QPointF l = line.largeCentre();
    const QPointF s = line.smallCentre();
    const qreal y = l.y() + largeTip + 17;
    painter.setPen(QPen(ink, 0.8));
    painter.drawLine(QPointF(l.x(), l.y() + largeTip + 5), QPointF(l.x(), y + 4));
    painter.drawLine(QPointF(s.x(), s.y() + smallTip + 5), QPointF(s.x(), y + 4));
    painter.drawLine(QPointF(l.x(), y), QPointF(s.x(), y));
    painter.setBrush(ink);
    painter.setPen(Qt::NoPen);
    drawArrowHead(painter, QPointF(l.x(), y), QPointF(-1, 0));
    drawArrowHead(painter, QPointF(s.x(), y), QPointF(1, 0));
    const QPainterPath label = textPath(QStringLiteral("a"), 13, QPointF(0, 0), 0, true);
    const QRectF box = label.boundingRect();
    const QPointF at((l.x() + s.x()) / 2 - box.width() / 2 - box.left(), y - 3);
    // A gap in the line behind the letter.
    painter.setBrush(QColor(0x10, 0x33, 0x41));
    painter.drawRect(QRectF(at.x() + box.left() - 3, y - 2, box.width() + 6, 4));
    painter.fillPath(label.translated(at), ink);
}

void drawTitle(QPainter& painter) {
    const QPainterPath title = textPath(QStringLiteral("Zorvane"), 44, QPointF(30, 66), 1.5);
    QLinearGradient face(0, 30, 0, 68);
    face.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    face.setColorAt(1.0, QColor(0xc9, 0xe9, 0xef));
    painter.fillPath(title.translated(1.5, 2), QColor(0, 0, 0, 70));
    painter.fillPath(title, face);
    // A light stroke gives the single-weight face a little more body.
    painter.strokePath(title, QPen(QBrush(face), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    const qreal left = 32;
    painter.fillRect(QRectF(left, 79, 30, 2.5), kConstruction);
    const QPainterPath subtitle =
        textPath(QStringLiteral("链传动设计"), 19, QPointF(left, 106), 5.0);
    painter.fillPath(subtitle, QColor(0x9c, 0xdc, 0xe8));
    painter.strokePath(subtitle, QPen(QColor(0x9c, 0xdc, 0xe8), 0.5));

    const QPainterPath kinds =
        textPath(QStringLiteral("滚子链传动 · 齿形链传动"), 11, QPointF(0, 0), 1.0);
    const QRectF box = kinds.boundingRect();
    painter.fillPath(kinds.translated(kWidth - 18 - box.right(), 34), QColor(255, 255, 255, 150));
}

} // namespace

QImage drawSplash() {
    const qreal largeRadius = arcPitchRadius(kLargeTeeth);
    const qreal smallRadius = arcPitchRadius(kSmallTeeth);
    const qreal centreDistance =
        ChainLine::centreDistanceFor(largeRadius, smallRadius, kPitch, kLinks);
    const qreal seat = 0.32 * kPitch;
    const qreal tipExtra = 0.31 * kPitch;
    const qreal largeTip = largeRadius + tipExtra;
    const qreal smallTip = smallRadius + tipExtra;

    // Centre the drive across the picture, a little right of the middle.
    const qreal driveWidth = largeTip + centreDistance + smallTip;
    const QPointF largeCentre(std::round((kWidth - driveWidth) / 2 + 14 + largeTip), 196);
    const ChainLine line(largeCentre, largeRadius, smallRadius, centreDistance);

    // Rollers one pitch apart along the line; the sprockets turn so that their gaps meet them.
    std::vector<QPointF> rollers;
    qreal largeGap = 0;
    qreal smallGap = 0;
    bool largeFound = false;
    bool smallFound = false;
    const qreal step = line.length() / kLinks;
    const qreal start = 0.37 * step;
    for (int k = 0; k < kLinks; ++k) {
        const qreal u = start + k * step;
        rollers.push_back(line.pointAt(u));
        qreal angle = 0;
        if (!smallFound && line.onSmallArc(u, angle)) {
            smallGap = angle;
            smallFound = true;
        }
        if (!largeFound && line.onLargeArc(u, angle)) {
            largeGap = angle;
            largeFound = true;
        }
    }

    const SprocketLook large{
        {line.largeCentre(), kLargeTeeth, largeRadius, seat, largeTip, largeGap},
        largeRadius * 0.30,
        largeRadius * 0.13,
        largeRadius - seat - 0.5 * kPitch,
        6};
    const SprocketLook small{
        {line.smallCentre(), kSmallTeeth, smallRadius, seat, smallTip, smallGap},
        smallRadius * 0.52,
        smallRadius * 0.24,
        0,
        0};

    QImage image = blankImage(kWidth, kHeight, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBackground(painter);
    drawCentreLines(painter, line, largeTip, smallTip);

    // A soft shadow of the whole drive.
    QImage shadow = blankImage(kWidth, kHeight);
    {
        QPainter shade(&shadow);
        shade.setRenderHint(QPainter::Antialiasing);
        shade.translate(4, 6);
        const QColor dark(0, 8, 12, 120);
        shade.fillPath(large.body(), dark);
        shade.fillPath(small.body(), dark);
        for (const Link& link : chainLinks(rollers)) {
            shade.fillPath(link.plate, dark);
        }
    }
    blur(shadow, 3);
    painter.drawImage(0, 0, shadow);

    const SprocketColours steel{QColor(0xf4, 0xf8, 0xf9), QColor(0xc3, 0xd0, 0xd5),
                                QColor(0x8a, 0x9d, 0xa5), QColor(0x26, 0x39, 0x42),
                                QColor(0xfb, 0xfd, 0xfd), QColor(0xa9, 0xb9, 0xc0)};
    paintSprocket(painter, large, steel);
    paintSprocket(painter, small, steel);
    drawPitchCircles(painter, line, largeRadius, smallRadius);
    drawTangents(painter, line);
    drawChain(painter, rollers);
    drawDimension(painter, line, largeTip, smallTip);
    drawTitle(painter);

    // A fine light edge inside the picture's border.
    painter.setPen(QPen(QColor(255, 255, 255, 30), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace zorvane::artwork
