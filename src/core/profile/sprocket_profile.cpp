#include "core/profile/sprocket_profile.h"

#include "core/roller/roller_formulas.h"
#include "core/toothed/toothed_record.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace zorvane::profile {

namespace {

using std::numbers::pi;
constexpr double kDegree = pi / 180;
// Fewer teeth leave the toothed chain's tooth-space angle 30° − 180°/z without a gap.
constexpr int kFewestTeeth = 7;
constexpr int kMostTeeth = 2000;

// The right half of tooth gap 0 in its own frame (gap centreline on +y, sprocket centre at the
// origin), from the gap's lowest point upwards: fixed elements, then an open last element that
// runs on until the tip circle or the tooth centreline stops it.
struct Ray {
    Point from;
    Point direction; // unit
};
struct HalfGap {
    std::vector<Element> fixed;
    std::variant<Ray, Arc> open; // an open arc's sweep gives only its sense of turning
};

double valueOf(const std::vector<roller::SprocketRow>& rows, std::string_view item) {
    for (const auto& row : rows) {
        if (row.item == item) {
            return row.small;
        }
    }
    return 0;
}

// Standard form: seating arc ri over the seating angle α, then the flank arc re tangent to it,
// its centre on the line from the seating arc's end through the seating centre, beyond it.
HalfGap standardGap(double rootRadius, double ri, double re, double alphaDeg) {
    const double half = alphaDeg * kDegree / 2;
    const Point seat{0, rootRadius + ri};
    const Point out{std::sin(half), -std::cos(half)}; // from the seating centre to its arc's end
    HalfGap gap;
    gap.fixed.push_back(Arc{seat, ri, -pi / 2, half});
    const Point flankCentre = seat + (ri + re) * out;
    gap.open = Arc{flankCentre, re, std::atan2(-out.y, -out.x), -1};
    return gap;
}

// Three-arc-one-line form: seating arc r1 over α, working arc r2 over β about O2 (0.8·d1 from
// the groove centre, across it), the straight bc tangent to both arcs, the tip arc r3 about O3
// (1.3·d1 from the groove centre along the chord to the next roller).
HalfGap threeArcGap(double rootRadius, double d1, int z) {
    const double r1 = 0.5025 * d1 + 0.05;
    const double r2 = 1.3025 * d1 + 0.05;
    const double half = (55 - 60.0 / z) * kDegree;
    const double beta = (18 - 56.0 / z) * kDegree;
    const double gammaHalf = (17 - 64.0 / z) * kDegree;
    const double r3 = d1 * (1.3 * std::cos(gammaHalf) + 0.8 * std::cos(beta) - 1.3025) - 0.05;
    const double bc = d1 * (1.3 * std::sin(gammaHalf) - 0.8 * std::sin(beta));
    if (r3 <= 0 || bc <= 0 || beta <= 0) {
        throw ProfileError("齿数" + std::to_string(z) + "太少，无法构成三圆弧一直线齿形。");
    }
    const Point groove{0, rootRadius + r1};
    const Point out{std::sin(half), -std::cos(half)};
    HalfGap gap;
    gap.fixed.push_back(Arc{groove, r1, -pi / 2, half});
    const Arc working{groove - 0.8 * d1 * out, r2, std::atan2(out.y, out.x), beta};
    gap.fixed.push_back(working);
    const Point b = endOf(working);
    const Point along = polar(working.startAngle + beta + pi / 2);
    const Point c = b + bc * along;
    gap.fixed.push_back(Line{b, c});
    const Point tipCentre = groove + 1.3 * d1 * Point{std::cos(pi / z), -std::sin(pi / z)};
    gap.open = Arc{tipCentre, r3, std::atan2(c.y - tipCentre.y, c.x - tipCentre.x), -1};
    return gap;
}

// Toothed chain: the root arc from the gap centre to the working face, then the face, tangent
// to the locating circle 0.375p about the pitch point and inclined by 30° − 180°/z to the gap
// centreline.
HalfGap toothedGap(double pitchRadius, double rootRadius, double p, int z) {
    const double beta = (30 - 180.0 / z) * kDegree;
    const Point direction{std::sin(beta), std::cos(beta)};
    const Point touch = Point{0, pitchRadius} + 0.375 * p * Point{std::cos(beta), -std::sin(beta)};
    const double b = dot(touch, direction);
    const double disc = b * b - (dot(touch, touch) - rootRadius * rootRadius);
    const Point root = disc >= 0 ? touch + (-b + std::sqrt(disc)) * direction : Point{};
    if (disc < 0 || root.x <= 0) {
        throw ProfileError("齿数" + std::to_string(z) + "的齿形链链轮，齿槽工作面到不了齿根圆。");
    }
    HalfGap gap;
    gap.fixed.push_back(Arc{{0, 0}, rootRadius, pi / 2, std::atan2(root.y, root.x) - pi / 2});
    gap.open = Ray{root, direction};
    return gap;
}

// Runs the open element on to the tip circle or to the tooth centreline, whichever comes first.
std::vector<Element> finishHalf(const HalfGap& gap, double tipRadius, int z) {
    const Point normal{std::cos(pi / z), -std::sin(pi / z)}; // across the tooth centreline
    for (const Element& element : gap.fixed) {
        const Point end = endOf(element);
        if (length(end) >= tipRadius || dot(end, normal) >= 0) {
            throw ProfileError("齿顶圆太小或齿数" + std::to_string(z) + "太少，无法构成齿形。");
        }
    }
    std::vector<Element> half = gap.fixed;
    if (const auto* ray = std::get_if<Ray>(&gap.open)) {
        const auto stop = firstStop(ray->from, ray->direction, tipRadius, normal);
        if (!stop) {
            throw ProfileError("齿形的齿面到不了齿顶圆。");
        }
        half.push_back(Line{ray->from, ray->from + stop->along * ray->direction});
    } else {
        Arc arc = std::get<Arc>(gap.open);
        const auto stop = firstStop(arc, tipRadius, normal);
        if (!stop) {
            throw ProfileError("齿形的齿面到不了齿顶圆。");
        }
        arc.sweep = arc.sweep < 0 ? -stop->along : stop->along;
        half.push_back(arc);
    }
    return half;
}

// The whole contour from the right half of one gap: the gap mirrored, the tip land to the next
// gap, all of it turned through each pitch angle.
std::vector<Element> closedContour(const std::vector<Element>& right, double tipRadius, int z) {
    std::vector<Element> gap;
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
        gap.push_back(reversed(*it));
    }
    for (const Element& element : right) {
        gap.push_back(mirroredX(element));
    }
    gap = joinArcs(gap);
    const double pitchAngle = 2 * pi / z;
    const Point top = endOf(gap.back());
    const Point next = startOf(rotated(gap.front(), pitchAngle));
    const double from = std::atan2(top.y, top.x);
    double land = std::atan2(next.y, next.x) - from;
    land = std::remainder(land, 2 * pi);
    if (land * tipRadius > 1e-9) {
        gap.push_back(Arc{{0, 0}, tipRadius, from, land});
    }
    std::vector<Element> contour;
    contour.reserve(gap.size() * static_cast<std::size_t>(z));
    for (int k = 0; k < z; ++k) {
        for (const Element& element : gap) {
            contour.push_back(rotated(element, k * pitchAngle));
        }
    }
    return contour;
}

void checkSpec(const SprocketSpec& spec) {
    if (!(spec.pitchMm > 0) || !std::isfinite(spec.pitchMm)) {
        throw ProfileError("链条节距必须是正数。");
    }
    if (spec.teeth < kFewestTeeth || spec.teeth > kMostTeeth) {
        throw ProfileError("链轮齿数" + std::to_string(spec.teeth) + "不在" +
                           std::to_string(kFewestTeeth) + "～" + std::to_string(kMostTeeth) +
                           "之间，无法绘制齿形。");
    }
    if (spec.form != ToothForm::Toothed &&
        !(spec.rollerDiameterMm > 0 && spec.rollerDiameterMm < spec.pitchMm)) {
        throw ProfileError("滚子外径必须大于0且小于链条节距。");
    }
    if (!(spec.boreDiameterMm >= 0) || !std::isfinite(spec.boreDiameterMm)) {
        throw ProfileError("轴孔直径必须是正数。");
    }
}

} // namespace

ProfileSizes profileSizes(const SprocketSpec& spec) {
    const double p = spec.pitchMm;
    const double z = spec.teeth;
    if (spec.form == ToothForm::Toothed) {
        const auto rows = toothed::ToothedEngine::SprocketSizes(p, z, z);
        const auto size = [&rows](std::string_view item) {
            for (const auto& row : rows) {
                if (row.item == item) {
                    return row.smallValue;
                }
            }
            return 0.0;
        };
        return {size("分度圆直径"), size("齿顶圆直径"), size("齿根圆直径")};
    }
    const bool threeArc = spec.form == ToothForm::RollerThreeArc;
    const auto rows = roller::sprocketSizes(p, z, z, spec.rollerDiameterMm, 0, 0, threeArc);
    const double tip =
        threeArc ? valueOf(rows, "齿顶圆直径")
                 : (valueOf(rows, "齿顶圆最大直径") + valueOf(rows, "齿顶圆最小直径")) / 2;
    return {valueOf(rows, "分度圆直径"), tip, valueOf(rows, "齿根圆直径")};
}

SprocketProfile buildProfile(const SprocketSpec& spec) {
    checkSpec(spec);
    SprocketProfile profile;
    profile.spec = spec;
    profile.sizes = profileSizes(spec);
    const int z = spec.teeth;
    const double tip = profile.sizes.tipDiameter / 2;
    const double root = profile.sizes.rootDiameter / 2;
    const double d1 = spec.rollerDiameterMm;
    if (spec.boreDiameterMm >= profile.sizes.rootDiameter) {
        throw ProfileError("轴孔直径不小于齿根圆直径，无法绘制齿形。");
    }
    const auto contourOf = [&](const HalfGap& gap) {
        return closedContour(finishHalf(gap, tip, z), tip, z);
    };
    switch (spec.form) {
    case ToothForm::RollerStandard: {
        // The gap-form limits: the minimum gap form takes ri,min, re,max and α,max; the
        // maximum gap form ri,max, re,min and α,min.
        const double riMin = 0.505 * d1;
        const double riMax = riMin + 0.069 * std::cbrt(d1);
        const double reMax = 0.12 * d1 * (z + 2);
        const double reMin = 0.008 * d1 * (z * z + 180.0);
        const double alphaMin = 120 - 90.0 / z;
        const double alphaMax = 140 - 90.0 / z;
        profile.contour = contourOf(
            standardGap(root, (riMin + riMax) / 2, (reMin + reMax) / 2, (alphaMin + alphaMax) / 2));
        profile.minimumGapForm = contourOf(standardGap(root, riMin, reMax, alphaMax));
        profile.maximumGapForm = contourOf(standardGap(root, riMax, reMin, alphaMin));
        break;
    }
    case ToothForm::RollerThreeArc:
        profile.contour = contourOf(threeArcGap(root, d1, z));
        break;
    case ToothForm::Toothed:
        profile.contour =
            contourOf(toothedGap(profile.sizes.pitchDiameter / 2, root, spec.pitchMm, z));
        break;
    }
    return profile;
}

Drawing drawingOf(const SprocketProfile& profile) {
    Drawing drawing;
    drawing.layers.push_back({kProfileLayer, 7, false, "齿形轮廓"});
    if (!profile.minimumGapForm.empty()) {
        drawing.layers.push_back({kMinimumGapLayer, 3, false, "最小齿槽形状"});
        drawing.layers.push_back({kMaximumGapLayer, 1, false, "最大齿槽形状"});
    }
    drawing.layers.push_back({kTipLayer, 4, false, "齿顶圆"});
    drawing.layers.push_back({kConstructionLayer, 8, true, "分度圆与中心线"});
    if (profile.spec.boreDiameterMm > 0) {
        drawing.layers.push_back({kBoreLayer, 5, false, "轴孔"});
    }
    const auto add = [&drawing](const char* layer, const std::vector<Element>& elements) {
        for (const Element& element : elements) {
            std::visit(
                [&](const auto& shape) {
                    drawing.shapes.push_back({layer, shape});
                },
                element);
        }
    };
    add(kProfileLayer, profile.contour);
    add(kMinimumGapLayer, profile.minimumGapForm);
    add(kMaximumGapLayer, profile.maximumGapForm);
    const ProfileSizes& sizes = profile.sizes;
    drawing.shapes.push_back({kTipLayer, Circle{{0, 0}, sizes.tipDiameter / 2}});
    drawing.shapes.push_back({kConstructionLayer, Circle{{0, 0}, sizes.pitchDiameter / 2}});
    // The centre mark: two centre lines a little beyond the tip circle.
    const double reach = sizes.tipDiameter / 2 + std::max(3.0, 0.04 * sizes.tipDiameter);
    drawing.shapes.push_back({kConstructionLayer, Line{{-reach, 0}, {reach, 0}}});
    drawing.shapes.push_back({kConstructionLayer, Line{{0, -reach}, {0, reach}}});
    if (profile.spec.boreDiameterMm > 0) {
        drawing.shapes.push_back({kBoreLayer, Circle{{0, 0}, profile.spec.boreDiameterMm / 2}});
    }
    return drawing;
}

} // namespace zorvane::profile
