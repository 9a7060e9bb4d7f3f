#pragma once
// Drawing helpers shared by the pictures: fonts and text outlines, soft shadows, sprocket
// geometry.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace zorvane::artwork {

inline constexpr double kPi = 3.14159265358979323846;

// A blank picture of the given size at 96 dpi, transparent or filled.
QImage blankImage(int width, int height, QColor fill = Qt::transparent);

// The family used for every text: WenQuanYi Zen Hei, or another simplified Chinese family
// when that one is missing.
QString textFamily();

// The outline of `text` with its baseline starting at `origin`. Text is drawn as outlines so
// that no glyph cache state can shift one render against the next.
QPainterPath textPath(const QString& text, int pixelSize, QPointF origin, qreal letterSpacing = 0,
                      bool italic = false);

// Blurs the image in place (three box passes, close to a Gaussian of the given radius).
void blur(QImage& image, int radius);

// A sprocket seen along its axis. Angles are screen angles in radians (y grows downwards), so
// the point at angle t lies at centre + r * (cos t, sin t).
struct Sprocket {
    QPointF centre;
    int teeth = 0;
    qreal pitchRadius = 0; // the circle the roller centres sit on
    qreal seatRadius = 0;  // radius of the tooth gap bottom, around a roller centre
    qreal tipRadius = 0;
    qreal gapAngle = 0;      // the angle of one tooth gap
    qreal flankFlare = 0.35; // how far the gap opens towards the tip, as a slope

    // The toothed outline: the tip circle less the tooth gaps.
    QPainterPath outline() const;
};

// A circle as a closed path.
QPainterPath circlePath(QPointF centre, qreal radius);

// A sprocket as drawn: the toothed rim, a recessed web with lightening holes (when webRadius is
// above 0), the hub boss and the bore with its keyway.
struct SprocketLook {
    Sprocket shape;
    qreal hubRadius = 0;
    qreal boreRadius = 0;
    qreal webRadius = 0;
    int holeCount = 0;

    QPainterPath holes() const;
    // The outline less the holes: what casts a shadow.
    QPainterPath body() const;
};

struct SprocketColours {
    QColor light; // lit side of the metal
    QColor mid;
    QColor dark; // shaded rim
    QColor edge; // outline
    QColor hubLight;
    QColor hubDark;
    qreal edgeWidth = 1.0;
};

void paintSprocket(QPainter& painter, const SprocketLook& look, const SprocketColours& colours);

} // namespace zorvane::artwork
