#include "core/design/step_dispatcher.h"

#include "core/design/chain_design.h"
#include "core/design/session.h"
#include "core/records/result_tables.h"

namespace zorvane::design {

void StepDispatcher::stepClicked(Chain chain, int position) {
    if (s_.chain() != chain) {
        return;
    }
    if (position == 0) {
        openInitialConditions();
    } else {
        s_.design()->runStep(position);
    }
}

void StepDispatcher::openInitialConditions() {
    const auto chain = s_.chain();
    if (!chain || !s_.gate().prepareRun(*chain, 0, s_.ui(), s_.results(), s_.history())) {
        return;
    }
    s_.gate().showPanel(Panel::Init);
    s_.state().focus = "edtPower";
}

InitOutcome StepDispatcher::confirmInitialConditions(const InitInputs& inputs) {
    const Chain chain = s_.chain().value_or(Chain::Roller);
    s_.keepInitInputs(inputs);
    InitOutcome out = design::confirmInitialConditions(inputs, chain, s_.ui());
    ChainDesign* design = s_.design();
    if (design) {
        design->keepPassedChecks(out);
    }
    if (!out.confirmed) {
        return out;
    }
    if (design) {
        design->keepInitialConditions(out, s_.state());
    }
    for (const auto& row : out.rows) {
        s_.results()->AddRow(row.item, row.value, row.unit, "i");
    }
    s_.gate().complete(chain, 0);
    s_.gate().hidePanel(Panel::Init);
    s_.gate().switchToTab(Tab::Result);
    return out;
}

void StepDispatcher::cancelInitialConditions() {
    s_.gate().hidePanel(Panel::Init);
}

void StepDispatcher::setA0TolerancePercent(double percent) {
    if (auto* design = s_.design()) {
        design->setCentreDistanceTolerance(percent / 100);
    }
}

void StepDispatcher::confirmInitialCentreDistance() {
    if (auto* design = s_.design()) {
        design->confirmInitialCentreDistance();
    }
}

void StepDispatcher::cancelInitialCentreDistance() {
    s_.gate().hidePanel(Panel::InitA0);
}

void StepDispatcher::confirmCentreDistanceChange() {
    if (auto* design = s_.design()) {
        design->confirmCentreDistanceChange();
    }
}

void StepDispatcher::cancelCentreDistanceChange() {
    s_.gate().hidePanel(Panel::A);
}

} // namespace zorvane::design
