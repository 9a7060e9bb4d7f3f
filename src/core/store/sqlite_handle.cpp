#include "core/store/sqlite_handle.h"

#include "core/store/store_error.h"

#include <sqlite3.h>

namespace zorvane::store::detail {

namespace {

// A file path as an SQLite URI, so that a read-only attachment can say mode=ro.
std::string fileUri(const std::filesystem::path& file, const char* mode) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (unsigned char c : file.string()) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0x0F];
        }
    }
    return uri + "?mode=" + mode;
}

// The SQLite name after `prefix` in `message` ("no such table: zv_fields" gives zv_fields).
std::string nameAfter(const std::string& message, const std::string& prefix) {
    const auto at = message.find(prefix);
    return at == std::string::npos ? std::string() : message.substr(at + prefix.size());
}

} // namespace

std::string sqliteProblem(const std::filesystem::path& file, int code, const std::string& message) {
    std::error_code error;
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
        return "不是数据表文件（内容不是可读的表格式）";
    case SQLITE_CORRUPT:
        return "文件已损坏";
    case SQLITE_CANTOPEN:
        if (std::filesystem::is_directory(file, error)) {
            return "是一个目录，不是数据表文件";
        }
        if (!std::filesystem::exists(file, error)) {
            return "文件不存在";
        }
        return "无法打开文件（没有访问权限或文件所在的目录不可用）";
    case SQLITE_READONLY:
        return "文件是只读的，无法写入";
    case SQLITE_FULL:
        return "磁盘已满，无法写入";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "文件正被其他程序使用";
    case SQLITE_IOERR:
        if (std::filesystem::is_directory(file, error)) {
            return "是一个目录，不是数据表文件";
        }
        return "读写文件时发生输入输出错误";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "没有访问权限";
    case SQLITE_NOMEM:
        return "内存不足";
    case SQLITE_TOOBIG:
        return "其中的数据过大";
    case SQLITE_CONSTRAINT:
        return "其中的数据不符合表的约束";
    case SQLITE_ERROR:
        if (const auto table = nameAfter(message, "no such table: "); !table.empty()) {
            return "缺少内部表“" + table + "”，不是可用的数据表";
        }
        if (const auto column = nameAfter(message, "no such column: "); !column.empty()) {
            return "缺少列“" + column + "”，与它的字段定义不符";
        }
        return "内容与数据表的结构不符";
    default:
        return "数据库引擎报告了错误（代码 " + std::to_string(code) + "）";
    }
}

namespace {
// Set once, before the first connection. A design opens many small table files: a connection's
// page cache grows as pages are read, instead of each connection and attached file clearing a
// block of twenty pages up front, and no connection sets up lookaside memory. No memory
// statistics are kept, which would take a lock around every allocation.
void configureEngine() {
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
        sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}
} // namespace

Connection::Connection(const std::filesystem::path& file, Mode mode) : file_(file), mode_(mode) {
    configureEngine();
    int flags = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadOnly:
    case Mode::Unchanging:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    // A file that does not change while open is read without locks or checks for changes.
    const std::string name =
        mode == Mode::Unchanging ? fileUri(file, "ro") + "&immutable=1" : file.string();
    const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const int code = db_ ? sqlite3_extended_errcode(db_) : rc;
        const std::string detail = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError("无法打开数据表文件“" + file.string() + "”：" +
                         sqliteProblem(file, code, detail));
    }
    sqlite3_busy_timeout(db_, 2000);
    sqlite3_extended_result_codes(db_, 1);
    if (mode == Mode::ReadWrite || mode == Mode::Create) {
        // The default rollback journal keeps the whole state of a table in its own files, and a
        // commit across the table file and its blob file stays atomic.
        exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA synchronous=NORMAL");
    }
}

Connection::~Connection() {
    forgetStatements();
    sqlite3_close_v2(db_);
}

namespace {
// Statements kept per connection; a table's own few and a design's repeated writes fit easily,
// while queries built from changing conditions do not pile up without end.
constexpr std::size_t kKeptStatements = 96;
} // namespace

sqlite3_stmt* Connection::take(const std::string& sql) const {
    if (const auto kept = idle_.find(sql); kept != idle_.end()) {
        sqlite3_stmt* statement = kept->second;
        idle_.erase(kept);
        return statement;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        failLast();
    }
    return statement;
}

void Connection::giveBack(sqlite3_stmt* statement) const {
    if (!statement) {
        return;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    // Kept until the store is full; a second statement of the same text, used at the same time
    // as the first, is not kept.
    if (idle_.size() >= kKeptStatements ||
        !idle_.emplace(sqlite3_sql(statement), statement).second) {
        sqlite3_finalize(statement);
    }
}

void Connection::forgetStatements() const {
    for (auto& [sql, statement] : idle_) {
        sqlite3_finalize(statement);
    }
    idle_.clear();
}

void Connection::attach(const std::filesystem::path& file, const std::string& schema, bool readOnly,
                        bool create) {
    Statement attach(*this, "ATTACH DATABASE ?1 AS " + quoteIdentifier(schema));
    std::string uri = fileUri(file, readOnly ? "ro" : create ? "rwc" : "rw");
    if (readOnly && mode_ == Mode::Unchanging) {
        uri += "&immutable=1";
    }
    attach.bind(1, Value(uri));
    try {
        attach.step();
    } catch (const StoreError&) {
        throw StoreError("无法打开数据表的备注文件“" + file.string() + "”：" +
                         sqliteProblem(file, sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)));
    }
}

void Connection::exec(const std::string& sql) {
    Statement statement(*this, sql);
    while (statement.step()) {
    }
}

bool Connection::lastFailureIsMissingTable() const {
    return std::string_view(sqlite3_errmsg(db_)).starts_with("no such table");
}

bool Connection::hasSchema(const std::string& schema) const {
    return sqlite3_db_filename(db_, schema.c_str()) != nullptr;
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

namespace {
thread_local const std::filesystem::path* fileInMessages = nullptr;

const std::filesystem::path& namedFile(const std::filesystem::path& own) {
    return fileInMessages ? *fileInMessages : own;
}
} // namespace

FileInMessages::FileInMessages(const std::filesystem::path& file) : previous_(fileInMessages) {
    fileInMessages = &file;
}

FileInMessages::~FileInMessages() {
    fileInMessages = previous_;
}

void Connection::fail(const std::string& what) const {
    throw StoreError("数据表文件“" + namedFile(file_).string() + "”无法读写：" + what);
}

void Connection::failLast() const {
    // A shared connection's failure names the table file being worked on (FileInMessages).
    fail(sqliteProblem(namedFile(file_), sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)));
}

Statement::Statement(const Connection& connection, const std::string& sql)
    : connection_(connection), stmt_(connection.take(sql)) {}

Statement::~Statement() {
    connection_.giveBack(stmt_);
}

void Statement::bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else if (value.isText()) {
        rc = sqlite3_bind_text(stmt_, index, value.text().data(),
                               static_cast<int>(value.text().size()), SQLITE_TRANSIENT);
    } else if (value.isNumber()) {
        rc = sqlite3_bind_double(stmt_, index, value.number());
    } else if (value.isInteger()) {
        rc = sqlite3_bind_int64(stmt_, index, value.integer());
    } else if (value.bytes().empty()) {
        // An empty picture or memo is a value, not a null.
        rc = sqlite3_bind_zeroblob(stmt_, index, 0);
    } else {
        rc = sqlite3_bind_blob(stmt_, index, value.bytes().data(),
                               static_cast<int>(value.bytes().size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) {
        connection_.failLast();
    }
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    connection_.failLast();
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Statement::columnName(int column) const {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

bool Statement::columnIsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string Statement::columnText(int column) const {
    const auto* text = sqlite3_column_text(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                : std::string();
}

double Statement::columnDouble(int column) const {
    return sqlite3_column_double(stmt_, column);
}

long long Statement::columnInt(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

Bytes Statement::columnBytes(int column) const {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return data ? Bytes(data, data + size) : Bytes();
}

Value Statement::columnValue(int column, FieldKind kind) const {
    if (columnIsNull(column)) {
        return {};
    }
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        return Value(columnText(column));
    case FieldKind::Number:
        return Value(columnDouble(column));
    case FieldKind::Integer:
        return Value(static_cast<std::int64_t>(columnInt(column)));
    case FieldKind::Graphic:
        return Value(columnBytes(column));
    }
    return {};
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) {
        sqlite3_exec(connection_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::commit() {
    connection_.exec("COMMIT");
    done_ = true;
}

Savepoint::Savepoint(Connection& connection) : connection_(connection) {
    connection_.exec("SAVEPOINT zv_write");
}

Savepoint::~Savepoint() {
    if (!done_) {
        sqlite3_exec(connection_.get(), "ROLLBACK TO zv_write; RELEASE zv_write", nullptr, nullptr,
                     nullptr);
    }
}

void Savepoint::release() {
    connection_.exec("RELEASE zv_write");
    done_ = true;
}

ReadTransaction::ReadTransaction(const Connection& connection) : connection_(connection) {
    if (connection_.inTransaction()) {
        return;
    }
    if (sqlite3_exec(connection_.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        connection_.failLast();
    }
    began_ = true;
}

ReadTransaction::~ReadTransaction() {
    if (began_) {
        sqlite3_exec(connection_.get(), "COMMIT", nullptr, nullptr, nullptr);
    }
}

std::string quoteIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

} // namespace zorvane::store::detail
