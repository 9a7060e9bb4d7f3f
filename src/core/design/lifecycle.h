#pragma once
// The step gating of the main window: step buttons, their resets and completions, the re-run
// rule every step follows, and the page navigation. Works on the main state and the step flags;
// the working tables are reached through the callbacks of the design that owns them.

#include "core/design/interaction.h"
#include "core/design/main_state.h"
#include "core/design/status_control.h"

#include <functional>

namespace zorvane::records {
class ResultTables;
class DesignHistory;
} // namespace zorvane::records

namespace zorvane::design {

class StepGate {
public:
    StepGate(MainState& state, StepFlags& status) : state_(state), status_(status) {}

    // The step buttons of the chain's panel from `position` on are reset: the one at `position`
    // stays enabled in black, the later ones and the end label are disabled; their flags are
    // cleared; the report commands are disabled and the size area hidden.
    void ResetStepsFrom(Chain chain, int position);

    // A step's completion: its button blue, the next one enabled, its flag set; the step before
    // the last enables the end label, the last turns it blue and enables the reports.
    void complete(Chain chain, int position);

    // The re-run rule. Not done: true, run it. Done: asks the step's question; on Yes removes
    // what the step recorded from the working tables and the history, empties the size table
    // when the sprocket step is done, hides the step's panels, applies `ownResets`, resets the
    // buttons from the step on and answers true; otherwise false and nothing changes.
    bool prepareRun(Chain chain, int position, Interaction& ui, records::ResultTables* results,
                    records::DesignHistory* history,
                    const std::function<void()>& ownResets = nullptr);

    // A panel step shows its panel on the work space.
    void showPanel(Panel panel);
    void hidePanel(Panel panel) { state_.setPanel(panel, false); }

    // Page synchronisation: the right page shown, and the left side it belongs to.
    void switchToTab(Tab tab);
    // The user picked 设计 (false) or 查询 (true) in the left page control.
    void leftSideChanged(bool query);
    // 返回 on the query page and 窗口 > 设计.
    void backToDesign();

private:
    MainState& state_;
    StepFlags& status_;
};

} // namespace zorvane::design
