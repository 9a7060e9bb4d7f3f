#pragma once
// One chain kind as the session, the window's shell and the batch runner see it: its steps, the
// tooth-count panel every chain has, the initial conditions it keeps, and its design record. The
// roller and the toothed chain each implement it; nothing above it asks which chain is open.

#include "core/design/initial_conditions.h"
#include "core/design/main_state.h"
#include "core/design/steps.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zorvane::design {

class DesignSession;

// The controls of a chain's tooth-count panel: where its texts live in the main state and the
// names the focus goes to.
struct ToothCountControls {
    Panel panel;
    std::string PanelFields::*small;
    std::string PanelFields::*large;
    std::string PanelFields::*idler;
    bool PanelFields::*idlerEnabled;
    std::string MainState::*calculatedLarge;
    const char* smallName;
    const char* largeName;
    const char* idlerName;
};

// What differs between chain kinds as plain data.
struct ChainKind {
    Chain chain;
    const char* recordKind;   // the record's kind mark and the result tables' letter
    const char* historyKind;  // the design history's kind
    const char* designForm;   // the designer record's form
    const char* statusTitle;  // the status bar while the design is open
    const char* sizePicture;  // the sprocket drawing of the database directory
    const char* sizeTemplate; // the template of the sprocket size table
    const char* historyTemplate;
    ToothCountControls toothCounts;
    std::span<const Panel> ownPanels; // its panels besides the tooth counts
};

const ChainKind& chainKind(Chain chain);
// Every chain kind the program designs.
std::span<const Chain> designedChains();

class ChainDesign {
public:
    virtual ~ChainDesign() = default;

    virtual const ChainKind& kind() const = 0;
    Chain chain() const { return kind().chain; }

    // The design record as a project file and a snapshot carry it.
    virtual std::vector<std::uint8_t> recordBytes() const = 0;
    // The kind mark the record holds.
    virtual std::string recordKindMark() const = 0;

    // The chain type just confirmed: what the record takes from it (the roller's rows).
    virtual void takeChainType(const SelectInputs& inputs) = 0;
    // The values of the initial-condition checks that passed, kept also when the confirmation
    // failed; then, once it succeeded, all of them, with the labels the tooth-count panel shows.
    virtual void keepPassedChecks(const InitOutcome& outcome) = 0;
    virtual void keepInitialConditions(const InitOutcome& outcome, MainState& state) = 0;
    // The tolerance of the initial centre distance, as a fraction.
    virtual void setCentreDistanceTolerance(double fraction) = 0;

    // A click on the step button at `position` after the initial conditions.
    virtual void runStep(int position) = 0;
    // 确定 of the initial centre distance panel and of the centre distance change panel.
    virtual void confirmInitialCentreDistance() = 0;
    virtual void confirmCentreDistanceChange() = 0;

    // The tooth-count panel: the check beside the small sprocket's count, which proposes the
    // large one; leaving the large and the idler count (false when the text was refused);
    // 确定 and 取消.
    virtual void checkSmallToothCount() = 0;
    virtual bool checkLargeToothCount() = 0;
    virtual bool checkIdlerToothCount() = 0;
    virtual void confirmToothCounts() = 0;
    virtual void cancelToothCounts() = 0;
};

// The design of `chain` for the session: a new one, or one whose record was read from a project
// file.
std::unique_ptr<ChainDesign> makeChainDesign(Chain chain, DesignSession& session);
std::unique_ptr<ChainDesign> makeChainDesign(Chain chain, DesignSession& session,
                                             std::span<const std::uint8_t> record);

} // namespace zorvane::design
