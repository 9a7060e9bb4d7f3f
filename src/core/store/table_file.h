#pragma once
// The files of one table: `<name>.db` holds the field definitions and the rows, `<name>.mb` the
// memo and graphic values (only for tables that have such fields). Used by Table and Query.

#include "core/store/field.h"
#include "core/store/sqlite_handle.h"
#include "core/text/ascii_case.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::store {
class Workspace;
}

namespace zorvane::store::detail {

// A table name without blanks and without an optional ".db" ending.
std::string normalizeTableName(std::string_view name);

inline bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    return text::equalIgnoringAsciiCase(a, b);
}

struct TableFiles {
    std::filesystem::path table; // <name>.db
    std::filesystem::path blobs; // <name>.mb
};

// The files of the table `name` in `directory`. Names ignore case: an existing file whose name
// differs only in case is the table's file; otherwise the paths are spelt as `name` is.
TableFiles locateTable(const std::filesystem::path& directory, std::string_view name);
// The same, but the memo file is spelt as the table file is, without looking for it: opening a
// table looks for it only when the table has memo or graphic fields (findBlobs).
TableFiles locateTableFile(const std::filesystem::path& directory, std::string_view name);
// The existing memo file of `files` whose name equals theirs ignoring case, if any.
std::optional<std::filesystem::path> findBlobs(const TableFiles& files);

// The statements an open runs on a table file attached as `schema`: its field list, and its rows
// (all columns, filtered and sorted by SQL fragments over the columns).
std::string fieldsSelect(const std::string& schema);
std::string rowsSelect(const std::string& schema, const std::string& whereSql,
                       const std::string& orderSql);

// Throws StoreError naming the directory when it does not exist.
void requireDirectory(const std::filesystem::path& directory);

struct StoredRow {
    std::int64_t id;
    Row values;
};

// The files of one table, read and written through SQL on a connection: its own one, or that of
// the open workspace the files belong to (then every write joins the workspace's step).
class TableFile {
public:
    // Replaces any table of these files with an empty one of the given fields. Files of an open
    // workspace are emptied and redefined inside its step. Other files are written anew beside
    // the old ones and renamed over them, so the old table stays whole until the new one is
    // complete, and no journal of the old file is left to be rolled into the new one.
    static void create(const TableFiles& files, const std::vector<FieldDef>& fields);

    // With `rows`, also reads the rows (memo and graphic values left null) together with the
    // field definitions, as one read of the file.
    TableFile(const TableFiles& files, bool readOnly, std::vector<StoredRow>* rows = nullptr);
    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    // The workspace whose connection this file uses, or null.
    Workspace* workspace() const { return workspace_; }
    bool readOnly() const { return readOnly_; }

    const std::vector<FieldDef>& fields() const { return fields_; }
    const TableFiles& files() const { return files_; }

    // Column name of the field at `position` inside the table file.
    static std::string column(std::size_t position);

    bool hasBlobs() const { return hasBlobs_; }
    // Whether the file still holds the table's two tables (a rolled-back step may have taken them).
    bool holdsTable() const;

    // Rows in table order, or filtered and sorted by SQL fragments over the columns. Without
    // `withBlobs` the memo and graphic values stay null; loadBlobs reads them per row.
    std::vector<StoredRow> load(const std::string& whereSql = {},
                                const std::vector<Value>& binds = {},
                                const std::string& orderSql = {}, bool withBlobs = true) const;
    void loadBlobs(std::int64_t id, Row& values) const;

    // Each of these is one transaction over the table file and its blob file.
    std::int64_t insert(const Row& values);
    void update(std::int64_t id, const Row& values);
    void remove(const std::vector<std::int64_t>& ids);

private:
    // Empties the table of workspace files that already hold these fields, instead of defining
    // it anew; false when they hold no usable table or other fields.
    static bool emptiedInPlace(const TableFiles& files, const std::vector<FieldDef>& fields);
    // Reads the field definitions, checks that the files hold a usable table, and reads the rows
    // into `rows` when given.
    void readLayout(std::vector<StoredRow>* rows);
    void readFields();
    // Fails unless the statement's columns are the row id and one column per field, in order.
    void requireRowColumns(const Statement& rows) const;
    void writeBlobs(std::int64_t id, const Row& values);
    void beforeWrite();
    std::string rowsTable() const;
    std::string blobsTable() const;

    TableFiles files_;
    bool readOnly_;
    bool hasBlobs_ = false;
    std::shared_ptr<Connection> ownConnection_; // null for files of a workspace
    Connection* connection_ = nullptr;
    Workspace* workspace_ = nullptr;
    bool fromSnapshot_ = false; // read from a reference snapshot (reference_snapshot.h)
    std::string schema_ = "main";
    std::string blobSchema_ = "mb";
    std::vector<FieldDef> fields_;
};

} // namespace zorvane::store::detail
