// Sprocket profiles measured on their own geometry: closed simple contours with z teeth and the
// design's tip, pitch and root sizes; rollers and measuring pins laid in the gaps; the toothed
// chain's working faces; the DXF read back by an independent reader (ezdxf).

#include "core/profile/profile_files.h"
#include "core/profile/sprocket_profile.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <numbers>
#include <sstream>

namespace zorvane::profile {
namespace {

using std::numbers::pi;
constexpr double kJoinMm = 1e-9;

struct Case {
    const char* name;
    ToothForm form;
    double p;
    double d1;
    int z;
    // The published sizes (2 decimals: the size table) and the measuring distance over pins.
    double d;
    double da;
    double df;
    double mr;
};

// Roller chain 10A (p 15.875, d1 10.16) and 12A (p 19.05, d1 11.91); toothed p 12.7 and 31.75.
// Toothed MR by the GB/T 10855 construction; z = 23 gives MR/p = 7.621 as its table does.
const Case kCases[] = {
    {"standard_z21", ToothForm::RollerStandard, 15.875, 10.16, 21, 106.51, 113.61, 96.35, 116.38},
    {"standard_z64", ToothForm::RollerStandard, 15.875, 10.16, 64, 323.53, 331.03, 313.37, 333.69},
    {"standard_z9", ToothForm::RollerStandard, 19.05, 11.91, 9, 55.70, 63.53, 43.79, 66.76},
    {"threearc_z21", ToothForm::RollerThreeArc, 15.875, 10.16, 21, 106.51, 113.90, 96.35, 116.38},
    {"threearc_z30", ToothForm::RollerThreeArc, 19.05, 11.91, 30, 182.25, 191.54, 170.34, 194.16},
    {"toothed_z21", ToothForm::Toothed, 12.7, 0, 21, 85.21, 84.26, 69.77, 88.58},
    {"toothed_z23", ToothForm::Toothed, 12.7, 0, 23, 93.27, 92.40, 77.75, 7.621 * 12.7},
    {"toothed_z30", ToothForm::Toothed, 31.75, 0, 30, 303.75, 302.08, 264.56, 313.83},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

SprocketSpec specOf(const Case& c) {
    return {c.form, c.p, c.z, c.d1, c.form == ToothForm::RollerStandard ? 40.0 : 0.0};
}

double cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}

// Whether `p` on the arc's circle lies on the arc itself.
bool onArc(const Arc& arc, Point p, double slack = 1e-12) {
    const double angle = std::atan2(p.y - arc.centre.y, p.x - arc.centre.x);
    double turned = std::fmod((arc.sweep < 0 ? -1 : 1) * (angle - arc.startAngle), 2 * pi);
    if (turned < 0) {
        turned += 2 * pi;
    }
    return turned <= std::fabs(arc.sweep) + slack || turned >= 2 * pi - slack;
}

// The points where two elements meet.
std::vector<Point> meetings(const Element& a, const Element& b) {
    std::vector<Point> found;
    const auto* la = std::get_if<Line>(&a);
    const auto* lb = std::get_if<Line>(&b);
    if (la && lb) {
        const Point r = la->to - la->from;
        const Point s = lb->to - lb->from;
        const double denom = cross(r, s);
        if (denom != 0) {
            const double t = cross(lb->from - la->from, s) / denom;
            const double u = cross(lb->from - la->from, r) / denom;
            if (t >= 0 && t <= 1 && u >= 0 && u <= 1) {
                found.push_back(la->from + t * r);
            }
        }
        return found;
    }
    if (lb) {
        return meetings(b, a);
    }
    const Arc& arc = std::get<Arc>(b);
    if (la) {
        const Point r = la->to - la->from;
        const double len = length(r);
        const Point u = (1 / len) * r;
        const double t0 = dot(arc.centre - la->from, u);
        const double h2 = arc.radius * arc.radius - std::pow(cross(u, arc.centre - la->from), 2);
        for (const double t :
             {t0 - std::sqrt(std::max(h2, 0.0)), t0 + std::sqrt(std::max(h2, 0.0))}) {
            const Point p = la->from + t * u;
            if (h2 >= 0 && t >= 0 && t <= len && onArc(arc, p)) {
                found.push_back(p);
            }
        }
        return found;
    }
    const Arc& first = std::get<Arc>(a);
    const double d = distance(first.centre, arc.centre);
    if (d == 0) {
        return found;
    }
    const double along = (d * d + first.radius * first.radius - arc.radius * arc.radius) / (2 * d);
    const double h2 = first.radius * first.radius - along * along;
    if (h2 < 0) {
        return found;
    }
    const Point e = (1 / d) * (arc.centre - first.centre);
    for (const double side : {-1.0, 1.0}) {
        const Point p = first.centre + along * e + side * std::sqrt(h2) * Point{-e.y, e.x};
        if (onArc(first, p) && onArc(arc, p)) {
            found.push_back(p);
        }
    }
    return found;
}

double distanceTo(const Element& element, Point p) {
    if (const auto* line = std::get_if<Line>(&element)) {
        const Point r = line->to - line->from;
        const double t = std::clamp(dot(p - line->from, r) / dot(r, r), 0.0, 1.0);
        return distance(p, line->from + t * r);
    }
    const Arc& arc = std::get<Arc>(element);
    const Point toward = p - arc.centre;
    if (length(toward) > 0 && onArc(arc, arc.centre + (arc.radius / length(toward)) * toward)) {
        return std::fabs(length(toward) - arc.radius);
    }
    return std::min(distance(p, startOf(element)), distance(p, endOf(element)));
}

// The largest distance of an element from the sprocket centre.
double outerRadius(const Element& element) {
    double r = std::max(length(startOf(element)), length(endOf(element)));
    if (const auto* arc = std::get_if<Arc>(&element); arc && length(arc->centre) > 0) {
        const Point far = arc->centre + (arc->radius / length(arc->centre)) * arc->centre;
        if (onArc(*arc, far)) {
            r = std::max(r, length(arc->centre) + arc->radius);
        }
    } else if (arc) {
        r = std::max(r, arc->radius);
    }
    return r;
}

// Where the ray from the centre at `angle` crosses the contour: the gap's bottom, nearest first.
std::vector<Point> crossings(const std::vector<Element>& contour, double angle) {
    const Line ray{{0, 0}, 1e4 * polar(angle)};
    std::vector<Point> points;
    for (const Element& element : contour) {
        for (const Point p : meetings(ray, element)) {
            points.push_back(p);
        }
    }
    std::sort(points.begin(), points.end(), [](Point a, Point b) { return length(a) < length(b); });
    return points;
}

class ProfileGeometry : public ::testing::TestWithParam<Case> {};

TEST_P(ProfileGeometry, OneClosedSimpleContourOfZTeethOnTheDesignSizes) {
    const Case& c = GetParam();
    const SprocketProfile profile = buildProfile(specOf(c));
    for (const auto* contour :
         {&profile.contour, &profile.minimumGapForm, &profile.maximumGapForm}) {
        const auto& elements = *contour;
        const std::size_t n = elements.size();
        for (std::size_t i = 0; i < n; ++i) {
            ASSERT_LT(distance(endOf(elements[i]), startOf(elements[(i + 1) % n])), kJoinMm)
                << "element " << i;
        }
    }
    const auto& contour = profile.contour;
    const std::size_t n = contour.size();
    // No two elements meet except neighbours at their shared end.
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            for (const Point p : meetings(contour[i], contour[j])) {
                const bool shared =
                    (j == i + 1 && distance(p, endOf(contour[i])) < 1e-6) ||
                    (i == 0 && j == n - 1 && distance(p, startOf(contour[0])) < 1e-6);
                ASSERT_TRUE(shared) << "elements " << i << " and " << j << " cross";
            }
        }
    }
    // Each tooth reaches the tip circle once; the gap bottoms lie on the root circle and the
    // rollers' (or joints') centres on the pitch circle.
    double outer = 0;
    for (const Element& element : contour) {
        outer = std::max(outer, outerRadius(element));
    }
    EXPECT_NEAR(2 * outer, c.da, 0.01);
    int teeth = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const bool top = outerRadius(contour[i]) > outer - 1e-9;
        const bool before = outerRadius(contour[(i + n - 1) % n]) > outer - 1e-9;
        teeth += top && !before;
    }
    EXPECT_EQ(teeth, c.z);
    const auto bottom = crossings(contour, pi / 2);
    ASSERT_EQ(bottom.size(), 1u);
    EXPECT_NEAR(2 * length(bottom[0]), c.df, 0.01);
    EXPECT_NEAR(profile.sizes.pitchDiameter, c.d, 0.01);
}

TEST_P(ProfileGeometry, RollersSeatOnThePitchCircleAndPinsGiveTheMeasuringDistance) {
    const Case& c = GetParam();
    const SprocketProfile profile = buildProfile(specOf(c));
    std::vector<Point> centres;
    const double pinRadius = c.form == ToothForm::Toothed ? 0.3125 * c.p : c.d1 / 2;
    for (int k = 0; k < c.z; ++k) {
        const double angle = pi / 2 + 2 * pi * k / c.z;
        const Point out = polar(angle);
        if (c.form != ToothForm::Toothed) {
            // The roller rests on the gap's lowest point, touches the seating arc there and
            // keeps clear of every tooth.
            const Point centre = crossings(profile.contour, angle).at(0) + pinRadius * out;
            double nearest = 1e9;
            for (const Element& element : profile.contour) {
                nearest = std::min(nearest, distanceTo(element, centre));
            }
            EXPECT_NEAR(nearest, pinRadius, 1e-9) << "gap " << k;
            centres.push_back(centre);
            continue;
        }
        // A pin of 0.625p touching both working faces of the gap: its centre lies on the gap
        // centreline where the faces stand dR/2 off.
        std::vector<double> along;
        for (const Element& element : profile.contour) {
            const auto* face = std::get_if<Line>(&element);
            const Point mid = face ? 0.5 * (face->from + face->to) : Point{};
            if (!face ||
                std::fabs(std::remainder(std::atan2(mid.y, mid.x) - angle, 2 * pi)) > pi / c.z) {
                continue;
            }
            const Point dir = (1 / length(face->to - face->from)) * (face->to - face->from);
            const double side = cross(dir, c.d / 2 * out - face->from) > 0 ? 1 : -1;
            along.push_back((side * pinRadius + cross(dir, face->from)) / cross(dir, out));
        }
        ASSERT_EQ(along.size(), 2u) << "gap " << k;
        EXPECT_NEAR(along[0], along[1], 1e-9);
        centres.push_back(along[0] * out);
    }
    if (c.form != ToothForm::Toothed) {
        for (int k = 0; k < c.z; ++k) {
            EXPECT_NEAR(distance(centres[k], centres[(k + 1) % c.z]), c.p, 1e-9);
        }
    }
    const int opposite = c.z / 2;
    EXPECT_NEAR(distance(centres[0], centres[opposite]) + 2 * pinRadius, c.mr, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Forms, ProfileGeometry, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ToothedProfile, TheFacesALinkSeatsOnIncludeTheWedgeAngle) {
    for (const int z : {17, 21, 63}) {
        const SprocketProfile profile = buildProfile({ToothForm::Toothed, 12.7, z});
        // The face on the right of gap 0 and the face on the left of the gap before it hold
        // one link's outer flanks between them.
        std::vector<std::pair<double, Point>> faces; // polar angle of the middle, outward unit
        for (const Element& element : profile.contour) {
            if (const auto* face = std::get_if<Line>(&element)) {
                const Point mid = 0.5 * (face->from + face->to);
                const bool rising = length(face->to) > length(face->from);
                const Point dir = rising ? face->to - face->from : face->from - face->to;
                faces.push_back({std::atan2(mid.y, mid.x), (1 / length(dir)) * dir});
            }
        }
        ASSERT_EQ(faces.size(), 2u * z);
        const auto face = [&](double near) {
            return std::min_element(faces.begin(), faces.end(),
                                    [near](auto a, auto b) {
                                        return std::fabs(std::remainder(a.first - near, 2 * pi)) <
                                               std::fabs(std::remainder(b.first - near, 2 * pi));
                                    })
                ->second;
        };
        const Point right = face(pi / 2 - 0.01);
        const Point left = face(pi / 2 + 2 * pi / z + 0.01);
        EXPECT_NEAR(std::acos(dot(right, left)) * 180 / pi, 60.0, 1e-9) << "z = " << z;
    }
}

TEST(ProfileErrors, SizesOutOfRangeAreRefusedInWords) {
    const SprocketSpec bad[] = {
        {ToothForm::Toothed, 12.7, 6},
        {ToothForm::RollerStandard, 15.875, 21, 16.0},
        {ToothForm::RollerStandard, 0, 21, 10.16},
        {ToothForm::RollerThreeArc, 15.875, 21, 10.16, 100.0}, // bore beyond the root circle
    };
    for (const SprocketSpec& spec : bad) {
        EXPECT_THROW(buildProfile(spec), ProfileError);
    }
}

// The DXF of one case of each form read back by ezdxf (Debian's python3, not whatever python is on
// PATH): the same entities on the same layers with the same numbers.
TEST(ProfileFiles, EzdxfReadsBackTheSameEntities) {
    testing::TempDir dir;
    std::string expected;
    std::string files;
    char line[256];
    for (const Case& c : {kCases[0], kCases[3], kCases[5]}) {
        const Drawing drawing = drawingOf(buildProfile(specOf(c)));
        const auto path = dir.path() / (std::string(c.name) + ".dxf");
        writeFileWhole(path, dxfText(drawing));
        files += " '" + path.string() + "'";
        for (const Shape& shape : drawing.shapes) {
            if (const auto* l = std::get_if<Line>(&shape.entity)) {
                std::snprintf(line, sizeof line, "LINE %s %.9f %.9f %.9f %.9f\n",
                              shape.layer.c_str(), l->from.x, l->from.y, l->to.x, l->to.y);
            } else if (const auto* o = std::get_if<Circle>(&shape.entity)) {
                std::snprintf(line, sizeof line, "CIRCLE %s %.9f %.9f %.9f\n", shape.layer.c_str(),
                              o->centre.x, o->centre.y, o->radius);
            } else {
                const Element arc = std::get<Arc>(shape.entity);
                const Element ccw = std::get<Arc>(arc).sweep < 0 ? reversed(arc) : arc;
                const Point s = startOf(ccw);
                const Point e = endOf(ccw);
                std::snprintf(line, sizeof line, "ARC %s %.9f %.9f %.9f %.9f\n",
                              shape.layer.c_str(), s.x, s.y, e.x, e.y);
            }
            expected += line;
        }
    }
    std::string read;
    const std::string command =
        std::string("/usr/bin/python3 '") + ZORVANE_READ_DXF + "'" + files + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        read += line;
    }
    // Rounding to 1e-9 mm may differ in the last place between the two programs' arithmetic.
    std::istringstream want(expected);
    std::istringstream got(read);
    std::string a;
    std::string b;
    int count = 0;
    while (std::getline(want, a)) {
        ASSERT_TRUE(std::getline(got, b)) << "ezdxf read fewer entities; it said:\n" << read;
        std::istringstream wa(a);
        std::istringstream gb(b);
        std::string kindA, kindB, layerA, layerB;
        wa >> kindA >> layerA;
        gb >> kindB >> layerB;
        ASSERT_EQ(kindA + " " + layerA, kindB + " " + layerB) << "entity " << count;
        double x = 0;
        double y = 0;
        while (wa >> x && gb >> y) {
            ASSERT_NEAR(x, y, 1e-8) << a << " / " << b;
        }
        ++count;
    }
    EXPECT_FALSE(std::getline(got, b)) << "ezdxf read more: " << b;
    EXPECT_GT(count, 300);
}

} // namespace
} // namespace zorvane::profile
