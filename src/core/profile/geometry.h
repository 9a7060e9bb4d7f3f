#pragma once
// Exact plane geometry of sprocket profiles: lines and circular arcs in millimetres, with the
// few operations the profile builders need (reverse, mirror, rotate, meet a circle or a line).

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zorvane::profile {

struct Point {
    double x = 0;
    double y = 0;
};

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
inline Point operator*(double k, Point a) {
    return {k * a.x, k * a.y};
}
double dot(Point a, Point b);
double length(Point a);
double distance(Point a, Point b);
// The unit vector at `angle` (radians, counter-clockwise from +x).
Point polar(double angle);

struct Line {
    Point from;
    Point to;
};

// A circular arc from startAngle, turning by sweep (radians; positive counter-clockwise).
struct Arc {
    Point centre;
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
};

using Element = std::variant<Line, Arc>;

Point startOf(const Element& element);
Point endOf(const Element& element);
Point arcPoint(const Arc& arc, double turned); // the point `turned` radians along the arc
Element reversed(const Element& element);
Element mirroredX(const Element& element); // mirrored in the y axis
Element rotated(const Element& element, double angle);
// Joins arcs that continue one another on the same circle in the same sense.
std::vector<Element> joinArcs(const std::vector<Element>& elements);

// Where a ray (from `from` along the unit vector `direction`) first meets the circle about the
// origin of `radius`, or the line through the origin with the unit normal `normal`: the distance
// along the ray, nothing when neither is met.
struct Stop {
    double along = 0;
    bool onLine = false; // true when the line through the origin was met first
};
std::optional<Stop> firstStop(Point from, Point direction, double radius, Point normal);
// The same for an arc leaving its start point in its sense of turning: the angle turned.
std::optional<Stop> firstStop(const Arc& arc, double radius, Point normal);

struct Circle {
    Point centre;
    double radius = 0;
};

using Entity = std::variant<Line, Arc, Circle>;

// A drawing layer: an ASCII name (for every DXF reader), an AutoCAD colour number, whether its
// lines are chain-dotted centre lines, and what it holds.
struct Layer {
    std::string name;
    int colour = 7;
    bool centreLine = false;
    std::string description;
};

struct Shape {
    std::string layer;
    Entity entity;
};

struct Drawing {
    std::vector<Layer> layers;
    std::vector<Shape> shapes;
};

// The smallest box around every shape.
struct Bounds {
    Point low;
    Point high;
};
Bounds boundsOf(const Drawing& drawing);

} // namespace zorvane::profile
