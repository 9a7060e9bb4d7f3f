// Zorvane: start-up shows the splash picture while the main window is built, then runs the
// window until it is closed. The working directory is the program's base directory.

#include "app/shell/fonts.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_interaction.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zorvane::app::installChineseFontSubstitutes();

    auto* splash = new QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setPixmap(QPixmap(QStringLiteral(":/artwork/splash.png")));
    splash->setStyleSheet(QStringLiteral("background: teal; border: 2px outset teal;"));
    splash->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    }
    splash->show();
    app.processEvents();

    zorvane::app::QtInteraction ui;
    zorvane::app::MainWindow window(ui, std::filesystem::current_path());
    ui.setParent(&window);
    window.showMaximized();
    delete splash;
    return app.exec();
}
