#include "tools/artwork/paint_kit.h"

#include <QFont>
#include <QFontDatabase>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRectF>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <vector>

namespace zorvane::artwork {

namespace {

// 96 dpi, so that a picture carries the same physical size on every build.
constexpr int kDotsPerMeter = 3780;

// One box pass along a line of `count` values `stride` apart.
void boxLine(std::vector<int>& values, std::size_t first, std::size_t count, std::size_t stride,
             int radius, std::vector<int>& scratch) {
    scratch.assign(count, 0);
    const int window = 2 * radius + 1;
    const auto at = [&](long i) {
        const long last = static_cast<long>(count) - 1;
        const long clamped = i < 0 ? 0 : (i > last ? last : i);
        return values[first + static_cast<std::size_t>(clamped) * stride];
    };
    long sum = 0;
    for (long i = -radius; i <= radius; ++i) {
        sum += at(i);
    }
    for (std::size_t i = 0; i < count; ++i) {
        scratch[i] = static_cast<int>((sum + window / 2) / window);
        const long index = static_cast<long>(i);
        sum += at(index + radius + 1) - at(index - radius);
    }
    for (std::size_t i = 0; i < count; ++i) {
        values[first + i * stride] = scratch[i];
    }
}

} // namespace

QImage blankImage(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(fill);
    return image;
}

QString textFamily() {
    const QString wanted = QStringLiteral("WenQuanYi Zen Hei");
    if (QFontDatabase::hasFamily(wanted)) {
        return wanted;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? wanted : chinese.front();
}

QPainterPath textPath(const QString& text, int pixelSize, QPointF origin, qreal letterSpacing,
                      bool italic) {
    QFont font(textFamily());
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferOutline));
    if (letterSpacing != 0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    }
    QPainterPath path;
    path.addText(origin, font, text);
    return path;
}

void blur(QImage& image, int radius) {
    if (radius <= 0) {
        return;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto width = static_cast<std::size_t>(image.width());
    const auto height = static_cast<std::size_t>(image.height());
    std::vector<int> scratch;
    for (int shift = 0; shift < 32; shift += 8) {
        std::vector<int> channel(width * height);
        for (std::size_t y = 0; y < height; ++y) {
            const auto* line =
                reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y)));
            for (std::size_t x = 0; x < width; ++x) {
                channel[y * width + x] = static_cast<int>((line[x] >> shift) & 0xffu);
            }
        }
        for (int pass = 0; pass < 3; ++pass) {
            for (std::size_t y = 0; y < height; ++y) {
                boxLine(channel, y * width, width, 1, radius, scratch);
            }
            for (std::size_t x = 0; x < width; ++x) {
                boxLine(channel, x, height, width, radius, scratch);
            }
        }
        for (std::size_t y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
            for (std::size_t x = 0; x < width; ++x) {
                const auto value = static_cast<QRgb>(channel[y * width + x]);
                line[x] = (line[x] & ~(0xffu << shift)) | (value << shift);
            }
        }
    }
}

QPainterPath circlePath(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath Sprocket::outline() const {
    QPainterPath body = circlePath(centre, tipRadius);
    // The gap reaches a little past the tip circle, so that the subtraction leaves no sliver.
    const qreal reach = tipRadius - pitchRadius + seatRadius;
    for (int tooth = 0; tooth < teeth; ++tooth) {
        const qreal angle = gapAngle + 2 * kPi * tooth / teeth;
        const QPointF radial(std::cos(angle), std::sin(angle));
        const QPointF across(-radial.y(), radial.x());
        const QPointF seat = centre + radial * pitchRadius;
        const QPointF mouth = seat + radial * reach;
        const qreal mouthHalf = seatRadius + reach * flankFlare;
        QPainterPath flanks;
        flanks.addPolygon(QPolygonF{seat - across * seatRadius, seat + across * seatRadius,
                                    mouth + across * mouthHalf, mouth - across * mouthHalf});
        flanks.closeSubpath();
        body = body.subtracted(flanks.united(circlePath(seat, seatRadius)));
    }
    return body;
}

QPainterPath SprocketLook::holes() const {
    QPainterPath path;
    if (webRadius <= 0 || holeCount == 0) {
        return path;
    }
    const qreal ring = (webRadius + hubRadius) / 2;
    const qreal radius = (webRadius - hubRadius) / 2 * 0.72;
    for (int i = 0; i < holeCount; ++i) {
        const qreal angle = shape.gapAngle + kPi / shape.teeth + 2 * kPi * i / holeCount;
        path = path.united(
            circlePath(shape.centre + QPointF(std::cos(angle), std::sin(angle)) * ring, radius));
    }
    return path;
}

QPainterPath SprocketLook::body() const {
    return shape.outline().subtracted(holes());
}

namespace {

QPainterPath borePath(QPointF centre, qreal radius) {
    QPainterPath key;
    key.addRect(QRectF(centre.x() - radius * 0.28, centre.y() - radius * 1.22, radius * 0.56,
                       radius * 0.8));
    return circlePath(centre, radius).united(key);
}

} // namespace

void paintSprocket(QPainter& painter, const SprocketLook& look, const SprocketColours& colours) {
    const QPointF c = look.shape.centre;
    const qreal tip = look.shape.tipRadius;
    const QPainterPath body = look.body();
    const qreal w = colours.edgeWidth;

    QRadialGradient metal(c - QPointF(tip * 0.35, tip * 0.45), tip * 1.45);
    metal.setColorAt(0.0, colours.light);
    metal.setColorAt(0.55, colours.mid);
    metal.setColorAt(1.0, colours.dark);
    painter.fillPath(body, metal);

    if (look.webRadius > 0) {
        // The web is recessed between the rim and the hub: a darker face, a lit lower edge and
        // a shaded upper edge on each step.
        const QPainterPath holes = look.holes();
        const QPainterPath web = circlePath(c, look.webRadius)
                                     .subtracted(circlePath(c, look.hubRadius))
                                     .subtracted(holes);
        painter.fillPath(web, QColor(20, 40, 50, 34));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 110), w));
        painter.drawEllipse(c + QPointF(0.6, 0.8) * w, look.webRadius, look.webRadius);
        painter.setPen(QPen(QColor(30, 50, 60, 120), w));
        painter.drawEllipse(c, look.webRadius, look.webRadius);
        // Each hole shows its far wall as a thin light crescent.
        painter.setPen(QPen(QColor(255, 255, 255, 90), w));
        painter.drawPath(holes.translated(0.7 * w, 0.9 * w));
    }

    QRadialGradient hub(c - QPointF(look.hubRadius * 0.4, look.hubRadius * 0.5),
                        look.hubRadius * 1.6);
    hub.setColorAt(0.0, colours.hubLight);
    hub.setColorAt(1.0, colours.hubDark);
    painter.setPen(QPen(colours.edge, w));
    painter.setBrush(hub);
    painter.drawEllipse(c, look.hubRadius, look.hubRadius);

    const QPainterPath bore = borePath(c, look.boreRadius);
    painter.fillPath(bore, QColor(0x16, 0x2a, 0x33));
    painter.strokePath(bore, QPen(QColor(0x0c, 0x18, 0x1e), 0.8 * w));

    painter.strokePath(body, QPen(colours.edge, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace zorvane::artwork
