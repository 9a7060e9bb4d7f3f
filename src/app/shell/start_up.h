#pragma once
// The program's start: the splash picture shows while the main window is built, then the window
// shows maximised and the splash goes. The program and its start-up benchmark share it.

#include <filesystem>
#include <memory>

namespace zorvane::design {
class Interaction;
}

namespace zorvane::app {

class MainWindow;

// Needs the application object; installs the Chinese font stand-ins first.
std::unique_ptr<MainWindow> startMainWindow(design::Interaction& ui,
                                            const std::filesystem::path& appDir);

} // namespace zorvane::app
