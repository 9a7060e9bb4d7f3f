// The built reference database holds what the design steps, the managers and the browser read,
// and a build from the same sources gives the same bytes.

#include "core/design/reference_manifest.h"
#include "core/store/query.h"
#include "core/store/sha256.h"
#include "core/store/table.h"
#include "support/temp_dir.h"
#include "tools/dbbuild/csv_table.h"
#include "tools/dbbuild/database_builder.h"
#include "tools/dbbuild/formula_renderer.h"
#include "tools/dbbuild/graphic_painter.h"
#include "tools/dbbuild/program_coefficients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace zorvane::dbbuild {
namespace {

namespace fs = std::filesystem;
using store::FieldKind;
using store::Table;

const fs::path kDatabase = ZORVANE_BUILT_DATABASE;
const fs::path kDataDir = ZORVANE_DATA_DIR;

struct FieldRequirement {
    std::string name; // empty: the field is addressed by position only
    int position;     // -1: anywhere
    FieldKind kind;
};

struct TableRequirement {
    std::string table;
    std::vector<FieldRequirement> fields;
};

const std::vector<FieldRequirement> kSizeFields{
    {"名称", -1, FieldKind::Text},       {"符号", -1, FieldKind::Text},
    {"关系式", -1, FieldKind::Text},     {"小链轮数值", -1, FieldKind::Text},
    {"大链轮数值", -1, FieldKind::Text}, {"单位", -1, FieldKind::Text},
};

const std::vector<FieldRequirement> kHistoryFields{
    {"项目", -1, FieldKind::Text}, {"步骤", -1, FieldKind::Integer},
    {"符号", -1, FieldKind::Text}, {"数值", -1, FieldKind::Text},
    {"单位", -1, FieldKind::Text}, {"公式", -1, FieldKind::Graphic},
    {"说明", -1, FieldKind::Memo},
};

// Every table the program reads, with the fields it relies on.
const std::vector<TableRequirement> kTables{
    {"ChainNoNd", {{"链号", -1, FieldKind::Text}, {"节距", -1, FieldKind::Number}}},
    {"dKZnum", {{"", 0, FieldKind::Number}, {"编号", -1, FieldKind::Integer}}},
    {"dKmax",
     {{"编号", -1, FieldKind::Integer},
      {"节距", -1, FieldKind::Number},
      {"", 2, FieldKind::Number}}},
    {"Ka", {{"", 0, FieldKind::Number}, {"", 1, FieldKind::Number}}},
    {"Roller",
     {{"", 0, FieldKind::Text},
      {"单排极限拉伸载荷Qmin", -1, FieldKind::Number},
      {"单排每米质量q", -1, FieldKind::Number},
      {"内链节外宽b2max", -1, FieldKind::Number},
      {"销轴直径dzmax", -1, FieldKind::Number},
      {"滚子外径drmax", -1, FieldKind::Number},
      {"排距pt", -1, FieldKind::Number},
      {"内链板高度hmax", -1, FieldKind::Number}}},
    {"dkz", {{"小链轮齿数", -1, FieldKind::Number}, {"齿数系数", -1, FieldKind::Number}}},
    {"Dc", {{"节距", -1, FieldKind::Number}, {"编号", -1, FieldKind::Integer}}},
    {"DcChild", {{"编号", -1, FieldKind::Integer}, {"链宽", -1, FieldKind::Number}}},
    {"Result",
     {{"项目", -1, FieldKind::Text}, {"数值", -1, FieldKind::Text}, {"单位", -1, FieldKind::Text}}},
    {"R_Size", kSizeFields},
    {"D_Size", kSizeFields},
    {"Size_Unnamed", kSizeFields},
    {"R_design", kHistoryFields},
    {"D_Design", kHistoryFields},
};

// The item names the steps pass to AddSizeRow and AddEntry.
const std::map<std::string, std::vector<std::string>> kTemplateRows{
    {"R_Size",
     {"排距", "分度圆直径", "齿顶圆最大直径", "齿顶圆最小直径", "分度圆最大舷齿高",
      "分度圆最小舷齿高", "齿顶圆直径", "分度圆舷齿高", "齿根圆直径", "最大齿根距离",
      "齿侧凸缘或排间槽直径"}},
    {"D_Size",
     {"齿楔角", "分度圆直径", "齿顶圆直径", "齿槽定位圆半径", "分度角", "齿槽角", "齿形角",
      "齿面工作段最低点至节距线距离", "齿根间隙(h方向)", "齿根圆直径", "接触终止圆直径"}},
    {"R_design",
     {"小链轮齿数", "大链轮齿数", "平均传动比", "设计功率", "链条节距", "小链轮毂孔许用直径",
      "链条速度", "初定中心距", "链长节数", "链条长度", "使用寿命(疲劳寿命)", "理论中心距",
      "实际中心距", "有效圆周力", "作用于轴上的拉力", "静强度安全系数", "铰链比压",
      "使用寿命(磨损寿命)", "铰链许用比压"}},
    {"D_Design",
     {"小链轮齿数", "大链轮齿数", "平均传动比", "链条节距", "设计功率", "每米宽传递额定功率",
      "链宽", "初定中心距", "链长节数", "链条长度", "理论中心距", "实际中心距", "链条速度",
      "有效圆周力", "作用于轴上的拉力"}},
};

std::vector<double> numbers(store::Dataset& table, int position) {
    std::vector<double> values;
    for (table.first(); !table.eof(); table.next()) {
        values.push_back(table.number(position).value_or(NAN));
    }
    return values;
}

TEST(BuiltDatabase, HoldsEveryTableWithTheFieldsTheProgramReads) {
    for (const auto& requirement : kTables) {
        Table table(kDatabase, requirement.table);
        ASSERT_NO_THROW(table.open()) << requirement.table;
        for (const auto& field : requirement.fields) {
            const int position = field.name.empty() ? field.position : table.fieldIndex(field.name);
            ASSERT_GE(position, 0) << requirement.table << "." << field.name;
            ASSERT_LT(position, table.fieldCount()) << requirement.table;
            EXPECT_EQ(table.fields()[static_cast<std::size_t>(position)].kind, field.kind)
                << requirement.table << "." << field.name << " at " << position;
        }
        if (requirement.table != "Result" && requirement.table != "Size_Unnamed") {
            EXPECT_FALSE(table.isEmpty()) << requirement.table;
        }
    }
}

TEST(BuiltDatabase, WorkingTablesShareTheTemplatesLayouts) {
    Table rollerSizes(kDatabase, "R_Size"), toothedSizes(kDatabase, "D_Size"),
        sizes(kDatabase, "Size_Unnamed"), rollerHistory(kDatabase, "R_design"),
        toothedHistory(kDatabase, "D_Design");
    for (Table* table : {&rollerSizes, &toothedSizes, &sizes, &rollerHistory, &toothedHistory}) {
        table->open();
    }
    EXPECT_EQ(rollerSizes.fields(), toothedSizes.fields());
    EXPECT_EQ(sizes.fields(), rollerSizes.fields());
    EXPECT_TRUE(sizes.isEmpty());
    // History entries are copied field by field by position, so both templates line up.
    EXPECT_EQ(rollerHistory.fields(), toothedHistory.fields());
}

TEST(BuiltDatabase, TemplatesHoldEveryItemTheStepsRecord) {
    for (const auto& [name, items] : kTemplateRows) {
        Table table(kDatabase, name);
        table.open();
        const int key = table.fieldIndex(name.find("Size") != std::string::npos ? "名称" : "项目");
        std::multiset<std::string> present;
        for (table.first(); !table.eof(); table.next()) {
            present.insert(table.text(key));
        }
        for (const auto& item : items) {
            EXPECT_EQ(present.count(item), 1u) << name << " lacks or repeats " << item;
        }
        if (name.find("design") != std::string::npos || name.find("Design") != std::string::npos) {
            for (table.first(); !table.eof(); table.next()) {
                EXPECT_FALSE(table.isNull("符号")) << name << " " << table.text("项目");
                EXPECT_FALSE(table.field("公式").asBytes().empty()) << table.text("项目");
                EXPECT_GE(table.text("说明").size(), 30u) << table.text("项目");
            }
        }
    }
}

TEST(BuiltDatabase, RollerLoadsAreInNewtonsAndEveryChainNumberHasItsRow) {
    Table roller(kDatabase, "Roller"), chains(kDatabase, "ChainNoNd");
    roller.open();
    chains.open();
    std::map<std::string, double> loads;
    for (roller.first(); !roller.eof(); roller.next()) {
        loads[roller.text(0)] = *roller.number("单排极限拉伸载荷Qmin");
    }
    EXPECT_EQ(loads.at("08A"), 13900);
    EXPECT_EQ(loads.at("16A"), 55600);
    EXPECT_EQ(loads.at("48A"), 500000);
    for (chains.first(); !chains.eof(); chains.next()) {
        EXPECT_EQ(loads.count(chains.text("链号")), 1u) << chains.text("链号");
    }
}

TEST(BuiltDatabase, WalkedTablesAreInAscendingOrder) {
    Table ka(kDatabase, "Ka"), dkz(kDatabase, "dkz"), dKZnum(kDatabase, "dKZnum");
    ka.open();
    dkz.open();
    dKZnum.open();
    for (Table* table : {&ka, &dKZnum}) {
        const auto keys = numbers(*table, 0);
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << table->name();
    }
    EXPECT_GE(numbers(ka, 0).back(), 30.0); // ratios up to 30
    std::vector<double> odd;
    for (dkz.first(); !dkz.eof(); dkz.next()) {
        odd.push_back(*dkz.number("小链轮齿数"));
    }
    EXPECT_EQ(odd, (std::vector<double>{17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37}));
}

TEST(BuiltDatabase, HubBoreQueryFindsARowForEveryCountAndPitch) {
    Table dKZnum(kDatabase, "dKZnum"), chains(kDatabase, "ChainNoNd");
    dKZnum.open();
    chains.open();
    for (chains.first(); !chains.eof(); chains.next()) {
        const double pitch = *chains.number("节距");
        // The pitch text the step writes into the statement: 3 decimals for 15.875, else 2.
        std::ostringstream text;
        text.precision(pitch == 15.875 ? 3 : 2);
        text << std::fixed << pitch;
        store::Query query(kDatabase);
        query.setMaster(&dKZnum);
        query.setSql("Select * from dKmax\nWhere (\"dKmax\".\"编号\"=:\"编号\") and "
                     "(\"dKmax\".\"节距\"=" +
                     text.str() + ")");
        dKZnum.first();
        query.open();
        for (; !dKZnum.eof(); dKZnum.next()) {
            ASSERT_EQ(query.recordCount(), 1)
                << "pitch " << text.str() << " key " << dKZnum.text("编号");
            EXPECT_GT(*query.number(2), 0);
        }
    }
}

TEST(BuiltDatabase, EveryToothedPitchOffersWidths) {
    Table dc(kDatabase, "Dc");
    dc.open();
    store::Query widths(kDatabase);
    widths.setMaster(&dc);
    widths.setSql("Select * from DcChild\nWhere (DcChild.\"编号\"=:\"编号\") and "
                  "(DcChild.\"链宽\">0)");
    dc.first();
    widths.open();
    for (; !dc.eof(); dc.next()) {
        EXPECT_GT(widths.recordCount(), 0) << dc.text("节距");
        const auto values = numbers(widths, widths.fieldIndex("链宽"));
        EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << dc.text("节距");
    }
}

std::map<std::string, std::string> fileContents(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().filename().string()] = bytes.str();
    }
    return files;
}

std::vector<unsigned char> paint(const std::string& source) {
    return paintGraphic(source);
}

TEST(DatabaseBuild, IsReproducibleByteForByte) {
    // A build here against the one the build system made in its own process: two builds from the
    // same sources.
    testing::TempDir here;
    buildDatabase(kDataDir, here.path() / "database", paint);
    const auto a = fileContents(here.path() / "database");
    const auto built = fileContents(kDatabase);
    EXPECT_TRUE(a.count(std::string(design::kManifestFileName))) << "no manifest was written";
    for (const auto& [name, bytes] : a) {
        EXPECT_TRUE(built.count(name) && built.at(name) == bytes) << name << " differs from build";
    }
}

// The manifest's digest is SHA-256 itself: the standard's test strings, one fed in pieces that
// cross block boundaries.
TEST(DatabaseBuild, ManifestDigestIsSha256) {
    const struct {
        std::string text;
        std::size_t piece;
        const char* digest;
    } rows[] = {
        {"", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", 3, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 7,
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), 999,
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& row : rows) {
        store::Sha256 hash;
        for (std::size_t at = 0; at < row.text.size(); at += row.piece) {
            hash.add(std::string_view(row.text).substr(at, row.piece));
        }
        EXPECT_EQ(hash.hexDigest(), row.digest) << row.text.size() << " bytes";
    }
}

// The browser's coefficient tables must hold the program's values: a changed value stops the
// build with a message naming the table and the row.
TEST(DatabaseBuild, CoefficientTablesThatDisagreeWithTheProgramAreRefused) {
    testing::TempDir dir;
    fs::copy(kDatabase, dir.path(), fs::copy_options::recursive);
    EXPECT_NO_THROW(checkProgramCoefficients(dir.path()));
    for (const auto& [table, field] : {std::pair{"RPitchFactor", "节距系数c2"},
                                       std::pair{"RToothFactor", "Kz(n1不低于峰值转速)"},
                                       std::pair{"RRowFactor", "Kp(程序值)"}}) {
        testing::TempDir changed;
        fs::copy(kDatabase, changed.path(), fs::copy_options::recursive);
        Table t(changed.path(), table);
        t.setReadOnly(false);
        t.open();
        t.last();
        t.edit();
        t.setField(field, store::Value(9.99));
        t.post();
        t.close();
        try {
            checkProgramCoefficients(changed.path());
            ADD_FAILURE() << table << " was not refused";
        } catch (const SourceError& error) {
            EXPECT_NE(std::string(error.what()).find(table), std::string::npos) << error.what();
        }
    }
}

void writeFile(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

TEST(DatabaseBuild, ABadSourceNamesFileAndLineAndKeepsTheOldDatabase) {
    struct Case {
        const char* content;
        const char* message;
    };
    const std::vector<Case> cases{
        {"名称:text,节距:number\n08A,12.7\n10A,15,875\n", "第 3 行"},
        {"名称:text,节距:number\n08A,12.7a\n", "不是数值"},
        {"名称:text:3,编号:integer\n滚子链条,1\n", "超过 3 个字符"},
        {"名称:text,编号:integer\n08A,1.5\n", "不是整数"},
        {"名称:text,说明:memo\n08A,\"没有闭合\n", "引号没有闭合"},
        {"名称:string\n", "无法识别"},
        {"# 只有注释\n", "缺少字段定义行"},
        {"名称:text,公式:graphic\n08A,\\frac{a}\n", "公式无法绘制"},
    };
    for (const auto& c : cases) {
        testing::TempDir dir;
        writeFile(dir.path() / "data/tables/Bad.csv", c.content);
        writeFile(dir.path() / "database/keep.txt", "old");
        try {
            buildDatabase(dir.path() / "data", dir.path() / "database", paint);
            ADD_FAILURE() << "built from " << c.content;
        } catch (const std::exception& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("Bad.csv"), std::string::npos) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
        EXPECT_TRUE(fs::exists(dir.path() / "database/keep.txt")) << c.content;
    }
}

TEST(SourceTable, ParsesQuotesNullsAndLineBreaks) {
    const auto table = parseSourceTable("T",
                                        "# 来源: 测试\n"
                                        "a:text,b:number,c:memo\n"
                                        "\"x,y\",,\"第一行\n第二行 \"\"引号\"\"\"\n"
                                        "\"\",2.5,\n",
                                        "T.csv");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.fields[0].size, 40); // default text size
    EXPECT_EQ(*table.rows[0].cells[0].text, "x,y");
    EXPECT_FALSE(table.rows[0].cells[1].text.has_value());
    EXPECT_EQ(*table.rows[0].cells[2].text, "第一行\n第二行 \"引号\"");
    EXPECT_EQ(table.rows[1].line, 5);
    EXPECT_EQ(*table.rows[1].cells[0].text, "");
    EXPECT_FALSE(table.rows[1].cells[2].text.has_value());
}

} // namespace
} // namespace zorvane::dbbuild
