#pragma once
// The SQL of the tables the store keeps in a table file and its memo file. Defining a table and
// checking a file that came from elsewhere both use it, so that the check accepts exactly what the
// store writes.

#include "core/store/field.h"

#include <string>
#include <vector>

namespace zorvane::store::detail {

// The page size of every file the store makes.
constexpr int kPageSize = 4096;

// What follows "CREATE TABLE <schema>." for each table; SQLite keeps "CREATE TABLE " and this
// text, without the schema, as the table's definition in the file.
std::string fieldsTableDefinition();
std::string rowsTableDefinition(const std::vector<FieldDef>& fields);
std::string blobsTableDefinition();

} // namespace zorvane::store::detail
