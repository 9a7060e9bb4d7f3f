#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/store_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace zorvane::records {
namespace {

using store::FieldDef;
using store::FieldKind;
using store::Table;
using store::Value;
using testing::TempDir;

void makeTable(const std::filesystem::path& dir, const std::string& name,
               const std::vector<FieldDef>& fields, const std::vector<store::Row>& rows = {}) {
    Table table(dir, name);
    table.setFieldDefs(fields);
    table.create();
    table.setReadOnly(false);
    table.open();
    for (const auto& row : rows) {
        table.append();
        for (std::size_t i = 0; i < row.size(); ++i) {
            table.setField(static_cast<int>(i), row[i]);
        }
        table.post();
    }
}

const std::vector<FieldDef> kSizeFields{
    {"名称", FieldKind::Text, 30},       {"符号", FieldKind::Text, 10},
    {"关系式", FieldKind::Text, 60},     {"小链轮数值", FieldKind::Text, 12},
    {"大链轮数值", FieldKind::Text, 12}, {"单位", FieldKind::Text, 6},
};

const std::vector<FieldDef> kHistoryFields{
    {"步骤", FieldKind::Integer, 0}, {"项目", FieldKind::Text, 20}, {"符号", FieldKind::Text, 10},
    {"数值", FieldKind::Text, 20},   {"单位", FieldKind::Text, 10}, {"公式", FieldKind::Graphic, 0},
    {"说明", FieldKind::Memo, 0},
};

// A database directory with the templates the managers read.
class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeTable(dir.path(), "Result",
                  {{"项目", FieldKind::Text, 30},
                   {"数值", FieldKind::Text, 20},
                   {"单位", FieldKind::Text, 10}});
        makeTable(
            dir.path(), "R_Size", kSizeFields,
            {{Value("分度圆直径"), Value("d"), Value("d = p/sin(180°/z)"), {}, {}, Value("mm")},
             {Value("齿根圆直径"), Value("df"), Value("df = d - d1"), {}, {}, Value("mm")}});
        makeTable(dir.path(), "Size_Unnamed", kSizeFields);
        makeTable(dir.path(), "R_design", kHistoryFields,
                  {{{},
                    Value("小链轮齿数"),
                    Value("z1"),
                    {},
                    Value(""),
                    Value(store::Bytes{1, 2, 3}),
                    Value("小链轮齿数的说明")},
                   {{},
                    Value("PD"),
                    Value("Pd"),
                    {},
                    Value("kW"),
                    Value(store::Bytes{4}),
                    Value("设计功率的说明")},
                   {{},
                    Value("链条速度"),
                    Value("v"),
                    {},
                    Value("m/s"),
                    Value(store::Bytes{5}),
                    Value("链速的说明")}});
    }

    static std::vector<std::string> items(Table& table, const char* field = "项目") {
        std::vector<std::string> values;
        for (table.first(); !table.eof(); table.next()) {
            values.push_back(table.text(field));
        }
        return values;
    }

    TempDir dir;
};

TEST_F(RecordsTest, RowsGoToTheTableTheLetterSelects) {
    ResultTables tables(dir.path(), "R", false);
    ASSERT_TRUE(tables.hasTables());
    tables.AddRow("传递功率", "7.5", "KW", "I");
    tables.AddRow("小链轮齿数", "19", "", "r");
    tables.AddRow("大链轮齿数", "57", "", "R");
    tables.AddRow("丢弃", "1", "", "x");
    EXPECT_EQ(items(*tables.initTable()), (std::vector<std::string>{"传递功率"}));
    EXPECT_EQ(items(*tables.resultTable()), (std::vector<std::string>{"小链轮齿数", "大链轮齿数"}));
    EXPECT_EQ(tables.resultTable()->text("数值"), "57");
    // Between operations the tables rest open and read-only.
    EXPECT_TRUE(tables.resultTable()->isOpen());
    EXPECT_TRUE(tables.resultTable()->readOnly());
    EXPECT_TRUE(tables.initTable()->readOnly());
}

TEST_F(RecordsTest, AnUnknownKindGivesAManagerWithoutTables) {
    EXPECT_FALSE(ResultTables(dir.path(), "x", false).hasTables());
    EXPECT_TRUE(ResultTables(dir.path(), "r", false).hasTables());
    EXPECT_FALSE(DesignHistory(dir.path(), "rd", false).hasTables()); // compared exactly
}

TEST_F(RecordsTest, ANewDesignStartsEmptyAndAProjectLoadKeepsTheTables) {
    {
        ResultTables tables(dir.path(), "r", false);
        tables.AddRow("a", "1", "", "r");
        tables.AddRow("b", "2", "", "i");
        tables.AddSizeRow("分度圆直径", 1, 2);
    }
    {
        ResultTables loaded(dir.path(), "r", true);
        EXPECT_EQ(loaded.resultTable()->recordCount(), 1);
        EXPECT_EQ(loaded.initTable()->recordCount(), 1);
        EXPECT_EQ(loaded.sizeTable()->recordCount(), 1);
    }
    ResultTables fresh(dir.path(), "R", false);
    EXPECT_TRUE(fresh.resultTable()->isEmpty());
    EXPECT_TRUE(fresh.initTable()->isEmpty());
    EXPECT_TRUE(fresh.sizeTable()->isEmpty()); // no sizes of an earlier design leak in
}

TEST_F(RecordsTest, ANewDesignRemakesAMissingSizeTable) {
    std::filesystem::remove(dir.path() / "Size_Unnamed.db");
    ResultTables tables(dir.path(), "r", false);
    tables.AddSizeRow("齿根圆直径", 60.794, 150.2);
    EXPECT_EQ(tables.sizeTable()->fields(), kSizeFields);
}

TEST_F(RecordsTest, MissingTemplateNamesTheFile) {
    std::filesystem::remove(dir.path() / "Result.db");
    try {
        ResultTables tables(dir.path(), "r", false);
        FAIL() << "created tables without the template";
    } catch (const store::StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("Result.db"), std::string::npos);
    }
    EXPECT_THROW(DesignHistory(dir.path() / "gone", "RD", false), store::StoreError);
}

TEST_F(RecordsTest, ClearTableAlwaysEmptiesTheSizesAndLeavesTablesClosed) {
    ResultTables tables(dir.path(), "r", false);
    tables.AddRow("初始", "1", "", "i");
    tables.AddRow("结果", "1", "", "r");
    tables.AddSizeRow("分度圆直径", 1, 2);
    tables.ClearTable("i");
    EXPECT_FALSE(tables.initTable()->isOpen());
    EXPECT_FALSE(tables.sizeTable()->isOpen());
    EXPECT_TRUE(tables.resultTable()->isOpen());
    tables.AddRow("新初始", "2", "", "i");
    EXPECT_EQ(items(*tables.initTable()), (std::vector<std::string>{"新初始"}));
    tables.OpenSize();
    EXPECT_TRUE(tables.sizeTable()->isEmpty());

    tables.AddSizeRow("分度圆直径", 1, 2);
    tables.ClearTable("r");
    EXPECT_FALSE(tables.resultTable()->isOpen());
    EXPECT_TRUE(tables.resultTable()->readOnly());
    tables.OpenResult();
    EXPECT_TRUE(tables.resultTable()->isEmpty());
    tables.OpenSize();
    EXPECT_TRUE(tables.sizeTable()->isEmpty());
    tables.ClearTable("q"); // any letter still empties the sizes; nothing else changes
    EXPECT_EQ(tables.initTable()->recordCount(), 1);
}

TEST_F(RecordsTest, DeleteFromCutsTheResultsBack) {
    struct Case {
        std::vector<std::string> rows;
        std::string item;
        std::vector<std::string> left;
    };
    const std::vector<Case> cases{
        {{"A", "链条速度", "B", "C"}, "链条速度", {"A"}},
        {{"A", "B"}, "链条速度", {"A", "B"}},
        {{}, "链条速度", {}},
        {{"x", "ABC", "y"}, "abc", {"x"}},
        {{"ABCD", "y"}, "abc", {"ABCD", "y"}},           // whole texts only
        {{"链条速度", "B", "链条速度"}, "链条速度", {}}, // the first match counts
    };
    for (const auto& c : cases) {
        ResultTables tables(dir.path(), "r", false);
        for (const auto& row : c.rows) {
            tables.AddRow(row, "1", "", "r");
        }
        tables.DeleteFrom(c.item);
        EXPECT_EQ(items(*tables.resultTable()), c.left) << c.item;
        EXPECT_TRUE(tables.resultTable()->readOnly());
    }
}

TEST_F(RecordsTest, SizeRowsCopyTheTemplateRowWithTwoDecimals) {
    ResultTables tables(dir.path(), "r", false);
    tables.AddSizeRow("分度圆直径", 60.794, 150.2);
    tables.AddSizeRow("分度圆直径", 60.794, 150.2);
    // An unknown name has no symbol or formula to copy: nothing is added.
    EXPECT_THROW(tables.AddSizeRow("不存在的尺寸", 1.005, -2), store::StoreError);
    tables.AddSizeRow("齿根圆直径", 1.005, -2);
    Table& size = *tables.sizeTable();
    ASSERT_EQ(size.recordCount(), 3);
    size.first();
    EXPECT_EQ(size.text("名称"), "分度圆直径");
    EXPECT_EQ(size.text("关系式"), "d = p/sin(180°/z)");
    EXPECT_EQ(size.text("小链轮数值"), "60.79");
    EXPECT_EQ(size.text("大链轮数值"), "150.20");
    EXPECT_EQ(size.text("单位"), "mm");
    size.last();
    EXPECT_EQ(size.text("名称"), "齿根圆直径");
    EXPECT_EQ(size.text("大链轮数值"), "-2.00");
    tables.ClearSize();
    EXPECT_TRUE(size.isEmpty());
    tables.ClearSize();
}

TEST(HistoryValueText, WidthsAndDecimalsFollowTheMagnitude) {
    const std::vector<std::pair<double, std::string>> cases{
        {3.14159, "  3.14"}, {0.5, "0.50000"}, {0.0, "0.0000000"},    {-0.5, "-0.50000"},
        {1.0, "1.00000"},    {1.5, "  1.50"},  {1234.567, "1234.57"}, {0.001, "0.0010000"},
        {0.0011, "0.00110"}, {-1.5, " -1.50"}, {120.5, "120.50"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(DesignHistory::valueText(value), text) << value;
    }
}

TEST_F(RecordsTest, EntriesCopyTheTemplateRowAndNumberTheSteps) {
    DesignHistory history(dir.path(), "RD", false);
    history.AddEntry("小链轮齿数", 19);
    history.AddEntry("pd", 7.5); // Latin letters without regard to case
    // An unknown item has no template row to copy: nothing is added.
    EXPECT_THROW(history.AddEntry("未知项目", 0.25), store::StoreError);
    history.AddEntry("链条速度", 0.25);
    Table& table = *history.historyTable();
    ASSERT_EQ(table.recordCount(), 3);
    table.first();
    EXPECT_EQ(table.field("步骤").integer(), 1);
    EXPECT_EQ(table.text("数值"), " 19.00");
    EXPECT_EQ(table.text("说明"), "小链轮齿数的说明");
    EXPECT_EQ(table.field("公式").bytes(), (store::Bytes{1, 2, 3}));
    table.next();
    EXPECT_EQ(table.text("符号"), "Pd");
    EXPECT_EQ(table.text("单位"), "kW");
    table.next();
    EXPECT_EQ(table.text("项目"), "链条速度");
    EXPECT_EQ(table.text("数值"), "0.25000");
    EXPECT_EQ(table.field("步骤").integer(), 3);
    EXPECT_TRUE(table.readOnly());
}

TEST_F(RecordsTest, StepNumbersContinueAfterACutBack) {
    DesignHistory history(dir.path(), "RD", false);
    for (int i = 0; i < 4; ++i) {
        history.AddEntry("小链轮齿数", i);
    }
    for (int i = 0; i < 5; ++i) {
        history.AddEntry("链条速度", i);
    }
    history.DeleteFrom("链条速度");
    EXPECT_EQ(history.historyTable()->recordCount(), 4);
    history.AddEntry("链条速度", 2);
    history.historyTable()->last();
    EXPECT_EQ(history.historyTable()->field("步骤").integer(), 5);
    history.DeleteFrom("无此项目");
    EXPECT_EQ(history.historyTable()->recordCount(), 5);
    history.ClearHistory();
    EXPECT_TRUE(history.historyTable()->isEmpty());
    history.AddEntry("小链轮齿数", 1);
    history.historyTable()->first();
    EXPECT_EQ(history.historyTable()->field("步骤").integer(), 1);
}

TEST_F(RecordsTest, AProjectLoadKeepsTheHistoryAndOpensTheTemplateOnDemand) {
    {
        DesignHistory history(dir.path(), "RD", false);
        history.AddEntry("小链轮齿数", 19);
        history.CloseHistory();
        EXPECT_FALSE(history.historyTable()->isOpen());
        history.OpenHistory();
    }
    DesignHistory loaded(dir.path(), "RD", true);
    EXPECT_EQ(loaded.historyTable()->recordCount(), 1);
    loaded.OpenTemplate("R");
    loaded.AddEntry("链条速度", 2.5);
    EXPECT_EQ(items(*loaded.historyTable()), (std::vector<std::string>{"小链轮齿数", "链条速度"}));
}

} // namespace
} // namespace zorvane::records
