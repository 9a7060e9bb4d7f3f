// What the reference browser shows is data with a source: every value comes from a table source
// under data/ that names where it is from, nothing marks a gap or names a file, values are
// metric, and the roller table holds the standard's dimensions.

#include "core/store/table.h"
#include "tools/dbbuild/csv_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace zorvane::dbbuild {
namespace {

namespace fs = std::filesystem;
using store::FieldKind;
using store::Table;

const fs::path kDatabase = ZORVANE_BUILT_DATABASE;
const fs::path kTables = fs::path(ZORVANE_DATA_DIR) / "tables";

// The column that may keep a value in inches beside its conversion, and the word that may
// introduce one inside a note.
constexpr std::string_view kInchNote = "英制原值";

struct ForbiddenText {
    std::regex pattern;
    const char* what;
};

// Marks of unfinished gathering, and file names, that no cell or description may show.
const std::vector<ForbiddenText>& forbiddenTexts() {
    static const std::vector<ForbiddenText> texts{
        {std::regex("未找到|未见|未能查到|留空"), "a placeholder for a missing value"},
        {std::regex("读取的|本库|照录|见文件头|厂家值（英制"), "a working note"},
        {std::regex(R"([A-Za-z0-9_]+\.(csv|py|db|mb|md|txt|json)\b)"), "a file name"},
        {std::regex(R"(^\s*(-|—|–|－)\s*$)"), "a dash standing for a missing value"},
    };
    return texts;
}

// An inch value: "0.030 in", ".168 in", "3/8 in".
const std::regex kInchValue(R"((\d|\.\d)\s*in\b)");

std::vector<std::string> browserTables() {
    Table tree(kDatabase, "TreName");
    tree.open();
    std::vector<std::string> names;
    for (tree.first(); !tree.eof(); tree.next()) {
        for (const char* field : {"表名", "子表名"}) {
            const std::string name = tree.isNull(field) ? std::string() : tree.text(field);
            if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

bool namesASource(const fs::path& file) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line) && line.starts_with("#");) {
        if (line.find("来源") != std::string::npos) {
            return true;
        }
    }
    return false;
}

void expectShowsOnlyData(const std::string& where, const std::string& column,
                         const std::string& text) {
    for (const ForbiddenText& forbidden : forbiddenTexts()) {
        EXPECT_FALSE(std::regex_search(text, forbidden.pattern))
            << where << " shows " << forbidden.what << ": " << text;
    }
    if (column != kInchNote && text.find(kInchNote) == std::string::npos) {
        EXPECT_FALSE(std::regex_search(text, kInchValue))
            << where << " shows an inch value without its metric one: " << text;
    }
}

TEST(BrowserTables, EveryValueComesFromASourceRowThatNamesItsSource) {
    const auto names = browserTables();
    ASSERT_GE(names.size(), 30u);
    for (const std::string& name : names) {
        const fs::path file = kTables / (name + ".csv");
        ASSERT_TRUE(fs::exists(file)) << name << " has no source under data/tables";
        EXPECT_TRUE(namesASource(file)) << file.filename() << " does not name its source";
        const SourceTable source = readSourceTable(file);
        Table shown(kDatabase, name);
        shown.open();
        ASSERT_EQ(shown.fields().size(), source.fields.size()) << name;
        std::size_t row = 0;
        for (shown.first(); !shown.eof(); shown.next(), ++row) {
            ASSERT_LT(row, source.rows.size()) << name << " shows more rows than its source";
            const SourceRow& from = source.rows[row];
            for (std::size_t i = 0; i < source.fields.size(); ++i) {
                const auto& def = source.fields[i];
                const auto& cell = from.cells[i].text;
                const std::string where =
                    name + " line " + std::to_string(from.line) + " " + def.name;
                const int position = static_cast<int>(i);
                ASSERT_EQ(shown.field(position).isNull(), !cell.has_value()) << where;
                if (!cell || def.kind == FieldKind::Graphic) {
                    continue; // a graphic source is drawn into a picture at build time
                }
                if (def.kind == FieldKind::Number || def.kind == FieldKind::Integer) {
                    EXPECT_DOUBLE_EQ(*shown.number(position), std::stod(*cell)) << where;
                } else {
                    EXPECT_EQ(shown.text(position), *cell) << where;
                }
            }
        }
        EXPECT_EQ(row, source.rows.size()) << name << " lost rows of its source";
    }
}

TEST(BrowserTables, ShowDataNotGapsWithSourcesAndMetricValues) {
    for (const std::string& name : browserTables()) {
        Table shown(kDatabase, name);
        shown.open();
        for (shown.first(); !shown.eof(); shown.next()) {
            for (int i = 0; i < shown.fieldCount(); ++i) {
                const auto& def = shown.fields()[static_cast<std::size_t>(i)];
                if (def.kind == FieldKind::Graphic || shown.field(i).isNull()) {
                    continue;
                }
                expectShowsOnlyData(name + " " + def.name, def.name, shown.text(i));
            }
        }
    }
    Table tree(kDatabase, "TreName");
    tree.open();
    for (tree.first(); !tree.eof(); tree.next()) {
        const std::string leaf = tree.text("树型项目名");
        const std::string description = tree.text("说明");
        expectShowsOnlyData("the description of " + leaf, "说明", description);
        EXPECT_NE(description.find("\n来源："), std::string::npos)
            << "the description of " << leaf << " has no source line";
    }
}

// ISO 606 Table 1: d1 max, b1 min, d2 max, h2 max, pt, b2 max (mm).
struct StandardRow {
    const char* chain;
    double d1, b1, d2, h2, pt, b2;
};

TEST(RollerTable, RowsFollowIso606Table1) {
    const StandardRow standard[]{
        {"08A", 7.95, 7.85, 3.96, 12.07, 14.38, 11.18},
        {"16A", 15.88, 15.75, 7.92, 24.13, 29.29, 22.61},
        {"24A", 22.23, 25.22, 11.10, 36.20, 45.44, 35.46},
    };
    Table roller(kDatabase, "Roller");
    roller.open();
    for (const StandardRow& row : standard) {
        roller.first();
        while (!roller.eof() && roller.text(0) != row.chain) {
            roller.next();
        }
        ASSERT_FALSE(roller.eof()) << row.chain;
        const std::pair<const char*, double> fields[]{
            {"滚子外径drmax", row.d1},  {"内链节内宽b1min", row.b1}, {"销轴直径dzmax", row.d2},
            {"内链板高度hmax", row.h2}, {"排距pt", row.pt},          {"内链节外宽b2max", row.b2},
        };
        for (const auto& [field, value] : fields) {
            EXPECT_DOUBLE_EQ(*roller.number(field), value) << row.chain << " " << field;
        }
    }
}

} // namespace
} // namespace zorvane::dbbuild
