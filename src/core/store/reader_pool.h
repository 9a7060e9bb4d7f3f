#pragma once
// Read-only connections to table files outside the working tables, kept for reuse. A design opens
// the same reference tables again and again; a kept connection spares opening the file and
// reading its schema each time. A connection is reused only while its files are still the ones it
// was opened on (same file, size and change times); a file replaced or changed since gets a fresh
// connection. Each thread keeps its own connections, as a connection serves one thread.

#include "core/store/sqlite_handle.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zorvane::store::detail {

// A read-only connection to `table` (its memo file, when attached later, is `blobs`).
std::shared_ptr<Connection> sharedReader(const std::filesystem::path& table,
                                         const std::filesystem::path& blobs);

// No longer reuses the connection to `table`, e.g. after it failed a check.
void forgetSharedReader(const std::filesystem::path& table);

// Opens kept connections to these tables of `directory` on another thread, reading their files,
// schemas and rows into the connections' caches while this thread does other work; this
// thread's next sharedReader takes them over. Best effort: a table that cannot be opened there
// is left to its ordinary open, which reports what is wrong with it.
void prefetchSharedReaders(const std::filesystem::path& directory, std::vector<std::string> tables);

} // namespace zorvane::store::detail
