// zorvane-calc: runs a whole chain drive design from a JSON scenario without a window and prints
// its working tables as JSON. Exit 0 when the design reached its last step, 1 when it stopped
// before, 2 when the scenario or the command line cannot be read or another program is using the
// database directory's working tables.

#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include "core/design/problem.h"
#include "core/store/store_error.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage = "用法：zorvane-calc SCENARIO.json [--db DIR] [--out FILE]";

struct Arguments {
    std::filesystem::path scenario;
    std::optional<std::filesystem::path> db;
    std::optional<std::filesystem::path> out;
};

std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments args;
    bool haveScenario = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--db" || arg == "--out") && i + 1 < argc) {
            (arg == "--db" ? args.db : args.out) = argv[++i];
        } else if (!arg.starts_with("--") && !haveScenario) {
            args.scenario = arg;
            haveScenario = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveScenario) {
        return std::nullopt;
    }
    return args;
}

} // namespace

int main(int argc, char** argv) {
    using namespace zorvane::calc;
    const auto args = parseArguments(argc, argv);
    if (!args) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    Scenario scenario;
    try {
        scenario = readScenario(args->scenario);
    } catch (const ScenarioError& error) {
        std::cerr << "zorvane-calc: " << error.what() << '\n';
        return 2;
    }
    const auto workingDir = std::filesystem::current_path();
    RunOutcome outcome;
    try {
        outcome = runScenario(scenario, {workingDir, args->db.value_or(workingDir / "database")});
    } catch (const zorvane::store::WorkspaceBusy& error) {
        std::cerr << "zorvane-calc: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "zorvane-calc: 设计未能运行：" << zorvane::design::failureMessage(error)
                  << '\n';
        return 1;
    }
    for (const auto& repair : outcome.repairs) {
        std::cerr << "zorvane-calc: " << repair << '\n';
    }
    if (args->out) {
        std::ofstream out(*args->out, std::ios::binary);
        out << outcome.json;
        if (!out.flush()) {
            std::cerr << "zorvane-calc: 无法写入文件“" << args->out->string() << "”\n";
            return 1;
        }
    } else {
        std::cout << outcome.json;
    }
    if (!outcome.completed) {
        std::cerr << "zorvane-calc: " << outcome.reason << '\n';
        return 1;
    }
    return 0;
}
