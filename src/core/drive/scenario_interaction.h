#pragma once
// The user of an unattended run: the scenario's panel texts, answers, prompt values and dialog
// choices, each used in turn over the whole run, logged as the tests' scripted user logs them.
// A prompt or dialog that keeps refusing what it is given would be asked forever by the step
// that loops on it; it ends the step instead. Each question is kept with the step that asked it
// and whether its answer sent the design back.

#include "core/design/scripted_interaction.h"
#include "core/design/status_control.h"
#include "core/drive/scenario.h"

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::drive {

// The same prompt or dialog asked kRefusalLimit times in a row within one step.
class RefusedAnswers : public std::runtime_error {
public:
    explicit RefusedAnswers(const std::string& caption);
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

// A message that offered more than OK, as it was answered.
struct AskedQuestion {
    std::string step; // the caption of the step button clicked; empty outside the steps
    std::string title;
    std::string text;
    design::Answer answer = design::Answer::Ok;
    // A step done at this answer was done no longer before the next question or the end of
    // the click: the answer sent the design back (a re-run confirmation, mostly).
    bool sentBack = false;
};

class ScenarioInteraction : public design::ScriptedInteraction {
public:
    static constexpr int kRefusalLimit = 20;

    explicit ScenarioInteraction(const Scenario& scenario);

    // A button is about to be clicked: the count of repeats starts again. A step click names
    // its step and the session's step flags, which tell whether a question sent the design back.
    void beginClick(std::string step = {}, const design::StepFlags* flags = nullptr);
    // The click is over: whether its last question sent the design back is known now.
    void endClick();
    // The scenario's next text for a step panel's field or a dialog; nothing when it gives none.
    std::optional<std::string> nextText(std::string_view name);
    // How many of the scenario's values were used so far, repeats of a last value not counted:
    // while it stays the same, the run gets nothing new to work with.
    int progress() const { return progress_; }
    // The questions asked so far, in order.
    const std::vector<AskedQuestion>& questions() const { return questions_; }
    // The last error, warning or information shown, to say why something did not go on; empty
    // when there was none.
    std::string lastMessage() const;

    design::Answer ask(const design::Message& message) override;
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
    // Marks the open question as having sent the design back, and closes it, once a step done at
    // its answer is done no longer. Every exchange looks, since a step that goes back may be
    // done again before its click ends.
    void noticeGoingBack();

    // The texts of the panel fields and dialogs, by name.
    std::map<std::string, TextSequence, std::less<>> texts_;
    std::map<std::string, int> promptsLeft_;
    int progress_ = 0;
    std::string lastCaption_;
    int repeats_ = 0;

    std::string step_;
    const design::StepFlags* flags_ = nullptr;
    std::vector<AskedQuestion> questions_;
    bool questionOpen_ = false;
    std::array<std::int32_t, design::StepFlags::kFlagCount> flagsAtAnswer_{};
};

} // namespace zorvane::drive
