#pragma once
// The panels of the steps after the initial conditions, as an unattended run fills them: their
// fields by object name, the check beside a first field, and the panel's OK button.

#include "core/design/main_state.h"
#include "core/design/session.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace zorvane::drive {

// The panel of a step and its fields, in the order they are filled: the checked field first
// (its check runs as leaving the field does), then the others, then OK.
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

// The names of every step panel's fields, in a fixed order.
std::span<const std::string_view> panelFieldNames();
// A panel field by its object name; nothing for a name that is no such field.
std::string* panelField(design::PanelFields& fields, std::string_view name);
const std::string* panelField(const design::PanelFields& fields, std::string_view name);
// Whether the field can be typed into (the idler fields follow the tensioner).
bool panelFieldEnabled(const design::PanelFields& fields, std::string_view name);

} // namespace zorvane::drive
