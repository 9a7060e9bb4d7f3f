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
    explicit RollerDesign(design::DesignSession& session, RollerEngine engine = RollerEngine())
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

    RollerEngine& engine() { return engine_; }
    const RollerEngine& engine() const { return engine_; }

    // 链轮齿数: the tooth-count panel.
    void openToothCounts();
    // The check beside the small count, also run on leaving it: checks z1 and proposes z2.
    void checkSmallToothCount() override;
    // Leaving the large or the idler count: false when the text was refused (the focus goes
    // back).
    bool checkLargeToothCount() override;
    bool checkIdlerToothCount() override;
    void confirmToothCounts() override;
    void cancelToothCounts() override;

    // 链条节距.
    void choosePitch();

    // 链条速度.
    void computeChainSpeed();

    // 初定中心距: the range proposed, then the panel's 确定.
    void proposeInitialCentreDistance();
    void confirmInitialCentreDistance() override;

    // 实际中心距: the theoretical distance, then the change panel's 确定.
    void computeCentreDistance();
    void confirmCentreDistanceChange() override;

    // 作用在轴上的力.
    void computeShaftLoad();

    // 静强度计算: the allowed safety factor's panel, its 确定 and 取消.
    void openStaticStrength();
    void confirmStaticStrength();
    void cancelStaticStrength();

    // 耐磨损工作能力.
    void checkWearLife();

    // 链轮主要尺寸.
    void computeSprocketSizes();

private:
    // Panel positions of the roller steps.
    enum Position { kNum = 1, kNodeS, kV, kInitA0, kA, kF, kIntensity, kWearable, kWheel };

    // The engine operations that talk to the user or read reference tables. Those returning
    // bool answer false when the step has to end without completing.
    bool selectPitchForPower();
    bool choosePitchByHand();
    void recordHubBore();
    void recordChainSpeed();
    void recordFatigueLife();
    void recordShaftForces();
    bool checkStaticStrength();
    bool checkWear();
    double askWearCoefficient(double lower, double upper);
    void recordSprocketSizes(bool threeArc);

    bool ready() const;
    // The re-run rule; `resetsLife` puts T back to −1 on a redo when no service life is
    // required.
    bool prepare(int position, bool resetsLife = false);
    RollerRecord& rec() { return engine_.record(); }
    void resetLifeUnlessRequired();

    RollerEngine engine_;
};

// The roller design open in `session` and its engine; null when none is open.
RollerDesign* designOf(design::DesignSession& session);
RollerEngine* engineOf(const design::DesignSession& session);

} // namespace zorvane::roller
