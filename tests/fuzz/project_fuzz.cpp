// zorvane-project-fuzz [SECONDS] [SEED] [WHOLE]: the project opener over mutated project files. A
// roller design is saved after its pitch step; each round mutates that file (mostly its header,
// snapshots and record, sometimes the table bytes too). Every file goes through the layout check;
// one in WHOLE (default 8) of those it passes is opened whole in a session that holds a design. A
// file must open or be refused with a message; a refused file must leave the open design as it was.
// Prints the counts. Built with the sanitizers by scripts/fuzz.sh, which runs it for a given time.

#include "core/design/scripted_interaction.h"
#include "core/project/file_commands.h"
#include "core/project/project_layout.h"
#include "core/roller/roller_record.h"
#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace zorvane;

namespace {

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What a refused file must not change: the design's record, flags and the working files.
std::string designOf(design::DesignSession& session, const fs::path& database) {
    std::string all;
    if (const auto* engine = session.rollerEngine()) {
        all.append(engine->record().bytes().begin(), engine->record().bytes().end());
    }
    for (const auto flag : session.status().flags()) {
        all += std::to_string(flag);
    }
    for (const auto* name : {"Init_Unnamed.db", "Result_Unnamed.db", "Size_Unnamed.db",
                             "Hty_Rec_Unnamed.db", "Hty_Rec_Unnamed.mb"}) {
        all += slurp(database / name);
    }
    return all;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    // One in this many files that pass the layout check is opened whole.
    const unsigned wholeEvery =
        argc > 3 ? static_cast<unsigned>(std::max(1, std::atoi(argv[3]))) : 8;
    // On the memory file system when there is one: the opener is measured, not the disk.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path dir = base / ("zorvane-fuzz-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "make");
    fs::create_directories(dir / "open");
    fs::copy(ZORVANE_BUILT_DATABASE, dir / "make" / "database", fs::copy_options::recursive);
    fs::copy(ZORVANE_BUILT_DATABASE, dir / "open" / "database", fs::copy_options::recursive);
    const fs::path good = dir / "good.chn";
    calc::runScenario(calc::readScenario(ZORVANE_SCENARIO),
                      {dir / "make", dir / "make" / "database", {}, good, "链条节距"});
    const std::string bytes = slurp(good);
    const std::size_t tablesEnd = bytes.find("TPF0") - 306 - 8 * 20;

    design::ScriptedInteraction ui;
    design::DesignSession session(dir / "open", ui);
    project::FileCommands commands(session);
    if (!commands.openFile(good.string())) {
        std::fprintf(stderr, "the saved project does not open\n");
        return 1;
    }
    std::string before = designOf(session, dir / "open" / "database");
    std::mt19937 random(seed);
    const fs::path file = dir / "fuzzed.chn";
    long files = 0, opened = 0, refused = 0, refusedByLayout = 0, wholeOpens = 0;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
           seconds) {
        std::string mutated = bytes;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            // Mostly outside the table bytes, where the layout is checked.
            std::size_t at = random() % mutated.size();
            if (random() % 16 != 0 && at > 1253 && at < tablesEnd) {
                at = random() % 2 ? random() % 1253
                                  : tablesEnd + random() % (bytes.size() - tablesEnd);
                at = std::min(at, mutated.size() - 1);
            }
            switch (random() % 4) {
            case 0:
                mutated[at] = static_cast<char>(random());
                break;
            case 1:
                mutated.erase(at, 1 + random() % 16);
                break;
            case 2:
                mutated.insert(at, std::string(1 + random() % 8, static_cast<char>(random())));
                break;
            default:
                mutated.resize(at);
            }
            if (mutated.empty()) {
                break;
            }
        }
        ++files;
        // Every file goes through the layout check; one in eight that passes it goes through
        // the whole opener, tables, session and all.
        try {
            project::decodeProject(
                std::span(reinterpret_cast<const std::uint8_t*>(mutated.data()), mutated.size()),
                "fuzzed.chn");
        } catch (const project::ProjectError&) {
            ++refusedByLayout;
            continue;
        }
        if (random() % wholeEvery != 0) {
            continue;
        }
        ++wholeOpens;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << mutated;
        ui.clearLog();
        if (commands.openFile(file.string())) {
            ++opened;
            before = designOf(session, dir / "open" / "database"); // the design now open
        } else {
            ++refused;
            if (ui.log().empty() || ui.log().back().kind != "error") {
                std::fprintf(stderr, "file %ld refused without a message\n", files);
                return 1;
            }
            if (designOf(session, dir / "open" / "database") != before) {
                std::fprintf(stderr, "file %ld was refused but changed the design\n", files);
                std::ofstream(dir.parent_path() / "zorvane-fuzz-failure.chn", std::ios::binary)
                    << mutated;
                return 1;
            }
        }
    }
    std::printf("zorvane-project-fuzz: %ld files in %.0f s (seed %u): %ld refused by the layout "
                "check; %ld through the whole opener: %ld opened, %ld refused; no fault\n",
                files, seconds, seed, refusedByLayout, wholeOpens, opened, refused);
    fs::remove_all(dir);
    return 0;
}
