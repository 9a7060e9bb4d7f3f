#pragma once
// Project files for the project tests, the fuzz driver and the project benchmark: a design run by
// the batch runner and saved, files read and written whole, random damage to a file, and what a
// refused file must leave alone in the open design.

#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "support/workspace.h"
#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>

namespace zorvane::testing {

inline std::string readBytes(const std::filesystem::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs the scenario in `at` (to the end, or up to the step captioned `until`), saves the design
// to `file` as 另存为 would, and returns the file's bytes.
inline std::string savedDesign(const std::filesystem::path& scenario, const Workspace& at,
                               const std::filesystem::path& file,
                               std::optional<std::string> until = {}) {
    calc::runScenario(calc::readScenario(scenario), {at.path(), at.database(), {}, file, until});
    return readBytes(file);
}

// One to four random edits of `bytes`: a byte changed, a run taken out, a run put in, or the rest
// cut off. `place` picks where an edit goes in bytes of the given size.
inline std::string mutated(std::string bytes, std::mt19937& random,
                           const std::function<std::size_t(std::size_t)>& place) {
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = std::min(place(bytes.size()), bytes.size() - 1);
        switch (random() % 4) {
        case 0:
            bytes[at] = static_cast<char>(random());
            break;
        case 1:
            bytes.erase(at, 1 + random() % 16);
            break;
        case 2:
            bytes.insert(at, std::string(1 + random() % 8, static_cast<char>(random())));
            break;
        default:
            bytes.resize(at);
        }
    }
    return bytes;
}

// Everything of the open design that a refused project file must leave as it was: the rows of its
// tables, its record, flags, step buttons, window title and status, and its working files.
inline std::string designFingerprint(design::DesignSession& session) {
    std::string all;
    if (const auto* results = session.results()) {
        for (const auto* table : {results->initTable(), results->resultTable(),
                                  results->sizeTable(), session.history()->historyTable()}) {
            for (int i = 0; i < table->recordCount(); ++i) {
                for (const auto& value : table->row(i)) {
                    all += value.isBytes() ? std::to_string(value.bytes().size()) : value.asText();
                }
            }
        }
    }
    if (const auto* engine = roller::engineOf(session)) {
        all.append(engine->record().bytes().begin(), engine->record().bytes().end());
    }
    const auto& state = session.state();
    all += state.windowTitle + state.status[2] + std::to_string(state.IsSaved) +
           session.projectPath().string();
    for (const auto flag : session.status().flags()) {
        all += std::to_string(flag);
    }
    for (const auto& step : state.roller.steps) {
        all += std::to_string(step.enabled) + std::to_string(step.blue);
    }
    for (const auto* name : {"Init_Unnamed.db", "Result_Unnamed.db", "Size_Unnamed.db",
                             "Hty_Rec_Unnamed.db", "Hty_Rec_Unnamed.mb"}) {
        all += readBytes(session.databaseDir() / name);
    }
    return all;
}

} // namespace zorvane::testing
