#pragma once
// The work of zorvane-report: every report of the design whose working tables lie in a database
// directory, in every file type, into an output directory.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::reporttool {

// The output directory cannot be made or written; the message names it.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads every report first, so that a missing or unreadable working table throws the store's
// StoreError before any file is made. Then writes combined, init, result, size and history, each
// as .pdf, .txt, .csv and .html, into `outDir` (created when missing): all files are written
// into a scratch directory inside it and moved into place when all are whole, so a failure
// leaves none of them half-written. Returns the paths written.
std::vector<std::filesystem::path> writeReports(const std::filesystem::path& databaseDir,
                                                const std::filesystem::path& outDir);

} // namespace zorvane::reporttool
