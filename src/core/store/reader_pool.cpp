#include "core/store/reader_pool.h"

#include "core/store/table_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <future>
#include <string>
#include <system_error>
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
    std::future<std::vector<Kept>> prefetched; // connections opened on another thread
};

Pool& pool() {
    thread_local Pool instance;
    return instance;
}

// A read-only connection to `table`. A file with a journal beside it may be in the middle of a
// change: it is read with locks, as SQLite reads a file that others write. Otherwise the checks
// of the file's state stand for SQLite's.
std::shared_ptr<Connection> openReader(const std::filesystem::path& table,
                                       const std::filesystem::path& blobs) {
    const bool settled = !stateOf(table.string() + "-journal").exists &&
                         !stateOf(table.string() + "-wal").exists &&
                         !stateOf(blobs.string() + "-journal").exists;
    return std::make_shared<Connection>(table, settled ? Connection::Mode::Unchanging
                                                       : Connection::Mode::ReadOnly);
}

void keep(Pool& readers, Kept kept) {
    if (readers.kept.size() >= kKeptConnections) {
        const auto oldest =
            std::min_element(readers.kept.begin(), readers.kept.end(),
                             [](const Kept& a, const Kept& b) { return a.lastUse < b.lastUse; });
        readers.kept.erase(oldest);
    }
    kept.lastUse = ++readers.uses;
    readers.kept.push_back(std::move(kept));
}

// Takes over what another thread opened for this one, unless this thread has opened the same
// table since.
void adoptPrefetched(Pool& readers) {
    std::vector<Kept> opened;
    try {
        opened = readers.prefetched.get();
    } catch (...) {
        return; // nothing taken over: the tables open as usual
    }
    for (auto& kept : opened) {
        const bool known = std::any_of(readers.kept.begin(), readers.kept.end(),
                                       [&](const Kept& k) { return k.table == kept.table; });
        if (!known) {
            keep(readers, std::move(kept));
        }
    }
}

// A kept connection to the table `name`, with its file, schema and rows read into its cache by
// the statements a table open runs.
Kept prefetch(const std::filesystem::path& directory, const std::string& name) {
    const TableFiles files = locateTableFile(directory, name);
    Kept kept{files.table.native(), stateOf(files.table), stateOf(files.blobs),
              openReader(files.table, files.blobs)};
    const ReadTransaction read(*kept.connection);
    for (const auto& sql : {fieldsSelect("main"), rowsSelect("main", {}, {})}) {
        Statement statement(*kept.connection, sql);
        while (statement.step()) {
        }
    }
    return kept;
}

} // namespace

std::shared_ptr<Connection> sharedReader(const std::filesystem::path& table,
                                         const std::filesystem::path& blobs) {
    Pool& readers = pool();
    if (readers.prefetched.valid()) {
        adoptPrefetched(readers);
    }
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
    auto connection = openReader(table, blobs);
    keep(readers, {table.native(), tableState, blobsState, connection});
    return connection;
}

void prefetchSharedReaders(const std::filesystem::path& directory,
                           std::vector<std::string> tables) {
    Pool& readers = pool();
    if (readers.prefetched.valid()) {
        return; // one at a time
    }
    try {
        readers.prefetched =
            std::async(std::launch::async, [directory, tables = std::move(tables)] {
                std::vector<Kept> opened;
                for (const auto& name : tables) {
                    try {
                        opened.push_back(prefetch(directory, name));
                    } catch (const std::exception&) {
                        // left to the table's own open, which tells the user what is wrong
                    }
                }
                return opened;
            });
    } catch (const std::system_error&) {
        // no thread to spare: the tables open as usual
    }
}

void forgetSharedReader(const std::filesystem::path& table) {
    auto& kept = pool().kept;
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [&](const Kept& k) { return k.table == table.native(); }),
               kept.end());
}

} // namespace zorvane::store::detail
