// The batch runner below its command line: the messages of scenarios it cannot read, and the
// guards that end a run going nowhere as the runner reports them.

#include "core/drive/scenario_interaction.h"
#include "support/temp_dir.h"
#include "support/workspace.h"
#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zorvane::calc {
namespace {

struct ErrorCase {
    const char* name;
    const char* text;
    const char* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class ScenarioErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ScenarioErrorTest, NamesTheFileTheLineAndTheKey) {
    const ErrorCase& c = GetParam();
    try {
        parseScenario(c.text, "s.json");
        FAIL() << "read without an error";
    } catch (const ScenarioError& error) {
        EXPECT_EQ(std::string(error.what()), c.message);
    }
}

const ErrorCase kErrorCases[] = {
    // The parser fails at the line feed inside the text that the stray quote opened.
    {"BadJson",
     "{\n  \"chain\": \"roller\",\n  \"initial\": {\n    \"edtPower\": \"3\",\n"
     "    \"edtn1\": 300\"\n  }\n}\n",
     "场景文件“s.json”第 5 行第 18 列，键“initial.edtn1”之后：不是有效的 JSON"},
    {"TruncatedJson", "{\n  \"chain\": \"roller\",\n  \"rows\": [",
     "场景文件“s.json”第 3 行第 12 列，键“rows”之后：不是有效的 JSON"},
    {"ListGivenAsText",
     "{\n  \"chain\": \"roller\",\n  \"initial\": {\n    \"edtPower\": \"3\",\n"
     "    \"cbxV\": \"0\"\n  }\n}\n",
     "场景文件“s.json”第 5 行，键“initial.cbxV”：应为 0 到 3 的列表项序号"},
    {"EditBoxGivenAsNumber", "{\"chain\": \"roller\",\n\"initial\": {\"edtn1\": 300}}",
     "场景文件“s.json”第 2 行，键“initial.edtn1”：应为文本"},
    {"UnknownChain", "{\n  \"chain\": \"belt\"\n}",
     "场景文件“s.json”第 2 行，键“chain”：应为 \"roller\" 或 \"toothed\"，而不是 \"belt\""},
    {"MissingChain", "{\n  \"rows\": 1\n}",
     "场景文件“s.json”第 1 行，键“chain”：缺少此键（应为 \"roller\" 或 \"toothed\"）"},
    // Braces, brackets and quotes inside texts do not move the line that is found.
    {"AnswerNotAButton",
     "{\n  \"chain\": \"roller\",\n  \"answers\": [\n    {\"text\": \"a {[\\\"\", \"answer\": "
     "\"yes\"},\n    {\"text\": \"b\",\n     \"answer\": \"maybe\"}\n  ]\n}",
     "场景文件“s.json”第 6 行，键“answers[1].answer”：应为 \"yes\"、\"no\" 或 \"cancel\""},
    {"RowItemOutOfRange", "{\"chain\": \"roller\",\n\n\"rows\": 8}",
     "场景文件“s.json”第 3 行，键“rows”：应为 0 到 7 的列表项序号"},
    {"MisspeltControl", "{\"chain\": \"roller\", \"initial\": {\n  \"edtpower\": \"3\"}}",
     "场景文件“s.json”第 2 行，键“initial.edtpower”：不是初始条件面板上的控件"},
    {"LifeOnTheToothedChain", "{\"chain\": \"toothed\", \"initial\": {\n  \"chkT\": true}}",
     "场景文件“s.json”第 2 行，键“initial.chkT”：只用于滚子链"},
    {"RollerFieldOnTheToothedChain",
     "{\"chain\": \"toothed\",\n \"inputs\": {\"edtDz1\": \"29\",\n  \"edtz1\": [\"15\"]}}",
     "场景文件“s.json”第 3 行，键“inputs.edtz1”：不用于齿形链"},
    {"EmptyList", "{\"chain\": \"toothed\",\n \"inputs\": {\"edtDz1\": []}}",
     "场景文件“s.json”第 2 行，键“inputs.edtDz1”：应为文本或非空的文本数组"},
    {"DuplicateKey", "{\"chain\": \"roller\",\n \"initial\": {\"edti\": \"3\",\n \"edti\": \"4\"}}",
     "场景文件“s.json”第 3 行，键“initial.edti”：键重复出现"},
    {"UnknownTopKey", "{\"chain\": \"roller\",\n \"input\": {}}",
     "场景文件“s.json”第 2 行，键“input”：未知的键"},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ScenarioTest, ControlsFillTheInitialInputsAndListsTheirItemTexts) {
    const Scenario s = parseScenario(R"({"chain": "roller", "rows": 1,
        "initial": {"edtPower": "3", "cbxFloat": 0, "cbxTight": 2, "chkTight": false,
                    "cbxie": 1},
        "inputs": {"edtz2": ["44", "45"], "TfrmNode": "16A"},
        "answers": [{"text": "过渡链节", "answer": "cancel"}],
        "prompts": [{"caption": "输入拉力系数Kf", "value": "1.2"}]})",
                                     "s.json");
    EXPECT_EQ(s.rowItem, 1);
    EXPECT_EQ(s.initial.power, "3");
    EXPECT_EQ(s.initial.floatText, "上调");
    EXPECT_EQ(s.initial.tensioner, 2);
    EXPECT_EQ(s.initial.tensionerText, "压块与导板");
    EXPECT_FALSE(s.initial.hasTensioner);
    EXPECT_EQ(s.initial.ratioDir, 1);
    EXPECT_EQ(s.initial.n1, ""); // a missing key keeps the start-up default
    EXPECT_EQ(s.initial.ratioTol, "0.5");
    EXPECT_EQ(s.inputs.at("edtz2"), (std::vector<std::string>{"44", "45"}));
    ASSERT_EQ(s.answers.size(), 1u);
    EXPECT_EQ(s.answers[0].answer, design::Answer::Cancel);
    TextSequence texts(s.inputs.at("edtz2"));
    EXPECT_EQ(texts.next(), "44");
    EXPECT_EQ(texts.next(), "45");
    EXPECT_TRUE(texts.repeats());
    EXPECT_EQ(texts.next(), "45"); // the last one repeats
}

// The program itself: exit 2 and the message on its error output.
TEST(CalcProgramTest, AScenarioItCannotReadExitsWithTwo) {
    testing::TempDir dir;
    const auto scenario = dir.path() / "bad.json";
    std::ofstream(scenario) << "{\n  \"chain\": \"roller\",\n  \"rows\": true\n}\n";
    const auto errors = dir.path() / "errors.txt";
    const std::string command = std::string("\"") + ZORVANE_CALC + "\" \"" + scenario.string() +
                                "\" --db \"" + dir.path().string() + "\" 2> \"" + errors.string() +
                                "\" > /dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::ostringstream text;
    text << std::ifstream(errors).rdbuf();
    EXPECT_EQ(text.str(), "zorvane-calc: 场景文件“" + scenario.string() +
                              "”第 3 行，键“rows”：应为 0 到 7 的列表项序号\n");
}

// Runs that can go nowhere end, saying where.
struct StopCase {
    const char* name;
    const char* scenario;
    const char* stoppedAt;
    const char* reason;       // part of the reason given
    const char* repeatedText; // a logged text and how often the run showed it
    int repeats;
};

void PrintTo(const StopCase& c, std::ostream* os) {
    *os << c.name;
}

class RunGuardTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(RunGuardTest, StopsAtTheStepThatGoesNowhere) {
    const StopCase& c = GetParam();
    testing::Workspace workspace;
    const RunOutcome outcome = runScenario(parseScenario(c.scenario, "s.json"),
                                           {workspace.path(), workspace.database(), {}, {}, {}});
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.stoppedAt, c.stoppedAt);
    EXPECT_NE(outcome.reason.find(c.reason), std::string::npos) << outcome.reason;
    const auto json = nlohmann::json::parse(outcome.json);
    EXPECT_EQ(json["completed"], false);
    EXPECT_EQ(json["stopped_at"], c.stoppedAt);
    const auto& log = json["log"];
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [&](const auto& entry) {
                                return entry["text"] == c.repeatedText ||
                                       entry["title"] == c.repeatedText;
                            }),
              c.repeats);
}

const StopCase kStopCases[] = {
    // The width dialog is asked until it gets a number: it never does.
    {"DialogRefusingItsValue",
     R"({"chain": "toothed", "initial": {"edtPower": "7.5", "edtn1": "960", "edti": "3"},
         "inputs": {"Tfrmb": "宽"}})",
     "单位宽传递功率", "“选择链宽”连续20次不接受给出的值", "链宽值有误!",
     drive::ScenarioInteraction::kRefusalLimit},
    // A refused confirmation changes nothing: the third one stops the run.
    {"ConfirmationRefusedTwiceInARow", R"({"chain": "roller", "initial": {"edtn1": "300"}})",
     "初始条件", "连续两次执行后设计状态没有变化", "请正确输入传递功率!", 3},
    // The strength is too small for any tooth count: each send-back comes round to the same
    // design, and the second time round ends the run.
    {"SendBackComingRoundAgain",
     R"({"chain": "roller", "initial": {"edtPower": "2000", "edtn1": "300", "edti": "3",
         "cbxV": 0}, "inputs": {"TfrmNode": "48A"},
         "answers": [{"text": "小链轮齿数和链速不符", "answer": "no"}]})",
     "静强度计算", "回到了此前的同一状态",
     "静强度安全系数太小,应增大齿数或排数重新计算,现在要重新计算吗?", 2},
};

INSTANTIATE_TEST_SUITE_P(Runs, RunGuardTest, ::testing::ValuesIn(kStopCases),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace zorvane::calc
