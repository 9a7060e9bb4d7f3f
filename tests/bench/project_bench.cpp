// zorvane-project-bench: save and open of a finished roller design, in process, on the memory file
// system when there is one and on the disk: the median and the slowest of the runs. Asserts
// nothing.

#include "core/design/scripted_interaction.h"
#include "core/project/file_commands.h"
#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <unistd.h>
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

void measure(const fs::path& base, const char* medium, int runs) {
    const fs::path dir = base / ("zorvane-project-bench-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "make");
    fs::create_directories(dir / "open");
    fs::copy(ZORVANE_BUILT_DATABASE, dir / "make" / "database", fs::copy_options::recursive);
    fs::copy(ZORVANE_BUILT_DATABASE, dir / "open" / "database", fs::copy_options::recursive);
    const fs::path finished = dir / "finished.chn";
    calc::runScenario(calc::readScenario(ZORVANE_BENCH_SCENARIO),
                      {dir / "make", dir / "make" / "database", {}, finished, {}});
    design::ScriptedInteraction ui;
    design::DesignSession session(dir / "open", ui);
    project::FileCommands commands(session);
    const Figures open = timed(runs, [&] {
        if (!commands.openFile(finished.string())) {
            std::fprintf(stderr, "the finished design does not open\n");
            std::exit(1);
        }
    });
    const Figures save = timed(runs, [&] { commands.saveAsFile((dir / "saved.chn").string()); });
    std::printf("  %-6s open %6.2f ms median, %6.2f ms slowest; save %6.2f ms median, %6.2f ms "
                "slowest (%ju bytes)\n",
                medium, open.median, open.slowest, save.median, save.slowest,
                fs::file_size(dir / "saved.chn"));
    fs::remove_all(dir);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::printf("zorvane-project-bench: a finished roller design, %d runs each\n", runs);
    if (fs::is_directory("/dev/shm")) {
        measure("/dev/shm", "memory", runs);
    }
    measure(fs::temp_directory_path(), "disk", runs);
    return 0;
}
