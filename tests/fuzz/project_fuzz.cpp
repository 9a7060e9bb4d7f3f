// zorvane-project-fuzz [SECONDS] [SEED] [WHOLE] [RUNS]: the project opener over mutated project
// files. A roller design is saved after its pitch step; each round mutates that file: mostly its
// header, snapshots and record as bytes, and one round in four one of its embedded table files at
// the level of the database engine (triggers, views, indexes, extra tables and rows, journal mode,
// page size, schema and page headers). Every file goes through the layout check; one in WHOLE
// (default 8) of those it passes is opened whole in a session that holds a design. A file must
// open with working tables that hold nothing but this program's own tables, or be refused with a
// Chinese message that leaves the open design as it was. Then RUNS (default 0) more files go
// through the whole batch runner: opened and the design carried on to its end.
// Prints the counts. Built with the sanitizers by scripts/fuzz.sh, which runs it for a given time.

#include "core/design/scripted_interaction.h"
#include "core/project/file_commands.h"
#include "core/project/project_layout.h"
#include "core/store/workspace.h"
#include "support/saved_project.h"
#include "support/user_text.h"
#include "table_mutations.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;
using namespace zorvane;

namespace {

// Whether every working-table file of the directory holds only what the program writes.
bool workingFilesAreClean(const fs::path& database) {
    for (const auto name : project::kWorkFileNames) {
        std::error_code error;
        if (fs::exists(database / name, error) && !store::Workspace::fileIsSound(database / name)) {
            return false;
        }
    }
    return true;
}

// The file with one of its embedded tables damaged by the engine.
std::string withMutatedTable(const project::ProjectImage& image, std::mt19937& random,
                             const fs::path& scratch) {
    project::ProjectImage copy = image;
    auto& work = copy.work[random() % copy.work.size()];
    if (!work.bytes.empty()) {
        work.bytes = fuzz::mutatedTableFile(work.bytes, random, scratch);
    }
    return project::encodeProject(copy);
}

// `runs` mutated files through the batch runner, each opened and its design carried on to the end
// or to a step that stops it. A file is refused or carried on; either way every message is
// Chinese and the working tables hold only what the program writes.
int runThroughRunner(long runs, std::mt19937& random, const project::ProjectImage& image,
                     const std::string& bytes, const std::function<std::size_t(std::size_t)>& place,
                     const testing::Workspace& scratch) {
    if (runs <= 0) {
        return 0;
    }
    const testing::Workspace at;
    const fs::path file = at.path() / "fuzzed.chn";
    const calc::Scenario scenario = calc::readScenario(ZORVANE_SCENARIO);
    long refused = 0, completed = 0, stopped = 0;
    for (long run = 1; run <= runs; ++run) {
        const std::string mutated = random() % 2 ? withMutatedTable(image, random, scratch.path())
                                                 : testing::mutated(bytes, random, place);
        testing::writeBytes(file, mutated);
        std::string message;
        try {
            const auto outcome =
                calc::runScenario(scenario, {at.path(), at.database(), file, {}, {}});
            (outcome.completed ? completed : stopped) += 1;
            message = outcome.reason;
            for (const auto& repair : outcome.repairs) {
                message += repair;
            }
        } catch (const calc::ProjectNotOpened& refusal) {
            ++refused;
            message = refusal.what();
        }
        if (!testing::speaksOnlyChinese(message)) {
            std::fprintf(stderr, "run %ld spoke other words than Chinese: %s\n", run,
                         message.c_str());
            return 1;
        }
        if (!workingFilesAreClean(at.database())) {
            std::fprintf(stderr, "run %ld left foreign objects in the working tables\n", run);
            testing::writeBytes(at.path().parent_path() / "zorvane-fuzz-failure.chn", mutated);
            return 1;
        }
    }
    std::printf("zorvane-project-fuzz: %ld files through the batch runner: %ld refused, %ld "
                "designs completed, %ld stopped at a step; no fault\n",
                runs, refused, completed, stopped);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    // One in this many files that pass the layout check is opened whole.
    const unsigned wholeEvery =
        argc > 3 ? static_cast<unsigned>(std::max(1, std::atoi(argv[3]))) : 8;
    const long runs = argc > 4 ? std::atol(argv[4]) : 0;
    // On the memory file system when there is one: the opener is measured, not the disk.
    testing::Workspace make, open;
    const fs::path good = make.path() / "good.chn";
    const std::string bytes = testing::savedDesign(ZORVANE_SCENARIO, make, good, "链条节距");
    const std::size_t tablesEnd = bytes.find("TPF0") - 306 - 8 * 20;
    const project::ProjectImage image = project::decodeProject(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "good.chn");
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
    long files = 0, opened = 0, refused = 0, refusedByLayout = 0, wholeOpens = 0,
         engineMutations = 0;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
           seconds) {
        const bool engineLevel = random() % 4 == 0;
        const std::string mutated = engineLevel ? withMutatedTable(image, random, make.path())
                                                : testing::mutated(bytes, random, place);
        ++files;
        engineMutations += engineLevel ? 1 : 0;
        // Every file goes through the layout check; one in eight that passes it goes through
        // the whole opener, tables, session and all.
        try {
            project::decodeProject(
                std::span(reinterpret_cast<const std::uint8_t*>(mutated.data()), mutated.size()),
                "fuzzed.chn");
        } catch (const project::ProjectError& refusal) {
            ++refusedByLayout;
            if (!testing::speaksOnlyChinese(refusal.what())) {
                std::fprintf(stderr, "file %ld refused in other words than Chinese: %s\n", files,
                             refusal.what());
                return 1;
            }
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
            if (!workingFilesAreClean(session.databaseDir())) {
                std::fprintf(stderr, "file %ld brought foreign objects into the working tables\n",
                             files);
                testing::writeBytes(open.path().parent_path() / "zorvane-fuzz-failure.chn",
                                    mutated);
                return 1;
            }
        } else {
            ++refused;
            if (ui.log().empty() || ui.log().back().kind != "error") {
                std::fprintf(stderr, "file %ld refused without a message\n", files);
                return 1;
            }
            if (!testing::speaksOnlyChinese(ui.log().back().text)) {
                std::fprintf(stderr, "file %ld refused in other words than Chinese: %s\n", files,
                             ui.log().back().text.c_str());
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
    std::printf("zorvane-project-fuzz: %ld files in %.0f s (seed %u), %ld with a table damaged by "
                "the engine: %ld refused by the layout check; %ld through the whole opener: %ld "
                "opened, %ld refused; no fault\n",
                files, seconds, seed, engineMutations, refusedByLayout, wholeOpens, opened,
                refused);
    return runThroughRunner(runs, random, image, bytes, place, make);
}
