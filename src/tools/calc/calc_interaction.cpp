#include "tools/calc/calc_interaction.h"

#include <array>

namespace zorvane::calc {

namespace {

// The dialogs whose choices a scenario gives under "inputs".
constexpr std::array<const char*, 4> kDialogs{"TfrmNode", "TfrmDNode", "Tfrmb", "TfrmJQD"};

} // namespace

RefusedAnswers::RefusedAnswers(const std::string& caption)
    : std::runtime_error("“" + caption + "”连续" + std::to_string(CalcInteraction::kRefusalLimit) +
                         "次不接受给出的值"),
      caption_(caption) {}

CalcInteraction::CalcInteraction(const Scenario& scenario) {
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

void CalcInteraction::beginClick() {
    lastCaption_.clear();
    repeats_ = 0;
}

void CalcInteraction::asked(const std::string& caption) {
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

void CalcInteraction::usePrompt(const std::string& caption) {
    // The scripted user takes the caption's values in order, then gives the default text.
    if (auto it = promptsLeft_.find(caption); it != promptsLeft_.end() && it->second > 0) {
        --it->second;
        ++progress_;
    }
}

void CalcInteraction::nextDialogValue(const std::string& dialog) {
    if (const auto it = dialogs_.find(dialog); it != dialogs_.end()) {
        if (!it->second.repeats()) {
            ++progress_;
        }
        if (auto value = it->second.next()) {
            dialogAnswer(dialog, *value);
        }
    }
}

std::optional<std::string> CalcInteraction::promptQuery(const std::string& caption,
                                                        const std::string& prompt,
                                                        const std::string& value) {
    asked(caption);
    usePrompt(caption);
    return ScriptedInteraction::promptQuery(caption, prompt, value);
}

std::optional<std::string> CalcInteraction::inputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& defaultText) {
    asked(caption);
    usePrompt(caption);
    return ScriptedInteraction::inputBox(caption, prompt, defaultText);
}

bool CalcInteraction::chooseChainNumber(store::Dataset& chains) {
    asked("选择链号和节距");
    nextDialogValue("TfrmNode");
    return ScriptedInteraction::chooseChainNumber(chains);
}

int CalcInteraction::chooseItem(const std::string& dialog, const std::string& caption,
                                const std::string& label, const std::vector<std::string>& items,
                                int preselected) {
    asked(caption);
    nextDialogValue(dialog);
    return ScriptedInteraction::chooseItem(dialog, caption, label, items, preselected);
}

std::optional<std::string> CalcInteraction::chooseFromList(const std::string& dialog,
                                                           const std::string& caption,
                                                           const std::string& listLabel,
                                                           const std::string& editLabel,
                                                           const std::vector<std::string>& items) {
    asked(caption);
    nextDialogValue(dialog);
    return ScriptedInteraction::chooseFromList(dialog, caption, listLabel, editLabel, items);
}

} // namespace zorvane::calc
