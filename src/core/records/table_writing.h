#pragma once
// The writing rhythm of the working tables: between operations a working table is open and
// read-only; a write lifts read-only, writes, posts and sets read-only again, the table staying
// open. Each post inside is kept whole, so a failure leaves no half row; the table is put back
// into its resting state before the error travels on.

#include "core/store/table.h"

#include <utility>

namespace zorvane::records {

inline void reopenWritable(store::Table& table) {
    table.setReadOnly(false);
    if (!table.isOpen()) {
        table.open();
    }
}

// Back to rest: read-only, open, the cursor on the first row as a fresh open leaves it.
inline void reopenReadOnly(store::Table& table) {
    table.setReadOnly(true);
    if (table.isOpen()) {
        table.first();
    } else {
        table.open();
    }
}

template <class Write> void writeTable(store::Table& table, Write&& write) {
    reopenWritable(table);
    try {
        std::forward<Write>(write)(table);
    } catch (...) {
        table.cancel();
        table.setReadOnly(true);
        throw;
    }
    reopenReadOnly(table);
}

// Deletes the first row whose field `field` equals `item` (Latin letters without regard to case)
// and every row after it; nothing when no row matches. Returns the rows deleted.
int deleteFromItem(store::Table& table, std::string_view field, std::string_view item);

} // namespace zorvane::records
