// The workspace of the working tables: a step is one durable commit on disk or nothing at all, and
// a file damaged beyond repair is set aside with a message instead of blocking every design.

#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/workspace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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

// Files damaged in any place and number are set aside one by one; a sound file keeps its rows.
TEST(WorkspaceTest, OnlyTheDamagedFilesAreSetAside) {
    const std::vector<std::vector<std::string>> cases{
        {"Rows.db"}, {"Entries.mb"}, {"Entries.db", "Entries.mb"}, {"Rows.db", "Entries.mb"}};
    for (const auto& damaged : cases) {
        testing::TempDir dir;
        {
            Workspace workspace(dir.path(), kTables);
            auto step = workspace.beginStep();
            for (const auto& [name, fields] :
                 {std::pair{"Rows", kRowFields}, std::pair{"Entries", kEntryFields}}) {
                Table table(dir.path(), name);
                table.setFieldDefs(fields);
                table.create();
                table.open();
                append(table, "链号");
            }
            step.commit();
        }
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

} // namespace
} // namespace zorvane::store
