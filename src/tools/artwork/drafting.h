#pragma once
// Line work of a dimensioned drawing on white paper: visible outlines, thin dimension and
// extension lines with filled arrowheads, centre lines, break lines, hatching and symbol labels
// with subscripts. Every label is drawn as a glyph outline (see textPath) so that the pixels do
// not depend on glyph caches.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace zorvane::artwork::drafting {

inline const QColor kPaper(0xff, 0xff, 0xff);
inline const QColor kOutline(0x14, 0x14, 0x14);
inline const QColor kDimension(0x1b, 0x3d, 0x8f);
inline const QColor kCentreLine(0x5a, 0x5a, 0x5a);
inline const QColor kPartFill(0xe4, 0xe7, 0xea); // parts of the chain, to tell them apart
inline const QColor kSteel(0x9a, 0xa5, 0xb1);    // measuring pins and arbors

inline constexpr qreal kOutlineWidth = 2.0;
inline constexpr qreal kThinWidth = 1.0;
inline constexpr qreal kArrowLength = 9.0;

// The unit vector at a screen angle in radians (y grows downwards).
QPointF direction(qreal angle);
QPointF unit(QPointF vector);
// The vector turned a quarter turn clockwise on screen.
QPointF normal(QPointF vector);

// A quantity symbol: an italic base letter with an optional upright subscript, as in d with
// subscript a for the tip circle diameter.
struct Symbol {
    QString base;
    QString sub;
};

// The symbol's outline with its baseline starting at the origin.
QPainterPath symbolPath(const Symbol& symbol, int pixelSize = 17);
// Chinese or other plain text, upright.
QPainterPath plainTextPath(const QString& text, int pixelSize);

// Fills a text outline with its bounding box placed against `anchor` by `alignment`
// (Qt::AlignLeft, AlignRight or AlignHCenter combined with AlignTop, AlignBottom or AlignVCenter),
// over a white halo that keeps it readable where it crosses a line.
void placeText(QPainter& painter, const QPainterPath& text, QPointF anchor, Qt::Alignment alignment,
               QColor ink = kDimension);
void placeSymbol(QPainter& painter, const Symbol& symbol, QPointF anchor, Qt::Alignment alignment);

QPen outlinePen();
QPen thinPen(QColor ink = kDimension);
QPen centrePen();

// A filled arrowhead whose point is at `tip`, pointing along `towards`.
void arrowHead(QPainter& painter, QPointF tip, QPointF towards);

// A dimension line between two points. Inside: arrows at both ends pointing outwards to the
// points. Outside, for spans too short for two arrows: short lines beyond each point with the
// arrows pointing inwards. AtEndOnly: one arrow at `to`, for a diameter whose other half is not
// drawn.
enum class Arrows { Inside, Outside, AtEndOnly };
void dimensionLine(QPainter& painter, QPointF from, QPointF to, Arrows arrows = Arrows::Inside);

// A thin extension line from a feature point towards `to`, leaving a small gap at the feature and
// running a little past `to`.
void extensionLine(QPainter& painter, QPointF feature, QPointF to);

// An aligned dimension of the distance a-b, drawn `offset` pixels to the side along
// normal(b - a), with its extension lines; the symbol sits beside the middle of the line, on the
// far side from the points.
void alignedDimension(QPainter& painter, QPointF a, QPointF b, qreal offset, const Symbol& symbol);

// An angle between two screen directions about `vertex`, shown as an arc of `radius` with arrows
// at both ends (outside when the arc is short), the symbol beyond the middle of the arc.
void angleDimension(QPainter& painter, QPointF vertex, qreal fromAngle, qreal toAngle, qreal radius,
                    const Symbol& symbol, qreal labelGap = 6);

// A diameter seen from the centre of its circle: a line from just behind `centre` out to
// `radius` at `angle` with one arrow on the circle. The symbol sits beside the line at
// `labelRadius`, on the side that normal(direction) points to when `labelSide` is 1, the other
// side when it is -1.
void diameterLeader(QPainter& painter, QPointF centre, qreal angle, qreal radius,
                    const Symbol& symbol, qreal labelRadius, int labelSide);

// A leader from a dimension's end at `point`: on along `along`, then a short horizontal shoulder
// to the right (side 1) or the left (side -1) that carries the symbol.
void leaderToShoulder(QPainter& painter, QPointF point, QPointF along, const Symbol& symbol,
                      int side);

void centreLine(QPainter& painter, QPointF from, QPointF to);

// The title of a drawing in its top left corner.
void drawingTitle(QPainter& painter, const QString& title);

// A drawing on blank paper, painted antialiased, with its title already in the top left corner.
// finish() ends the painting and hands back the picture.
class Sheet {
public:
    Sheet(int width, int height, const QString& title);

    QPainter& painter() { return painter_; }
    QImage finish();

private:
    QImage image_;
    QPainter painter_;
};

// A measuring pin seen end on: a steel disc of `radius` about `centre`.
void measuringPin(QPainter& painter, QPointF centre, qreal radius);

// A centre-line arc about `centre` from `fromAngle` to `toAngle` (screen radians).
void centreArc(QPainter& painter, QPointF centre, qreal radius, qreal fromAngle, qreal toAngle);
// The small cross that marks a centre.
void centreMark(QPainter& painter, QPointF centre, qreal half);

// A freehand break line: a gentle wave from `from` to `to`.
QPainterPath breakLine(QPointF from, QPointF to, qreal amplitude, int waves);

// A part broken off along the break line `wave`: filled and outlined only inside the window that
// runs along the wave and back through `farEnd` and `farStart`, with the wave drawn thin across
// the material only.
void drawBrokenOff(QPainter& painter, const QPainterPath& body, const QPainterPath& wave,
                   QPointF farEnd, QPointF farStart);

// A view cut out of a round part: the sector about `centre` between two screen angles, bounded
// by break lines out to `radius`. `breaks` holds the two break lines, to be drawn thin across the
// material only.
struct BrokenSector {
    QPainterPath region;
    QPainterPath breaks;
};
BrokenSector brokenSector(QPointF centre, qreal radius, qreal fromAngle, qreal toAngle);

// Thin section lines at 45 degrees, `spacing` pixels apart, inside `region`.
void hatch(QPainter& painter, const QPainterPath& region, qreal spacing);

// An arc path about `centre` from `fromAngle` to `toAngle` (screen radians, either order).
QPainterPath arcPath(QPointF centre, qreal radius, qreal fromAngle, qreal toAngle);

} // namespace zorvane::artwork::drafting
