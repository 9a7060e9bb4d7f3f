#pragma once
// The four working tables of the open design and their five files: what one program at a time
// writes in a database directory, what a step commits together and what a project file carries.

#include "core/store/workspace.h"

#include <vector>

namespace zorvane::records {

inline const std::vector<store::Workspace::TableSpec>& workingTables() {
    static const std::vector<store::Workspace::TableSpec> tables{
        {"Init_Unnamed", false},
        {"Result_Unnamed", false},
        {"Size_Unnamed", false},
        {"Hty_Rec_Unnamed", true},
    };
    return tables;
}

} // namespace zorvane::records
