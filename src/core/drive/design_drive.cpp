#include "core/drive/design_drive.h"

#include "core/design/problem.h"
#include "core/drive/design_snapshot.h"
#include "core/drive/panel_steps.h"
#include "core/drive/step_buttons.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zorvane::drive {

namespace {

using design::Chain;
using design::DesignSession;
using design::Panel;

// Clicks the buttons of one design as a person would, each through the same guard the window
// puts around its handlers.
class Driver {
public:
    Driver(const Scenario& scenario, DesignSession& session, ScenarioInteraction& ui)
        : scenario_(scenario), session_(session), ui_(ui) {}

    // `caption` names the button for the questions its click asks.
    void click(const StepButton& button, const std::string& caption) {
        ui_.beginClick(caption, &session_.status());
        struct EndClick {
            ScenarioInteraction& ui;
            ~EndClick() { ui.endClick(); }
        } endClick{ui_};
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

private:
    // Types the scenario's next text into the field when it can be typed into; without one the
    // panel's proposal stays.
    void fill(std::string_view name) {
        auto& fields = session_.state().fields;
        if (!panelFieldEnabled(fields, name)) {
            return;
        }
        if (auto text = ui_.nextText(name)) {
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
    ScenarioInteraction& ui_;
};

} // namespace

DriveResult driveDesign(DesignSession& session, ScenarioInteraction& ui, const Scenario& scenario,
                        const std::optional<std::string>& until) {
    const Chain chain = session.chain().value_or(scenario.chain);
    Driver driver(scenario, session, ui);
    DriveResult result;
    auto stop = [&](const StepButton& at, const std::string& why) {
        result.stoppedAt = captionOf(chain, at);
        result.reason = "设计停在“" + *result.stoppedAt + "”：" + why;
        if (const std::string message = ui.lastMessage(); !message.empty()) {
            result.reason += "（最后的消息：" + message + "）";
        }
    };

    // The state after each click, with the scenario's progress at that time.
    std::vector<std::pair<DesignSnapshot, int>> seen{{snapshotOf(session), ui.progress()}};
    int unchanged = 0;
    for (int clicks = 0;; ++clicks) {
        if (designFinished(session, chain) || (until && stepDone(session, chain, *until))) {
            result.completed = true;
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
            driver.click(*button, captionOf(chain, *button));
        } catch (const RefusedAnswers& refused) {
            stop(*button, refused.what());
            break;
        }
        DesignSnapshot after = snapshotOf(session);
        const int progress = ui.progress();
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
    return result;
}

} // namespace zorvane::drive
