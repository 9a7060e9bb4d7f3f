// zorvane-scenario-bench: the batch runner's scenario reader on files built to be hard for it.
// Prints the time to read scenarios of 25 000, 50 000 and 100 000 prompts (the duplicate-key
// check must keep the time in proportion to the size: the ratio of the largest to the smallest
// should stay near 4), and the memory the process grew by while refusing 64 KB of nested
// brackets. Asserts nothing.

#include "tools/calc/scenario.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string prompts(int count) {
    std::string text = "{\"chain\": \"roller\", \"prompts\": [\n";
    for (int k = 0; k < count; ++k) {
        text += "{\"caption\": \"c" + std::to_string(k) + "\", \"value\": \"1\"}";
        text += k + 1 < count ? ",\n" : "\n";
    }
    return text + "]}";
}

double readMs(const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    try {
        zorvane::calc::parseScenario(text, "bench.json");
    } catch (const zorvane::calc::ScenarioError& error) {
        std::printf("  (refused: %s)\n", error.what());
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main() {
    std::printf("scenario reader\n");
    const long before = peakKb();
    const std::string brackets = "{\"chain\": \"roller\", \"rows\": " + std::string(64 * 1024, '[');
    const double bracketMs = readMs(brackets);
    std::printf("  64 KB of nested brackets: %.2f ms, peak memory grew by %ld KB\n", bracketMs,
                peakKb() - before);
    double first = 0;
    double last = 0;
    for (const int count : {25000, 50000, 100000}) {
        const std::string text = prompts(count);
        readMs(text); // warm up the allocator
        const double ms = readMs(text);
        std::printf("  %6d prompts (%zu KB): %.1f ms\n", count, text.size() / 1024, ms);
        first = first == 0 ? ms : first;
        last = ms;
    }
    std::printf("  100 000 / 25 000 prompts: time ratio %.2f (linear: 4)\n", last / first);
    return 0;
}
