// zorvane-project-fuzz [SECONDS] [SEED] [WHOLE]: the project opener over mutated project files. A
// roller design is saved after its pitch step; each round mutates that file (mostly its header,
// snapshots and record, sometimes the table bytes too). Every file goes through the layout check;
// one in WHOLE (default 8) of those it passes is opened whole in a session that holds a design. A
// file must open or be refused with a message; a refused file must leave the open design as it was.
// Prints the counts. Built with the sanitizers by scripts/fuzz.sh, which runs it for a given time.

#include "core/design/scripted_interaction.h"
#include "core/project/file_commands.h"
#include "core/project/project_layout.h"
#include "support/saved_project.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;
using namespace zorvane;

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    // One in this many files that pass the layout check is opened whole.
    const unsigned wholeEvery =
        argc > 3 ? static_cast<unsigned>(std::max(1, std::atoi(argv[3]))) : 8;
    // On the memory file system when there is one: the opener is measured, not the disk.
    testing::Workspace make, open;
    const fs::path good = make.path() / "good.chn";
    const std::string bytes = testing::savedDesign(ZORVANE_SCENARIO, make, good, "链条节距");
    const std::size_t tablesEnd = bytes.find("TPF0") - 306 - 8 * 20;
    // Most edits land outside the table bytes, where the layout is checked.
    std::mt19937 random(seed);
    const auto place = [&](std::size_t size) -> std::size_t {
        const std::size_t at = random() % size;
        if (random() % 16 == 0 || at <= 1253 || at >= tablesEnd) {
            return at;
        }
        return random() % 2 ? random() % 1253 : tablesEnd + random() % (bytes.size() - tablesEnd);
    };

    design::ScriptedInteraction ui;
    design::DesignSession session(open.path(), ui);
    project::FileCommands commands(session);
    if (!commands.openFile(good.string())) {
        std::fprintf(stderr, "the saved project does not open\n");
        return 1;
    }
    std::string before = testing::designFingerprint(session);
    const fs::path file = open.path() / "fuzzed.chn";
    long files = 0, opened = 0, refused = 0, refusedByLayout = 0, wholeOpens = 0;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
           seconds) {
        const std::string mutated = testing::mutated(bytes, random, place);
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
        testing::writeBytes(file, mutated);
        ui.clearLog();
        if (commands.openFile(file.string())) {
            ++opened;
            before = testing::designFingerprint(session); // the design now open
        } else {
            ++refused;
            if (ui.log().empty() || ui.log().back().kind != "error") {
                std::fprintf(stderr, "file %ld refused without a message\n", files);
                return 1;
            }
            if (testing::designFingerprint(session) != before) {
                std::fprintf(stderr, "file %ld was refused but changed the design\n", files);
                testing::writeBytes(open.path().parent_path() / "zorvane-fuzz-failure.chn",
                                    mutated);
                return 1;
            }
        }
    }
    std::printf("zorvane-project-fuzz: %ld files in %.0f s (seed %u): %ld refused by the layout "
                "check; %ld through the whole opener: %ld opened, %ld refused; no fault\n",
                files, seconds, seed, refusedByLayout, wholeOpens, opened, refused);
    return 0;
}
