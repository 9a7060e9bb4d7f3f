#include "core/store/table_file.h"

#include "core/store/reader_pool.h"
#include "core/store/reference_snapshot.h"
#include "core/store/store_error.h"
#include "core/store/table_definition.h"
#include "core/store/workspace.h"
#include "core/text/ascii_case.h"
#include "core/text/system_error_text.h"

#include <dirent.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <unordered_map>

namespace zorvane::store::detail {

namespace fs = std::filesystem;

namespace {

bool hasBlobFields(const std::vector<FieldDef>& fields) {
    return std::any_of(fields.begin(), fields.end(),
                       [](const FieldDef& f) { return isBlobKind(f.kind); });
}

// The path of an existing entry of `directory` whose name equals `fileName` ignoring case. Asked
// at every table open, mostly for memo files that do not exist, so the directory is read with
// plain readdir and no path is made for an entry that does not match.
std::optional<fs::path> findIgnoringCase(const fs::path& directory, const std::string& fileName) {
    const fs::path exact = directory / fileName;
    struct stat status {};
    if (::stat(exact.c_str(), &status) == 0) {
        return exact;
    }
    DIR* entries = ::opendir(directory.c_str());
    if (!entries) {
        return std::nullopt;
    }
    std::optional<fs::path> found;
    while (const dirent* entry = ::readdir(entries)) {
        if (sameNameIgnoringCase(entry->d_name, fileName)) {
            found = directory / entry->d_name;
            break;
        }
    }
    ::closedir(entries);
    return found;
}

void removeIfPresent(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
}

// Why a file could not be written, in the user's words.
std::string writeProblem(const fs::path& file, const std::error_code& error) {
    std::error_code ignored;
    if (fs::is_directory(file, ignored) || error == std::errc::is_a_directory) {
        return "同名的目录占据了它的位置";
    }
    return text::systemErrorText(error);
}

void renameOver(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        throw StoreError("无法写入数据表文件“" + to.string() + "”：" + writeProblem(to, error));
    }
}

} // namespace

std::string normalizeTableName(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) {
        name.remove_prefix(1);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
        name.remove_suffix(1);
    }
    if (name.size() > 3 && sameNameIgnoringCase(name.substr(name.size() - 3), ".db")) {
        name.remove_suffix(3);
    }
    return std::string(name);
}

TableFiles locateTableFile(const fs::path& directory, std::string_view name) {
    const std::string base = normalizeTableName(name);
    TableFiles files{directory / (base + ".db"), directory / (base + ".mb")};
    if (const auto table = findIgnoringCase(directory, base + ".db")) {
        files.table = *table;
        files.blobs = table->parent_path() / (table->stem().string() + ".mb");
    }
    return files;
}

std::optional<fs::path> findBlobs(const TableFiles& files) {
    return findIgnoringCase(files.blobs.parent_path(), files.blobs.filename().string());
}

std::string fieldsSelect(const std::string& schema) {
    return "SELECT pos, name, kind, size FROM " + quoteIdentifier(schema) +
           ".zv_fields ORDER BY pos";
}

std::string rowsSelect(const std::string& schema, const std::string& whereSql,
                       const std::string& orderSql) {
    std::string sql = "SELECT * FROM " + quoteIdentifier(schema) + ".zv_rows";
    if (!whereSql.empty()) {
        sql += " WHERE " + whereSql;
    }
    return sql + " ORDER BY " + (orderSql.empty() ? std::string() : orderSql + ", ") + "rid";
}

TableFiles locateTable(const fs::path& directory, std::string_view name) {
    TableFiles files = locateTableFile(directory, name);
    files.blobs = findBlobs(files).value_or(files.blobs);
    return files;
}

void requireDirectory(const fs::path& directory) {
    std::error_code error;
    if (!fs::is_directory(directory, error)) {
        throw StoreError("找不到数据库目录“" + directory.string() + "”");
    }
}

std::string TableFile::column(std::size_t position) {
    return "c" + std::to_string(position);
}

namespace {

// The two tables of a table file in `schema`, emptied and made anew for `fields`.
void defineTable(Connection& connection, const std::string& schema,
                 const std::vector<FieldDef>& fields) {
    const std::string prefix = quoteIdentifier(schema) + ".";
    connection.exec("DROP TABLE IF EXISTS " + prefix + "zv_rows");
    connection.exec("DROP TABLE IF EXISTS " + prefix + "zv_fields");
    connection.exec("CREATE TABLE " + prefix + fieldsTableDefinition());
    Statement insert(connection, "INSERT INTO " + prefix + "zv_fields VALUES(?1, ?2, ?3, ?4)");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        insert.bind(1, Value(static_cast<std::int64_t>(i)));
        insert.bind(2, Value(fields[i].name));
        insert.bind(3, Value(std::string(kindName(fields[i].kind))));
        insert.bind(4, Value(fields[i].size));
        insert.step();
        insert.reset();
    }
    connection.exec("CREATE TABLE " + prefix + rowsTableDefinition(fields));
}

// The memo and graphic table in `schema`, emptied; made anew when the fields have such values.
void defineBlobs(Connection& connection, const std::string& schema, bool needed) {
    const std::string prefix = quoteIdentifier(schema) + ".";
    connection.exec("DROP TABLE IF EXISTS " + prefix + "zv_blobs");
    if (needed) {
        connection.exec("CREATE TABLE " + prefix + blobsTableDefinition());
    }
}

bool hasTable(const Connection& connection, const std::string& schema, const std::string& name) {
    Statement select(connection, "SELECT count(*) FROM " + quoteIdentifier(schema) +
                                     ".sqlite_master WHERE type = 'table' AND name = ?1");
    select.bind(1, Value(name));
    return select.step() && select.columnInt(0) > 0;
}

fs::path journalOf(const fs::path& file) {
    return file.string() + "-journal";
}

} // namespace

bool TableFile::emptiedInPlace(const TableFiles& files, const std::vector<FieldDef>& fields) {
    std::optional<TableFile> existing;
    try {
        existing.emplace(files, false);
    } catch (const StoreError&) {
        return false; // no usable table there yet: it is defined anew
    }
    if (existing->fields() != fields ||
        existing->hasBlobs_ != Workspace::attachmentOf(files.blobs).has_value()) {
        return false;
    }
    // The same fields: emptying the rows leaves the table as a new one would be, and keeps the
    // connection's schema, so its compiled statements stay valid.
    existing->beforeWrite();
    existing->connection_->exec("DELETE FROM " + existing->rowsTable());
    if (existing->hasBlobs_) {
        existing->connection_->exec("DELETE FROM " + existing->blobsTable());
    }
    return true;
}

void TableFile::create(const TableFiles& files, const std::vector<FieldDef>& fields) {
    requireDirectory(files.table.parent_path());
    if (fields.empty()) {
        throw StoreError("无法建立数据表“" + files.table.string() + "”：没有字段定义");
    }
    const bool blobs = hasBlobFields(fields);
    if (const auto table = Workspace::attachmentOf(files.table)) {
        const auto blobFile = Workspace::attachmentOf(files.blobs);
        if (blobs && !blobFile) {
            throw StoreError("无法建立数据表“" + files.table.string() + "”：没有它的备注文件");
        }
        Savepoint savepoint(*table->connection);
        if (!emptiedInPlace(files, fields)) {
            table->workspace->aboutToWrite(table->schema);
            defineTable(*table->connection, table->schema, fields);
            if (blobFile) {
                table->workspace->aboutToWrite(blobFile->schema);
                defineBlobs(*table->connection, blobFile->schema, blobs);
            }
        }
        savepoint.release();
        return;
    }
    if (snapshotHolds(files.table)) {
        throw StoreError("无法建立数据表“" + files.table.string() +
                         "”：在内存中计算的设计不写入数据库目录");
    }
    // Named for this process, so that two programs making the same table never share one.
    const std::string newSuffix = ".new-" + std::to_string(::getpid());
    const fs::path newTable = files.table.string() + newSuffix;
    const fs::path newBlobs = files.blobs.string() + newSuffix;
    removeIfPresent(newTable);
    removeIfPresent(newBlobs);
    {
        Connection connection(newTable, Connection::Mode::Create);
        Transaction transaction(connection);
        defineTable(connection, "main", fields);
        transaction.commit();
    }
    if (blobs) {
        Connection connection(newBlobs, Connection::Mode::Create);
        defineBlobs(connection, "main", true);
    }
    // A journal beside the old files belongs to them and must never be rolled into the new ones.
    removeIfPresent(journalOf(files.table));
    removeIfPresent(journalOf(files.blobs));
    renameOver(newTable, files.table);
    if (blobs) {
        renameOver(newBlobs, files.blobs);
    } else {
        removeIfPresent(files.blobs);
    }
}

TableFile::TableFile(const TableFiles& files, bool readOnly, std::vector<StoredRow>* rows)
    : files_(files), readOnly_(readOnly) {
    const FileInMessages about(files_.table);
    if (const auto attached = Workspace::attachmentOf(files.table)) {
        workspace_ = attached->workspace;
        connection_ = attached->connection;
        schema_ = attached->schema;
    } else if (auto reader = snapshotReader(files)) {
        // A design computed in memory reads reference tables as they were first read, and
        // writes none of them.
        ownConnection_ = std::move(reader);
        connection_ = ownConnection_.get();
        readOnly_ = true;
        fromSnapshot_ = true;
    } else {
        std::error_code error;
        const auto status = fs::status(files.table, error);
        if (!fs::is_regular_file(status)) {
            if (fs::is_directory(status)) {
                throw StoreError("数据表文件“" + files.table.string() +
                                 "”是一个目录，不是数据表文件");
            }
            requireDirectory(files.table.parent_path());
            throw StoreError("找不到数据表文件“" + files.table.string() + "”");
        }
        // A design computed in memory writes no file there, not even one its snapshot left.
        readOnly_ = readOnly_ || snapshotHolds(files.table);
        ownConnection_ =
            readOnly_ ? sharedReader(files.table, files.blobs)
                      : std::make_shared<Connection>(files.table, Connection::Mode::ReadWrite);
        connection_ = ownConnection_.get();
    }
    try {
        readLayout(rows);
    } catch (...) {
        // A connection that met a damaged file is not offered again.
        if (fromSnapshot_) {
            forgetSnapshotReader(files_.table);
        } else if (readOnly_ && !workspace_) {
            forgetSharedReader(files_.table);
        }
        throw;
    }
    if (workspace_) {
        workspace_->tableOpened();
    }
}

void TableFile::readLayout(std::vector<StoredRow>* rows) {
    // One read transaction for the layout and the rows, unless a memo file must be attached in
    // between: SQLite attaches no file inside a transaction.
    std::optional<ReadTransaction> read(std::in_place, *connection_);
    readFields();
    hasBlobs_ = hasBlobFields(fields_);
    if (hasBlobs_) {
        if (workspace_) {
            const auto blobs = Workspace::attachmentOf(files_.blobs);
            if (!blobs) {
                throw StoreError("找不到数据表的备注文件“" + files_.blobs.string() + "”");
            }
            blobSchema_ = blobs->schema;
        } else if (!connection_->hasSchema(blobSchema_)) {
            read.reset();
            if (const auto found = findBlobs(files_); found && *found != files_.blobs) {
                // The memo file's name differs in case from the table's; a kept connection
                // knows only the file of the table's own spelling, so this one reads alone.
                files_.blobs = *found;
                if (readOnly_) {
                    ownConnection_ =
                        std::make_shared<Connection>(files_.table, Connection::Mode::ReadOnly);
                    connection_ = ownConnection_.get();
                }
            }
            std::error_code error;
            const auto status = fs::status(files_.blobs, error);
            if (fs::is_directory(status)) {
                throw StoreError("数据表的备注文件“" + files_.blobs.string() +
                                 "”是一个目录，不是备注文件");
            }
            if (!fs::is_regular_file(status)) {
                throw StoreError("找不到数据表的备注文件“" + files_.blobs.string() + "”");
            }
            connection_->attach(files_.blobs, blobSchema_, readOnly_);
        }
        if (!hasTable(*connection_, blobSchema_, "zv_blobs")) {
            throw StoreError("数据表的备注文件“" + files_.blobs.string() + "”不是可用的备注文件");
        }
    }
    if (rows) {
        *rows = load({}, {}, {}, false);
    }
}

bool TableFile::holdsTable() const {
    return hasTable(*connection_, schema_, "zv_fields") &&
           hasTable(*connection_, schema_, "zv_rows");
}

TableFile::~TableFile() {
    if (workspace_) {
        workspace_->tableClosed();
    }
}

std::string TableFile::rowsTable() const {
    return quoteIdentifier(schema_) + ".zv_rows";
}

std::string TableFile::blobsTable() const {
    return quoteIdentifier(blobSchema_) + ".zv_blobs";
}

void TableFile::beforeWrite() {
    if (workspace_) {
        workspace_->aboutToWrite(schema_);
        if (hasBlobs_) {
            workspace_->aboutToWrite(blobSchema_);
        }
    }
}

void TableFile::readFields() {
    // A file without the two tables of a table file is not one of them.
    const auto compiled = [&](const std::string& sql) {
        try {
            return std::make_unique<Statement>(*connection_, sql);
        } catch (const StoreError&) {
            if (!connection_->lastFailureIsMissingTable()) {
                throw;
            }
            throw StoreError("数据表文件“" + files_.table.string() +
                             "”不是可用的数据表：没有字段定义");
        }
    };
    const auto select = compiled(fieldsSelect(schema_));
    while (select->step()) {
        const auto kind = kindFromName(select->columnText(2));
        if (!kind || select->columnInt(0) != static_cast<long long>(fields_.size())) {
            connection_->fail("字段定义不完整");
        }
        fields_.push_back({select->columnText(1), *kind, static_cast<int>(select->columnInt(3))});
    }
    if (fields_.empty()) {
        connection_->fail("行表的列与字段定义不符");
    }
    // The statement that reads the rows, compiled here once and kept, shows the rows table's
    // columns. It runs first: a kept statement is compiled anew for a changed schema only then.
    const auto rows = compiled(rowsSelect(schema_, {}, {}));
    rows->step();
    requireRowColumns(*rows);
}

void TableFile::requireRowColumns(const Statement& rows) const {
    const int count = rows.columnCount();
    bool match = count == static_cast<int>(fields_.size()) + 1 && rows.columnName(0) == "rid";
    for (int i = 1; match && i < count; ++i) {
        match = rows.columnName(i) == column(static_cast<std::size_t>(i - 1));
    }
    if (!match) {
        connection_->fail("行表的列与字段定义不符");
    }
}

std::vector<StoredRow> TableFile::load(const std::string& whereSql, const std::vector<Value>& binds,
                                       const std::string& orderSql, bool withBlobs) const {
    const FileInMessages about(files_.table);

    ReadTransaction read(*connection_);
    std::vector<StoredRow> rows;
    std::unordered_map<std::int64_t, std::size_t> indexById;
    Statement select(*connection_, rowsSelect(schema_, whereSql, orderSql));
    for (std::size_t i = 0; i < binds.size(); ++i) {
        select.bind(static_cast<int>(i + 1), binds[i]);
    }
    // Columns are checked after the first step: a kept statement is compiled anew for a changed
    // schema only when it runs.
    while (select.step()) {
        if (rows.empty()) {
            requireRowColumns(select);
        }
        StoredRow row{select.columnInt(0), Row(fields_.size())};
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (!isBlobKind(fields_[i].kind)) {
                row.values[i] = select.columnValue(static_cast<int>(i + 1), fields_[i].kind);
            }
        }
        indexById.emplace(row.id, rows.size());
        rows.push_back(std::move(row));
    }
    if (withBlobs && hasBlobs_ && !rows.empty()) {
        Statement blobs(*connection_, "SELECT rid, pos, data FROM " + blobsTable());
        while (blobs.step()) {
            const auto found = indexById.find(blobs.columnInt(0));
            const auto pos = static_cast<std::size_t>(blobs.columnInt(1));
            if (found != indexById.end() && pos < fields_.size() && isBlobKind(fields_[pos].kind)) {
                rows[found->second].values[pos] = blobs.columnValue(2, fields_[pos].kind);
            }
        }
    }
    return rows;
}

void TableFile::loadBlobs(std::int64_t id, Row& values) const {
    const FileInMessages about(files_.table);
    if (!hasBlobs_) {
        return;
    }
    Statement blobs(*connection_, "SELECT pos, data FROM " + blobsTable() + " WHERE rid = ?1");
    blobs.bind(1, Value(id));
    while (blobs.step()) {
        const auto pos = static_cast<std::size_t>(blobs.columnInt(0));
        if (pos < fields_.size() && isBlobKind(fields_[pos].kind)) {
            values[pos] = blobs.columnValue(1, fields_[pos].kind);
        }
    }
}

std::int64_t TableFile::insert(const Row& values) {
    const FileInMessages about(files_.table);
    std::string sql = "INSERT INTO " + rowsTable() + "(";
    std::string params;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        sql += (i ? ", " : "") + column(i);
        params += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    sql += ") VALUES(" + params + ")";
    Savepoint savepoint(*connection_);
    beforeWrite();
    Statement insert(*connection_, sql);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        insert.bind(static_cast<int>(i + 1), isBlobKind(fields_[i].kind) ? Value() : values[i]);
    }
    insert.step();
    const std::int64_t id = sqlite3_last_insert_rowid(connection_->get());
    writeBlobs(id, values);
    savepoint.release();
    return id;
}

void TableFile::update(std::int64_t id, const Row& values) {
    const FileInMessages about(files_.table);
    std::string sql = "UPDATE " + rowsTable() + " SET ";
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        sql += (i ? ", " : "") + column(i) + " = ?" + std::to_string(i + 1);
    }
    sql += " WHERE rid = ?" + std::to_string(fields_.size() + 1);
    Savepoint savepoint(*connection_);
    beforeWrite();
    Statement update(*connection_, sql);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        update.bind(static_cast<int>(i + 1), isBlobKind(fields_[i].kind) ? Value() : values[i]);
    }
    update.bind(static_cast<int>(fields_.size() + 1), Value(id));
    update.step();
    writeBlobs(id, values);
    savepoint.release();
}

void TableFile::remove(const std::vector<std::int64_t>& ids) {
    const FileInMessages about(files_.table);
    Savepoint savepoint(*connection_);
    beforeWrite();
    Statement rows(*connection_, "DELETE FROM " + rowsTable() + " WHERE rid = ?1");
    std::unique_ptr<Statement> blobs;
    if (hasBlobs_) {
        blobs = std::make_unique<Statement>(*connection_,
                                            "DELETE FROM " + blobsTable() + " WHERE rid = ?1");
    }
    for (const auto id : ids) {
        rows.bind(1, Value(id));
        rows.step();
        rows.reset();
        if (blobs) {
            blobs->bind(1, Value(id));
            blobs->step();
            blobs->reset();
        }
    }
    savepoint.release();
}

void TableFile::writeBlobs(std::int64_t id, const Row& values) {
    if (!hasBlobs_) {
        return;
    }
    Statement clear(*connection_, "DELETE FROM " + blobsTable() + " WHERE rid = ?1");
    clear.bind(1, Value(id));
    clear.step();
    Statement insert(*connection_, "INSERT INTO " + blobsTable() + " VALUES(?1, ?2, ?3)");
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (isBlobKind(fields_[i].kind) && !values[i].isNull()) {
            insert.bind(1, Value(id));
            insert.bind(2, Value(static_cast<std::int64_t>(i)));
            insert.bind(3, Value(values[i].asBytes()));
            insert.step();
            insert.reset();
        }
    }
}

} // namespace zorvane::store::detail
