#pragma once
// A working directory for a design: a temporary directory whose database/ is a copy of the
// reference database the build made.

#include "support/temp_dir.h"

#include <filesystem>

namespace zorvane::testing {

class Workspace {
public:
    explicit Workspace(Medium medium = Medium::Memory) : dir_(medium) {
        std::filesystem::copy(ZORVANE_BUILT_DATABASE, dir_.path() / "database",
                              std::filesystem::copy_options::recursive);
    }
    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path database() const { return dir_.path() / "database"; }

private:
    TempDir dir_;
};

} // namespace zorvane::testing
