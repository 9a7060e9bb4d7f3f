#include "tools/calc/runner.h"

#include "tools/calc/design_json.h"

namespace zorvane::calc {

RunOutcome runScenario(const Scenario& scenario, const RunPaths& paths) {
    drive::ScenarioRun run(scenario, paths.appDir, paths.databaseDir);
    if (paths.open) {
        run.open(*paths.open);
    }
    run.drive(paths.until);
    if (paths.save) {
        run.saveAs(*paths.save);
    }
    RunOutcome outcome{run.outcome(), {}};
    outcome.json = formatDesignJson(
        designJson(run.session(), outcome.log, outcome.completed, outcome.stoppedAt));
    return outcome;
}

} // namespace zorvane::calc
