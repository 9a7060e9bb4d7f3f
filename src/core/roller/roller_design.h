#pragma once
// The roller chain design: its engine and record, and its steps after the initial conditions as
// the main window's handlers run them: 链轮齿数, 链条节距, 链条速度, 初定中心距, 实际中心距,
// 作用在轴上的力, 静强度计算, 耐磨损工作能力 and 链轮主要尺寸. Each handler reads the panel
// fields from the main state, talks to the user through the Interaction, computes with the
// engine, records its quantities in the working tables and the history, and completes its step
// through the step gate.

#include "core/design/chain_design.h"
#include "core/design/chain_steps.h"
#include "core/roller/roller_record.h"

#include <optional>
#include <string>

namespace zorvane::roller {

class RollerDesign : public design::StepHandlers, public design::ChainDesign {
public:
    explicit RollerDesign(design::DesignSession& session, TR_Design engine = TR_Design())
        : design::StepHandlers(session, design::Chain::Roller), engine_(std::move(engine)) {}

    const design::ChainKind& kind() const override;
    std::vector<std::uint8_t> recordBytes() const override;
    std::string recordKindMark() const override { return engine_.GetKind(); }
    void takeChainType(const design::SelectInputs& inputs) override;
    void keepPassedChecks(const design::InitOutcome& outcome) override;
    void keepInitialConditions(const design::InitOutcome& outcome,
                               design::MainState& state) override;
    void setCentreDistanceTolerance(double fraction) override;
    void runStep(int position) override;
    void confirmInitialCentreDistance() override { Button3Click(); }
    void confirmCentreDistanceChange() override { btnAOkClick(); }
    void checkSmallToothCount() override { btnZOkClick(); }
    bool checkLargeToothCount() override { return edtz2Exit(); }
    bool checkIdlerToothCount() override { return edtziExit(); }
    void confirmToothCounts() override { btnRZOKClick(); }
    void cancelToothCounts() override { btnRZCancelClick(); }

    TR_Design& engine() { return engine_; }
    const TR_Design& engine() const { return engine_; }

    // 链轮齿数, panel pnlz.
    void spnRNumClick();
    // 确定 beside edtz1, and leaving edtz1: checks z1 and proposes z2.
    void btnZOkClick();
    // Leaving edtz2 or edtzi: false when the text was refused (the focus goes back).
    bool edtz2Exit();
    bool edtziExit();
    void btnRZOKClick();
    void btnRZCancelClick();

    // 链条节距.
    void spnRNodeSClick();

    // 链条速度.
    void spnRVClick();

    // 初定中心距, panel pnlInit_a0.
    void spnRInit_a0Click();
    void Button3Click();

    // 实际中心距, panel pnla.
    void spnR_a0Click();
    void btnAOkClick();

    // 作用在轴上的力.
    void spnRFClick();

    // 静强度计算, panel pnlIntensity.
    void spnRIntensityClick();
    void btnIntensityOKClick();
    void btnIntstyCancelClick();

    // 耐磨损工作能力.
    void spnRWearableClick();

    // 链轮主要尺寸.
    void spnRWheelClick();

private:
    // Panel positions of the roller steps.
    enum Position { kNum = 1, kNodeS, kV, kInitA0, kA, kF, kIntensity, kWearable, kWheel };

    // The engine operations that talk to the user or read reference tables. Those returning
    // bool answer false when the step has to end without completing.
    bool SelectPitch();
    bool choosePitchByHand();
    void recordHubBore();
    void CalcSpeed();
    void CalcFatigueLife();
    void CalcShaftLoad();
    bool CheckStaticStrength();
    bool CheckWear();
    double AskWearCoef(double lower, double upper);
    void CalcSprocket(bool threeArc);

    bool ready() const;
    design::ToothCountRecord toothCountRecord();
    // The re-run rule; `resetsLife` puts T back to −1 on a redo when no service life is
    // required.
    bool prepare(int position, bool resetsLife = false);
    TR_DesignRec& rec() { return engine_.record(); }
    void resetLifeUnlessRequired();

    TR_Design engine_;
};

// The roller design open in `session` and its engine; null when none is open.
RollerDesign* designOf(design::DesignSession& session);
TR_Design* engineOf(const design::DesignSession& session);

} // namespace zorvane::roller
