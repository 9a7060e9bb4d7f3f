#pragma once
// A design scenario: the chain, the controls of the initial-conditions panel, the texts of the
// later panels and dialogs by their names, and the answers to questions and prompts. The batch
// runner reads it from a file; a caller may as well make it in memory.

#include "core/design/initial_conditions.h"
#include "core/design/interaction.h"
#include "core/design/steps.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::drive {

// Texts used in turn each time a field or dialog is filled; the last one repeats.
class TextSequence {
public:
    TextSequence() = default;
    explicit TextSequence(std::vector<std::string> texts) : texts_(std::move(texts)) {}
    bool empty() const { return texts_.empty(); }
    // True when the next text only repeats the last one given.
    bool repeats() const { return used_ >= texts_.size(); }
    // The next text; an empty sequence gives nothing to fill in.
    std::optional<std::string> next();

private:
    std::vector<std::string> texts_;
    std::size_t used_ = 0;
};

struct ScriptedAnswer {
    std::string textPart;
    design::Answer answer = design::Answer::Yes;
};

struct ScriptedPrompt {
    std::string caption;
    std::string value;
};

struct Scenario {
    design::Chain chain = design::Chain::Roller;
    int rowItem = 0;
    design::InitInputs initial;
    // Panel fields and dialogs by name ("edtz1", "TfrmNode", ...): the texts used in turn.
    std::map<std::string, std::vector<std::string>> inputs;
    std::vector<ScriptedAnswer> answers;
    std::vector<ScriptedPrompt> prompts;
};

// Whether `name` is a step panel's field or a dialog a scenario may fill, of either chain.
bool isInputName(std::string_view name);
// The names accepted under the inputs for the chain.
bool acceptsInput(design::Chain chain, std::string_view name);

} // namespace zorvane::drive
