#pragma once
// The steps within an open design as the step buttons and the shared panels run them: a step
// button passed to the open chain's design, the initial conditions every chain starts with, and
// the centre distance panels both chains share.

#include "core/design/initial_conditions.h"
#include "core/design/steps.h"

namespace zorvane::design {

class DesignSession;

class StepDispatcher {
public:
    explicit StepDispatcher(DesignSession& session) : s_(session) {}

    // A click on the step button at `position` of `chain`'s step list; nothing unless that chain
    // is open.
    void stepClicked(Chain chain, int position);

    // 初始条件 and its panel.
    void openInitialConditions();
    InitOutcome confirmInitialConditions(const InitInputs& inputs);
    void cancelInitialConditions();
    // The user left edtFloat with a valid percentage.
    void setA0TolerancePercent(double percent);

    // 确定 and 取消 of pnlInit_a0 and of pnla, for the open chain.
    void confirmInitialCentreDistance();
    void cancelInitialCentreDistance();
    void confirmCentreDistanceChange();
    void cancelCentreDistanceChange();

private:
    DesignSession& s_;
};

} // namespace zorvane::design
