#include "core/design/main_state.h"

namespace zorvane::design {

MainState::MainState() {
    roller.steps.resize(steps(Chain::Roller).size());
    toothed.steps.resize(steps(Chain::Toothed).size());
}

} // namespace zorvane::design
