#include "tools/artwork/chain_line.h"

#include "tools/artwork/paint_kit.h"

#include <cmath>

namespace zorvane::artwork {

namespace {

QPointF polar(qreal radius, qreal angle) {
    return {radius * std::cos(angle), radius * std::sin(angle)};
}

} // namespace

ChainLine::ChainLine(QPointF largeCentre, qreal largeRadius, qreal smallRadius,
                     qreal centreDistance)
    : large_(largeCentre), small_(largeCentre + QPointF(centreDistance, 0)),
      largeRadius_(largeRadius), smallRadius_(smallRadius),
      beta_(std::asin((largeRadius - smallRadius) / centreDistance)),
      span_(centreDistance * std::cos(beta_)) {}

qreal ChainLine::lengthFor(qreal largeRadius, qreal smallRadius, qreal centreDistance) {
    const qreal beta = std::asin((largeRadius - smallRadius) / centreDistance);
    return 2 * centreDistance * std::cos(beta) + largeRadius * (kPi + 2 * beta) +
           smallRadius * (kPi - 2 * beta);
}

qreal ChainLine::centreDistanceFor(qreal largeRadius, qreal smallRadius, qreal pitch, int links) {
    // The length grows with the distance; bisect between sprockets almost touching and a
    // distance longer than the whole chain.
    const qreal wanted = links * pitch;
    qreal low = largeRadius + smallRadius;
    qreal high = wanted;
    for (int i = 0; i < 100; ++i) {
        const qreal middle = (low + high) / 2;
        (lengthFor(largeRadius, smallRadius, middle) < wanted ? low : high) = middle;
    }
    return (low + high) / 2;
}

qreal ChainLine::arcPitchRadius(int teeth, qreal pitch) {
    return teeth * pitch / (2 * kPi);
}

qreal ChainLine::length() const {
    return lengthFor(largeRadius_, smallRadius_, small_.x() - large_.x());
}

qreal ChainLine::upperAngle() const {
    return -(kPi / 2 - beta_);
}

qreal ChainLine::lowerAngle() const {
    return kPi / 2 - beta_;
}

qreal ChainLine::smallArc() const {
    return smallRadius_ * (kPi - 2 * beta_);
}

QPointF ChainLine::onLarge(qreal angle) const {
    return large_ + polar(largeRadius_, angle);
}

QPointF ChainLine::onSmall(qreal angle) const {
    return small_ + polar(smallRadius_, angle);
}

qreal ChainLine::along(qreal u) const {
    u = std::fmod(u, length());
    return u < 0 ? u + length() : u;
}

QPointF ChainLine::pointAt(qreal u) const {
    u = along(u);
    if (u < span_) {
        const QPointF from = onLarge(upperAngle());
        return from + (onSmall(upperAngle()) - from) * (u / span_);
    }
    u -= span_;
    if (u < smallArc()) {
        return onSmall(upperAngle() + u / smallRadius_);
    }
    u -= smallArc();
    if (u < span_) {
        const QPointF from = onSmall(lowerAngle());
        return from + (onLarge(lowerAngle()) - from) * (u / span_);
    }
    u -= span_;
    return onLarge(lowerAngle() + u / largeRadius_);
}

bool ChainLine::onSmallArc(qreal u, qreal& angle) const {
    const qreal past = along(u) - span_;
    if (past < 0 || past >= smallArc()) {
        return false;
    }
    angle = upperAngle() + past / smallRadius_;
    return true;
}

bool ChainLine::onLargeArc(qreal u, qreal& angle) const {
    const qreal past = along(u) - 2 * span_ - smallArc();
    if (past < 0) {
        return false;
    }
    angle = lowerAngle() + past / largeRadius_;
    return true;
}

} // namespace zorvane::artwork
