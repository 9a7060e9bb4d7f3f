#pragma once
// The pitch line of an open chain drive, in picture coordinates (y grows downwards): the upper
// tangent from the large sprocket (left) to the small one, around the small sprocket, the lower
// tangent back and around the large one. Rollers sit on this line one pitch apart; when both
// sprockets have the same arc pitch (pitch radius = teeth x pitch / 2 pi) the rollers on the
// arcs fall into the tooth gaps of both.

#include <QPointF>

namespace zorvane::artwork {

class ChainLine {
public:
    ChainLine(QPointF largeCentre, qreal largeRadius, qreal smallRadius, qreal centreDistance);

    // The length of the closed line for a centre distance.
    static qreal lengthFor(qreal largeRadius, qreal smallRadius, qreal centreDistance);
    // The centre distance that makes the line `links` pitches long.
    static qreal centreDistanceFor(qreal largeRadius, qreal smallRadius, qreal pitch, int links);
    // The pitch radius of a sprocket whose arc between two gaps is one pitch.
    static qreal arcPitchRadius(int teeth, qreal pitch);

    qreal length() const;
    QPointF largeCentre() const { return large_; }
    QPointF smallCentre() const { return small_; }
    // The screen angles of the radii to the upper and the lower tangent points.
    qreal upperAngle() const;
    qreal lowerAngle() const;
    qreal span() const { return span_; } // one tangent, between its tangent points

    QPointF onLarge(qreal angle) const;
    QPointF onSmall(qreal angle) const;

    // The point at distance u along the line from the upper tangent point of the large sprocket
    // (any u; the line is closed).
    QPointF pointAt(qreal u) const;
    // When u lies on a sprocket's arc: true, and the angle of that point about its centre.
    bool onSmallArc(qreal u, qreal& angle) const;
    bool onLargeArc(qreal u, qreal& angle) const;

private:
    qreal along(qreal u) const; // u brought into [0, length)
    qreal smallArc() const;

    QPointF large_;
    QPointF small_;
    qreal largeRadius_;
    qreal smallRadius_;
    qreal beta_; // sin beta = (R - r) / a
    qreal span_;
};

} // namespace zorvane::artwork
