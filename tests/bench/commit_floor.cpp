// zorvane-commit-floor DIR COMMITS: the floor of a design's file work. It makes COMMITS durable
// commits across three table files in DIR (as a step that records results and history entries
// does: the results, the history and its memo file), each writing one short row into every file,
// with the journal and sync settings of the working tables. The benchmark runs it as a process
// beside zorvane-calc, in the same directory, and compares the two.

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void exec(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::fprintf(stderr, "zorvane-commit-floor: %s\n", message ? message : "?");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorvane-commit-floor DIR COMMITS\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const int commits = std::atoi(argv[2]);
    const char* files[] = {"Floor_Result.db", "Floor_Hty.db", "Floor_Hty.mb"};
    for (const char* file : files) {
        std::filesystem::remove(dir / file);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open((dir / files[0]).c_str(), &db) != SQLITE_OK) {
        return 1;
    }
    exec(db, "ATTACH '" + (dir / files[1]).string() + "' AS h");
    exec(db, "ATTACH '" + (dir / files[2]).string() + "' AS m");
    for (const char* schema : {"main", "h", "m"}) {
        exec(db, std::string("PRAGMA ") + schema + ".journal_mode=DELETE");
        exec(db, std::string("PRAGMA ") + schema + ".synchronous=FULL");
    }
    for (int i = 0; i < commits; ++i) {
        exec(db, "BEGIN");
        for (const char* schema : {"main", "h", "m"}) {
            if (i == 0) {
                exec(db, std::string("CREATE TABLE ") + schema + ".rows(item TEXT, value TEXT)");
            }
            exec(db, std::string("INSERT INTO ") + schema + ".rows VALUES('链条速度', '1.429')");
        }
        exec(db, "COMMIT");
    }
    sqlite3_close(db);
    return 0;
}
