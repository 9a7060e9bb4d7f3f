#pragma once
// A design scenario of the batch runner read from JSON: the chain, the controls of the
// initial-conditions panel by their names, the texts of the later panels and dialogs, and the
// answers to questions and prompts. A scenario that cannot be read names its file, line and key.

#include "core/drive/scenario.h"

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane::calc {

// The scenario itself is the core's (core/drive); this reads it from JSON.
using drive::acceptsInput;
using drive::Scenario;
using drive::ScriptedAnswer;
using drive::ScriptedPrompt;
using drive::TextSequence;

// A scenario that cannot be read; the message names the file, and the line and key when the
// text has them.
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Limits of a scenario file: far beyond any real scenario, and small enough that reading one
// takes little time and memory.
inline constexpr std::size_t kMaxScenarioBytes = 4 * 1024 * 1024;
inline constexpr int kMaxScenarioDepth = 64;

// `fileName` is the name the messages give.
Scenario parseScenario(std::string_view text, const std::string& fileName);
Scenario readScenario(const std::filesystem::path& file);

} // namespace zorvane::calc
