#pragma once
// The user of a batch run: the scenario's answers, prompt values and dialog choices, logged as
// the tests' scripted user logs them. A prompt or dialog that keeps refusing what it is given
// would be asked forever by the step that loops on it; it ends the step instead.

#include "core/design/scripted_interaction.h"
#include "tools/calc/scenario.h"

#include <map>
#include <stdexcept>
#include <string>

namespace zorvane::calc {

// The same prompt or dialog asked kRefusalLimit times in a row within one step.
class RefusedAnswers : public std::runtime_error {
public:
    explicit RefusedAnswers(const std::string& caption);
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

class CalcInteraction : public design::ScriptedInteraction {
public:
    static constexpr int kRefusalLimit = 20;

    explicit CalcInteraction(const Scenario& scenario);

    // A step button or panel button is about to be clicked: the count of repeats starts again.
    void beginClick();
    // How many of the scenario's values were used so far, repeats of a last value not counted:
    // while it stays the same, the run gets nothing new to work with.
    int progress() const { return progress_; }

    std::optional<std::string> promptQuery(const std::string& caption, const std::string& prompt,
                                           const std::string& value) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;
    bool chooseChainNumber(store::Dataset& chains) override;
    int chooseItem(const std::string& dialog, const std::string& caption, const std::string& label,
                   const std::vector<std::string>& items, int preselected) override;
    std::optional<std::string> chooseFromList(const std::string& dialog, const std::string& caption,
                                              const std::string& listLabel,
                                              const std::string& editLabel,
                                              const std::vector<std::string>& items) override;

private:
    // Counts a prompt or dialog; throws RefusedAnswers past the limit.
    void asked(const std::string& caption);
    // The scenario's next value for the dialog, handed to the scripted user for this one call.
    void nextDialogValue(const std::string& dialog);

    // Counts a scripted prompt value when one is left for the caption.
    void usePrompt(const std::string& caption);

    std::map<std::string, TextSequence> dialogs_;
    std::map<std::string, int> promptsLeft_;
    int progress_ = 0;
    std::string lastCaption_;
    int repeats_ = 0;
};

} // namespace zorvane::calc
