// zorvane-report-bench: the combined report and the history report of a finished roller design
// read from its working tables and written as PDF bytes, in this process (offscreen unless a
// platform is set). Prints the median and the slowest of several runs, then the history grown
// to N and 4N entries (its entries repeated) and the ratio of their times, which stays near 4
// while a page costs the same however long the report; asserts nothing.

#include "core/report/report_source.h"
#include "render/fonts.h"
#include "render/report_files.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// The history's entries repeated up to `entries`.
zorvane::report::Document grownHistory(int entries) {
    auto document =
        zorvane::report::loadReport(zorvane::report::ReportId::History, ZORVANE_BENCH_DESIGN);
    auto& rows = document.sections.front().rows;
    const auto design = rows;
    rows.clear();
    for (int i = 0; !design.empty() && i < entries; ++i) {
        rows.push_back(design[static_cast<std::size_t>(i) % design.size()]);
    }
    return document;
}

double pdfSeconds(const zorvane::report::Document& document) {
    QElapsedTimer timer;
    timer.start();
    zorvane::render::reportPdf(document);
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void measureGrowth(int entries) {
    const double small = pdfSeconds(grownHistory(entries));
    const double large = pdfSeconds(grownHistory(4 * entries));
    std::printf("history of %d entries: %.2f s, of %d: %.2f s, ratio %.2f\n", entries, small,
                4 * entries, large, large / small);
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
    // The entry count N from the command line, 250 when none.
    measureGrowth(argc > 1 ? std::max(1, std::atoi(argv[1])) : 250);
    return 0;
}
