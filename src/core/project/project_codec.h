#pragma once
// A project's parts between their places and the project file: the file read into its parts and
// its parts written out through the byte layout, the working tables taken from the database
// directory and put back there, and paths as the header stores them. It checks nothing beyond
// what the layout's decoding does and holds no state of the design.

#include "core/project/project_layout.h"

#include <filesystem>
#include <string>

namespace zorvane::store {
class Workspace;
}

namespace zorvane::project {

// A path as the header stores it: GBK, characters GBK lacks as '?', cut to the capacity by the
// writer. Loading never reads it back into a path.
std::string headerPath(const std::filesystem::path& path);

// The working tables of the database directory, with their paths; a table not there is empty.
std::array<WorkFile, kWorkFileCount> readWorkFiles(const std::filesystem::path& databaseDir);
// Replaces the database directory's working tables with those of `image`, the workspace letting
// go of them meanwhile and taking them up again whatever the outcome.
void restoreWorkFiles(store::Workspace& workspace, const std::filesystem::path& databaseDir,
                      const ProjectImage& image);

// Writes `image` to `file` whole or not at all. Throws ProjectError.
void writeProject(const std::filesystem::path& file, const ProjectImage& image);
// Reads and decodes the whole file. Throws ProjectError naming the file.
ProjectImage readProject(const std::filesystem::path& file);

} // namespace zorvane::project
