#pragma once
// The toothed chain design: its engine and record, and its steps after the initial conditions as
// the main window's handlers run them: 链轮齿数, 链条节距, 单位宽传递功率, 初定中心距,
// 实际中心距, 链条速度, 作用在轴上的力 and 链轮主要尺寸.

#include "core/design/chain_design.h"
#include "core/design/chain_steps.h"
#include "core/toothed/toothed_record.h"

namespace zorvane::toothed {

class ToothedDesign : public design::StepHandlers, public design::ChainDesign {
public:
    explicit ToothedDesign(design::DesignSession& session, ToothedEngine engine = ToothedEngine())
        : design::StepHandlers(session, design::Chain::Toothed), engine_(std::move(engine)) {}

    const design::ChainKind& kind() const override;
    std::vector<std::uint8_t> recordBytes() const override;
    std::string recordKindMark() const override { return engine_.GetKind(); }
    void takeChainType(const design::SelectInputs& inputs) override;
    void keepPassedChecks(const design::InitOutcome& outcome) override;
    void keepInitialConditions(const design::InitOutcome& outcome,
                               design::MainState& state) override;
    void setCentreDistanceTolerance(double fraction) override;
    void runStep(int position) override;

    ToothedEngine& engine() { return engine_; }
    const ToothedEngine& engine() const { return engine_; }

    // 链轮齿数: the tooth-count panel.
    void openToothCounts();
    // The check beside the small count, also run on leaving it: checks z1 and proposes z2.
    void checkSmallToothCount() override;
    // Leaving the idler or the large count: false when the text was refused (the focus goes
    // back).
    bool checkIdlerToothCount() override;
    bool checkLargeToothCount() override;
    void confirmToothCounts() override;
    void cancelToothCounts() override;

    // 链条节距: the pitch chosen from those the speed allows.
    void choosePitch();
    // 单位宽传递功率: the power per width, then the chain width chosen.
    void chooseWidth();
    // 初定中心距: the range proposed, then the panel's 确定.
    void proposeInitialCentreDistance();
    void confirmInitialCentreDistance() override;
    // 实际中心距: the theoretical distance, then the change panel's 确定.
    void computeCentreDistance();
    void confirmCentreDistanceChange() override;
    // 链条速度.
    void computeChainSpeed();
    // 作用在轴上的力.
    void computeShaftLoad();
    // 链轮主要尺寸.
    void computeSprocketSizes();

private:
    enum Position { kNum = 1, kNodeS, kSingleP, kInitA0, kA, kV, kF, kWheel };

    // Answers false when the step ends without completing.
    bool recordUnitWidthPower();
    // Sends the user back to an earlier step after the prompt `caption` chose "1" or "2".
    void sendBack(const std::string& caption, const std::string& prompt,
                  const std::function<void()>& one, const std::function<void()>& two);

    bool ready() const;
    ToothedRecord& rec() { return engine_.record(); }

    ToothedEngine engine_;
};

// The toothed design open in `session` and its engine; null when none is open.
ToothedDesign* designOf(design::DesignSession& session);
ToothedEngine* engineOf(const design::DesignSession& session);

} // namespace zorvane::toothed
