// Designs driven without a window: the tables that tie the step panels to a scenario's names,
// the questions a run keeps with their steps and send-backs, and a run driven in a session the
// caller made.

#include "core/design/steps.h"
#include "core/drive/design_drive.h"
#include "core/drive/panel_steps.h"
#include "core/drive/scenario_run.h"
#include "core/records/result_tables.h"
#include "core/store/table.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvane::drive {
namespace {

using design::Answer;
using design::Chain;

TEST(PanelStepsTest, EveryPanelFieldIsAScenarioInputOfItsChainAndAPanelField) {
    design::PanelFields fields;
    for (const PanelStep& step : panelSteps()) {
        const auto& def = design::stepAt(step.chain, step.position);
        EXPECT_LT(step.position, design::lastPosition(step.chain)) << def.caption;
        std::vector<std::string_view> names(step.fields.begin(), step.fields.end());
        names.push_back(step.checkedField);
        for (const auto name : names) {
            if (!name.empty()) {
                EXPECT_TRUE(acceptsInput(step.chain, name)) << name;
                EXPECT_NE(panelField(fields, name), nullptr) << name;
            }
        }
        EXPECT_EQ(step.checkedField.empty(), step.check == nullptr) << def.caption;
        EXPECT_NE(step.confirm, nullptr) << def.caption;
    }
    for (const auto name : panelFieldNames()) {
        EXPECT_TRUE(isInputName(name)) << name;
    }
}

// A roller design of 3 kW at 300 r/min whose first static strength is too small: 是 to
// 重新计算 takes it back to the tooth counts, and the second tooth count passes.
Scenario rollerStrengthSendBack(Answer recalculate) {
    Scenario s;
    s.initial.power = "3";
    s.initial.n1 = "300";
    s.initial.ratio = "3";
    s.initial.speed = 0;
    s.inputs = {{"edtz1", {"15", "17"}}, {"edtn", {"15", "6"}}};
    s.answers = {{"许用安全系数不在4～8范围内", Answer::Yes}, {"静强度安全系数太小", recalculate}};
    return s;
}

// A toothed design of 600 kW for which no chain width is listed: the run chooses the pitch again.
Scenario toothedWidthSendBack() {
    Scenario s;
    s.chain = Chain::Toothed;
    s.initial.power = "600";
    s.initial.n1 = "960";
    s.initial.ratio = "3";
    s.inputs = {{"TfrmDNode", {"25.4", "31.75"}}};
    s.prompts = {{"输入1或2", "1"}};
    return s;
}

struct QuestionRow {
    const char* step;
    const char* text;
    Answer answer;
    bool sentBack;
};

struct QuestionCase {
    const char* name;
    Scenario scenario;
    bool completed;
    std::vector<QuestionRow> questions;
};

void PrintTo(const QuestionCase& c, std::ostream* os) {
    *os << c.name;
}

class QuestionRecordTest : public ::testing::TestWithParam<QuestionCase> {};

// Only the answer after which the design went back is marked, not the questions before it in the
// same click, nor the messages shown between.
TEST_P(QuestionRecordTest, KeepsEachQuestionWithItsStepAndWhetherItSentTheDesignBack) {
    const QuestionCase& c = GetParam();
    testing::Workspace at;
    ScenarioRun run(c.scenario, at.path(), at.database());
    run.drive();
    const RunOutcome outcome = run.outcome();
    EXPECT_EQ(outcome.completed, c.completed) << outcome.reason;
    ASSERT_EQ(outcome.questions.size(), c.questions.size());
    for (std::size_t i = 0; i < c.questions.size(); ++i) {
        const AskedQuestion& asked = outcome.questions[i];
        const QuestionRow& want = c.questions[i];
        EXPECT_EQ(asked.step, want.step) << i;
        EXPECT_NE(asked.text.find(want.text), std::string::npos) << i << ": " << asked.text;
        EXPECT_EQ(asked.answer, want.answer) << i << ": " << asked.text;
        EXPECT_EQ(asked.sentBack, want.sentBack) << i << ": " << asked.text;
    }
}

const QuestionCase kQuestionCases[] = {
    {"RollerStrengthRecalculated",
     rollerStrengthSendBack(Answer::Yes),
     true,
     {{"初定中心距", "链长节数为奇数", Answer::No, false},
      {"静强度计算", "许用安全系数不在4～8范围内", Answer::Yes, false},
      {"静强度计算", "静强度安全系数太小", Answer::Yes, false},
      {"静强度计算", "确实要重新选择齿数", Answer::Yes, true},
      {"初定中心距", "链长节数为奇数", Answer::No, false}}},
    {"RollerStrengthAccepted",
     rollerStrengthSendBack(Answer::No),
     true,
     {{"初定中心距", "链长节数为奇数", Answer::No, false},
      {"静强度计算", "许用安全系数不在4～8范围内", Answer::Yes, false},
      {"静强度计算", "静强度安全系数太小", Answer::No, false}}},
    {"ToothedPitchChosenAgain",
     toothedWidthSendBack(),
     true,
     {{"单位宽传递功率", "确实要重新选择节距", Answer::Yes, true}}},
};

INSTANTIATE_TEST_SUITE_P(Runs, QuestionRecordTest, ::testing::ValuesIn(kQuestionCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The rows of the result table, cells joined.
std::vector<std::string> resultRows(design::DesignSession& session) {
    std::vector<std::string> rows;
    const store::Table* table = session.results()->resultTable();
    for (int i = 0; i < table->recordCount(); ++i) {
        std::string cells;
        for (const auto& value : table->row(i)) {
            cells += value.asText() + '|';
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

// A session the caller made, driven to a step and then on: the same design as one whole run.
TEST(DriveDesignTest, ASessionDrivenInTwoPartsEndsAsOneWholeRun) {
    const Scenario scenario = rollerStrengthSendBack(Answer::Yes);
    testing::Workspace whole;
    ScenarioRun run(scenario, whole.path(), whole.database());
    run.drive();
    ASSERT_TRUE(run.outcome().completed) << run.outcome().reason;

    testing::Workspace parts;
    ScenarioInteraction ui(scenario);
    design::DesignSession session(parts.path(), parts.database(), ui, anonymousDesigner());
    session.beginNewDesign();
    const DriveResult first = driveDesign(session, ui, scenario, "链条节距");
    EXPECT_TRUE(first.completed) << first.reason;
    EXPECT_FALSE(session.status().done(design::stepAt(Chain::Roller, 3).tag));
    const DriveResult rest = driveDesign(session, ui, scenario);
    EXPECT_TRUE(rest.completed) << rest.reason;
    EXPECT_EQ(resultRows(session), resultRows(run.session()));
}

} // namespace
} // namespace zorvane::drive
