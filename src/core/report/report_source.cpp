#include "core/report/report_source.h"

#include "core/report/report_content.h"
#include "core/store/table.h"

namespace zorvane::report {

namespace {

// Fills the section from its table, open only while the rows are read.
Section withRows(Section section, const std::filesystem::path& databaseDir) {
    store::Table table(databaseDir, section.table);
    table.open();
    readRows(section, table);
    table.close();
    return section;
}

} // namespace

const ReportInfo& reportInfo(ReportId id) {
    for (const ReportInfo& info : kReports) {
        if (info.id == id) {
            return info;
        }
    }
    return kReports.front();
}

Document loadReport(ReportId id, const std::filesystem::path& databaseDir) {
    const ReportInfo& info = reportInfo(id);
    Document document;
    document.id = id;
    document.name = info.name;
    document.caption = info.caption;
    switch (id) {
    case ReportId::Combined:
        document.sections = {withRows(initSection(), databaseDir),
                             withRows(resultSection(Variant::Combined), databaseDir),
                             withRows(sizeSection(Variant::Combined), databaseDir)};
        break;
    case ReportId::Init:
        document.sections = {withRows(initSection(), databaseDir)};
        break;
    case ReportId::Result:
        document.sections = {withRows(resultSection(Variant::StandAlone), databaseDir)};
        break;
    case ReportId::Size:
        document.sections = {withRows(sizeSection(Variant::StandAlone), databaseDir)};
        break;
    case ReportId::History:
        document.sections = {withRows(historySection(), databaseDir)};
        break;
    }
    return document;
}

} // namespace zorvane::report
