#include "app/shell/app_workspace.h"

#include "app/shell/workspace_refresh.h"
#include "core/design/interaction.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

#include <array>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zorvane::app {

namespace fs = std::filesystem;

namespace {

// The directories of the installation that the working directory holds a copy of.
constexpr std::array<std::string_view, 2> kInstalledDirectories{"database", "Help"};

// A warning box stays readable: the first failures name their files, the rest are counted.
constexpr std::size_t kProblemsShown = 8;

fs::path nativePath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

} // namespace

std::optional<fs::path> installedDataDirectory(const fs::path& programDir) {
    const fs::path data = programDir.parent_path() / "share" / "zorvane";
    std::error_code error;
    if (fs::is_directory(data / "database", error)) {
        return data;
    }
    return std::nullopt;
}

fs::path prepareWorkingDirectory(design::Interaction& ui) {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    const auto installed =
        installedDataDirectory(nativePath(QCoreApplication::applicationDirPath()));
    if (!installed) {
        return current;
    }
    const QString dataLocation = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataLocation.isEmpty()) {
        ui.ask({"警告信息",
                "找不到用户的数据目录，程序在当前目录“" + current.string() + "”中工作。",
                design::MessageIcon::Warning, design::Buttons::Ok, design::Answer::Ok});
        return current;
    }
    const fs::path workspace = nativePath(dataLocation);
    std::vector<std::string> problems;
    for (const std::string_view directory : kInstalledDirectories) {
        const auto failed = refreshDirectory(*installed / directory, workspace / directory);
        problems.insert(problems.end(), failed.begin(), failed.end());
    }
    if (!problems.empty()) {
        std::string text = "启动时未能更新工作目录中的参考数据与帮助：";
        for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
            text += "\n" + problems[i];
        }
        if (problems.size() > kProblemsShown) {
            text +=
                "\n另有 " + std::to_string(problems.size() - kProblemsShown) + " 个文件未能更新。";
        }
        text += "\n程序将使用工作目录中现有的文件。";
        ui.ask({"警告信息", text, design::MessageIcon::Warning, design::Buttons::Ok,
                design::Answer::Ok});
    }
    return workspace;
}

} // namespace zorvane::app
