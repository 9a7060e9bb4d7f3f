#include "core/records/table_writing.h"

#include "core/text/ascii_case.h"

namespace zorvane::records {

int deleteFromItem(store::Table& table, std::string_view field, std::string_view item) {
    const int column = table.fieldIndex(field);
    for (table.first(); !table.eof(); table.next()) {
        if (text::equalIgnoringAsciiCase(table.text(column), item)) {
            const int count = table.recordCount() - table.recNo();
            table.deleteRows(count);
            return count;
        }
    }
    return 0;
}

} // namespace zorvane::records
