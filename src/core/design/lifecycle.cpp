#include "core/design/lifecycle.h"

#include "core/records/design_history.h"
#include "core/records/result_tables.h"

namespace zorvane::design {

void StepGate::ResetStepsFrom(Chain chain, int position) {
    ChainPanelState& panel = state_.panelOf(chain);
    const auto at = static_cast<std::size_t>(position);
    if (at < panel.steps.size()) {
        panel.steps[at].blue = false;
        for (std::size_t i = at + 1; i < panel.steps.size(); ++i) {
            panel.steps[i].enabled = false;
            panel.steps[i].blue = false;
        }
        status_.ClearFrom(stepAt(chain, position).tag);
    }
    panel.endLabel.enabled = false;
    panel.endLabel.blue = false;
    state_.reportsEnabled = false;
    state_.sizeAreaVisible = false;
}

void StepGate::complete(Chain chain, int position) {
    ChainPanelState& panel = state_.panelOf(chain);
    const auto at = static_cast<std::size_t>(position);
    panel.steps[at].blue = true;
    status_.MarkDone(stepAt(chain, position).tag);
    if (at + 1 < panel.steps.size()) {
        panel.steps[at + 1].enabled = true;
    }
    if (position == lastPosition(chain) - 1) {
        panel.endLabel.enabled = true;
    }
    if (position == lastPosition(chain)) {
        panel.endLabel.blue = true;
        state_.reportsEnabled = true;
    }
}

namespace {

void apply(const Removal& removal, bool toothCountsDone, const std::function<void()>& empty,
           const std::function<void(std::string_view)>& deleteFrom) {
    switch (removal.kind) {
    case Removal::Kind::Nothing:
        return;
    case Removal::Kind::EmptyIfToothCountsDone:
        if (toothCountsDone) {
            empty();
        }
        return;
    case Removal::Kind::Empty:
        empty();
        return;
    case Removal::Kind::DeleteFrom:
        deleteFrom(removal.item);
        return;
    }
}

} // namespace

bool StepGate::prepareRun(Chain chain, int position, Interaction& ui,
                          records::ResultTables* results, records::DesignHistory* history,
                          const std::function<void()>& ownResets) {
    const StepDef& step = stepAt(chain, position);
    if (!status_.done(step.tag)) {
        return true;
    }
    if (askYesNo(ui, std::string(step.question)) != Answer::Yes) {
        return false;
    }
    const bool toothCountsDone = status_.done(toothCountTag(chain));
    if (results) {
        if (step.emptiesInitTable) {
            results->ClearTable("i");
        }
        apply(
            step.results, toothCountsDone, [&] { results->ClearTable("r"); },
            [&](std::string_view item) { results->DeleteFrom(item); });
        if (status_.done(sprocketTag(chain))) {
            results->ClearSize();
        }
    }
    if (history) {
        apply(
            step.history, toothCountsDone, [&] { history->ClearHistory(); },
            [&](std::string_view item) { history->DeleteFrom(item); });
    }
    for (std::size_t i = 0; i < kPanelCount; ++i) {
        if (step.hides[i]) {
            state_.panels[i] = false;
        }
    }
    if (ownResets) {
        ownResets();
    }
    ResetStepsFrom(chain, position);
    return true;
}

void StepGate::showPanel(Panel panel) {
    state_.setPanel(panel, true);
    switchToTab(Tab::WorkSpace);
}

void StepGate::switchToTab(Tab tab) {
    state_.tab = tab;
    state_.querySide = tab == Tab::DatabaseQuery;
}

void StepGate::leftSideChanged(bool query) {
    if (query) {
        switchToTab(Tab::DatabaseQuery);
        return;
    }
    backToDesign();
}

void StepGate::backToDesign() {
    if (!state_.IsNewDesign) {
        switchToTab(Tab::WorkSpace);
        return;
    }
    for (Panel panel : kWorkspacePanels) {
        if (state_.panelVisible(panel)) {
            switchToTab(Tab::WorkSpace);
            return;
        }
    }
    switchToTab(Tab::Result);
}

} // namespace zorvane::design
