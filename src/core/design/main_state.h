#pragma once
// What the main window shows, as a plain object: the window draws it, the project file saves
// parts of it, and the tests assert on it.

#include "core/design/steps.h"

#include <array>
#include <string>
#include <vector>

namespace zorvane::design {

// A step button or end label: enabled, and blue when its step is done.
struct ButtonState {
    bool visible = true;
    bool enabled = false;
    bool blue = false;

    bool operator==(const ButtonState&) const = default;
};

struct ChainPanelState {
    bool visible = false;
    std::vector<ButtonState> steps; // in panel order
    ButtonState endLabel;
};

// The pages of the right-hand page control, by tab index.
enum class Tab { WorkSpace = 0, History = 1, Result = 2, DatabaseQuery = 3 };

// The texts of the step panels' fields after the initial conditions, as the window shows them.
// The window writes what the user typed back here before it runs a handler, so that the
// handlers read and write the fields as plain texts.
struct PanelFields {
    // pnlz, the roller tooth counts
    std::string rollerZ1;
    std::string rollerZ2;
    std::string rollerZi;
    bool rollerZiEnabled = true;
    // pnlDz, the toothed tooth counts
    std::string toothedZ1;
    std::string toothedZi;
    std::string toothedZ2;
    bool toothedZiEnabled = true;
    // pnlInit_a0, shared by both chains
    std::string initialCentreGiven;
    std::string initialCentreRange;
    std::string initialCentrePitches;
    // pnla, shared by both chains
    std::string centreChangeAdvice;
    std::string centreChange = "0.003";
    // pnlIntensity
    std::string allowedSafetyFactor = "6";
};

struct MainState {
    // The flags of the open design.
    bool IsSaved = false;
    bool IsUnnamed = true;
    bool IsNewDesign = false;
    bool SaveSucceeded = false;
    bool IsEmptyDesign = true;

    ButtonState begin{true, true, false};
    ButtonState select{false, false, false};
    ChainPanelState roller;
    ChainPanelState toothed;
    std::array<bool, kPanelCount> panels{}; // visible work-space panels, in kWorkspacePanels order
    bool sizeAreaVisible = false;
    bool reportsEnabled = false;
    bool designMenuEnabled = false;
    Tab tab = Tab::WorkSpace;
    // Left page control: false the 设计 side, true the 查询 side.
    bool querySide = false;
    std::array<std::string, 4> status{"", "链传动设计", "新设计", "新设计"};
    std::string windowTitle = "Zorvane";
    // Asks the window to scroll the step list to its top.
    bool scrollStepsToTop = false;
    // The object name of the control that gets the focus next; the window clears it.
    std::string focus;
    // Label texts of the tooth-count panels, proposed by the initial conditions.
    std::string rollerSpeedClass;
    std::string rollerZ2Calculated;
    std::string toothedZ2Calculated;
    PanelFields fields;

    // Main-window values of the centre distance and pitch steps (not saved with a project):
    // the accepted initial centre distance in pitches, and whether the initial centre distance
    // step runs the fatigue life check (0 or 10).
    std::array<double, 2> A0Range{0, 0};
    int NeedLifeCheck = 0;
    // The drawing the size area shows below the result tables: a file of the database
    // directory, empty while none was loaded.
    std::string sizePicture;

    MainState();

    ChainPanelState& panelOf(Chain chain) { return chain == Chain::Roller ? roller : toothed; }
    const ChainPanelState& panelOf(Chain chain) const {
        return chain == Chain::Roller ? roller : toothed;
    }
    bool panelVisible(Panel panel) const { return panels[static_cast<std::size_t>(panel)]; }
    void setPanel(Panel panel, bool visible) { panels[static_cast<std::size_t>(panel)] = visible; }
};

} // namespace zorvane::design
