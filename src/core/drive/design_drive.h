#pragma once
// Drives the open design of a session as a person clicks the window: always the first step
// button that is enabled and not done, each panel step filled from the scenario (or left with
// the panel's proposals) and confirmed with its OK button, every question and prompt answered
// by the scenario's user. The session may be any the caller made over working tables, as long
// as `ui` is its user.

#include "core/design/session.h"
#include "core/drive/scenario.h"
#include "core/drive/scenario_interaction.h"

#include <optional>
#include <string>

namespace zorvane::drive {

// A run stops when a click leaves the design as it was twice in a row, when it comes back to a
// state it had before without having used anything new of the scenario (it would go round for
// ever), or after this many clicks.
constexpr int kClickLimit = 200;

struct DriveResult {
    bool completed = false;
    std::optional<std::string> stoppedAt; // caption of the step where the run stopped
    std::string reason;                   // why it stopped, for the user
};

// Drives until the design's last step is done, or the step captioned `until` is; a design that
// was opened goes on with its own chain, a new one takes the scenario's.
DriveResult driveDesign(design::DesignSession& session, ScenarioInteraction& ui,
                        const Scenario& scenario, const std::optional<std::string>& until = {});

} // namespace zorvane::drive
