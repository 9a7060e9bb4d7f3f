// The formulas both chains share from the chain speed to the shaft load.

#include "core/design/drive_formulas.h"
#include "core/text/number_text.h"

#include <cmath>
#include <numbers>

namespace zorvane::design {

double chainSpeed(double z1, double n1, double p) {
    return z1 * n1 * p / 60000.0;
}

double a0MinPitches(double z1, double i) {
    return i < 4 ? 0.2 * z1 * (i + 1) : 0.33 * z1 * (i - 1);
}

A0RangeView a0Range(const A0RangeInputs& in) {
    const bool roller = in.rules == A0Rules::Roller;
    const double a0min = a0MinPitches(in.z1, in.i);
    const std::string m = text::fixed(a0min, 0, 2);
    const double shown = text::parseDecimal(m).value_or(a0min);
    const auto middle = [&](double upper) {
        return std::to_string(text::roundHalfEven((shown + upper) / 2));
    };
    A0RangeView view;
    view.rangeText = "本设计中,a0在理论上的取值范围为:(" + m;
    view.lower = roller ? shown : a0min;
    const bool pulsatingUntensioned = in.pulsating && !in.hasTensioner;
    if (in.adjustable) {
        view.upper = 80;
        if (in.hasTensioner) {
            view.rangeText += "～80)p,a0还可以大于80p,a0的最佳取值范围为:(30～50)p";
        } else if (!in.pulsating) {
            view.rangeText += "～80)p,a0的最佳取值范围为:(30～50)p";
        } else {
            view.rangeText += "～80)p,a0的最佳取值范围为:(" + m + "～25)p";
        }
        view.defaultText = pulsatingUntensioned ? middle(25) : "40";
    } else {
        view.upper = 30;
        view.rangeText += "～30)p";
        if (pulsatingUntensioned) {
            view.rangeText += ",a0的最佳取值范围为:(" + m + "～25)p";
        }
        view.defaultText = middle(pulsatingUntensioned && !roller ? 25 : 30);
    }
    if (!in.hasInitA0) {
        return view;
    }
    // A given value replaces the range: it may move by its own percentage in the direction the
    // initial conditions allow.
    const double x = in.initA0 / in.p;
    const double delta = in.a0Tol * x;
    const std::string direction = text::trimmed(in.a0Dir);
    view.givenText = "本设计中,a0的初值为" + text::fixed(x, 0, 3) + "p,";
    if (direction == "上调或下调") {
        view.lower = x - delta;
        view.upper = x + delta;
        view.givenText += "允许" + direction + text::fixed(delta, 0, 3) + "p.";
    } else {
        const bool up = direction == "上调";
        view.lower = up ? x : x - delta;
        view.upper = up ? x + delta : x;
        view.givenText +=
            "允许" + direction + "至" + text::fixed(up ? view.upper : view.lower, 0, 3) + "p.";
    }
    view.defaultText = text::fixed((view.lower + view.upper) / 2, 0, 3);
    return view;
}

std::string a0OutOfRangeText(double lower, double upper) {
    return "中心距超出范围，其值应在" + text::fixed(lower, 0, 3) + "p≤a0≤" +
           text::fixed(upper, 0, 3) + "p范围内!";
}

double linkCountExact(double a0p, double z1, double z2) {
    const double spread = (z2 - z1) / (2 * std::numbers::pi);
    return 2 * a0p + spread * spread / a0p + (z1 + z2) / 2;
}

namespace {
constexpr double kKaSmallRatio = 1.05;
constexpr double kKaAtSmallRatio = 0.19245;
constexpr double kKaLargeRatio = 30;
constexpr double kKaAboveLargeRatio = 0.25;

double interpolate(const KaRow& from, const KaRow& to, double r) {
    if (to.first == from.first) {
        return to.second;
    }
    return from.second + (r - from.first) / (to.first - from.first) * (to.second - from.second);
}
} // namespace

double centreDistanceFactor(double r, const std::vector<KaRow>& rows) {
    if (r <= kKaSmallRatio) {
        return kKaAtSmallRatio;
    }
    if (r > kKaLargeRatio) {
        return kKaAboveLargeRatio;
    }
    const KaRow low{kKaSmallRatio, kKaAtSmallRatio};
    if (!rows.empty() && r < rows.front().first) {
        return interpolate(low, rows.front(), r);
    }
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].first >= r) {
            return interpolate(rows[k - 1], rows[k], r);
        }
    }
    // The table ends below r: go on towards the value that holds above r = 30.
    const KaRow last = rows.empty() ? low : rows.back();
    return interpolate(last, {kKaLargeRatio, kKaAboveLargeRatio}, r);
}

double theoreticalCentreDistance(double Lp, double z1, double z2, double p,
                                 const std::vector<KaRow>& rows) {
    if (z1 == z2) {
        return (Lp - z1) * p / 2;
    }
    const double ka = centreDistanceFactor((Lp - z1) / (z2 - z1), rows);
    return (2 * Lp - z1 - z2) * p * ka;
}

std::string_view deltaAAdvice(bool adjustable, bool hasTensioner) {
    if (adjustable && hasTensioner) {
        return "中心距可调,且有张紧,Δa可取较大值";
    }
    if (!adjustable && !hasTensioner) {
        return "中心距不可调,且无张紧装置,Δa应取较小值";
    }
    if (!adjustable) {
        return "中心距不可调,Δa应取较小的值";
    }
    return "无张紧装置,Δa应取较小的值";
}

double circumferentialForce(double power, double v) {
    return 1000 * power / v;
}

bool layoutAsksTensionFactor(int layout) {
    return layout == 0 || layout == 1;
}

double shaftForce(int layout, double kf, double ft, double ka) {
    if (layoutAsksTensionFactor(layout)) {
        return kf * ft * ka;
    }
    if (layout == 2 || layout == 3) {
        return 1.05 * ka * ft;
    }
    return 1.175 * ft * ka;
}

} // namespace zorvane::design
