#include "core/store/table_definition.h"

#include "core/store/table_file.h"

namespace zorvane::store::detail {

namespace {

std::string sqlType(FieldKind kind) {
    switch (kind) {
    case FieldKind::Number:
        return "REAL";
    case FieldKind::Integer:
        return "INTEGER";
    case FieldKind::Text:
        return "TEXT";
    case FieldKind::Memo:
    case FieldKind::Graphic:
        return "BLOB";
    }
    return "TEXT";
}

} // namespace

std::string fieldsTableDefinition() {
    return "zv_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, kind TEXT NOT NULL, "
           "size INTEGER NOT NULL)";
}

std::string rowsTableDefinition(const std::vector<FieldDef>& fields) {
    std::string columns = "rid INTEGER PRIMARY KEY";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        columns += ", " + TableFile::column(i) + " " + sqlType(fields[i].kind);
    }
    return "zv_rows(" + columns + ")";
}

std::string blobsTableDefinition() {
    return "zv_blobs(rid INTEGER NOT NULL, pos INTEGER NOT NULL, data BLOB NOT NULL, "
           "PRIMARY KEY(rid, pos)) WITHOUT ROWID";
}

} // namespace zorvane::store::detail
