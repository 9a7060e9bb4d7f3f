#pragma once
// The step lists of both chains: the step buttons with their tags and panel positions, and what a
// re-run of each step removes. Every step handler reads these tables; nothing here is repeated
// per step in code.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace zorvane::design {

enum class Chain { Roller, Toothed };

// Tags of the two buttons above the step panels.
constexpr int kTagBegin = 0;
constexpr int kTagSelect = 1;

// Flag index of a step tag: tag mod 10, plus 10 for the tags 20 to 29.
constexpr int StepIndex(int tag) {
    return tag / 10 == 2 ? tag % 10 + 10 : tag % 10;
}

// The floating panels of the work space, in the order they are looked through.
enum class Panel { Select, Z, InitA0, A, Intensity, Dz, Init };
constexpr int kPanelCount = 7;
constexpr std::array<Panel, kPanelCount> kWorkspacePanels{
    Panel::Select, Panel::Z, Panel::InitA0, Panel::A, Panel::Intensity, Panel::Dz, Panel::Init};

// What a re-run removes from a working table: nothing, everything, or the rows from an item on.
struct Removal {
    enum class Kind { Nothing, Empty, DeleteFrom, EmptyIfToothCountsDone };
    Kind kind = Kind::Nothing;
    std::string_view item;
};

struct StepDef {
    int position;              // in the chain's panel, from 0
    int tag;                   // the button's tag
    std::string_view name;     // the button's object name
    std::string_view caption;  // the button's caption
    std::string_view question; // asked before the step is run again
    Removal results;           // from the result table
    Removal history;           // from the design history
    bool emptiesInitTable;     // the initial-conditions step empties its table on a re-run
    std::array<bool, kPanelCount> hides; // the work-space panels a re-run hides
    std::string_view hint;
};

std::span<const StepDef> steps(Chain chain);
const StepDef& stepAt(Chain chain, int position);
std::optional<int> positionOfTag(Chain chain, int tag);
int lastPosition(Chain chain);
// The tag of the chain's tooth-count and sprocket-size steps.
int toothCountTag(Chain chain);
int sprocketTag(Chain chain);

std::string_view panelName(Panel panel);

} // namespace zorvane::design
