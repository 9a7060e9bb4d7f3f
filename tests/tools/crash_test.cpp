// The working tables against crashes and a second program: zorvane-calc is killed at many moments
// of its file work (a preload library picks the moment), and the directory it leaves must hold the
// tables of a whole number of steps and let the next design run to the same end as a clean one. A
// journal left beside a table that was replaced since must never be rolled into it, and one
// program at a time may hold a directory's working tables.

#include "core/records/working_tables.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/workspace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace zorvane {
namespace {

namespace fs = std::filesystem;

struct CalcRun {
    bool killed = false;
    int exitCode = -1;
    std::string json;
};

// A working directory with a fresh copy of the built reference database.
struct Directory {
    testing::TempDir dir;
    Directory() { fs::copy(ZORVANE_BUILT_DATABASE, database(), fs::copy_options::recursive); }
    fs::path database() const { return dir.path() / "database"; }
};

// zorvane-calc on the directory's database, with the crash library and the given settings.
CalcRun runCalc(const Directory& at, const std::vector<std::string>& settings,
                const char* scenario = ZORVANE_SCENARIO) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        env.emplace_back(*e);
    }
    env.push_back(std::string("LD_PRELOAD=") + ZORVANE_CRASH_LIBRARY);
    env.insert(env.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    const fs::path out = at.dir.path() / "out.json";
    fs::remove(out);
    std::vector<std::string> args{ZORVANE_CALC,           scenario, "--db",
                                  at.database().string(), "--out",  out.string()};
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    CalcRun run;
    if (posix_spawn(&pid, ZORVANE_CALC, &actions, nullptr, argv.data(), envp.data()) != 0) {
        ADD_FAILURE() << "zorvane-calc did not start";
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    run.json = text.str();
    return run;
}

// Every row of the four working tables as text, after the workspace's opening has recovered
// what a crash left. A table not made yet reads "-".
std::string tablesOf(const fs::path& database) {
    store::Workspace workspace(database, records::workingTables());
    std::string out;
    for (const auto& spec : records::workingTables()) {
        out += spec.name + ":";
        store::Table table(database, spec.name);
        try {
            table.open();
        } catch (const store::StoreError&) {
            out += " -\n";
            continue;
        }
        for (int i = 0; i < table.recordCount(); ++i) {
            for (const auto& value : table.row(i)) {
                out += value.isBytes() ? "[" + std::to_string(value.bytes().size()) + " bytes]"
                                       : value.asText();
                out += '|';
            }
            out += '\n';
        }
    }
    return out;
}

struct Counts {
    long events = 0;
    long commits = 0;
};

// The file events and commits of a design in a fresh directory.
Counts freshCounts() {
    const Directory at;
    const fs::path file = at.dir.path() / "counts";
    runCalc(at, {"ZORVANE_CRASH_COUNTS=" + file.string()});
    Counts counts;
    std::ifstream(file) >> counts.events >> counts.commits;
    return counts;
}

TEST(CrashTest, AKilledDesignLeavesWholeStepsAndTheNextDesignEndsAsACleanOne) {
    Directory clean;
    const CalcRun reference = runCalc(clean, {});
    ASSERT_EQ(reference.exitCode, 0);
    const Counts counts = freshCounts();
    ASSERT_GT(counts.commits, 5);
    ASSERT_GT(counts.events, counts.commits);

    // The tables after each whole step: the states a crash may leave.
    std::set<std::string> wholeSteps;
    {
        Directory fresh;
        wholeSteps.insert(tablesOf(fresh.database()));
    }
    for (long commit = 1; commit <= counts.commits; ++commit) {
        Directory stopped;
        ASSERT_TRUE(
            runCalc(stopped, {"ZORVANE_CRASH_AFTER_COMMIT=" + std::to_string(commit)}).killed);
        wholeSteps.insert(tablesOf(stopped.database()));
    }
    ASSERT_EQ(wholeSteps.size(), static_cast<std::size_t>(counts.commits) + 1);

    // Kills spread over the whole run, most of them inside a commit's writes and syncs.
    constexpr long kKills = 24;
    for (long k = 0; k < kKills; ++k) {
        const long event = 1 + k * (counts.events - 1) / (kKills - 1);
        SCOPED_TRACE("killed at file event " + std::to_string(event) + " of " +
                     std::to_string(counts.events));
        Directory crashed;
        ASSERT_TRUE(runCalc(crashed, {"ZORVANE_CRASH_AT_EVENT=" + std::to_string(event)}).killed);
        EXPECT_TRUE(wholeSteps.count(tablesOf(crashed.database())))
            << "the tables hold part of a step";
        const CalcRun next = runCalc(crashed, {});
        EXPECT_EQ(next.exitCode, 0);
        EXPECT_EQ(next.json, reference.json);
    }
}

TEST(CrashTest, AJournalBesideATableReplacedSinceIsNeverRolledIntoIt) {
    Directory other;
    ASSERT_EQ(runCalc(other, {}).exitCode, 0);
    const fs::path replacement = other.database() / "Result_Unnamed.db";
    const std::string replacementRows = tablesOf(other.database());

    const Counts counts = freshCounts();
    // The first kill, from the middle of the run on, that leaves beside the results a journal with
    // pages to roll back: a journal whose header counts its records, synced and hot.
    const auto journalRecords = [](const fs::path& journal) {
        unsigned char header[12] = {};
        std::ifstream(journal, std::ios::binary).read(reinterpret_cast<char*>(header), 12);
        return (header[8] << 24) | (header[9] << 16) | (header[10] << 8) | header[11];
    };
    bool journalLeft = false;
    for (long event = counts.events / 2; event <= counts.events && !journalLeft; event += 3) {
        Directory attempt;
        ASSERT_TRUE(runCalc(attempt, {"ZORVANE_CRASH_AT_EVENT=" + std::to_string(event)}).killed);
        const fs::path journal = attempt.database() / "Result_Unnamed.db-journal";
        if (fs::exists(journal) && journalRecords(journal) > 0) {
            fs::copy_file(replacement, attempt.database() / "Result_Unnamed.db",
                          fs::copy_options::overwrite_existing);
            const std::string rows = tablesOf(attempt.database());
            const auto results = [](const std::string& all) {
                const auto from = all.find("Result_Unnamed:");
                return all.substr(from, all.find("Size_Unnamed:") - from);
            };
            EXPECT_EQ(results(rows), results(replacementRows));
            EXPECT_FALSE(fs::exists(journal));
            journalLeft = true;
        }
    }
    EXPECT_TRUE(journalLeft) << "no kill left a journal beside the results";
}

TEST(WorkspaceLock, ASecondWriterIsRefusedUntilTheFirstEndsOrIsKilled) {
    Directory shared;
    {
        store::Workspace first(shared.database(), records::workingTables());
        EXPECT_THROW(store::Workspace(shared.database(), records::workingTables()),
                     store::WorkspaceBusy);
        const std::string before = [&] {
            std::string names;
            for (const auto& entry : fs::directory_iterator(shared.database())) {
                names +=
                    entry.path().filename().string() + std::to_string(fs::file_size(entry)) + ";";
            }
            return names;
        }();
        const CalcRun refused = runCalc(shared, {});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.json.empty());
        std::string after;
        for (const auto& entry : fs::directory_iterator(shared.database())) {
            after += entry.path().filename().string() + std::to_string(fs::file_size(entry)) + ";";
        }
        EXPECT_EQ(after, before);
    }
    EXPECT_EQ(runCalc(shared, {}).exitCode, 0); // the first one ended

    // A holder killed outright: its lock dies with it.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        store::Workspace held(shared.database(), records::workingTables());
        const char byte = 1;
        [[maybe_unused]] auto written = ::write(ready[1], &byte, 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(runCalc(shared, {}).exitCode, 2);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(runCalc(shared, {}).exitCode, 0);
    close(ready[0]);
    close(ready[1]);
}

} // namespace
} // namespace zorvane
