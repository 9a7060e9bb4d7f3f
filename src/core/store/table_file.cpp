#include "core/store/table_file.h"

#include "core/store/store_error.h"
#include "core/text/ascii_case.h"

#include <sqlite3.h>

#include <algorithm>
#include <system_error>
#include <unordered_map>

namespace zorvane::store::detail {

namespace fs = std::filesystem;

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

bool hasBlobFields(const std::vector<FieldDef>& fields) {
    return std::any_of(fields.begin(), fields.end(),
                       [](const FieldDef& f) { return isBlobKind(f.kind); });
}

// The path of an existing entry of `directory` whose name equals `fileName` ignoring case.
std::optional<fs::path> findIgnoringCase(const fs::path& directory, const std::string& fileName) {
    std::error_code error;
    if (fs::exists(directory / fileName, error)) {
        return directory / fileName;
    }
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (sameNameIgnoringCase(it->path().filename().string(), fileName)) {
            return it->path();
        }
    }
    return std::nullopt;
}

void removeIfPresent(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
}

void renameOver(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        throw StoreError("无法写入数据表文件“" + to.string() + "”：" + error.message());
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

TableFiles locateTable(const fs::path& directory, std::string_view name) {
    const std::string base = normalizeTableName(name);
    TableFiles files{directory / (base + ".db"), directory / (base + ".mb")};
    if (const auto table = findIgnoringCase(directory, base + ".db")) {
        files.table = *table;
        files.blobs = table->parent_path() / (table->stem().string() + ".mb");
    }
    if (const auto blobs = findIgnoringCase(directory, files.blobs.filename().string())) {
        files.blobs = *blobs;
    }
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

void TableFile::create(const TableFiles& files, const std::vector<FieldDef>& fields) {
    requireDirectory(files.table.parent_path());
    if (fields.empty()) {
        throw StoreError("无法建立数据表“" + files.table.string() + "”：没有字段定义");
    }
    const fs::path newTable = files.table.string() + ".new";
    const fs::path newBlobs = files.blobs.string() + ".new";
    removeIfPresent(newTable);
    removeIfPresent(newBlobs);
    const bool blobs = hasBlobFields(fields);
    {
        Connection connection(newTable, Connection::Mode::Create);
        Transaction transaction(connection);
        connection.exec("CREATE TABLE zv_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                        "kind TEXT NOT NULL, size INTEGER NOT NULL)");
        Statement insert(connection, "INSERT INTO zv_fields VALUES(?1, ?2, ?3, ?4)");
        std::string columns = "rid INTEGER PRIMARY KEY";
        for (std::size_t i = 0; i < fields.size(); ++i) {
            insert.bind(1, Value(static_cast<std::int64_t>(i)));
            insert.bind(2, Value(fields[i].name));
            insert.bind(3, Value(std::string(kindName(fields[i].kind))));
            insert.bind(4, Value(fields[i].size));
            insert.step();
            insert.reset();
            columns += ", " + column(i) + " " + sqlType(fields[i].kind);
        }
        connection.exec("CREATE TABLE zv_rows(" + columns + ")");
        transaction.commit();
    }
    if (blobs) {
        Connection connection(newBlobs, Connection::Mode::Create);
        connection.exec("CREATE TABLE zv_blobs(rid INTEGER NOT NULL, pos INTEGER NOT NULL, "
                        "data BLOB NOT NULL, PRIMARY KEY(rid, pos)) WITHOUT ROWID");
    }
    renameOver(newTable, files.table);
    if (blobs) {
        renameOver(newBlobs, files.blobs);
    } else {
        removeIfPresent(files.blobs);
    }
}

TableFile::TableFile(const TableFiles& files, bool readOnly) : files_(files), readOnly_(readOnly) {
    requireDirectory(files.table.parent_path());
    std::error_code error;
    if (!fs::is_regular_file(files.table, error)) {
        throw StoreError("找不到数据表文件“" + files.table.string() + "”");
    }
    connection_ = std::make_unique<Connection>(files.table, readOnly ? Connection::Mode::ReadOnly
                                                                     : Connection::Mode::ReadWrite);
    {
        // One read transaction for the whole check instead of one per statement.
        ReadTransaction read(*connection_);
        readFields();
    }
    hasBlobs_ = hasBlobFields(fields_);
    if (hasBlobs_) {
        if (!fs::is_regular_file(files.blobs, error)) {
            throw StoreError("找不到数据表的备注文件“" + files.blobs.string() + "”");
        }
        connection_->attach(files.blobs, "mb", readOnly);
        Statement check(*connection_, "SELECT rid FROM mb.zv_blobs LIMIT 1");
        check.step();
    }
}

void TableFile::readFields() {
    Statement select(*connection_, "SELECT pos, name, kind, size FROM zv_fields ORDER BY pos");
    while (select.step()) {
        const auto kind = kindFromName(select.columnText(2));
        if (!kind || select.columnInt(0) != static_cast<long long>(fields_.size())) {
            connection_->fail("字段定义不完整");
        }
        fields_.push_back({select.columnText(1), *kind, static_cast<int>(select.columnInt(3))});
    }
    Statement info(*connection_, "PRAGMA table_info(zv_rows)");
    std::size_t columns = 0;
    while (info.step()) {
        const std::string expected = columns == 0 ? "rid" : column(columns - 1);
        if (info.columnText(1) != expected) {
            connection_->fail("行表的列与字段定义不符");
        }
        ++columns;
    }
    if (fields_.empty() || columns != fields_.size() + 1) {
        connection_->fail("行表的列与字段定义不符");
    }
}

std::vector<StoredRow> TableFile::load(const std::string& whereSql, const std::vector<Value>& binds,
                                       const std::string& orderSql, bool withBlobs) const {
    std::string sql = "SELECT rid";
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        sql += ", " + column(i);
    }
    sql += " FROM zv_rows";
    if (!whereSql.empty()) {
        sql += " WHERE " + whereSql;
    }
    sql += " ORDER BY " + (orderSql.empty() ? std::string() : orderSql + ", ") + "rid";

    ReadTransaction read(*connection_);
    std::vector<StoredRow> rows;
    std::unordered_map<std::int64_t, std::size_t> indexById;
    Statement select(*connection_, sql);
    for (std::size_t i = 0; i < binds.size(); ++i) {
        select.bind(static_cast<int>(i + 1), binds[i]);
    }
    while (select.step()) {
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
        Statement blobs(*connection_, "SELECT rid, pos, data FROM mb.zv_blobs");
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
    if (!hasBlobs_) {
        return;
    }
    Statement blobs(*connection_, "SELECT pos, data FROM mb.zv_blobs WHERE rid = ?1");
    blobs.bind(1, Value(id));
    while (blobs.step()) {
        const auto pos = static_cast<std::size_t>(blobs.columnInt(0));
        if (pos < fields_.size() && isBlobKind(fields_[pos].kind)) {
            values[pos] = blobs.columnValue(1, fields_[pos].kind);
        }
    }
}

std::int64_t TableFile::insert(const Row& values) {
    std::string sql = "INSERT INTO zv_rows(";
    std::string params;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        sql += (i ? ", " : "") + column(i);
        params += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    sql += ") VALUES(" + params + ")";
    Transaction transaction(*connection_);
    Statement insert(*connection_, sql);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        insert.bind(static_cast<int>(i + 1), isBlobKind(fields_[i].kind) ? Value() : values[i]);
    }
    insert.step();
    const std::int64_t id = sqlite3_last_insert_rowid(connection_->get());
    writeBlobs(id, values);
    transaction.commit();
    return id;
}

void TableFile::update(std::int64_t id, const Row& values) {
    std::string sql = "UPDATE zv_rows SET ";
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        sql += (i ? ", " : "") + column(i) + " = ?" + std::to_string(i + 1);
    }
    sql += " WHERE rid = ?" + std::to_string(fields_.size() + 1);
    Transaction transaction(*connection_);
    Statement update(*connection_, sql);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        update.bind(static_cast<int>(i + 1), isBlobKind(fields_[i].kind) ? Value() : values[i]);
    }
    update.bind(static_cast<int>(fields_.size() + 1), Value(id));
    update.step();
    writeBlobs(id, values);
    transaction.commit();
}

void TableFile::remove(const std::vector<std::int64_t>& ids) {
    Transaction transaction(*connection_);
    Statement rows(*connection_, "DELETE FROM zv_rows WHERE rid = ?1");
    std::unique_ptr<Statement> blobs;
    if (hasBlobs_) {
        blobs = std::make_unique<Statement>(*connection_, "DELETE FROM mb.zv_blobs WHERE rid = ?1");
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
    transaction.commit();
}

void TableFile::writeBlobs(std::int64_t id, const Row& values) {
    if (!hasBlobs_) {
        return;
    }
    Statement clear(*connection_, "DELETE FROM mb.zv_blobs WHERE rid = ?1");
    clear.bind(1, Value(id));
    clear.step();
    Statement insert(*connection_, "INSERT INTO mb.zv_blobs VALUES(?1, ?2, ?3)");
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
