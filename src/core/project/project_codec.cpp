#include "core/project/project_codec.h"

#include "core/project/project_file.h"
#include "core/store/workspace.h"
#include "core/text/gbk.h"

namespace zorvane::project {

namespace fs = std::filesystem;

std::string headerPath(const fs::path& path) {
    try {
        return text::utf8ToGbk(path.string());
    } catch (const text::EncodingError&) {
        return "?";
    }
}

std::array<WorkFile, kWorkFileCount> readWorkFiles(const fs::path& databaseDir) {
    std::array<WorkFile, kWorkFileCount> work;
    for (std::size_t i = 0; i < kWorkFileCount; ++i) {
        const fs::path file = databaseDir / kWorkFileNames[i];
        work[i].path = headerPath(fs::absolute(file));
        std::error_code error;
        work[i].bytes = fs::exists(file, error) ? readWholeFile(file) : std::string();
    }
    return work;
}

void restoreWorkFiles(store::Workspace& workspace, const fs::path& databaseDir,
                      const ProjectImage& image) {
    workspace.releaseFiles();
    try {
        for (std::size_t i = 0; i < kWorkFileCount; ++i) {
            replaceFile(databaseDir / kWorkFileNames[i], image.work[i].bytes);
        }
    } catch (...) {
        workspace.attachFiles();
        throw;
    }
    workspace.attachFiles();
}

void writeProject(const fs::path& file, const ProjectImage& image) {
    writeProjectFile(file, encodeProject(image));
}

ProjectImage readProject(const fs::path& file) {
    const std::string bytes = readProjectFile(file);
    return decodeProject(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        file.string());
}

} // namespace zorvane::project
