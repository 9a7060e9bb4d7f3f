#include "core/design/finished_design.h"

#include "core/design/session.h"
#include "core/profile/design_profiles.h"
#include "core/report/report_source.h"

namespace zorvane::design {

void showReport(DesignSession& session, report::ReportId report) {
    if (!session.state().reportsEnabled) {
        return;
    }
    // The whole report is read before the preview opens, so a table that cannot be read stops
    // the command with nothing shown.
    const report::Document document = report::loadReport(report, session.databaseDir());
    session.ui().previewReport(document);
}

void exportProfiles(DesignSession& session) {
    if (!session.state().reportsEnabled) {
        return;
    }
    const auto& project = session.projectPath();
    const std::string proposed =
        project.empty() ? std::string("链轮齿形") : project.stem().string();
    profile::exportSprocketProfiles(session.ui(), session.databaseDir(), proposed);
}

} // namespace zorvane::design
