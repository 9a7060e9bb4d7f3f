#pragma once
// Whether a table file (.db) or memo file (.mb) holds exactly what the store writes into it: the
// store's own tables, defined as the store defines them, in a rollback-journal file of the store's
// page size and text encoding. A file from elsewhere may carry triggers, views or other objects
// that would act inside every later design; such a file is refused before anything of it is run.

#include <filesystem>
#include <optional>
#include <string>

namespace zorvane::store::detail {

// What is wrong with `file`, as a short Chinese phrase that follows "数据表文件“…”", or nullopt
// when it holds only what the store writes. An empty file is a table not written yet. A journal
// that a crash left beside the file is rolled back first; nothing else of the file is written, and
// the file is read without running anything it holds.
std::optional<std::string> schemaProblem(const std::filesystem::path& file);

// What keeps SQLite from opening `file` for writing and finding it whole, as such a phrase, or
// nullopt. A journal beside the file is rolled back.
std::optional<std::string> integrityProblem(const std::filesystem::path& file);

// The phrases for a file that is a symbolic link (the store never reads or writes a working
// table through one, which could lead a design's writes into another table) and for a damaged one.
extern const char* const kLinkProblem;
extern const char* const kDamagedProblem;

} // namespace zorvane::store::detail
