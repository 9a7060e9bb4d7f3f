#pragma once
// The user of a batch run is the core's user of an unattended run (core/drive).

#include "core/drive/scenario_interaction.h"

namespace zorvane::calc {

using CalcInteraction = drive::ScenarioInteraction;
using drive::RefusedAnswers;

} // namespace zorvane::calc
