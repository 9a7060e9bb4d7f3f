// Whole designs through the real main window, offscreen, clicked like a person with scripted
// answers. Each design is also run straight through the design session with the same inputs and
// answers; the window must give exactly the same working tables, row by row, and the values the
// engine tests check are looked up here once more.

#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/store/table.h"
#include "core/toothed/toothed_design.h"
#include "support/design_inputs.h"
#include "support/main_window_fixture.h"
#include "support/working_tables.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

#include <functional>

using namespace zorvane;
using design::Answer;
using design::InitInputs;
using namespace zorvane::testing;

namespace {

using testing::Rows;
using testing::rowsOf;

struct Tables {
    Rows init, results, sizes, history;
    bool operator==(const Tables&) const = default;
};

Tables tablesOf(design::DesignSession& session) {
    return {rowsOf(*session.results()->initTable(), {"项目", "数值", "单位"}),
            rowsOf(*session.results()->resultTable(), {"项目", "数值", "单位"}),
            rowsOf(*session.results()->sizeTable(), {"名称", "符号", "小链轮数值", "大链轮数值"}),
            rowsOf(*session.history()->historyTable(), {"项目", "符号", "数值", "单位"})};
}

std::string valueOf(const Rows& rows, const std::string& item) {
    for (const auto& row : rows) {
        if (row[0] == item) {
            return row[1];
        }
    }
    return "<none>";
}

// The scripted answers of one design, given to both the window's and the reference's user.
using Script = std::function<void(design::ScriptedInteraction&)>;

// The steps of a design as both runs carry them out: the step positions clicked in order; a
// panel step is confirmed with its panel's proposals.
struct Design {
    design::Chain chain = design::Chain::Roller;
    int rowItem = 0;
    InitInputs init;
    Script script = [](design::ScriptedInteraction&) {};
    std::vector<int> positions;
};

std::vector<int> allSteps(design::Chain chain) {
    std::vector<int> positions;
    for (int p = 1; p <= design::lastPosition(chain); ++p) {
        positions.push_back(p);
    }
    return positions;
}

// The same design straight through the session: the reference tables.
Tables reference(const Design& d) {
    testing::Workspace workspace;
    design::ScriptedInteraction ui;
    d.script(ui);
    design::DesignSession session(workspace.path(), ui);
    session.beginNewDesign();
    session.openChainTypeStep();
    session.confirmChainType({d.chain == design::Chain::Roller, d.rowItem, 0});
    session.steps().openInitialConditions();
    session.steps().confirmInitialConditions(d.init);
    const bool roller = d.chain == design::Chain::Roller;
    for (int position : d.positions) {
        session.steps().stepClicked(d.chain, position);
        if (position == 1 && roller) {
            (*roller::designOf(session)).checkSmallToothCount();
            (*roller::designOf(session)).confirmToothCounts();
        } else if (position == 1) {
            (*toothed::designOf(session)).checkSmallToothCount();
            (*toothed::designOf(session)).confirmToothCounts();
        } else if (position == 4) {
            session.steps().confirmInitialCentreDistance();
        } else if (position == 5) {
            session.steps().confirmCentreDistanceChange();
        } else if (position == 7 && roller) {
            (*roller::designOf(session)).confirmStaticStrength();
        }
    }
    return tablesOf(session);
}

} // namespace

class DesignFlowTest : public QObject, public testing::MainWindowFixture<> {
    Q_OBJECT

private:
    template <class T> T* find(const char* name) { return drive_.find<T>(name); }
    bool shown(const char* name) { return drive_.shown(name); }
    void click(const char* name) { drive_.click(name); }
    void type(const char* name, const std::string& text) { drive_.type(name, text); }
    void pick(const char* name, int item) { drive_.pick(name, item); }
    void fillInit(const design::InitInputs& in) { drive_.fillInit(in); }

    const char* stepName(design::Chain chain, int position) {
        return design::stepAt(chain, position).name.data();
    }

    // The design clicked through the window: the step buttons, and each panel's 确定.
    void runInWindow(const Design& d) {
        d.script(*ui_);
        click("spnBegin");
        click("spnSelect");
        const bool roller = d.chain == design::Chain::Roller;
        find<QAbstractButton>(roller ? "radRoll" : "radDenti")->click();
        if (roller) {
            pick("cbxRoll", d.rowItem);
        }
        click("btnSelOK");
        click(stepName(d.chain, 0));
        fillInit(d.init);
        click("btnInitOK");
        for (int position : d.positions) {
            click(stepName(d.chain, position));
            if (position == 1) {
                click(roller ? "btnZOk" : "btnDZOk");
                click(roller ? "btnRZOK" : "btnDZ1OK");
            } else if (position == 4) {
                click("Button3");
            } else if (position == 5) {
                click("btnAOk");
            } else if (position == 7 && roller) {
                click("btnIntensityOK");
            }
        }
    }

    Tables windowTables() { return tablesOf(window_->session()); }
    design::MainState& state() { return window_->session().state(); }

    void expectSameAsReference(const Design& d) {
        runInWindow(d);
        const Tables shown = windowTables();
        const Tables expected = reference(d);
        QVERIFY(!shown.results.empty());
        QCOMPARE(shown.init, expected.init);
        QCOMPARE(shown.results, expected.results);
        QCOMPARE(shown.sizes, expected.sizes);
        QCOMPARE(shown.history, expected.history);
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void rollerLowSpeedSingleRow() {
        const Design d{design::Chain::Roller, 0, lowSpeedSingleRow(), [](auto&) {},
                       allSteps(design::Chain::Roller)};
        expectSameAsReference(d);
        const Tables shown = windowTables();
        QCOMPARE(valueOf(shown.results, "链号"), std::string("12A"));
        QCOMPARE(valueOf(shown.results, "实际中心距"), std::string("754"));
        QCOMPARE(valueOf(shown.results, "使用寿命(磨损寿命)"), std::string("107517.61"));
        QCOMPARE(shown.sizes.size(), std::size_t{9});
        QCOMPARE(shown.sizes[1][2], std::string("91.63"));
        QVERIFY(find<QWidget>("pnlRstEnd")->isVisible());
        QVERIFY(find<QWidget>("pnlRstEnd")->height() > 100);
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/roller-design.png"));
        QVERIFY(find<QAbstractButton>("spnResult")->isEnabled());
        QVERIFY(window_->action(QStringLiteral("mniSize"))->isEnabled());
        QVERIFY(find<QLabel>("imgSize")->pixmap().width() > 0);
        QCOMPARE(window_->pages()->currentIndex(), 2);

        // 导出齿形… writes both sprockets beside the name chosen and says where.
        ui_->saveAnswer((workspace_->path() / "drive.dxf").string());
        click("spnProfile");
        QVERIFY(std::filesystem::exists(workspace_->path() / "drive-z1.dxf"));
        QVERIFY(std::filesystem::exists(workspace_->path() / "drive-z2.dxf"));
        QCOMPARE(ui_->log().back().kind, std::string("info"));
        QVERIFY(ui_->log().back().text.find("drive-z2.dxf") != std::string::npos);

        // Re-running the chain speed cuts the tables back and hides the size area; running the
        // later steps again lists each size row once.
        click("spnRV");
        QVERIFY(!find<QWidget>("pnlRstEnd")->isVisible());
        QVERIFY(windowTables().sizes.empty());
        QCOMPARE(windowTables().results.back()[0], std::string("润滑方式"));
        QVERIFY(!find<QAbstractButton>("spnResult")->isEnabled());
        QVERIFY(!find<QAbstractButton>("spnR_a0")->isEnabled());
        QVERIFY(!find<QAbstractButton>("spnProfile")->isEnabled());
        click("spnRInit_a0");
        click("Button3");
        click("spnR_a0");
        click("btnAOk");
        click("spnRF");
        click("spnRIntensity");
        click("btnIntensityOK");
        click("spnRWearable");
        click("spnRWheel");
        QVERIFY(windowTables() == reference(d));
        QVERIFY(find<QWidget>("pnlRstEnd")->isVisible());
        window_->tabSet()->setCurrentIndex(1);
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/roller-history.png"));
    }

    void rollerTwoRowsWithRequiredLife() {
        const Design d{design::Chain::Roller, 1, requiredLifeAtHighSpeed(),
                       [](design::ScriptedInteraction& ui) {
                           ui.answer("使用寿命计算值太小", Answer::No, true);
                           ui.answer("铰链比压太大", Answer::No, true);
                       },
                       allSteps(design::Chain::Roller)};
        expectSameAsReference(d);
        const Tables shown = windowTables();
        QCOMPARE(valueOf(shown.results, "链号"), std::string("08A"));
        QVERIFY(valueOf(shown.results, "使用寿命(疲劳寿命)") != "<none>");
        QVERIFY(valueOf(shown.results, "铰链许用比压") != "<none>");
        QCOMPARE(
            roller::engineOf(window_->session())->record().getDouble(roller::RollerField::Rows),
            2.0);
        QVERIFY(state().roller.endLabel.blue);
    }

    void rollerGivenInitialCentreDistance() {
        const Design d{
            design::Chain::Roller, 0, givenCentreDistance(),
            [](design::ScriptedInteraction& ui) { ui.answer("过渡链节", Answer::Yes, true); },
            allSteps(design::Chain::Roller)};
        expectSameAsReference(d);
        const Tables shown = windowTables();
        QCOMPARE(valueOf(shown.results, "初定中心距"), std::string("600.08"));
        QCOMPARE(valueOf(shown.results, "张紧轮齿数"), std::string(""));
        QCOMPARE(valueOf(shown.init, "中心距初值"), std::string("571.5,可上调10%"));
        QCOMPARE(find<QLabel>("lblInita")->text(),
                 QStringLiteral("本设计中,a0的初值为30.000p,允许上调至33.000p."));
    }

    // On a laptop's 1366 px the size grid shows both sprockets' values and the unit without
    // scrolling; the formula takes what is left, its whole text in the tooltip.
    void sizeGridFitsALaptop_data() {
        QTest::addColumn<int>("chain");
        QTest::newRow("roller") << static_cast<int>(design::Chain::Roller);
        QTest::newRow("toothed") << static_cast<int>(design::Chain::Toothed);
    }
    void sizeGridFitsALaptop() {
        QFETCH(int, chain);
        const auto kind = static_cast<design::Chain>(chain);
        window_->showNormal();
        window_->resize(1366, 740);
        runInWindow({kind, 0,
                     kind == design::Chain::Roller ? lowSpeedSingleRow() : toothedMediumSpeed(),
                     [](auto&) {}, allSteps(kind)});
        auto* grid = find<QTableView>("grdSize");
        QTRY_VERIFY(grid->isVisible());
        QCoreApplication::processEvents();
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/size-grid-1366-%1.png")
                                 .arg(QString::fromLatin1(QTest::currentDataTag())));
        const auto* model = grid->model();
        int formula = -1;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString header = model->headerData(column, Qt::Horizontal).toString();
            if (header == QStringLiteral("关系式")) {
                formula = column;
                continue;
            }
            const int right = grid->columnViewportPosition(column) + grid->columnWidth(column);
            QVERIFY2(right <= grid->viewport()->width(), qPrintable(header));
            QVERIFY2(grid->columnWidth(column) >=
                         grid->horizontalHeader()->sectionSizeHint(column) - 2,
                     qPrintable(header));
        }
        QVERIFY(formula >= 0);
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
        const QModelIndex cell = model->index(1, formula);
        QCOMPARE(model->data(cell, Qt::ToolTipRole), model->data(cell, Qt::DisplayRole));
    }

    void toothedMediumSpeedDesign() {
        const Design d{design::Chain::Toothed, 0, toothedMediumSpeed(), [](auto&) {},
                       allSteps(design::Chain::Toothed)};
        expectSameAsReference(d);
        const Tables shown = windowTables();
        QCOMPARE(valueOf(shown.results, "链宽"), std::string("31.75"));
        QCOMPARE(valueOf(shown.results, "实际中心距"), std::string("1263.915"));
        QCOMPARE(shown.sizes.size(), std::size_t{11});
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/toothed-design.png"));
        QVERIFY(find<QWidget>("pnlRstEnd")->isVisible());
        QVERIFY(state().toothed.endLabel.blue);
    }

    void toothedWithoutTensionerAndWithAFixedDistance() {
        InitInputs in = toothedMediumSpeed();
        in.adjustable = false;
        in.hasTensioner = false;
        in.layout = 2;
        const Design d{design::Chain::Toothed, 0, in, [](auto&) {},
                       allSteps(design::Chain::Toothed)};
        expectSameAsReference(d);
        QCOMPARE(valueOf(windowTables().results, "张紧轮齿数"), std::string("<none>"));
        QVERIFY(!find<QLineEdit>("edtDzi")->isEnabled());
    }

    void toothedGivenCentreDistanceAndAnotherPitch() {
        InitInputs in = toothedMediumSpeed();
        in.hasInitA0 = true;
        in.initA0 = "1016";
        in.floatText = "上调或下调";
        const Design d{
            design::Chain::Toothed, 0, in,
            [](design::ScriptedInteraction& ui) { ui.dialogAnswer("TfrmDNode", "25.4"); },
            allSteps(design::Chain::Toothed)};
        expectSameAsReference(d);
        const Tables shown = windowTables();
        QCOMPARE(valueOf(shown.results, "链条节距"), std::string("25.4"));
        QCOMPARE(valueOf(shown.results, "初定中心距"), std::string("1016.00"));
    }

    void toothedPowerStepSendsBackToTheSpeed() {
        InitInputs slow = toothedMediumSpeed();
        slow.n1 = "60";
        runInWindow({design::Chain::Toothed,
                     0,
                     slow,
                     [](design::ScriptedInteraction& ui) { ui.prompt("选择重计算起始位置", "2"); },
                     {1, 2, 3}});
        QVERIFY(find<QWidget>("pnlInit")->isVisible());
        QCOMPARE(window_->pages()->currentIndex(), 0);
        QVERIFY(!window_->session().status().done(15));
        // A usable speed, and the design goes on to the end.
        type("edtn1", "960");
        click("btnInitOK");
        for (int position : allSteps(design::Chain::Toothed)) {
            click(stepName(design::Chain::Toothed, position));
            if (position == 1) {
                click("btnDZ1OK");
            } else if (position == 4) {
                click("Button3");
            } else if (position == 5) {
                click("btnAOk");
            }
        }
        QVERIFY(window_->session().status().done(20));
        QCOMPARE(valueOf(windowTables().results, "设计功率"), std::string("5.278"));
    }

    void toothedPowerStepSendsBackToTheToothCounts() {
        InitInputs heavy = toothedMediumSpeed();
        heavy.power = "5000";
        runInWindow({design::Chain::Toothed,
                     0,
                     heavy,
                     [](design::ScriptedInteraction& ui) { ui.prompt("输入1或2", "2"); },
                     {1, 2, 3}});
        QVERIFY(find<QWidget>("pnlDz")->isVisible());
        QVERIFY(windowTables().results.empty());
        QVERIFY(!window_->session().status().done(13));
        QVERIFY(!find<QAbstractButton>("spnDNodeS")->isEnabled());
    }
};

QTEST_MAIN(DesignFlowTest)
#include "design_flow_test.moc"
