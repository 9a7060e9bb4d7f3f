#pragma once
// Runs a whole design of a scenario as zorvane-calc does: the session over the working tables of
// the database directory (a project opened first with --open), the design driven by the core
// (core/drive) to its end or to --until, saved with --save, and its tables and log as JSON.

#include "core/drive/scenario_run.h"
#include "tools/calc/scenario.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zorvane::calc {

struct RunPaths {
    std::filesystem::path appDir;
    std::filesystem::path databaseDir;
    std::optional<std::filesystem::path> open; // a project opened first, as 打开 would
    std::optional<std::filesystem::path> save; // saved after the run, as 另存为 would
    std::optional<std::string> until;          // the caption of the step to stop after
};

struct RunOutcome : drive::RunOutcome {
    std::string json; // the working tables and the log, as text
};

RunOutcome runScenario(const Scenario& scenario, const RunPaths& paths);

} // namespace zorvane::calc
