#include "core/store/table_schema_check.h"

#include "core/store/field.h"
#include "core/store/sqlite_handle.h"
#include "core/store/table_definition.h"
#include "core/text/ascii_case.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace zorvane::store::detail {

namespace fs = std::filesystem;

const char* const kLinkProblem = "是符号链接，不是数据表文件本身";
const char* const kDamagedProblem = "已损坏，无法恢复";

namespace {

constexpr char kNotATable[] = "不是数据表文件（内容不是可读的表格式）";
constexpr char kForeignObject[] = "含有本程序不会写入的";

// The database header: its first 100 bytes.
constexpr std::size_t kHeaderBytes = 100;
constexpr char kMagic[] = "SQLite format 3"; // with its closing zero byte, 16 bytes
constexpr std::size_t kPageSizeAt = 16;
constexpr std::size_t kWriteVersionAt = 18; // 1: rollback journal, 2: write-ahead log
constexpr std::size_t kReadVersionAt = 19;
constexpr std::size_t kEncodingAt = 56; // 1: UTF-8; 0 while the file holds no table yet

std::uint32_t bigEndian(const unsigned char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

struct Header {
    bool empty = false;
    std::uint32_t encoding = 0;
};

// The header read straight from the file, before SQLite opens it: a file in write-ahead-log mode
// would otherwise get its log files made beside it.
std::optional<std::string> headerProblem(const fs::path& file, Header& header) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, kHeaderBytes> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    const auto got = in.gcount();
    header.empty = got == 0 && !in.bad();
    if (header.empty) {
        return std::nullopt;
    }
    if (got != static_cast<std::streamsize>(kHeaderBytes) ||
        std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return kNotATable;
    }
    if (bytes[kWriteVersionAt] != 1 || bytes[kReadVersionAt] != 1) {
        return "采用了本程序不使用的日志方式（预写式日志）";
    }
    std::uint32_t pageSize = bigEndian(&bytes[kPageSizeAt], 2);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    if (pageSize != static_cast<std::uint32_t>(kPageSize)) {
        return "页面大小与本程序写入的不同";
    }
    header.encoding = bigEndian(&bytes[kEncodingAt], 4);
    if (header.encoding > 1) {
        return "文本编码与本程序写入的不同";
    }
    return std::nullopt;
}

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, Closer>;

struct Finalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Query = std::unique_ptr<sqlite3_stmt, Finalizer>;

std::string problemOf(const fs::path& file, sqlite3* db, int rc) {
    return db ? sqliteProblem(file, sqlite3_extended_errcode(db), sqlite3_errmsg(db),
                              sqlite3_system_errno(db))
              : sqliteProblem(file, rc, {});
}

// Opens `file` without following a link; nothing is run on the connection.
Database open(const fs::path& file, int flags, std::optional<std::string>& problem) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(linkFreePath(file).c_str(), &db,
                                   flags | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX, nullptr);
    Database owned(db);
    if (rc != SQLITE_OK) {
        problem = problemOf(file, db, rc);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    return owned;
}

// A hot journal beside the file is rolled back by the first read of a connection that may write;
// a read-only one would refuse the file instead.
std::optional<std::string> rollBackJournal(const fs::path& file) {
    std::error_code error;
    if (!fs::exists(file.string() + "-journal", error)) {
        return std::nullopt;
    }
    std::optional<std::string> problem;
    const Database db = open(file, SQLITE_OPEN_READWRITE, problem);
    if (db &&
        sqlite3_exec(db.get(), "PRAGMA schema_version", nullptr, nullptr, nullptr) != SQLITE_OK) {
        problem = problemOf(file, db.get(), SQLITE_ERROR);
    }
    return problem;
}

struct SchemaObject {
    std::string type;
    std::string name;
    std::string sql;
};

// The objects of the file, straight from its schema table: reading it runs nothing of the file.
std::vector<SchemaObject> objectsOf(const fs::path& file, sqlite3* db,
                                    std::optional<std::string>& problem) {
    std::vector<SchemaObject> objects;
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT type, name, sql FROM sqlite_master", -1, &raw, nullptr);
    const Query query(raw);
    const auto text = [&](int column) {
        const auto* value = sqlite3_column_text(raw, column);
        return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
    };
    while (rc == SQLITE_OK && (rc = sqlite3_step(raw)) == SQLITE_ROW) {
        objects.push_back({text(0), text(1), text(2)});
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_DONE) {
        problem = problemOf(file, db, rc);
    }
    return objects;
}

// The fields a table file lists, or nullopt when the list is not one the store writes.
std::optional<std::vector<FieldDef>> listedFields(sqlite3* db) {
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "SELECT pos, name, kind, size FROM zv_fields ORDER BY pos", -1, &raw,
                       nullptr);
    const Query query(raw);
    std::vector<FieldDef> fields;
    int rc = SQLITE_ERROR;
    while (raw && (rc = sqlite3_step(raw)) == SQLITE_ROW) {
        const auto* name = sqlite3_column_text(raw, 1);
        const auto* kindText = sqlite3_column_text(raw, 2);
        const auto kind =
            kindText ? kindFromName(reinterpret_cast<const char*>(kindText)) : std::nullopt;
        if (!name || !kind ||
            sqlite3_column_int64(raw, 0) != static_cast<sqlite3_int64>(fields.size())) {
            return std::nullopt;
        }
        fields.push_back({reinterpret_cast<const char*>(name), *kind,
                          static_cast<int>(sqlite3_column_int64(raw, 3))});
    }
    if (rc != SQLITE_DONE || fields.empty()) {
        return std::nullopt;
    }
    return fields;
}

// What the objects of a file hold that the store never writes into it; `ours` names the store's
// tables of this kind of file.
std::optional<std::string> foreignObject(const std::vector<SchemaObject>& objects,
                                         const std::vector<std::string>& ours) {
    // Types in the order they are named: a trigger or view matters more than another table.
    static const std::array<std::pair<const char*, const char*>, 3> kNamed{{
        {"trigger", "触发器"},
        {"view", "视图"},
        // Our tables make no index of their own: the row id is the key of the rows and the
        // memo table is stored by its key.
        {"index", "索引"},
    }};
    for (const auto& [type, named] : kNamed) {
        for (const auto& object : objects) {
            if (object.type == type) {
                return std::string(kForeignObject) + named;
            }
        }
    }
    for (const auto& object : objects) {
        if (object.type != "table" ||
            std::find(ours.begin(), ours.end(), object.name) == ours.end()) {
            return std::string(kForeignObject) + "其他表";
        }
    }
    return std::nullopt;
}

const SchemaObject* find(const std::vector<SchemaObject>& objects, const std::string& name) {
    for (const auto& object : objects) {
        if (object.name == name) {
            return &object;
        }
    }
    return nullptr;
}

bool definedAs(const SchemaObject* object, const std::string& definition) {
    return object && object->sql == "CREATE TABLE " + definition;
}

constexpr char kOtherDefinition[] = "其中表的定义与本程序写入的不同";

std::optional<std::string> tableFileProblem(sqlite3* db, const std::vector<SchemaObject>& objects) {
    if (const auto foreign = foreignObject(objects, {"zv_fields", "zv_rows"})) {
        return foreign;
    }
    if (objects.empty()) {
        return std::nullopt;
    }
    const SchemaObject* rows = find(objects, "zv_rows");
    if (objects.size() != 2 || !rows) {
        return "不完整：缺少本程序写入的表";
    }
    if (!definedAs(find(objects, "zv_fields"), fieldsTableDefinition())) {
        return kOtherDefinition;
    }
    const auto fields = listedFields(db);
    if (!fields) {
        return "字段定义不完整";
    }
    if (!definedAs(rows, rowsTableDefinition(*fields))) {
        return kOtherDefinition;
    }
    return std::nullopt;
}

std::optional<std::string> blobFileProblem(const std::vector<SchemaObject>& objects) {
    if (const auto foreign = foreignObject(objects, {"zv_blobs"})) {
        return foreign;
    }
    if (!objects.empty() && !definedAs(find(objects, "zv_blobs"), blobsTableDefinition())) {
        return kOtherDefinition;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> schemaProblem(const fs::path& file) {
    std::error_code error;
    const auto status = fs::symlink_status(file, error);
    if (fs::is_symlink(status)) {
        return kLinkProblem;
    }
    if (!fs::exists(status)) {
        return "文件不存在";
    }
    if (!fs::is_regular_file(status)) {
        return "不是普通文件";
    }
    Header header;
    if (auto problem = headerProblem(file, header)) {
        return problem;
    }
    if (auto problem = rollBackJournal(file)) {
        return problem;
    }
    // The journal may have given the file another first page.
    if (auto problem = headerProblem(file, header)) {
        return problem;
    }
    if (header.empty) {
        return std::nullopt;
    }
    // A write-ahead log beside a file of ours would be taken into it at the next open.
    if (fs::exists(file.string() + "-wal", error)) {
        return "旁边有本程序不使用的预写式日志文件";
    }
    std::optional<std::string> problem;
    const Database db = open(file, SQLITE_OPEN_READONLY, problem);
    if (!db) {
        return problem;
    }
    const auto objects = objectsOf(file, db.get(), problem);
    if (problem) {
        return problem;
    }
    if (header.encoding == 0 && !objects.empty()) {
        return "文本编码与本程序写入的不同";
    }
    const bool blobs = text::equalIgnoringAsciiCase(file.extension().string(), ".mb");
    return blobs ? blobFileProblem(objects) : tableFileProblem(db.get(), objects);
}

std::optional<std::string> integrityProblem(const fs::path& file) {
    std::optional<std::string> problem;
    const Database db = open(file, SQLITE_OPEN_READWRITE, problem);
    if (!db) {
        return problem;
    }
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db.get(), "PRAGMA quick_check", -1, &raw, nullptr);
    const Query check(raw);
    const int stepped = rc == SQLITE_OK ? sqlite3_step(raw) : rc;
    if (stepped != SQLITE_ROW) {
        return problemOf(file, db.get(), stepped);
    }
    const auto* verdict = sqlite3_column_text(raw, 0);
    if (!verdict || std::strcmp(reinterpret_cast<const char*>(verdict), "ok") != 0) {
        return kDamagedProblem;
    }
    return std::nullopt;
}

} // namespace zorvane::store::detail
