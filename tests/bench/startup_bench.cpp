// zorvane-startup-bench: program start to main window shown, for the program's main window and
// for a bare QApplication + QMainWindow, each started as a fresh process and measured the same
// way in the same run (offscreen unless a platform is set). Prints the medians; asserts nothing.

#include "app/shell/fonts.h"
#include "app/shell/main_window.h"
#include "core/design/scripted_interaction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// One start in this process: the application object, the window, shown; then the process ends.
int startOnce(int argc, char** argv, bool program) {
    QApplication app(argc, argv);
    if (program) {
        zorvane::app::installChineseFontSubstitutes();
        // Start-up opens no table, so the build directory serves as the working directory.
        zorvane::design::ScriptedInteraction ui;
        zorvane::app::MainWindow window(
            ui, std::filesystem::path(ZORVANE_BUILT_DATABASE).parent_path());
        window.show();
        return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
    }
    QMainWindow window;
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

double medianOfStarts(const QString& self, const QString& mode, int repeats) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(self, {mode});
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + repeats / 2, times.end());
    return times[static_cast<std::size_t>(repeats / 2)];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc == 2 && (std::strcmp(argv[1], "bare") == 0 || std::strcmp(argv[1], "program") == 0)) {
        return startOnce(argc, argv, std::strcmp(argv[1], "program") == 0);
    }
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    constexpr int kRepeats = 11;
    const double bare = medianOfStarts(self, QStringLiteral("bare"), kRepeats);
    const double program = medianOfStarts(self, QStringLiteral("program"), kRepeats);
    std::printf("bare QApplication + QMainWindow shown  %8.1f ms median\n", bare);
    std::printf("Zorvane main window shown              %8.1f ms median\n", program);
    std::printf("ratio                                  %8.2f\n", program / bare);
    return 0;
}
