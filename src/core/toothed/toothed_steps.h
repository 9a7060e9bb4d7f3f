#pragma once
// The toothed chain steps after the initial conditions, as the main window's handlers run them:
// 链轮齿数, 链条节距, 单位宽传递功率, 初定中心距, 实际中心距, 链条速度, 作用在轴上的力 and
// 链轮主要尺寸.

#include "core/design/chain_steps.h"
#include "core/toothed/toothed_record.h"

namespace zorvane::toothed {

class ToothedSteps : public design::StepHandlers {
public:
    explicit ToothedSteps(design::DesignSession& session)
        : design::StepHandlers(session, design::Chain::Toothed) {}

    // A click on the toothed step button at `position` (1 to 8).
    void stepClicked(int position);

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
    TD_Design& engine();
    TD_DesignRec& rec();
};

} // namespace zorvane::toothed
