#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/store/store_error.h"
#include "core/toothed/toothed_design.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

namespace zorvane::design {
namespace {

using roller::RollerField;
using toothed::ToothedField;

records::DesignerInfo fixedDesigner() {
    return records::DesignerInfo(
        [] {
            return std::optional<records::OwnerInfo>({"张工", ""});
        },
        [] {
            std::tm t{};
            t.tm_year = 126;
            t.tm_mon = 11;
            t.tm_mday = 9;
            return t;
        },
        "C");
}

class SessionTest : public ::testing::Test {
protected:
    InitInputs inputs() {
        InitInputs in;
        in.power = "7.5";
        in.n1 = "960";
        in.ratio = "3";
        return in;
    }

    std::vector<std::string> initItems() {
        auto& table = *session.results()->initTable();
        std::vector<std::string> items;
        for (table.first(); !table.eof(); table.next()) {
            items.push_back(table.text("项目"));
        }
        return items;
    }

    testing::Workspace workspace;
    ScriptedInteraction ui;
    DesignSession session{workspace.path(), ui, fixedDesigner()};
};

TEST_F(SessionTest, StartsWithOnlyTheNewDesignButton) {
    const auto& state = session.state();
    EXPECT_TRUE(state.begin.visible);
    EXPECT_FALSE(state.select.visible);
    EXPECT_FALSE(state.roller.visible);
    EXPECT_FALSE(state.toothed.visible);
    EXPECT_FALSE(state.reportsEnabled);
    EXPECT_EQ(state.status, (std::array<std::string, 4>{"", "链传动设计", "新设计", "新设计"}));
    EXPECT_EQ(state.windowTitle, "Zorvane");
    EXPECT_EQ(session.databaseDir(), workspace.path() / "database");
}

TEST_F(SessionTest, NewDesignShowsTheDesignerDialogAndTheChainTypeStep) {
    session.beginNewDesign();
    const auto& state = session.state();
    ASSERT_EQ(ui.log().size(), 1u);
    EXPECT_EQ(ui.log()[0].kind, "dialog");
    EXPECT_TRUE(state.select.visible);
    EXPECT_TRUE(state.select.enabled);
    EXPECT_TRUE(state.begin.blue);
    EXPECT_EQ(state.windowTitle, "Zorvane [Unnamed.CHN]");
    EXPECT_EQ(state.status[2], "以更改");
    EXPECT_TRUE(state.IsNewDesign);
    EXPECT_EQ(session.status().IsDone(0), 1);
}

TEST_F(SessionTest, NewDesignTwiceBeforeAChainTypeAsksAndShowsTheDialogAgain) {
    session.beginNewDesign();
    ui.clearLog();
    // The designer record is unsaved work: the save prompt comes first, and Cancel stops.
    ui.answer("设计过程已修改，是否保存？", Answer::Cancel);
    session.beginNewDesign();
    ASSERT_EQ(ui.log().size(), 1u);
    ui.clearLog();
    ui.answer("设计过程已修改，是否保存？", Answer::No);
    ui.answer("确实要重新开始？", Answer::No);
    session.beginNewDesign();
    ASSERT_EQ(ui.log().size(), 2u); // No: nothing else happens
    ui.clearLog();
    ui.answer("设计过程已修改，是否保存？", Answer::No);
    session.beginNewDesign(); // the default button: Yes
    ASSERT_EQ(ui.log().size(), 3u);
    EXPECT_EQ(ui.log()[1].text, "确实要重新开始？");
    EXPECT_EQ(ui.log()[2].kind, "dialog");
    EXPECT_TRUE(session.state().select.visible);
}

TEST_F(SessionTest, RollerChainTypeCreatesTheDesignWithItsRowFactor) {
    session.beginNewDesign();
    session.openChainTypeStep();
    EXPECT_TRUE(session.state().panelVisible(Panel::Select));
    EXPECT_EQ(session.state().focus, "btnSelOK");
    session.confirmChainType({true, 1, 0});
    ASSERT_EQ(session.chain(), Chain::Roller);
    const auto& rec = roller::engineOf(session)->record();
    EXPECT_EQ(rec.getDouble(RollerField::Kp), 1.7);
    EXPECT_EQ(rec.getDouble(RollerField::Rows), 2);
    EXPECT_EQ(roller::engineOf(session)->GetKind(), "R");
    const auto& state = session.state();
    EXPECT_EQ(state.status[1], "滚子链传动设计");
    EXPECT_TRUE(state.roller.visible);
    EXPECT_TRUE(state.roller.steps[0].enabled);
    EXPECT_FALSE(state.roller.steps[1].enabled);
    EXPECT_TRUE(state.select.blue);
    EXPECT_FALSE(state.panelVisible(Panel::Select));
    EXPECT_FALSE(state.IsEmptyDesign);
    EXPECT_EQ(session.designer().boxes()[records::DesignerInfo::KindBox], "链传动");
    EXPECT_EQ(session.designer().boxes()[records::DesignerInfo::SortBox], "滚子链");
}

TEST_F(SessionTest, SixRowsAndMoreLeavesTheFactorToThePitchStep) {
    session.beginNewDesign();
    session.confirmChainType({true, 6, 0});
    EXPECT_EQ(roller::engineOf(session)->record().getDouble(RollerField::Kp), 0.0);
    EXPECT_EQ(roller::engineOf(session)->record().getDouble(RollerField::Rows), 7);
}

TEST_F(SessionTest, InitialConditionsFillTheTableAndTheRecord) {
    session.beginNewDesign();
    session.confirmChainType({false, 0, 0});
    EXPECT_EQ(session.state().status[1], "齿形链传动 设计");
    session.steps().openInitialConditions();
    EXPECT_TRUE(session.state().panelVisible(Panel::Init));
    EXPECT_EQ(session.state().focus, "edtPower");
    InitInputs in = inputs();
    in.ratio = "2.5";
    in.load = 1;
    in.motor = 2;
    in.floatPercent = "8";
    const auto out = session.steps().confirmInitialConditions(in);
    ASSERT_TRUE(out.confirmed);
    const auto& rec = toothed::engineOf(session)->record();
    EXPECT_EQ(rec.getDouble(ToothedField::Power), 7.5);
    EXPECT_EQ(rec.getDouble(ToothedField::n1), 960);
    EXPECT_EQ(rec.getDouble(ToothedField::iInit), 2.5);
    EXPECT_EQ(rec.getDouble(ToothedField::KA), 1.4);
    EXPECT_EQ(rec.getDouble(ToothedField::z1), 30);
    EXPECT_EQ(rec.getDouble(ToothedField::z2), 75);
    EXPECT_EQ(rec.getDouble(ToothedField::A0Tol), 0.08); // taken on confirmation too
    EXPECT_EQ(rec.getText(ToothedField::iDir), "可大或小");
    EXPECT_EQ(session.state().toothedZ2Calculated, "75.00");
    EXPECT_EQ(initItems().size(), 11u);
    EXPECT_EQ(initItems().front(), "传递功率");
    EXPECT_TRUE(session.state().toothed.steps[0].blue);
    EXPECT_TRUE(session.state().toothed.steps[1].enabled);
    EXPECT_EQ(session.state().tab, Tab::Result);
    EXPECT_FALSE(session.state().panelVisible(Panel::Init));
}

TEST_F(SessionTest, ARefusedConfirmationKeepsThePanelAndStoresNoRows) {
    session.beginNewDesign();
    session.confirmChainType({true, 0, 0});
    session.steps().openInitialConditions();
    InitInputs in = inputs();
    in.hasLife = true;
    in.life = "20000";
    in.ratio = "三";
    const auto out = session.steps().confirmInitialConditions(in);
    EXPECT_FALSE(out.confirmed);
    EXPECT_EQ(out.focus, InitField::Ratio);
    EXPECT_TRUE(session.state().panelVisible(Panel::Init));
    EXPECT_TRUE(initItems().empty());
    EXPECT_EQ(roller::engineOf(session)->record().getDouble(RollerField::T), 20000);
    EXPECT_EQ(session.status().IsDone(12), 0);
}

TEST_F(SessionTest, ChoosingTheChainTypeAgainDiscardsTheDesign) {
    session.beginNewDesign();
    session.confirmChainType({true, 0, 0});
    session.steps().openInitialConditions();
    ASSERT_TRUE(session.steps().confirmInitialConditions(inputs()).confirmed);
    ui.clearLog();
    session.openChainTypeStep(); // default Yes to "确实要重新选择链种类？"
    ASSERT_FALSE(ui.log().empty());
    EXPECT_EQ(ui.log()[0].text, "确实要重新选择链种类？");
    EXPECT_FALSE(session.chain().has_value());
    EXPECT_FALSE(session.state().roller.visible);
    EXPECT_TRUE(session.state().panelVisible(Panel::Select));
    EXPECT_FALSE(session.state().select.blue);
    EXPECT_EQ(session.status().IsDone(12), 0);
    EXPECT_EQ(session.status().IsDone(0), 1);
    // The abandoned design left its initial conditions behind as an empty table.
    records::ResultTables check(workspace.database(), "r", true);
    EXPECT_TRUE(check.initTable()->isEmpty());
}

TEST_F(SessionTest, AMissingTemplateLeavesTheDesignAsItWas) {
    std::filesystem::remove(workspace.database() / "R_design.db");
    session.beginNewDesign();
    EXPECT_THROW(session.confirmChainType({true, 0, 0}), store::StoreError);
    EXPECT_FALSE(session.chain().has_value());
    EXPECT_FALSE(session.state().roller.visible);
    EXPECT_EQ(session.status().IsDone(1), 0);
}

TEST(SessionDatabaseDirTest, AnExplicitDatabaseDirectoryHoldsTheWorkingTables) {
    // The working directory has no database of its own: every table is read and written in the
    // directory named explicitly.
    testing::Workspace workspace;
    testing::TempDir appDir;
    ScriptedInteraction ui;
    DesignSession session(appDir.path(), workspace.database(), ui, fixedDesigner());
    EXPECT_EQ(session.databaseDir(), workspace.database());
    EXPECT_EQ(session.appDir(), appDir.path());
    session.beginNewDesign();
    session.confirmChainType({true, 0, 0});
    session.steps().openInitialConditions();
    InitInputs in;
    in.power = "3";
    in.n1 = "300";
    in.ratio = "3";
    ASSERT_TRUE(session.steps().confirmInitialConditions(in).confirmed);
    records::ResultTables check(workspace.database(), "r", true);
    EXPECT_EQ(check.initTable()->recordCount(), session.results()->initTable()->recordCount());
    EXPECT_FALSE(check.initTable()->isEmpty());
    EXPECT_FALSE(std::filesystem::exists(appDir.path() / "database"));
}

} // namespace
} // namespace zorvane::design
