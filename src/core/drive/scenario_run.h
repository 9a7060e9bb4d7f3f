#pragma once
// One unattended design over the working tables of a database directory: the session made as
// the window makes it, with the scenario's user; a project opened first, as 打开 would; the
// design driven (driveDesign); the project saved after, as 另存为 would. The session stays open
// for the caller to read its tables.

#include "core/design/session.h"
#include "core/drive/design_drive.h"
#include "core/drive/scenario.h"
#include "core/drive/scenario_interaction.h"
#include "core/project/file_commands.h"
#include "core/records/designer_record.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::drive {

// The designer of an unattended run: nobody's name, so that the output is the same on every
// account.
records::DesignerInfo anonymousDesigner();

// A project that could not be opened; its message is for the user.
class ProjectNotOpened : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RunOutcome {
    bool completed = false;
    std::optional<std::string> stoppedAt;    // caption of the step where the run stopped
    std::string reason;                      // why it stopped, for the user
    std::vector<std::string> repairs;        // what opening the working tables had to repair
    std::optional<std::string> saveError;    // why the project could not be saved
    std::vector<design::LoggedExchange> log; // every message, question, prompt and dialog
    std::vector<AskedQuestion> questions;    // the questions, with their steps and send-backs
};

class ScenarioRun {
public:
    // Throws what keeps the working tables from the session (WorkspaceBusy when another program
    // holds them).
    ScenarioRun(const Scenario& scenario, const std::filesystem::path& appDir,
                const std::filesystem::path& databaseDir);
    ScenarioRun(const ScenarioRun&) = delete;
    ScenarioRun& operator=(const ScenarioRun&) = delete;

    // Opens the project before the run; the design goes on from its first step not done.
    // Throws ProjectNotOpened with the message the user was shown.
    void open(const std::filesystem::path& project);
    // A new design, unless a project was opened, driven to its end or to the step `until`.
    void drive(const std::optional<std::string>& until = {});
    // Saves the design to `file`; a failure is kept in the outcome's saveError.
    void saveAs(const std::filesystem::path& file);

    design::DesignSession& session() { return session_; }
    const ScenarioInteraction& interaction() const { return ui_; }
    // The run so far, with the log and the questions as they stand.
    RunOutcome outcome() const;

private:
    Scenario scenario_;
    ScenarioInteraction ui_;
    design::DesignSession session_;
    project::FileCommands commands_;
    bool opened_ = false;
    DriveResult driven_;
    std::vector<std::string> repairs_;
    std::optional<std::string> saveError_;
};

} // namespace zorvane::drive
