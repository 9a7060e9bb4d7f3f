#pragma once
// The manifest of the installed reference data: a text file of the database directory that the
// database build writes, one line per reference table and template, "<table> <rows> <sha256>"
// (the digest of store/table_digest.h). A design compares the tables it reads with it, so that a
// table whose rows were deleted or changed after installation is noticed before it is used.

#include "core/store/table_digest.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::design {

inline constexpr std::string_view kManifestFileName = "Reference.manifest";

struct ManifestEntry {
    std::string table;
    store::TableDigest digest;
};

// The manifest's text: a comment line, then one line per entry in the order given.
std::string formatManifest(const std::vector<ManifestEntry>& entries);

struct ManifestRead {
    std::vector<ManifestEntry> entries;
    // Empty when the file was read whole; otherwise why it could not be, in Chinese, naming the
    // file (a missing file, one that is no manifest, a line of another form).
    std::string problem;

    // The entry of `table` (names compared ignoring ASCII case), or null.
    const ManifestEntry* find(std::string_view table) const;
};

ManifestRead readManifest(const std::filesystem::path& databaseDir);

} // namespace zorvane::design
