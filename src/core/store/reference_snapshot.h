#pragma once
// The reference tables of one database directory, read once and shared by designs that run side
// by side, each on a thread of its own over working tables in memory (Workspace's in-memory
// form). Each table or memo file is read whole the first time a design opens it and kept as it
// was then; every thread reads the kept bytes through read-only connections of its own, and no
// connection ever writes them. A file that is in the middle of a change (a journal or log lies
// beside it), that is no regular file, that is empty, in write-ahead-log form or too large to
// hold is left on disk, and its tables are read from there as usual.
//
// Routing: a snapshot serves the threads it is bound to. An in-memory workspace binds its
// snapshot to the thread that makes it for as long as it lives; while bound, every open of a
// table file of the snapshot's directory on that thread that is not one of the workspace's
// working tables reads the snapshot. Other threads, the main thread's file-backed workspace
// among them, go on reading and writing the files.

#include "core/store/sqlite_handle.h"
#include "core/store/table_file.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace zorvane::store {

class ReferenceSnapshot {
public:
    // Throws StoreError naming the directory when it does not exist. Nothing is read yet.
    explicit ReferenceSnapshot(std::filesystem::path directory);
    ReferenceSnapshot(const ReferenceSnapshot&) = delete;
    ReferenceSnapshot& operator=(const ReferenceSnapshot&) = delete;

    const std::filesystem::path& directory() const { return directory_; }
    // Whether `file` lies in the directory, spelt as the directory was given.
    bool holds(const std::filesystem::path& file) const;
    // The bytes of `file`, a file of the directory, as first read; null when it is left on disk.
    std::shared_ptr<const detail::FileImage> image(const std::filesystem::path& file) const;
    // How many files are held in memory.
    std::size_t heldFiles() const;

private:
    std::filesystem::path directory_;
    std::string comparable_; // the directory, lexically normal, for holds()
    mutable std::mutex mutex_;
    // By file path; null for a file left on disk.
    mutable std::map<std::string, std::shared_ptr<const detail::FileImage>> images_;
};

namespace detail {

// Binds a snapshot to the thread that makes it, until it is destroyed (on that thread). Bindings
// nest; the latest one serves.
class SnapshotBinding {
public:
    explicit SnapshotBinding(std::shared_ptr<const ReferenceSnapshot> snapshot);
    ~SnapshotBinding();
    SnapshotBinding(const SnapshotBinding&) = delete;
    SnapshotBinding& operator=(const SnapshotBinding&) = delete;
};

// A read-only connection to the table of `files` (its memo file attached when held) from the
// snapshot bound to this thread, kept for this thread's later opens; null when no snapshot is
// bound, the files lie elsewhere or the snapshot leaves the table file on disk.
std::shared_ptr<Connection> snapshotReader(const TableFiles& files);
// No longer reuses the connection to `table`, e.g. after it failed a check.
void forgetSnapshotReader(const std::filesystem::path& table);
// Whether a snapshot bound to this thread holds `file`'s directory: nothing may be written there.
bool snapshotHolds(const std::filesystem::path& file);

} // namespace detail

} // namespace zorvane::store
