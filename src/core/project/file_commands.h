#pragma once
// The file commands of the main window: 打开, 保存, 另存为, 关闭, 退出 and the window's close box,
// with their save prompt, the open-abort mark, the flags, the window title and the status texts.
// Every dialog goes through the session's Interaction; a project file that cannot be read is
// refused before anything of the open design changes, and a save that fails is never reported
// as done.

#include "core/design/session.h"
#include "core/project/project_save.h"

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

    bool openAborted() const { return openAbort_; }

private:
    // The save prompt; false when the command stops (Cancel, or a save that did not succeed
    // where `needSuccess`).
    bool promptToSave(bool needSuccess);
    void writeTo(const std::string& file);
    void clearDesign();
    // Closes the design as the program is left (退出, the close box).
    void closeOnLeaving();
    bool load(const std::string& file);

    design::DesignSession& session_;
    bool openAbort_ = false;
};

} // namespace zorvane::project
