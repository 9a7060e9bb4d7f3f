#pragma once
// The sprocket profiles of the finished design whose working tables lie in a database
// directory, and their export: the 导出齿形 command of the window and zorvane-profile.

#include "core/design/interaction.h"
#include "core/profile/profile_files.h"
#include "core/profile/sprocket_profile.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace zorvane::profile {

// The small sprocket first, then the large one.
struct DesignProfiles {
    std::array<SprocketSpec, 2> sprockets;
};

// Reads the chain, its pitch, the tooth counts, the roller diameter and the small sprocket's
// bore from the results and the tooth form from the sprocket sizes. Throws ProfileError when
// the design is not finished or its tables disagree; a table that cannot be read throws the
// store's error.
DesignProfiles loadDesignProfiles(const std::filesystem::path& databaseDir);

// The file texts of both sprockets in `format`, small one first; the SVG drawings carry a title
// naming the sprocket, its teeth, chain and pitch.
std::array<std::string, 2> designProfileTexts(const DesignProfiles& design, FileFormat format);

// Writes both sprockets in `format` as `stem` + "-z1" / "-z2" + suffix into `directory`: the
// paths written. Throws ProfileError.
std::vector<std::filesystem::path> writeDesignProfiles(const DesignProfiles& design,
                                                       FileFormat format,
                                                       const std::filesystem::path& directory,
                                                       const std::string& smallName,
                                                       const std::string& largeName);

// 导出齿形…: the save dialog (DXF or SVG by the name's suffix, else by the file type chosen),
// a question before files are replaced, both sprockets written, and where they went told.
void exportSprocketProfiles(design::Interaction& ui, const std::filesystem::path& databaseDir,
                            const std::string& proposedName);

} // namespace zorvane::profile
