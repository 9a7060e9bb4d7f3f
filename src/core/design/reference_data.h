#pragma once
// The reference tables and templates the design steps read, with what each must hold: its
// fields, rows, numbers and order. A design checks all of its chain's tables when the chain type
// is confirmed, and a step checks the table it reads before reading it, so that no step computes
// with a table that is missing, empty, of another layout or without the rows it needs.

#include "core/design/steps.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::design {

enum class ChainUse { Both, Roller, Toothed };

struct ReferenceTable {
    std::string_view name;
    std::string_view role; // what the table is, for the messages
    ChainUse use;
    // Fields it must have by name; `leadingFields` more that the steps read by position.
    std::span<const std::string_view> fields;
    int leadingFields;
    // Fields every row must hold as numbers (a text that reads as a number counts); "#0" names
    // the field at position 0. The first one ascends from row to row when `ascending`.
    std::span<const std::string_view> numbers;
    bool ascending;
    bool mayBeEmpty; // a template of fields only
    // Rows it must hold: the values of `keyField` (compared exactly, ASCII letters without case).
    std::string_view keyField;
    std::span<const std::string_view> keys;
};

std::span<const ReferenceTable> referenceTables();
// The names of the reference tables a design of `chain` reads.
std::vector<std::string> referenceTableNames(Chain chain);

// Throws ReferenceDataError naming the table and saying what it lacks.
void checkReferenceTable(const std::filesystem::path& databaseDir, std::string_view name);
// Every reference table and template of the chain, each also compared with the manifest of the
// installed data (reference_manifest.h), which also stops a design when it is missing. Once per
// design, when it starts: the comparison reads every row, pictures included.
void checkReferenceData(const std::filesystem::path& databaseDir, Chain chain);

} // namespace zorvane::design
