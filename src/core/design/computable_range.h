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
// 0.1 r/min crawls, one at 100 000 r/min does not exist; a ratio may move by its whole value at
// most; the widest toothed chains are some 600 mm wide; a chain counts as worn out at a few per
// cent of elongation, so a hundredth of a per cent is no wear limit; and so on.
// clang-format off
inline constexpr ComputableRange kPowerRange       {"传递功率",       0.001,  1e5,  "KW"};
inline constexpr ComputableRange kSpeedRange       {"小链轮转速",     0.1,    1e5,  "r/min"};
inline constexpr ComputableRange kRatioRange       {"传动比",         0.01,   100,  ""};
inline constexpr ComputableRange kRatioTolRange    {"传动比允许误差", 0,      100,  "%"};
inline constexpr ComputableRange kLifeRange        {"使用寿命",       1,      1e6,  "h"};
inline constexpr ComputableRange kInitA0Range      {"中心距初值",     1,      1e5,  "mm"};
inline constexpr ComputableRange kA0PercentRange   {"中心距初值允许误差", 0,  100,  "%"};
inline constexpr ComputableRange kSmallTeethRange  {"小链轮齿数",     1,      1000, ""};
inline constexpr ComputableRange kLargeTeethRange  {"大链轮齿数",     1,      1000, ""};
inline constexpr ComputableRange kIdlerTeethRange  {"张紧轮齿数",     1,      1000, ""};
inline constexpr ComputableRange kRowsRange        {"多排链排数",     1,      100,  ""};
inline constexpr ComputableRange kSafetyRange      {"许用安全系数",   0,      1000, ""};
inline constexpr ComputableRange kPitchRange       {"链条节距",       1,      1000, "mm"};
inline constexpr ComputableRange kWidthRange       {"链宽",           1,      5000, "mm"};
inline constexpr ComputableRange kElongationRange  {"许用磨损伸长率", 0.0001, 1,    ""};
// clang-format on

bool withinRange(const ComputableRange& range, double value);

// "传递功率超出可计算的范围：应在 0.001 到 100000 KW 之间。"
std::string outOfRangeText(const ComputableRange& range);

// Answers true inside the range; outside it shows outOfRangeText as an error and answers false.
bool requireComputable(Interaction& ui, const ComputableRange& range, double value);

// A quantity a step computes from several inputs, each inside its own range, and the range no
// real chain drive leaves. The bounds rest on order-of-magnitude reasoning from the handbooks'
// largest and fastest chains, not on data of any one chain: they are meant to catch
// combinations of inputs that together describe no drive, not to judge a design.
struct PhysicalBound {
    std::string_view quantity; // as the result row names it
    double lowest;
    double highest;
    std::string_view unit;
    std::string_view inputs; // the inputs to look at when the quantity is out of bounds
};

// - Chain speed: roller chains run up to some 20 m/s, toothed chains up to about 40 m/s; none
//   reaches 100 m/s.
// - Pulls: the largest chain of table Roller (48A) breaks at about 0.5 MN per row and a drive
//   has a handful of rows, so no chain carries 10 MN. The shaft load is the same pull with its
//   shock and sag factors, and the same chain has to carry it.
// - Centre distances: 80 pitches of the largest pitch is some 6 m; 100 m is no chain drive,
//   and below 1 mm there is no room for the sprockets (the range of the given initial value).
// clang-format off
inline constexpr PhysicalBound kChainSpeedBound  {"链条速度",         0, 100, "m/s",
                                                  "小链轮转速、小链轮齿数和链条节距"};
inline constexpr PhysicalBound kPullBound        {"有效圆周力",       0, 1e7, "N",
                                                  "传递功率、小链轮转速、小链轮齿数和链条节距"};
inline constexpr PhysicalBound kShaftLoadBound   {"作用于轴上的拉力", 0, 1e7, "N",
                                                  "传递功率、载荷性质、原动机种类和传动种类"};
inline constexpr PhysicalBound kInitialCentreBound{"初定中心距",      1, 1e5, "mm",
                                                  "以节距表示的中心距、中心距初值和链条节距"};
inline constexpr PhysicalBound kCentreBound      {"理论中心距",       1, 1e5, "mm",
                                                  "初定中心距、链轮齿数和链条节距"};
inline constexpr PhysicalBound kActualCentreBound{"实际中心距",       1, 1e5, "mm",
                                                  "理论中心距和中心距变化量"};
// clang-format on

bool withinBound(const PhysicalBound& bound, double value);

// "有效圆周力 5.21e10 N 超出了链传动可能的范围（应不大于 1e7 N）：请检查传递功率、…。"
std::string outOfBoundText(const PhysicalBound& bound, double value);

// Answers true inside the bound; outside it shows outOfBoundText as an error and answers false.
bool requirePhysical(Interaction& ui, const PhysicalBound& bound, double value);

} // namespace zorvane::design
