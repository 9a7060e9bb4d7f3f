#include "core/drive/scenario_interaction.h"

namespace zorvane::drive {

namespace {

// The dialogs whose choices a scenario gives under its inputs.
constexpr std::array<const char*, 4> kDialogs{"TfrmNode", "TfrmDNode", "Tfrmb", "TfrmJQD"};

} // namespace

RefusedAnswers::RefusedAnswers(const std::string& caption)
    : std::runtime_error("“" + caption + "”连续" +
                         std::to_string(ScenarioInteraction::kRefusalLimit) + "次不接受给出的值"),
      caption_(caption) {}

ScenarioInteraction::ScenarioInteraction(const Scenario& scenario) {
    // Each answer serves every question it matches, not only the first.
    for (const auto& answer : scenario.answers) {
        ScriptedInteraction::answer(answer.textPart, answer.answer, true);
    }
    for (const auto& prompt : scenario.prompts) {
        ScriptedInteraction::prompt(prompt.caption, prompt.value);
        ++promptsLeft_[prompt.caption];
    }
    for (const char* dialog : kDialogs) {
        if (const auto it = scenario.inputs.find(dialog); it != scenario.inputs.end()) {
            dialogs_[dialog] = TextSequence(it->second);
        }
    }
}

void ScenarioInteraction::beginClick(std::string step, const design::StepFlags* flags) {
    settleQuestion();
    step_ = std::move(step);
    flags_ = flags;
    lastCaption_.clear();
    repeats_ = 0;
}

void ScenarioInteraction::endClick() {
    settleQuestion();
    step_.clear();
    flags_ = nullptr;
}

void ScenarioInteraction::settleQuestion() {
    if (!questionOpen_) {
        return;
    }
    questionOpen_ = false;
    const auto& now = flags_->flags();
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (flagsAtAnswer_[i] == 1 && now[i] != 1) {
            questions_.back().sentBack = true;
            return;
        }
    }
}

design::Answer ScenarioInteraction::ask(const design::Message& message) {
    const design::Answer answer = ScriptedInteraction::ask(message);
    if (message.buttons == design::Buttons::Ok) {
        return answer; // a message, no question
    }
    // A message shown while the answer's step goes back (a refused prompt value) leaves the
    // question open; the next question or the end of the click settles it.
    settleQuestion();
    questions_.push_back({step_, message.title, message.text, answer, false});
    if (flags_) {
        flagsAtAnswer_ = flags_->flags();
        questionOpen_ = true;
    }
    return answer;
}

std::string ScenarioInteraction::lastMessage() const {
    for (auto it = log().rbegin(); it != log().rend(); ++it) {
        if (it->kind == "error" || it->kind == "info" || it->kind == "warning") {
            return it->text;
        }
    }
    return {};
}

void ScenarioInteraction::asked(const std::string& caption) {
    if (caption == lastCaption_) {
        ++repeats_;
    } else {
        lastCaption_ = caption;
        repeats_ = 1;
    }
    if (repeats_ > kRefusalLimit) {
        throw RefusedAnswers(caption);
    }
}

void ScenarioInteraction::usePrompt(const std::string& caption) {
    // The scripted user takes the caption's values in order, then gives the default text.
    if (auto it = promptsLeft_.find(caption); it != promptsLeft_.end() && it->second > 0) {
        --it->second;
        ++progress_;
    }
}

void ScenarioInteraction::nextDialogValue(const std::string& dialog) {
    if (const auto it = dialogs_.find(dialog); it != dialogs_.end()) {
        if (!it->second.repeats()) {
            ++progress_;
        }
        if (auto value = it->second.next()) {
            dialogAnswer(dialog, *value);
        }
    }
}

std::optional<std::string> ScenarioInteraction::promptQuery(const std::string& caption,
                                                            const std::string& prompt,
                                                            const std::string& value) {
    asked(caption);
    usePrompt(caption);
    return ScriptedInteraction::promptQuery(caption, prompt, value);
}

std::optional<std::string> ScenarioInteraction::inputBox(const std::string& caption,
                                                         const std::string& prompt,
                                                         const std::string& defaultText) {
    asked(caption);
    usePrompt(caption);
    return ScriptedInteraction::inputBox(caption, prompt, defaultText);
}

bool ScenarioInteraction::chooseChainNumber(store::Dataset& chains) {
    asked("选择链号和节距");
    nextDialogValue("TfrmNode");
    return ScriptedInteraction::chooseChainNumber(chains);
}

int ScenarioInteraction::chooseItem(const std::string& dialog, const std::string& caption,
                                    const std::string& label, const std::vector<std::string>& items,
                                    int preselected) {
    asked(caption);
    nextDialogValue(dialog);
    return ScriptedInteraction::chooseItem(dialog, caption, label, items, preselected);
}

std::optional<std::string>
ScenarioInteraction::chooseFromList(const std::string& dialog, const std::string& caption,
                                    const std::string& listLabel, const std::string& editLabel,
                                    const std::vector<std::string>& items) {
    asked(caption);
    nextDialogValue(dialog);
    return ScriptedInteraction::chooseFromList(dialog, caption, listLabel, editLabel, items);
}

} // namespace zorvane::drive
