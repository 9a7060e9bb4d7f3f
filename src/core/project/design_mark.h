#pragma once
// What a save of the open design would store, short of the working tables' bytes, for which the
// tables' write count stands: the control states with their snapshots, the step flags, the design
// record and the designer record. Two marks that differ mean the design changed between them.

#include "core/design/session.h"
#include "core/project/project_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zorvane::project {

struct DesignMark {
    std::vector<ControlState> states;
    std::vector<ControlSnapshot> snapshots;
    std::string record;
    std::array<std::uint8_t, kDesignerSize> designer{};
    std::uint64_t tableWrites = 0;

    bool operator==(const DesignMark&) const = default;
};

DesignMark markOf(design::DesignSession& session);

} // namespace zorvane::project
