#include "core/design/steps.h"

namespace zorvane::design {

namespace {

using K = Removal::Kind;

// Panels hidden by a re-run, as flags in the order of kWorkspacePanels:
//                                     Select  Z      InitA0 A      Intens Dz     Init
constexpr std::array<bool, 7> kNone{false, false, false, false, false, false, false};
constexpr std::array<bool, 7> kRInit{false, true, true, true, true, false, false};
constexpr std::array<bool, 7> kDInit{false, false, true, true, false, true, false};
constexpr std::array<bool, 7> kA0AIntensity{false, false, true, true, true, false, false};
constexpr std::array<bool, 7> kA0A{false, false, true, true, false, false, false};
constexpr std::array<bool, 7> kAIntensity{false, false, false, true, true, false, false};
constexpr std::array<bool, 7> kIntensity{false, false, false, false, true, false, false};

// The roller chain's steps in their panel order.
constexpr std::array<StepDef, 10> kRollerSteps{{
    {0,
     12,
     "spnRInit",
     "初始条件",
     "确实要重新输入初始条件？",
     {K::EmptyIfToothCountsDone, {}},
     {K::EmptyIfToothCountsDone, {}},
     true,
     kRInit,
     {}},
    {1,
     13,
     "spnRNum",
     "链轮齿数",
     "确实要重新选择齿数？",
     {K::Empty, {}},
     {K::Empty, {}},
     false,
     kA0AIntensity,
     {}},
    {2,
     14,
     "spnRNodeS",
     "链条节距",
     "确实要重新选择链条节距？",
     {K::DeleteFrom, "设计功率"},
     {K::DeleteFrom, "设计功率"},
     false,
     kA0AIntensity,
     {}},
    {3,
     15,
     "spnRV",
     "链条速度",
     "确实要重新计算链速？",
     {K::DeleteFrom, "链条速度"},
     {K::DeleteFrom, "链条速度"},
     false,
     kA0AIntensity,
     {}},
    {4,
     16,
     "spnRInit_a0",
     "初定中心距",
     "确实要重新选择初定中心距？",
     {K::DeleteFrom, "初定中心距"},
     {K::DeleteFrom, "初定中心距"},
     false,
     kAIntensity,
     {}},
    {5,
     17,
     "spnR_a0",
     "实际中心距",
     "确实要重新计算实际中心距？",
     {K::DeleteFrom, "理论中心距"},
     {K::DeleteFrom, "理论中心距"},
     false,
     kIntensity,
     {}},
    {6,
     18,
     "spnRF",
     "作用在轴上的力",
     "确实要重新计算作用力？",
     {K::DeleteFrom, "有效圆周力"},
     {K::DeleteFrom, "有效圆周力"},
     false,
     kIntensity,
     {}},
    {7,
     19,
     "spnRIntensity",
     "静强度计算",
     "确实要重新进行静强度计算？",
     {K::DeleteFrom, "滚子外径(最大值)"},
     {K::DeleteFrom, "静强度安全系数"},
     false,
     kNone,
     {}},
    {8,
     21,
     "spnRWearable",
     "耐磨损工作能力",
     "确实要重新进行耐磨损工作能力计算？",
     {K::DeleteFrom, "铰链比压"},
     {K::Nothing, {}},
     false,
     kNone,
     {}},
    {9,
     22,
     "spnRWheel",
     "链轮主要尺寸",
     "确实要重新进行链轮设计？",
     {K::Nothing, {}},
     {K::Nothing, {}},
     false,
     kNone,
     {}},
}};

// The toothed chain's steps in their panel order.
constexpr std::array<StepDef, 9> kToothedSteps{{
    {0,
     12,
     "spnOriginal",
     "初始条件",
     "确实要重新输入初始条件？",
     {K::EmptyIfToothCountsDone, {}},
     {K::EmptyIfToothCountsDone, {}},
     true,
     kDInit,
     {}},
    {1,
     13,
     "spnDNum",
     "链轮齿数",
     "确实要重新选择齿数？",
     {K::Empty, {}},
     {K::Empty, {}},
     false,
     kA0A,
     {}},
    {2,
     14,
     "spnDNodeS",
     "链条节距",
     "确实要重新选择节距？",
     {K::DeleteFrom, "链条节距"},
     {K::DeleteFrom, "链条节距"},
     false,
     kA0A,
     {}},
    {3,
     15,
     "spnDSingleP",
     "单位宽传递功率",
     "确实要重新计算单位额定功率？",
     {K::DeleteFrom, "设计功率"},
     {K::DeleteFrom, "设计功率"},
     false,
     kA0A,
     "每毫米宽所能传递的功率"},
    {4,
     16,
     "spnDInit_a0",
     "初定中心距",
     "确实要重新选择初定中心距？",
     {K::DeleteFrom, "初定中心距"},
     {K::DeleteFrom, "初定中心距"},
     false,
     kAIntensity,
     {}},
    {5,
     17,
     "spnD_a0",
     "实际中心距",
     "确实要重新计算实际中心距？",
     {K::DeleteFrom, "理论中心距"},
     {K::DeleteFrom, "理论中心距"},
     false,
     kNone,
     {}},
    {6,
     18,
     "spnDV",
     "链条速度",
     "确实要重新计算链速？",
     {K::DeleteFrom, "链条速度"},
     {K::DeleteFrom, "链条速度"},
     false,
     kNone,
     {}},
    {7,
     19,
     "spnDF",
     "作用在轴上的力",
     "确实要重新计算作用力？",
     {K::DeleteFrom, "有效圆周力"},
     {K::DeleteFrom, "有效圆周力"},
     false,
     kNone,
     {}},
    {8,
     20,
     "spnDWheel",
     "链轮主要尺寸",
     "确实要重新计算链轮参数？",
     {K::Nothing, {}},
     {K::Nothing, {}},
     false,
     kNone,
     "链轮轴向剖面尺寸"},
}};

constexpr std::array<std::string_view, kPanelCount> kPanelNames{
    "pnlSelect", "pnlz", "pnlInit_a0", "pnla", "pnlIntensity", "pnlDz", "pnlInit"};

} // namespace

std::span<const StepDef> steps(Chain chain) {
    if (chain == Chain::Roller) {
        return kRollerSteps;
    }
    return kToothedSteps;
}

const StepDef& stepAt(Chain chain, int position) {
    return steps(chain)[static_cast<std::size_t>(position)];
}

std::optional<int> positionOfTag(Chain chain, int tag) {
    for (const auto& step : steps(chain)) {
        if (step.tag == tag) {
            return step.position;
        }
    }
    return std::nullopt;
}

int lastPosition(Chain chain) {
    return static_cast<int>(steps(chain).size()) - 1;
}

int toothCountTag(Chain) {
    return 13;
}

int sprocketTag(Chain chain) {
    return steps(chain).back().tag;
}

std::string_view panelName(Panel panel) {
    return kPanelNames[static_cast<std::size_t>(panel)];
}

} // namespace zorvane::design
