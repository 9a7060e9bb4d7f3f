// One scenario of tests/scenarios both ways: clicked through the real main window, offscreen, by
// the same scripted user, and run by the batch runner. The window must leave exactly the working
// tables the runner prints.

#include "core/drive/panel_steps.h"
#include "core/drive/scenario_interaction.h"
#include "core/drive/step_buttons.h"
#include "support/main_window_fixture.h"
#include "tools/calc/design_json.h"
#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <map>

using namespace zorvane;
using design::Chain;

namespace {

// The buttons of a panel step: the check beside its first field (or none), and its OK.
struct PanelButtons {
    Chain chain;
    int position;
    const char* check;
    const char* ok;
};
constexpr PanelButtons kPanelButtons[] = {
    {Chain::Roller, 1, "btnZOk", "btnRZOK"},    {Chain::Roller, 4, nullptr, "Button3"},
    {Chain::Roller, 5, nullptr, "btnAOk"},      {Chain::Roller, 7, nullptr, "btnIntensityOK"},
    {Chain::Toothed, 1, "btnDZOk", "btnDZ1OK"}, {Chain::Toothed, 4, nullptr, "Button3"},
    {Chain::Toothed, 5, nullptr, "btnAOk"},
};

const PanelButtons& buttonsOf(Chain chain, int position) {
    for (const auto& buttons : kPanelButtons) {
        if (buttons.chain == chain && buttons.position == position) {
            return buttons;
        }
    }
    qFatal("no panel buttons for position %d", position);
}

calc::Scenario scenarioNamed(const char* name) {
    return calc::readScenario(std::filesystem::path(ZORVANE_SCENARIO_DIR) / name / "scenario.json");
}

} // namespace

class CalcWindowTest : public QObject,
                       public testing::MainWindowFixture<drive::ScenarioInteraction> {
    Q_OBJECT

private:
    std::map<std::string, drive::TextSequence> fields_;

    template <class T> T* find(const char* name) { return drive_.find<T>(name); }
    bool shown(const char* name) { return drive_.shown(name); }
    void click(const char* name) { drive_.click(name); }
    void type(const char* name, const std::string& text) { drive_.type(name, text); }
    void pick(const char* name, int item) { drive_.pick(name, item); }
    void fillInit(const design::InitInputs& in) { drive_.fillInit(in); }

    // The scenario's next text for a panel field, typed when the field can be typed into.
    void fill(std::string_view name) {
        const auto it = fields_.find(std::string(name));
        const std::string objectName(name);
        auto* edit = find<QLineEdit>(objectName.c_str());
        if (it == fields_.end() || !edit->isEnabled()) {
            return;
        }
        if (const auto text = it->second.next()) {
            type(objectName.c_str(), *text);
        }
    }

    // The design clicked as the runner clicks it: always the first step button that is enabled
    // and not done, each panel filled from the scenario and confirmed.
    void runInWindow(const calc::Scenario& s) {
        for (const auto& [name, texts] : s.inputs) {
            fields_[name] = drive::TextSequence(texts);
        }
        click("spnBegin");
        auto& session = window_->session();
        for (int clicks = 0; clicks < 60; ++clicks) {
            if (session.status().done(design::stepAt(s.chain, design::lastPosition(s.chain)).tag)) {
                return;
            }
            const auto button = drive::nextStepButton(session, s.chain);
            QVERIFY(button.has_value());
            if (!button->position) {
                click("spnSelect");
                if (shown("pnlSelect")) {
                    find<QAbstractButton>(s.chain == Chain::Roller ? "radRoll" : "radDenti")
                        ->click();
                    if (s.chain == Chain::Roller) {
                        pick("cbxRoll", s.rowItem);
                    }
                    click("btnSelOK");
                }
                continue;
            }
            const int position = *button->position;
            click(design::stepAt(s.chain, position).name.data());
            if (position == 0) {
                if (shown("pnlInit")) {
                    fillInit(s.initial);
                    click("btnInitOK");
                }
                continue;
            }
            const drive::PanelStep* step = drive::panelStepAt(s.chain, position);
            if (!step || !shown(design::panelName(step->panel).data())) {
                continue;
            }
            const PanelButtons& buttons = buttonsOf(s.chain, position);
            if (buttons.check) {
                fill(step->checkedField);
                click(buttons.check);
            }
            for (const auto name : step->fields) {
                if (!name.empty()) {
                    fill(name);
                }
            }
            click(buttons.ok);
        }
        QFAIL("the design did not end");
    }

    void expectSameAsRunner(const char* name) {
        const calc::Scenario s = scenarioNamed(name);
        openWindow({1200, 800}, drive::anonymousDesigner(), s);
        runInWindow(s);

        testing::Workspace runnerWorkspace;
        const auto runner = calc::OrderedJson::parse(
            calc::runScenario(s, {runnerWorkspace.path(), runnerWorkspace.database(), {}, {}, {}})
                .json);
        const auto shownTables = calc::designJson(window_->session(), ui_->log(), true, {});
        QVERIFY(runner["completed"].get<bool>());
        QVERIFY(!runner["result"].empty());
        for (const char* key : {"steps_done", "init", "result", "size", "history", "log"}) {
            QVERIFY2(shownTables[key] == runner[key],
                     (std::string(key) + ": " + shownTables[key].dump() + "\n" + runner[key].dump())
                         .c_str());
        }
    }

private slots:
    void cleanup() {
        closeWindow();
        fields_.clear();
    }

    // Refused panel texts taken in turn, an answered question and a refused prompt value.
    void rollerGivenCentreDistance() { expectSameAsRunner("roller_given_centre_distance"); }
    // A send-back from the power step to the pitch, with the pitch dialog's texts in turn.
    void toothedWidthSendBack() { expectSameAsRunner("toothed_width_send_back"); }
};

QTEST_MAIN(CalcWindowTest)
#include "calc_window_test.moc"
