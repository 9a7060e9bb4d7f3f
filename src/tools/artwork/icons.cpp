// The small pictures: tool bar icons (24 x 24), the application icon (64 x 64) and the images
// of the reference tree (16 x 16). Coordinates sit on half pixels where a 1 px line must stay
// sharp.

#include "tools/artwork/artwork.h"
#include "tools/artwork/paint_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRectF>

#include <cmath>
#include <initializer_list>

namespace zorvane::artwork {

namespace {

// One family of colours per kind of thing, shared by all icons.
struct Tone {
    QColor light;
    QColor dark;
    QColor edge;
};

const Tone kPaper{QColor(0xff, 0xff, 0xff), QColor(0xe2, 0xe9, 0xef), QColor(0x5f, 0x70, 0x7e)};
const Tone kFolderBack{QColor(0xea, 0xb0, 0x45), QColor(0xd0, 0x92, 0x25),
                       QColor(0x94, 0x66, 0x14)};
const Tone kFolderFront{QColor(0xff, 0xdc, 0x7a), QColor(0xf2, 0xb6, 0x3d),
                        QColor(0x94, 0x66, 0x14)};
const Tone kBlue{QColor(0x4c, 0x95, 0xe0), QColor(0x1f, 0x5c, 0xa6), QColor(0x15, 0x3e, 0x72)};
const Tone kGreen{QColor(0x63, 0xc9, 0x72), QColor(0x2c, 0x97, 0x4a), QColor(0x1b, 0x66, 0x31)};
const Tone kRed{QColor(0xf2, 0x6b, 0x5b), QColor(0xcc, 0x36, 0x2a), QColor(0x8c, 0x21, 0x18)};
const Tone kTeal{QColor(0x66, 0xc4, 0xd4), QColor(0x22, 0x80, 0x96), QColor(0x15, 0x52, 0x61)};
const Tone kWood{QColor(0xd2, 0x93, 0x54), QColor(0x9a, 0x5e, 0x2c), QColor(0x66, 0x3b, 0x18)};
const QColor kInk(0x3b, 0x46, 0x50);

QLinearGradient vertical(const QRectF& box, const Tone& tone) {
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0.0, tone.light);
    gradient.setColorAt(1.0, tone.dark);
    return gradient;
}

void fillShape(QPainter& painter, const QPainterPath& shape, const Tone& tone, qreal edge = 1.0) {
    painter.fillPath(shape, vertical(shape.boundingRect(), tone));
    painter.strokePath(shape, QPen(tone.edge, edge, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

struct Canvas {
    QImage image;
    QPainter painter;

    explicit Canvas(int size) : image(blankImage(size, size)), painter(&image) {
        painter.setRenderHint(QPainter::Antialiasing);
    }
    QImage take() {
        painter.end();
        return image;
    }
};

// A sheet of paper with its top right corner folded over, from x 4.5 to 17.5.
void drawSheet(QPainter& painter) {
    const qreal left = 4.5;
    const qreal top = 2.5;
    const qreal right = 17.5;
    const qreal bottom = 21.5;
    const qreal fold = 5;
    fillShape(painter,
              polygon({{left, top},
                       {right - fold, top},
                       {right, top + fold},
                       {right, bottom},
                       {left, bottom}}),
              kPaper);
    const QPainterPath corner =
        polygon({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}});
    painter.fillPath(corner, QColor(0xc9, 0xd4, 0xdc));
    painter.strokePath(corner, QPen(kPaper.edge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

// Lines of text on the sheet, as grey bars 1 px high.
void drawTextLines(QPainter& painter, std::initializer_list<QRectF> lines) {
    for (const QRectF& line : lines) {
        painter.fillRect(line, QColor(0x9f, 0xad, 0xb8));
    }
}

// A round badge at the lower right, set off from what lies below by a white ring.
void drawBadge(QPainter& painter, const Tone& tone, QPointF centre = {17.5, 17.5},
               qreal radius = 5.5) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawEllipse(centre, radius + 1.2, radius + 1.2);
    QRadialGradient ball(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.5);
    ball.setColorAt(0.0, tone.light);
    ball.setColorAt(1.0, tone.dark);
    painter.setBrush(ball);
    painter.setPen(QPen(tone.edge, 1.0));
    painter.drawEllipse(centre, radius, radius);
}

QImage drawNew() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    drawSheet(p);
    drawTextLines(p, {QRectF(7, 7, 4, 1), QRectF(7, 10, 8, 1)});
    drawBadge(p, kGreen);
    p.fillRect(QRectF(14.5, 16.5, 6, 2), Qt::white);
    p.fillRect(QRectF(16.5, 14.5, 2, 6), Qt::white);
    return canvas.take();
}

// A folder, its back with the tab and, when open, the front flap tipped forward.
void drawFolder24(QPainter& p, bool open) {
    fillShape(
        p, polygon({{2.5, 4.5}, {8.5, 4.5}, {10.5, 6.5}, {20.5, 6.5}, {20.5, 19.5}, {2.5, 19.5}}),
        kFolderBack);
    if (open) {
        fillShape(p, polygon({{5.5, 8.5}, {17.5, 8.5}, {17.5, 15.5}, {5.5, 15.5}}), kPaper);
        drawTextLines(p, {QRectF(7.5, 10.5, 8, 1), QRectF(7.5, 12.5, 6, 1)});
        fillShape(p, polygon({{6.5, 11.5}, {23.0, 11.5}, {19.5, 19.5}, {2.5, 19.5}}), kFolderFront);
    } else {
        fillShape(p, polygon({{2.5, 9.5}, {20.5, 9.5}, {20.5, 19.5}, {2.5, 19.5}}), kFolderFront);
    }
}

QImage drawOpen() {
    Canvas canvas(24);
    drawFolder24(canvas.painter, true);
    return canvas.take();
}

QImage drawSave() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    // The disk, its upper right corner cut off.
    fillShape(p, polygon({{3.5, 3.5}, {18.0, 3.5}, {20.5, 6.0}, {20.5, 20.5}, {3.5, 20.5}}), kBlue);
    // The metal shutter with its window.
    const Tone metal{QColor(0xee, 0xf2, 0xf5), QColor(0xb4, 0xc1, 0xca), QColor(0x4c, 0x5b, 0x66)};
    fillShape(p, polygon({{7.5, 3.5}, {16.5, 3.5}, {16.5, 9.5}, {7.5, 9.5}}), metal);
    p.fillRect(QRectF(13, 5, 2, 3), QColor(0x2c, 0x3a, 0x44));
    // The label.
    fillShape(p, polygon({{6.5, 12.5}, {17.5, 12.5}, {17.5, 20.5}, {6.5, 20.5}}), kPaper);
    p.fillRect(QRectF(8, 15, 8, 1), QColor(0x7f, 0xaa, 0xd8));
    p.fillRect(QRectF(8, 17, 8, 1), QColor(0x7f, 0xaa, 0xd8));
    return canvas.take();
}

QImage drawClose() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    drawSheet(p);
    drawTextLines(p, {QRectF(7, 7, 4, 1), QRectF(7, 10, 8, 1)});
    drawBadge(p, kRed);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.3, 15.3), QPointF(19.7, 19.7));
    p.drawLine(QPointF(19.7, 15.3), QPointF(15.3, 19.7));
    return canvas.take();
}

QImage drawQuery() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    // A database: a cylinder in three bands.
    const qreal left = 2.5;
    const qreal right = 15.5;
    const qreal top = 5.0;
    const qreal bottom = 18.0;
    const qreal ry = 2.5;
    const qreal cx = (left + right) / 2;
    const qreal rx = (right - left) / 2;
    QPainterPath body;
    body.moveTo(left, top);
    body.lineTo(left, bottom);
    body.arcTo(QRectF(left, bottom - ry, 2 * rx, 2 * ry), 180, 180);
    body.lineTo(right, top);
    body.arcTo(QRectF(left, top - ry, 2 * rx, 2 * ry), 0, 180);
    body.closeSubpath();
    QLinearGradient round(QPointF(left, 0), QPointF(right, 0));
    round.setColorAt(0.0, kTeal.dark);
    round.setColorAt(0.35, kTeal.light);
    round.setColorAt(1.0, kTeal.dark);
    p.fillPath(body, round);
    p.setBrush(Qt::NoBrush);
    for (const qreal y : {top + 4.5, top + 9.0}) {
        QPainterPath band;
        band.moveTo(left, y);
        band.arcTo(QRectF(left, y - ry, 2 * rx, 2 * ry), 180, 180);
        p.strokePath(band, QPen(QColor(255, 255, 255, 150), 1.0));
        p.strokePath(band.translated(0, -1), QPen(kTeal.edge, 1.0));
    }
    p.strokePath(body, QPen(kTeal.edge, 1.0));
    p.setPen(QPen(kTeal.edge, 1.0));
    p.setBrush(QColor(0xa9, 0xe2, 0xeb));
    p.drawEllipse(QPointF(cx, top), rx, ry);

    // A magnifier in front of it.
    const QPointF lens(16.0, 14.5);
    const qreal r = 4.3;
    p.setPen(QPen(kInk, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lens + QPointF(3.4, 3.4), QPointF(21.3, 20.8));
    p.setPen(QPen(QColor(0x1d, 0x25, 0x2b), 1.0));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(lens, r + 1.3, r + 1.3);
    QRadialGradient glass(lens - QPointF(1.5, 1.8), r * 1.4);
    glass.setColorAt(0.0, QColor(255, 255, 255, 240));
    glass.setColorAt(1.0, QColor(0xbf, 0xe2, 0xf3, 230));
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(glass);
    p.drawEllipse(lens, r, r);
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(lens.x() - r + 1.6, lens.y() - r + 1.6, 2 * r - 3.2, 2 * r - 3.2), 100 * 16,
              70 * 16);
    return canvas.take();
}

QImage drawExit() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    // The door frame with the dark room beyond, and the door swung open towards us.
    const Tone room{QColor(0x55, 0x66, 0x72), QColor(0x2c, 0x38, 0x40), QColor(0x24, 0x2e, 0x35)};
    fillShape(p, polygon({{3.5, 2.5}, {14.5, 2.5}, {14.5, 21.5}, {3.5, 21.5}}), room);
    fillShape(p, polygon({{3.5, 2.5}, {10.0, 4.5}, {10.0, 23.0}, {3.5, 21.5}}), kWood);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0xe0, 0x9a));
    p.drawEllipse(QPointF(8.5, 13.0), 0.9, 0.9);
    // The arrow going out.
    fillShape(p,
              polygon({{11.0, 10.0},
                       {16.5, 10.0},
                       {16.5, 6.5},
                       {22.0, 12.0},
                       {16.5, 17.5},
                       {16.5, 14.0},
                       {11.0, 14.0}}),
              kRed);
    return canvas.take();
}

QImage drawResultReport() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    drawSheet(p);
    drawTextLines(p, {QRectF(7, 6, 5, 1), QRectF(7, 8, 4, 1)});
    // A small bar chart standing on its base line.
    const qreal base = 18.5;
    p.fillRect(QRectF(7, base - 5, 2, 5), kBlue.light);
    p.fillRect(QRectF(10, base - 8, 2, 8), kTeal.dark);
    p.fillRect(QRectF(13, base - 6, 2, 6), QColor(0xf0, 0xa3, 0x3a));
    p.fillRect(QRectF(6, base, 10, 1), kInk);
    return canvas.take();
}

QImage drawHistoryReport() {
    Canvas canvas(24);
    QPainter& p = canvas.painter;
    drawSheet(p);
    drawTextLines(
        p, {QRectF(7, 6, 5, 1), QRectF(7, 8.5, 8, 1), QRectF(7, 11, 8, 1), QRectF(7, 13.5, 4, 1)});
    // A clock.
    const QPointF centre(17.5, 17.5);
    const Tone face{QColor(0xff, 0xff, 0xff), QColor(0xe4, 0xee, 0xf7), kBlue.dark};
    drawBadge(p, face, centre);
    p.setPen(QPen(kBlue.dark, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 5.0, 5.0);
    p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -3.2));
    p.drawLine(centre, centre + QPointF(2.4, 1.0));
    return canvas.take();
}

// Tree images, 16 x 16.
void drawFolder16(QPainter& p, bool open) {
    fillShape(p,
              polygon({{1.5, 2.5}, {6.0, 2.5}, {7.5, 4.0}, {14.5, 4.0}, {14.5, 13.5}, {1.5, 13.5}}),
              kFolderBack);
    if (open) {
        fillShape(p, polygon({{3.5, 5.5}, {12.5, 5.5}, {12.5, 10.5}, {3.5, 10.5}}), kPaper);
        fillShape(p, polygon({{4.0, 7.5}, {16.0, 7.5}, {13.5, 13.5}, {1.5, 13.5}}), kFolderFront);
    } else {
        fillShape(p, polygon({{1.5, 6.5}, {14.5, 6.5}, {14.5, 13.5}, {1.5, 13.5}}), kFolderFront);
    }
}

QImage drawTreeFolder(bool open) {
    Canvas canvas(16);
    drawFolder16(canvas.painter, open);
    return canvas.take();
}

QImage drawTreeTable() {
    Canvas canvas(16);
    QPainter& p = canvas.painter;
    const QRectF sheet(1.5, 2.5, 13, 11);
    p.fillRect(sheet, Qt::white);
    p.fillRect(QRectF(1.5, 2.5, 13, 3), vertical(QRectF(0, 2.5, 1, 3), kBlue));
    const QColor rule(0xa8, 0xbb, 0xca);
    p.fillRect(QRectF(2, 8, 12, 1), rule);
    p.fillRect(QRectF(2, 10.5, 12, 1), rule);
    p.fillRect(QRectF(6, 5.5, 1, 8), rule);
    p.fillRect(QRectF(10, 5.5, 1, 8), rule);
    p.setPen(QPen(QColor(0x45, 0x5d, 0x70), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sheet);
    return canvas.take();
}

QImage drawTreeMarker() {
    Canvas canvas(16);
    QPainter& p = canvas.painter;
    const QPainterPath arrow = polygon({{4.5, 2.5}, {12.5, 8.0}, {4.5, 13.5}});
    QLinearGradient shade(QPointF(4, 2), QPointF(8, 14));
    shade.setColorAt(0.0, kGreen.light);
    shade.setColorAt(1.0, kGreen.dark);
    p.fillPath(arrow, shade);
    p.strokePath(arrow, QPen(kGreen.edge, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 5.5), QPointF(6, 9.5));
    return canvas.take();
}

} // namespace

QImage drawToolIcon(ToolIcon icon) {
    switch (icon) {
    case ToolIcon::New:
        return drawNew();
    case ToolIcon::Open:
        return drawOpen();
    case ToolIcon::Save:
        return drawSave();
    case ToolIcon::Close:
        return drawClose();
    case ToolIcon::Query:
        return drawQuery();
    case ToolIcon::Exit:
        return drawExit();
    case ToolIcon::ResultReport:
        return drawResultReport();
    case ToolIcon::HistoryReport:
        return drawHistoryReport();
    }
    return {};
}

QImage drawTreeImage(TreeImage image) {
    switch (image) {
    case TreeImage::OpenFolder:
        return drawTreeFolder(true);
    case TreeImage::ClosedFolder:
        return drawTreeFolder(false);
    case TreeImage::Table:
        return drawTreeTable();
    case TreeImage::Marker:
        return drawTreeMarker();
    }
    return {};
}

QImage drawAppIcon() {
    Canvas canvas(64);
    QPainter& p = canvas.painter;
    constexpr int teeth = 14;
    const qreal tip = 31.0;
    const qreal pitch = 25.5;
    const qreal seat = 3.4;
    const SprocketLook look{
        {QPointF(32, 32), teeth, pitch, seat, tip, -kPi / 2, 0.4}, 8.8, 3.8, pitch - seat - 3.6, 5};
    // A soft shadow below the wheel.
    QImage shadow = blankImage(64, 64);
    {
        QPainter shade(&shadow);
        shade.setRenderHint(QPainter::Antialiasing);
        shade.fillPath(look.body().translated(0.8, 1.6), QColor(0, 10, 20, 110));
    }
    blur(shadow, 1);
    p.drawImage(0, 0, shadow);
    const SprocketColours blueSteel{QColor(0x9c, 0xd0, 0xf2), QColor(0x3f, 0x8b, 0xcc),
                                    QColor(0x1c, 0x4f, 0x86), QColor(0x12, 0x35, 0x5c),
                                    QColor(0xfa, 0xfc, 0xfd), QColor(0xa8, 0xb8, 0xc4)};
    paintSprocket(p, look, blueSteel);
    return canvas.take();
}

} // namespace zorvane::artwork
