#pragma once
// Thin RAII wrappers over the SQLite C API, used only inside the table store.

#include "core/store/field.h"

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace zorvane::store::detail {

// The bytes of a whole table or memo file, read once and shared by read-only connections on any
// thread; no connection writes them (see reference_snapshot.h).
using FileImage = std::vector<unsigned char>;

class Connection {
public:
    // Unchanging: read-only, and the caller makes sure that the file does not change while the
    // connection is used (a kept connection checks the file before each use), so SQLite reads
    // it without taking locks or looking for changes.
    enum class Mode { ReadOnly, Unchanging, ReadWrite, Create };
    // Refuse: neither the file nor a file attached later is reached through a symbolic link
    // (its directory is resolved first, so only the file's own name is checked).
    enum class Links { Follow, Refuse };

    Connection(const std::filesystem::path& file, Mode mode, Links links = Links::Follow);
    // A read-only connection to `image`, the bytes `file` held when it was read, instead of to
    // the file. Failures name `file`.
    Connection(const std::filesystem::path& file, std::shared_ptr<const FileImage> image);
    // A connection to a new empty database in memory, which no file backs; failures name `file`.
    static std::unique_ptr<Connection> inMemory(const std::filesystem::path& file);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Attaches another database file under `schema`, read-only when asked; `create` makes a
    // missing file (an empty database) instead of failing.
    void attach(const std::filesystem::path& file, const std::string& schema, bool readOnly,
                bool create = false);
    // Attaches `image` read-only under `schema` (see the image constructor).
    void attachImage(const std::string& schema, std::shared_ptr<const FileImage> image);
    // Attaches a new empty database in memory under `schema`.
    void attachInMemory(const std::string& schema);
    // Whether a database is attached under `schema`.
    bool hasSchema(const std::string& schema) const;
    // Whether a transaction is open on this connection.
    bool inTransaction() const;
    // Runs one SQL statement to its end.
    void exec(const std::string& sql);
    sqlite3* get() const { return db_; }
    const std::filesystem::path& file() const { return file_; }

    // Throws StoreError naming the file: `what` says in Chinese what is wrong with it.
    [[noreturn]] void fail(const std::string& what) const;
    // The same for the last failure SQLite reported on this connection.
    [[noreturn]] void failLast() const;
    // Whether that failure was a table missing from the schema.
    bool lastFailureIsMissingTable() const;

    // A compiled statement of `sql`: one kept from an earlier use when there is one, so that the
    // same reads and writes, repeated all through a design, are parsed once. Give it back with
    // giveBack, which resets it and keeps it for the next use.
    sqlite3_stmt* take(const std::string& sql) const;
    void giveBack(sqlite3_stmt* statement) const;

private:
    void forgetStatements() const;
    // Opens `name` (a path, a file URI or ":memory:") with `flags`; failures name file_.
    void open(const std::string& name, int flags);

    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    Mode mode_;
    Links links_;
    mutable std::unordered_map<std::string, sqlite3_stmt*> idle_; // by their SQL text
    std::vector<std::shared_ptr<const FileImage>> images_;        // read in place, kept alive
};

class Statement {
public:
    Statement(const Connection& connection, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const Value& value); // 1-based
    bool step();                              // true while a row is available
    void reset();

    int columnCount() const;
    std::string columnName(int column) const;
    bool columnIsNull(int column) const;
    std::string columnText(int column) const;
    double columnDouble(int column) const;
    long long columnInt(int column) const;
    Bytes columnBytes(int column) const;
    Value columnValue(int column, FieldKind kind) const;

private:
    const Connection& connection_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

// A savepoint: the writes inside stay together. Outside a transaction it is a transaction of its
// own, committed by release(); inside one (a step of the design) it nests and commits with it.
class Savepoint {
public:
    explicit Savepoint(Connection& connection);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    void release();

private:
    Connection& connection_;
    bool done_ = false;
};

// A read transaction: the statements inside share one snapshot and one lock. Inside a transaction
// already open on the connection it does nothing, the reads share that one.
class ReadTransaction {
public:
    explicit ReadTransaction(const Connection& connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    const Connection& connection_;
    bool began_ = false;
};

// While one lives, failures of any connection name `file`: a table file attached to a shared
// connection, not the connection's first file.
class FileInMessages {
public:
    explicit FileInMessages(const std::filesystem::path& file);
    ~FileInMessages();
    FileInMessages(const FileInMessages&) = delete;
    FileInMessages& operator=(const FileInMessages&) = delete;

private:
    const std::filesystem::path* previous_;
};

// What an SQLite result code (extended or primary) with its English message means for a table
// file, as a Chinese phrase for the user: "不是数据表文件", "已损坏", "是一个目录" ... For a
// failure to open or to read and write the file, `systemErrno` (sqlite3_system_errno) tells why.
std::string sqliteProblem(const std::filesystem::path& file, int code, const std::string& message,
                          int systemErrno = 0);

// The path SQLite is given for a file that must not be reached through a link: its directory
// resolved to the real one, so that only the file's own name could still be a link.
std::filesystem::path linkFreePath(const std::filesystem::path& file);

// A quoted SQL identifier.
std::string quoteIdentifier(const std::string& name);

} // namespace zorvane::store::detail
