#include "core/design/computable_range.h"

#include "core/design/interaction.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::design {

namespace {

// A quantity as the bound messages show it: two decimals, and from a million on three
// significant digits with a power of ten ("5.21e10"), where whole digits would be unreadable.
std::string roughText(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude < 1e6) {
        return text::general(std::round(value * 100) / 100);
    }
    const double exponent = std::floor(std::log10(magnitude));
    const double mantissa = std::round(value / std::pow(10.0, exponent) * 100) / 100;
    return text::general(mantissa) + "e" + text::general(exponent);
}

std::string withUnit(const std::string& number, std::string_view unit) {
    return unit.empty() ? number : number + " " + std::string(unit);
}

} // namespace

bool withinRange(const ComputableRange& range, double value) {
    return value >= range.lowest && value <= range.highest;
}

std::string outOfRangeText(const ComputableRange& range) {
    return std::string(range.input) + "超出可计算的范围：应在 " + text::general(range.lowest) +
           " 到 " + text::general(range.highest) +
           (range.unit.empty() ? std::string() : " " + std::string(range.unit)) + " 之间。";
}

bool requireComputable(Interaction& ui, const ComputableRange& range, double value) {
    if (withinRange(range, value)) {
        return true;
    }
    showError(ui, outOfRangeText(range));
    return false;
}

bool withinBound(const PhysicalBound& bound, double value) {
    return value >= bound.lowest && value <= bound.highest;
}

std::string outOfBoundText(const PhysicalBound& bound, double value) {
    // A value that is no number at all is not shown.
    const std::string shown =
        std::isfinite(value) ? " " + withUnit(roughText(value), bound.unit) + " " : std::string();
    const std::string limits = bound.lowest > 0
                                   ? "应在 " + roughText(bound.lowest) + " 到 " +
                                         withUnit(roughText(bound.highest), bound.unit) + " 之间"
                                   : "应不大于 " + withUnit(roughText(bound.highest), bound.unit);
    return std::string(bound.quantity) + shown + "超出了链传动可能的范围（" + limits +
           "）：请检查" + std::string(bound.inputs) + "。";
}

bool requirePhysical(Interaction& ui, const PhysicalBound& bound, double value) {
    if (withinBound(bound, value)) {
        return true;
    }
    showError(ui, outOfBoundText(bound, value));
    return false;
}

} // namespace zorvane::design
