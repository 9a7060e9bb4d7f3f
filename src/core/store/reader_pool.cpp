#include "core/store/reader_pool.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zorvane::store::detail {

namespace {

// What tells one state of a file from another without reading it.
struct FileState {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool operator==(const FileState&) const = default;
};

std::int64_t nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileState stateOf(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return {};
    }
    return {true,
            status.st_dev,
            status.st_ino,
            status.st_size,
            nanoseconds(status.st_mtim),
            nanoseconds(status.st_ctim)};
}

struct Kept {
    std::string table;
    FileState tableState;
    FileState blobsState;
    std::shared_ptr<Connection> connection;
    std::uint64_t lastUse = 0;
};

// Enough for every reference table of a design; more are let go, least recently used first.
constexpr std::size_t kKeptConnections = 48;

struct Pool {
    std::vector<Kept> kept;
    std::uint64_t uses = 0;
};

Pool& pool() {
    thread_local Pool instance;
    return instance;
}

} // namespace

std::shared_ptr<Connection> sharedReader(const std::filesystem::path& table,
                                         const std::filesystem::path& blobs) {
    Pool& readers = pool();
    const FileState tableState = stateOf(table);
    const FileState blobsState = stateOf(blobs);
    const auto found = std::find_if(readers.kept.begin(), readers.kept.end(),
                                    [&](const Kept& k) { return k.table == table.native(); });
    if (found != readers.kept.end()) {
        if (found->tableState == tableState && found->blobsState == blobsState) {
            found->lastUse = ++readers.uses;
            return found->connection;
        }
        readers.kept.erase(found);
    }
    // A file with a journal beside it may be in the middle of a change: it is read with locks,
    // as SQLite reads a file that others write. Otherwise the checks above stand for SQLite's.
    const bool settled = !stateOf(table.string() + "-journal").exists &&
                         !stateOf(table.string() + "-wal").exists &&
                         !stateOf(blobs.string() + "-journal").exists;
    auto connection = std::make_shared<Connection>(table, settled ? Connection::Mode::Unchanging
                                                                  : Connection::Mode::ReadOnly);
    if (readers.kept.size() >= kKeptConnections) {
        const auto oldest =
            std::min_element(readers.kept.begin(), readers.kept.end(),
                             [](const Kept& a, const Kept& b) { return a.lastUse < b.lastUse; });
        readers.kept.erase(oldest);
    }
    readers.kept.push_back({table.native(), tableState, blobsState, connection, ++readers.uses});
    return connection;
}

void forgetSharedReader(const std::filesystem::path& table) {
    auto& kept = pool().kept;
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [&](const Kept& k) { return k.table == table.native(); }),
               kept.end());
}

} // namespace zorvane::store::detail
