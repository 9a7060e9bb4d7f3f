#include "core/project/control_states.h"

#include "core/design/initial_conditions.h"

#include <array>
#include <map>

namespace zorvane::project {

using design::Chain;

namespace {

design::ButtonState* buttonOf(design::MainState& state, std::string_view name) {
    if (name == "spnBegin") {
        return &state.begin;
    }
    if (name == "spnSelect") {
        return &state.select;
    }
    for (Chain chain : {Chain::Roller, Chain::Toothed}) {
        for (const auto& step : design::steps(chain)) {
            if (step.name == name) {
                return &state.panelOf(chain).steps[static_cast<std::size_t>(step.position)];
            }
        }
    }
    return nullptr;
}

// The panels of the lists that stand for a flag of the main state.
struct PanelFlag {
    std::string_view name;
    bool& (*flag)(design::MainState&);
};
constexpr std::array<PanelFlag, 3> kPanelFlags{{
    {"pnlRollerChain", [](design::MainState& s) -> bool& { return s.roller.visible; }},
    {"pnlDentiChain", [](design::MainState& s) -> bool& { return s.toothed.visible; }},
    {"pnlRstEnd", [](design::MainState& s) -> bool& { return s.sizeAreaVisible; }},
}};

bool* panelFlag(design::MainState& state, std::string_view name) {
    for (const auto& entry : kPanelFlags) {
        if (entry.name == name) {
            return &entry.flag(state);
        }
    }
    return nullptr;
}

template <class Value, class Target>
void takeIfPresent(const std::map<std::string, Value>& values, std::string_view key,
                   Target& target) {
    if (const auto it = values.find(std::string(key)); it != values.end()) {
        target = static_cast<Target>(it->second);
    }
}

void restoreCarriedValues(design::DesignSession& session, const ControlSnapshot& snapshot) {
    auto& state = session.state();
    design::InitInputs init;
    takeIfPresent(snapshot.integers, kSpeedItem, init.speed);
    takeIfPresent(snapshot.integers, kLubItem, init.lub);
    if (const auto it = snapshot.integers.find(std::string(kLifeChecked));
        it != snapshot.integers.end()) {
        init.hasLife = it->second == 1;
    }
    takeIfPresent(snapshot.integers, kNeedLifeCheck, state.NeedLifeCheck);
    takeIfPresent(snapshot.numbers, kA0RangeLow, state.A0Range[0]);
    takeIfPresent(snapshot.numbers, kA0RangeHigh, state.A0Range[1]);
    session.keepInitInputs(init);
}

} // namespace

void captureControlStates(design::DesignSession& session, Chain listChain, ProjectImage& image) {
    auto& state = session.state();
    image.states.clear();
    image.snapshots.clear();
    for (const auto& control : controlList(listChain)) {
        ControlState entry{true, true, 0};
        ControlSnapshot snapshot;
        snapshot.className = control.className;
        snapshot.name = control.name;
        if (auto* button = buttonOf(state, control.name)) {
            entry.enabled = button->enabled;
            entry.visible = button->visible;
            snapshot.fontColor = button->blue ? kColorBlue : kColorBlack;
        } else if (auto* flag = panelFlag(state, control.name)) {
            entry.visible = *flag;
            snapshot.left = 0;
        } else if (followsReports(control)) {
            entry.enabled = state.reportsEnabled;
        }
        snapshot.enabled = entry.enabled;
        snapshot.visible = entry.visible;
        if (carriesInitialValues(control.name)) {
            const auto& init = session.initInputs();
            snapshot.integers[std::string(kSpeedItem)] = init.speed;
            snapshot.integers[std::string(kLubItem)] = init.lub;
            snapshot.integers[std::string(kLifeChecked)] = init.hasLife ? 1 : 0;
            snapshot.integers[std::string(kNeedLifeCheck)] = state.NeedLifeCheck;
            snapshot.numbers[std::string(kA0RangeLow)] = state.A0Range[0];
            snapshot.numbers[std::string(kA0RangeHigh)] = state.A0Range[1];
        }
        image.states.push_back(entry);
        image.snapshots.push_back(std::move(snapshot));
    }
}

void captureStepFlags(design::DesignSession& session, Chain listChain, ProjectImage& image) {
    const auto controls = controlList(listChain);
    for (std::size_t i = 0; i < kDoneFlagControls && i < controls.size(); ++i) {
        if (const auto tag = stepTagOf(controls[i].name);
            tag && controls[i].kind == ControlKind::StepButton) {
            image.states[i].done = session.status().done(*tag) ? 1 : 0;
        }
    }
}

void restoreControlStates(design::DesignSession& session, const ProjectImage& image) {
    auto& state = session.state();
    const auto controls = controlList(image.listChain());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& control = controls[i];
        const ControlState& entry = image.states[i];
        const ControlSnapshot& snapshot = image.snapshots[i];
        if (auto* button = buttonOf(state, control.name)) {
            button->enabled = snapshot.enabled.value_or(entry.enabled);
            button->visible = snapshot.visible.value_or(entry.visible);
            button->blue = snapshot.fontColor == kColorBlue;
            if (entry.done == 1 && i < kDoneFlagControls) {
                session.status().MarkDone(*stepTagOf(control.name));
            }
        } else if (auto* flag = panelFlag(state, control.name)) {
            *flag = entry.visible;
        } else if (followsReports(control)) {
            state.reportsEnabled = entry.enabled;
        }
        if (carriesInitialValues(control.name)) {
            restoreCarriedValues(session, snapshot);
        }
    }
}

} // namespace zorvane::project
