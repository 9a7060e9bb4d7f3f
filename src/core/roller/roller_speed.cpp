// Lubrication, the speed-class check and the actual centre distance of a roller chain drive.

#include "core/roller/roller_formulas.h"
#include "core/text/number_text.h"

#include <array>
#include <cmath>
#include <numbers>

namespace zorvane::roller {

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

double actualCentreDistance(double a, double d) {
    return static_cast<double>(text::truncateRoundUp((1 - d) * a));
}

} // namespace zorvane::roller
