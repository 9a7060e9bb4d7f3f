// zorvane-calc-bench: a whole roller design through the batch runner, each run a fresh process on
// a copy of the built reference database, as a user runs it, against its floor: the commit floor
// program making as many durable commits across three table files, in the same directory, runs
// interleaved with it. Prints the ratio of the median wall times with the least and the greatest
// ratio of a pair of runs, the part of a run spent in write commits (timed by the commit_timer
// preload library) and, for comparison only, the median with the file syncs switched off.
// Asserts nothing.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double wallMs = 0;
    double commitMs = 0;
    long commits = 0;
    double syncMs = 0;
    long syncs = 0;
    std::vector<std::string> tables; // "file commits ms" of each table written
};

// The wall time of one process in milliseconds; exits when it fails.
double spawnTimed(std::vector<std::string> args, std::vector<std::string> env) {
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not complete\n", argv[0]);
        std::exit(1);
    }
    return ms;
}

std::vector<std::string> environment() {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        env.emplace_back(*e);
    }
    return env;
}

// One process of zorvane-calc with the extra environment entries; its figures.
Run runOnce(const std::filesystem::path& dir, const std::vector<std::string>& extraEnv) {
    const auto log = dir / "commits.log";
    std::filesystem::remove(log);
    std::vector<std::string> env = environment();
    env.push_back("ZORVANE_COMMIT_LOG=" + log.string());
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    Run run;
    run.wallMs = spawnTimed({ZORVANE_CALC, ZORVANE_BENCH_SCENARIO, "--db",
                             (dir / "database").string(), "--out", (dir / "out.json").string()},
                            env);
    long long commitNs = 0, syncNs = 0;
    if (std::ifstream in(log); in >> run.commits >> commitNs >> run.syncs >> syncNs) {
        run.commitMs = static_cast<double>(commitNs) / 1e6;
        run.syncMs = static_cast<double>(syncNs) / 1e6;
        std::string file;
        long commits = 0;
        long long ns = 0;
        while (in >> file >> commits >> ns) {
            char line[160];
            std::snprintf(line, sizeof line, "%-24s %3ld commits %6.1f ms", file.c_str(), commits,
                          static_cast<double>(ns) / 1e6);
            run.tables.emplace_back(line);
        }
    }
    return run;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                     values.end());
    return values[values.size() / 2];
}

template <class Field> double median(std::vector<Run> runs, Field field) {
    std::vector<double> values;
    for (const auto& run : runs) {
        values.push_back(static_cast<double>(run.*field));
    }
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                     values.end());
    return values[values.size() / 2];
}

std::vector<Run> series(const std::filesystem::path& dir, int repeats,
                        const std::vector<std::string>& env) {
    runOnce(dir, env); // warms the file cache
    std::vector<Run> runs;
    for (int i = 0; i < repeats; ++i) {
        runs.push_back(runOnce(dir, env));
    }
    return runs;
}

} // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 9;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zorvane-calc-bench-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::copy(ZORVANE_BUILT_DATABASE, dir / "database",
                          std::filesystem::copy_options::recursive);
    const std::string preload = std::string("LD_PRELOAD=") + ZORVANE_COMMIT_TIMER;

    const auto timed = series(dir, repeats, {preload});
    const auto unsynced = series(dir, repeats, {preload, "ZORVANE_BENCH_NO_SYNC=1"});
    const long commits = static_cast<long>(median(timed, &Run::commits));

    // The design and its floor in turns, so that both meet the same state of the machine.
    auto floorRun = [&] {
        return spawnTimed({ZORVANE_COMMIT_FLOOR, dir.string(), std::to_string(commits)},
                          environment());
    };
    runOnce(dir, {});
    floorRun();
    std::vector<double> designs, floors, ratios;
    for (int i = 0; i < repeats; ++i) {
        designs.push_back(runOnce(dir, {}).wallMs);
        floors.push_back(floorRun());
        ratios.push_back(designs.back() / floors.back());
    }
    std::filesystem::remove_all(dir);

    const double wall = median(designs);
    const double floor = median(floors);
    std::printf("zorvane-calc against its floor of %ld durable commits, %d runs each\n", commits,
                repeats);
    std::printf("  median design %.1f ms, median floor %.1f ms: ratio %.2f (pairs: min %.2f, max "
                "%.2f)\n",
                wall, floor, wall / floor, *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    const double timedWall = median(timed, &Run::wallMs);
    const double commit = median(timed, &Run::commitMs);
    std::printf("zorvane-calc, whole roller design (%s), %d runs each\n", ZORVANE_BENCH_SCENARIO,
                repeats);
    std::printf("  median wall time:                %7.1f ms\n", wall);
    std::printf("  median wall time, commits timed: %7.1f ms\n", timedWall);
    std::printf("  median time in write commits:    %7.1f ms (%.0f%%), %ld commits\n", commit,
                100 * commit / timedWall, static_cast<long>(median(timed, &Run::commits)));
    std::printf("  median time in file syncs:       %7.1f ms, %ld syncs\n",
                median(timed, &Run::syncMs), static_cast<long>(median(timed, &Run::syncs)));
    std::printf("  median wall time, syncs off:     %7.1f ms (comparison only)\n",
                median(unsynced, &Run::wallMs));
    std::printf("  write commits by table, last run:\n");
    for (const auto& line : timed.back().tables) {
        std::printf("    %s\n", line.c_str());
    }
    return 0;
}
