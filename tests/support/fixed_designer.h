#pragma once
// A designer named 李工 on a fixed date, whoever runs the tests and whenever.

#include "core/records/designer_record.h"

#include <ctime>
#include <optional>

namespace zorvane::testing {

inline records::DesignerInfo fixedDesigner() {
    return records::DesignerInfo(
        [] {
            return std::optional<records::OwnerInfo>({"李工", ""});
        },
        [] { return std::tm{}; }, "C");
}

} // namespace zorvane::testing
