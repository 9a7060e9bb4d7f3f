#pragma once
// The file commands of the main window: 打开, 保存, 另存为, 关闭, 退出 and the window's close box,
// with their save prompt, the flags, the window title and the status texts, and the tracking of
// changes since the last save or opening. Every dialog goes through the session's Interaction; a
// project file that cannot be read is refused before anything of the open design changes, a
// save that fails is never reported as done, and no command gives up unsaved work without the
// save prompt.

#include "core/design/session.h"
#include "core/project/design_mark.h"
#include "core/project/project_save.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zorvane::project {

class FileCommands {
public:
    explicit FileCommands(design::DesignSession& session);
    ~FileCommands();
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    void open();
    // 打开 of a file chosen elsewhere (the recent projects, the command line): the same save
    // prompt, checks and messages as open(), without the file dialog.
    void openProject(const std::string& file);
    // Opens `file` without the dialog (the batch runner's --open); false when it was refused.
    bool openFile(const std::string& file);
    void save();
    void saveAs();
    // Save As to `file` without the dialog (the batch runner's --save).
    void saveAsFile(const std::string& file);
    void close();
    // 退出: true when the program may end.
    bool exit();
    // The window's close box: true when the window may close.
    bool closeQuery();

    // Takes note of what changed since the last save or opening: the design then counts as not
    // saved (IsSaved false, status "以更改"). The window calls it after every command.
    void noteChanges();

    // Told the path of every project file opened or saved under a name (the recent projects).
    std::function<void(const std::string&)> projectFileUsed;

private:
    void writeTo(const std::string& file);
    void clearDesign();
    // Closes the design as the program is left (退出, the close box).
    void closeOnLeaving();
    bool load(const std::string& file);
    // 打开 with the file that `choose` gives, nothing when the user cancelled.
    void openChosen(const std::function<std::optional<std::string>()>& choose);
    // The design as it stands is what its project file holds (or there is nothing to save).
    void markSaved();
    // The folder the file dialogs start in: the open project's, else the one last used.
    std::string dialogFolder() const;
    // The name Save As proposes: the open project's, none for a design not yet saved.
    std::string projectFileName() const;

    design::DesignSession& session_;
    std::optional<DesignMark> savedMark_;
};

} // namespace zorvane::project
