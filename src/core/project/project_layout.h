#pragma once
// The byte layout of a project file (.CHN): the empty-design byte, the 1252-byte header with the
// kind marker, the picture path and the five work files' paths and sizes, the work files' bytes
// back to back, the designer record, one 8-byte state and one component-stream snapshot per
// listed control, and the raw design record at the end. Decoding checks the whole file before
// anything is taken from it.

#include "core/design/steps.h"
#include "core/project/component_stream.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::project {

constexpr std::size_t kHeaderSize = 1252;
constexpr std::size_t kPathCapacity = 200;
constexpr std::size_t kKindCapacity = 10;
constexpr std::size_t kDesignerSize = 306;
constexpr std::size_t kStateSize = 8;
constexpr std::size_t kRollerRecordSize = 384;
constexpr std::size_t kToothedRecordSize = 344;
constexpr std::size_t kWorkFileCount = 5;
// The work files in header order; their paths are always those of the database directory.
constexpr std::array<std::string_view, kWorkFileCount> kWorkFileNames{
    "Init_Unnamed.db", "Result_Unnamed.db", "Size_Unnamed.db", "Hty_Rec_Unnamed.db",
    "Hty_Rec_Unnamed.mb"};

// What a project file may hold at most. A finished design of either chain stays far below: its
// table files take 12 KB each and the history's memo file about 160 KB, its tables hold under 30
// rows (the memo file under 40 values), its snapshots under 300 bytes. A file beyond a bound is
// refused before the part is read, so that opening the largest file admitted costs about ten
// times the time of a real design and some 20 MB more memory (zorvane-project-bench).
constexpr std::size_t kMaxTableFileBytes = 1024 * 1024;
constexpr std::int64_t kMaxTableRows = 2000;   // rows stored in each working table file
constexpr std::int64_t kMaxHistoryRows = 2000; // entries of the history, and its memo values

enum class ControlKind { StepButton, ToolButton, Panel, MenuItem };

struct ControlEntry {
    std::string_view name;
    std::string_view className;
    ControlKind kind;
    std::string_view description; // what the user sees; empty for a step button (its caption)
};

// The controls whose states a project file carries, in file order: 20 for the roller chain, 22
// for the toothed chain (and for a design without a chain type).
std::span<const ControlEntry> controlList(design::Chain chain);
// The leading controls of either list whose saved state may carry a step's done flag: the
// roller list's twelve step buttons, and the toothed list's step buttons up to its thirteenth
// control. A step button further down carries none.
constexpr std::size_t kDoneFlagControls = 13;
// Whether the control's state follows the report commands (the menu items and the tool buttons
// but 打开).
bool followsReports(const ControlEntry& control);

// Values of the main window that the later steps read and that neither the controls nor the
// design record hold, carried as extra properties of the initial-conditions step button's
// snapshot: the initial-conditions switches, the life check and the range of the initial centre
// distance.
constexpr std::string_view kSpeedItem = "SpeedItem";
constexpr std::string_view kLubItem = "LubItem";
constexpr std::string_view kLifeChecked = "LifeChecked";
constexpr std::string_view kNeedLifeCheck = "NeedLifeCheck";
constexpr std::string_view kA0RangeLow = "A0RangeLow";
constexpr std::string_view kA0RangeHigh = "A0RangeHigh";
// Whether the control is the initial-conditions step button of either chain, whose snapshot
// carries the values above.
bool carriesInitialValues(std::string_view controlName);
// "第 3 个控件（步骤按钮“链条节距”）": the control at `index` of the list, for the messages.
std::string controlDescription(design::Chain chain, std::size_t index);
// The tag of a step button of either chain, or of the two buttons above them, by its name.
std::optional<int> stepTagOf(std::string_view controlName);
// The work file at `index` in the user's words: "初始条件表（“Init_Unnamed.db”）".
std::string workFileDescription(std::size_t index);
// The largest file the bounds above admit; a larger file is refused before it is read.
std::uintmax_t largestProjectBytes();

struct ControlState {
    bool enabled = false;
    bool visible = false;
    std::int32_t done = 0;

    bool operator==(const ControlState&) const = default;
};

struct WorkFile {
    std::string path;  // as the header stores it
    std::string bytes; // the table file's bytes
};

struct ProjectImage {
    bool emptyDesign = true;
    std::string kind; // "R" or "D"
    std::string picturePath;
    std::array<WorkFile, kWorkFileCount> work;
    std::array<std::uint8_t, kDesignerSize> designer{};
    std::vector<ControlState> states;
    std::vector<ControlSnapshot> snapshots;
    std::string record; // the raw design record, empty for an empty design

    // The chain whose control list the file uses: roller for "R", toothed otherwise.
    design::Chain listChain() const;
};

std::string encodeProject(const ProjectImage& image);
// Checks and reads a whole file: every part within its bound, and the parts adding up to the
// file's length exactly. A file that fails any check throws ProjectError naming `fileName` and
// the part that is wrong, in the user's words.
ProjectImage decodeProject(std::span<const std::uint8_t> file, const std::string& fileName);

} // namespace zorvane::project
