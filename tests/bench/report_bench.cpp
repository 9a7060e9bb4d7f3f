// zorvane-report-bench: the combined report and the history report of a finished roller design
// read from its working tables and written as PDF bytes, in this process (offscreen unless a
// platform is set). Prints the median and the slowest of several runs; asserts nothing.

#include "core/report/report_source.h"
#include "render/fonts.h"
#include "render/report_files.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 9;

void measure(zorvane::report::ReportId id, const char* label) {
    std::vector<double> times;
    qsizetype bytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto document = zorvane::report::loadReport(id, ZORVANE_BENCH_DESIGN);
        bytes = zorvane::render::reportPdf(document).size();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("report %-9s to PDF: median %6.1f ms, slowest %6.1f ms (%d runs, %lld bytes)\n",
                label, times[times.size() / 2], times.back(), kRuns, static_cast<long long>(bytes));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    zorvane::render::installChineseFontSubstitutes();
    measure(zorvane::report::ReportId::Combined, "combined");
    measure(zorvane::report::ReportId::History, "history");
    return 0;
}
