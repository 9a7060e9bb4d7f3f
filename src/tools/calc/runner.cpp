#include "tools/calc/runner.h"

#include "core/project/file_commands.h"

#include "core/design/problem.h"
#include "core/design/reference_data.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/store/table.h"
#include "tools/calc/calc_interaction.h"
#include "tools/calc/design_json.h"

#include <algorithm>
#include <map>

namespace zorvane::calc {

namespace {

using design::Chain;
using design::DesignSession;
using design::Panel;
using design::PanelFields;

// What the step panels' buttons do: the check beside a first field, and each panel's 确定.
void checkSmallCount(DesignSession& s) {
    s.design()->checkSmallToothCount();
}
void confirmCounts(DesignSession& s) {
    s.design()->confirmToothCounts();
}
void confirmStaticStrength(DesignSession& s) {
    roller::designOf(s)->confirmStaticStrength();
}
void confirmInitialCentre(DesignSession& s) {
    s.steps().confirmInitialCentreDistance();
}
void confirmCentreChange(DesignSession& s) {
    s.steps().confirmCentreDistanceChange();
}

// The panels of the steps after the initial conditions; the other steps have none.
// clang-format off
constexpr std::array<PanelStep, 7> kPanelSteps{{
    {Chain::Roller,  1, Panel::Z,         "edtz1",  checkSmallCount, {"edtz2", "edtzi"},   confirmCounts},
    {Chain::Roller,  4, Panel::InitA0,    "",       nullptr,         {"edtInit_a0", ""},   confirmInitialCentre},
    {Chain::Roller,  5, Panel::A,         "",       nullptr,         {"edta", ""},         confirmCentreChange},
    {Chain::Roller,  7, Panel::Intensity, "",       nullptr,         {"edtn", ""},         confirmStaticStrength},
    {Chain::Toothed, 1, Panel::Dz,        "edtDz1", checkSmallCount, {"edtDz2", "edtDzi"}, confirmCounts},
    {Chain::Toothed, 4, Panel::InitA0,    "",       nullptr,         {"edtInit_a0", ""},   confirmInitialCentre},
    {Chain::Toothed, 5, Panel::A,         "",       nullptr,         {"edta", ""},         confirmCentreChange},
}};
// clang-format on

// The edit boxes of the step panels, with the switch of those that can be disabled.
struct FieldDef {
    std::string_view name;
    std::string PanelFields::*text;
    bool PanelFields::*enabled;
};

constexpr std::array<FieldDef, 9> kFields{{
    {"edtz1", &PanelFields::rollerZ1, nullptr},
    {"edtz2", &PanelFields::rollerZ2, nullptr},
    {"edtzi", &PanelFields::rollerZi, &PanelFields::rollerZiEnabled},
    {"edtDz1", &PanelFields::toothedZ1, nullptr},
    {"edtDz2", &PanelFields::toothedZ2, nullptr},
    {"edtDzi", &PanelFields::toothedZi, &PanelFields::toothedZiEnabled},
    {"edtInit_a0", &PanelFields::initialCentrePitches, nullptr},
    {"edta", &PanelFields::centreChange, nullptr},
    {"edtn", &PanelFields::allowedSafetyFactor, nullptr},
}};

const FieldDef* fieldDef(std::string_view name) {
    for (const auto& def : kFields) {
        if (def.name == name) {
            return &def;
        }
    }
    return nullptr;
}

bool finished(DesignSession& session, Chain chain) {
    return session.chain() == chain &&
           session.status().done(design::stepAt(chain, design::lastPosition(chain)).tag);
}

// The last message the run showed, to say why a step did not go on.
std::string lastMessage(const std::vector<design::LoggedExchange>& log) {
    for (auto it = log.rbegin(); it != log.rend(); ++it) {
        if (it->kind == "error" || it->kind == "info" || it->kind == "warning") {
            return it->text;
        }
    }
    return {};
}

StepButton firstStepNotDone(DesignSession& session, Chain chain) {
    if (session.chain() != chain) {
        return StepButton{};
    }
    for (const auto& step : design::steps(chain)) {
        if (!session.status().done(step.tag)) {
            return StepButton{step.position};
        }
    }
    return StepButton{design::lastPosition(chain)};
}

// Clicks the buttons of one design as a person would, each through the same guard the window
// puts around its handlers.
class Driver {
public:
    Driver(const Scenario& scenario, DesignSession& session, CalcInteraction& ui)
        : scenario_(scenario), session_(session), ui_(ui) {
        for (const auto& [name, texts] : scenario.inputs) {
            if (fieldDef(name)) {
                fields_[name] = TextSequence(texts);
            }
        }
    }

    void click(const StepButton& button) {
        ui_.beginClick();
        const Chain chain = scenario_.chain;
        if (!button.position) {
            run([&] { session_.openChainTypeStep(); });
            if (session_.state().panelVisible(Panel::Select)) {
                run([&] {
                    session_.confirmChainType({chain == Chain::Roller, scenario_.rowItem, 0});
                });
            }
            return;
        }
        const int position = *button.position;
        run([&] { session_.steps().stepClicked(chain, position); });
        if (position == 0) {
            // A send-back that reopens the initial conditions gets the same inputs again.
            if (session_.state().panelVisible(Panel::Init)) {
                run([&] { session_.steps().confirmInitialConditions(scenario_.initial); });
            }
            return;
        }
        const PanelStep* step = panelStepAt(chain, position);
        if (!step || !session_.state().panelVisible(step->panel)) {
            return;
        }
        if (!step->checkedField.empty()) {
            fill(step->checkedField);
            run([&] { step->check(session_); });
        }
        for (const auto name : step->fields) {
            if (!name.empty()) {
                fill(name);
            }
        }
        run([&] { step->confirm(session_); });
    }

    // How many of the scenario's field texts were used, repeats of a last text not counted.
    int progress() const { return progress_; }

private:
    void fill(std::string_view name) {
        auto& fields = session_.state().fields;
        const auto it = fields_.find(std::string(name));
        if (it == fields_.end() || !panelFieldEnabled(fields, name)) {
            return; // the panel's proposal stays
        }
        if (!it->second.repeats()) {
            ++progress_;
        }
        if (auto text = it->second.next()) {
            *panelField(fields, name) = *text;
        }
    }

    // As the window runs a handler: a table store failure reaches the user as an error message.
    template <class Handler> void run(Handler&& handler) {
        try {
            session_.runStep(handler);
        } catch (const RefusedAnswers&) {
            throw;
        } catch (const std::exception& error) {
            design::reportFailure(ui_, error);
        }
    }

    const Scenario& scenario_;
    DesignSession& session_;
    CalcInteraction& ui_;
    std::map<std::string, TextSequence, std::less<>> fields_;
    int progress_ = 0;
};

} // namespace

records::DesignerInfo anonymousDesigner() {
    return records::DesignerInfo([]() -> std::optional<records::OwnerInfo> { return std::nullopt; },
                                 records::systemLocalTime, "C");
}

std::span<const PanelStep> panelSteps() {
    return kPanelSteps;
}

const PanelStep* panelStepAt(Chain chain, int position) {
    for (const auto& step : kPanelSteps) {
        if (step.chain == chain && step.position == position) {
            return &step;
        }
    }
    return nullptr;
}

std::string* panelField(PanelFields& fields, std::string_view name) {
    const FieldDef* def = fieldDef(name);
    return def ? &(fields.*def->text) : nullptr;
}

bool panelFieldEnabled(const PanelFields& fields, std::string_view name) {
    const FieldDef* def = fieldDef(name);
    return def && (!def->enabled || fields.*def->enabled);
}

std::optional<StepButton> nextStepButton(const DesignSession& session, Chain chain) {
    const auto& state = session.state();
    if (state.select.visible && state.select.enabled && !state.select.blue) {
        return StepButton{};
    }
    if (session.chain() != chain) {
        return std::nullopt;
    }
    const auto& buttons = state.panelOf(chain).steps;
    for (const auto& step : design::steps(chain)) {
        const auto at = static_cast<std::size_t>(step.position);
        if (at < buttons.size() && buttons[at].enabled && !buttons[at].blue) {
            return StepButton{step.position};
        }
    }
    return std::nullopt;
}

std::string captionOf(Chain chain, const StepButton& button) {
    return button.position ? std::string(design::stepAt(chain, *button.position).caption)
                           : std::string("选择链种类");
}

DesignSnapshot snapshotOf(DesignSession& session) {
    DesignSnapshot snapshot;
    const auto& flags = session.status().flags();
    snapshot.flags.assign(flags.begin(), flags.end());
    const auto& state = session.state();
    snapshot.buttons = {state.begin, state.select};
    for (const auto* panel : {&state.roller, &state.toothed}) {
        snapshot.buttons.insert(snapshot.buttons.end(), panel->steps.begin(), panel->steps.end());
        snapshot.buttons.push_back(panel->endLabel);
    }
    snapshot.panels.assign(state.panels.begin(), state.panels.end());
    for (const auto& def : kFields) {
        snapshot.fields.push_back(state.fields.*def.text);
    }
    if (const auto* design = session.design()) {
        snapshot.record = design->recordBytes();
    }
    snapshot.a0Range = state.A0Range;
    snapshot.needLifeCheck = state.NeedLifeCheck;
    if (const auto* results = session.results()) {
        for (const store::Table* table :
             {results->initTable(), results->resultTable(), results->sizeTable()}) {
            for (int i = 0; table && i < table->recordCount(); ++i) {
                std::string cells;
                for (const auto& value : table->row(i)) {
                    cells += value.asText() + '\t';
                }
                snapshot.rows.push_back(std::move(cells));
            }
            snapshot.rows.emplace_back(); // the end of a table
        }
    }
    if (const auto* history = session.history(); history && history->historyTable()) {
        // Its pictures stay unread: the entries follow the record and the results.
        snapshot.historyEntries = history->historyTable()->recordCount();
    }
    return snapshot;
}

// Whether the step button of `caption` is done in the open design.
bool stepDone(DesignSession& session, Chain chain, const std::string& caption) {
    if (caption == "选择链种类") {
        return session.status().done(design::kTagSelect);
    }
    for (const auto& step : design::steps(chain)) {
        if (step.caption == caption) {
            return session.chain() == chain && session.status().done(step.tag);
        }
    }
    return false;
}

RunOutcome runScenario(const Scenario& scenario, const RunPaths& paths) {
    CalcInteraction ui(scenario);
    // The chain's reference tables are read on another thread while the working tables open.
    store::prefetchTables(paths.databaseDir, design::referenceTableNames(scenario.chain));
    DesignSession session(paths.appDir, paths.databaseDir, ui, anonymousDesigner());
    session.requireWorkspace();
    project::FileCommands commands(session);
    if (paths.open) {
        ui.beginClick();
        bool opened = false;
        session.runStep([&] { opened = commands.openFile(paths.open->string()); });
        if (!opened) {
            throw ProjectNotOpened(lastMessage(ui.log()));
        }
    }
    // An opened project goes on with its own chain.
    const Chain chain = session.chain().value_or(scenario.chain);
    Driver driver(scenario, session, ui);
    RunOutcome outcome;
    outcome.repairs = session.workspaceRepairs();
    auto stop = [&](const StepButton& at, const std::string& why) {
        outcome.stoppedAt = captionOf(chain, at);
        outcome.reason = "设计停在“" + *outcome.stoppedAt + "”：" + why;
        if (const std::string message = lastMessage(ui.log()); !message.empty()) {
            outcome.reason += "（最后的消息：" + message + "）";
        }
    };

    if (!paths.open) {
        ui.beginClick();
        session.beginNewDesign();
    }
    // The state after each click, with the scenario's progress at that time.
    std::vector<std::pair<DesignSnapshot, int>> seen{{snapshotOf(session), 0}};
    int unchanged = 0;
    for (int clicks = 0;; ++clicks) {
        if (finished(session, chain) || (paths.until && stepDone(session, chain, *paths.until))) {
            outcome.completed = true;
            break;
        }
        const auto button = nextStepButton(session, chain);
        if (!button) {
            stop(firstStepNotDone(session, chain), "没有可以执行的步骤");
            break;
        }
        if (clicks == kClickLimit) {
            stop(*button, "已点击步骤" + std::to_string(kClickLimit) + "次仍未完成设计");
            break;
        }
        try {
            driver.click(*button);
        } catch (const RefusedAnswers& refused) {
            stop(*button, refused.what());
            break;
        }
        DesignSnapshot after = snapshotOf(session);
        const int progress = ui.progress() + driver.progress();
        unchanged = after == seen.back().first ? unchanged + 1 : 0;
        if (unchanged == 2) {
            stop(*button, "连续两次执行后设计状态没有变化");
            break;
        }
        const bool cycle =
            unchanged == 0 && std::any_of(seen.begin(), seen.end(), [&](const auto& earlier) {
                return earlier.second == progress && earlier.first == after;
            });
        if (cycle) {
            stop(*button, "设计被送回前面的步骤后又回到了此前的同一状态，再执行只会重复");
            break;
        }
        seen.emplace_back(std::move(after), progress);
    }
    if (paths.save) {
        ui.beginClick();
        commands.saveAsFile(paths.save->string());
        if (!session.state().SaveSucceeded) {
            outcome.saveError = lastMessage(ui.log());
        }
    }
    outcome.json =
        formatDesignJson(designJson(session, ui.log(), outcome.completed, outcome.stoppedAt));
    return outcome;
}

} // namespace zorvane::calc
