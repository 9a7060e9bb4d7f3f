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

} // namespace

Connection::Connection(const std::filesystem::path& file, Mode mode) : file_(file) {
    int flags = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const int rc = sqlite3_open_v2(file.string().c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string detail = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError("无法打开数据表文件“" + file.string() + "”：" + detail);
    }
    sqlite3_busy_timeout(db_, 2000);
    sqlite3_extended_result_codes(db_, 1);
    if (mode != Mode::ReadOnly) {
        // The default rollback journal keeps the whole state of a table in its own files, and a
        // commit across the table file and its blob file stays atomic.
        exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA synchronous=NORMAL");
    }
}

Connection::~Connection() {
    sqlite3_close_v2(db_);
}

void Connection::attach(const std::filesystem::path& file, const std::string& schema, bool readOnly,
                        bool create) {
    Statement attach(*this, "ATTACH DATABASE ?1 AS " + quoteIdentifier(schema));
    attach.bind(1, Value(fileUri(file, readOnly ? "ro" : create ? "rwc" : "rw")));
    try {
        attach.step();
    } catch (const StoreError&) {
        throw StoreError("无法打开数据表的备注文件“" + file.string() + "”：" + sqlite3_errmsg(db_));
    }
}

void Connection::exec(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string detail = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        fail(detail);
    }
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

namespace {
thread_local const std::filesystem::path* fileInMessages = nullptr;
}

FileInMessages::FileInMessages(const std::filesystem::path& file) : previous_(fileInMessages) {
    fileInMessages = &file;
}

FileInMessages::~FileInMessages() {
    fileInMessages = previous_;
}

void Connection::fail(const std::string& what) const {
    const std::filesystem::path& file = fileInMessages ? *fileInMessages : file_;
    throw StoreError("数据表文件“" + file.string() + "”无法读写（可能已损坏）：" + what);
}

Statement::Statement(const Connection& connection, const std::string& sql)
    : connection_(connection) {
    if (sqlite3_prepare_v2(connection.get(), sql.c_str(), static_cast<int>(sql.size()), &stmt_,
                           nullptr) != SQLITE_OK) {
        connection.fail(sqlite3_errmsg(connection.get()));
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
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
        connection_.fail(sqlite3_errmsg(connection_.get()));
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
    connection_.fail(sqlite3_errmsg(connection_.get()));
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
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
        connection_.fail(sqlite3_errmsg(connection_.get()));
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
