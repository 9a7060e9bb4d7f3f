// The user's copy of the installed database and help: what a start replaces, what it keeps, and
// what it tells the user when a file cannot be replaced.

#include "app/shell/workspace_refresh.h"
#include "support/ended_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using zorvane::app::isWorkingTableFile;
using zorvane::app::refreshDirectory;
using zorvane::testing::TempDir;

void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ino_t inodeOf(const fs::path& file) {
    struct stat info {};
    return ::lstat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

// What the user's copy holds before the start, and what it must hold after.
enum class Before { Missing, SameBytes, OtherBytes, LinkToSameBytes, Directory };
enum class After { Installed, UsersOwn, Refused };

struct Row {
    const char* name;
    Before before;
    After after;
};

// clang-format off
const Row kRows[] = {
    {"Roller.db",          Before::Missing,         After::Installed},
    {"RChainSeries.db",    Before::OtherBytes,      After::Installed},
    {"Reference.manifest", Before::SameBytes,       After::Installed},
    {"Size_Unnamed.db",    Before::Missing,         After::Installed},
    {"Init_Unnamed.db",    Before::OtherBytes,      After::UsersOwn},
    {"RESULT_UNNAMED.DB",  Before::OtherBytes,      After::UsersOwn},
    {"hty_rec_unnamed.mb", Before::OtherBytes,      After::UsersOwn},
    {"RWheel.bmp",         Before::LinkToSameBytes, After::Installed},
    {"DWheel.bmp",         Before::Directory,       After::Refused},
};
// clang-format on

TEST(WorkspaceRefresh, ReplacesChangedReferenceFilesAndKeepsTheWorkingTables) {
    TempDir dir;
    const fs::path installed = dir.path() / "share";
    const fs::path workspace = dir.path() / "home" / "database";
    const fs::path outside = dir.path() / "elsewhere.bmp";
    fs::create_directories(installed);
    fs::create_directories(workspace);
    for (const Row& row : kRows) {
        const std::string bytes = std::string("installed ") + row.name;
        write(installed / row.name, bytes);
        const fs::path mine = workspace / row.name;
        switch (row.before) {
        case Before::Missing:
            break;
        case Before::SameBytes:
            write(mine, bytes);
            break;
        case Before::OtherBytes:
            write(mine, "the user's design");
            break;
        case Before::LinkToSameBytes:
            write(outside, bytes);
            fs::create_symlink(outside, mine);
            break;
        case Before::Directory:
            fs::create_directory(mine);
            break;
        }
    }
    const ino_t unchanged = inodeOf(workspace / "Reference.manifest");
    const fs::path stale =
        workspace / ("Roller.db.new-" + std::to_string(zorvane::testing::endedProcessId()));
    write(stale, "half a table");

    const auto problems = refreshDirectory(installed, workspace);

    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const fs::path mine = workspace / row.name;
        switch (row.after) {
        case After::Installed:
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(mine)));
            EXPECT_EQ(read(mine), std::string("installed ") + row.name);
            break;
        case After::UsersOwn:
            EXPECT_EQ(read(mine), "the user's design");
            break;
        case After::Refused:
            EXPECT_TRUE(fs::is_directory(mine));
            break;
        }
    }
    EXPECT_EQ(inodeOf(workspace / "Reference.manifest"), unchanged) << "an equal file is rewritten";
    EXPECT_EQ(read(outside), "installed RWheel.bmp");
    EXPECT_FALSE(fs::exists(stale));
    for (const auto& entry : fs::directory_iterator(workspace)) {
        EXPECT_EQ(entry.path().filename().string().find(".new-"), std::string::npos)
            << entry.path();
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "无法用安装目录中的“" + (installed / "DWheel.bmp").string() +
                               "”更新文件“" + (workspace / "DWheel.bmp").string() +
                               "”：这是一个目录，不是文件");
}

TEST(WorkspaceRefresh, NamesTheDirectoryItCannotReadOrMake) {
    TempDir dir;
    write(dir.path() / "file", "not a directory");
    struct Case {
        fs::path from;
        fs::path to;
        std::string problem;
    };
    const Case cases[] = {
        {dir.path() / "missing", dir.path() / "a",
         "无法读取安装目录“" + (dir.path() / "missing").string() + "”：文件或目录不存在"},
        {dir.path(), dir.path() / "file" / "database",
         "无法建立工作目录“" + (dir.path() / "file" / "database").string() +
             "”：路径中的某一部分不是目录"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const auto problems = refreshDirectory(c.from, c.to);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0], c.problem);
    }
}

TEST(WorkspaceRefresh, KnowsTheWorkingTablesByTheNameBeforeTheFirstDot) {
    const std::pair<const char*, bool> names[] = {
        {"Init_Unnamed.db", true},    {"size_unnamed.DB", true},
        {"Hty_Rec_UnNamed.mb", true}, {"Result_Unnamed.db-journal", true},
        {"Result_Unnamed", true},     {"Result.db", false},
        {"Init_Unnamed2.db", false},  {"R_Size.db", false},
        {"x.Init_Unnamed.db", false}, {"", false},
    };
    for (const auto& [name, working] : names) {
        EXPECT_EQ(isWorkingTableFile(name), working) << name;
    }
}

} // namespace
