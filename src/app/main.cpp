// Zorvane: start-up shows the splash picture while the main window is built, then runs the
// window until it is closed. The program works below the directory prepareWorkingDirectory
// chooses: the current one in a build tree, the user's data directory when installed. A project
// file named on the command line opens as 打开 would open it.

#include "app/shell/app_workspace.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_interaction.h"
#include "app/shell/start_up.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zorvane")); // ~/.local/share/zorvane
    QGuiApplication::setDesktopFileName(QStringLiteral("zorvane"));  // its entry and icon
    zorvane::app::QtInteraction ui;
    const auto workingDir = zorvane::app::prepareWorkingDirectory(ui);
    const auto window = zorvane::app::startMainWindow(ui, workingDir);
    ui.setParent(window.get()); // the dialogs' parent
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1) {
        // Once the window shows, after what the opening of the working tables found.
        QTimer::singleShot(0, window.get(),
                           [&window, file = arguments.at(1)] { window->openProject(file); });
    }
    return app.exec();
}
