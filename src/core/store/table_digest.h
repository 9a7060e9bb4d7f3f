#pragma once
// The fingerprint of a table's contents: its row count and the SHA-256 of a canonical form of its
// field definitions and of every row's values in table order, memo and graphic values included.
// The form depends on the values alone, not on how the file stores them, so the database build
// and a design reading the installed table compute the same digest.

#include "core/store/dataset.h"

#include <cstdint>
#include <string>

namespace zorvane::store {

struct TableDigest {
    std::int64_t rows = 0;
    std::string sha256; // 64 lowercase hex digits

    bool operator==(const TableDigest&) const = default;
};

// Of an open dataset; reads every row's memo and graphic values.
TableDigest digestOf(const Dataset& data);

} // namespace zorvane::store
