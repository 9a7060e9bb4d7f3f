#include "core/store/sqlite_handle.h"

#include "core/store/store_error.h"
#include "core/store/table_definition.h"
#include "core/text/system_error_text.h"

#include <sqlite3.h>

#include <cerrno>

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

struct CodeReason {
    int code;
    const char* reason;
};

// Extended result codes with a reason of their own; the others take their primary code's.
constexpr CodeReason kExtendedReasons[] = {
    {SQLITE_IOERR_READ, "读取文件时出错"},
    {SQLITE_IOERR_SHORT_READ, "文件比应有的短，读取不完整"},
    {SQLITE_IOERR_WRITE, "写入文件时出错"},
    {SQLITE_IOERR_FSYNC, "把数据存到磁盘上时出错"},
    {SQLITE_IOERR_DIR_FSYNC, "把目录的改动存到磁盘上时出错"},
    {SQLITE_IOERR_TRUNCATE, "截短文件时出错"},
    {SQLITE_IOERR_FSTAT, "读取文件的属性时出错"},
    {SQLITE_IOERR_UNLOCK, "给文件解锁时出错"},
    {SQLITE_IOERR_RDLOCK, "给文件加锁时出错"},
    {SQLITE_IOERR_LOCK, "给文件加锁时出错"},
    {SQLITE_IOERR_CHECKRESERVEDLOCK, "检查文件的锁时出错"},
    {SQLITE_IOERR_DELETE, "删除日志文件时出错"},
    {SQLITE_IOERR_DELETE_NOENT, "要删除的日志文件已不存在"},
    {SQLITE_IOERR_ACCESS, "检查文件是否存在时出错"},
    {SQLITE_IOERR_CLOSE, "关闭文件时出错"},
    {SQLITE_IOERR_SEEK, "在文件中定位时出错"},
    {SQLITE_IOERR_MMAP, "把文件映射到内存时出错"},
    {SQLITE_IOERR_NOMEM, "内存不足"},
    {SQLITE_IOERR_GETTEMPPATH, "找不到可写的临时目录"},
    {SQLITE_IOERR_CONVPATH, "无法转换文件的路径"},
    {SQLITE_IOERR_DATA, "文件内容的校验不符"},
    {SQLITE_IOERR_CORRUPTFS, "文件系统已损坏"},
    {SQLITE_IOERR_SHMOPEN, "打开共享内存文件时出错"},
    {SQLITE_IOERR_SHMSIZE, "扩大共享内存文件时出错"},
    {SQLITE_IOERR_SHMMAP, "映射共享内存文件时出错"},
    {SQLITE_READONLY_RECOVERY, "文件需要恢复，但只能以只读方式打开"},
    {SQLITE_READONLY_CANTLOCK, "无法给只读的文件加锁"},
    {SQLITE_READONLY_ROLLBACK, "文件中有未完成的写入要撤销，但文件是只读的"},
    {SQLITE_READONLY_DBMOVED, "文件在打开后被移走或删除，无法写入"},
    {SQLITE_READONLY_CANTINIT, "无法建立共享内存文件，只能只读"},
    {SQLITE_READONLY_DIRECTORY, "文件所在的目录是只读的，无法在其中建立日志文件"},
    {SQLITE_CANTOPEN_ISDIR, "是一个目录，不是数据表文件"},
    {SQLITE_CANTOPEN_NOTEMPDIR, "找不到可写的临时目录"},
    {SQLITE_CANTOPEN_FULLPATH, "无法确定文件的完整路径"},
    {SQLITE_CANTOPEN_CONVPATH, "无法转换文件的路径"},
    {SQLITE_CANTOPEN_SYMLINK, "是符号链接，本程序不经过链接读写数据表文件"},
    {SQLITE_CONSTRAINT_TRIGGER, "文件中的触发器拒绝了写入"},
};

// The primary result codes.
constexpr CodeReason kPrimaryReasons[] = {
    {SQLITE_NOTADB, "不是数据表文件（内容不是可读的表格式）"},
    {SQLITE_CORRUPT, "文件已损坏"},
    {SQLITE_CANTOPEN, "无法打开文件"},
    {SQLITE_READONLY, "文件是只读的，无法写入"},
    {SQLITE_FULL, "磁盘已满，无法写入"},
    {SQLITE_BUSY, "文件正被其他程序使用"},
    {SQLITE_LOCKED, "文件正被其他程序使用"},
    {SQLITE_IOERR, "读写文件时发生输入输出错误"},
    {SQLITE_PERM, "没有访问权限"},
    {SQLITE_AUTH, "没有访问权限"},
    {SQLITE_NOMEM, "内存不足"},
    {SQLITE_TOOBIG, "其中的数据过大"},
    {SQLITE_CONSTRAINT, "其中的数据不符合表的约束"},
    {SQLITE_NOLFS, "文件系统不支持这样大的文件"},
    {SQLITE_PROTOCOL, "文件的锁被其他程序打乱"},
    {SQLITE_SCHEMA, "文件的结构在读写时被改变了"},
    {SQLITE_RANGE, "内容与数据表的结构不符"},
    {SQLITE_MISMATCH, "其中的数据类型不符"},
    {SQLITE_FORMAT, "不是数据表文件（内容不是可读的表格式）"},
    {SQLITE_INTERRUPT, "读写被中断"},
    {SQLITE_ABORT, "读写被中断"},
};

const char* reasonOf(int code) {
    for (const auto& [known, reason] : kExtendedReasons) {
        if (known == code) {
            return reason;
        }
    }
    for (const auto& [known, reason] : kPrimaryReasons) {
        if (known == (code & 0xFF)) {
            return reason;
        }
    }
    return nullptr;
}

} // namespace

std::string sqliteProblem(const std::filesystem::path& file, int code, const std::string& message,
                          int systemErrno) {
    const int primary = code & 0xFF;
    std::error_code error;
    // SQLite keeps the system's error only for failures to open, read or write; a full disk is
    // a full disk whatever the operation was.
    const bool systemFailure = primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN;
    if (systemFailure && systemErrno == ENOSPC) {
        return "磁盘已满，无法写入";
    }
    if ((systemFailure || primary == SQLITE_READONLY) &&
        std::filesystem::is_directory(file, error)) {
        return "是一个目录，不是数据表文件";
    }
    if (primary == SQLITE_ERROR) {
        if (message.starts_with("no such table")) {
            return "缺少它的内部表，不是可用的数据表";
        }
        if (message.starts_with("no such column")) {
            return "缺少字段定义中的列，与它的字段定义不符";
        }
        return "内容与数据表的结构不符";
    }
    if (code == SQLITE_CANTOPEN && systemErrno == 0) {
        if (!std::filesystem::exists(file, error)) {
            return "文件不存在";
        }
        return "无法打开文件（没有访问权限或文件所在的目录不可用）";
    }
    const char* reason = reasonOf(code);
    if (!reason) {
        return "数据库引擎报告了错误（代码 " + std::to_string(code) + "）";
    }
    if (systemFailure && systemErrno != 0) {
        return std::string(reason) + "：" + text::systemErrorText(systemErrno);
    }
    return reason;
}

std::filesystem::path linkFreePath(const std::filesystem::path& file) {
    std::error_code error;
    const auto directory = std::filesystem::weakly_canonical(
        std::filesystem::absolute(file.parent_path(), error), error);
    return error ? file : directory / file.filename();
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

Connection::Connection(const std::filesystem::path& file, Mode mode, Links links)
    : file_(file), mode_(mode), links_(links) {
    configureEngine();
    int flags = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    if (links == Links::Refuse) {
        flags |= SQLITE_OPEN_NOFOLLOW; // attached files inherit it
    }
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
    const std::filesystem::path opened = links == Links::Refuse ? linkFreePath(file) : file;
    open(mode == Mode::Unchanging ? fileUri(opened, "ro") + "&immutable=1" : opened.string(),
         flags);
    if (mode == Mode::Create) {
        exec("PRAGMA page_size=" + std::to_string(kPageSize)); // only a new file takes it
    }
    if (mode == Mode::ReadWrite || mode == Mode::Create) {
        // The default rollback journal keeps the whole state of a table in its own files, and a
        // commit across the table file and its blob file stays atomic.
        exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA synchronous=NORMAL");
    }
}

Connection::Connection(const std::filesystem::path& file, std::shared_ptr<const FileImage> image)
    : file_(file), mode_(Mode::ReadOnly), links_(Links::Follow) {
    configureEngine();
    open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
    attachImage("main", std::move(image));
}

std::unique_ptr<Connection> Connection::inMemory(const std::filesystem::path& file) {
    // A memory database keeps its rollback journal in memory too: a step still rolls back.
    auto connection = std::make_unique<Connection>(":memory:", Mode::Create);
    connection->file_ = file;
    return connection;
}

void Connection::open(const std::string& name, int flags) {
    const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const int code = db_ ? sqlite3_extended_errcode(db_) : rc;
        const std::string detail = db_ ? sqlite3_errmsg(db_) : std::string();
        const int systemErrno = db_ ? sqlite3_system_errno(db_) : 0;
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError("无法打开数据表文件“" + file_.string() + "”：" +
                         sqliteProblem(file_, code, detail, systemErrno));
    }
    sqlite3_busy_timeout(db_, 2000);
    sqlite3_extended_result_codes(db_, 1);
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
    std::string uri = fileUri(links_ == Links::Refuse ? linkFreePath(file) : file, readOnly ? "ro"
                                                                                   : create ? "rwc"
                                                                                            : "rw");
    if (readOnly && mode_ == Mode::Unchanging) {
        uri += "&immutable=1";
    }
    attach.bind(1, Value(uri));
    try {
        attach.step();
    } catch (const StoreError&) {
        throw StoreError("无法打开数据表的备注文件“" + file.string() + "”：" +
                         sqliteProblem(file, sqlite3_extended_errcode(db_), sqlite3_errmsg(db_),
                                       sqlite3_system_errno(db_)));
    }
}

void Connection::attachImage(const std::string& schema, std::shared_ptr<const FileImage> image) {
    if (schema != "main") {
        exec("ATTACH DATABASE ':memory:' AS " + quoteIdentifier(schema));
    }
    // Read in place and never written: SQLite neither copies nor frees the bytes, so any number
    // of connections on any threads read the one image.
    auto* bytes = const_cast<unsigned char*>(image->data());
    const auto size = static_cast<sqlite3_int64>(image->size());
    if (sqlite3_deserialize(db_, schema.c_str(), bytes, size, size, SQLITE_DESERIALIZE_READONLY) !=
        SQLITE_OK) {
        failLast();
    }
    images_.push_back(std::move(image));
}

void Connection::attachInMemory(const std::string& schema) {
    exec("ATTACH DATABASE ':memory:' AS " + quoteIdentifier(schema));
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
    fail(sqliteProblem(namedFile(file_), sqlite3_extended_errcode(db_), sqlite3_errmsg(db_),
                       sqlite3_system_errno(db_)));
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
