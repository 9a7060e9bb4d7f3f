#pragma once
// The open design through its life as the main window drives it: the step flags, the main
// state, the designer information, the design of the chosen chain with its working tables and
// history, and the shell's steps that make, replace and end it (new design, chain type, close,
// a design read from a project file). The steps within a design are the StepDispatcher's.

#include "core/design/chain_design.h"
#include "core/design/initial_conditions.h"
#include "core/design/interaction.h"
#include "core/design/lifecycle.h"
#include "core/design/main_state.h"
#include "core/design/status_control.h"
#include "core/design/step_dispatcher.h"
#include "core/records/designer_record.h"
#include "core/store/workspace.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace zorvane::records {
class ResultTables;
class DesignHistory;
} // namespace zorvane::records

namespace zorvane::design {

class DesignSession {
public:
    // appDir: the working directory; the database lies in its "database" directory.
    DesignSession(std::filesystem::path appDir, Interaction& ui,
                  records::DesignerInfo designer = records::DesignerInfo());
    // The same with the database directory named explicitly (the batch runner's --db).
    DesignSession(std::filesystem::path appDir, std::filesystem::path databaseDir, Interaction& ui,
                  records::DesignerInfo designer = records::DesignerInfo());
    // A session over working tables in memory that reads the reference tables of `references`
    // (store::Workspace's in-memory form): for candidate designs computed side by side, each on
    // a thread of its own, through the same steps, writing nothing into the database directory.
    // It serves the thread that makes it, which also destroys it. Its working tables have no
    // files, so it neither saves a project nor opens one.
    static std::unique_ptr<DesignSession>
    inMemory(std::shared_ptr<const store::ReferenceSnapshot> references, Interaction& ui,
             records::DesignerInfo designer = records::DesignerInfo());
    ~DesignSession();
    DesignSession(const DesignSession&) = delete;
    DesignSession& operator=(const DesignSession&) = delete;

    MainState& state() { return state_; }
    const MainState& state() const { return state_; }
    StepFlags& status() { return status_; }
    StepGate& gate() { return gate_; }
    records::DesignerInfo& designer() { return designer_; }
    Interaction& ui() { return ui_; }
    const std::filesystem::path& appDir() const { return appDir_; }
    const std::filesystem::path& databaseDir() const { return databaseDir_; }
    const std::filesystem::path& projectPath() const { return projectPath_; }

    // The working tables of the database directory, held by this session while it lasts; null
    // when another program holds them (workspaceProblem() says why).
    store::Workspace* workspace() const { return workspace_.get(); }
    const std::string& workspaceProblem() const { return workspaceProblem_; }
    // Throws what kept the working tables from this session (WorkspaceBusy when another program
    // holds them); nothing when they are held.
    void requireWorkspace() const;
    // What opening the working tables had to repair, for the user.
    std::vector<std::string> workspaceRepairs() const;

    // Runs one handler of the window as one step of the design: what it writes into the working
    // tables is committed together, durably, when it ends, and rolled back when it throws.
    template <class Action> void runStep(Action&& action) {
        auto step = workspace_ ? workspace_->beginStep() : store::Workspace::Step();
        std::forward<Action>(action)();
        step.commit();
    }

    // The chain of the open design, when a chain type was chosen.
    std::optional<Chain> chain() const;
    records::ResultTables* results() const { return results_.get(); }
    records::DesignHistory* history() const { return history_.get(); }
    // The design of the open chain; null before a chain type is chosen.
    ChainDesign* design() const { return design_.get(); }

    // The initial-conditions panel as it was last confirmed: the later steps read its switches.
    const InitInputs& initInputs() const { return initInputs_; }

    // The steps of the open design as the step buttons and the panels run them.
    StepDispatcher& steps() { return *steps_; }

    // Save or Save As of the file commands; sets SaveSucceeded. Until it is set, the save that
    // the new-design prompt asks for cannot succeed and the new design is not started.
    std::function<void()> save;

    // Whether anything a save would store is not in the project file: a design was begun or
    // opened and changed since its last save or opening. The save prompts ask exactly then.
    bool hasUnsavedWork() const {
        return !state_.IsSaved && (status_.done(kTagBegin) || design_ != nullptr);
    }

    // The save prompt of a command that gives up the open design, asked only when it has unsaved
    // work: true when the command may go on (nothing unsaved, 否, or 是 and the save succeeded).
    bool confirmLeavingDesign();

    // 开始新设计.
    void beginNewDesign();
    // Empties the working tables of the steps done (unless told not to, when they are about to
    // be replaced whole) and releases the design objects.
    void discardDesign(bool emptyTables = true);
    // 关闭 of the file commands: the design discarded, every step undone, the panels hidden.
    void closeDesign(bool emptyTables = true);
    // A design read from a project file becomes the open design: the design of `chain` with
    // `record`, and the managers over the working tables just restored.
    void installLoadedDesign(Chain chain, std::span<const std::uint8_t> record);
    void keepInitInputs(const InitInputs& inputs) { initInputs_ = inputs; }
    void setProjectPath(std::filesystem::path path) { projectPath_ = std::move(path); }

    // 选择链种类 and its panel.
    void openChainTypeStep();
    void confirmChainType(const SelectInputs& inputs);
    void cancelChainType();

private:
    DesignSession(std::filesystem::path appDir, std::filesystem::path databaseDir, Interaction& ui,
                  records::DesignerInfo designer, std::unique_ptr<store::Workspace> workspace);

    std::filesystem::path appDir_;
    std::filesystem::path databaseDir_;
    std::filesystem::path projectPath_;
    std::unique_ptr<store::Workspace> workspace_;
    std::string workspaceProblem_;
    std::exception_ptr workspaceFailure_;
    Interaction& ui_;
    MainState state_;
    StepFlags status_;
    StepGate gate_{state_, status_};
    records::DesignerInfo designer_;
    std::unique_ptr<ChainDesign> design_;
    std::unique_ptr<records::ResultTables> results_;
    std::unique_ptr<records::DesignHistory> history_;
    InitInputs initInputs_;
    std::unique_ptr<StepDispatcher> steps_;
};

} // namespace zorvane::design
