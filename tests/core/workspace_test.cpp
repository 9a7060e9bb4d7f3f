// The workspace of the working tables: a step is one durable commit on disk or nothing at all, and
// a file damaged beyond repair is set aside with a message instead of blocking every design.

#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/table_definition.h"
#include "core/store/workspace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <stdexcept>

namespace zorvane::store {
namespace {

const std::vector<FieldDef> kRowFields{{"项目", FieldKind::Text, 40}};
const std::vector<FieldDef> kEntryFields{{"项目", FieldKind::Text, 40},
                                         {"说明", FieldKind::Memo, 0}};
const std::vector<Workspace::TableSpec> kTables{{"Rows", false}, {"Entries", true}};

void append(Table& table, const std::string& item) {
    table.setReadOnly(false);
    table.append();
    table.setField(0, Value(item));
    if (table.fieldCount() > 1) {
        table.setField(1, Value(item + "的说明"));
    }
    table.post();
    table.setReadOnly(true);
}

std::vector<std::string> itemsOf(Table& table) {
    std::vector<std::string> items;
    for (int i = 0; i < table.recordCount(); ++i) {
        items.push_back(table.row(i)[0].asText());
    }
    return items;
}

TEST(WorkspaceTest, AStepOnDiskIsOneDurableCommitOrNothing) {
    testing::TempDir dir(testing::Medium::Disk);
    {
        Workspace workspace(dir.path(), kTables);
        Table rows(dir.path(), "Rows");
        Table entries(dir.path(), "Entries");
        auto made = workspace.beginStep();
        rows.setFieldDefs(kRowFields);
        rows.create();
        entries.setFieldDefs(kEntryFields);
        entries.create();
        rows.open();
        entries.open();
        append(rows, "链号");
        append(entries, "链号");
        made.commit();

        try {
            auto failing = workspace.beginStep();
            append(rows, "链条速度");
            append(entries, "链条速度");
            throw std::runtime_error("the step fails");
        } catch (const std::runtime_error&) {
        }
        // The rows shown are the file's again, not those of the failed step.
        EXPECT_EQ(itemsOf(rows), std::vector<std::string>{"链号"});
        EXPECT_EQ(itemsOf(entries), std::vector<std::string>{"链号"});
    }
    Workspace reopened(dir.path(), kTables);
    Table entries(dir.path(), "Entries");
    entries.open();
    EXPECT_EQ(itemsOf(entries), std::vector<std::string>{"链号"});
    EXPECT_EQ(entries.row(0)[1].asText(), "链号的说明");
}

TEST(WorkspaceTest, AFileDamagedBeyondRepairIsSetAsideAndMadeAnew) {
    testing::TempDir dir;
    std::ofstream(dir.path() / "Rows.db") << "no table file at all, only text";
    Workspace workspace(dir.path(), kTables);
    ASSERT_EQ(workspace.repairs().size(), 1u);
    EXPECT_NE(workspace.repairs()[0].find("Rows.db"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Rows.db.damaged"));
    Table rows(dir.path(), "Rows");
    rows.setFieldDefs(kRowFields);
    rows.create();
    rows.open();
    append(rows, "链号");
    EXPECT_EQ(itemsOf(rows), std::vector<std::string>{"链号"});
}

// Both tables of a workspace in `dir`, made and given one row each in one step.
void writeOneRowEach(const std::filesystem::path& dir) {
    Workspace workspace(dir, kTables);
    auto step = workspace.beginStep();
    for (const auto& [name, fields] :
         {std::pair{"Rows", kRowFields}, std::pair{"Entries", kEntryFields}}) {
        Table table(dir, name);
        table.setFieldDefs(fields);
        table.create();
        table.open();
        append(table, "链号");
    }
    step.commit();
}

// Files damaged in any place and number are set aside one by one; a sound file keeps its rows.
TEST(WorkspaceTest, OnlyTheDamagedFilesAreSetAside) {
    const std::vector<std::vector<std::string>> cases{
        {"Rows.db"}, {"Entries.mb"}, {"Entries.db", "Entries.mb"}, {"Rows.db", "Entries.mb"}};
    for (const auto& damaged : cases) {
        testing::TempDir dir;
        writeOneRowEach(dir.path());
        for (const auto& file : damaged) {
            std::ofstream(dir.path() / file, std::ios::trunc) << "overwritten by another program";
        }
        Workspace workspace(dir.path(), kTables);
        EXPECT_EQ(workspace.repairs().size(), damaged.size()) << damaged.front();
        for (const auto& [name, file] : {std::pair{"Rows", "Rows.db"}, {"Entries", "Entries.db"}}) {
            const bool lost = std::count(damaged.begin(), damaged.end(), file) > 0;
            EXPECT_EQ(std::filesystem::exists(dir.path() / (std::string(file) + ".damaged")), lost);
            if (!lost && std::count(damaged.begin(), damaged.end(), "Entries.mb") == 0) {
                Table table(dir.path(), name);
                table.open();
                EXPECT_EQ(itemsOf(table), std::vector<std::string>{"链号"}) << file;
            }
        }
    }
}

// Making a working table anew from its template leaves it empty, whether it had the template's
// fields (emptied where it is) or others (defined anew); a failed step leaves it as it was.
TEST(WorkspaceTest, MakingATableAnewInAStepLeavesItEmpty) {
    testing::TempDir dir;
    Workspace workspace(dir.path(), kTables);
    Table rows(dir.path(), "Rows");
    const auto makeAnew = [&](const std::vector<FieldDef>& fields) {
        auto step = workspace.beginStep();
        rows.close();
        rows.setFieldDefs(fields);
        rows.create();
        rows.open();
        step.commit();
    };
    makeAnew(kRowFields);
    append(rows, "链号");
    append(rows, "节距");
    makeAnew(kRowFields);
    EXPECT_TRUE(rows.isEmpty());
    append(rows, "链条速度");
    EXPECT_EQ(itemsOf(rows), std::vector<std::string>{"链条速度"});
    makeAnew({{"项目", FieldKind::Text, 40}, {"数值", FieldKind::Number, 0}});
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_EQ(rows.fieldCount(), 2);
    try {
        auto failing = workspace.beginStep();
        rows.close();
        rows.setFieldDefs(kRowFields);
        rows.create();
        throw std::runtime_error("the step fails");
    } catch (const std::runtime_error&) {
    }
    rows.open();
    EXPECT_EQ(rows.fieldCount(), 2);
}

// A design's first step makes its tables and fails to commit (a full disk); the tables stay open.
// The next attempt writes to them again and must find them, not a file without its table.
TEST(WorkspaceTest, ATableWhoseMakingWasRolledBackIsMadeAgainByItsNextWrite) {
    testing::TempDir dir;
    Workspace workspace(dir.path(), kTables);
    Table rows(dir.path(), "Rows");
    Table entries(dir.path(), "Entries");
    try {
        auto first = workspace.beginStep();
        for (auto* table : {&rows, &entries}) {
            table->setFieldDefs(table == &rows ? kRowFields : kEntryFields);
            table->create();
            table->open();
            append(*table, "链号");
        }
        throw std::runtime_error("the commit fails");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(rows.isEmpty());
    auto again = workspace.beginStep();
    append(rows, "节距");
    append(entries, "节距");
    again.commit();
    EXPECT_EQ(itemsOf(rows), std::vector<std::string>{"节距"});
    Table reread(dir.path(), "Entries");
    reread.open();
    EXPECT_EQ(itemsOf(reread), std::vector<std::string>{"节距"});
    EXPECT_EQ(reread.row(0)[1].asText(), "节距的说明");
}

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A message without the names it quotes.
std::string withoutQuoted(std::string message) {
    for (auto open = message.find("“"); open != std::string::npos; open = message.find("“")) {
        const auto close = message.find("”", open);
        message.erase(open, close == std::string::npos ? std::string::npos
                                                       : close + std::string("”").size() - open);
    }
    return message;
}

// Runs `sql` on `file` as another program would, outside the store.
void runOn(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

// A file that another program filled with the store's own tables, in UTF-16.
void rewriteInUtf16(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    runOn(file, "PRAGMA encoding='UTF-16le'; CREATE TABLE " + detail::fieldsTableDefinition() +
                    "; INSERT INTO zv_fields VALUES(0, '项目', 'text', 40); CREATE TABLE " +
                    detail::rowsTableDefinition(kRowFields));
}

struct ForeignFile {
    const char* what;
    const char* file;
    std::function<void(const std::filesystem::path&)> make;
    const char* named; // what the message says of the file
};

const std::vector<ForeignFile> kForeignFiles{
    {"trigger on the rows", "Rows.db",
     [](const auto& f) {
         runOn(f, "CREATE TRIGGER t AFTER INSERT ON zv_rows BEGIN "
                  "UPDATE zv_rows SET c0 = '假' WHERE rid = new.rid; END");
     },
     "触发器"},
    {"trigger raising", "Rows.db",
     [](const auto& f) {
         runOn(f, "CREATE TRIGGER t BEFORE INSERT ON zv_rows BEGIN SELECT RAISE(ABORT, 'no'); END");
     },
     "触发器"},
    {"trigger on the memos", "Entries.mb",
     [](const auto& f) {
         runOn(f, "CREATE TRIGGER t AFTER INSERT ON zv_blobs BEGIN DELETE FROM zv_blobs; END");
     },
     "触发器"},
    {"view", "Rows.db", [](const auto& f) { runOn(f, "CREATE VIEW v AS SELECT * FROM zv_rows"); },
     "视图"},
    {"extra table", "Rows.db",
     [](const auto& f) {
         runOn(f, "CREATE TABLE junk(x); INSERT INTO junk VALUES(zeroblob(1e5))");
     },
     "其他表"},
    {"extra index", "Rows.db", [](const auto& f) { runOn(f, "CREATE INDEX i ON zv_rows(c0)"); },
     "索引"},
    {"rows table redefined", "Rows.db",
     [](const auto& f) { runOn(f, "ALTER TABLE zv_rows ADD COLUMN c1 TEXT DEFAULT '假'"); },
     "定义"},
    {"write-ahead log", "Rows.db", [](const auto& f) { runOn(f, "PRAGMA journal_mode=WAL"); },
     "日志"},
    {"other page size", "Rows.db", [](const auto& f) { runOn(f, "PRAGMA page_size=1024; VACUUM"); },
     "页面大小"},
    {"UTF-16", "Rows.db", rewriteInUtf16, "文本编码"},
    {"link to a reference table", "Rows.db",
     [](const auto& f) {
         std::filesystem::remove(f);
         std::filesystem::create_symlink("Ka.db", f);
     },
     "符号链接"},
};

// A working-table file holding anything the store does not write, or reached through a link, is
// set aside untouched before anything of it runs, and the design goes on with a fresh table; a
// link is renamed itself and the table it points to keeps its bytes.
TEST(WorkspaceTest, AFileTheStoreDidNotWriteIsSetAsideUntouched) {
    for (const auto& row : kForeignFiles) {
        SCOPED_TRACE(row.what);
        testing::TempDir dir;
        Table reference(dir.path(), "Ka");
        reference.setFieldDefs(kRowFields);
        reference.create();
        reference.open();
        append(reference, "08A");
        reference.close();
        writeOneRowEach(dir.path());
        const auto file = dir.path() / row.file;
        EXPECT_EQ(Workspace::fileProblem(file), std::nullopt);
        EXPECT_EQ(Workspace::fileProblem(dir.path() / "Ka.db"), std::nullopt);
        row.make(file);
        const auto problem = Workspace::fileProblem(file);
        ASSERT_TRUE(problem.has_value());
        EXPECT_NE(problem->find(row.named), std::string::npos) << *problem;
        EXPECT_FALSE(Workspace::fileIsSound(file));
        const std::string foreign = bytesOf(file);
        const std::string referenceBytes = bytesOf(dir.path() / "Ka.db");
        const bool wasLink = std::filesystem::is_symlink(file);

        Workspace workspace(dir.path(), kTables);
        ASSERT_EQ(workspace.repairs().size(), 1u);
        const std::string& message = workspace.repairs()[0];
        EXPECT_NE(message.find("“" + file.string() + "”"), std::string::npos) << message;
        EXPECT_NE(message.find(row.named), std::string::npos) << message;
        EXPECT_FALSE(std::regex_search(withoutQuoted(message), std::regex("[A-Za-z]{2,}")))
            << message;
        const auto aside = dir.path() / (std::string(row.file) + ".damaged");
        EXPECT_EQ(std::filesystem::is_symlink(aside), wasLink);
        EXPECT_EQ(bytesOf(aside), foreign);
        for (const auto& [name, fields] :
             {std::pair{"Rows", kRowFields}, std::pair{"Entries", kEntryFields}}) {
            Table table(dir.path(), name);
            auto step = workspace.beginStep();
            table.setFieldDefs(fields);
            table.create();
            table.open();
            append(table, "节距");
            step.commit();
            EXPECT_EQ(itemsOf(table), std::vector<std::string>{"节距"}) << name;
            EXPECT_EQ(table.row(0)[table.fieldCount() - 1].asText(),
                      table.fieldCount() > 1 ? "节距的说明" : "节距");
        }
        EXPECT_EQ(bytesOf(dir.path() / "Ka.db"), referenceBytes);
        EXPECT_FALSE(std::filesystem::is_symlink(file));
        EXPECT_EQ(Workspace::fileProblem(file), std::nullopt);
    }
}

} // namespace
} // namespace zorvane::store
