#pragma once
// A report of the design whose working tables lie in a database directory: each table is
// opened read-only through the table store only while its rows are read, so the working-table
// managers keep their own open tables meanwhile and the report shows every row written so far.

#include "core/report/report_document.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace zorvane::report {

struct ReportInfo {
    ReportId id;
    std::string_view name;     // the report's object name
    std::string_view caption;  // the caption of its report form
    std::string_view fileStem; // the name of its files written by the report writer
};

// Every report, the combined one first.
constexpr std::array<ReportInfo, 5> kReports{{
    {ReportId::Combined, "qrcInitRst_Rep", "设计结果报表", "combined"},
    {ReportId::Init, "qrpInit", "设计结果报表", "init"},
    {ReportId::Result, "qrpResult", "设计结果报表", "result"},
    {ReportId::Size, "qrpSize", "设计结果报表", "size"},
    {ReportId::History, "qrpHtyReport", "历史记录结果报表", "history"},
}};

const ReportInfo& reportInfo(ReportId id);

// Reads the report's tables. A missing or unreadable table throws the store's StoreError, whose
// message names the table file; nothing has been shown or written then.
Document loadReport(ReportId id, const std::filesystem::path& databaseDir);

} // namespace zorvane::report
