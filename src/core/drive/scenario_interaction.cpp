#include "core/drive/scenario_interaction.h"

#include "core/drive/panel_steps.h"

#include <algorithm>

namespace zorvane::drive {

namespace {

// The dialogs whose choices a scenario gives under its inputs.
constexpr std::array<std::string_view, 4> kDialogs{"TfrmNode", "TfrmDNode", "Tfrmb", "TfrmJQD"};

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
    const auto fields = panelFieldNames();
    for (const auto& [name, texts] : scenario.inputs) {
        const bool dialog = std::find(kDialogs.begin(), kDialogs.end(), name) != kDialogs.end();
        if (dialog || std::find(fields.begin(), fields.end(), name) != fields.end()) {
            texts_[name] = TextSequence(texts);
        }
    }
}

void ScenarioInteraction::beginClick(std::string step, const design::StepFlags* flags) {
    noticeGoingBack();
    questionOpen_ = false;
    step_ = std::move(step);
    flags_ = flags;
    lastCaption_.clear();
    repeats_ = 0;
}

void ScenarioInteraction::endClick() {
    noticeGoingBack();
    questionOpen_ = false;
    step_.clear();
    flags_ = nullptr;
}

void ScenarioInteraction::noticeGoingBack() {
    if (!questionOpen_) {
        return;
    }
    const auto& now = flags_->flags();
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (flagsAtAnswer_[i] == 1 && now[i] != 1) {
            questions_.back().sentBack = true;
            questionOpen_ = false;
            return;
        }
    }
}

design::Answer ScenarioInteraction::ask(const design::Message& message) {
    noticeGoingBack();
    const design::Answer answer = ScriptedInteraction::ask(message);
    if (message.buttons == design::Buttons::Ok) {
        return answer; // a message, no question
    }
    questions_.push_back({step_, message.title, message.text, answer, false});
    questionOpen_ = flags_ != nullptr;
    if (flags_) {
        flagsAtAnswer_ = flags_->flags();
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

std::optional<std::string> ScenarioInteraction::nextText(std::string_view name) {
    const auto it = texts_.find(name);
    if (it == texts_.end()) {
        return std::nullopt;
    }
    if (!it->second.repeats()) {
        ++progress_;
    }
    return it->second.next();
}

void ScenarioInteraction::nextDialogValue(const std::string& dialog) {
    if (auto value = nextText(dialog)) {
        dialogAnswer(dialog, *value);
    }
}

std::optional<std::string> ScenarioInteraction::promptQuery(const std::string& caption,
                                                            const std::string& prompt,
                                                            const std::string& value) {
    noticeGoingBack();
    asked(caption);
    usePrompt(caption);
    return ScriptedInteraction::promptQuery(caption, prompt, value);
}

std::optional<std::string> ScenarioInteraction::inputBox(const std::string& caption,
                                                         const std::string& prompt,
                                                         const std::string& defaultText) {
    noticeGoingBack();
    asked(caption);
    usePrompt(caption);
    return ScriptedInteraction::inputBox(caption, prompt, defaultText);
}

bool ScenarioInteraction::chooseChainNumber(store::Dataset& chains) {
    noticeGoingBack();
    asked("选择链号和节距");
    nextDialogValue("TfrmNode");
    return ScriptedInteraction::chooseChainNumber(chains);
}

int ScenarioInteraction::chooseItem(const std::string& dialog, const std::string& caption,
                                    const std::string& label, const std::vector<std::string>& items,
                                    int preselected) {
    noticeGoingBack();
    asked(caption);
    nextDialogValue(dialog);
    return ScriptedInteraction::chooseItem(dialog, caption, label, items, preselected);
}

std::optional<std::string>
ScenarioInteraction::chooseFromList(const std::string& dialog, const std::string& caption,
                                    const std::string& listLabel, const std::string& editLabel,
                                    const std::vector<std::string>& items) {
    noticeGoingBack();
    asked(caption);
    nextDialogValue(dialog);
    return ScriptedInteraction::chooseFromList(dialog, caption, listLabel, editLabel, items);
}

} // namespace zorvane::drive
