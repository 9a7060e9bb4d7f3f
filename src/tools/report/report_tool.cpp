#include "tools/report/report_tool.h"

#include "core/report/report_source.h"
#include "core/report/report_writers.h"
#include "core/store/directory_lock.h"
#include "render/report_files.h"

namespace zorvane::reporttool {

namespace fs = std::filesystem;

namespace {

std::string bytesOf(const report::Document& document, render::ExportFormat format) {
    switch (format) {
    case render::ExportFormat::Pdf:
        return render::reportPdf(document).toStdString();
    case render::ExportFormat::Text:
        return report::toText(document);
    case render::ExportFormat::Csv:
        return report::toCsv(document);
    case render::ExportFormat::Html:
        return report::toHtml(document);
    }
    return {};
}

} // namespace

std::vector<fs::path> writeReports(const fs::path& databaseDir, const fs::path& outDir) {
    std::vector<report::Document> documents;
    {
        const store::DirectoryReadLock reading(databaseDir);
        for (const auto& info : report::kReports) {
            documents.push_back(report::loadReport(info.id, databaseDir));
        }
    }
    std::vector<tools::OutputFile> files;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        for (const auto& format : render::kExportFormats) {
            files.push_back(
                {std::string(report::kReports[i].fileStem) + "." + std::string(format.suffix),
                 bytesOf(documents[i], format.format)});
        }
    }
    return tools::writeOutputSet(outDir, "report", files);
}

} // namespace zorvane::reporttool
