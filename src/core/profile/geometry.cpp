#include "core/profile/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zorvane::profile {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Points closer than this are one point; arcs nearer than this lie on one circle.
constexpr double kSamePointMm = 1e-9;

// The angle in [0, 2π) turned from `from` to `to` in the sense `sense` (+1 or -1).
double turnedAngle(double from, double to, double sense) {
    double turn = std::fmod(sense * (to - from), kTwoPi);
    if (turn < 0) {
        turn += kTwoPi;
    }
    return turn;
}

} // namespace

double dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}

double length(Point a) {
    return std::hypot(a.x, a.y);
}

double distance(Point a, Point b) {
    return length(a - b);
}

Point polar(double angle) {
    return {std::cos(angle), std::sin(angle)};
}

Point arcPoint(const Arc& arc, double turned) {
    return arc.centre + arc.radius * polar(arc.startAngle + turned);
}

Point startOf(const Element& element) {
    if (const auto* line = std::get_if<Line>(&element)) {
        return line->from;
    }
    return arcPoint(std::get<Arc>(element), 0);
}

Point endOf(const Element& element) {
    if (const auto* line = std::get_if<Line>(&element)) {
        return line->to;
    }
    const Arc& arc = std::get<Arc>(element);
    return arcPoint(arc, arc.sweep);
}

Element reversed(const Element& element) {
    if (const auto* line = std::get_if<Line>(&element)) {
        return Line{line->to, line->from};
    }
    const Arc& arc = std::get<Arc>(element);
    return Arc{arc.centre, arc.radius, arc.startAngle + arc.sweep, -arc.sweep};
}

Element mirroredX(const Element& element) {
    const auto mirror = [](Point p) { return Point{-p.x, p.y}; };
    if (const auto* line = std::get_if<Line>(&element)) {
        return Line{mirror(line->from), mirror(line->to)};
    }
    const Arc& arc = std::get<Arc>(element);
    return Arc{mirror(arc.centre), arc.radius, std::numbers::pi - arc.startAngle, -arc.sweep};
}

Element rotated(const Element& element, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const auto turn = [c, s](Point p) { return Point{c * p.x - s * p.y, s * p.x + c * p.y}; };
    if (const auto* line = std::get_if<Line>(&element)) {
        return Line{turn(line->from), turn(line->to)};
    }
    const Arc& arc = std::get<Arc>(element);
    return Arc{turn(arc.centre), arc.radius, arc.startAngle + angle, arc.sweep};
}

std::vector<Element> joinArcs(const std::vector<Element>& elements) {
    std::vector<Element> joined;
    for (const Element& element : elements) {
        const auto* arc = std::get_if<Arc>(&element);
        auto* last = joined.empty() ? nullptr : std::get_if<Arc>(&joined.back());
        if (arc && last && distance(arc->centre, last->centre) < kSamePointMm &&
            std::fabs(arc->radius - last->radius) < kSamePointMm &&
            (arc->sweep > 0) == (last->sweep > 0) &&
            distance(startOf(element), endOf(joined.back())) < kSamePointMm) {
            last->sweep += arc->sweep;
            continue;
        }
        joined.push_back(element);
    }
    return joined;
}

std::optional<Stop> firstStop(Point from, Point direction, double radius, Point normal) {
    std::optional<Stop> best;
    const auto consider = [&best](double along, bool onLine) {
        if (along > kSamePointMm && (!best || along < best->along)) {
            best = Stop{along, onLine};
        }
    };
    // |from + t·direction| = radius
    const double b = dot(from, direction);
    const double disc = b * b - (dot(from, from) - radius * radius);
    if (disc >= 0) {
        consider(-b - std::sqrt(disc), false);
        consider(-b + std::sqrt(disc), false);
    }
    // (from + t·direction)·normal = 0
    const double rate = dot(direction, normal);
    if (rate != 0) {
        consider(-dot(from, normal) / rate, true);
    }
    return best;
}

std::optional<Stop> firstStop(const Arc& arc, double radius, Point normal) {
    const double sense = arc.sweep < 0 ? -1.0 : 1.0;
    std::optional<Stop> best;
    const auto consider = [&](Point p, bool onLine) {
        const double turned =
            turnedAngle(arc.startAngle, std::atan2(p.y - arc.centre.y, p.x - arc.centre.x), sense);
        if (turned * arc.radius > kSamePointMm && (!best || turned < best->along)) {
            best = Stop{turned, onLine};
        }
    };
    // The circle about the origin.
    const double d = length(arc.centre);
    if (d > 0) {
        const double a = (d * d + radius * radius - arc.radius * arc.radius) / (2 * d);
        const double h2 = radius * radius - a * a;
        if (h2 >= 0) {
            const Point along = (1 / d) * arc.centre;
            const Point across{-along.y, along.x};
            consider(a * along + std::sqrt(h2) * across, false);
            consider(a * along - std::sqrt(h2) * across, false);
        }
    }
    // The line through the origin with unit normal `normal`.
    const double offset = dot(arc.centre, normal);
    if (std::fabs(offset) <= arc.radius) {
        const Point foot = arc.centre - offset * normal;
        const Point tangent{-normal.y, normal.x};
        const double half = std::sqrt(arc.radius * arc.radius - offset * offset);
        consider(foot + half * tangent, true);
        consider(foot - half * tangent, true);
    }
    return best;
}

Bounds boundsOf(const Drawing& drawing) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Bounds box{{inf, inf}, {-inf, -inf}};
    const auto take = [&box](Point p) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y)};
    };
    for (const Shape& shape : drawing.shapes) {
        if (const auto* line = std::get_if<Line>(&shape.entity)) {
            take(line->from);
            take(line->to);
        } else if (const auto* circle = std::get_if<Circle>(&shape.entity)) {
            take(circle->centre - Point{circle->radius, circle->radius});
            take(circle->centre + Point{circle->radius, circle->radius});
        } else {
            // An arc's box: its ends and the quadrant points it passes.
            const Arc& arc = std::get<Arc>(shape.entity);
            take(arcPoint(arc, 0));
            take(arcPoint(arc, arc.sweep));
            const double sense = arc.sweep < 0 ? -1.0 : 1.0;
            for (int quadrant = 0; quadrant < 4; ++quadrant) {
                const double angle = quadrant * std::numbers::pi / 2;
                if (turnedAngle(arc.startAngle, angle, sense) <= std::fabs(arc.sweep)) {
                    take(arc.centre + arc.radius * polar(angle));
                }
            }
        }
    }
    if (drawing.shapes.empty()) {
        box = {{0, 0}, {0, 0}};
    }
    return box;
}

} // namespace zorvane::profile
