#include "core/drive/scenario_run.h"

#include "core/design/reference_data.h"
#include "core/store/table.h"

namespace zorvane::drive {

namespace {

// The chain's reference tables are read on another thread while the working tables open.
const std::filesystem::path& prefetched(const std::filesystem::path& databaseDir,
                                        design::Chain chain) {
    store::prefetchTables(databaseDir, design::referenceTableNames(chain));
    return databaseDir;
}

} // namespace

records::DesignerInfo anonymousDesigner() {
    return records::DesignerInfo([]() -> std::optional<records::OwnerInfo> { return std::nullopt; },
                                 records::systemLocalTime, "C");
}

ScenarioRun::ScenarioRun(const Scenario& scenario, const std::filesystem::path& appDir,
                         const std::filesystem::path& databaseDir)
    : scenario_(scenario), ui_(scenario),
      session_(appDir, prefetched(databaseDir, scenario.chain), ui_, anonymousDesigner()),
      commands_(session_) {
    session_.requireWorkspace();
}

void ScenarioRun::open(const std::filesystem::path& project) {
    ui_.beginClick();
    bool opened = false;
    session_.runStep([&] { opened = commands_.openFile(project.string()); });
    if (!opened) {
        throw ProjectNotOpened(ui_.lastMessage());
    }
    opened_ = true;
}

void ScenarioRun::drive(const std::optional<std::string>& until) {
    repairs_ = session_.workspaceRepairs();
    if (!opened_) {
        ui_.beginClick();
        session_.beginNewDesign();
    }
    driven_ = driveDesign(session_, ui_, scenario_, until);
}

void ScenarioRun::saveAs(const std::filesystem::path& file) {
    ui_.beginClick();
    commands_.saveAsFile(file.string());
    if (!session_.state().SaveSucceeded) {
        saveError_ = ui_.lastMessage();
    }
}

RunOutcome ScenarioRun::outcome() const {
    return {driven_.completed, driven_.stoppedAt, driven_.reason, repairs_,
            saveError_,        ui_.log(),         ui_.questions()};
}

} // namespace zorvane::drive
