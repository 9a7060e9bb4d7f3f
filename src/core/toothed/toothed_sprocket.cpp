// The main dimensions of the two sprockets of a toothed chain drive.

#include "core/toothed/toothed_record.h"

#include <cmath>
#include <numbers>

namespace zorvane::toothed {

std::array<ToothedSizeRow, kSprocketSizeRows> ToothedEngine::SprocketSizes(double p, double z1,
                                                                           double z2) {
    using std::numbers::pi;
    const auto row = [z1, z2](std::string_view item, auto size) {
        return ToothedSizeRow{item, size(z1), size(z2)};
    };
    const auto cot = [](double z) { return 1.0 / std::tan(pi / z); };
    return {{
        row("齿楔角", [](double) { return 60.0; }),
        row("分度圆直径", [p](double z) { return p / std::sin(pi / z); }),
        row("齿顶圆直径", [p](double z) { return p / std::tan(pi / z); }),
        row("齿槽定位圆半径", [p](double) { return 0.375 * p; }),
        row("分度角", [](double z) { return 360.0 / z; }),
        row("齿槽角", [](double z) { return 30.0 - 180.0 / z; }),
        row("齿形角", [](double z) { return 30.0 - 360.0 / z; }),
        row("齿面工作段最低点至节距线距离", [p](double) { return 0.55 * p; }),
        row("齿根间隙(h方向)", [p](double) { return 0.08 * p; }),
        row("齿根圆直径",
            [p, cot](double z) { return p * std::sqrt(std::pow(cot(z) - 1.26, 2) + 1.296328); }),
        row("接触终止圆直径",
            [p, cot](double z) { return p * std::sqrt(std::pow(cot(z) - 1.1, 2) + 1.515213); }),
    }};
}

} // namespace zorvane::toothed
