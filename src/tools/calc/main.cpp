// zorvane-calc: runs a whole chain drive design from a JSON scenario without a window and prints
// its working tables as JSON. Exit 0 when the design reached its last step, 1 when it stopped
// before, 2 when the scenario or the command line cannot be read or another program is using the
// database directory's working tables.

#include "tools/calc/runner.h"
#include "tools/calc/scenario.h"

#include "core/design/problem.h"
#include "core/store/stale_files.h"
#include "core/store/store_error.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "用法：zorvane-calc SCENARIO.json [--db DIR] [--out FILE] [--open FILE] [--save FILE]\n"
    "                    [--until 步骤名称]\n"
    "  SCENARIO.json  设计场景（链种类、初始条件、各步输入与回答）\n"
    "  --db DIR       数据库目录（默认为工作目录下的 database）\n"
    "  --out FILE     把工作表写成 JSON 文件（默认写到标准输出）\n"
    "  --open FILE    先打开项目文件（.CHN），从第一个未完成的步骤继续设计\n"
    "  --save FILE    设计结束后另存为项目文件（.CHN）\n"
    "  --until 名称   该名称的步骤完成后即停止（退出码 0）\n"
    "  --help         显示本说明\n"
    "退出码：0 设计完成，1 设计停在中途或项目文件未能保存，2 场景、命令行或项目文件无法读取，"
    "或数据库目录正被另一个程序使用";

struct Arguments {
    std::filesystem::path scenario;
    std::optional<std::filesystem::path> db;
    std::optional<std::filesystem::path> out;
    std::optional<std::filesystem::path> open;
    std::optional<std::filesystem::path> save;
    std::optional<std::string> until;
    bool help = false;
};

std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments args;
    bool haveScenario = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            args.help = true;
            return args;
        }
        if ((arg == "--db" || arg == "--out" || arg == "--open" || arg == "--save") &&
            i + 1 < argc) {
            auto& target = arg == "--db"     ? args.db
                           : arg == "--out"  ? args.out
                           : arg == "--open" ? args.open
                                             : args.save;
            target = argv[++i];
        } else if (arg == "--until" && i + 1 < argc) {
            args.until = argv[++i];
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
    if (args->help) {
        std::cout << kUsage << '\n';
        return 0;
    }
    const auto workingDir = std::filesystem::current_path();
    const auto databaseDir = args->db.value_or(workingDir / "database");
    zorvane::store::removeStaleTemporaries(databaseDir);
    Scenario scenario;
    try {
        scenario = readScenario(args->scenario);
    } catch (const ScenarioError& error) {
        std::cerr << "zorvane-calc: " << error.what() << '\n';
        return 2;
    }
    RunOutcome outcome;
    try {
        outcome =
            runScenario(scenario, {workingDir, databaseDir, args->open, args->save, args->until});
    } catch (const zorvane::drive::ProjectNotOpened& error) {
        std::cerr << "zorvane-calc: " << error.what() << '\n';
        return 2;
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
    if (outcome.saveError) {
        std::cerr << "zorvane-calc: " << *outcome.saveError << '\n';
        return 1;
    }
    if (!outcome.completed) {
        std::cerr << "zorvane-calc: " << outcome.reason << '\n';
        return 1;
    }
    return 0;
}
