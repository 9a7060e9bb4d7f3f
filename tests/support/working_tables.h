#pragma once
// The rows of a working table as texts, for comparing whole tables in tests.

#include "core/store/table.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace zorvane::testing {

using Rows = std::vector<std::vector<std::string>>;

inline Rows rowsOf(store::Table& table, std::initializer_list<const char*> fields) {
    Rows rows;
    for (table.first(); !table.eof(); table.next()) {
        std::vector<std::string> row;
        for (const char* field : fields) {
            row.push_back(table.text(field));
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace zorvane::testing
