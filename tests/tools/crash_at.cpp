// A preload library for the crash test: it kills its process with SIGKILL at a chosen moment of
// the table store's file work, as kill -9 would, and counts those moments in a run it lets live.
//   ZORVANE_CRASH_AT_EVENT=N      just before the N-th file event (write, sync, truncate, unlink)
//   ZORVANE_CRASH_AFTER_COMMIT=N  just after the N-th commit of writes returned
//   ZORVANE_CRASH_COUNTS=FILE     at a normal end, "events commits" into FILE
// Writes to standard output and standard error are no file events.

#include <dlfcn.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long envNumber(const char* name) {
    const char* text = std::getenv(name);
    return text ? std::atol(text) : 0;
}

// Plain globals: the counts are written while the process ends, after static objects are gone.
long events = 0;
long commits = 0;
bool ending = false;

void event() {
    static const long killAt = envNumber("ZORVANE_CRASH_AT_EVENT");
    if (!ending && ++events == killAt) {
        ::kill(::getpid(), SIGKILL);
    }
}

void committed() {
    static const long killAfter = envNumber("ZORVANE_CRASH_AFTER_COMMIT");
    if (++commits == killAfter) {
        ::kill(::getpid(), SIGKILL);
    }
}

__attribute__((destructor)) void writeCounts() {
    ending = true;
    if (const char* path = std::getenv("ZORVANE_CRASH_COUNTS")) {
        if (FILE* out = std::fopen(path, "w")) {
            std::fprintf(out, "%ld %ld\n", events, commits);
            std::fclose(out);
        }
    }
}

template <class F> F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t pwrite64(int fd, const void* buffer, size_t size, off64_t offset) {
    static auto next = real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    event();
    return next(fd, buffer, size, offset);
}

ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    static auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    event();
    return next(fd, buffer, size, offset);
}

ssize_t write(int fd, const void* buffer, size_t size) {
    static auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (fd > 2) {
        event();
    }
    return next(fd, buffer, size);
}

int fsync(int fd) {
    static auto next = real<int (*)(int)>("fsync");
    event();
    return next(fd);
}

int fdatasync(int fd) {
    static auto next = real<int (*)(int)>("fdatasync");
    event();
    return next(fd);
}

int ftruncate64(int fd, off64_t length) {
    static auto next = real<int (*)(int, off64_t)>("ftruncate64");
    event();
    return next(fd, length);
}

int unlink(const char* path) {
    static auto next = real<int (*)(const char*)>("unlink");
    event();
    return next(path);
}

int sqlite3_step(sqlite3_stmt* statement) {
    static auto next = real<int (*)(sqlite3_stmt*)>("sqlite3_step");
    const char* sql = sqlite3_sql(statement);
    const bool commitOfWrites =
        sql && std::strcmp(sql, "COMMIT") == 0 &&
        sqlite3_txn_state(sqlite3_db_handle(statement), nullptr) == SQLITE_TXN_WRITE;
    const int rc = next(statement);
    if (rc == SQLITE_DONE && commitOfWrites) {
        committed();
    }
    return rc;
}
}
