#pragma once
// Builds a ready database directory from the table sources of data/tables: one table per source
// file, the formula sources of graphic fields drawn to pictures, the empty working size table
// Size_Unnamed with the fields of the size templates, and the manifest of the tables built from
// sources (core/design/reference_manifest.h).

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zorvane::dbbuild {

// Draws a formula source to the bytes of a picture; throws std::exception for a bad source.
using FormulaPainter = std::function<std::vector<unsigned char>(const std::string& source)>;

struct BuildReport {
    int tables = 0;
    int rows = 0;
    int pictures = 0;
};

// Writes into a fresh directory beside `outputDir` and puts it in place only when the whole build
// succeeded, so a failed build never leaves a half database. Throws std::runtime_error with a
// message naming the source file and line.
BuildReport buildDatabase(const std::filesystem::path& dataDir,
                          const std::filesystem::path& outputDir, const FormulaPainter& painter);

} // namespace zorvane::dbbuild
