// Hostile input through the batch runner: values far outside any real drive, damaged reference
// tables, an unknown chain number and scenario files built to exhaust the reader. Whatever is
// given, the design is either real and finite or stops with a Chinese message saying where.

#include "core/design/reference_data.h"
#include "core/design/reference_manifest.h"
#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/project/file_commands.h"
#include "core/store/table.h"
#include "core/text/number_text.h"
#include "support/workspace.h"
#include "tools/calc/json_places.h"
#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace zorvane::calc {
namespace {

namespace fs = std::filesystem;

// Two English words in a row outside the “…” that quote names (of files, tables, fields).
bool hasEnglishWords(const std::string& message) {
    static const std::regex quoted("“[^”]*”");
    static const std::regex words("[A-Za-z]+[ :,.]+[A-Za-z]+");
    return std::regex_search(std::regex_replace(message, quoted, "“”"), words);
}

struct RunResult {
    RunOutcome outcome;
    nlohmann::json json;
};

RunResult runOn(const testing::Workspace& workspace, const std::string& scenario) {
    RunResult run;
    run.outcome = runScenario(parseScenario(scenario, "s.json"),
                              {workspace.path(), workspace.database(), {}, {}, {}});
    run.json = nlohmann::json::parse(run.outcome.json);
    return run;
}

// Every text of the working tables, and every message shown.
void expectHonest(const RunResult& run) {
    for (const char* table : {"init", "result", "size", "history"}) {
        for (const auto& row : run.json[table]) {
            for (const auto& cell : row) {
                if (cell.is_string()) {
                    EXPECT_FALSE(text::isNonFiniteText(cell.get<std::string>()))
                        << table << ": " << cell;
                }
            }
        }
    }
    for (const auto& entry : run.json["log"]) {
        EXPECT_FALSE(hasEnglishWords(entry["text"].get<std::string>())) << entry["text"];
    }
}

std::vector<std::string> errors(const RunResult& run) {
    std::vector<std::string> texts;
    for (const auto& entry : run.json["log"]) {
        if (entry["kind"] == "error") {
            texts.push_back(entry["text"]);
        }
    }
    return texts;
}

bool anyContains(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const auto& text) { return text.find(part) != std::string::npos; });
}

struct HostileCase {
    const char* name;
    const char* scenario;
    const char* field; // the input the refusal names
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileValueTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileValueTest, IsRefusedNamingTheInputAndNothingInfiniteIsStored) {
    const HostileCase& c = GetParam();
    testing::Workspace workspace;
    const RunResult run = runOn(workspace, c.scenario);
    EXPECT_FALSE(run.outcome.completed);
    expectHonest(run);
    EXPECT_TRUE(anyContains(errors(run), std::string(c.field) + "超出可计算的范围"))
        << run.outcome.json;
}

const HostileCase kHostileCases[] = {
    {"PowerBeyondAnyDrive", R"({"chain": "roller", "initial": {"edtPower": "1e306",
        "edtn1": "300", "edti": "3"}})",
     "传递功率"},
    {"PowerLargestNumber", R"({"chain": "roller", "initial": {"edtPower": "1e308",
        "edtn1": "300", "edti": "3"}})",
     "传递功率"},
    {"RatioHuge", R"({"chain": "roller", "initial": {"edtPower": "3", "edtn1": "300",
        "edti": "1e308"}})",
     "传动比"},
    {"RatioDenormal", R"({"chain": "toothed", "initial": {"edtPower": "3", "edtn1": "300",
        "edti": "1e-320"}})",
     "传动比"},
    {"GivenCentreDistanceHuge", R"({"chain": "roller", "initial": {"edtPower": "3",
        "edtn1": "300", "edti": "3", "chkInita": true, "edtInita": "1e308"}})",
     "中心距初值"},
    {"LifeDenormal", R"({"chain": "roller", "initial": {"edtPower": "3", "edtn1": "300",
        "edti": "3", "chkT": true, "edtT": "1e-320"}})",
     "使用寿命"},
    {"SmallSprocketTeethHuge", R"({"chain": "roller", "initial": {"edtPower": "3",
        "edtn1": "300", "edti": "3", "cbxV": 0}, "inputs": {"edtz1": "1e308"},
        "answers": [{"text": "不是推荐值", "answer": "yes"}]})",
     "小链轮齿数"},
    {"ToothedLargeSprocketTeethHuge", R"({"chain": "toothed", "initial": {"edtPower": "7.5",
        "edtn1": "960", "edti": "3"}, "inputs": {"edtDz2": "1e300"}})",
     "大链轮齿数"},
};

INSTANTIATE_TEST_SUITE_P(Runs, HostileValueTest, ::testing::ValuesIn(kHostileCases),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- damaged reference data -------------------------------------------------------------------

void replaceTable(const fs::path& database, const std::string& name,
                  const std::vector<store::FieldDef>& fields,
                  const std::vector<std::vector<std::string>>& rows) {
    fs::remove(database / (name + ".db"));
    fs::remove(database / (name + ".mb"));
    store::Table table(database, name);
    table.setFieldDefs(fields);
    table.create();
    table.setReadOnly(false);
    table.open();
    for (const auto& row : rows) {
        table.append();
        for (std::size_t k = 0; k < row.size(); ++k) {
            table.setField(static_cast<int>(k), store::Value(row[k]));
        }
        table.post();
    }
}

// Deletes the template's row whose `field` is `value`.
void dropRow(const fs::path& database, const std::string& name, const std::string& field,
             const std::string& value) {
    store::Table table(database, name);
    table.setReadOnly(false);
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        if (table.text(field) == value) {
            table.deleteCurrent();
            return;
        }
    }
    FAIL() << name << " has no row " << value;
}

// Deletes the last `count` rows of the table.
void dropLastRows(const fs::path& database, const std::string& name, int count) {
    store::Table table(database, name);
    table.setReadOnly(false);
    table.open();
    table.moveTo(table.recordCount() - count);
    table.deleteRows(count);
}

// Writes `value` into `field` of the row at `index`.
void changeValue(const fs::path& database, const std::string& name, int index,
                 const std::string& field, const store::Value& value) {
    store::Table table(database, name);
    table.setReadOnly(false);
    table.open();
    table.moveTo(index);
    table.edit();
    table.setField(field, value);
    table.post();
}

// The table again without the field `dropped`, its rows kept.
void dropField(const fs::path& database, const std::string& name, const std::string& dropped) {
    std::vector<store::FieldDef> fields;
    std::vector<std::vector<std::string>> rows;
    {
        store::Table table(database, name);
        table.open();
        for (const auto& field : table.fields()) {
            if (field.name != dropped) {
                fields.push_back(field);
            }
        }
        for (table.first(); !table.eof(); table.next()) {
            auto& row = rows.emplace_back();
            for (const auto& field : fields) {
                row.push_back(table.text(field.name));
            }
        }
    }
    replaceTable(database, name, fields, rows);
}

// Overwrites `count` bytes of the file from `offset` on.
void scribble(const fs::path& file, std::streamoff offset, std::size_t count) {
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(offset);
    out << std::string(count, '\x5a');
}

void rewriteManifest(const fs::path& database, const std::function<void(std::string&)>& edit) {
    const fs::path file = database / design::kManifestFileName;
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    std::string manifest = text.str();
    edit(manifest);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << manifest;
}

struct DamageCase {
    const char* name;
    const char* chain;
    std::function<void(const fs::path&)> damage;
    const char* message; // part of the refusal
};

void PrintTo(const DamageCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedReferenceTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedReferenceTest, StopsTheDesignNamingTheTable) {
    const DamageCase& c = GetParam();
    testing::Workspace workspace;
    c.damage(workspace.database());
    const RunResult run = runOn(workspace, std::string(R"({"chain": ")") + c.chain +
                                               R"(", "initial": {"edtPower": "3", "edtn1": "300",
                                         "edti": "3"}})");
    EXPECT_FALSE(run.outcome.completed);
    EXPECT_EQ(run.outcome.stoppedAt, "选择链种类");
    expectHonest(run);
    EXPECT_TRUE(anyContains(errors(run), c.message)) << run.outcome.json;
    EXPECT_TRUE(run.json["result"].empty());
}

const store::FieldDef kText{"x", store::FieldKind::Text, 20};

const DamageCase kDamageCases[] = {
    {"KaMissing", "roller", [](const fs::path& db) { fs::remove(db / "Ka.db"); },
     "中心距计算系数表“Ka”无法使用：找不到数据表文件"},
    {"KaNotATableFile", "toothed",
     [](const fs::path& db) { std::ofstream(db / "Ka.db", std::ios::trunc) << "Ka, r, 0.25\n"; },
     "无法读写：不是数据表文件"},
    {"KaADirectory", "roller",
     [](const fs::path& db) {
         fs::remove(db / "Ka.db");
         fs::create_directory(db / "Ka.db");
     },
     "是一个目录"},
    {"KaEmptied", "roller",
     [](const fs::path& db) {
         replaceTable(db, "Ka",
                      {{"r", store::FieldKind::Number, 0}, {"Ka", store::FieldKind::Number, 0}},
                      {});
     },
     "中心距计算系数表“Ka”中没有数据"},
    {"KaOfAnotherLayout", "toothed",
     [](const fs::path& db) {
         replaceTable(db, "Ka", {kText, {"y", store::FieldKind::Text, 20}},
                      {{"08A", "12.7"}, {"10A", "15.875"}});
     },
     "中心距计算系数表“Ka”第 1 行的第 1 个字段不是数值"},
    {"KaOutOfOrder", "roller",
     [](const fs::path& db) {
         replaceTable(db, "Ka",
                      {{"r", store::FieldKind::Number, 0}, {"Ka", store::FieldKind::Number, 0}},
                      {{"2", "0.24"}, {"1.5", "0.23"}});
     },
     "第 2 行的第 1 个字段没有按升序排列"},
    {"HistoryTemplateWithoutARow", "roller",
     [](const fs::path& db) { dropRow(db, "R_design", "项目", "设计功率"); },
     "滚子链历史记录模板“R_design”中没有项目为“设计功率”的一行"},
    {"SizeTemplateEmptied", "toothed",
     [](const fs::path& db) {
         store::Table table(db, "D_Size");
         table.setReadOnly(false);
         table.open();
         table.emptyTable();
     },
     "齿形链链轮尺寸模板“D_Size”中没有数据"},
    {"ResultTemplateWithoutItemField", "roller",
     [](const fs::path& db) {
         replaceTable(db, "Result",
                      {{"名目", store::FieldKind::Text, 40},
                       {"数值", store::FieldKind::Text, 80},
                       {"单位", store::FieldKind::Text, 20}},
                      {});
     },
     "结果表模板“Result”缺少字段“项目”"},

    // Changes that leave every table readable and well formed: only the manifest of the
    // installed data tells them.
    {"KaUpperHalfDeleted", "roller", [](const fs::path& db) { dropLastRows(db, "Ka", 74); },
     "中心距计算系数表“Ka”与安装的数据不一致（行数或内容被改动），设计不能继续。"
     "请重新安装程序的数据库目录。"},
    {"KaLastRowDeleted", "toothed", [](const fs::path& db) { dropLastRows(db, "Ka", 1); },
     "中心距计算系数表“Ka”与安装的数据不一致"},
    {"RollerLoadChanged", "roller",
     [](const fs::path& db) { changeValue(db, "Roller", 3, "单排极限拉伸载荷Qmin", 1.0e6); },
     "滚子链数据表“Roller”与安装的数据不一致"},
    {"HistoryFormulaPictureChanged", "roller",
     [](const fs::path& db) {
         changeValue(db, "R_design", 0, "公式", store::Value(store::Bytes{0x89, 'P', 'N', 'G'}));
     },
     "滚子链历史记录模板“R_design”与安装的数据不一致"},
    {"DcRowDeleted", "toothed", [](const fs::path& db) { dropLastRows(db, "Dc", 1); },
     "齿形链节距表“Dc”与安装的数据不一致"},
    {"DcChildFieldDropped", "toothed", [](const fs::path& db) { dropField(db, "DcChild", "链号"); },
     "齿形链链宽表“DcChild”与安装的数据不一致"},
    {"DcGarbled", "toothed", [](const fs::path& db) { scribble(db / "Dc.db", 0, 4096); },
     "齿形链节距表“Dc”无法使用"},
    {"DcChildPagesGarbled", "toothed",
     [](const fs::path& db) { scribble(db / "DcChild.db", 1024, 8192); }, "齿形链链宽表“DcChild”"},
    {"HistoryPicturesGarbled", "roller",
     [](const fs::path& db) { scribble(db / "R_design.mb", 0, 8192); },
     "滚子链历史记录模板“R_design”无法使用"},
    {"ManifestMissing", "roller",
     [](const fs::path& db) { fs::remove(db / design::kManifestFileName); },
     "Reference.manifest”，无法核对滚子链链号表“ChainNoNd”，设计不能继续。"},
    {"ManifestWithoutKa", "toothed",
     [](const fs::path& db) {
         rewriteManifest(db, [](std::string& text) {
             const auto at = text.find("\nKa ");
             text.erase(at + 1, text.find('\n', at + 1) - at);
         });
     },
     "Reference.manifest”中没有中心距计算系数表“Ka”，设计不能继续。"},
    {"ManifestLineGarbled", "toothed",
     [](const fs::path& db) { rewriteManifest(db, [](std::string& text) { text += "Ka 12\n"; }); },
     "无法识别，无法核对中心距计算系数表“Ka”"},
};

INSTANTIATE_TEST_SUITE_P(Runs, DamagedReferenceTest, ::testing::ValuesIn(kDamageCases),
                         [](const auto& row) { return std::string(row.param.name); });

// A saved design opens only over the installed reference data; over a changed table it is
// refused naming the table, and no design stays open.
TEST(ReferenceDataTest, ASavedDesignOpensOnlyOverTheInstalledData) {
    testing::Workspace saved;
    const fs::path project = saved.path() / "p.chn";
    runScenario(parseScenario(R"({"chain": "roller", "initial": {"edtPower": "3", "edtn1": "300",
                                  "edti": "3"}})",
                              "s.json"),
                {saved.path(), saved.database(), {}, project, {}});
    const struct {
        const char* name;
        std::function<void(const fs::path&)> damage;
        const char* refusal; // empty: the design opens
    } rows[] = {
        {"clean", [](const fs::path&) {}, ""},
        {"Ka halved", [](const fs::path& db) { dropLastRows(db, "Ka", 74); },
         "中心距计算系数表“Ka”与安装的数据不一致"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        testing::Workspace at;
        row.damage(at.database());
        design::ScriptedInteraction ui;
        design::DesignSession session{at.path(), ui};
        project::FileCommands commands{session};
        const bool opened = commands.openFile(project.string());
        EXPECT_EQ(opened, *row.refusal == '\0');
        EXPECT_EQ(session.chain().has_value(), opened);
        if (!opened) {
            ASSERT_FALSE(ui.log().empty());
            EXPECT_EQ(ui.log().back().kind, "error");
            EXPECT_NE(ui.log().back().text.find(row.refusal), std::string::npos)
                << ui.log().back().text;
        }
    }
}

TEST(ReferenceDataTest, TheBuiltDatabasePassesEveryCheck) {
    for (const auto chain : {design::Chain::Roller, design::Chain::Toothed}) {
        EXPECT_NO_THROW(design::checkReferenceData(ZORVANE_BUILT_DATABASE, chain));
    }
}

TEST(UnknownChainNumberTest, TheScriptedDialogRefusesIt) {
    testing::Workspace workspace;
    // 2000 kW at 300 r/min: no chain carries it, so the chain is chosen by hand.
    const RunResult run = runOn(workspace, R"({"chain": "roller", "initial": {"edtPower": "2000",
        "edtn1": "300", "edti": "3", "cbxV": 0}, "inputs": {"TfrmNode": "99Z"}})");
    EXPECT_FALSE(run.outcome.completed);
    EXPECT_EQ(run.outcome.stoppedAt, "链条节距");
    expectHonest(run);
    EXPECT_TRUE(anyContains(errors(run), "链号“99Z”不在链号表“ChainNoNd”中"));
    for (const auto& row : run.json["result"]) {
        EXPECT_NE(row[0], "链号") << "a chain was recorded";
    }
}

// ---- scenario files built to exhaust the reader -----------------------------------------------

std::string scenarioError(const std::string& text) {
    try {
        parseScenario(text, "s.json");
    } catch (const ScenarioError& error) {
        return error.what();
    }
    return {};
}

TEST(ScenarioLimitsTest, DeepNestingIsRefusedAtTheLineItGoesTooDeep) {
    const std::string deep = "{\"chain\": \"roller\",\n\"rows\": " + std::string(64 * 1024, '[');
    EXPECT_EQ(scenarioError(deep), "场景文件“s.json”第 2 行：括号嵌套超过 64 层");
    // The scan stops at the limit: no more places than levels allowed.
    EXPECT_LE(scanJson(deep, kMaxScenarioDepth).places.size(), 66u);
}

TEST(ScenarioLimitsTest, AFileAboveTheSizeLimitIsRefused) {
    std::string big = "{\"chain\": \"roller\", \"prompts\": [\n";
    while (big.size() <= kMaxScenarioBytes) {
        big += "{\"caption\": \"c\", \"value\": \"1\"},\n";
    }
    EXPECT_NE(scenarioError(big).find("：文件大于 4 MB，不是场景文件"), std::string::npos);
}

// The places hold each key's text once, however deep it lies: memory in proportion to the file.
TEST(ScenarioLimitsTest, PlacesGrowWithTheTextNotWithItsDepth) {
    std::string text;
    for (int level = 0; level < kMaxScenarioDepth; ++level) {
        text += "{\"" + std::string(1000, 'k') + "\": ";
    }
    text += "1" + std::string(kMaxScenarioDepth, '}');
    const auto scan = scanJson(text, kMaxScenarioDepth);
    ASSERT_FALSE(scan.tooDeepAt);
    ASSERT_EQ(scan.places.size(), static_cast<std::size_t>(kMaxScenarioDepth));
    std::size_t held = 0;
    for (const auto& place : scan.places) {
        held += place.token.size();
    }
    EXPECT_LE(held, text.size());
    EXPECT_EQ(pointerOf(scan.places, scan.places.size() - 1).size(),
              static_cast<std::size_t>(kMaxScenarioDepth) * 1001);
}

TEST(ScenarioLimitsTest, ADuplicateKeyAfterManyPromptsIsFound) {
    std::string text = "{\"chain\": \"roller\", \"prompts\": [\n";
    for (int k = 0; k < 20000; ++k) {
        text += "{\"caption\": \"c\", \"value\": \"1\"},\n";
    }
    text += "{\"caption\": \"c\", \"caption\": \"d\", \"value\": \"1\"}]}";
    EXPECT_EQ(scenarioError(text),
              "场景文件“s.json”第 20002 行，键“prompts[20000].caption”：键重复出现");
}

} // namespace
} // namespace zorvane::calc
