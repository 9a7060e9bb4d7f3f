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
    explicit ToothedDesign(design::DesignSession& session, TD_Design engine = TD_Design())
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
    void confirmInitialCentreDistance() override { Button3Click(); }
    void confirmCentreDistanceChange() override { btnAOkClick(); }
    void checkSmallToothCount() override { btnDZOkClick(); }
    bool checkLargeToothCount() override { return edtDz2Exit(); }
    bool checkIdlerToothCount() override { return edtDziExit(); }
    void confirmToothCounts() override { btnDZ1OKClick(); }
    void cancelToothCounts() override { btnDZCancelClick(); }

    TD_Design& engine() { return engine_; }
    const TD_Design& engine() const { return engine_; }

    // 链轮齿数, panel pnlDz.
    void spnDNumClick();
    // 确定 beside edtDz1, and leaving edtDz1: checks z1 and proposes z2.
    void btnDZOkClick();
    // Leaving edtDzi or edtDz2: false when the text was refused (the focus goes back).
    bool edtDziExit();
    bool edtDz2Exit();
    void btnDZ1OKClick();
    void btnDZCancelClick();

    // 链条节距, dialog TfrmDNode.
    void spnDNodeSClick();
    // 单位宽传递功率, dialog Tfrmb.
    void spnDSinglePClick();
    // 初定中心距, panel pnlInit_a0.
    void spnDInit_a0Click();
    void Button3Click();
    // 实际中心距, panel pnla.
    void spnD_a0Click();
    void btnAOkClick();
    // 链条速度.
    void spnDVClick();
    // 作用在轴上的力.
    void spnDFClick();
    // 链轮主要尺寸.
    void spnDWheelClick();

private:
    enum Position { kNum = 1, kNodeS, kSingleP, kInitA0, kA, kV, kF, kWheel };

    // Answers false when the step ends without completing.
    bool CalcUnitWidthPower();
    // Sends the user back to an earlier step after the prompt `caption` chose "1" or "2".
    void sendBack(const std::string& caption, const std::string& prompt,
                  const std::function<void()>& one, const std::function<void()>& two);

    bool ready() const;
    design::ToothCountRecord toothCountRecord();
    TD_DesignRec& rec() { return engine_.record(); }

    TD_Design engine_;
};

// The toothed design open in `session` and its engine; null when none is open.
ToothedDesign* designOf(design::DesignSession& session);
TD_Design* engineOf(const design::DesignSession& session);

} // namespace zorvane::toothed
