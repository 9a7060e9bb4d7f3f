#pragma once
// The saved states of the listed controls and the design state they stand for: which step
// button, panel flag or report flag each control is, taken into a project image when saving and
// put back into the design state when loading, together with the values the initial-conditions
// step button carries.

#include "core/design/session.h"
#include "core/project/project_layout.h"

namespace zorvane::project {

// Fills the image's states and snapshots, one per control of `listChain`'s list.
void captureControlStates(design::DesignSession& session, design::Chain listChain,
                          ProjectImage& image);
// Marks in the image's states the step buttons whose steps are done.
void captureStepFlags(design::DesignSession& session, design::Chain listChain, ProjectImage& image);
// Puts a loaded image's states back: the step buttons with their done steps, the panel flags,
// the report commands, and the values carried for the initial conditions.
void restoreControlStates(design::DesignSession& session, const ProjectImage& image);

} // namespace zorvane::project
