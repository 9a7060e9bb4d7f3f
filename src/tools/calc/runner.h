#pragma once
// Runs a whole design of a scenario through the design session, as a person clicks the window:
// always the first step button that is enabled and not done, each panel step filled from the
// scenario (or left with the panel's proposals) and confirmed with its OK button.

#include "core/design/main_state.h"
#include "core/design/session.h"
#include "tools/calc/scenario.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::calc {

// A step button: the chain-type step (position nothing) or a step of the chain's list.
struct StepButton {
    std::optional<int> position;
    bool operator==(const StepButton&) const = default;
};

// The first step button that is enabled and not done; nothing when there is none.
std::optional<StepButton> nextStepButton(const design::DesignSession& session, design::Chain chain);
std::string captionOf(design::Chain chain, const StepButton& button);

// The panel of a step after the initial conditions and its fields, in the order they are filled:
// the checked field first (its check runs as leaving the field does), then the others, then OK.
struct PanelStep {
    design::Chain chain;
    int position;
    design::Panel panel;
    std::string_view checkedField; // empty: none
    void (*check)(design::DesignSession&);
    std::array<std::string_view, 2> fields; // empty names unused
    void (*confirm)(design::DesignSession&);
};
const PanelStep* panelStepAt(design::Chain chain, int position);
std::span<const PanelStep> panelSteps();

// A panel field by its object name; nothing for a name that is no such field.
std::string* panelField(design::PanelFields& fields, std::string_view name);
// Whether the field can be typed into (the idler fields follow the tensioner).
bool panelFieldEnabled(const design::PanelFields& fields, std::string_view name);

// What a step click may change: the step flags and buttons, the panels and their fields, the
// design record, the main window's values of the centre distance steps, and the working tables.
struct DesignSnapshot {
    std::vector<std::int32_t> flags;
    std::vector<design::ButtonState> buttons;
    std::vector<bool> panels;
    std::vector<std::string> fields;
    std::vector<std::uint8_t> record;
    std::array<double, 2> a0Range{};
    int needLifeCheck = 0;
    std::vector<std::string> rows; // the rows of the three result tables, cells joined
    int historyEntries = 0;
    bool operator==(const DesignSnapshot&) const = default;
};
DesignSnapshot snapshotOf(design::DesignSession& session);

// The designer of a batch run: nobody's name, so that the output is the same on every account.
records::DesignerInfo anonymousDesigner();

struct RunPaths {
    std::filesystem::path appDir;
    std::filesystem::path databaseDir;
    std::optional<std::filesystem::path> open; // a project opened first, as 打开 would
    std::optional<std::filesystem::path> save; // saved after the run, as 另存为 would
    std::optional<std::string> until;          // the caption of the step to stop after
};

// A project given with --open that could not be opened; its message is for the user.
class ProjectNotOpened : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RunOutcome {
    bool completed = false;
    std::optional<std::string> stoppedAt; // caption of the step where the run stopped
    std::string reason;                   // why it stopped, for the user
    std::string json;                     // the working tables and the log, as text
    std::vector<std::string> repairs;     // what opening the working tables had to repair
    std::optional<std::string> saveError; // why the --save project could not be written
};

// A run stops when a click leaves the design as it was twice in a row, when it comes back to a
// state it had before without having used anything new of the scenario (it would go round for
// ever), or after this many clicks.
constexpr int kClickLimit = 200;

RunOutcome runScenario(const Scenario& scenario, const RunPaths& paths);

} // namespace zorvane::calc
