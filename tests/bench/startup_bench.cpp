// zorvane-startup-bench: program start to main window shown, for the program and for a floor
// that shows what the window shows first at the least cost: a bare QApplication + QMainWindow
// with one QLabel of Chinese text in the window's font, the same font stand-ins installed. Each
// start is a fresh process, measured the same way and interleaved with the other kind in the
// same run (offscreen unless a platform is set). Prints the median, minimum and maximum of both
// and of the ratio of each program start to the floor start before it; asserts nothing.

#include "app/shell/main_window.h"
#include "app/shell/start_up.h"
#include "core/design/scripted_interaction.h"
#include "render/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
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
        // Start-up opens no table, so the build directory serves as the working directory.
        zorvane::design::ScriptedInteraction ui;
        const auto window = zorvane::app::startMainWindow(
            ui, std::filesystem::path(ZORVANE_BUILT_DATABASE).parent_path());
        return QTest::qWaitForWindowExposed(window.get()) ? 0 : 1;
    }
    zorvane::render::installChineseFontSubstitutes();
    QMainWindow window;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    window.setFont(font);
    window.setWindowTitle(QStringLiteral("Zorvane"));
    window.setCentralWidget(new QLabel(QStringLiteral("链传动设计"), &window));
    window.showMaximized();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

struct Figures {
    std::vector<double> times;
    double median() {
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        return times[times.size() / 2];
    }
    double min() const { return *std::min_element(times.begin(), times.end()); }
    double max() const { return *std::max_element(times.begin(), times.end()); }
};

double startProcess(const QString& self, const QString& mode) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(self, {mode});
    process.waitForFinished(-1);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
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
    constexpr int kRepeats = 21;
    Figures floor;
    Figures program;
    Figures ratio;
    // In pairs, so that a busy moment of the machine falls on both alike; each pair gives a ratio.
    for (int i = 0; i < kRepeats; ++i) {
        floor.times.push_back(startProcess(self, QStringLiteral("bare")));
        program.times.push_back(startProcess(self, QStringLiteral("program")));
        ratio.times.push_back(program.times.back() / floor.times.back());
    }
    std::printf(
        "floor: QMainWindow with a Chinese QLabel shown  %7.1f ms median, min %.1f, max %.1f\n",
        floor.median(), floor.min(), floor.max());
    std::printf(
        "Zorvane main window shown                      %7.1f ms median, min %.1f, max %.1f\n",
        program.median(), program.min(), program.max());
    std::printf("ratio to the floor, %d pairs                   %7.2f median, min %.2f, max %.2f\n",
                kRepeats, ratio.median(), ratio.min(), ratio.max());
    return 0;
}
