#pragma once
// Reads a table source of data/tables: comment lines, a header of field definitions and CSV rows
// (the format is described in data/README.md).

#include "core/store/field.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::dbbuild {

// A source that does not follow the format; the message names the file and the line.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SourceCell {
    std::optional<std::string> text; // nothing for an empty unquoted value (null)
};

struct SourceRow {
    int line = 0; // where the row starts in the file, 1-based
    std::vector<SourceCell> cells;
};

struct SourceTable {
    std::string name;
    std::vector<store::FieldDef> fields;
    std::vector<SourceRow> rows;
};

SourceTable parseSourceTable(std::string_view name, std::string_view content,
                             const std::string& fileLabel);
SourceTable readSourceTable(const std::filesystem::path& file);

} // namespace zorvane::dbbuild
