#pragma once
// Pieces of the axial half-sections in the browser's drawings: a sprocket cut through its axis
// and drawn above the axis only, its teeth with the side arcs of the axial tooth form, and the
// diameters dimensioned from the axis as a half-section dimensions them.

#include "tools/artwork/drafting.h"

#include <QPainter>
#include <QPointF>
#include <QPolygonF>

namespace zorvane::artwork::section {

// A half-section in pixels: `axial` runs to the right from the middle plane at x = middle,
// `radius` upwards from the axis at y = axis.
struct Frame {
    qreal middle;
    qreal axis;

    QPointF at(qreal axial, qreal radius) const { return {middle + axial, axis - radius}; }
};

// The axial form of one tooth: straight sides `halfWidth` either side of `centre` from `from` up,
// then side arcs of radius `sideRadius` that take `relief` off each side at the tip radius `tip`.
// The points run up the left side and down the right.
void appendTooth(QPolygonF& outline, const Frame& frame, qreal centre, qreal halfWidth, qreal from,
                 qreal tip, qreal sideRadius, qreal relief);

// A diameter of a half-section: a dimension line at x = `lineX` from just below the axis up to the
// feature's radius with one arrow, an extension line from the feature at `feature`, and the
// symbol beside the upper part of the line, to the right (side 1) or the left (side -1).
void halfDiameter(QPainter& painter, const Frame& frame, QPointF feature, qreal lineX,
                  const drafting::Symbol& symbol, int side, qreal labelDrop = 18);

// Hatches and outlines a section region.
void sectionFill(QPainter& painter, const QPainterPath& region, qreal spacing = 6);

// A short note with a leader: a thin line from `from` to the text anchor `to`, a dot at `from`.
void note(QPainter& painter, QPointF from, QPointF to, const QString& text,
          Qt::Alignment alignment);

} // namespace zorvane::artwork::section
