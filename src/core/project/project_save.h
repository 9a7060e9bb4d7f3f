#pragma once
// The savers of a design: RollerProjectSaver (roller) and ToothedProjectSaver (toothed) over
// ProjectSaver. Saving takes the working tables' files, the designer record, the states of the
// listed controls and the design record into one project file; loading checks a whole file,
// restores the working tables into the database directory and puts the design back as it was saved.

#include "core/design/session.h"
#include "core/project/project_layout.h"

#include <filesystem>
#include <memory>
#include <string>

namespace zorvane::project {

class ProjectSaver {
public:
    ProjectSaver(design::DesignSession& session, design::Chain listChain);
    virtual ~ProjectSaver() = default;

    std::filesystem::path FilePath;
    std::string KindMarker;
    std::string PicturePath;

    // The engine's record as it is now, and its chain kind as the marker.
    void SetDesignRecord();
    void CaptureControlStates();
    void CaptureStepFlags();
    // Writes the project file: into a new file beside FilePath, renamed over it once whole and
    // flushed. Throws ProjectError; the file at FilePath is then as it was.
    void Save();
    // Reads and checks the whole file at FilePath, and the working tables it holds; nothing in
    // the session or the database directory changes. Throws ProjectError.
    void Load();
    // Puts the loaded project into the session: its working tables into the database directory,
    // the designer record, the control states and, with a chain type, the engine and managers.
    void ApplyLoaded();

    const ProjectImage& image() const { return image_; }

private:
    design::DesignSession& session_;
    design::Chain listChain_;
    ProjectImage image_;
};

class RollerProjectSaver : public ProjectSaver {
public:
    explicit RollerProjectSaver(design::DesignSession& session)
        : ProjectSaver(session, design::Chain::Roller) {}
};

class ToothedProjectSaver : public ProjectSaver {
public:
    explicit ToothedProjectSaver(design::DesignSession& session)
        : ProjectSaver(session, design::Chain::Toothed) {}
};

} // namespace zorvane::project
