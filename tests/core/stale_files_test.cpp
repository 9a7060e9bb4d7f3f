// Temporaries that an ended process left: removed at the next start (the database directory's) or
// at the next save to the same file, while those of live processes and names that only look alike
// stay.

#include "core/project/project_file.h"
#include "core/store/stale_files.h"
#include "support/ended_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace zorvane {
namespace {

namespace fs = std::filesystem;

enum class Writer { Ended, Self, Parent };

struct Leftover {
    const char* name; // "%" stands for the writer's process id
    Writer writer;
    bool folder;
    bool removed;
};

// The database directory at start-up.
const std::vector<Leftover> kDatabaseLeftovers{
    {".zorvane-open-%", Writer::Ended, true, true},
    {"Result_Unnamed.db.new-%", Writer::Ended, false, true},
    {"Hty_Rec_Unnamed.mb.new-%", Writer::Ended, false, true},
    {".zorvane-open-%", Writer::Self, true, false},
    {"Init_Unnamed.db.new-%", Writer::Parent, false, false},
    {"Size_Unnamed.db.new-%", Writer::Ended, true, false}, // a folder, not a table file
    {".new-%", Writer::Ended, false, false},               // no table name before the marker
    {"Size_Unnamed.db.new", Writer::Ended, false, false},  // without an id
};

// Beside a project file being saved as F.CHN.
const std::vector<Leftover> kSaveLeftovers{
    {"F.CHN.saving-%", Writer::Ended, false, true},
    {"F.CHN.saving-%", Writer::Parent, false, false},
    {"G.CHN.saving-%", Writer::Ended, false, false}, // another file's save
};

std::string nameOf(const Leftover& leftover, pid_t ended) {
    const pid_t pid = leftover.writer == Writer::Ended  ? ended
                      : leftover.writer == Writer::Self ? ::getpid()
                                                        : ::getppid();
    std::string name = leftover.name;
    if (const auto at = name.find('%'); at != std::string::npos) {
        name.replace(at, 1, std::to_string(pid));
    }
    return name;
}

std::vector<fs::path> plant(const fs::path& dir, const std::vector<Leftover>& leftovers,
                            pid_t ended) {
    std::vector<fs::path> paths;
    for (const Leftover& leftover : leftovers) {
        const fs::path path = dir / nameOf(leftover, ended);
        if (leftover.folder) {
            fs::create_directories(path / "inner");
            std::ofstream(path / "inner" / "Init_Unnamed.db") << "table";
        } else {
            std::ofstream(path) << "part";
        }
        paths.push_back(path);
    }
    return paths;
}

void expectCleared(const std::vector<Leftover>& leftovers, const std::vector<fs::path>& paths) {
    for (std::size_t i = 0; i < leftovers.size(); ++i) {
        EXPECT_EQ(fs::exists(paths[i]), !leftovers[i].removed) << paths[i].filename();
    }
}

TEST(StaleTemporaries, StartRemovesThoseOfEndedProcessesOnly) {
    testing::TempDir dir;
    std::ofstream(dir.path() / "Result_Unnamed.db") << "table";
    const auto paths = plant(dir.path(), kDatabaseLeftovers, testing::endedProcessId());
    store::removeStaleTemporaries(dir.path());
    expectCleared(kDatabaseLeftovers, paths);
    EXPECT_TRUE(fs::exists(dir.path() / "Result_Unnamed.db"));
}

TEST(StaleTemporaries, SaveRemovesItsOwnFilesOfEndedSaves) {
    testing::TempDir dir;
    const auto paths = plant(dir.path(), kSaveLeftovers, testing::endedProcessId());
    project::writeProjectFile(dir.path() / "F.CHN", "project");
    expectCleared(kSaveLeftovers, paths);
    EXPECT_EQ(project::readWholeFile(dir.path() / "F.CHN"), "project");
}

} // namespace
} // namespace zorvane
