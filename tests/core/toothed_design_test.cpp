// Whole toothed chain designs through the design session, with scripted answers: every step
// from the tooth counts to the sprocket sizes, and the two ways the power step sends the user
// back.

#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/table.h"
#include "core/toothed/toothed_design.h"
#include "support/design_inputs.h"
#include "support/working_tables.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zorvane::design {
namespace {

using namespace testing;

using testing::Rows;
using testing::rowsOf;
using toothed::ToothedField;

class ToothedDesignTest : public ::testing::Test {
protected:
    void begin(const InitInputs& inputs) {
        session.beginNewDesign();
        session.openChainTypeStep();
        session.confirmChainType({false, 0, 0});
        session.steps().openInitialConditions();
        ASSERT_TRUE(session.steps().confirmInitialConditions(inputs).confirmed);
    }
    toothed::ToothedDesign& steps() { return (*toothed::designOf(session)); }
    toothed::ToothedRecord& rec() { return toothed::engineOf(session)->record(); }
    PanelFields& fields() { return session.state().fields; }
    bool done(int tag) { return session.status().IsDone(tag) == 1; }

    // Runs the steps from the tooth counts on with the panels' proposals.
    void runThrough(int lastPosition, int from = 1) {
        for (int position = from; position <= lastPosition; ++position) {
            steps().runStep(position);
            if (position == 1) {
                steps().checkSmallToothCount();
                steps().confirmToothCounts();
            } else if (position == 4) {
                session.steps().confirmInitialCentreDistance();
            } else if (position == 5) {
                session.steps().confirmCentreDistanceChange();
            }
        }
    }
    Rows results() { return rowsOf(*session.results()->resultTable(), {"项目", "数值", "单位"}); }
    Rows sizes() {
        return rowsOf(*session.results()->sizeTable(), {"名称", "小链轮数值", "大链轮数值"});
    }
    Rows history() { return rowsOf(*session.history()->historyTable(), {"项目", "数值"}); }
    std::string valueOf(const std::string& item) {
        for (const auto& row : results()) {
            if (row[0] == item) {
                return row[1];
            }
        }
        return "<none>";
    }
    testing::Workspace workspace;
    ScriptedInteraction ui;
    DesignSession session{workspace.path(), ui};
};

TEST_F(ToothedDesignTest, MediumSpeedFromToothCountsToSprockets) {
    begin(toothedMediumSpeed());
    runThrough(8);
    EXPECT_EQ(results(), (Rows{{"小链轮齿数", "29", ""},
                               {"大链轮齿数", "87", ""},
                               {"张紧轮齿数", "29", ""},
                               {"平均传动比", "3.00", ""},
                               {"大链轮转速", "320.00", "r/min"},
                               {"链条节距", "31.75", "mm"},
                               {"设计功率", "5.278", "KW"},
                               {"单位链宽传递额定功率", "1.1497", "KW"},
                               {"润滑方式", "甩油盘或油泵润滑", ""},
                               {"链宽", "31.75", "mm"},
                               {"初定中心距", "1270.00", "mm"},
                               {"链长节数", "140.00", "节"},
                               {"链条长度", "4.449", "m"},
                               {"理论中心距", "1267.718", "mm"},
                               {"实际中心距", "1263.915", "mm"},
                               {"链条速度", "14.732", "m/s"},
                               {"有效圆周力", "509.10", "N"},
                               {"作用于轴上的拉力", "598.19", "N"}}));
    EXPECT_EQ(sizes(), (Rows{{"齿楔角", "60.00", "60.00"},
                             {"分度圆直径", "293.66", "879.44"},
                             {"齿顶圆直径", "291.94", "878.87"},
                             {"齿槽定位圆半径", "11.91", "11.91"},
                             {"分度角", "12.41", "4.14"},
                             {"齿槽角", "23.79", "27.93"},
                             {"齿形角", "17.59", "25.86"},
                             {"齿面工作段最低点至节距线距离", "17.46", "17.46"},
                             {"齿根间隙(h方向)", "2.54", "2.54"},
                             {"齿根圆直径", "254.51", "839.64"},
                             {"接触终止圆直径", "259.97", "844.85"}}));
    EXPECT_EQ(history(), (Rows{{"小链轮齿数", " 29.00"},
                               {"大链轮齿数", " 87.00"},
                               {"平均传动比", "  3.00"},
                               {"链条节距", " 31.75"},
                               {"设计功率", "  5.28"},
                               {"每米宽传递额定功率", "  1.15"},
                               {"链宽", " 31.75"},
                               {"初定中心距", "1270.00"},
                               {"链长节数", "140.13"},
                               {"链条长度", "  4.45"},
                               {"理论中心距", "1267.72"},
                               {"实际中心距", "1263.91"},
                               {"链条速度", " 14.73"},
                               {"有效圆周力", "509.10"},
                               {"作用于轴上的拉力", "598.19"}}));
    const auto& state = session.state();
    EXPECT_TRUE(done(20));
    EXPECT_TRUE(state.toothed.endLabel.blue);
    EXPECT_TRUE(state.reportsEnabled);
    EXPECT_TRUE(state.sizeAreaVisible);
    EXPECT_EQ(state.sizePicture, (workspace.database() / "DWheel.bmp").string());
    EXPECT_EQ(rec().getDouble(ToothedField::Kz), 1.421);

    // Redoing the sprocket step leaves exactly its eleven rows.
    steps().runStep(8);
    EXPECT_EQ(sizes().size(), 11u);
}

TEST_F(ToothedDesignTest, ToothCountChecksAndTheTensioner) {
    InitInputs in = toothedMediumSpeed();
    in.ratio = "2";
    in.hasTensioner = false;
    begin(in);
    steps().runStep(1);
    EXPECT_FALSE(fields().toothedZiEnabled);
    EXPECT_EQ(fields().toothedZi, "");
    fields().toothedZ1 = "31";
    steps().checkSmallToothCount(); // not the recommended 32: No (default) puts it back
    EXPECT_EQ(ui.log().back().text, "小链轮齿数输入值不是推荐值\"32\",您确定使用此数值吗?");
    EXPECT_EQ(fields().toothedZ1, "32");
    EXPECT_EQ(fields().toothedZ2, "64");
    EXPECT_EQ(session.state().toothedZ2Calculated, "64.00");
    fields().toothedZ1 = "25.5";
    steps().confirmToothCounts();
    EXPECT_EQ(ui.log().back().text, "请正确输入小链轮齿数");
    fields().toothedZ1 = "0";
    steps().checkSmallToothCount();
    EXPECT_EQ(ui.log().back().text, "链轮齿数必须为正整数!");
    fields().toothedZ1 = "32";
    steps().confirmToothCounts();
    ASSERT_TRUE(done(13));
    // Without an idler sprocket no idler tooth count is recorded.
    EXPECT_EQ(valueOf("张紧轮齿数"), "<none>");
}

TEST_F(ToothedDesignTest, PitchTheSpeedDoesNotRateSendsBackToTheSpeed) {
    InitInputs in = toothedMediumSpeed();
    in.n1 = "60";
    begin(in);
    runThrough(2);
    EXPECT_EQ(valueOf("链条节距"), "38.1"); // the only pitch offered at low speed
    ui.prompt("选择重计算起始位置", "3");
    ui.prompt("选择重计算起始位置", "2");
    steps().runStep(3);
    EXPECT_EQ(ui.log()[ui.log().size() - 5].text, "节距和链速不符,应重新计算!");
    EXPECT_EQ(ui.log()[ui.log().size() - 3].text, "必须输入1或2!");
    EXPECT_EQ(ui.log().back().text, "确实要重新输入初始条件？");
    EXPECT_FALSE(done(15));
    EXPECT_TRUE(session.state().panelVisible(Panel::Init));
    EXPECT_EQ(session.state().focus, "edtn1");

    // A usable speed, and the design goes through to the end.
    ASSERT_TRUE(session.steps().confirmInitialConditions(toothedMediumSpeed()).confirmed);
    runThrough(8);
    EXPECT_TRUE(done(20));
    EXPECT_EQ(valueOf("设计功率"), "5.278");
}

TEST_F(ToothedDesignTest, NoChainWideEnoughSendsBackToTheToothCounts) {
    InitInputs in = toothedMediumSpeed();
    in.power = "5000";
    begin(in);
    runThrough(2);
    ui.prompt("输入1或2", "2");
    ui.answer("确实要重新选择齿数", Answer::Yes);
    steps().runStep(3);
    EXPECT_NE(std::find_if(
                  ui.log().begin(), ui.log().end(),
                  [](const LoggedExchange& e) { return e.text == "链宽无可选值,必须重新计算!"; }),
              ui.log().end());
    EXPECT_FALSE(done(15));
    EXPECT_FALSE(done(13)); // the tooth counts are open again
    EXPECT_TRUE(session.state().panelVisible(Panel::Dz));
    EXPECT_TRUE(results().empty());
}

TEST_F(ToothedDesignTest, PitchRedoKeepsTheToothCountsAndAFixedDistanceRange) {
    InitInputs in = toothedMediumSpeed();
    in.adjustable = false;
    in.pulsating = true;
    in.load = 1;
    in.hasTensioner = false;
    begin(in);
    runThrough(3);
    steps().runStep(4);
    // a0min = 0.2 · 29 · 4 = 23.2; the best range under a pulsating load ends at 25.
    EXPECT_EQ(fields().initialCentreRange,
              "本设计中,a0在理论上的取值范围为:(23.20～30)p,a0的最佳取值范围为:(23.20～25)p");
    EXPECT_EQ(fields().initialCentrePitches, "24");
    ui.dialogAnswer("TfrmDNode", "25.4");
    steps().runStep(2); // Yes (default) to "确实要重新选择节距？"
    EXPECT_FALSE(session.state().panelVisible(Panel::InitA0));
    EXPECT_EQ(results().back(), (std::vector<std::string>{"链条节距", "25.4", "mm"}));
    EXPECT_EQ(results()[0][0], "小链轮齿数");
    EXPECT_TRUE(done(14));
    EXPECT_FALSE(done(15));
}

TEST_F(ToothedDesignTest, WidthOutsideItsRangeIsRefusedAndTheDialogAskedAgain) {
    struct Case {
        const char* typed;
        const char* recorded; // the first width of the list when the typed one is refused
        bool refused;
    };
    for (const Case& c : {Case{"5000.5", "31.75", true}, Case{"0.99", "31.75", true},
                          Case{"5000", "5000", false}, Case{"1", "1", false}}) {
        begin(toothedMediumSpeed());
        runThrough(2);
        ui.clearLog();
        ui.dialogAnswer("Tfrmb", c.typed);
        steps().runStep(3);
        ASSERT_TRUE(done(15)) << c.typed;
        EXPECT_EQ(valueOf("链宽"), c.recorded);
        const auto& messages = ui.messages();
        const bool shown = std::any_of(messages.begin(), messages.end(), [](const Message& m) {
            return m.title == "错误信息" &&
                   m.text == "链宽超出可计算的范围：应在 1 到 5000 mm 之间。";
        });
        EXPECT_EQ(shown, c.refused) << c.typed;
    }
}

TEST_F(ToothedDesignTest, ChainSpeedBeyondAnyChainStopsTheSpeedStep) {
    InitInputs in = toothedMediumSpeed();
    in.n1 = "6000"; // the fastest the ratings reach, on 9.525 mm
    in.ratio = "0.5";
    begin(in);
    steps().runStep(1);
    fields().toothedZ1 = "120";
    ui.answer("不是推荐值", Answer::Yes);
    steps().checkSmallToothCount();
    steps().confirmToothCounts();
    runThrough(5, 2);
    ASSERT_TRUE(done(17));
    const Rows before = results();
    steps().runStep(6);
    EXPECT_EQ(ui.messages().back().text,
              "链条速度 114.3 m/s 超出了链传动可能的范围（应不大于 100 m/s）：请检查小链轮转速、"
              "小链轮齿数和链条节距。");
    EXPECT_EQ(results(), before);
    EXPECT_FALSE(done(18));
}

} // namespace
} // namespace zorvane::design
