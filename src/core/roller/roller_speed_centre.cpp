// Chain speed, lubrication, the initial and the theoretical centre distance, and the forces of
// a roller chain drive.

#include "core/roller/roller_formulas.h"
#include "core/text/number_text.h"

#include <array>
#include <cmath>
#include <numbers>

namespace zorvane::roller {

double chainSpeed(double z1, double n1, double p) {
    return z1 * n1 * p / 60000.0;
}

double LubBoundary(int boundary, double p, double v) {
    switch (boundary) {
    case 1:
        return v - std::pow(6.0 / p, 0.525);
    case 2:
        return std::log10(v) + 1.85 * std::log10(p) - 2.644;
    case 3:
        return std::log10(v) + 0.55 * std::log10(p) - 1.534;
    default:
        return 0;
    }
}

std::string_view lubricationMethod(double p, double v) {
    static constexpr std::array<std::string_view, 3> kBelow{"油刷或油壶人工定期润滑", "滴油润滑",
                                                            "油浴或飞溅润滑"};
    for (int boundary = 1; boundary <= 3; ++boundary) {
        if (LubBoundary(boundary, p, v) < 0) {
            return kBelow[static_cast<std::size_t>(boundary - 1)];
        }
    }
    return "油泵压力喷油润滑";
}

SpeedAdvice speedClassAdvice(int speedItem, int speedClass, double v) {
    switch (speedItem == 0 ? 0 : speedClass) {
    case 0:
        return v > 3 ? SpeedAdvice::ReduceTeeth
                     : (v < 0.6 ? SpeedAdvice::IncreaseTeeth : SpeedAdvice::None);
    case 1:
        return v > 8 ? SpeedAdvice::ReduceTeeth
                     : (v < 3 ? SpeedAdvice::IncreaseTeeth : SpeedAdvice::None);
    case 2:
        return v < 8 ? SpeedAdvice::IncreaseTeeth : SpeedAdvice::None;
    default:
        return SpeedAdvice::None;
    }
}

double a0MinPitches(double z1, double i) {
    return i < 4 ? 0.2 * z1 * (i + 1) : 0.33 * z1 * (i - 1);
}

A0RangeView a0Range(const A0RangeInputs& in) {
    A0RangeView view;
    const std::string m = text::fixed(a0MinPitches(in.z1, in.i), 0, 2);
    const double mv = text::parseDecimal(m).value_or(0);
    const auto wholeText = [](double value) { return std::to_string(text::roundHalfEven(value)); };
    view.rangeText = "本设计中,a0在理论上的取值范围为:";
    view.lower = mv;
    if (in.adjustable) {
        view.upper = 80;
        if (in.hasTensioner) {
            view.rangeText += "(" + m + "～80)p,a0还可以大于80p,a0的最佳取值范围为:(30～50)p";
            view.defaultText = "40";
        } else if (!in.pulsating) {
            view.rangeText += "(" + m + "～80)p,a0的最佳取值范围为:(30～50)p";
            view.defaultText = "40";
        } else {
            view.rangeText += "(" + m + "～80)p,a0的最佳取值范围为:(" + m + "～25)p";
            view.defaultText = wholeText((mv + 25) / 2);
        }
    } else {
        view.upper = 30;
        view.rangeText += "(" + m + "～30)p";
        if (in.pulsating && !in.hasTensioner) {
            view.rangeText += ",a0的最佳取值范围为:(" + m + "～25)p";
        }
        view.defaultText = wholeText((mv + 30) / 2);
    }
    if (!in.hasInitA0) {
        return view;
    }
    const double x = in.initA0 / in.p;
    const double delta = in.a0Tol * x;
    view.givenText = "本设计中,a0的初值为" + text::fixed(x, 0, 3) + "p,";
    if (in.a0Dir == "上调") {
        view.lower = x;
        view.upper = x + delta;
        view.givenText += "允许" + in.floatText + "至" + text::fixed(view.upper, 0, 3) + "p.";
    } else if (in.a0Dir == "下调") {
        view.lower = x - delta;
        view.upper = x;
        view.givenText += "允许" + in.floatText + "至" + text::fixed(view.lower, 0, 3) + "p.";
    } else {
        view.lower = x - delta;
        view.upper = x + delta;
        view.givenText += "允许" + in.a0Dir + text::fixed(delta, 0, 3) + "p.";
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
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].first >= r) {
            return interpolate(rows[k - 1], rows[k], r);
        }
    }
    // The table ends below r: go on towards the value that holds above r = 30.
    const KaRow last = rows.empty() ? KaRow{kKaSmallRatio, kKaAtSmallRatio} : rows.back();
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

double actualCentreDistance(double a, double d) {
    return static_cast<double>(text::truncateRoundUp((1 - d) * a));
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

} // namespace zorvane::roller
