// A preload library for the batch runner benchmark: it times the write commits of SQLite (COMMIT
// of a transaction that wrote) and the file syncs under them, and writes the
// totals, and those of each table file, to the file named by ZORVANE_COMMIT_LOG when the process
// ends. With
// ZORVANE_BENCH_NO_SYNC=1 the syncs return at once, which shows what durability costs; the
// program itself never runs that way.

#include <dlfcn.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Totals {
    long commits = 0;
    long long commitNs = 0;
    long syncs = 0;
    long long syncNs = 0;
    // Commits and their time by table file.
    std::map<std::string, std::pair<long, long long>> byTable;

    ~Totals() {
        if (const char* path = std::getenv("ZORVANE_COMMIT_LOG")) {
            if (FILE* out = std::fopen(path, "a")) {
                std::fprintf(out, "%ld %lld %ld %lld\n", commits, commitNs, syncs, syncNs);
                for (const auto& [table, figures] : byTable) {
                    std::fprintf(out, "%s %ld %lld\n", table.c_str(), figures.first,
                                 figures.second);
                }
                std::fclose(out);
            }
        }
    }
};

Totals& totals() {
    static Totals instance;
    return instance;
}

bool syncsOff() {
    static const bool off = std::getenv("ZORVANE_BENCH_NO_SYNC") != nullptr;
    return off;
}

template <class F> F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

long long since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
}

template <class Sync> int timedSync(Sync sync, int fd) {
    if (syncsOff()) {
        return 0;
    }
    const auto start = Clock::now();
    const int rc = sync(fd);
    totals().syncNs += since(start);
    ++totals().syncs;
    return rc;
}

} // namespace

extern "C" {

int sqlite3_step(sqlite3_stmt* statement) {
    static const auto real = next<int (*)(sqlite3_stmt*)>("sqlite3_step");
    // A commit of writes: a transaction that holds a write lock when COMMIT comes.
    const char* sql = sqlite3_sql(statement);
    sqlite3* db = sqlite3_db_handle(statement);
    if (sql && std::strcmp(sql, "COMMIT") == 0 &&
        sqlite3_txn_state(db, nullptr) == SQLITE_TXN_WRITE) {
        const auto start = Clock::now();
        const int rc = real(statement);
        const long long ns = since(start);
        totals().commitNs += ns;
        ++totals().commits;
        std::string file = sqlite3_db_filename(db, "main");
        auto& table = totals().byTable[file.substr(file.rfind('/') + 1)];
        ++table.first;
        table.second += ns;
        return rc;
    }
    return real(statement);
}

int fsync(int fd) {
    static const auto real = next<int (*)(int)>("fsync");
    return timedSync(real, fd);
}

int fdatasync(int fd) {
    static const auto real = next<int (*)(int)>("fdatasync");
    return timedSync(real, fd);
}

} // extern "C"
