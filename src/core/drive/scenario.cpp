#include "core/drive/scenario.h"

#include <algorithm>
#include <array>

namespace zorvane::drive {

namespace {

// The panel fields and dialogs a scenario may fill, and the chains that have them.
struct InputName {
    std::string_view name;
    bool roller;
    bool toothed;
};

constexpr std::array<InputName, 13> kInputNames{{
    {"edtz1", true, false},
    {"edtz2", true, false},
    {"edtzi", true, false},
    {"edtn", true, false},
    {"TfrmNode", true, false},
    {"TfrmJQD", true, false},
    {"edtDz1", false, true},
    {"edtDz2", false, true},
    {"edtDzi", false, true},
    {"TfrmDNode", false, true},
    {"Tfrmb", false, true},
    {"edtInit_a0", true, true},
    {"edta", true, true},
}};

} // namespace

std::optional<std::string> TextSequence::next() {
    if (texts_.empty()) {
        return std::nullopt;
    }
    const std::size_t at = std::min(used_, texts_.size() - 1);
    ++used_;
    return texts_[at];
}

bool isInputName(std::string_view name) {
    return std::any_of(kInputNames.begin(), kInputNames.end(),
                       [&](const InputName& n) { return n.name == name; });
}

bool acceptsInput(design::Chain chain, std::string_view name) {
    return std::any_of(kInputNames.begin(), kInputNames.end(), [&](const InputName& n) {
        return n.name == name && (chain == design::Chain::Roller ? n.roller : n.toothed);
    });
}

} // namespace zorvane::drive
