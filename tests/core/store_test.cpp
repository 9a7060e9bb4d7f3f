#include "core/store/query.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zorvane::store {
namespace {

using testing::TempDir;

const std::vector<FieldDef> kChainFields{
    {"链号", FieldKind::Text, 10},
    {"节距", FieldKind::Number, 0},
    {"编号", FieldKind::Integer, 0},
};

const std::vector<FieldDef> kHistoryFields{
    {"步骤", FieldKind::Integer, 0}, {"项目", FieldKind::Text, 40}, {"数值", FieldKind::Text, 20},
    {"公式", FieldKind::Graphic, 0}, {"说明", FieldKind::Memo, 0},
};

struct ChainRow {
    const char* number;
    double pitch;
    int key;
};

class StoreTest : public ::testing::Test {
protected:
    void makeTable(const std::string& name, const std::vector<FieldDef>& fields) {
        Table table(dir.path(), name);
        table.setFieldDefs(fields);
        table.create();
    }

    void fillChains(const std::vector<ChainRow>& rows) {
        makeTable("ChainNoNd", kChainFields);
        Table table(dir.path(), "ChainNoNd");
        table.setReadOnly(false);
        table.open();
        for (const auto& row : rows) {
            table.append();
            table.setField("链号", Value(row.number));
            table.setField("节距", Value(row.pitch));
            table.setField("编号", Value(row.key));
            table.post();
        }
    }

    // Appends one row to the table `name` with `field` set, through a writable open of its own.
    void appendRow(const std::string& name, const std::string& field, const Value& value) {
        Table table(dir.path(), name);
        table.setReadOnly(false);
        table.open();
        table.append();
        table.setField(field, value);
        table.post();
    }

    std::vector<std::string> column(Dataset& data, const std::string& field) {
        std::vector<std::string> values;
        for (data.first(); !data.eof(); data.next()) {
            values.push_back(data.text(field));
        }
        return values;
    }

    TempDir dir;
};

TEST_F(StoreTest, NamesIgnoreCaseAndTheDbEnding) {
    makeTable("Hty_Rec_UnNamed", kHistoryFields);
    for (const char* name :
         {"Hty_Rec_UnNamed", "hty_rec_unnamed", "Hty_Rec_Unnamed.DB", "HTY_REC_UNNAMED.db"}) {
        Table table(dir.path(), name);
        EXPECT_TRUE(table.exists()) << name;
        EXPECT_NO_THROW(table.open()) << name;
        EXPECT_EQ(table.fieldCount(), 5);
    }
    // Creating under another spelling replaces the same files instead of adding a second table.
    makeTable("Hty_Rec_Unnamed", kHistoryFields);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 2); // the table file and its blob file
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Hty_Rec_UnNamed.mb"));
}

TEST_F(StoreTest, MissingTableOrDirectoryNamesTheFile) {
    Table missing(dir.path(), "TreName");
    EXPECT_FALSE(missing.exists());
    try {
        missing.open();
        FAIL() << "opened a missing table";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("TreName.db"), std::string::npos);
    }
    Table nowhere(dir.path() / "no-such-dir", "Result");
    try {
        nowhere.open();
        FAIL() << "opened a table in a missing directory";
    } catch (const StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("no-such-dir"), std::string::npos);
    }
    EXPECT_FALSE(missing.isOpen());
}

TEST_F(StoreTest, DamagedFilesRaiseErrorsInsteadOfCrashing) {
    makeTable("Result", kChainFields);
    {
        std::ofstream garbage(dir.path() / "Result.db", std::ios::binary | std::ios::trunc);
        garbage << "this is not a table at all, just some bytes of a broken copy";
    }
    Table table(dir.path(), "Result");
    EXPECT_THROW(table.open(), StoreError);
    EXPECT_FALSE(table.isOpen());

    makeTable("Hty", kHistoryFields);
    std::filesystem::remove(dir.path() / "Hty.mb");
    Table history(dir.path(), "Hty");
    EXPECT_THROW(history.open(), StoreError);
}

TEST_F(StoreTest, ReadOnlyTablesCannotBeWritten) {
    fillChains({{"08A", 12.7, 1}});
    const auto before = std::filesystem::last_write_time(dir.path() / "ChainNoNd.db");
    Table table(dir.path(), "ChainNoNd");
    EXPECT_TRUE(table.readOnly()); // the default
    table.open();
    EXPECT_THROW(table.append(), StoreError);
    EXPECT_THROW(table.deleteCurrent(), StoreError);
    table.close();
    EXPECT_EQ(std::filesystem::last_write_time(dir.path() / "ChainNoNd.db"), before);
}

TEST_F(StoreTest, CursorWalksInTableOrderAndStopsOnTheLastRow) {
    fillChains({{"08A", 12.7, 1}, {"10A", 15.875, 2}, {"12A", 19.05, 3}});
    Table table(dir.path(), "chainnond");
    table.open();
    EXPECT_EQ(column(table, "链号"), (std::vector<std::string>{"08A", "10A", "12A"}));
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.text("链号"), "12A"); // a walk without a match ends on the last row
    EXPECT_EQ(table.recordCount(), 3);
    table.first();
    EXPECT_FALSE(table.eof());
    EXPECT_EQ(table.text(0), "08A");
    EXPECT_EQ(table.number("节距"), 12.7);
    EXPECT_EQ(table.text("节距"), "12.7");
    EXPECT_EQ(table.field(2).integer(), 1);
    EXPECT_THROW(table.field("齿数"), StoreError);
    EXPECT_THROW(table.field(3), StoreError);
}

TEST_F(StoreTest, NullIsDistinguishableFromEmptyTextAndZero) {
    makeTable("T", kChainFields);
    Table table(dir.path(), "T");
    table.setReadOnly(false);
    table.open();
    table.append();
    table.setField("链号", Value(""));
    table.post();
    table.append();
    table.setField("节距", Value(0.0));
    table.post();
    table.close();
    table.open();
    table.first();
    EXPECT_FALSE(table.isNull("链号"));
    EXPECT_TRUE(table.isNull("节距"));
    EXPECT_FALSE(table.number("节距").has_value());
    table.next();
    EXPECT_TRUE(table.isNull("链号"));
    EXPECT_EQ(table.number("节距"), 0.0);
}

TEST_F(StoreTest, TextGivenToNumberFieldsIsParsedStrictly) {
    makeTable("T", kChainFields);
    Table table(dir.path(), "T");
    table.setReadOnly(false);
    table.open();
    table.append();
    table.setField("节距", Value("25.40"));
    table.setField("编号", Value("7"));
    EXPECT_THROW(table.setField("节距", Value("25,4")), StoreError);
    EXPECT_THROW(table.setField("编号", Value("7.5")), StoreError);
    EXPECT_THROW(table.setField("链号", Value(Bytes{1, 2})), StoreError);
    table.post();
    EXPECT_EQ(table.number("节距"), 25.4);
    EXPECT_EQ(table.field("编号").integer(), 7);
}

TEST_F(StoreTest, AnUnpostedRowIsNeverStored) {
    makeTable("T", kChainFields);
    {
        Table table(dir.path(), "T");
        table.setReadOnly(false);
        table.open();
        table.append();
        table.setField("链号", Value("08A"));
        table.cancel();
        table.append();
        table.setField("链号", Value("10A"));
        // closed while inserting: the row is dropped, as a crash before the post would drop it
    }
    Table table(dir.path(), "T");
    table.open();
    EXPECT_TRUE(table.isEmpty());
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.recNo(), -1);
    EXPECT_TRUE(table.field("链号").isNull()); // an empty table reads as null
}

TEST_F(StoreTest, DeletingRowsKeepsTheRestInOrder) {
    fillChains({{"A", 1, 1}, {"B", 2, 2}, {"C", 3, 3}, {"D", 4, 4}, {"E", 5, 5}});
    Table table(dir.path(), "ChainNoNd");
    table.setReadOnly(false);
    table.open();
    table.moveTo(1);
    table.deleteCurrent();
    EXPECT_EQ(table.text("链号"), "C"); // the cursor goes to the next row
    table.deleteRows(10);               // more than there are: to the end
    EXPECT_EQ(table.text("链号"), "A");
    table.close();
    table.open();
    EXPECT_EQ(column(table, "链号"), (std::vector<std::string>{"A"}));
    table.close();
    table.open();
    table.last();
    table.deleteCurrent();
    EXPECT_TRUE(table.isEmpty());
    table.append();
    table.setField("链号", Value("F"));
    table.post();
    table.emptyTable();
    EXPECT_TRUE(table.isEmpty());
    table.emptyTable(); // on an empty table: nothing happens
}

TEST_F(StoreTest, MemoAndGraphicFieldsLiveInTheBlobFileAndCopyWithTheRow) {
    makeTable("R_design", kHistoryFields);
    const Bytes picture{0x89, 'P', 'N', 'G', 0, 1, 2, 3, 255};
    {
        Table table(dir.path(), "R_design");
        table.setReadOnly(false);
        table.open();
        table.append();
        table.setField("项目", Value("小链轮齿数"));
        table.setField("公式", Value(picture));
        table.setField("说明", Value("小链轮齿数少则运动不均匀性大。\n第二行"));
        table.post();
    }
    EXPECT_GT(std::filesystem::file_size(dir.path() / "R_design.mb"), 0u);

    Table source(dir.path(), "R_design");
    source.open();
    Table copy(dir.path(), "Hty_Rec_UnNamed");
    copy.setFieldDefs(source.fields());
    copy.create();
    copy.setReadOnly(false);
    copy.open();
    copy.append();
    copy.copyFieldsFrom(source);
    copy.setField("步骤", Value(1));
    copy.post();
    copy.close();
    copy.setReadOnly(true);
    copy.open();
    EXPECT_EQ(copy.field("公式").bytes(), picture);
    EXPECT_EQ(copy.text("说明"), "小链轮齿数少则运动不均匀性大。\n第二行");
    EXPECT_EQ(copy.text("项目"), "小链轮齿数");
    EXPECT_EQ(copy.field("步骤").integer(), 1);
    EXPECT_TRUE(copy.isNull("数值"));
}

TEST_F(StoreTest, AnEmptyMemoIsStoredAsAnEmptyText) {
    makeTable("T", kHistoryFields);
    Table table(dir.path(), "T");
    table.setReadOnly(false);
    table.open();
    table.append();
    table.setField("说明", Value(""));
    table.post();
    table.close();
    table.open();
    EXPECT_FALSE(table.isNull("说明"));
    EXPECT_EQ(table.text("说明"), "");
}

TEST_F(StoreTest, EditChangesTheCurrentRowInPlace) {
    fillChains({{"08A", 12.7, 1}, {"10A", 15.875, 2}});
    Table table(dir.path(), "ChainNoNd");
    table.setReadOnly(false);
    table.open();
    table.first();
    table.edit();
    table.setField("节距", Value(12.75));
    EXPECT_EQ(table.number("节距"), 12.75); // the row being edited reads back its new value
    table.post();
    table.close();
    table.open();
    EXPECT_EQ(column(table, "节距"), (std::vector<std::string>{"12.75", "15.875"}));
}

TEST_F(StoreTest, CreateReplacesTheOldTableWithAnEmptyOne) {
    fillChains({{"08A", 12.7, 1}});
    Table table(dir.path(), "ChainNoNd");
    table.setFieldDefs({{"项目", FieldKind::Text, 40}});
    table.create();
    table.open();
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(table.fieldCount(), 1);
    EXPECT_THROW(table.create(), StoreError); // not while open
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".new"), std::string::npos);
    }
}

// Read-only opens reuse a kept connection; every change made to the files since, by this process
// or by copying another file over them, must show at the next open.
TEST_F(StoreTest, AReadOnlyOpenSeesTheFileAsItIsNow) {
    const auto rowsNow = [&] {
        Table table(dir.path(), "ChainNoNd");
        table.open();
        return column(table, "链号");
    };
    fillChains({{"08A", 12.7, 1}});
    EXPECT_EQ(rowsNow(), (std::vector<std::string>{"08A"}));
    appendRow("ChainNoNd", "链号", Value("10A"));
    EXPECT_EQ(rowsNow(), (std::vector<std::string>{"08A", "10A"}));

    const auto saved = dir.path() / "saved.db";
    std::filesystem::copy_file(dir.path() / "ChainNoNd.db", saved);
    fillChains({{"16A", 25.4, 2}}); // made anew: a new file under the same name
    EXPECT_EQ(rowsNow(), (std::vector<std::string>{"16A"}));
    std::filesystem::copy_file(saved, dir.path() / "ChainNoNd.db",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(rowsNow(), (std::vector<std::string>{"08A", "10A"}));

    std::filesystem::remove(dir.path() / "ChainNoNd.db");
    EXPECT_THROW(rowsNow(), StoreError);
}

// Tables read ahead on another thread open as they are when opened: a table changed since is read
// anew, and one missing or damaged is reported by its own open as without the read-ahead.
TEST_F(StoreTest, TablesReadAheadOpenAsTheyAreNow) {
    fillChains({{"08A", 12.7, 1}});
    makeTable("R_design", kHistoryFields);
    std::ofstream(dir.path() / "Broken.db") << "not a table";
    prefetchTables(dir.path(), {"ChainNoNd", "R_design", "Broken", "Missing"});
    appendRow("ChainNoNd", "链号", Value("10A"));
    Table chains(dir.path(), "ChainNoNd");
    chains.open();
    EXPECT_EQ(column(chains, "链号"), (std::vector<std::string>{"08A", "10A"}));
    Table design(dir.path(), "R_design");
    EXPECT_NO_THROW(design.open());
    for (const char* name : {"Broken", "Missing"}) {
        Table table(dir.path(), name);
        EXPECT_THROW(table.open(), StoreError) << name;
    }
}

TEST_F(StoreTest, AMemoFileSpeltInAnotherCaseIsTheTablesOwn) {
    makeTable("R_design", kHistoryFields);
    appendRow("R_design", "说明", Value("备注"));
    std::filesystem::rename(dir.path() / "R_design.mb", dir.path() / "R_DESIGN.MB");
    for (const bool readOnly : {true, false}) {
        Table table(dir.path(), "r_design");
        table.setReadOnly(readOnly);
        table.open();
        EXPECT_EQ(table.text("说明"), "备注") << readOnly;
    }
}

class QueryTest : public StoreTest {
protected:
    void SetUp() override {
        fillChains({{"08A", 12.7, 1}, {"16A", 25.4, 2}, {"10A", 15.875, 1}, {"12A", 19.05, 2}});
    }
};

TEST_F(QueryTest, OrderByDescending) {
    Query query(dir.path());
    query.setSql("Select * from ChainNoNd\nOrder by ChainNoNd.\"节距\" Desc");
    query.open();
    EXPECT_EQ(column(query, "链号"), (std::vector<std::string>{"16A", "12A", "10A", "08A"}));
}

TEST_F(QueryTest, WhereWithLiteralsAndComparisons) {
    struct Case {
        const char* where;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {R"(Where ("ChainNoNd"."节距"=12.70))", {"08A"}},
        {R"(Where ("ChainNoNd"."节距"=15.875))", {"10A"}},
        {R"(Where (ChainNoNd."节距">15.875))", {"16A", "12A"}},
        {R"(Where ("ChainNoNd"."编号"=2) and ("ChainNoNd"."节距">20))", {"16A"}},
        {R"(where "ChainNoNd"."链号"='10A')", {"10A"}},
        {R"(Where (ChainNoNd."节距">99))", {}},
    };
    for (const auto& c : cases) {
        Query query(dir.path());
        query.setSql(std::string("Select * from ChainNoNd\n") + c.where);
        query.open();
        EXPECT_EQ(column(query, "链号"), c.expected) << c.where;
    }
}

TEST_F(QueryTest, ParameterFollowsTheMasterRow) {
    makeTable("Master", {{"编号", FieldKind::Integer, 0}});
    {
        Table master(dir.path(), "Master");
        master.setReadOnly(false);
        master.open();
        for (int key : {2, 1, 3}) {
            master.append();
            master.setField("编号", Value(key));
            master.post();
        }
    }
    Table master(dir.path(), "Master");
    master.open();
    master.first();
    Query query(dir.path());
    query.setMaster(&master);
    query.setSql("Select * from ChainNoNd\nWhere (ChainNoNd.\"编号\"=:\"编号\") and "
                 "(ChainNoNd.\"节距\">13)");
    query.open();
    EXPECT_EQ(column(query, "链号"), (std::vector<std::string>{"16A", "12A"}));
    master.next();
    EXPECT_EQ(column(query, "链号"), (std::vector<std::string>{"10A"}));
    master.next();
    EXPECT_TRUE(query.isEmpty()); // key 3 has no rows
    master.close();
    EXPECT_FALSE(query.isOpen());
}

TEST_F(QueryTest, TextsAreBoundNeverPastedIntoSql) {
    // A quoted text that looks like SQL is just a value to compare with.
    Query query(dir.path());
    query.setSql("Select * from ChainNoNd\nWhere (ChainNoNd.\"链号\"='x'' OR 1=1 --')");
    query.open();
    EXPECT_TRUE(query.isEmpty());
    Table table(dir.path(), "ChainNoNd");
    table.open();
    EXPECT_EQ(table.recordCount(), 4);
}

TEST_F(QueryTest, StatementsOutsideTheFormsAreRefused) {
    for (const char* sql : {
             "Delete from ChainNoNd",
             "Select 链号 from ChainNoNd",
             "Select * from ChainNoNd; drop table zv_rows",
             "Select * from ChainNoNd\nWhere (ChainNoNd.\"节距\"=12.7",
             "Select * from ChainNoNd\nWhere (Other.\"节距\"=12.7)",
             "Select * from ChainNoNd\nOrder by ChainNoNd.\"节距\" Desc\nOrder by \"链号\"",
             "Select * from ChainNoNd\nWhere (ChainNoNd.\"节距\" like 1)",
         }) {
        Query query(dir.path());
        query.setSql(sql);
        EXPECT_THROW(query.open(), StoreError) << sql;
        EXPECT_FALSE(query.isOpen());
    }
    Query unknownField(dir.path());
    unknownField.setSql("Select * from ChainNoNd\nOrder by \"齿数\"");
    EXPECT_THROW(unknownField.open(), StoreError);
    Query withoutMaster(dir.path());
    withoutMaster.setSql("Select * from ChainNoNd\nWhere (\"编号\"=:\"编号\")");
    EXPECT_THROW(withoutMaster.open(), StoreError);
}

} // namespace
} // namespace zorvane::store

namespace zorvane::store {
namespace {

TEST_F(QueryTest, ADestroyedMasterIsForgottenNotTouched) {
    Query query(dir.path());
    bool gone = false;
    {
        Table master(dir.path(), "ChainNoNd");
        master.open();
        master.subscribe([] {}, [&] { gone = true; });
        query.setMaster(&master);
        query.setSql("Select * from ChainNoNd\nWhere (ChainNoNd.\"编号\"=:\"编号\")");
        query.open();
        EXPECT_EQ(query.recordCount(), 2);
    }
    EXPECT_TRUE(gone);
    query.setMaster(nullptr); // must not reach the destroyed master
    EXPECT_EQ(query.recordCount(), 2);
}

} // namespace
} // namespace zorvane::store
