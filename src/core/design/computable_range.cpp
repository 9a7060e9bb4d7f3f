#include "core/design/computable_range.h"

#include "core/design/interaction.h"
#include "core/text/number_text.h"

namespace zorvane::design {

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

} // namespace zorvane::design
