// zorvane-project-bench: save and open of a finished roller design, in process, on the memory file
// system when there is one and on the disk: the median and the slowest of the runs. Also the
// reference data check a design makes when it starts (every table of the chain read and compared
// with the manifest), against a whole roller design run in process. Then what an opening costs: a
// finished design of each chain against the largest file the project bounds admit (every working
// table at its row bound and near its size bound, every snapshot near its property and byte
// bounds), in time and in peak memory, each opening in a process of its own. Asserts nothing.

#include "core/design/reference_data.h"
#include "core/design/scripted_interaction.h"
#include "core/project/file_commands.h"
#include "core/project/project_layout.h"
#include "core/store/sqlite_handle.h"
#include "support/saved_project.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
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

// ---- the cost of the largest admitted file ---------------------------------------------------

long residentKib() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Cost {
    double ms = 0;       // median opening time
    long peakKib = 0;    // peak resident memory above the process before the first opening
    bool opened = false; // every opening succeeded
};

// Opens `file` `runs` times in a child process with a session of its own, after one opening of
// `warm` (a real design, so that both start from a session that has opened a file).
Cost openingCost(const fs::path& file, const fs::path& warm, int runs) {
    int channel[2];
    if (pipe(channel) != 0) {
        std::exit(1);
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        testing::Workspace at;
        design::ScriptedInteraction ui;
        design::DesignSession session(at.path(), ui);
        project::FileCommands commands(session);
        Cost cost;
        cost.opened = commands.openFile(warm.string());
        const long before = residentKib();
        cost.ms = timed(runs, [&] {
                      cost.opened = commands.openFile(file.string()) && cost.opened;
                  }).median;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        cost.peakKib = usage.ru_maxrss - before;
        if (write(channel[1], &cost, sizeof cost) != sizeof cost) {
            _exit(1);
        }
        _exit(0);
    }
    close(channel[1]);
    Cost cost;
    if (read(channel[0], &cost, sizeof cost) != sizeof cost) {
        cost.opened = false;
    }
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return cost;
}

// Grows the table file `bytes` (and its memo file `memo`, when given) to `rows` stored rows, the
// new rows copies of the first with a text field padded so that the file nears `fileBytes`.
void grow(std::string& bytes, std::string* memo, std::int64_t rows, std::size_t fileBytes) {
    using store::detail::Connection;
    using store::detail::Statement;
    testing::TempDir dir;
    const fs::path file = dir.path() / "t.db", blobs = dir.path() / "t.mb";
    testing::writeBytes(file, bytes);
    {
        Connection db(file, Connection::Mode::ReadWrite);
        std::int64_t stored = 0;
        for (const char* table : {"zv_rows", "zv_fields"}) {
            Statement count(db, std::string("SELECT count(*) FROM ") + table);
            stored += count.step() ? count.columnInt(0) : 0;
        }
        std::string columns, padded;
        Statement info(db, "PRAGMA table_info(zv_rows)");
        while (info.step()) {
            const std::string column = info.columnText(1);
            if (column == "rid") {
                continue;
            }
            columns += (columns.empty() ? "" : ", ") + column;
            const bool text = info.columnText(2) == "TEXT" && padded.empty();
            padded +=
                (padded.empty() ? "" : ", ") +
                (text ? "printf('%.*c', " + std::to_string(fileBytes * 6 / 10 / rows) + ", 'x')"
                      : column);
        }
        const std::int64_t more = rows - stored;
        db.exec("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " +
                std::to_string(more) + ") INSERT INTO zv_rows(" + columns + ") SELECT " + padded +
                " FROM n, (SELECT * FROM zv_rows ORDER BY rid LIMIT 1)");
    }
    bytes = testing::readBytes(file);
    if (memo && !memo->empty()) {
        testing::writeBytes(blobs, *memo);
        Connection db(blobs, Connection::Mode::ReadWrite);
        Statement count(db, "SELECT count(*), max(rid), min(pos) FROM zv_blobs");
        count.step();
        const std::int64_t more = rows - count.columnInt(0);
        db.exec("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " +
                std::to_string(more) + ") INSERT INTO zv_blobs SELECT " +
                std::to_string(count.columnInt(1)) + " + k, " + std::to_string(count.columnInt(2)) +
                ", zeroblob(" + std::to_string(fileBytes * 6 / 10 / rows) + ") FROM n");
        *memo = testing::readBytes(blobs);
    }
}

// The largest file the bounds admit, made from a finished roller design.
std::string largestAdmitted(const std::string& finished) {
    auto image = project::decodeProject(
        std::span(reinterpret_cast<const std::uint8_t*>(finished.data()), finished.size()),
        "finished.chn");
    for (std::size_t i = 0; i < 4; ++i) {
        const bool history = i == 3;
        grow(image.work[i].bytes, history ? &image.work[4].bytes : nullptr,
             history ? project::kMaxHistoryRows : project::kMaxTableRows,
             project::kMaxTableFileBytes);
    }
    for (auto& snapshot : image.snapshots) {
        for (std::size_t k = 0; k + 10 < project::kMaxSnapshotProperties; ++k) {
            snapshot.integers["Property" + std::to_string(k) + std::string(45, 'x')] = 1;
        }
    }
    return project::encodeProject(image);
}

void compare(int runs) {
    testing::Workspace make;
    const fs::path scenarios = fs::path(ZORVANE_BENCH_SCENARIO).parent_path().parent_path();
    const fs::path roller = make.path() / "roller.chn", toothed = make.path() / "toothed.chn",
                   largest = make.path() / "largest.chn";
    const std::string finished = testing::savedDesign(ZORVANE_BENCH_SCENARIO, make, roller);
    testing::savedDesign(scenarios / "toothed_medium_speed" / "scenario.json", make, toothed);
    testing::writeBytes(largest, largestAdmitted(finished));
    const Cost real = openingCost(roller, toothed, runs);
    const Cost realToothed = openingCost(toothed, roller, runs);
    const Cost big = openingCost(largest, roller, runs);
    std::printf("  opening a finished roller design (%ju bytes): %7.2f ms median, peak %6ld KiB "
                "more%s\n",
                fs::file_size(roller), real.ms, real.peakKib, real.opened ? "" : " (REFUSED)");
    std::printf("  opening a finished toothed design (%ju bytes): %7.2f ms median, peak %6ld KiB "
                "more%s\n",
                fs::file_size(toothed), realToothed.ms, realToothed.peakKib,
                realToothed.opened ? "" : " (REFUSED)");
    std::printf("  opening the largest admitted file (%ju bytes): %7.2f ms median, peak %6ld KiB "
                "more%s\n",
                fs::file_size(largest), big.ms, big.peakKib, big.opened ? "" : " (REFUSED)");
    std::printf("  largest / finished roller design: %.1f times the time (bound 20), %+.1f MiB "
                "memory (bound +50)\n",
                big.ms / real.ms, static_cast<double>(big.peakKib - real.peakKib) / 1024);
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
    std::printf("zorvane-project-bench: the cost of the largest file the project bounds admit\n");
    compare(runs);
    return 0;
}
