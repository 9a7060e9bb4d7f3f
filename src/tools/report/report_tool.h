#pragma once
// The work of zorvane-report: every report of the design whose working tables lie in a database
// directory, in every file type, into an output directory.

#include "tools/common/output_set.h"

#include <filesystem>
#include <vector>

namespace zorvane::reporttool {

using OutputError = tools::OutputError;

// Reads every report under the database directory's shared lock first, so that a missing or
// unreadable working table throws the store's StoreError (WorkspaceBusy while another program
// writes the design) before any file is made. Then writes combined, init, result, size and
// history, each as .pdf, .txt, .csv and .html, into `outDir` (created when missing) as one set:
// a failure or a kill leaves the files that were there before (see tools/common/output_set.h).
// Returns the paths written.
std::vector<std::filesystem::path> writeReports(const std::filesystem::path& databaseDir,
                                                const std::filesystem::path& outDir);

} // namespace zorvane::reporttool
