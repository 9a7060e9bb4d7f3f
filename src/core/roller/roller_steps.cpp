// The roller chain design: what its record keeps from the chain type and the initial conditions,
// its step dispatch, the helpers every roller step shares, and its tooth-count step 链轮齿数.

#include "core/roller/roller_design.h"

#include "core/design/computable_range.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_record.h"
#include "core/text/number_text.h"

#include <array>
#include <cmath>

namespace zorvane::roller {

using namespace design;

namespace {

// The recommended small sprocket tooth counts of each speed class and the value put back when
// the user refuses another one.
struct RecommendedZ1 {
    double first;
    double second;
    const char* putBack;
    const char* question;
};
constexpr std::array<RecommendedZ1, 3> kRecommendedZ1{{
    {15, 17, "15", "小链轮齿数输入值不是推荐值\"15\"或\"17\",您确定使用此数值吗?"},
    {19, 21, "19", "小链轮齿数输入值不是推荐值\"19\"或\"21\",您确定使用此数值吗?"},
    {23, 25, "23", "小链轮齿数输入值不是推荐值\"23\"或\"25\",您确定使用此数值吗?"},
}};

// The roller chain's texts and formats of the tooth-count step.
constexpr ToothCountRules kToothCountRules{"请正确输入小链轮齿数(正整数)!",
                                           "请正确输入张紧轮齿数(正整数)!",
                                           true,
                                           MessageIcon::Information,
                                           -1,
                                           true,
                                           0,
                                           3,
                                           0,
                                           3};

} // namespace

const design::ChainKind& RollerDesign::kind() const {
    return chainKind(Chain::Roller);
}

std::vector<std::uint8_t> RollerDesign::recordBytes() const {
    const auto& bytes = engine_.record().bytes();
    return {bytes.begin(), bytes.end()};
}

void RollerDesign::takeChainType(const SelectInputs& inputs) {
    engine_.SetKind("R");
    if (const auto kp = multiRowFactor(inputs.rowItem)) {
        engine_.SetValue(RollerField::Kp, *kp);
    }
    engine_.SetValue(RollerField::Rows, rowCount(inputs.rowItem));
}

void RollerDesign::keepPassedChecks(const InitOutcome& outcome) {
    if (outcome.life) {
        engine_.SetValue(RollerField::T, *outcome.life);
    }
    keepPassedCentreDistance<RollerField>(engine_, outcome);
}

void RollerDesign::keepInitialConditions(const InitOutcome& outcome, MainState& state) {
    keepInitialConditionsIn<RollerField>(engine_, outcome);
    rec().setInt(RollerField::LubCond, outcome.lubCond);
    state.rollerSpeedClass = outcome.z1Label;
    state.rollerZ2Calculated = outcome.z2CalcText;
}

void RollerDesign::setCentreDistanceTolerance(double fraction) {
    engine_.SetValue(RollerField::A0Tol, fraction);
}

RollerDesign* designOf(DesignSession& session) {
    return dynamic_cast<RollerDesign*>(session.design());
}

RollerEngine* engineOf(const DesignSession& session) {
    auto* design = dynamic_cast<RollerDesign*>(session.design());
    return design ? &design->engine() : nullptr;
}

bool RollerDesign::ready() const {
    return s_.results() && s_.history();
}

bool RollerDesign::prepare(int position, bool resetsLife) {
    return StepHandlers::prepare(
        position, resetsLife ? std::function<void()>([this] { resetLifeUnlessRequired(); })
                             : std::function<void()>());
}

void RollerDesign::resetLifeUnlessRequired() {
    if (!s_.initInputs().hasLife) {
        rec().setDouble(RollerField::T, -1);
    }
}

void RollerDesign::runStep(int position) {
    if (!ready()) {
        return;
    }
    switch (position) {
    case kNum:
        openToothCounts();
        return;
    case kNodeS:
        choosePitch();
        return;
    case kV:
        computeChainSpeed();
        return;
    case kInitA0:
        proposeInitialCentreDistance();
        return;
    case kA:
        computeCentreDistance();
        return;
    case kF:
        computeShaftLoad();
        return;
    case kIntensity:
        openStaticStrength();
        return;
    case kWearable:
        checkWearLife();
        return;
    case kWheel:
        computeSprocketSizes();
        return;
    default:
        return;
    }
}

// ---- 链轮齿数 ---------------------------------------------------------------------------------

void RollerDesign::openToothCounts() {
    if (!ready() || !prepare(kNum, true)) {
        return;
    }
    showToothCounts(toothCountRecordOf<RollerField>(rec()));
}

void RollerDesign::checkSmallToothCount() {
    if (!ready()) {
        return;
    }
    auto& f = fields();
    if (!toothCount(f.rollerZ1)) {
        showError(ui(), "请正确输入小链轮齿数(正整数)!");
        focus("edtz1");
        return;
    }
    if (!requireComputable(ui(), kSmallTeethRange, *toothCount(f.rollerZ1))) {
        focus("edtz1");
        return;
    }
    const auto speedClass = static_cast<std::size_t>(rec().getInt(RollerField::SpeedClass));
    if (speedClass < kRecommendedZ1.size()) {
        const RecommendedZ1& recommended = kRecommendedZ1[speedClass];
        const double z1 = *toothCount(f.rollerZ1);
        if (z1 != recommended.first && z1 != recommended.second &&
            askYesNo(ui(), recommended.question, Answer::No) != Answer::Yes) {
            f.rollerZ1 = recommended.putBack;
            focus("edtz1");
        }
    }
    const double x = *text::parseDecimal(f.rollerZ1) * rec().getDouble(RollerField::iInit);
    state().rollerZ2Calculated = text::fixed(x, 0, 2);
    const double z2 = proposeLargeCount(x, rec().getText(RollerField::iDir));
    f.rollerZ2 = std::to_string(std::llround(z2));
    if (f.rollerZiEnabled) {
        f.rollerZi = f.rollerZ1;
    }
}

bool RollerDesign::checkLargeToothCount() {
    return leaveLargeToothCount();
}

bool RollerDesign::checkIdlerToothCount() {
    return leaveIdlerToothCount(kToothCountRules);
}

void RollerDesign::confirmToothCounts() {
    if (!ready()) {
        return;
    }
    confirmCounts(kNum, kToothCountRules, toothCountRecordOf<RollerField>(rec()),
                  [this](double z1, double z2, double i) {
                      engine_.SetValue(RollerField::z1, z1);
                      engine_.SetValue(RollerField::z2, z2);
                      engine_.SetValue(RollerField::i, i);
                  });
}

void RollerDesign::cancelToothCounts() {
    s_.gate().hidePanel(Panel::Z);
}

} // namespace zorvane::roller
