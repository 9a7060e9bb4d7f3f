#include "core/design/lifecycle.h"
#include "core/design/scripted_interaction.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace zorvane::design {
namespace {

TEST(StepIndex, MapsTagsToFlags) {
    const std::vector<std::pair<int, int>> cases{{0, 0},   {1, 1},   {12, 2},  {19, 9},
                                                 {20, 10}, {21, 11}, {22, 12}, {15, 5}};
    for (const auto& [tag, index] : cases) {
        EXPECT_EQ(StepIndex(tag), index) << tag;
    }
}

TEST(StepTables, TagsPositionsAndFlagsLineUp) {
    for (Chain chain : {Chain::Roller, Chain::Toothed}) {
        int position = 0;
        for (const auto& step : steps(chain)) {
            EXPECT_EQ(step.position, position++);
            EXPECT_EQ(positionOfTag(chain, step.tag), step.position);
            EXPECT_EQ(step.question.substr(0, std::string_view("确实要重新").size()), "确实要重新");
        }
    }
    EXPECT_EQ(steps(Chain::Roller).size(), 10u);
    EXPECT_EQ(steps(Chain::Toothed).size(), 9u);
    EXPECT_EQ(sprocketTag(Chain::Roller), 22);
    EXPECT_EQ(sprocketTag(Chain::Toothed), 20);
    EXPECT_FALSE(positionOfTag(Chain::Roller, 20).has_value()); // no roller button has tag 20
}

TEST(StatusControl, ClearFromNeverTouchesEarlierFlags) {
    StepFlags status;
    for (int tag : {0, 1, 12, 13, 19, 20, 21, 22}) {
        status.MarkDone(tag);
    }
    status.ClearFrom(19);
    EXPECT_EQ(status.IsDone(13), 1);
    EXPECT_EQ(status.IsDone(19), 0);
    EXPECT_EQ(status.IsDone(20), 0); // the toothed sprocket flag 10 is cleared too
    EXPECT_EQ(status.IsDone(22), 0);
    status.MarkDone(13);
    status.ClearFrom(12);
    EXPECT_EQ(status.IsDone(13), 0);
    EXPECT_EQ(status.IsDone(1), 1);
}

class GateTest : public ::testing::Test {
protected:
    void doneUpTo(Chain chain, int lastPosition) {
        state.panelOf(chain).steps[0].enabled = true;
        for (int position = 0; position <= lastPosition; ++position) {
            gate.complete(chain, position);
        }
    }

    MainState state;
    StepFlags status;
    StepGate gate{state, status};
    ScriptedInteraction ui;
};

TEST_F(GateTest, CompletionEnablesTheNextStepEndLabelAndReports) {
    doneUpTo(Chain::Roller, 7);
    EXPECT_TRUE(state.roller.steps[7].blue);
    EXPECT_TRUE(state.roller.steps[8].enabled);
    EXPECT_FALSE(state.roller.steps[8].blue);
    EXPECT_FALSE(state.roller.endLabel.enabled);
    gate.complete(Chain::Roller, 8);
    EXPECT_TRUE(state.roller.endLabel.enabled);
    EXPECT_FALSE(state.reportsEnabled);
    gate.complete(Chain::Roller, 9);
    EXPECT_TRUE(state.roller.endLabel.blue);
    EXPECT_TRUE(state.reportsEnabled);
    EXPECT_EQ(status.IsDone(22), 1);
}

TEST_F(GateTest, ResetFromZeroKeepsTheFirstStepAndTheChainTypeFlags) {
    status.MarkDone(0);
    status.MarkDone(1);
    doneUpTo(Chain::Roller, 9);
    state.sizeAreaVisible = true;
    gate.ResetStepsFrom(Chain::Roller, 0);
    EXPECT_TRUE(state.roller.steps[0].enabled);
    EXPECT_FALSE(state.roller.steps[0].blue);
    for (std::size_t i = 1; i < state.roller.steps.size(); ++i) {
        EXPECT_FALSE(state.roller.steps[i].enabled) << i;
        EXPECT_FALSE(state.roller.steps[i].blue) << i;
    }
    EXPECT_FALSE(state.roller.endLabel.enabled);
    EXPECT_FALSE(state.reportsEnabled);
    EXPECT_FALSE(state.sizeAreaVisible);
    for (int tag : {12, 13, 19, 21, 22}) {
        EXPECT_EQ(status.IsDone(tag), 0) << tag;
    }
    EXPECT_EQ(status.IsDone(0), 1);
    EXPECT_EQ(status.IsDone(1), 1);
}

TEST_F(GateTest, NoToAReRunQuestionChangesNothing) {
    doneUpTo(Chain::Toothed, 4);
    state.setPanel(Panel::A, true);
    ui.answer("确实要重新选择节距？", Answer::No);
    const MainState before = state;
    EXPECT_FALSE(gate.prepareRun(Chain::Toothed, 2, ui, nullptr, nullptr));
    EXPECT_EQ(status.IsDone(16), 1);
    EXPECT_TRUE(state.toothed.steps[2].blue);
    EXPECT_TRUE(state.panelVisible(Panel::A));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].title, "提示信息");
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(ui.messages()[0].defaultButton, Answer::Yes);
    EXPECT_EQ(before.toothed.steps[3].enabled, state.toothed.steps[3].enabled);
}

TEST_F(GateTest, AStepNotDoneRunsWithoutAQuestion) {
    EXPECT_TRUE(gate.prepareRun(Chain::Roller, 3, ui, nullptr, nullptr));
    EXPECT_TRUE(ui.log().empty());
}

// A database directory with the templates, and managers holding rows of a whole roller design.
class ReRunTest : public GateTest {
protected:
    void SetUp() override {
        using store::FieldKind;
        auto make = [&](const std::string& name, std::vector<store::FieldDef> fields,
                        std::vector<std::string> items = {}) {
            store::Table table(dir.path(), name);
            table.setFieldDefs(fields);
            table.create();
            table.setReadOnly(false);
            table.open();
            for (const auto& item : items) {
                table.append();
                table.setField(0, store::Value(item));
                table.post();
            }
        };
        make("Result", {{"项目", FieldKind::Text, 30},
                        {"数值", FieldKind::Text, 20},
                        {"单位", FieldKind::Text, 10}});
        make("R_Size",
             {{"名称", FieldKind::Text, 30},
              {"小链轮数值", FieldKind::Text, 12},
              {"大链轮数值", FieldKind::Text, 12}},
             {"分度圆直径"});
        make("Size_Unnamed", {{"名称", FieldKind::Text, 30},
                              {"小链轮数值", FieldKind::Text, 12},
                              {"大链轮数值", FieldKind::Text, 12}});
        make("R_design",
             {{"项目", FieldKind::Text, 30},
              {"步骤", FieldKind::Integer, 0},
              {"数值", FieldKind::Text, 20}},
             {"小链轮齿数", "设计功率", "链条速度", "初定中心距"});
        results = std::make_unique<records::ResultTables>(dir.path(), "R", false);
        history = std::make_unique<records::DesignHistory>(dir.path(), "RD", false);
        results->AddRow("传递功率", "7.5", "KW", "i");
        for (const char* item : {"小链轮齿数", "设计功率", "链号", "链条速度", "初定中心距"}) {
            results->AddRow(item, "1", "", "r");
            if (std::string_view(item) != "链号") { // the chain number has no history entry
                history->AddEntry(item, 1);
            }
        }
        results->AddSizeRow("分度圆直径", 1, 2);
    }

    std::vector<std::string> items(store::Table& table) {
        std::vector<std::string> values;
        for (table.first(); !table.eof(); table.next()) {
            values.push_back(table.text("项目"));
        }
        return values;
    }

    testing::TempDir dir;
    std::unique_ptr<records::ResultTables> results;
    std::unique_ptr<records::DesignHistory> history;
};

TEST_F(ReRunTest, SpeedStepRemovesFromItsItemEmptiesSizesAndHidesPanels) {
    doneUpTo(Chain::Roller, 9);
    state.sizeAreaVisible = true;
    state.setPanel(Panel::InitA0, true);
    state.setPanel(Panel::Intensity, true);
    state.setPanel(Panel::Z, true);
    bool ownResetsRan = false;
    ASSERT_TRUE(gate.prepareRun(Chain::Roller, 3, ui, results.get(), history.get(),
                                [&] { ownResetsRan = true; }));
    EXPECT_TRUE(ownResetsRan);
    EXPECT_EQ(items(*results->resultTable()),
              (std::vector<std::string>{"小链轮齿数", "设计功率", "链号"}));
    EXPECT_EQ(items(*history->historyTable()),
              (std::vector<std::string>{"小链轮齿数", "设计功率"}));
    results->OpenSize();
    EXPECT_TRUE(results->sizeTable()->isEmpty());
    EXPECT_FALSE(state.panelVisible(Panel::InitA0));
    EXPECT_FALSE(state.panelVisible(Panel::Intensity));
    EXPECT_TRUE(state.panelVisible(Panel::Z)); // not among the speed step's panels
    EXPECT_FALSE(state.sizeAreaVisible);
    EXPECT_TRUE(state.roller.steps[3].enabled);
    EXPECT_FALSE(state.roller.steps[4].enabled);
    EXPECT_EQ(status.IsDone(15), 0);
    EXPECT_EQ(status.IsDone(14), 1);
}

TEST_F(ReRunTest, InitialConditionsKeepTheResultsUntilTheToothCountsAreDone) {
    doneUpTo(Chain::Roller, 0);
    ASSERT_TRUE(gate.prepareRun(Chain::Roller, 0, ui, results.get(), history.get()));
    results->OpenInit();
    EXPECT_TRUE(results->initTable()->isEmpty());
    EXPECT_EQ(results->resultTable()->recordCount(), 5);
    EXPECT_EQ(history->historyTable()->recordCount(), 4);

    doneUpTo(Chain::Roller, 1);
    ASSERT_TRUE(gate.prepareRun(Chain::Roller, 0, ui, results.get(), history.get()));
    results->OpenResult();
    EXPECT_TRUE(results->resultTable()->isEmpty());
    EXPECT_TRUE(history->historyTable()->isEmpty());
}

TEST_F(GateTest, PageSynchronisationFollowsTheDesign) {
    gate.leftSideChanged(true);
    EXPECT_EQ(state.tab, Tab::DatabaseQuery);
    EXPECT_TRUE(state.querySide);
    gate.leftSideChanged(false); // no design begun: the work space
    EXPECT_EQ(state.tab, Tab::WorkSpace);
    state.IsNewDesign = true;
    gate.backToDesign(); // a design without an open panel: the results
    EXPECT_EQ(state.tab, Tab::Result);
    EXPECT_FALSE(state.querySide);
    state.setPanel(Panel::Init, true);
    gate.backToDesign();
    EXPECT_EQ(state.tab, Tab::WorkSpace);
    gate.switchToTab(Tab::Result);
    EXPECT_FALSE(state.querySide);
}

} // namespace
} // namespace zorvane::design
