#pragma once
// A design scenario of the batch runner: the chain, the controls of the initial-conditions panel
// by their names, the texts of the later panels and dialogs, and the answers to questions and
// prompts. Read from JSON; a scenario that cannot be read names its file, line and key.

#include "core/design/initial_conditions.h"
#include "core/design/interaction.h"
#include "core/design/steps.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::calc {

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

// A scenario that cannot be read; the message names the file, and the line and key when the
// text has them.
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The names accepted under "inputs" for the chain.
bool acceptsInput(design::Chain chain, std::string_view name);

// `fileName` is the name the messages give.
// Limits of a scenario file: far beyond any real scenario, and small enough that reading one
// takes little time and memory.
inline constexpr std::size_t kMaxScenarioBytes = 4 * 1024 * 1024;
inline constexpr int kMaxScenarioDepth = 64;

Scenario parseScenario(std::string_view text, const std::string& fileName);
Scenario readScenario(const std::filesystem::path& file);

} // namespace zorvane::calc
