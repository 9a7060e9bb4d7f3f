// Zorvane: start-up shows the splash picture while the main window is built, then runs the
// window until it is closed. The working directory is the program's base directory.

#include "app/shell/main_window.h"
#include "app/shell/qt_interaction.h"
#include "app/shell/start_up.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zorvane::app::QtInteraction ui;
    const auto window = zorvane::app::startMainWindow(ui, std::filesystem::current_path());
    ui.setParent(window.get()); // the dialogs' parent
    return app.exec();
}
