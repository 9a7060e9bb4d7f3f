// zorvane-memory-design-bench: a whole roller design (300 r/min, 3 kW, ratio 3) through the
// design session, on files and in memory, alone and on four threads at once; and the opens of
// the reference tables a design reads, from the files (each thread's kept connections) and from
// one snapshot shared by the threads. Prints median milliseconds; asserts nothing.

#include "core/design/reference_data.h"
#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/roller/roller_design.h"
#include "core/store/reference_snapshot.h"
#include "core/store/table.h"
#include "support/design_inputs.h"
#include "support/workspace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

using namespace zorvane;
using Clock = std::chrono::steady_clock;

void runDesign(design::DesignSession& session) {
    session.beginNewDesign();
    session.openChainTypeStep();
    session.confirmChainType({true, 0, 0});
    session.steps().openInitialConditions();
    session.steps().confirmInitialConditions(testing::lowSpeedSingleRow());
    auto& steps = *roller::designOf(session);
    for (int position = 1; position <= 9; ++position) {
        steps.runStep(position);
        if (position == 1) {
            steps.checkSmallToothCount();
            steps.confirmToothCounts();
        } else if (position == 4) {
            session.steps().confirmInitialCentreDistance();
        } else if (position == 5) {
            session.steps().confirmCentreDistanceChange();
        } else if (position == 7) {
            steps.confirmStaticStrength();
        }
    }
}

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The median of `runs` timings of `work` on `threads` threads at once, each doing it once.
double median(int runs, int threads, const std::function<void()>& work) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        std::vector<std::thread> running;
        for (int t = 0; t < threads; ++t) {
            running.emplace_back(work);
        }
        for (auto& thread : running) {
            thread.join();
        }
        times.push_back(millisSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    constexpr int kRuns = 15;
    const auto references = design::referenceTableNames(design::Chain::Roller);

    // Each run on files in a fresh copy of the database, made before the clock starts.
    for (const auto medium : {testing::Medium::Disk, testing::Medium::Memory}) {
        std::vector<std::unique_ptr<testing::Workspace>> copies;
        for (int r = 0; r < kRuns; ++r) {
            copies.push_back(std::make_unique<testing::Workspace>(medium));
        }
        std::size_t next = 0;
        const double files = median(kRuns, 1, [&] {
            design::ScriptedInteraction ui;
            design::DesignSession session(copies[next++]->path(), ui);
            runDesign(session);
        });
        std::printf("one design on files (%s): %8.2f ms\n",
                    medium == testing::Medium::Disk ? "disk    " : "/dev/shm", files);
    }

    testing::Workspace directory;
    const auto snapshot = std::make_shared<store::ReferenceSnapshot>(directory.database());
    for (const int threads : {1, 4}) {
        const double memory = median(kRuns, threads, [&] {
            design::ScriptedInteraction ui;
            auto session = design::DesignSession::inMemory(snapshot, ui);
            runDesign(*session);
        });
        std::printf("%d design(s) at once in memory: %8.2f ms\n", threads, memory);
    }

    // Each thread opens every reference table of the design ten times, as the steps do.
    const auto openAll = [&] {
        for (int i = 0; i < 10; ++i) {
            for (const auto& name : references) {
                store::Table table(directory.database(), name);
                table.open();
            }
        }
    };
    for (const int threads : {1, 4}) {
        const double files = median(kRuns, threads, openAll);
        const double shared = median(kRuns, threads, [&] {
            const store::detail::SnapshotBinding bound(snapshot);
            openAll();
        });
        std::printf("reference opens, %d thread(s): files %7.2f ms, snapshot %7.2f ms\n", threads,
                    files, shared);
    }
    return 0;
}
