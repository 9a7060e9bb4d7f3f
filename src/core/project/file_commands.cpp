#include "core/project/file_commands.h"

#include "core/design/interaction.h"

namespace zorvane::project {

namespace {

constexpr const char* kChangedStatus = "以更改";

} // namespace

FileCommands::FileCommands(design::DesignSession& session) : session_(session) {
    session_.save = [this] { save(); };
}

FileCommands::~FileCommands() {
    session_.save = nullptr;
}

void FileCommands::writeTo(const std::string& file) {
    auto& state = session_.state();
    const design::Chain list = session_.chain().value_or(design::Chain::Toothed);
    std::unique_ptr<ProjectSaver> saver;
    if (list == design::Chain::Roller) {
        saver = std::make_unique<RollerProjectSaver>(session_);
    } else {
        saver = std::make_unique<ToothedProjectSaver>(session_);
    }
    saver->FilePath = file;
    if (!state.IsEmptyDesign) {
        saver->SetDesignRecord();
    }
    try {
        saver->Save();
    } catch (const ProjectError& error) {
        state.SaveSucceeded = false;
        design::showError(session_.ui(), error.what());
        return;
    }
    state.status[2].clear();
    state.IsSaved = true;
    state.SaveSucceeded = true;
    markSaved();
    if (projectFileUsed) {
        projectFileUsed(file);
    }
}

void FileCommands::markSaved() {
    savedMark_ = markOf(session_);
}

void FileCommands::noteChanges() {
    auto& state = session_.state();
    if (state.IsSaved && savedMark_ && markOf(session_) != *savedMark_) {
        state.IsSaved = false;
        state.status[2] = kChangedStatus;
    }
}

std::string FileCommands::projectFileName() const {
    return session_.state().IsUnnamed ? std::string() : session_.projectPath().filename().string();
}

std::string FileCommands::dialogFolder() const {
    const auto& state = session_.state();
    if (state.IsUnnamed) {
        return {};
    }
    return session_.projectPath().parent_path().string();
}

void FileCommands::save() {
    auto& state = session_.state();
    if (state.IsUnnamed) {
        saveAs();
        return;
    }
    writeTo(session_.projectPath().string());
}

void FileCommands::saveAs() {
    auto& state = session_.state();
    const auto chosen = session_.ui().saveFile(
        {"另存为", {"CHAIN Files(*.CHN)"}, 0, projectFileName(), "CHN", dialogFolder()});
    if (!chosen) {
        // Nothing was written: the design stays as saved or unsaved, and named, as it was.
        state.SaveSucceeded = false;
        return;
    }
    saveAsFile(chosen->path);
}

void FileCommands::saveAsFile(const std::string& file) {
    auto& state = session_.state();
    writeTo(file);
    if (!state.SaveSucceeded) {
        return; // the earlier file, title and path stay
    }
    state.windowTitle = "Zorvane [" + file + "]";
    session_.setProjectPath(file);
    state.IsUnnamed = false;
}

void FileCommands::clearDesign() {
    auto& state = session_.state();
    session_.closeDesign();
    state.windowTitle = "Zorvane";
    state.status[2] = "新设计";
    state.IsSaved = true;
    markSaved();
}

void FileCommands::close() {
    noteChanges();
    // A save that did not succeed keeps the design open: closing it then would lose it.
    if (!session_.confirmLeavingDesign()) {
        return;
    }
    clearDesign();
}

bool FileCommands::load(const std::string& file) {
    // The saver reads and checks the whole file, tables included, before anything of the open
    // design is given up; it takes the chain from the file, whatever it was made with.
    ProjectSaver saver(session_, design::Chain::Toothed);
    saver.FilePath = file;
    try {
        saver.Load();
    } catch (const ProjectError& error) {
        design::showError(session_.ui(), error.what());
        return false;
    }
    auto& state = session_.state();
    // The working tables are replaced whole, so the closing leaves them as they are.
    session_.closeDesign(false);
    state.windowTitle = "Zorvane [" + file + "]";
    state.status[2] = "已进行的设计";
    state.IsSaved = true;
    // 保存 writes back to the file that was opened.
    state.IsUnnamed = false;
    session_.setProjectPath(file);
    try {
        saver.ApplyLoaded();
    } catch (const std::exception& error) {
        design::showError(session_.ui(), error.what());
        return false;
    }
    markSaved();
    if (projectFileUsed) {
        projectFileUsed(file);
    }
    session_.gate().switchToTab(design::Tab::Result);
    return true;
}

void FileCommands::open() {
    openChosen([this] {
        return session_.ui().openFile({"打开", {"Project Files(*.CHN)"}, "CHN", dialogFolder()});
    });
}

void FileCommands::openProject(const std::string& file) {
    openChosen([&file] { return std::optional<std::string>(file); });
}

void FileCommands::openChosen(const std::function<std::optional<std::string>()>& choose) {
    auto& state = session_.state();
    if (!session_.workspace()) {
        design::showError(session_.ui(), session_.workspaceProblem());
        return;
    }
    noteChanges();
    // The open design is closed before the file is chosen, after the save prompt when it has
    // unsaved work; a cancelled prompt or a save that did not succeed stops the command.
    const bool closesFirst = state.IsNewDesign || state.IsSaved || session_.hasUnsavedWork();
    if (!session_.confirmLeavingDesign()) {
        return;
    }
    const auto chosen = choose();
    if (!chosen) {
        if (closesFirst) {
            clearDesign();
        }
        return;
    }
    load(*chosen);
}

bool FileCommands::openFile(const std::string& file) {
    if (!session_.workspace()) {
        design::showError(session_.ui(), session_.workspaceProblem());
        return false;
    }
    return load(file);
}

bool FileCommands::exit() {
    noteChanges();
    // A design saved as it stands stays in the working tables; only one given up is cleared.
    if (!session_.hasUnsavedWork()) {
        return true;
    }
    if (!session_.confirmLeavingDesign()) {
        return false;
    }
    closeOnLeaving();
    return true;
}

bool FileCommands::closeQuery() {
    noteChanges();
    if (!session_.state().IsSaved && !session_.hasUnsavedWork()) {
        return true; // nothing was begun: the program ends at once
    }
    if (!session_.confirmLeavingDesign()) {
        return false;
    }
    closeOnLeaving();
    return true;
}

void FileCommands::closeOnLeaving() {
    session_.closeDesign();
    session_.state().status[1] = "链传动设计";
    session_.state().reportsEnabled = false;
}

} // namespace zorvane::project
