#pragma once
// What a finished design gives beyond its tables: the reports in the preview and the sprocket
// profiles as files. Both do nothing while the report commands are disabled (the design is not
// finished).

#include "core/report/report_document.h"

namespace zorvane::design {

class DesignSession;

// A report command: reads the report's working tables and shows the report in the preview until
// the user closes it. A missing or unreadable table throws the store's error before the preview
// opens.
void showReport(DesignSession& session, report::ReportId report);

// 导出齿形…: both sprockets' profiles written where the save dialog says.
void exportProfiles(DesignSession& session);

} // namespace zorvane::design
