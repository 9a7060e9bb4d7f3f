#pragma once
// The computable range of the inputs a design computes with. Each input has its own check (a
// positive number, a whole number, a range of the handbook); on top of it, a value must lie
// within a range that no real chain drive leaves, so that every quantity the steps derive from
// it stays finite and of a size that means something. A value outside is refused at the step
// that would compute with it, with a message naming the input.

#include <string>
#include <string_view>

namespace zorvane::design {

class Interaction;

struct ComputableRange {
    std::string_view input; // the input as the panel names it
    double lowest;
    double highest;
    std::string_view unit;
};

// The bounds of every input. A drive of 5 000 kW is real, one of 100 000 kW is not; a chain at
// 0.1 r/min crawls, one at 100 000 r/min does not exist; and so on.
// clang-format off
inline constexpr ComputableRange kPowerRange       {"传递功率",       0.001,  1e5,  "KW"};
inline constexpr ComputableRange kSpeedRange       {"小链轮转速",     0.1,    1e5,  "r/min"};
inline constexpr ComputableRange kRatioRange       {"传动比",         0.01,   100,  ""};
inline constexpr ComputableRange kLifeRange        {"使用寿命",       1,      1e6,  "h"};
inline constexpr ComputableRange kInitA0Range      {"中心距初值",     1,      1e5,  "mm"};
inline constexpr ComputableRange kA0PercentRange   {"中心距初值允许误差", 0,  100,  "%"};
inline constexpr ComputableRange kSmallTeethRange  {"小链轮齿数",     1,      1000, ""};
inline constexpr ComputableRange kLargeTeethRange  {"大链轮齿数",     1,      1000, ""};
inline constexpr ComputableRange kIdlerTeethRange  {"张紧轮齿数",     1,      1000, ""};
inline constexpr ComputableRange kRowsRange        {"多排链排数",     1,      100,  ""};
inline constexpr ComputableRange kSafetyRange      {"许用安全系数",   0,      1000, ""};
inline constexpr ComputableRange kPitchRange       {"链条节距",       1,      1000, "mm"};
// clang-format on

bool withinRange(const ComputableRange& range, double value);

// "传递功率超出可计算的范围：应在 0.001 到 100000 KW 之间。"
std::string outOfRangeText(const ComputableRange& range);

// Answers true inside the range; outside it shows outOfRangeText as an error and answers false.
bool requireComputable(Interaction& ui, const ComputableRange& range, double value);

} // namespace zorvane::design
