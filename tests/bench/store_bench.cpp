// zorvane-store-bench: median times of the working-table writes on tables of 100 rows, and of a
// whole reference database build. Prints the figures; it asserts nothing.

#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "support/temp_dir.h"
#include "tools/dbbuild/database_builder.h"
#include "tools/dbbuild/formula_renderer.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 100;
constexpr int kRepeats = 41;

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Median of `repeats` timed calls of `measured`; `restore` runs untimed after each call.
double median(const std::function<void()>& measured, const std::function<void()>& restore,
              int repeats = kRepeats) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        measured();
        times.push_back(milliseconds(Clock::now() - start));
        restore();
    }
    std::nth_element(times.begin(), times.begin() + repeats / 2, times.end());
    return times[static_cast<std::size_t>(repeats / 2)];
}

std::vector<unsigned char> paint(const std::string& source) {
    const QByteArray png = zorvane::dbbuild::renderFormulaPng(source);
    return {png.begin(), png.end()};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const fs::path dataDir = argc > 1 ? fs::path(argv[1]) : fs::path(ZORVANE_DATA_DIR);
    zorvane::testing::TempDir work;
    const fs::path database = work.path() / "database";

    const auto buildStart = Clock::now();
    zorvane::dbbuild::buildDatabase(dataDir, database, paint);
    const double buildMs = milliseconds(Clock::now() - buildStart);

    zorvane::records::ResultTables tables(database, "R", false);
    zorvane::records::DesignHistory history(database, "RD", false);
    for (int i = 0; i < kRows; ++i) {
        tables.AddRow("项目" + std::to_string(i), std::to_string(i), "mm", "r");
        history.AddEntry(i % 2 ? "链条速度" : "设计功率", i);
    }

    const double addRow = median([&] { tables.AddRow("链条速度", "3.142", "m/s", "r"); },
                                 [&] { tables.DeleteFrom("链条速度"); });
    const double deleteFrom = median([&] { tables.DeleteFrom("链条速度"); },
                                     [&] { tables.AddRow("链条速度", "3.142", "m/s", "r"); });
    const double addEntry = median([&] { history.AddEntry("有效圆周力", 1234.5); },
                                   [&] { history.DeleteFrom("有效圆周力"); });
    const double historyDelete = median([&] { history.DeleteFrom("有效圆周力"); },
                                        [&] { history.AddEntry("有效圆周力", 1234.5); });

    std::printf("database build          %8.1f ms\n", buildMs);
    std::printf("AddRow (100 rows)       %8.3f ms median\n", addRow);
    std::printf("DeleteFrom (100 rows)   %8.3f ms median\n", deleteFrom);
    std::printf("AddEntry (100 entries)  %8.3f ms median\n", addEntry);
    std::printf("history DeleteFrom      %8.3f ms median\n", historyDelete);
    return 0;
}
