#include "core/drive/design_snapshot.h"

#include "core/drive/panel_steps.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/table.h"

namespace zorvane::drive {

DesignSnapshot snapshotOf(design::DesignSession& session) {
    DesignSnapshot snapshot;
    const auto& flags = session.status().flags();
    snapshot.flags.assign(flags.begin(), flags.end());
    const auto& state = session.state();
    snapshot.buttons = {state.begin, state.select};
    for (const auto* panel : {&state.roller, &state.toothed}) {
        snapshot.buttons.insert(snapshot.buttons.end(), panel->steps.begin(), panel->steps.end());
        snapshot.buttons.push_back(panel->endLabel);
    }
    snapshot.panels.assign(state.panels.begin(), state.panels.end());
    for (const auto name : panelFieldNames()) {
        snapshot.fields.push_back(*panelField(state.fields, name));
    }
    if (const auto* design = session.design()) {
        snapshot.record = design->recordBytes();
    }
    snapshot.a0Range = state.A0Range;
    snapshot.needLifeCheck = state.NeedLifeCheck;
    if (const auto* results = session.results()) {
        for (const store::Table* table :
             {results->initTable(), results->resultTable(), results->sizeTable()}) {
            for (int i = 0; table && i < table->recordCount(); ++i) {
                std::string cells;
                for (const auto& value : table->row(i)) {
                    cells += value.asText() + '\t';
                }
                snapshot.rows.push_back(std::move(cells));
            }
            snapshot.rows.emplace_back(); // the end of a table
        }
    }
    if (const auto* history = session.history(); history && history->historyTable()) {
        // Its pictures stay unread: the entries follow the record and the results.
        snapshot.historyEntries = history->historyTable()->recordCount();
    }
    return snapshot;
}

} // namespace zorvane::drive
