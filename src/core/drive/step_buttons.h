#pragma once
// The step buttons as an unattended run reads them: which one a person would click next, and
// what each is called.

#include "core/design/session.h"

#include <optional>
#include <string>

namespace zorvane::drive {

// A step button: the chain-type step (position nothing) or a step of the chain's list.
struct StepButton {
    std::optional<int> position;
    bool operator==(const StepButton&) const = default;
};

// The first step button that is enabled and not done; nothing when there is none.
std::optional<StepButton> nextStepButton(const design::DesignSession& session, design::Chain chain);
std::string captionOf(design::Chain chain, const StepButton& button);

// The first step of the chain not done (the chain-type step while another chain is open, the
// last step when all are done): where a run that can click nothing stands.
StepButton firstStepNotDone(design::DesignSession& session, design::Chain chain);
// Whether the step button captioned `caption` is done in the open design.
bool stepDone(design::DesignSession& session, design::Chain chain, const std::string& caption);
// Whether the open design of `chain` has done its last step.
bool designFinished(design::DesignSession& session, design::Chain chain);

} // namespace zorvane::drive
