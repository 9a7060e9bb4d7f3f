#pragma once
// Where the window program works. Run from a build tree (scripts/run.sh) it works in its current
// directory. Run from an installation, whose data lies in share/zorvane beside the directory of
// the program, it works in the user's data directory (~/.local/share/zorvane): the installed
// database and help are copied there at every start where they differ, and the working tables of
// the design in progress are kept.

#include <filesystem>
#include <optional>

namespace zorvane::design {
class Interaction;
}

namespace zorvane::app {

// The installation's data directory for a program in `programDir`: programDir/../share/zorvane,
// when it holds a database directory.
std::optional<std::filesystem::path>
installedDataDirectory(const std::filesystem::path& programDir);

// The directory the program works below, brought up to date with the installation first. What
// could not be updated is shown as one warning; the program then works with what is there.
std::filesystem::path prepareWorkingDirectory(design::Interaction& ui);

} // namespace zorvane::app
