// Whole roller chain designs through the design session, with scripted answers: every step from
// the tooth counts to the sprocket sizes, the re-run of a middle step, and the sound endings of
// inputs the steps cannot use.

#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/store/table.h"
#include "support/design_inputs.h"
#include "support/working_tables.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

#include "core/roller/roller_formulas.h"
#include "core/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace zorvane::design {
namespace {

using namespace testing;

using roller::RollerField;
using testing::Rows;
using testing::rowsOf;

class RollerDesignTest : public ::testing::Test {
protected:
    // A roller design begun with `rowItem` and confirmed initial conditions.
    void begin(const InitInputs& inputs, int rowItem = 0) {
        session.beginNewDesign();
        session.openChainTypeStep();
        session.confirmChainType({true, rowItem, 0});
        session.steps().openInitialConditions();
        ASSERT_TRUE(session.steps().confirmInitialConditions(inputs).confirmed);
    }

    roller::RollerDesign& steps() { return (*roller::designOf(session)); }
    roller::RollerRecord& rec() { return roller::engineOf(session)->record(); }
    PanelFields& fields() { return session.state().fields; }
    bool done(int tag) { return session.status().IsDone(tag) == 1; }

    // Runs the steps from the tooth counts on with the panels' proposals.
    void runThrough(int lastPosition, int from = 1) {
        for (int position = from; position <= lastPosition; ++position) {
            steps().runStep(position);
            switch (position) {
            case 1:
                steps().checkSmallToothCount();
                steps().confirmToothCounts();
                break;
            case 4:
                steps().confirmInitialCentreDistance();
                break;
            case 5:
                steps().confirmCentreDistanceChange();
                break;
            case 7:
                steps().confirmStaticStrength();
                break;
            default:
                break;
            }
        }
    }

    Rows results() { return rowsOf(*session.results()->resultTable(), {"项目", "数值", "单位"}); }
    Rows sizes() {
        return rowsOf(*session.results()->sizeTable(), {"名称", "小链轮数值", "大链轮数值"});
    }
    Rows history() { return rowsOf(*session.history()->historyTable(), {"项目", "数值"}); }
    std::vector<std::string> items(const Rows& rows) {
        std::vector<std::string> out;
        for (const auto& row : rows) {
            out.push_back(row[0]);
        }
        return out;
    }
    std::string valueOf(const std::string& item) {
        for (const auto& row : results()) {
            if (row[0] == item) {
                return row[1];
            }
        }
        return "<none>";
    }
    std::vector<std::string> asked() {
        std::vector<std::string> texts;
        for (const auto& exchange : ui.log()) {
            if (exchange.kind != "dialog" || exchange.title != " 设计信息") {
                texts.push_back(exchange.kind + ":" + exchange.text + "=" + exchange.answer);
            }
        }
        return texts;
    }

    testing::Workspace workspace;
    ScriptedInteraction ui;
    DesignSession session{workspace.path(), ui};
};

TEST_F(RollerDesignTest, LowSpeedSingleRowFromToothCountsToSprockets) {
    begin(lowSpeedSingleRow());
    runThrough(9);
    EXPECT_EQ(results(), (Rows{{"小链轮齿数", "15", ""},
                               {"大链轮齿数", "45", ""},
                               {"张紧轮齿数", "15", ""},
                               {"平均传动比", "3.000", ""},
                               {"大链轮转速", "100.000", "r/min"},
                               {"设计功率", "3.87", "KW"},
                               {"链条节距", "19.050", "mm"},
                               {"链号", "12A", ""},
                               {"小链轮毂孔许用直径", "43", "mm"},
                               {"链条速度", "1.429", "m/s"},
                               {"润滑方式", "滴油润滑", ""},
                               {"初定中心距", "762.00", "mm"},
                               {"链长节数", "110.00", "节"},
                               {"链条长度", "2.106", "m"},
                               {"理论中心距", "756.524", "mm"},
                               {"实际中心距", "754", "mm"},
                               {"有效圆周力", "2099.74", "N"},
                               {"作用于轴上的拉力", "2467.19", "N"},
                               {"滚子外径(最大值)", "11.91", "mm"},
                               {"链条排距", "22.78", "mm"},
                               {"内链板高(最大值)", "18.08", "mm"},
                               {"许用静强度安全系数", "6.00", ""},
                               {"静强度安全系数", "14.88", ""},
                               {"铰链比压", "19.94", "MPa"},
                               {"使用寿命(磨损寿命)", "107517.61", "h"}}));
    EXPECT_EQ(sizes(), (Rows{{"排距", "22.78", "22.78"},
                             {"分度圆直径", "91.63", "273.09"},
                             {"齿顶圆最大直径", "103.53", "285.00"},
                             {"齿顶圆最小直径", "96.73", "279.56"},
                             {"分度圆最大舷齿高", "6.97", "6.29"},
                             {"分度圆最小舷齿高", "3.57", "3.57"},
                             {"齿根圆直径", "79.72", "261.18"},
                             {"最大齿根距离", "79.21", "261.02"},
                             {"齿侧凸缘或排间槽直径", "70.06", "252.86"}}));
    EXPECT_EQ(history(), (Rows{{"小链轮齿数", " 15.00"},
                               {"大链轮齿数", " 45.00"},
                               {"平均传动比", "  3.00"},
                               {"设计功率", "  3.87"},
                               {"链条节距", " 19.05"},
                               {"小链轮毂孔许用直径", " 43.00"},
                               {"链条速度", "  1.43"},
                               {"初定中心距", "762.00"},
                               {"链长节数", "110.57"},
                               {"链条长度", "  2.11"},
                               {"理论中心距", "756.52"},
                               {"实际中心距", "754.00"},
                               {"有效圆周力", "2099.74"},
                               {"作用于轴上的拉力", "2467.19"},
                               {"静强度安全系数", " 14.88"},
                               {"铰链比压", " 19.94"},
                               {"使用寿命(磨损寿命)", "107517.61"}}));
    EXPECT_EQ(asked(),
              (std::vector<std::string>{
                  "question:链长节数为奇数,为避免过渡链节,宜取偶数,您希望使用过渡链节吗?=no",
                  "prompt:Kf≈(1.15～1.20)=1.175", "prompt:Qmin=31300=31300",
                  "prompt:(若未表明,可在0.03附近取值)=0.03",
                  "prompt:(1:标准链轮;2:三圆弧一直线链轮)=1"}));
    const auto& state = session.state();
    EXPECT_TRUE(done(22));
    EXPECT_TRUE(state.roller.endLabel.blue);
    EXPECT_TRUE(state.reportsEnabled);
    EXPECT_TRUE(state.sizeAreaVisible);
    EXPECT_EQ(state.sizePicture, (workspace.database() / "RWheel.bmp").string());
    EXPECT_EQ(rec().getDouble(RollerField::Lp), 110);
    EXPECT_EQ(rec().getDouble(RollerField::aReal), 754);
    EXPECT_EQ(state.tab, Tab::Result);
}

TEST_F(RollerDesignTest, PitchReducedBySpeedRunsTheFatigueCheckAgainstTheRequiredLife) {
    begin(requiredLifeAtHighSpeed(), 1);
    ui.answer("铰链比压太大", Answer::No);
    runThrough(3);
    // 12A carries 10 kW on two rows at 3000 r/min, but that speed allows 12.7 mm only.
    EXPECT_EQ(valueOf("链条节距"), "12.700");
    EXPECT_EQ(valueOf("链号"), "08A");
    EXPECT_EQ(session.state().NeedLifeCheck, roller::kLifeCheckRequired);
    EXPECT_EQ(valueOf("设计功率"), "4.42"); // 10 / (1.33 · 1.7)

    ui.answer("使用寿命计算值太小", Answer::No);
    steps().runStep(4);
    steps().confirmInitialCentreDistance();
    ASSERT_TRUE(done(16));
    const auto life = roller::fatigueLife(23, 3000, 12.7, 1, 10, 1.7, 128);
    EXPECT_EQ(rec().getDouble(RollerField::Lp), 128);
    EXPECT_EQ(valueOf("使用寿命(疲劳寿命)"), text::fixed(life.hours, 0, 2));
    EXPECT_EQ(rec().getDouble(RollerField::T), 15000); // the required life stays

    for (int position = 5; position <= 9; ++position) {
        steps().runStep(position);
        if (position == 5) {
            steps().confirmCentreDistanceChange();
        } else if (position == 7) {
            steps().confirmStaticStrength();
        }
    }
    EXPECT_TRUE(done(22));
    // Two rows: the chain's load and mass count twice; the wear step checks the pressure.
    EXPECT_EQ(rec().getDouble(RollerField::Rows), 2);
    EXPECT_EQ(rec().getDouble(RollerField::Q), 2 * 13900);
    const auto it = items(results());
    EXPECT_NE(std::find(it.begin(), it.end(), "铰链许用比压"), it.end());
    EXPECT_EQ(std::find(it.begin(), it.end(), "使用寿命(磨损寿命)"), it.end());
}

TEST_F(RollerDesignTest, ShortFatigueLifeSendsBackToThePitchAndLeavesNoRowsBehind) {
    begin(requiredLifeAtHighSpeed(), 1);
    runThrough(3);
    ui.prompt("输入1或2", "1");
    ui.answer("确实要重新选择链条节距", Answer::No);
    steps().runStep(4);
    steps()
        .confirmInitialCentreDistance(); // Yes (default) to the short life, then 1: the pitch step
    EXPECT_FALSE(done(16));
    EXPECT_EQ(results().back()[0], "润滑方式"); // this run's rows are gone
    EXPECT_EQ(history().back()[0], "链条速度");
    EXPECT_TRUE(done(14)); // No to its question keeps the pitch step as it was

    // Run again, declining the advice: each row is recorded once.
    ui.answer("使用寿命计算值太小", Answer::No);
    steps().confirmInitialCentreDistance();
    EXPECT_TRUE(done(16));
    const auto it = items(results());
    EXPECT_EQ(std::count(it.begin(), it.end(), "初定中心距"), 1);
}

TEST_F(RollerDesignTest, GivenInitialCentreDistanceLimitsTheRange) {
    begin(givenCentreDistance());
    runThrough(3);
    steps().runStep(4);
    const auto& f = fields();
    EXPECT_EQ(f.initialCentreRange, "本设计中,a0在理论上的取值范围为:(12.00～30)p");
    EXPECT_EQ(f.initialCentreGiven, "本设计中,a0的初值为30.000p,允许上调至33.000p.");
    EXPECT_EQ(f.initialCentrePitches, "31.500");
    EXPECT_TRUE(session.state().panelVisible(Panel::InitA0));

    fields().initialCentrePitches = "33.0011";
    steps().confirmInitialCentreDistance();
    EXPECT_EQ(ui.log().back().text, "中心距超出范围，其值应在30.000p≤a0≤33.000p范围内!");
    EXPECT_EQ(session.state().focus, "edtInit_a0");
    EXPECT_FALSE(done(16));

    // An odd link count kept with an offset link weakens the chain by a fifth.
    fields().initialCentrePitches = "33.001";
    ui.answer("过渡链节", Answer::Yes);
    steps().confirmInitialCentreDistance();
    ASSERT_TRUE(done(16));
    EXPECT_EQ(valueOf("链长节数"), "97.00");
    EXPECT_FALSE(session.state().panelVisible(Panel::InitA0));

    steps().runStep(5);
    EXPECT_EQ(fields().centreChangeAdvice, "中心距不可调,且无张紧装置,Δa应取较小值");
    fields().centreChange = "0.0041";
    steps().confirmCentreDistanceChange();
    EXPECT_EQ(ui.log().back().text, "中心距变化量的输入值超出范围!");
    fields().centreChange = "0.004";
    steps().confirmCentreDistanceChange();
    ASSERT_TRUE(done(17));

    steps().runStep(6);
    steps().runStep(7);
    ui.prompt("输入极限拉伸载荷Q", "25000");
    steps().confirmStaticStrength();
    EXPECT_EQ(ui.log()[ui.log().size() - 3].text, "Qmin=25040");
    EXPECT_EQ(ui.log()[ui.log().size() - 2].text, "请正确输入极限拉伸载荷值!");
    EXPECT_TRUE(done(19));
    // Without an idler sprocket the idler field stays empty and disabled.
    EXPECT_FALSE(fields().rollerZiEnabled);
    EXPECT_EQ(valueOf("张紧轮齿数"), "");
}

TEST_F(RollerDesignTest, RerunOfTheSpeedAfterTheSprocketsCutsBackAndListsSizesOnce) {
    begin(lowSpeedSingleRow());
    runThrough(9);
    ASSERT_EQ(sizes().size(), 9u);
    steps().runStep(3);                         // Yes (default) to "确实要重新计算链速？"
    EXPECT_EQ(results().back()[0], "润滑方式"); // the speed step ran again at once
    EXPECT_EQ(history().back()[0], "链条速度");
    EXPECT_TRUE(sizes().empty());
    const auto& state = session.state();
    EXPECT_FALSE(state.sizeAreaVisible);
    EXPECT_FALSE(state.reportsEnabled);
    EXPECT_TRUE(done(15));
    EXPECT_FALSE(done(16));
    EXPECT_FALSE(state.roller.steps[5].enabled);

    for (int position = 4; position <= 9; ++position) {
        steps().runStep(position);
        if (position == 4) {
            steps().confirmInitialCentreDistance();
        } else if (position == 5) {
            steps().confirmCentreDistanceChange();
        } else if (position == 7) {
            steps().confirmStaticStrength();
        }
    }
    EXPECT_EQ(sizes().size(), 9u);
    const auto it = items(results());
    EXPECT_EQ(std::count(it.begin(), it.end(), "链条速度"), 1);
    EXPECT_EQ(std::count(it.begin(), it.end(), "铰链比压"), 1);
    EXPECT_TRUE(state.sizeAreaVisible);
}

TEST_F(RollerDesignTest, ToothCountChecksAndProposal) {
    begin(lowSpeedSingleRow());
    steps().runStep(1);
    EXPECT_EQ(fields().rollerZ1, "15");
    EXPECT_EQ(fields().rollerZ2, "45");
    EXPECT_TRUE(fields().rollerZiEnabled);

    fields().rollerZ1 = "16";
    steps().checkSmallToothCount(); // not recommended: No (default) puts back 15
    EXPECT_EQ(fields().rollerZ1, "15");
    fields().rollerZ1 = "19.5";
    steps().checkSmallToothCount();
    EXPECT_EQ(ui.log().back().text, "请正确输入小链轮齿数(正整数)!");

    fields().rollerZ1 = "17";
    steps().checkSmallToothCount();
    EXPECT_EQ(session.state().rollerZ2Calculated, "51.00");
    EXPECT_EQ(fields().rollerZ2, "51");
    EXPECT_EQ(fields().rollerZi, "17");
    fields().rollerZi = "18";
    ui.answer("张紧轮齿数不等于", Answer::No);
    steps().confirmToothCounts();
    EXPECT_FALSE(done(13));
    EXPECT_EQ(session.state().focus, "edtzi");
    fields().rollerZi = "17";
    fields().rollerZ2 = "60"; // ratio 3.53: too far from 3, and the answer No keeps it
    ui.answer("传动比和初始传动比相差太大", Answer::No);
    steps().confirmToothCounts();
    ASSERT_TRUE(done(13));
    EXPECT_EQ(valueOf("平均传动比"), "3.529");
    EXPECT_EQ(rec().getDouble(RollerField::i), 60.0 / 17);
}

TEST_F(RollerDesignTest, PitchByRatingAndBySpeed) {
    // One row on 19 teeth (medium speed class), KA = 1: Pd = P.
    struct Case {
        const char* power;
        const char* n1;
        const char* chainNo;
        const char* pitch;
        int lifeCheck;
    };
    const Case cases[] = {
        {"4", "1000", "08A", "12.700", roller::kLifeCheckNone},
        {"5", "1000", "10A", "15.875", roller::kLifeCheckNone},     // beyond the plate rating
        {"4", "3000", "08A", "12.700", roller::kLifeCheckRequired}, // 10A carries it, too fast
        {"5", "2600", "10A", "15.875", roller::kLifeCheckRequired}, // at the limit: by speed
    };
    for (const Case& c : cases) {
        InitInputs in;
        in.power = c.power;
        in.n1 = c.n1;
        in.ratio = "3";
        begin(in);
        runThrough(2);
        EXPECT_EQ(valueOf("链号"), c.chainNo) << c.power << " kW at " << c.n1;
        EXPECT_EQ(valueOf("链条节距"), c.pitch) << c.n1;
        EXPECT_EQ(valueOf("设计功率"), std::string(c.power) + ".00");
        EXPECT_EQ(session.state().NeedLifeCheck, c.lifeCheck) << c.n1;
    }
}

TEST_F(RollerDesignTest, SpeedAboveTheChartRecordsNothing) {
    InitInputs in = lowSpeedSingleRow();
    in.n1 = "3800";
    begin(in);
    runThrough(1);
    const auto before = results();
    steps().runStep(2);
    EXPECT_EQ(ui.log().back().text, "小链轮速度太高!");
    EXPECT_EQ(results(), before);
    EXPECT_FALSE(done(14));
    EXPECT_FALSE(session.state().roller.steps[3].enabled);
}

TEST_F(RollerDesignTest, RowsAboveSixAreAskedForAndMustBeWhole) {
    begin(lowSpeedSingleRow(), 6);
    runThrough(1);
    const auto before = results();
    ui.prompt("多排链排数", "7.5");
    steps().runStep(2);
    EXPECT_EQ(ui.log().back().kind, "error");
    EXPECT_EQ(results(), before);
    EXPECT_FALSE(done(14));

    ui.prompt("多排链排数", "8");
    steps().runStep(2);
    ASSERT_TRUE(done(14));
    EXPECT_EQ(rec().getDouble(RollerField::Rows), 8);
    EXPECT_DOUBLE_EQ(rec().getDouble(RollerField::Kp), std::pow(8.0, 0.84));
}

TEST_F(RollerDesignTest, PowerBeyondEveryChainIsChosenByHand) {
    InitInputs in = lowSpeedSingleRow();
    in.power = "2000";
    begin(in);
    runThrough(1);
    ui.dialogAnswer("TfrmNode", "48A");
    steps().runStep(2);
    ASSERT_TRUE(done(14));
    EXPECT_EQ(valueOf("链号"), "48A");
    EXPECT_EQ(valueOf("链条节距"), "76.200");
    EXPECT_EQ(session.state().NeedLifeCheck, roller::kLifeCheckRequired);
    // The design power is the one computed for the last candidate: 300 r/min is above its peak
    // speed of 150 r/min, so Kz comes from column B.
    EXPECT_EQ(valueOf("设计功率"), text::fixed(2000 / 0.701, 0, 2));
}

TEST_F(RollerDesignTest, WearCheckWithoutAPitchCoefficientKeepsOnlyThePressure) {
    InitInputs in = lowSpeedSingleRow();
    in.power = "2000";
    begin(in);
    ui.dialogAnswer("TfrmNode", "48A");
    ui.answer("小链轮齿数和链速不符", Answer::No, true);
    runThrough(8);
    ASSERT_TRUE(done(21));
    EXPECT_EQ(results().back()[0], "铰链比压");
    EXPECT_NE(ui.log().back().text.find("没有节距系数c2的数据"), std::string::npos);
    EXPECT_EQ(rec().getDouble(RollerField::T), -1);
}

TEST_F(RollerDesignTest, ChainMissingFromTheChainTableStopsTheStrengthCheck) {
    begin(lowSpeedSingleRow());
    runThrough(6);
    rec().setText(RollerField::ChainNo, "99Z");
    const auto before = results();
    steps().runStep(7);
    steps().confirmStaticStrength();
    EXPECT_EQ(ui.log().back().kind, "error");
    EXPECT_EQ(results(), before);
    EXPECT_FALSE(done(19));
}

TEST_F(RollerDesignTest, WearElongationBelowItsRangeIsAskedAgain) {
    begin(lowSpeedSingleRow());
    runThrough(7);
    ui.prompt("请输入许用磨损伸长率", "0.00009");
    ui.prompt("请输入许用磨损伸长率", "0.0001");
    steps().runStep(8);
    ASSERT_TRUE(done(21));
    const auto& log = ui.log();
    EXPECT_NE(std::find_if(log.begin(), log.end(),
                           [](const LoggedExchange& e) {
                               return e.text == "许用磨损伸长率超出可计算的范围：应在 0.0001 到 1 "
                                                "之间。";
                           }),
              log.end());
    EXPECT_EQ(text::fixed(rec().getDouble(RollerField::T), 0, 2), valueOf("使用寿命(磨损寿命)"));
}

// Inputs each inside its own range that together describe no chain drive: the step computing
// the unreal quantity stops, names it with the inputs behind it, and records nothing.
struct UnrealDrive {
    const char* name;
    InitInputs inputs;
    const char* z1; // typed over the proposal, when given
    std::function<void(ScriptedInteraction&)> script;
    int position; // the step that stops
    const char* message;
};

void PrintTo(const UnrealDrive& c, std::ostream* os) {
    *os << c.name;
}

class RollerUnrealDriveTest : public RollerDesignTest,
                              public ::testing::WithParamInterface<UnrealDrive> {};

TEST_P(RollerUnrealDriveTest, StopsTheStepNamingTheQuantityAndTheInputs) {
    const UnrealDrive& c = GetParam();
    c.script(ui);
    begin(c.inputs);
    if (c.z1 != nullptr) {
        steps().runStep(1);
        fields().rollerZ1 = c.z1;
        steps().checkSmallToothCount();
        steps().confirmToothCounts();
    }
    runThrough(c.position - 1, c.z1 != nullptr ? 2 : 1);
    ASSERT_TRUE(done(12 + c.position - 1));
    const Rows resultsBefore = results();
    const Rows historyBefore = history();
    steps().runStep(c.position);
    if (c.position == 4) {
        steps().confirmInitialCentreDistance();
    }
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back().title, "错误信息");
    EXPECT_EQ(ui.messages().back().text, c.message);
    EXPECT_EQ(results(), resultsBefore);
    EXPECT_EQ(history(), historyBefore);
    EXPECT_FALSE(done(12 + c.position));
}

InitInputs withPower(InitInputs in, const char* power, int load = 0) {
    in.power = power;
    in.load = load;
    return in;
}

InitInputs fastSmallDrive() {
    InitInputs in;
    in.power = "1";
    in.n1 = "3000";
    in.ratio = "3";
    return in;
}

InitInputs givenDistance(const char* ratio, const char* a0, const char* direction,
                         const char* percent) {
    InitInputs in = lowSpeedSingleRow();
    in.ratio = ratio;
    in.hasInitA0 = true;
    in.initA0 = a0;
    in.floatText = direction;
    in.floatPercent = percent;
    return in;
}

// The largest chain taken by hand for a power no chain in the ratings carries.
void largestChain(ScriptedInteraction& ui) {
    ui.dialogAnswer("TfrmNode", "48A");
    ui.answer("小链轮齿数和链速不符", Answer::No, true);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, RollerUnrealDriveTest,
    ::testing::Values(
        // 200 teeth at 3000 r/min on 12.7 mm.
        UnrealDrive{
            "ChainSpeed", fastSmallDrive(), "200",
            [](ScriptedInteraction& ui) { ui.answer("不是推荐值", Answer::Yes); }, 3,
            "链条速度 127 m/s 超出了链传动可能的范围（应不大于 100 m/s）：请检查小链轮转速、"
            "小链轮齿数和链条节距。"},
        // 100 000 kW on 48A at 5.7 m/s.
        UnrealDrive{"EffectivePull", withPower(lowSpeedSingleRow(), "1e5"), nullptr, largestChain,
                    6,
                    "有效圆周力 1.75e7 N 超出了链传动可能的范围（应不大于 1e7 N）：请检查传递功率、"
                    "小链轮转速、小链轮齿数和链条节距。"},
        // Half of it passes as a pull, not with the shock of a medium load.
        UnrealDrive{
            "ShaftLoad", withPower(lowSpeedSingleRow(), "5e4", 1), nullptr, largestChain, 6,
            "作用于轴上的拉力 1.23e7 N 超出了链传动可能的范围（应不大于 1e7 N）：请检查传递功"
            "率、载荷性质、原动机种类和传动种类。"},
        // 100 m given, and allowed to double.
        UnrealDrive{
            "InitialCentreDistance", givenDistance("3", "100000", "上调", "100"), nullptr,
            [](ScriptedInteraction&) {}, 4,
            "初定中心距 150000 mm 超出了链传动可能的范围（应在 1 到 100000 mm 之间）：请检查"
            "以节距表示的中心距、中心距初值和链条节距。"},
        // Equal sprockets 1.27 mm apart: the chain wraps both and spans nothing.
        UnrealDrive{
            "TheoreticalCentreDistance", givenDistance("1", "1.27", "上调或下调", "5"), nullptr,
            [](ScriptedInteraction& ui) { ui.answer("过渡链节", Answer::Yes); }, 5,
            "理论中心距 0 mm 超出了链传动可能的范围（应在 1 到 100000 mm 之间）：请检查初定中"
            "心距、链轮齿数和链条节距。"}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace zorvane::design
