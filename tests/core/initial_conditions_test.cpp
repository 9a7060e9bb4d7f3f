#include "core/design/initial_conditions.h"
#include "core/design/scripted_interaction.h"
#include "core/text/number_text.h"

#include <gtest/gtest.h>

namespace zorvane::design {
namespace {

InitInputs validInputs() {
    InitInputs inputs;
    inputs.power = "7.5";
    inputs.n1 = "960";
    inputs.ratio = "3";
    return inputs;
}

std::string rowValue(const InitOutcome& out, const std::string& item) {
    for (const auto& row : out.rows) {
        if (row.item == item) {
            return row.value;
        }
    }
    return "<missing>";
}

TEST(ChainTypeFactors, RowsAndMultiRowFactor) {
    EXPECT_EQ(multiRowFactor(0), 1.0);
    EXPECT_EQ(multiRowFactor(1), 1.7);
    EXPECT_EQ(rowCount(1), 2);
    EXPECT_FALSE(multiRowFactor(6).has_value()); // 六排以上: set by the pitch step
    EXPECT_EQ(rowCount(6), 7);
    EXPECT_EQ(multiRowFactor(7), 1.0); // the blank item
    EXPECT_EQ(rowCount(7), 8);
}

TEST(WorkingConditionFactor, ByLoadAndPrimeMover) {
    EXPECT_EQ(workingConditionFactor(1, 2), 1.4);
    EXPECT_EQ(workingConditionFactor(2, 1), 1.5);
    EXPECT_EQ(workingConditionFactor(0, 0), 1.0);
    EXPECT_EQ(workingConditionFactor(2, 2), 1.7);
}

TEST(LargeCountProposal, FollowsTheRatioDirection) {
    struct Case {
        double x;
        int dir;
        double z2;
    };
    for (const auto& c : std::vector<Case>{{57.005, 0, 57},
                                           {57.02, 0, 58},
                                           {57.9, 1, 57},
                                           {56.5, 2, 56},
                                           {57.5, 2, 58},
                                           {45.0, 2, 45}}) {
        EXPECT_EQ(proposeLargeCount(c.x, c.dir), c.z2) << c.x << " " << c.dir;
    }
}

struct Refusal {
    const char* name;
    void (*change)(InitInputs&);
    const char* message;
    std::optional<InitField> focus;
};

class InitRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(InitRefusal, ShowsItsMessageAndFocusAndStoresNothing) {
    InitInputs inputs = validInputs();
    GetParam().change(inputs);
    ScriptedInteraction ui;
    const auto out = confirmInitialConditions(inputs, Chain::Roller, ui);
    EXPECT_FALSE(out.confirmed);
    EXPECT_TRUE(out.rows.empty());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].title, "错误信息");
    EXPECT_EQ(ui.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messages()[0].text, GetParam().message);
    EXPECT_EQ(out.focus, GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, InitRefusal,
    ::testing::Values(
        Refusal{"EmptyPower", [](InitInputs& i) { i.power = ""; }, "请正确输入传递功率!",
                InitField::Power},
        Refusal{"PowerWithLetters", [](InitInputs& i) { i.power = "7.5kW"; }, "请正确输入传递功率!",
                InitField::Power},
        Refusal{"PowerAndSpeedBad",
                [](InitInputs& i) {
                    i.power = "0";
                    i.n1 = "x";
                },
                "请正确输入传递功率!", InitField::Power},
        Refusal{"NegativeSpeed", [](InitInputs& i) { i.n1 = "-960"; }, "请正确输入小链轮转速!",
                InitField::N1},
        // Numbers that pass their own check but no real drive has.
        Refusal{"SpeedBeyondAnyDrive", [](InitInputs& i) { i.n1 = "1e6"; },
                "小链轮转速超出可计算的范围：应在 0.1 到 100000 r/min 之间。", InitField::N1},
        Refusal{"LifeBeyondAnyDrive",
                [](InitInputs& i) {
                    i.hasLife = true;
                    i.life = "1e9";
                },
                "使用寿命超出可计算的范围：应在 1 到 1000000 h 之间。", InitField::Life},
        Refusal{"DistanceToleranceHuge",
                [](InitInputs& i) {
                    i.hasInitA0 = true;
                    i.initA0 = "600";
                    i.floatPercent = "1e308";
                },
                "中心距初值允许误差超出可计算的范围：应在 0 到 100 % 之间。",
                InitField::FloatPercent},
        Refusal{"LifeRequiredButEmpty",
                [](InitInputs& i) {
                    i.hasLife = true;
                    i.life = "";
                },
                "请正确输入使用寿命", InitField::Life},
        Refusal{"InitialDistanceZero",
                [](InitInputs& i) {
                    i.hasInitA0 = true;
                    i.initA0 = "0";
                },
                "请正确输入中心距初值!", InitField::InitA0},
        Refusal{"RatioComma", [](InitInputs& i) { i.ratio = "3,5"; }, "请正确输入传动比!",
                InitField::Ratio},
        Refusal{"RatioToleranceZero", [](InitInputs& i) { i.ratioTol = "0"; },
                "请正确输入传动比允许误差", std::nullopt},
        Refusal{"RatioToleranceJustAboveWhole", [](InitInputs& i) { i.ratioTol = "100.001"; },
                "传动比允许误差超出可计算的范围：应在 0 到 100 % 之间。", InitField::RatioTol},
        Refusal{"RatioToleranceBeyondInt", [](InitInputs& i) { i.ratioTol = "2147483648"; },
                "传动比允许误差超出可计算的范围：应在 0 到 100 % 之间。", InitField::RatioTol},
        Refusal{"FloatPercentNotANumber",
                [](InitInputs& i) {
                    i.hasInitA0 = true;
                    i.initA0 = "500";
                    i.floatPercent = "五";
                },
                "请正确输入中心距初值允许误差", InitField::FloatPercent}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(InitConfirm, EdgesOfTheRangesAreAccepted) {
    for (const char* ratioTol : {"100", "1e-9"}) {
        InitInputs inputs = validInputs();
        inputs.ratioTol = ratioTol;
        ScriptedInteraction ui;
        const auto out = confirmInitialConditions(inputs, Chain::Toothed, ui);
        EXPECT_TRUE(out.confirmed) << ratioTol;
        EXPECT_DOUBLE_EQ(out.ratioTol, *text::parseDecimal(ratioTol) / 100);
        EXPECT_TRUE(ui.log().empty()) << ratioTol;
    }
}

TEST(InitConfirm, EarlierChecksStayStoredWhenALaterOneFails) {
    InitInputs inputs = validInputs();
    inputs.hasLife = true;
    inputs.life = "15000";
    inputs.hasInitA0 = true;
    inputs.initA0 = "600";
    inputs.ratio = "";
    ScriptedInteraction ui;
    const auto out = confirmInitialConditions(inputs, Chain::Roller, ui);
    EXPECT_FALSE(out.confirmed);
    EXPECT_EQ(out.life, 15000);
    EXPECT_EQ(out.initA0, 600);
}

TEST(InitConfirm, SpeedAboveSixThousandAsksAWarning) {
    InitInputs inputs = validInputs();
    inputs.n1 = "6000";
    ScriptedInteraction quiet;
    EXPECT_TRUE(confirmInitialConditions(inputs, Chain::Roller, quiet).confirmed);
    EXPECT_TRUE(quiet.log().empty());

    inputs.n1 = "6000.5";
    ScriptedInteraction ui; // no rule: the default button, No
    const auto refused = confirmInitialConditions(inputs, Chain::Roller, ui);
    EXPECT_FALSE(refused.confirmed);
    EXPECT_EQ(refused.focus, InitField::N1);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].title, "警告信息");
    EXPECT_EQ(ui.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.messages()[0].defaultButton, Answer::No);
    EXPECT_EQ(ui.messages()[0].text, "小链轮转速过大,计算的结果将不能用于实际,要继续吗?");

    ScriptedInteraction yes;
    yes.answer("小链轮转速过大", Answer::Yes);
    EXPECT_TRUE(confirmInitialConditions(inputs, Chain::Roller, yes).confirmed);
}

TEST(InitConfirm, RollerLowSpeedProposalsAndRows) {
    InitInputs inputs = validInputs();
    inputs.speed = 0;
    inputs.load = 1;
    inputs.pulsating = true;
    inputs.motor = 2;
    inputs.hasInitA0 = true;
    inputs.initA0 = "500";
    inputs.hasLife = true;
    inputs.life = "15000";
    ScriptedInteraction ui;
    const auto out = confirmInitialConditions(inputs, Chain::Roller, ui);
    ASSERT_TRUE(out.confirmed);
    EXPECT_EQ(out.z1, 15);
    EXPECT_EQ(out.z2CalcText, "45.00");
    EXPECT_EQ(out.z2Calc, 45);
    EXPECT_EQ(out.z2, 45);
    EXPECT_EQ(out.z1Label, "{低速传动(v≤3m/s)}");
    EXPECT_EQ(out.ka, 1.4);
    EXPECT_DOUBLE_EQ(out.ratioTol, 0.005);
    EXPECT_EQ(out.a0Tol, 0.05);
    EXPECT_EQ(out.ratioDirText, "可大或小");

    const std::vector<std::string> expectedItems{
        "中心距初值", "传递功率",   "小链轮转速", "平均传动比", "大链轮转速",
        "传动种类",   "传动速度",   "润滑条件",   "中心距条件", "使用寿命",
        "载荷性质",   "原动机种类", "张紧装置"};
    ASSERT_EQ(out.rows.size(), expectedItems.size());
    for (std::size_t i = 0; i < expectedItems.size(); ++i) {
        EXPECT_EQ(out.rows[i].item, expectedItems[i]);
    }
    EXPECT_EQ(rowValue(out, "中心距初值"), "500,可上调或下调5%");
    EXPECT_EQ(out.rows[0].unit, "mm");
    EXPECT_EQ(rowValue(out, "传递功率"), "7.5");
    EXPECT_EQ(out.rows[1].unit, "KW");
    EXPECT_EQ(rowValue(out, "平均传动比"), "3,可大或小0.5%");
    EXPECT_EQ(rowValue(out, "大链轮转速"), "320.00");
    EXPECT_EQ(rowValue(out, "载荷性质"), "中等冲击,脉动");
    EXPECT_EQ(rowValue(out, "中心距条件"), "可调");
    EXPECT_EQ(rowValue(out, "张紧装置"), "张紧轮");
    EXPECT_EQ(rowValue(out, "使用寿命"), "15000");
}

TEST(InitConfirm, ToothedChainProposalsAndNoLife) {
    InitInputs inputs = validInputs();
    inputs.ratio = "2.5";
    inputs.hasLife = true; // the toothed chain has no life switch
    inputs.life = "";
    inputs.hasTensioner = false;
    inputs.adjustable = false;
    ScriptedInteraction ui;
    const auto out = confirmInitialConditions(inputs, Chain::Toothed, ui);
    ASSERT_TRUE(out.confirmed);
    EXPECT_EQ(out.z1, 30); // Round(30.5), halves to even
    EXPECT_EQ(out.z2CalcText, "75.00");
    EXPECT_EQ(out.z2, 75);
    EXPECT_FALSE(out.life.has_value());
    EXPECT_EQ(out.rows.size(), 11u);
    EXPECT_EQ(rowValue(out, "使用寿命"), "<missing>");
    EXPECT_EQ(rowValue(out, "张紧装置"), "无");
    EXPECT_EQ(rowValue(out, "中心距条件"), "不可调");
}

TEST(LeaveChecks, EmptyTextsAndZero) {
    struct Case {
        InitField field;
        const char* text;
        bool accepted;
    };
    for (const auto& c : std::vector<Case>{{InitField::Power, "", true},
                                           {InitField::Power, "0", false},
                                           {InitField::Life, "", false},
                                           {InitField::RatioTol, "0", true},
                                           {InitField::RatioTol, "", false},
                                           {InitField::FloatPercent, "0", true},
                                           {InitField::FloatPercent, "-1", false},
                                           {InitField::Ratio, "1e400", false},
                                           {InitField::Motor, "anything", true}}) {
        ScriptedInteraction ui;
        EXPECT_EQ(checkOnLeave(c.field, c.text, ui).accepted, c.accepted) << c.text;
        EXPECT_EQ(ui.messages().size(), c.accepted ? 0u : 1u) << c.text;
    }
}

TEST(KeyboardRoute, SkipsDisabledInputs) {
    InitInputs inputs;
    auto enables = initEnables(inputs, Chain::Roller);
    EXPECT_EQ(nextInRoute(InitField::Layout, enables), InitField::Speed);
    EXPECT_EQ(nextInRoute(InitField::Load, enables), InitField::Tensioner);
    inputs.hasTensioner = false;
    enables = initEnables(inputs, Chain::Toothed);
    EXPECT_EQ(nextInRoute(InitField::Layout, enables), InitField::Lub);
    EXPECT_EQ(nextInRoute(InitField::Load, enables), InitField::Ratio);
    inputs.hasInitA0 = true;
    inputs.hasLife = true;
    enables = initEnables(inputs, Chain::Roller);
    EXPECT_EQ(nextInRoute(InitField::Load, enables), InitField::InitA0);
    EXPECT_EQ(nextInRoute(InitField::FloatPercent, enables), InitField::Life);
    EXPECT_EQ(nextInRoute(InitField::Life, enables), InitField::Ratio);
    EXPECT_EQ(nextInRoute(InitField::RatioTol, enables), InitField::Ok);
    EXPECT_EQ(nextInRoute(InitField::Ok, enables), InitField::Cancel);
    EXPECT_EQ(nextInRoute(InitField::Cancel, enables), InitField::Power);
}

} // namespace
} // namespace zorvane::design
