// The roller chain steps 链条速度, 初定中心距 (panel pnlInit_a0, with the fatigue life check when
// the pitch was not confirmed by the power rating) and 实际中心距 (panel pnla).

#include "core/design/chain_steps.h"
#include "core/design/computable_range.h"
#include "core/design/drive_formulas.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/roller/roller_formulas.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::roller {

using namespace design;

// ---- 链条速度 ---------------------------------------------------------------------------------

void RollerDesign::computeChainSpeed() {
    if (!ready() || !prepare(kV, true)) {
        return;
    }
    recordChainSpeed();
}

void RollerDesign::recordChainSpeed() {
    auto& r = rec();
    const double p = r.getDouble(RollerField::p);
    const double v = chainSpeed(r.getDouble(RollerField::z1), r.getDouble(RollerField::n1), p);
    if (!requirePhysical(ui(), kChainSpeedBound, v)) {
        return;
    }
    const auto advice =
        speedClassAdvice(s_.initInputs().speed, r.getInt(RollerField::SpeedClass), v);
    if (advice != SpeedAdvice::None) {
        const char* question = advice == SpeedAdvice::ReduceTeeth
                                   ? "小链轮齿数和链速不符,应减小小链轮齿数重新计算,是否重算?"
                                   : "小链轮齿数和链速不符,应增大小链轮齿数重新计算,是否重算?";
        if (askYesNo(ui(), question) == Answer::Yes) {
            openToothCounts();
            return;
        }
    }
    r.setDouble(RollerField::v, v);
    row("链条速度", text::fixed(v, 0, 3), "m/s");
    entry("链条速度", v);
    if (r.getInt(RollerField::LubCond) == 2) {
        row("润滑方式", std::string(lubricationMethod(p, v)), "");
    }
    complete(kV);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 初定中心距 -------------------------------------------------------------------------------

void RollerDesign::proposeInitialCentreDistance() {
    if (ready()) {
        openInitialCentreDistance(
            kInitA0, [this] { resetLifeUnlessRequired(); },
            a0RangeInputs<RollerField>(rec(), A0Rules::Roller));
    }
}

void RollerDesign::confirmInitialCentreDistance() {
    if (!ready()) {
        return;
    }
    auto& r = rec();
    const auto confirmed = design::confirmInitialCentreDistance(s_, r.getDouble(RollerField::p),
                                                                r.getDouble(RollerField::z1),
                                                                r.getDouble(RollerField::z2));
    if (!confirmed) {
        return;
    }
    r.setBool(RollerField::LifeAccepted, true);
    engine().SetValue(RollerField::a0, confirmed->a0);
    engine().SetValue(RollerField::Lp, confirmed->links);
    if (state().NeedLifeCheck == kLifeCheckRequired) {
        recordFatigueLife();
    }
    if (!rec().getBool(RollerField::LifeAccepted)) {
        return;
    }
    complete(kInitA0);
    s_.gate().hidePanel(Panel::InitA0);
    s_.gate().switchToTab(Tab::Result);
}

void RollerDesign::recordFatigueLife() {
    auto& r = rec();
    const FatigueLife life = fatigueLife(
        r.getDouble(RollerField::z1), r.getDouble(RollerField::n1), r.getDouble(RollerField::p),
        r.getDouble(RollerField::KA), r.getDouble(RollerField::Power), r.getDouble(RollerField::Kp),
        r.getDouble(RollerField::Lp));
    if (r.getDouble(RollerField::T) == -1) {
        r.setDouble(RollerField::T, life.hours);
    } else if (life.hours < r.getDouble(RollerField::T) &&
               askYesNo(ui(),
                        "使用寿命计算值太小，应增大节距或减小工率重新计算，您要重新计算吗?") ==
                   Answer::Yes) {
        const std::string choice = PromptValue(ui(), "输入1或2", "[1:增大节距;2:减小功率]", "1");
        r.setBool(RollerField::LifeAccepted, false);
        // What this run of the step recorded goes, so that the step can be run again cleanly
        // whatever the other step's question is answered.
        s_.results()->DeleteFrom("初定中心距");
        s_.history()->DeleteFrom("初定中心距");
        if (choice == "1") {
            choosePitch();
        } else {
            s_.steps().openInitialConditions();
        }
        return;
    } else {
        r.setBool(RollerField::LifeAccepted, true);
    }
    row("使用寿命(疲劳寿命)", text::fixed(life.hours, 0, 2), "h");
    entry("使用寿命(疲劳寿命)", life.hours);
}

// ---- 实际中心距 -------------------------------------------------------------------------------

void RollerDesign::computeCentreDistance() {
    if (ready() && mayComputeCentreDistance(kA)) {
        storeTheoreticalCentreDistance<RollerField>(s_, engine());
    }
}

void RollerDesign::confirmCentreDistanceChange() {
    if (!ready()) {
        return;
    }
    const auto d = readCentreDistanceChange(s_);
    if (!d) {
        return;
    }
    const double actual = actualCentreDistance(rec().getDouble(RollerField::a), *d);
    if (!requirePhysical(ui(), kActualCentreBound, actual)) {
        focus("edta");
        return;
    }
    engine().SetValue(RollerField::aReal, actual);
    row("实际中心距", text::fixed(actual, 0, 0), "mm");
    entry("实际中心距", actual);
    complete(kA);
    s_.gate().switchToTab(Tab::Result);
    s_.gate().hidePanel(Panel::A);
}

} // namespace zorvane::roller
