#pragma once
// Damage to a table file at the level of the database engine, for the project fuzzer: objects a
// project file must never carry into the working tables (triggers, views, indexes, extra tables
// and rows), another journal mode, page size or text encoding, a schema rewritten in place, and
// edits of the file header and of page headers. Each mutation works on a copy of the file in a
// scratch directory and returns the file's new bytes.

#include <sqlite3.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace zorvane::fuzz {

namespace detail {

inline void run(sqlite3* db, const std::string& sql) {
    // A statement that does not apply to this file (no such table, say) leaves it as it was.
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// The name of one table of the file: its rows table when it has one.
inline std::string someTable(sqlite3* db) {
    std::string name = "zv_rows";
    sqlite3_stmt* select = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' LIMIT 1", -1,
                           &select, nullptr) == SQLITE_OK &&
        sqlite3_step(select) == SQLITE_ROW) {
        name = reinterpret_cast<const char*>(sqlite3_column_text(select, 0));
    }
    sqlite3_finalize(select);
    return name;
}

inline std::string readFile(const std::filesystem::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

// The engine's edits, each on an open file; `table` is one of its tables.
using Edit = std::function<void(sqlite3*, const std::string& table, std::mt19937&)>;

inline const std::array<Edit, 14>& engineEdits() {
    static const std::array<Edit, 14> edits{{
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            run(db, "CREATE TRIGGER falsify AFTER INSERT ON \"" + t + "\" BEGIN UPDATE \"" + t +
                        "\" SET rowid = rowid; END");
        },
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            run(db, "CREATE TRIGGER refuse BEFORE INSERT ON \"" + t +
                        "\" BEGIN SELECT RAISE(ABORT, 'no'); END");
        },
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            run(db, "CREATE TRIGGER wipe AFTER DELETE ON \"" + t + "\" BEGIN DELETE FROM \"" + t +
                        "\"; END");
        },
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            run(db, "CREATE VIEW shown AS SELECT * FROM \"" + t + "\"");
        },
        [](sqlite3* db, const std::string&, std::mt19937& random) {
            run(db, "CREATE TABLE junk(x)");
            const auto rows = random() % 2000;
            run(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                        std::to_string(rows) + ") INSERT INTO junk SELECT randomblob(64) FROM n");
        },
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            run(db, "CREATE INDEX ordered ON \"" + t + "\"(rowid)");
        },
        [](sqlite3* db, const std::string&, std::mt19937&) { run(db, "PRAGMA journal_mode=WAL"); },
        [](sqlite3* db, const std::string&, std::mt19937& random) {
            run(db, "PRAGMA page_size=" + std::to_string(512 << (random() % 8)));
            run(db, "VACUUM");
        },
        [](sqlite3* db, const std::string& t, std::mt19937& random) {
            // Rows far beyond any design's, empty but for their ids.
            run(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                        std::to_string(random() % 50000) + ") INSERT INTO \"" + t +
                        "\"(rowid) SELECT i + 1000000 FROM n");
        },
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            // The schema rewritten in place: a column of another type than the field's.
            run(db, "PRAGMA writable_schema=ON");
            run(db, "UPDATE sqlite_master SET sql = replace(sql, 'REAL', 'TEXT') WHERE name = '" +
                        t + "'");
            run(db, "PRAGMA writable_schema=OFF");
        },
        [](sqlite3* db, const std::string&, std::mt19937& random) {
            run(db, "PRAGMA user_version=" + std::to_string(random()));
            run(db, "PRAGMA application_id=" + std::to_string(random()));
        },
        [](sqlite3* db, const std::string&, std::mt19937& random) {
            // A field definition added, removed or given another kind.
            switch (random() % 3) {
            case 0:
                run(db,
                    "INSERT INTO zv_fields SELECT max(pos) + 1, 'X', 'Text', 10 FROM zv_fields");
                break;
            case 1:
                run(db, "DELETE FROM zv_fields WHERE pos = (SELECT max(pos) FROM zv_fields)");
                break;
            default:
                run(db, "UPDATE zv_fields SET kind = 'Graphic' WHERE pos = 0");
            }
        },
        [](sqlite3* db, const std::string& t, std::mt19937& random) {
            // Values of another storage class than the column's.
            run(db, "UPDATE \"" + t + "\" SET c" + std::to_string(random() % 4) +
                        " = CASE abs(random()) % 3 WHEN 0 THEN x'00ff' WHEN 1 THEN 1e308 * 10 "
                        "ELSE NULL END");
        },
        [](sqlite3* db, const std::string& t, std::mt19937&) {
            run(db, "DROP TABLE \"" + t + "\"");
        },
    }};
    return edits;
}

// Bytes of the first page's header (the first 100 bytes) and of a page's b-tree header changed.
inline void editHeaders(std::string& bytes, std::mt19937& random) {
    if (bytes.size() < 100) {
        return;
    }
    // Page size, versions, reserved space, payload fractions, page count, schema format, encoding.
    static constexpr std::array<std::size_t, 14> kHeaderBytes{16, 17, 18, 19, 20, 21, 22,
                                                              23, 31, 44, 47, 56, 59, 67};
    const int edits = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < edits; ++i) {
        if (random() % 2) {
            bytes[kHeaderBytes[random() % kHeaderBytes.size()]] = static_cast<char>(random());
        } else {
            const std::size_t pageSize = 4096;
            const std::size_t pages = std::max<std::size_t>(1, bytes.size() / pageSize);
            const std::size_t page = random() % pages;
            const std::size_t at = page * pageSize + (page == 0 ? 100 : 0) + random() % 12;
            if (at < bytes.size()) {
                bytes[at] = static_cast<char>(random());
            }
        }
    }
}

} // namespace detail

// The table file `bytes` with one engine-level mutation, written and read in `scratch`.
inline std::string mutatedTableFile(const std::string& bytes, std::mt19937& random,
                                    const std::filesystem::path& scratch) {
    std::string result = bytes;
    if (random() % 4 == 0) {
        detail::editHeaders(result, random);
        return result;
    }
    const std::filesystem::path file = scratch / "mutated.db";
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::filesystem::remove(scratch / "mutated.db-journal", ignored);
    std::filesystem::remove(scratch / "mutated.db-wal", ignored);
    std::filesystem::remove(scratch / "mutated.db-shm", ignored);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        const auto& edits = detail::engineEdits();
        const std::string table = detail::someTable(db);
        edits[random() % edits.size()](db, table, random);
    }
    sqlite3_close_v2(db);
    return detail::readFile(file);
}

} // namespace zorvane::fuzz
