// The main dimensions of both sprockets of a roller chain drive.

#include "core/roller/roller_formulas.h"

#include <cmath>
#include <numbers>

namespace zorvane::roller {

namespace {

struct Sprocket {
    double z; // teeth
    double d; // pitch circle diameter
};

double cot(double angle) {
    return std::cos(angle) / std::sin(angle);
}

} // namespace

std::vector<SprocketRow> sprocketSizes(double p, double z1, double z2, double dr, double pt,
                                       double h, bool threeArc) {
    constexpr double pi = std::numbers::pi;
    const Sprocket small{z1, p / std::sin(pi / z1)};
    const Sprocket large{z2, p / std::sin(pi / z2)};
    std::vector<SprocketRow> rows;
    const auto add = [&](const char* item, auto formula) {
        rows.push_back({item, formula(small), formula(large)});
    };
    add("排距", [&](const Sprocket&) { return pt; });
    add("分度圆直径", [](const Sprocket& s) { return s.d; });
    if (threeArc) {
        add("齿顶圆直径", [&](const Sprocket& s) { return (cot(pi / s.z) + 0.54) * p; });
        add("分度圆舷齿高", [&](const Sprocket&) { return 0.27 * p; });
    } else {
        add("齿顶圆最大直径", [&](const Sprocket& s) { return s.d + 1.25 * p - dr; });
        add("齿顶圆最小直径", [&](const Sprocket& s) { return s.d + (1 - 1.6 / s.z) * p - dr; });
        add("分度圆最大舷齿高",
            [&](const Sprocket& s) { return (0.8 / s.z + 0.625) * p - 0.5 * dr; });
        add("分度圆最小舷齿高", [&](const Sprocket&) { return 0.5 * (p - dr); });
    }
    add("齿根圆直径", [&](const Sprocket& s) { return s.d - dr; });
    add("最大齿根距离", [&](const Sprocket& s) {
        const bool odd = std::llround(s.z) % 2 == 1;
        return odd ? s.d * std::cos(pi / (2 * s.z)) - dr : s.d - dr;
    });
    add("齿侧凸缘或排间槽直径",
        [&](const Sprocket& s) { return p * cot(pi / s.z) - 1.04 * h - 0.76; });
    return rows;
}

} // namespace zorvane::roller
