#pragma once
// The roller chain steps after the initial conditions, as the main window's handlers run them:
// 链轮齿数, 链条节距, 链条速度, 初定中心距, 实际中心距, 作用在轴上的力, 静强度计算,
// 耐磨损工作能力 and 链轮主要尺寸. Each handler reads the panel fields from the main state,
// talks to the user through the Interaction, computes with the engine, records its quantities
// in the working tables and the history, and completes its step through the step gate.

#include "core/design/chain_steps.h"
#include "core/roller/roller_record.h"

#include <optional>
#include <string>

namespace zorvane::roller {

class RollerSteps : public design::StepHandlers {
public:
    explicit RollerSteps(design::DesignSession& session)
        : design::StepHandlers(session, design::Chain::Roller) {}

    // A click on the roller step button at `position` (1 to 9; 0 is the initial conditions).
    void stepClicked(int position);

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
    // The re-run rule; `resetsLife` puts T back to −1 on a redo when no service life is
    // required.
    bool prepare(int position, bool resetsLife = false);
    TR_Design& engine();
    TR_DesignRec& rec();
    void resetLifeUnlessRequired();
};

} // namespace zorvane::roller
