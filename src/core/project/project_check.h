#pragma once
// The checks of a project file that may come from anywhere, made before anything of the open
// design or the database directory changes: the file's size before it is read, then every
// decoded part that the layout's own decoding cannot judge (the values carried beside the
// controls, the reference data the design goes on, the design record and the working tables).

#include "core/project/project_layout.h"

#include <filesystem>
#include <string>

namespace zorvane::project {

// Refuses a file larger than the bounds admit, before it is read.
void checkProjectSize(const std::filesystem::path& file);

// Checks a decoded file against the database directory `databaseDir`; its working tables are
// opened in a scratch directory there, removed again whatever the outcome. Throws ProjectError
// naming `fileName` and the part that is wrong, in the user's words.
void checkProject(const ProjectImage& image, const std::filesystem::path& databaseDir,
                  const std::string& fileName);

} // namespace zorvane::project
