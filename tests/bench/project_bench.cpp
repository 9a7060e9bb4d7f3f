// zorvane-project-bench: save and open of a finished roller design, in process, on the memory file
// system when there is one and on the disk: the median and the slowest of the runs. Also the
// reference data check a design makes when it starts (every table of the chain read and compared
// with the manifest), against a whole roller design run in process. Asserts nothing.

#include "core/design/reference_data.h"
#include "core/design/scripted_interaction.h"
#include "core/project/file_commands.h"
#include "support/saved_project.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace fs = std::filesystem;
using namespace zorvane;

namespace {

struct Figures {
    double median;
    double slowest;
};

Figures timed(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void measure(testing::Medium medium, const char* name, int runs) {
    testing::Workspace make(medium), open(medium);
    const fs::path finished = make.path() / "finished.chn";
    testing::savedDesign(ZORVANE_BENCH_SCENARIO, make, finished);
    design::ScriptedInteraction ui;
    design::DesignSession session(open.path(), ui);
    project::FileCommands commands(session);
    const Figures opening = timed(runs, [&] {
        if (!commands.openFile(finished.string())) {
            std::fprintf(stderr, "the finished design does not open\n");
            std::exit(1);
        }
    });
    const Figures saving =
        timed(runs, [&] { commands.saveAsFile((open.path() / "saved.chn").string()); });
    std::printf("  %-6s open %6.2f ms median, %6.2f ms slowest; save %6.2f ms median, %6.2f ms "
                "slowest (%ju bytes)\n",
                name, opening.median, opening.slowest, saving.median, saving.slowest,
                fs::file_size(open.path() / "saved.chn"));
}

void measureReferenceCheck(int runs) {
    testing::Workspace at;
    const auto check = [&](design::Chain chain) {
        return timed(runs, [&] { design::checkReferenceData(at.database(), chain); });
    };
    const Figures roller = check(design::Chain::Roller);
    const Figures toothed = check(design::Chain::Toothed);
    const auto scenario = calc::readScenario(ZORVANE_BENCH_SCENARIO);
    const Figures whole = timed(runs, [&] {
        calc::runScenario(scenario, {at.path(), at.database(), {}, {}, {}});
    });
    std::printf("  reference check: roller %.2f ms median (%.2f slowest), toothed %.2f ms median "
                "(%.2f slowest); a whole roller design %.1f ms median, of which the check is "
                "%.1f%%\n",
                roller.median, roller.slowest, toothed.median, toothed.slowest, whole.median,
                100 * roller.median / whole.median);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::printf("zorvane-project-bench: a finished roller design, %d runs each\n", runs);
    if (fs::is_directory("/dev/shm")) {
        measure(testing::Medium::Memory, "memory", runs);
    }
    measure(testing::Medium::Disk, "disk", runs);
    measureReferenceCheck(runs);
    return 0;
}
