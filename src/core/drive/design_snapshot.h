#pragma once
// What a step click may change, taken whole so that a run can tell a click that changed nothing
// and a design that came round to a state it had before.

#include "core/design/main_state.h"
#include "core/design/session.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zorvane::drive {

// The step flags and buttons, the panels and their fields, the design record, the main
// window's values of the centre distance steps, and the working tables.
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

} // namespace zorvane::drive
