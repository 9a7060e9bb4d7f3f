#pragma once
// The report commands of the main window: tool buttons and menu items by object name, with the
// report each one previews. They are usable only while the design is finished.

#include "core/report/report_document.h"

#include <array>
#include <string_view>

namespace zorvane::report {

struct ReportCommand {
    std::string_view control; // the tool button or menu item
    std::string_view text;    // its hint or menu text
    ReportId report;
};

constexpr std::array<ReportCommand, 6> kReportCommands{{
    {"spnResult", "设计结果报表", ReportId::Combined},
    {"mniInit", "初始条件报表", ReportId::Init},
    {"mniRst", "设计结果报表", ReportId::Result},
    {"mniSize", "结构参数报表", ReportId::Size},
    {"mniHistory", "历史记录报表[&H]", ReportId::History},
    {"spnHistory", "历史记录报表", ReportId::History},
}};

} // namespace zorvane::report
